#include "app/launchers.h"

#include "app/commands.h"
#include "ui/errorhandler.h"

#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QHideEvent>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

QPushButton* launcherButton(QWidget* parent, const char* name, const QString& text,
                            const QString& hint = {})
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setMinimumHeight(32);
    button->setAutoDefault(false);
    if (!hint.isEmpty()) {
        button->setToolTip(hint);
        button->setStatusTip(hint);
    }
    return button;
}

QStatusBar* statusPanel(QWidget* parent, const QString& text)
{
    auto* bar = new QStatusBar(parent);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    auto* label = new QLabel(text, bar);
    label->setObjectName(QStringLiteral("StatusText"));
    bar->addWidget(label, 1);
    return bar;
}

QLabel* boldLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace

// --- Operations ----------------------------------------------------------------------------

TQVOpsForm::TQVOpsForm(QWidget* owner) : ui::FormBase(owner, QStringLiteral("QVOpsForm"))
{
    setWindowTitle(QStringLiteral("Operations"));

    auto* transactions = new QGroupBox(QStringLiteral("Transactions Maintenance"), this);
    transactions->setObjectName(QStringLiteral("TransactionsGroup"));
    auto* cheques = launcherButton(transactions, "ChequesButton", QStringLiteral("&Cheques/Payments"));
    auto* bankTrans =
        launcherButton(transactions, "BankTransButton", QStringLiteral("&Bank Transactions"));
    auto* tLayout = new QVBoxLayout(transactions);
    tLayout->addWidget(cheques);
    tLayout->addWidget(bankTrans);

    auto* recurring = new QGroupBox(QStringLiteral("Recurring Transactions"), this);
    recurring->setObjectName(QStringLiteral("RecurringGroup"));
    auto* run = launcherButton(recurring, "RunButton", QStringLiteral("&Run"));
    auto* rLayout = new QVBoxLayout(recurring);
    rLayout->addWidget(run);

    auto* centre = new QGroupBox(QStringLiteral("Operations Centre"), this);
    centre->setObjectName(QStringLiteral("OperationsGroup"));
    auto* budgets = launcherButton(centre, "BudgetsButton", QStringLiteral("B&udgets"));
    auto* operations = launcherButton(centre, "OperationsButton", QStringLiteral("&Operations"));
    auto* cLayout = new QVBoxLayout(centre);
    cLayout->addWidget(budgets);
    cLayout->addWidget(operations);

    auto* mainMenu = launcherButton(this, "MainMenuButton", QStringLiteral("&Main Menu"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(transactions);
    layout->addWidget(recurring);
    layout->addWidget(centre);
    layout->addSpacing(6);
    layout->addWidget(mainMenu);
    layout->addWidget(statusPanel(this, QStringLiteral("Operations")));
    layout->setContentsMargins(9, 9, 9, 0);

    connect(cheques, &QPushButton::clicked, this, &TQVOpsForm::ChequesButtonClick);
    connect(bankTrans, &QPushButton::clicked, this, &TQVOpsForm::BankTransButtonClick);
    connect(run, &QPushButton::clicked, this, &TQVOpsForm::RunButtonClick);
    connect(budgets, &QPushButton::clicked, this, &TQVOpsForm::BudgetsButtonClick);
    connect(operations, &QPushButton::clicked, this, &TQVOpsForm::OperationsButtonClick);
    connect(mainMenu, &QPushButton::clicked, this, &QDialog::close);
    resize(340, 380);
}

void TQVOpsForm::FormActivate()
{
    ui::guarded(this, [&] {
        coyName_ = lookup_.nameOf(coyCode);
        setWindowTitle(app::captions::operationsMenuFor(coyName_));
    });
}

void TQVOpsForm::showEvent(QShowEvent* event)
{
    ui::FormBase::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TQVOpsForm::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous()) lookup_.close();
    ui::FormBase::hideEvent(event);
}

void TQVOpsForm::ChequesButtonClick()
{
    if (!app::commands::requireActiveCompany(this, coyActive, app::commands::kNoCompanyForCheques))
        return;
    app::commands::openChequeEntry(this, QString::number(coyCode));
    FormActivate();
}

void TQVOpsForm::BankTransButtonClick()
{
    if (!app::commands::requireActiveCompany(this, coyActive,
                                             app::commands::kNoCompanyForTransactions))
        return;
    app::commands::openBankTransactions(this, QString::number(coyCode));
    FormActivate();
}

void TQVOpsForm::RunButtonClick()
{
    app::commands::runRecurringTransactions(this, QString::number(coyCode), coyName_,
                                            app::captions::recurringFor(coyName_));
    FormActivate();
}

void TQVOpsForm::BudgetsButtonClick()
{
    app::commands::openBudgetOperations(this, coyCode);
    FormActivate();
}

void TQVOpsForm::OperationsButtonClick()
{
    app::commands::openControlCentre(this);
    FormActivate();
}

// --- Banking -------------------------------------------------------------------------------

TQVBankMenuForm::TQVBankMenuForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("QVBankMenuForm"), 290)
{
    setWindowTitle(QStringLiteral("Bank Operations"));

    auto* panel = new QGroupBox(QStringLiteral("Bank accounts"), this);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto* maintenance = launcherButton(panel, "MaintenanceButton", QStringLiteral("Mai&ntenance"),
                                       QStringLiteral("Operate on bank account transactions"));
    auto* reconciliation =
        launcherButton(panel, "ReconciliationButton", QStringLiteral("&Reconciliation"),
                       QStringLiteral("Carry out bank statement reconciliation"));
    auto* transView = launcherButton(panel, "TransViewButton", QStringLiteral("&Transaction View"));
    auto* recurring =
        launcherButton(panel, "RecurringButton", QStringLiteral("Rec&urring Transactions"));
    auto* cheques = launcherButton(panel, "ChequesButton", QStringLiteral("&Cheques/Payments"));
    auto* pLayout = new QVBoxLayout(panel);
    for (QPushButton* b : {maintenance, reconciliation, transView, recurring, cheques})
        pLayout->addWidget(b);

    auto* setupPanel = new QGroupBox(QStringLiteral("Banks and statements"), this);
    setupPanel->setObjectName(QStringLiteral("Panel2"));
    setupPanel->setToolTip(QStringLiteral("Change bank details"));
    auto* setup = launcherButton(setupPanel, "SetupButton", QStringLiteral("&Setup"),
                                 QStringLiteral("Create and maintain, bank accounts"));
    auto* import = launcherButton(setupPanel, "ImportButton", QStringLiteral("&Import"),
                                  QStringLiteral("Import bank transaction from your bank's web page"));
    auto* sLayout = new QVBoxLayout(setupPanel);
    sLayout->addWidget(setup);
    sLayout->addWidget(import);

    auto* mainMenu = launcherButton(this, "MainMenuButton", QStringLiteral("&Main menu"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(setupPanel);
    layout->addSpacing(6);
    layout->addWidget(mainMenu);

    using namespace app;
    connect(maintenance, &QPushButton::clicked, this,
            [this] { commands::openBankTransactions(this, QString::number(coyCode)); });
    connect(reconciliation, &QPushButton::clicked, this, [this] {
        commands::openBankReconciliation(this, coyCode, captions::bankReconciliationFor(coyName));
    });
    connect(setup, &QPushButton::clicked, this, [this] {
        commands::openBankMaintenance(this, true, QStringLiteral("Maintain Bank details."));
    });
    // Unlike the main window's command, this one is not refused without an active company.
    connect(cheques, &QPushButton::clicked, this,
            [this] { commands::openChequeEntry(this, QString::number(coyCode)); });
    connect(import, &QPushButton::clicked, this,
            [this] { commands::openBankStatementImport(this, coyCode); });
    connect(transView, &QPushButton::clicked, this, [this] {
        commands::openBankTransactionView(this, coyCode, captions::bankTransactionsViewFor(coyName));
    });
    connect(recurring, &QPushButton::clicked, this, [this] {
        commands::runRecurringTransactions(this, QString::number(coyCode), coyName,
                                           captions::recurringFor(coyName));
    });
    connect(mainMenu, &QPushButton::clicked, this, &QDialog::close);
    resize(340, 420);
}

// --- Reports -------------------------------------------------------------------------------

TQVReportsForm::TQVReportsForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("QVReportsForm"), 490)
{
    setWindowTitle(QStringLiteral("Reports"));
    using namespace app;

    struct ReportButton {
        const char* name;
        QString text;
        QString hint;
        void (*open)(QWidget*, int);
    };
    const ReportButton buttons[] = {
        {"JournalButton", QStringLiteral("&Journal "), QStringLiteral("Basic reports of transactions "),
         commands::openJournalReports},
        {"ActualsBudgetButton", QStringLiteral("Actuals vs &Budget"),
         QStringLiteral("Actual vs budgetted income and expense reports"),
         commands::openActualsVsBudget},
        {"ActualsToDateButton", QStringLiteral("&Actuals to Date"), QString(),
         commands::openActualsToDate},
        {"BankTransButton", QStringLiteral("Ban&k transactions"),
         QStringLiteral("List bank transactions"), nullptr},
        {"ProfitLossButton", QStringLiteral("&Profit and loss"),
         QStringLiteral("Profit and loss statement"), commands::openProfitAndLoss},
        {"BudgetsButton", QStringLiteral("B&udgets"), QStringLiteral("Budgets audit "),
         commands::openBudgetReports},
        {"GSTButton", QStringLiteral("&G.S.T."), QString(), commands::openGstReports},
        {"ChequesButton", QStringLiteral("C&heques"), QStringLiteral("Cheque audit"),
         commands::openChequeReports},
        {"TrialBalanceButton", QStringLiteral("&Trial Balance"), QString(),
         commands::openTrialBalance},
        {"BalanceSheetButton", QStringLiteral("Balance &sheet"), QString(),
         commands::openBalanceSheet},
    };

    auto* grid = new QGridLayout;
    int i = 0;
    for (const ReportButton& b : buttons) {
        QPushButton* button = launcherButton(this, b.name, b.text, b.hint);
        grid->addWidget(button, i % 5, i / 5);
        ++i;
        if (b.open) {
            auto open = b.open;
            connect(button, &QPushButton::clicked, this,
                    [this, open] { openReport([&] { open(this, coyCode); }); });
        } else {
            // The bank statement report takes the company code as text.
            connect(button, &QPushButton::clicked, this, [this] {
                openReport([&] { commands::openBankStatementReport(this, QString::number(coyCode)); });
            });
        }
    }
    auto* exit = launcherButton(this, "ExitButton", QStringLiteral("E&xit"));
    connect(exit, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    auto* exitRow = new QHBoxLayout;
    exitRow->addStretch();
    exitRow->addWidget(exit);
    layout->addLayout(exitRow);
    resize(440, 280);
}

template <class F>
void TQVReportsForm::openReport(F&& open)
{
    open();
    FormActivate();
}

void TQVReportsForm::FormActivate()
{
    ui::guarded(this, [&] { setWindowTitle(app::captions::reportsFor(lookup_.nameOf(coyCode))); });
}

void TQVReportsForm::showEvent(QShowEvent* event)
{
    ui::FormBase::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TQVReportsForm::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous()) lookup_.close();
    ui::FormBase::hideEvent(event);
}

// --- Tools ---------------------------------------------------------------------------------

TQVToolsForm::TQVToolsForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("QVToolsForm"), 810)
{
    setWindowTitle(QStringLiteral("Quorvel - Tools"));
    using namespace app;

    auto* backup = launcherButton(this, "BackupButton", QStringLiteral("&Backup Entire System"));
    auto* recover = launcherButton(this, "RecoverButton", QStringLiteral("&Recover System"));
    auto* optimise = launcherButton(this, "OptimiseButton", QStringLiteral("&Optomise System"));
    auto* repair = launcherButton(this, "RepairButton", QStringLiteral("Re&pair data"));
    auto* clear = launcherButton(this, "ClearYearButton", QStringLiteral("&Clear Previous Year"));
    auto* exit = launcherButton(this, "ExitButton", QStringLiteral("E&xit"));

    auto* layout = new QVBoxLayout(this);
    for (QPushButton* b : {backup, recover, optimise, repair, clear}) layout->addWidget(b);
    layout->addSpacing(6);
    layout->addWidget(exit);

    connect(backup, &QPushButton::clicked, this, [this] { commands::openArchive(this); });
    connect(recover, &QPushButton::clicked, this, [this] { commands::openRestore(this); });
    connect(optimise, &QPushButton::clicked, this, [this] { commands::openDatabaseRebuild(this); });
    connect(repair, &QPushButton::clicked, this, [this] { commands::openIndexRebuild(this); });
    connect(clear, &QPushButton::clicked, this, [this] { commands::openClearPreviousYears(this); });
    connect(exit, &QPushButton::clicked, this, &QDialog::close);
    resize(300, 290);
}

// --- Settings ------------------------------------------------------------------------------

TQVSetupForm::TQVSetupForm(QWidget* owner) : ui::FormBase(owner, QStringLiteral("QVSetupForm"), 60)
{
    setWindowTitle(QStringLiteral("Setup"));
    using namespace app;

    auto* company = launcherButton(this, "CompanyButton", QStringLiteral("&Company control"));
    auto* codes = launcherButton(this, "CodesButton", QStringLiteral("Co&des and accounts"));
    auto* banks = launcherButton(this, "BankDetailsButton", QStringLiteral("&Bank Details"));
    auto* tax = launcherButton(this, "SalesTaxButton", QStringLiteral("&Sales tax settings"));
    auto* mainMenu = launcherButton(this, "MainMenuButton", QStringLiteral("&Main Menu"));

    auto steps = [this](std::initializer_list<std::pair<const char*, QString>> lines) {
        auto* box = new QVBoxLayout;
        box->setSpacing(2);
        for (const auto& [name, text] : lines) {
            auto* label = new QLabel(text, this);
            label->setObjectName(QLatin1String(name));
            box->addWidget(label);
        }
        box->addStretch();
        return box;
    };

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(12);
    grid->addWidget(boldLabel(this, "Step1Label", QStringLiteral("Step 1")), 0, 0, Qt::AlignTop);
    grid->addWidget(company, 0, 1, Qt::AlignTop);
    grid->addLayout(steps({{"DeptLabel", QStringLiteral("1. Department(s)")}}), 0, 2);
    grid->addWidget(boldLabel(this, "Step2Label", QStringLiteral("Step 2")), 1, 0, Qt::AlignTop);
    grid->addWidget(codes, 1, 1, Qt::AlignTop);
    grid->addLayout(steps({{"LedgerLabel", QStringLiteral("2.  Accounts ledger")}}), 1, 2);
    grid->addWidget(boldLabel(this, "Step3Label", QStringLiteral("Step 3")), 2, 0, Qt::AlignTop);
    grid->addWidget(banks, 2, 1, Qt::AlignTop);
    grid->addLayout(steps({{"BanksLabel", QStringLiteral("3. Banks")},
                           {"BankAcctsLabel", QStringLiteral("4. Bank Accounts")},
                           {"OpeningLabel", QStringLiteral("5. Opening balances")},
                           {"RecurringLabel", QStringLiteral("6. Recurring Transactions")}}),
                    2, 2);
    grid->addWidget(boldLabel(this, "Step4Label", QStringLiteral("Step 4 (Required if not NZ)")), 3,
                    0, 1, 1, Qt::AlignTop);
    grid->addWidget(tax, 3, 1, Qt::AlignTop);
    grid->setColumnStretch(2, 1);
    grid->setColumnMinimumWidth(1, 170);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(mainMenu);
    layout->addLayout(bottom);
    layout->addWidget(
        statusPanel(this, QStringLiteral("If setting up for the first time, follow the sequence shown.")));
    layout->setContentsMargins(9, 9, 9, 0);

    connect(company, &QPushButton::clicked, this, [this] { commands::openCompanyMaintenance(this); });
    connect(codes, &QPushButton::clicked, this, [this] { commands::openCodesAndAccounts(this); });
    connect(banks, &QPushButton::clicked, this, [this] {
        commands::openBankMaintenance(this, std::nullopt,
                                      QStringLiteral("Setting up bank(s) and bank account(s)."));
    });
    connect(tax, &QPushButton::clicked, this,
            [this] { commands::openSalesTaxSettings(this, coyCode); });
    connect(mainMenu, &QPushButton::clicked, this, &QDialog::close);
    resize(520, 340);
}
