#include "app/controlcentre.h"

#include "app/activecompany.h"
#include "app/commands.h"
#include "app/controlcentre_charts.h"
#include "app/controlcentre_figures.h"
#include "ledger/company.h"
#include "store/format.h"
#include "store/inifile.h"
#include "store/paths.h"
#include "store/table.h"
#include "ui/datagrid.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"
#include "ui/placement.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace cc = app::controlcentre;

ControlCentreCommands ControlCentreCommands::fromApp()
{
    namespace cmd = app::commands;
    ControlCentreCommands c;
    c.company = cmd::openCompanyMaintenance;
    c.departments = cmd::openCodesAndAccounts;
    c.ledger = cmd::openCodesAndAccounts;
    c.bank = [](QWidget* owner, const QString& caption) {
        return cmd::openBankMaintenance(owner, true, caption);
    };
    c.suppliers = cmd::openSupplierMaintenance;
    c.nzTaxReturn = cmd::openNzTaxReturn;
    c.ausTaxReturn = cmd::openAusTaxReturn;
    c.cash = cmd::openCashTransactions;
    c.budgets = cmd::openBudgetOperations;
    c.import = cmd::openBankStatementImport;
    c.cheques = cmd::openChequeEntry;
    c.transactions = cmd::openBankTransactions;
    c.reconciliation = cmd::openBankReconciliation;
    c.recurring = cmd::runRecurringTransactions;
    c.reports = cmd::openReportsLauncher;
    return c;
}

namespace {

const QString kCaption = QStringLiteral("Quorvel - Control Centre : ");

QToolButton* toolButton(QWidget* parent, QLayout* layout, const char* name, const QString& text,
                        const QString& hint)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(hint);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setMinimumHeight(34);
    layout->addWidget(b);
    return b;
}

QLineEdit* readOnlyBox(QWidget* parent, const char* name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    return e;
}

QLabel* figure(QWidget* parent, const char* name)
{
    auto* l = new QLabel(cc::kNothingAdded, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(90);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

int stateNumber(Qt::WindowStates states)
{
    if (states & Qt::WindowMinimized) return 1;
    if (states & Qt::WindowMaximized) return 2;
    return 0;
}

Qt::WindowStates windowStateOf(int number, Qt::WindowStates current)
{
    switch (number) {
    case 0: return Qt::WindowNoState;
    case 1: return Qt::WindowMinimized;
    case 2: return Qt::WindowMaximized;
    default: return current;
    }
}

store::IniFile programIni()
{
    return store::IniFile(store::paths::programFolder() + QStringLiteral("NRVCash.ini"));
}

}  // namespace

TQVCoyOpsForm::TQVCoyOpsForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("QVCoyOpsForm"), 40)
{
    setObjectName(QStringLiteral("QVCoyOpsForm"));
    setWindowTitle(QStringLiteral("Control Centre"));
    auto* layout = new QVBoxLayout(this);

    // --- Tool bar ---
    auto* bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setFrameShape(QFrame::StyledPanel);
    auto* tools = new QHBoxLayout(bar);
    tools->setContentsMargins(2, 2, 2, 2);
    tools->setSpacing(1);
    struct Tool {
        const char* name;
        QString text, hint;
        void (TQVCoyOpsForm::*click)();
    };
    const QList<Tool> toolList = {
        {"CompanyButton", "Company", "Change Company data", &TQVCoyOpsForm::CompanyButtonClick},
        {"DepartmentButton", "Department", "Change Department data",
         &TQVCoyOpsForm::DepartmentButtonClick},
        {"LedgerButton", "Ledger", "Manage the accounts ledger", &TQVCoyOpsForm::LedgerButtonClick},
        {"BankButton", "Bank", "Bank details, accounts and recurring transaction set up.",
         &TQVCoyOpsForm::BankButtonClick},
        {"SuppliersButton", "Suppliers", QString(), &TQVCoyOpsForm::SuppliersButtonClick},
        {"SalesTaxButton", "Sales tax", QString(), &TQVCoyOpsForm::SalesTaxButtonClick},
        {"CashButton", "Cash", "Non-bank Cash Transactions", &TQVCoyOpsForm::CashButtonClick},
        {"BudgetsButton", "Budgets", "Maintain account budgets", &TQVCoyOpsForm::BudgetsButtonClick},
        {"ImportButton", "Import", "Import transactions from your bank's web site",
         &TQVCoyOpsForm::ImportButtonClick},
        {"ChequesButton", "Cheques", "Cheques/Payments", &TQVCoyOpsForm::ChequesButtonClick},
        {"TransactionsButton", "Transactions", "Bank Account Transactions",
         &TQVCoyOpsForm::TransactionsButtonClick},
        {"ReconciliationButton", "Reconciliation", "Carry out bank account reconciliation",
         &TQVCoyOpsForm::ReconciliationButtonClick},
        {"RecTransButton", "Rec. Trans", "Run manual recurring transactions",
         &TQVCoyOpsForm::RecTransButtonClick},
        {"ReportsButton", "Reports", "Main reports menu", &TQVCoyOpsForm::ReportsButtonClick},
    };
    for (const Tool& t : toolList) {
        QToolButton* b = toolButton(bar, tools, t.name, t.text, t.hint);
        connect(b, &QToolButton::clicked, this, [this, click = t.click] {
            ui::guarded(this, [&] { (this->*click)(); });
        });
        if (t.click == &TQVCoyOpsForm::SalesTaxButtonClick) salesTaxButton_ = b;
    }
    tools->addStretch();
    QToolButton* exit = toolButton(bar, tools, "ExitButton", QStringLiteral("Exit"), QString());
    connect(exit, &QToolButton::clicked, this, &QDialog::accept);
    layout->addWidget(bar);

    // --- Company, tax, departments ---
    auto* top = new QHBoxLayout;
    auto* company = new QGroupBox(QStringLiteral("  Company  "), this);
    company->setObjectName(QStringLiteral("CompanyGroup"));
    auto* companyForm = new QFormLayout(company);
    nameEdit_ = readOnlyBox(company, "BusNameEdit");
    codeEdit_ = readOnlyBox(company, "BusCodeEdit");
    descEdit_ = readOnlyBox(company, "CoyDescEdit");
    companyForm->addRow(QStringLiteral("Name"), nameEdit_);
    companyForm->addRow(QStringLiteral("Code"), codeEdit_);
    auto* descLabel = new QLabel(QStringLiteral("&Description"), company);
    descLabel->setBuddy(descEdit_);
    companyForm->addRow(descLabel, descEdit_);

    auto* tax = new QGroupBox(QStringLiteral(" Tax Settings  "), this);
    tax->setObjectName(QStringLiteral("TaxGroup"));
    tax->setEnabled(false);
    auto* taxLayout = new QVBoxLayout(tax);
    taxEnabledLabel_ = new QLabel(tax);
    taxEnabledLabel_->setObjectName(QStringLiteral("TaxEnabledLabel"));
    taxNumberLabel_ = new QLabel(tax);
    taxNumberLabel_->setObjectName(QStringLiteral("TaxNumberLabel"));
    taxPercentLabel_ = new QLabel(tax);
    taxPercentLabel_->setObjectName(QStringLiteral("TaxPercentLabel"));
    for (QLabel* l : {taxEnabledLabel_, taxNumberLabel_, taxPercentLabel_}) taxLayout->addWidget(l);

    auto* companyColumn = new QVBoxLayout;
    companyColumn->addWidget(company);
    companyColumn->addWidget(tax);
    top->addLayout(companyColumn, 3);

    auto* depts = new QGroupBox(QStringLiteral("  Departments  "), this);
    depts->setObjectName(QStringLiteral("DepartmentsGroup"));
    auto* deptLayout = new QVBoxLayout(depts);
    deptGrid_ = new ui::DataGrid(depts);
    deptGrid_->setObjectName(QStringLiteral("DeptGrid"));
    deptGrid_->setMinimumHeight(90);
    deptLayout->addWidget(deptGrid_, 1);
    deptNavigator_ = new ui::Navigator(depts);
    deptNavigator_->setObjectName(QStringLiteral("DeptNavigator"));
    deptLayout->addWidget(deptNavigator_, 0, Qt::AlignLeft);
    top->addWidget(depts, 2);
    layout->addLayout(top, 0);

    // --- Bank accounts ---
    auto* banks = new QGroupBox(QStringLiteral("  Bank Accounts  "), this);
    banks->setObjectName(QStringLiteral("BankAccountsGroup"));
    auto* bankLayout = new QVBoxLayout(banks);
    bankGrid_ = new ui::DataGrid(banks);
    bankGrid_->setObjectName(QStringLiteral("BankGrid"));
    bankGrid_->setMinimumHeight(110);
    bankLayout->addWidget(bankGrid_, 1);
    auto* bankRow = new QHBoxLayout;
    bankNavigator_ = new ui::Navigator(banks);
    bankNavigator_->setObjectName(QStringLiteral("BankNavigator"));
    bankRow->addWidget(bankNavigator_, 0, Qt::AlignTop);
    bankRow->addStretch();
    auto* totals = new QFormLayout;
    totals->setLabelAlignment(Qt::AlignRight);
    bankTotal_ = figure(banks, "BankTotalLabel");
    overdraftTotal_ = figure(banks, "OverdraftTotalLabel");
    fundsTotal_ = figure(banks, "FundsTotalLabel");
    totals->addRow(QStringLiteral("Total in bank accounts :"), bankTotal_);
    totals->addRow(QStringLiteral("Total Overdraft facility :"), overdraftTotal_);
    totals->addRow(QStringLiteral("Total Funds :"), fundsTotal_);
    bankRow->addLayout(totals);
    bankLayout->addLayout(bankRow);
    layout->addWidget(banks, 2);

    // --- Profit and loss ---
    auto* pl = new QGroupBox(QStringLiteral("  Date Range of Profit/Loss Calculation  "), this);
    pl->setObjectName(QStringLiteral("ProfitLossGroup"));
    auto* plLayout = new QGridLayout(pl);
    fromDate_ = new ui::DateBox(pl);
    fromDate_->setObjectName(QStringLiteral("FromDateBox"));
    toDate_ = new ui::DateBox(pl);
    toDate_->setObjectName(QStringLiteral("ToDateBox"));
    recalcButton_ = new QPushButton(QStringLiteral("Recalculate "), pl);
    recalcButton_->setObjectName(QStringLiteral("RecalcButton"));
    recalcButton_->setDefault(true);
    auto* between = new QLabel(QStringLiteral("Transactions between :"), pl);
    between->setBuddy(fromDate_);
    auto* andLabel = new QLabel(QStringLiteral("and :"), pl);
    andLabel->setBuddy(toDate_);
    plLayout->addWidget(between, 0, 0);
    plLayout->addWidget(fromDate_, 0, 1);
    plLayout->addWidget(andLabel, 0, 2);
    plLayout->addWidget(toDate_, 0, 3);
    plLayout->addWidget(recalcButton_, 0, 4);
    income_ = figure(pl, "IncomeLabel");
    expenditure_ = figure(pl, "ExpenditureLabel");
    profitLoss_ = figure(pl, "ProfitLossLabel");
    const QList<std::pair<QString, QLabel*>> results = {
        {QStringLiteral("Income :"), income_},
        {QStringLiteral("Expenditure :"), expenditure_},
        {QStringLiteral("Profit/Loss :"), profitLoss_}};
    int column = 0;
    for (const auto& [caption, label] : results) {
        auto* c = new QLabel(caption, pl);
        c->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        plLayout->addWidget(c, 1, column);
        plLayout->addWidget(label, 1, column + 1);
        column += 2;
    }
    rangeLine_ = new QLabel(pl);
    rangeLine_->setObjectName(QStringLiteral("RangeLabel"));
    plLayout->addWidget(rangeLine_, 2, 0, 1, 6);
    chartsBox_ = new QCheckBox(QStringLiteral("Show c&harts"), pl);
    chartsBox_->setObjectName(QStringLiteral("ChartsBox"));
    chartsBox_->setChecked(true);
    plLayout->addWidget(chartsBox_, 3, 0, 1, 6);
    plLayout->setColumnStretch(6, 1);
    plLayout->setRowStretch(4, 1);
    // The charts stand beside the figures they picture.
    auto* plRow = new QHBoxLayout;
    pl->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    plRow->addWidget(pl, 0);
    charts_ = new ControlCentreCharts(this);
    charts_->setMinimumSize(480, 200);
    plRow->addWidget(charts_, 1);
    layout->addLayout(plRow, 3);

    // --- Status bar: today ---
    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar"));
    status->setSizeGripEnabled(false);
    datePanel_ = new QLabel(status);
    datePanel_->setObjectName(QStringLiteral("DatePanel"));
    status->addWidget(datePanel_, 1);
    layout->addWidget(status);

    connect(chartsBox_, &QCheckBox::toggled, this,
            [this](bool shown) { ui::guarded(this, [&] { chartsToggled(shown); }); });
    connect(recalcButton_, &QPushButton::clicked, this,
            [this] { ui::guarded(this, [this] { RecalcButtonClick(); }); });
    connect(deptNavigator_, &ui::Navigator::moved, deptGrid_, &ui::DataGrid::syncToTable);
    connect(deptGrid_, &ui::DataGrid::currentRecordChanged, deptNavigator_,
            &ui::Navigator::updateButtons);
    connect(bankNavigator_, &ui::Navigator::moved, bankGrid_, &ui::DataGrid::syncToTable);
    connect(bankGrid_, &ui::DataGrid::currentRecordChanged, bankNavigator_,
            &ui::Navigator::updateButtons);

    setTabOrder(fromDate_, toDate_);
    setTabOrder(toDate_, recalcButton_);
    setTabOrder(recalcButton_, chartsBox_);
    resize(1180, 740);
}

TQVCoyOpsForm::~TQVCoyOpsForm() { closeTables(); }

QDate TQVCoyOpsForm::fromDate() const { return fromDate_->dateValue(); }
QDate TQVCoyOpsForm::toDate() const { return toDate_->dateValue(); }

void TQVCoyOpsForm::showEvent(QShowEvent* event)
{
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
        FormActivate();
    }
}

void TQVCoyOpsForm::FormShow()
{
    const QDate today = QDate::currentDate();
    fromDate_->setDateValue(today.addDays(-365));
    ui::guarded(this, [&] {
        ui::ensurePlacementFile();
        const store::IniFile ini = programIni();
        const Qt::WindowStates current = windowState();
        const Qt::WindowStates wanted =
            windowStateOf(cc::readState(ini, stateNumber(current)), current);
        if (wanted != current) setWindowState(wanted);
        // A BegDate that is not a date is reported; the range then starts a year back.
        fromDate_->setDateValue(cc::readFromDate(ini, today));
        const QSignalBlocker quiet(chartsBox_);
        chartsBox_->setChecked(cc::readChartsShown(ini));
        charts_->setVisible(chartsBox_->isChecked());
    });
}

void TQVCoyOpsForm::FormActivate()
{
    if (!openTables()) {
        closeTables();
        ui::beep();
        ui::error(this, QStringLiteral("Unable to open all tables!"));
        // Closing from inside the show would leave a modal exec() without its loop.
        QTimer::singleShot(0, this, [this] { reject(); });
        return;
    }
    showCompany();
    datePanel_->setText(QDate::currentDate().toString(QStringLiteral("dd MMM yyyy")));
    toDate_->setDateValue(QDate::currentDate());
    ui::guarded(this, [this] {
        computeBankTotals();
        computeProfitAndLoss();
    });
}

bool TQVCoyOpsForm::openTables()
{
    try {
        connection_.connect(QStringLiteral("NRV"));
        control_ = std::make_unique<store::Table>(connection_, QStringLiteral("QVCntrl.DBF"));
        control_->setIndexName(QStringLiteral("COYCODE"));
        control_->open();
        control_->first();
        coy_ = int(control_->integer(QStringLiteral("COYCODE")));
        departments_ = std::make_unique<store::Table>(connection_, QStringLiteral("QVCoy.DBF"));
        departments_->setIndexName(QStringLiteral("COYCODE"));
        departments_->open();
        departments_->setMasterRange(QStringLiteral("COYCODE"), coy_);
        deptGrid_->bindTable(connection_, departments_.get(),
                             {{QStringLiteral("DEPTCODE"), QStringLiteral("Code")},
                              {QStringLiteral("BUSNAME"), QStringLiteral("Name")}});
        deptGrid_->horizontalHeader()->setStretchLastSection(true);
        deptNavigator_->setTable(departments_.get());
        bankAccounts_ = std::make_unique<store::Table>(connection_, QStringLiteral("QVBnkAct.DBF"));
        bankAccounts_->setIndexName(QStringLiteral("COYCODE"));
        bankAccounts_->open();
        bankAccounts_->setMasterRange(QStringLiteral("COYCODE"), QString::number(coy_));
        const auto yesNo = [](const QVariant& v) {
            return v.toLongLong() != 0 ? QStringLiteral("Yes") : QStringLiteral("No");
        };
        bankGrid_->bindTable(connection_, bankAccounts_.get(),
                             {{QStringLiteral("BANKCODE"), QStringLiteral("Bank")},
                              {QStringLiteral("ACCTNO"), QStringLiteral("Account No")},
                              {QStringLiteral("DESC"), QStringLiteral("Description")},
                              ui::moneyColumn(QStringLiteral("CURRBAL"), QStringLiteral("Current Bal.")),
                              ui::moneyColumn(QStringLiteral("RECAMOUNT"), QStringLiteral("Rec. Amt.")),
                              ui::dateColumn(QStringLiteral("REC_DATE"), QStringLiteral("Rec. Date")),
                              {QStringLiteral("ALLOWOD"), QStringLiteral("OD"), yesNo},
                              ui::moneyColumn(QStringLiteral("ODAMOUNT"), QStringLiteral("OD Limit"))});
        bankGrid_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
        bankNavigator_->setTable(bankAccounts_.get());
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void TQVCoyOpsForm::closeTables()
{
    deptNavigator_->setTable(nullptr);
    bankNavigator_->setTable(nullptr);
    deptGrid_->unbind();
    bankGrid_->unbind();
    bankAccounts_.reset();
    departments_.reset();
    control_.reset();
    connection_.disconnect();
}

void TQVCoyOpsForm::showCompany()
{
    if (!control_ || !control_->hasRecord()) return;
    const store::Table& t = *control_;
    setWindowTitle(kCaption + t.text(QStringLiteral("BUSNAME")));
    nameEdit_->setText(t.text(QStringLiteral("BUSNAME")));
    codeEdit_->setText(t.text(QStringLiteral("BUSCODE")));
    descEdit_->setText(t.text(QStringLiteral("COYDESC")));
    const bool taxOn = t.integer(QStringLiteral("GSTENABLED")) == 1;
    taxEnabledLabel_->setText(taxOn ? QStringLiteral("Tax calculations enabled.")
                                    : QStringLiteral("Tax calculations disabled."));
    const QString number = t.text(QStringLiteral("GSTNUMBER"));
    taxNumberLabel_->setText(number.isEmpty() ? QStringLiteral("No tax number.")
                                              : QStringLiteral("Tax number is: ") + number);
    taxPercentLabel_->setText(QStringLiteral("Default percent is : ")
                              + ledger::percentText(t.number(QStringLiteral("GSTPERCENT"))));
    const QString country = t.text(QStringLiteral("COUNTRY"));
    const bool salesTax =
        taxOn && (country == QLatin1String("NZ") || country == QLatin1String("AUS"));
    salesTaxButton_->setVisible(salesTax);
    salesTaxButton_->setEnabled(salesTax);
}

void TQVCoyOpsForm::reopenBankAccounts()
{
    if (!bankAccounts_) return;
    bankAccounts_->close();
    bankAccounts_->open();
    bankAccounts_->first();
    bankGrid_->refresh();
    bankNavigator_->updateButtons();
}

void TQVCoyOpsForm::computeBankTotals()
{
    if (!connection_.isConnected()) return;
    const cc::BankTotals totals = cc::readBankTotals(connection_, coy_);
    bankTotal_->setText(totals.inBank);
    overdraftTotal_->setText(totals.overdraft);
    fundsTotal_->setText(totals.funds);
    if (figuresReady_) refreshCharts();
}

void TQVCoyOpsForm::computeProfitAndLoss()
{
    if (!connection_.isConnected()) return;
    income_->setText(cc::kNothingAdded);
    expenditure_->setText(cc::kNothingAdded);
    profitLoss_->setText(cc::kNothingAdded);
    rangeLine_->setText(cc::rangeLine(fromDate(), toDate()));
    figuresReady_ = false;
    chartFrom_ = fromDate();
    chartTo_ = toDate();
    accounts_ = cc::readLedgerAccounts(connection_, coy_);
    monthSums_ = cc::readJournalMonthSums(connection_, coy_, chartFrom_, chartTo_);
    const cc::ProfitAndLoss figures = cc::profitAndLoss(accounts_, cc::sumsByAccount(monthSums_));
    income_->setText(figures.income);
    expenditure_->setText(figures.expenditure);
    profitLoss_->setText(figures.profitLoss);
    figuresReady_ = true;
    refreshCharts();
}

void TQVCoyOpsForm::refreshCharts()
{
    // Hidden charts cost nothing; showing them again draws them afresh.
    if (!chartsBox_->isChecked() || !connection_.isConnected()) return;
    std::vector<cc::MonthFigures> months =
        cc::monthlyProfitAndLoss(accounts_, monthSums_, chartFrom_, chartTo_);
    cc::setBankTotals(months, bankTotal_->text().toDouble(),
                      cc::readBankMovements(connection_, coy_, chartFrom_, chartTo_));
    charts_->showMonths(months);
}

void TQVCoyOpsForm::chartsToggled(bool shown)
{
    charts_->setVisible(shown);
    store::IniFile ini = programIni();
    cc::writeChartsShown(ini, shown);
    if (shown && figuresReady_) refreshCharts();
}

// --- Tool bar ------------------------------------------------------------------------------

void TQVCoyOpsForm::CompanyButtonClick()
{
    commands.company(this);
    // Company maintenance does not say whether it saved; reading the record again shows the
    // same panels when it did not.
    if (!control_) return;
    control_->refresh();
    showCompany();
}

void TQVCoyOpsForm::DepartmentButtonClick() { commands.departments(this); }

void TQVCoyOpsForm::LedgerButtonClick() { commands.ledger(this); }

void TQVCoyOpsForm::BankButtonClick()
{
    if (!commands.bank(this, QStringLiteral("Maintain Bank details."))) return;
    reopenBankAccounts();
    computeBankTotals();
}

void TQVCoyOpsForm::SuppliersButtonClick() { commands.suppliers(this, coy_); }

void TQVCoyOpsForm::SalesTaxButtonClick()
{
    if (!control_ || !control_->hasRecord()) return;
    const QString country = control_->text(QStringLiteral("COUNTRY"));
    if (country == QLatin1String("NZ")) commands.nzTaxReturn(this, coy_);
    else if (country == QLatin1String("AUS")) commands.ausTaxReturn(this, coy_);
}

void TQVCoyOpsForm::CashButtonClick()
{
    commands.cash(this, coy_, app::captions::cashTransactionsOf(nameEdit_->text()));
    computeProfitAndLoss();
}

void TQVCoyOpsForm::BudgetsButtonClick() { commands.budgets(this, coy_); }

void TQVCoyOpsForm::ImportButtonClick() { commands.import(this, coy_); }

void TQVCoyOpsForm::ChequesButtonClick()
{
    commands.cheques(this, QString::number(coy_));
    computeProfitAndLoss();
    reopenBankAccounts();
    computeBankTotals();
}

void TQVCoyOpsForm::TransactionsButtonClick()
{
    commands.transactions(this, QString::number(coy_));
    reopenBankAccounts();
    computeBankTotals();
    computeProfitAndLoss();
}

void TQVCoyOpsForm::ReconciliationButtonClick()
{
    commands.reconciliation(this, coy_, app::captions::bankReconciliationFor(nameEdit_->text()));
    reopenBankAccounts();
    computeBankTotals();
    computeProfitAndLoss();
}

void TQVCoyOpsForm::RecTransButtonClick()
{
    const QString name = nameEdit_->text();
    if (!commands.recurring(this, QString::number(coy_), name, app::captions::recurringFor(name)))
        return;
    reopenBankAccounts();
    computeBankTotals();
    computeProfitAndLoss();
}

void TQVCoyOpsForm::ReportsButtonClick() { commands.reports(this, coy_); }

void TQVCoyOpsForm::RecalcButtonClick() { computeProfitAndLoss(); }

// --- Closing -------------------------------------------------------------------------------

void TQVCoyOpsForm::FormClose()
{
    ui::guarded(this, [this] {
        store::IniFile ini = programIni();
        cc::writeStateAndFromDate(ini, stateNumber(windowState()), fromDate());
    });
    closeTables();
}

void TQVCoyOpsForm::done(int result)
{
    FormClose();
    ui::FormBase::done(result);
}
