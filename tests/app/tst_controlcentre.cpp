// The control centre: the company's panels and figures, the tool bar's operations and what the
// window recomputes after each, the from date kept between runs, and a store it cannot open.
#include "app/controlcentre.h"
#include "app/controlcentre_charts.h"
#include "app/controlcentre_figures.h"
#include "app/launchers.h"
#include "app/mainform.h"
#include "banking/bank_posting.h"
#include "banking/sample_company.h"
#include "shelltest.h"
#include "store/format.h"
#include "store/inifile.h"
#include "store/paths.h"
#include "support/qt/modalwait.h"
#include "ui/datagrid.h"
#include "ui/datebox.h"
#include "ui/messages.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using shelltest::click;
namespace cc = app::controlcentre;

namespace {

QString labelText(QWidget* w, const char* name)
{
    auto* l = w->findChild<QLabel*>(QLatin1String(name));
    return l ? l->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

QString boxText(QWidget* w, const char* name)
{
    auto* e = w->findChild<QLineEdit*>(QLatin1String(name));
    return e ? e->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

ui::DateBox* dateBox(QWidget* w, const char* name)
{
    return w->findChild<ui::DateBox*>(QLatin1String(name));
}

ui::DataGrid* grid(QWidget* w, const char* name)
{
    return w->findChild<ui::DataGrid*>(QLatin1String(name));
}

QToolButton* tool(QWidget* w, const QString& name)
{
    return w->findChild<QToolButton*>(name);
}

void makeSample(int entries)
{
    store::Connection c;
    c.connect();
    banking::sample::makeDemoCompany(c, QDate::currentDate());
    if (entries > 0) banking::sample::postDemoEntries(c, entries, QDate::currentDate(), 5, entries);
}

store::IniFile programIni()
{
    return store::IniFile(store::paths::programFolder() + QStringLiteral("NRVCash.ini"));
}

// Every command of the tool bar writes what it was given into `calls`.
ControlCentreCommands recordingCommands(QStringList* calls)
{
    ControlCentreCommands c;
    c.company = [=](QWidget*) { *calls << "company"; };
    c.departments = [=](QWidget*) { *calls << "departments"; };
    c.ledger = [=](QWidget*) { *calls << "ledger"; };
    c.bank = [=](QWidget*, const QString& caption) {
        *calls << "bank|" + caption;
        return false;
    };
    c.suppliers = [=](QWidget*, int coy) { *calls << QStringLiteral("suppliers|%1").arg(coy); };
    c.nzTaxReturn = [=](QWidget*, int coy) { *calls << QStringLiteral("gst nz|%1").arg(coy); };
    c.ausTaxReturn = [=](QWidget*, int coy) { *calls << QStringLiteral("gst aus|%1").arg(coy); };
    c.cash = [=](QWidget*, int coy, const QString& caption) {
        *calls << QStringLiteral("cash|%1|%2").arg(coy).arg(caption);
    };
    c.budgets = [=](QWidget*, int coy) { *calls << QStringLiteral("budgets|%1").arg(coy); };
    c.import = [=](QWidget*, int coy) { *calls << QStringLiteral("import|%1").arg(coy); };
    c.cheques = [=](QWidget*, const QString& coy) { *calls << "cheques|" + coy; };
    c.transactions = [=](QWidget*, const QString& coy) { *calls << "transactions|" + coy; };
    c.reconciliation = [=](QWidget*, int coy, const QString& caption) {
        *calls << QStringLiteral("reconciliation|%1|%2").arg(coy).arg(caption);
    };
    c.recurring = [=](QWidget*, const QString& coy, const QString& name, const QString& caption) {
        *calls << "recurring|" + coy + "|" + name + "|" + caption;
        return false;
    };
    c.reports = [=](QWidget*, int coy) { *calls << QStringLiteral("reports|%1").arg(coy); };
    return c;
}

// A deposit to the cheque account, posted as the bank transaction window posts it.
void depositToChequeAccount(double amount, const QString& ledger)
{
    store::Connection c;
    c.connect();
    banking::BankEntry e;
    e.coy = 1;
    e.bankCode = QStringLiteral("030100");
    e.acctNo = QStringLiteral("0123456-00");
    e.type = banking::EntryType::Deposit;
    e.reference = banking::reserveReferenceNumber(c, 1, e.bankCode, e.acctNo);
    e.date = QDate::currentDate();
    e.amount = amount;
    e.ledgerAccount = ledger;
    e.source = QStringLiteral("EFTPOS");
    e.narrative = QStringLiteral("Function catering");
    const banking::SaveResult r =
        banking::saveBankEntry(c, e, banking::EntryMode::Add, banking::alwaysYes);
    QVERIFY2(r.ok(), qPrintable(r.message + " " + r.detail));
}

void setCurrentBalance(const QString& acctNo, double balance)
{
    store::Connection c;
    c.connect();
    store::Table t(c, "QVBnkAct.DBF");
    t.setIndexName("ACCTNO");
    t.open();
    QVERIFY(t.findKey(acctNo));
    t.edit();
    t.setValue("CURRBAL", balance);
    t.post();
}

}  // namespace

class TestControlCentre : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTheSampleCompanyAndItsTrueFigures();
    void bankAccountsGridColumnsAndFormats();
    void salesTaxButtonFollowsTaxAndCountry_data();
    void salesTaxButtonFollowsTaxAndCountry();
    void taxPanelTexts_data();
    void taxPanelTexts();
    void fromDateRestoredOnReopening();
    void fromDateAbsentIsAYearBack();
    void aFromDateThatIsNotADateIsReported();
    void recalculateUsesTheRange();
    void chartsHiddenStayHiddenOnReopening();
    void toolBarButtonsOpenTheirWindowsWithTheirInputs_data();
    void toolBarButtonsOpenTheirWindowsWithTheirInputs();
    void bankEntryFromTheToolBarChangesTheTotals();
    void bankMaintenanceRefreshesOnlyWhenItReportsAChange();
    void companyMaintenanceRefillsThePanels();
    void unableToOpenAllTables();
    void opensFromTheOperationsLauncher();
    void opensFromTheMainMenu();

private:
    std::unique_ptr<shelltest::FreshHome> home_;
};

void TestControlCentre::init()
{
    home_ = std::make_unique<shelltest::FreshHome>();
}

void TestControlCentre::cleanup() { home_.reset(); }

void TestControlCentre::showsTheSampleCompanyAndItsTrueFigures()
{
    makeSample(200);
    TQVCoyOpsForm w;
    w.show();
    QCOMPARE(w.windowTitle(), QStringLiteral("Quorvel - Control Centre : Harbour Street Cafe Ltd"));
    QCOMPARE(boxText(&w, "BusNameEdit"), QStringLiteral("Harbour Street Cafe Ltd"));
    QCOMPARE(boxText(&w, "CoyDescEdit"), QStringLiteral("Cafe and catering, Wellington"));
    QVERIFY(!boxText(&w, "BusCodeEdit").isEmpty());
    QCOMPARE(labelText(&w, "DatePanel"),
             QDate::currentDate().toString(QStringLiteral("dd MMM yyyy")));
    QCOMPARE(w.toDate(), QDate::currentDate());
    QCOMPARE(w.fromDate(), QDate::currentDate().addDays(-365));

    QCOMPARE(grid(&w, "DeptGrid")->lazyModel()->rowCount(), 2);
    QCOMPARE(grid(&w, "DeptGrid")->lazyModel()->textAt(0, 0), QStringLiteral("CAFE"));
    QCOMPARE(grid(&w, "DeptGrid")->lazyModel()->textAt(1, 1), QStringLiteral("Catering"));

    store::Connection c;
    c.connect();
    const cc::BankTotals banks = cc::readBankTotals(c, 1);
    QCOMPARE(labelText(&w, "BankTotalLabel"), banks.inBank);
    QCOMPARE(labelText(&w, "OverdraftTotalLabel"), QStringLiteral("6000.00"));
    QCOMPARE(labelText(&w, "FundsTotalLabel"), banks.funds);
    const cc::ProfitAndLoss pl =
        cc::readProfitAndLoss(c, 1, QDate::currentDate().addDays(-365), QDate::currentDate());
    QVERIFY(pl.income != cc::kNothingAdded);
    QCOMPARE(labelText(&w, "IncomeLabel"), pl.income);
    QCOMPARE(labelText(&w, "ExpenditureLabel"), pl.expenditure);
    QCOMPARE(labelText(&w, "ProfitLossLabel"), pl.profitLoss);
    QCOMPARE(labelText(&w, "RangeLabel"),
             "Income/expenditure between : "
                 + store::fmt::shortDate(QDate::currentDate().addDays(-365)) + " and "
                 + store::fmt::shortDate(QDate::currentDate()));
    w.close();
}

void TestControlCentre::bankAccountsGridColumnsAndFormats()
{
    makeSample(0);
    setCurrentBalance("7654321-01", 1234.5);
    TQVCoyOpsForm w;
    w.show();
    ui::LazyTableModel* m = grid(&w, "BankGrid")->lazyModel();
    QStringList headings;
    for (int col = 0; col < m->columnCount(); ++col)
        headings << m->headerData(col, Qt::Horizontal).toString();
    QCOMPARE(headings, (QStringList{"Bank", "Account No", "Description", "Current Bal.",
                                    "Rec. Amt.", "Rec. Date", "OD", "OD Limit"}));
    QCOMPARE(m->rowCount(), 3);
    // Cheque account: overdraft 5000; savings: none.
    QCOMPARE(m->textAt(0, 1), QStringLiteral("0123456-00"));
    QCOMPARE(m->textAt(0, 3), QStringLiteral("12500.00"));
    QCOMPARE(m->textAt(0, 4), QStringLiteral("0.00"));
    QCOMPARE(m->textAt(0, 5), store::fmt::shortDate(QDate::currentDate().addYears(-3)));
    QCOMPARE(m->textAt(0, 6), QStringLiteral("Yes"));
    QCOMPARE(m->textAt(0, 7), QStringLiteral("5000.00"));
    QCOMPARE(m->textAt(1, 3), QStringLiteral("1234.50"));
    QCOMPARE(m->textAt(1, 6), QStringLiteral("No"));
    // 12500 + 1234.50 + 3000, and the savings account's limit is not added.
    QCOMPARE(labelText(&w, "BankTotalLabel"), QStringLiteral("16734.50"));
    QCOMPARE(labelText(&w, "OverdraftTotalLabel"), QStringLiteral("6000.00"));
    QCOMPARE(labelText(&w, "FundsTotalLabel"), QStringLiteral("22734.50"));
    w.close();
}

void TestControlCentre::salesTaxButtonFollowsTaxAndCountry_data()
{
    QTest::addColumn<int>("gstEnabled");
    QTest::addColumn<QString>("country");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("opens");
    QTest::newRow("NZ with tax") << 1 << "NZ" << true << "gst nz|1";
    QTest::newRow("AUS with tax") << 1 << "AUS" << true << "gst aus|1";
    QTest::newRow("NZ, tax disabled") << 0 << "NZ" << false << "";
    QTest::newRow("another country") << 1 << "UK" << false << "";
    QTest::newRow("no country") << 1 << "" << false << "";
}

void TestControlCentre::salesTaxButtonFollowsTaxAndCountry()
{
    QFETCH(int, gstEnabled);
    QFETCH(QString, country);
    QFETCH(bool, visible);
    QFETCH(QString, opens);
    shelltest::setControl({{"BUSNAME", "Harbour Cafe"}, {"GSTENABLED", gstEnabled},
                           {"COUNTRY", country}});
    QStringList calls;
    TQVCoyOpsForm w;
    w.commands = recordingCommands(&calls);
    w.show();
    QToolButton* b = tool(&w, "SalesTaxButton");
    QVERIFY(b);
    QCOMPARE(b->isVisible(), visible);
    QCOMPARE(b->isEnabled(), visible);
    if (visible) {
        b->click();
        QCOMPARE(calls, QStringList{opens});
    }
    w.close();
}

void TestControlCentre::taxPanelTexts_data()
{
    QTest::addColumn<int>("gstEnabled");
    QTest::addColumn<QString>("number");
    QTest::addColumn<double>("percent");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("enabled, number, 15") << 1 << "112-334-556" << 15.0
        << QStringList{"Tax calculations enabled.", "Tax number is: 112-334-556",
                       "Default percent is : 15"};
    QTest::newRow("disabled, no number, 12.5") << 0 << "" << 12.5
        << QStringList{"Tax calculations disabled.", "No tax number.", "Default percent is : 12.5"};
    QTest::newRow("flag other than 1") << 2 << "9" << 0.0
        << QStringList{"Tax calculations disabled.", "Tax number is: 9", "Default percent is : 0"};
}

void TestControlCentre::taxPanelTexts()
{
    QFETCH(int, gstEnabled);
    QFETCH(QString, number);
    QFETCH(double, percent);
    QFETCH(QStringList, texts);
    shelltest::setControl({{"BUSNAME", "Harbour Cafe"}, {"GSTENABLED", gstEnabled},
                           {"GSTNUMBER", number}, {"GSTPERCENT", percent}});
    TQVCoyOpsForm w;
    w.show();
    QCOMPARE((QStringList{labelText(&w, "TaxEnabledLabel"), labelText(&w, "TaxNumberLabel"),
                          labelText(&w, "TaxPercentLabel")}),
             texts);
    QVERIFY(!w.findChild<QWidget*>("TaxGroup")->isEnabled());
    w.close();
}

void TestControlCentre::fromDateRestoredOnReopening()
{
    makeSample(0);
    const QDate chosen(2024, 7, 1);
    {
        TQVCoyOpsForm w;
        w.show();
        dateBox(&w, "FromDateBox")->setDateValue(chosen);
        click(&w, "ExitButton");
        QVERIFY(!w.isVisible());
    }
    QCOMPARE(programIni().readString("QVCoyOpsForm", "BegDate"), store::fmt::shortDate(chosen));
    QCOMPARE(programIni().readString("QVCoyOpsForm", "State"), QStringLiteral("0"));
    TQVCoyOpsForm again;
    again.show();
    QCOMPARE(again.fromDate(), chosen);
    QCOMPARE(labelText(&again, "RangeLabel"),
             "Income/expenditure between : " + store::fmt::shortDate(chosen) + " and "
                 + store::fmt::shortDate(QDate::currentDate()));
    again.close();
}

void TestControlCentre::fromDateAbsentIsAYearBack()
{
    makeSample(0);
    QVERIFY(!programIni().exists());
    TQVCoyOpsForm w;
    w.show();
    // The window creates the file before reading it.
    QVERIFY(programIni().exists());
    QCOMPARE(w.fromDate(), QDate::currentDate().addDays(-365));
    w.close();
    programIni().writeString("QVCoyOpsForm", "BegDate", "");
    TQVCoyOpsForm empty;
    empty.show();
    QCOMPARE(empty.fromDate(), QDate::currentDate().addDays(-365));
    empty.close();
}

void TestControlCentre::aFromDateThatIsNotADateIsReported()
{
    makeSample(0);
    programIni().writeString("QVCoyOpsForm", "BegDate", "31/31/31x");
    ui::MessageScript script;
    TQVCoyOpsForm w;
    w.show();
    QCOMPARE(script.texts(), QStringList{"'31/31/31x' is not a valid date"});
    // The figures are still shown, from a year back.
    QCOMPARE(w.fromDate(), QDate::currentDate().addDays(-365));
    QVERIFY(labelText(&w, "RangeLabel").startsWith("Income/expenditure between : "));
    w.close();
}

void TestControlCentre::recalculateUsesTheRange()
{
    makeSample(300);
    TQVCoyOpsForm w;
    w.show();
    const QString yearIncome = labelText(&w, "IncomeLabel");
    const QDate from = QDate::currentDate().addYears(-3);
    auto* charts = w.findChild<ControlCentreCharts*>("ChartsPanel");
    QVERIFY(charts->isVisible());
    QCOMPARE(charts->months().size(), 13u);
    dateBox(&w, "FromDateBox")->setDateValue(from);
    // Nothing moves until "Recalculate ".
    QCOMPARE(labelText(&w, "IncomeLabel"), yearIncome);
    QCOMPARE(charts->months().size(), 13u);
    auto* recalc = w.findChild<QPushButton*>("RecalcButton");
    QCOMPARE(recalc->text(), QStringLiteral("Recalculate "));
    QVERIFY(recalc->isDefault());
    recalc->click();
    store::Connection c;
    c.connect();
    const cc::ProfitAndLoss all = cc::readProfitAndLoss(c, 1, from, QDate::currentDate());
    QCOMPARE(labelText(&w, "IncomeLabel"), all.income);
    QVERIFY(all.income != yearIncome);
    // The charts follow: 37 months whose income adds up to the label's, ending at the bank total.
    QCOMPARE(charts->months().size(), 37u);
    qint64 chartIncome = 0;
    for (const cc::MonthFigures& m : charts->months()) chartIncome += store::fmt::cents(m.income);
    QCOMPARE(chartIncome, store::fmt::cents(all.income.toDouble()));
    QCOMPARE(store::fmt::money(charts->months().back().bankTotal),
             labelText(&w, "BankTotalLabel"));
    QCOMPARE(labelText(&w, "RangeLabel"),
             "Income/expenditure between : " + store::fmt::shortDate(from) + " and "
                 + store::fmt::shortDate(QDate::currentDate()));
    w.close();
}

void TestControlCentre::chartsHiddenStayHiddenOnReopening()
{
    makeSample(0);
    {
        TQVCoyOpsForm w;
        w.show();
        auto* box = w.findChild<QCheckBox*>("ChartsBox");
        QVERIFY(box->isChecked());
        box->click();
        QVERIFY(!box->isChecked());
        QVERIFY(!w.findChild<ControlCentreCharts*>("ChartsPanel")->isVisible());
        w.close();
    }
    QCOMPARE(programIni().readString(cc::kSection, "Charts"), QStringLiteral("0"));
    TQVCoyOpsForm again;
    again.show();
    QVERIFY(!again.findChild<QCheckBox*>("ChartsBox")->isChecked());
    QVERIFY(!again.findChild<ControlCentreCharts*>("ChartsPanel")->isVisible());
    again.close();
}

void TestControlCentre::toolBarButtonsOpenTheirWindowsWithTheirInputs_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("opens");
    const QString name = QStringLiteral("Harbour Street Cafe Ltd");
    QTest::newRow("Company") << "CompanyButton" << "Company" << "Change Company data" << "company";
    QTest::newRow("Department") << "DepartmentButton" << "Department" << "Change Department data"
                                << "departments";
    QTest::newRow("Ledger") << "LedgerButton" << "Ledger" << "Manage the accounts ledger" << "ledger";
    QTest::newRow("Bank") << "BankButton" << "Bank"
                          << "Bank details, accounts and recurring transaction set up."
                          << "bank|Maintain Bank details.";
    QTest::newRow("Suppliers") << "SuppliersButton" << "Suppliers" << "" << "suppliers|1";
    QTest::newRow("Cash") << "CashButton" << "Cash" << "Non-bank Cash Transactions"
                          << "cash|1|Cash transactions of :  " + name;
    QTest::newRow("Budgets") << "BudgetsButton" << "Budgets" << "Maintain account budgets"
                             << "budgets|1";
    QTest::newRow("Import") << "ImportButton" << "Import"
                            << "Import transactions from your bank's web site" << "import|1";
    QTest::newRow("Cheques") << "ChequesButton" << "Cheques" << "Cheques/Payments" << "cheques|1";
    QTest::newRow("Transactions") << "TransactionsButton" << "Transactions"
                                  << "Bank Account Transactions" << "transactions|1";
    QTest::newRow("Reconciliation") << "ReconciliationButton" << "Reconciliation"
                                    << "Carry out bank account reconciliation"
                                    << "reconciliation|1|Bank reconciliation for :  " + name;
    QTest::newRow("Rec. Trans") << "RecTransButton" << "Rec. Trans"
                                << "Run manual recurring transactions"
                                << "recurring|1|" + name + "|Run recurring transactions for : " + name;
    QTest::newRow("Reports") << "ReportsButton" << "Reports" << "Main reports menu" << "reports|1";
}

void TestControlCentre::toolBarButtonsOpenTheirWindowsWithTheirInputs()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QFETCH(QString, opens);
    makeSample(0);
    QStringList calls;
    TQVCoyOpsForm w;
    w.commands = recordingCommands(&calls);
    w.show();
    QToolButton* b = tool(&w, button);
    QVERIFY(b);
    QCOMPARE(b->text(), caption);
    QCOMPARE(b->toolTip(), hint);
    b->click();
    QCOMPARE(calls, QStringList{opens});
    QVERIFY(w.isVisible());
    w.close();
}

void TestControlCentre::bankEntryFromTheToolBarChangesTheTotals()
{
    makeSample(100);
    TQVCoyOpsForm w;
    QStringList calls;
    w.commands = recordingCommands(&calls);
    w.commands.transactions = [](QWidget*, const QString& coy) {
        QCOMPARE(coy, QStringLiteral("1"));
        depositToChequeAccount(1150.00, QStringLiteral("SALESCAT"));
    };
    w.show();
    const double bankBefore = labelText(&w, "BankTotalLabel").toDouble();
    const double incomeBefore = labelText(&w, "IncomeLabel").toDouble();
    const QString chequeBefore = grid(&w, "BankGrid")->lazyModel()->textAt(0, 3);
    click(&w, "TransactionsButton");
    QCOMPARE(store::fmt::money(labelText(&w, "BankTotalLabel").toDouble() - bankBefore),
             QStringLiteral("1150.00"));
    QCOMPARE(store::fmt::money(labelText(&w, "IncomeLabel").toDouble() - incomeBefore),
             QStringLiteral("1150.00"));
    QCOMPARE(store::fmt::money(labelText(&w, "FundsTotalLabel").toDouble()),
             store::fmt::money(labelText(&w, "BankTotalLabel").toDouble() + 6000.0));
    QCOMPARE(grid(&w, "BankGrid")->lazyModel()->textAt(0, 3),
             store::fmt::money(chequeBefore.toDouble() + 1150.0));
    w.close();
}

void TestControlCentre::bankMaintenanceRefreshesOnlyWhenItReportsAChange()
{
    makeSample(0);
    TQVCoyOpsForm w;
    bool reportChange = false;
    w.commands.bank = [&](QWidget*, const QString&) {
        setCurrentBalance("7654321-01", 100.0);
        return reportChange;
    };
    w.show();
    QCOMPARE(labelText(&w, "BankTotalLabel"), QStringLiteral("40500.00"));
    click(&w, "BankButton");
    QCOMPARE(labelText(&w, "BankTotalLabel"), QStringLiteral("40500.00"));
    reportChange = true;
    click(&w, "BankButton");
    QCOMPARE(labelText(&w, "BankTotalLabel"), QStringLiteral("15600.00"));
    QCOMPARE(grid(&w, "BankGrid")->lazyModel()->textAt(1, 3), QStringLiteral("100.00"));
    w.close();
}

void TestControlCentre::companyMaintenanceRefillsThePanels()
{
    makeSample(0);
    TQVCoyOpsForm w;
    w.commands.company = [](QWidget*) {
        shelltest::setControl({{"BUSNAME", "Harbour Cafe & Bakery"}, {"GSTENABLED", 0}});
    };
    w.show();
    QVERIFY(tool(&w, "SalesTaxButton")->isVisible());
    click(&w, "CompanyButton");
    QCOMPARE(boxText(&w, "BusNameEdit"), QStringLiteral("Harbour Cafe & Bakery"));
    QCOMPARE(labelText(&w, "TaxEnabledLabel"), QStringLiteral("Tax calculations disabled."));
    QVERIFY(!tool(&w, "SalesTaxButton")->isVisible());
    w.close();
}

void TestControlCentre::unableToOpenAllTables()
{
    // The alias names a file where the data folder should be.
    const QString notAFolder = home_->path() + "/not-a-folder";
    QFile f(notAFolder);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.close();
    store::IniFile(store::paths::aliasFile()).writeString("NRV", "Path", notAFolder + "/data");
    ui::MessageScript script;
    TQVCoyOpsForm w;
    QTimer::singleShot(5000, &w, [&w] { w.reject(); });
    const int result = w.exec();
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(script.texts(), QStringList{"Unable to open all tables!"});
    QCOMPARE(script.kinds(), QList<ui::MsgKind>{ui::MsgKind::Error});
    QCOMPARE(script.beeps(), 1);
}

void TestControlCentre::opensFromTheOperationsLauncher()
{
    makeSample(0);
    TQVOpsForm ops;
    ops.coyCode = 1;
    ops.coyActive = true;
    ops.show();
    QString caption;
    auto seen = testing_support::whenShown<TQVCoyOpsForm>([&](TQVCoyOpsForm* w) {
        caption = w->windowTitle();
        click(w, "ExitButton");
    });
    click(&ops, "OperationsButton");
    QVERIFY(seen->seen);
    QCOMPARE(caption, QStringLiteral("Quorvel - Control Centre : Harbour Street Cafe Ltd"));
    ops.close();
}

void TestControlCentre::opensFromTheMainMenu()
{
    makeSample(0);
    TQVMainForm main(nullptr, TQVMainForm::Startup::WithoutWizard);
    main.show();
    auto* item = main.findChild<QAction*>("ControlCentreItem");
    QVERIFY(item);
    QCOMPARE(item->text(), QStringLiteral("Control Centre"));
    QString income;
    auto seen = testing_support::whenShown<TQVCoyOpsForm>([&](TQVCoyOpsForm* w) {
        income = labelText(w, "IncomeLabel");
        w->reject();
    });
    item->trigger();
    QVERIFY(seen->seen);
    QCOMPARE(income, QStringLiteral("0.00"));  // income accounts, no lines
    // Closing the control centre wrote its from date.
    QCOMPARE(programIni().readString("QVCoyOpsForm", "BegDate"),
             store::fmt::shortDate(QDate::currentDate().addDays(-365)));
    main.hide();
}

QTEST_MAIN(TestControlCentre)
#include "tst_controlcentre.moc"
