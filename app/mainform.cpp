#include "app/mainform.h"

#include "app/commands.h"
#include "app/wizardform.h"
#include "store/connection.h"
#include "store/table.h"
#include "ui/errorhandler.h"
#include "ui/help.h"
#include "ui/messages.h"
#include "ui/opener.h"
#include "ui/placement.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QtDebug>

using namespace app;

TQVMainForm::TQVMainForm(QWidget* parent, Startup startup) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("QVMainForm"));
    setWindowTitle(QStringLiteral("Quorvel  4.1 - International"));

    statusText_ = new QLabel(this);
    statusText_->setObjectName(QStringLiteral("StatusText"));
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(statusText_, 1);

    buildButtons();
    buildMenu();

    auto* help = new QAction(this);
    help->setObjectName(QStringLiteral("HelpKey"));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::WindowShortcut);
    connect(help, &QAction::triggered, this, [this] { ui::showHelp(this, helpContext()); });
    addAction(help);

    // The placement file is created before the first restore reads it.
    try {
        ui::ensurePlacementFile();
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
    }
    ui::keepPlacement(this, QStringLiteral("QVMainForm"));
    resize(440, 420);

    FormCreate(startup);
}

TQVMainForm::~TQVMainForm() { FormClose(); }

void TQVMainForm::FormCreate(Startup startup)
{
    // Any failure stops the remaining steps: the window still opens, with no active company.
    ui::guarded(this, [&] {
        connection_ = std::make_unique<store::Connection>();
        connection_->connect(QStringLiteral("NRV"));
        QVCntrlTable = std::make_unique<store::Table>(*connection_, QStringLiteral("QVCntrl.DBF"));
        QVCntrlTable->setIndexName(QStringLiteral("COYCODE"));
        QVCntrlTable->open();

        if (startup == Startup::Full && needsSetupWizard(QVCntrlTable->text(QStringLiteral("BUSNAME")))) {
            const bool accepted = ui::openWindow<TQVWizardForm>(
                this, ui::NoInputs{}, [](TQVWizardForm& w, int) { return w.setupAccepted; });
            if (!accepted) {
                ui::beep();
                ui::showMessage(this, ui::MsgKind::Information,
                                QStringLiteral("Quorvel set up not complete."));
            }
        }

        // As stored now: a company the wizard created is the active company at once.
        QVCntrlTable->first();
        company_ = activeCompanyFrom(*QVCntrlTable);
        statusText_->setText(activeCompanyStatus(company_.name));
    });
}

void TQVMainForm::buildButtons()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Panel1"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(10);

    auto add = [&](const char* name, const QString& text) {
        auto* b = new QPushButton(text, central);
        b->setObjectName(QLatin1String(name));
        b->setMinimumHeight(42);
        QFont font = b->font();
        font.setPointSizeF(font.pointSizeF() * 1.2);
        font.setBold(true);
        b->setFont(font);
        layout->addWidget(b);
        return b;
    };
    auto* operations = add("OperationsButton", QStringLiteral("Operations"));
    auto* banking = add("BankingButton", QStringLiteral("Banking"));
    auto* reports = add("ReportsButton", QStringLiteral("Reports"));
    auto* tools = add("ToolsButton", QStringLiteral("Tools"));
    auto* settings = add("SettingsButton", QStringLiteral("Settings"));
    layout->addStretch();
    auto* shutdown = add("ShutdownButton", QStringLiteral("Shutdown"));
    setCentralWidget(central);

    connect(operations, &QPushButton::clicked, this, [this] {
        commands::openOperationsLauncher(this, company_.codeNumber, company_.name, company_.active);
    });
    connect(banking, &QPushButton::clicked, this, [this] {
        commands::openBankingLauncher(this, company_.codeNumber, company_.name, company_.active);
    });
    connect(reports, &QPushButton::clicked, this,
            [this] { commands::openReportsLauncher(this, company_.codeNumber); });
    connect(tools, &QPushButton::clicked, this, [this] { commands::openToolsLauncher(this); });
    connect(settings, &QPushButton::clicked, this,
            [this] { commands::openSetupLauncher(this, company_.codeNumber, company_.name); });
    connect(shutdown, &QPushButton::clicked, this, &QWidget::close);
    operations->setFocus();
}

void TQVMainForm::buildMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    // Items without a handler ("Printer", "Imputation") do nothing.
    auto item = [](QMenu* menu, const char* name, const QString& text,
                       const QKeySequence& shortcut = {}) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(shortcut);
        return a;
    };
    auto on = [this](QAction* a, auto&& f) { connect(a, &QAction::triggered, this, f); };

    // Menu titles' mnemonics avoid the letters the items' Alt shortcuts use.
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("FileMenu"));
    on(item(file, "ExitItem", QStringLiteral("Exit"), QKeySequence(Qt::ALT | Qt::Key_X)),
       [this] { close(); });
    file->addSeparator();
    item(file, "PrinterItem", QStringLiteral("Printer"), QKeySequence(Qt::ALT | Qt::Key_P));
    file->addSeparator();
    QMenu* import = file->addMenu(QStringLiteral("Import"));
    import->setObjectName(QStringLiteral("ImportMenu"));
    on(item(import, "ImportBankItem", QStringLiteral("From Bank Account")),
       [this] { commands::openBankStatementImport(this, company_.codeNumber); });
    on(item(import, "ImportQuorvelItem", QStringLiteral("From Quorvel")),
       [this] { commands::openQuorvelImport(this); });
    on(item(file, "ExportItem", QStringLiteral("Export")),
       [this] { commands::openExport(this, company_.codeNumber); });

    QMenu* ops = bar->addMenu(QStringLiteral("Oper&ations"));
    ops->setObjectName(QStringLiteral("OperationsMenu"));
    on(item(ops, "ControlCentreItem", QStringLiteral("Control Centre")),
       [this] { commands::openControlCentre(this); });
    QMenu* trans = ops->addMenu(QStringLiteral("Transactions"));
    trans->setObjectName(QStringLiteral("TransactionsMenu"));
    on(item(trans, "ChequesItem", QStringLiteral("Cheques/Payments"),
            QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P)),
       [this] { ChequesItemClick(); });
    on(item(trans, "BankTransItem", QStringLiteral("Bank Transactions"),
            QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_B)),
       [this] { BankTransItemClick(); });
    on(item(trans, "CashTransItem", QStringLiteral("Cash Transactions"),
            QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C)),
       [this] {
           commands::openCashTransactions(this, company_.codeNumber,
                                          captions::cashTransactionsOf(company_.name));
       });
    on(item(ops, "SuppliersItem", QStringLiteral("Suppliers"), QKeySequence(Qt::ALT | Qt::Key_S)),
       [this] { commands::openSupplierMaintenance(this, company_.codeNumber); });
    on(item(ops, "RecurringItem", QStringLiteral("Recurring Transactions"),
            QKeySequence(Qt::ALT | Qt::Key_R)),
       [this] { RecurringItemClick(); });
    ops->addSeparator();
    on(item(ops, "BudgetOpsItem", QStringLiteral("Budget Operations"),
            QKeySequence(Qt::ALT | Qt::Key_O)),
       [this] { commands::openBudgetOperations(this, company_.codeNumber); });

    QMenu* gst = bar->addMenu(QStringLiteral("&G.S.T."));
    gst->setObjectName(QStringLiteral("GSTMenu"));
    item(gst, "ImputationItem", QStringLiteral("Imputation"), QKeySequence(Qt::ALT | Qt::Key_I));

    QMenu* bank = bar->addMenu(QStringLiteral("Ba&nk"));
    bank->setObjectName(QStringLiteral("BankMenu"));
    on(item(bank, "BankDetailsItem", QStringLiteral("Details"), QKeySequence(Qt::ALT | Qt::Key_T)),
       [this] { commands::openBankMaintenance(this, std::nullopt, QString()); });
    on(item(bank, "ReconciliationItem", QStringLiteral("Reconciliation"),
            QKeySequence(Qt::ALT | Qt::Key_L)),
       [this] { commands::openBankReconciliation(this, company_.codeNumber, QString()); });

    // "Reports" and "Help" act as menu titles themselves.
    QAction* reports = bar->addAction(QStringLiteral("R&eports"));
    reports->setObjectName(QStringLiteral("ReportsItem"));
    on(reports, [this] { commands::openReportsLauncher(this, company_.codeNumber); });

    QMenu* setup = bar->addMenu(QStringLiteral("Set&up"));
    setup->setObjectName(QStringLiteral("SetupMenu"));
    on(item(setup, "CompanyDetailsItem", QStringLiteral("Company Details"),
            QKeySequence(Qt::ALT | Qt::Key_D)),
       [this] { commands::openCompanyMaintenance(this); });
    on(item(setup, "CodesAccountsItem", QStringLiteral("Codes and Accounts"),
            QKeySequence(Qt::ALT | Qt::Key_C)),
       [this] { commands::openCodesAndAccounts(this); });
    on(item(setup, "SetupBankDetailsItem", QStringLiteral("Bank Details"),
            QKeySequence(Qt::ALT | Qt::Key_B)),
       [this] {
           commands::openBankMaintenance(this, company_.active,
                                         captions::maintainBank(company_.active));
       });
    setup->addSeparator();
    QMenu* tools = setup->addMenu(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("ToolsMenu"));
    on(item(tools, "ClearPrevYearsItem", QStringLiteral("Clear previous years")),
       [this] { commands::openClearPreviousYears(this); });
    on(item(tools, "OptimiseItem", QStringLiteral("Optimise database space")),
       [this] { commands::openDatabaseRebuild(this); });
    on(item(tools, "BackupItem", QStringLiteral("Backup entire system")),
       [this] { commands::openArchive(this); });
    on(item(tools, "RecoverItem", QStringLiteral("Recover entire system")),
       [this] { commands::openRestore(this); });

    QAction* about = bar->addAction(QStringLiteral("&Help"));
    about->setObjectName(QStringLiteral("HelpItem"));
    on(about, [this] { commands::showAboutBox(this); });
}

void TQVMainForm::ChequesItemClick()
{
    if (!commands::requireActiveCompany(this, company_.active, commands::kNoCompanyForCheques))
        return;
    commands::openChequeEntry(this, company_.code);
}

void TQVMainForm::BankTransItemClick()
{
    if (!commands::requireActiveCompany(this, company_.active, commands::kNoCompanyForTransactions))
        return;
    commands::openBankTransactions(this, company_.code);
}

void TQVMainForm::RecurringItemClick()
{
    if (!commands::requireActiveCompany(this, company_.active, commands::kNoActiveCompany)) return;
    commands::runRecurringTransactions(this, company_.code, company_.name,
                                       captions::recurringFor(company_.name));
}

void TQVMainForm::closeEvent(QCloseEvent* event)
{
    // The placement was saved as the close was asked for (the placement keeper sees the close
    // first); closing is always allowed.
    if (company_.recAuto == 1
        && ui::confirmOkCancel(this,
                               QStringLiteral("Please connect backup media.  Press 'Ok' when ready.")))
        commands::runShutdownBackup(this);
    FormClose();
    event->accept();
}

void TQVMainForm::FormClose()
{
    QVCntrlTable.reset();
    if (connection_) connection_->disconnect();
    connection_.reset();
}
