// The five launchers: captions, the company name read on activation, guards and placement.
#include "app/controlcentre.h"
#include "app/launchers.h"
#include "banking/bankmainform.h"
#include "banking/banktranform.h"
#include "budgets/budgetscalcform.h"
#include "budgets/budgetsreportdialogform.h"
#include "payments/chqentryform.h"
#include "payments/chequerptdiaform.h"
#include "reports/alljournalentries.h"
#include "reports/actualincomeexpensediaform.h"
#include "reports/incomeexpensediaform.h"
#include "reports/profitandlostform.h"
#include "reports/trialbalanceform.h"
#include "shelltest.h"
#include "support/qt/modalwait.h"
#include "store/inifile.h"
#include "ui/messages.h"
#include "ui/placement.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using shelltest::click;

class TestLaunchers : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void operationsLauncherReadsTheNameOnEveryActivation();
    void reportsLauncherOpensTheFinancialReports();
    void budgetButtonsOpenTheBudgetWindows();
    void bankingLauncherSetupOpensBankMaintenance();
    void operationsLauncherGuardsEntryWindows_data();
    void operationsLauncherGuardsEntryWindows();
    void bankingLauncherDoesNotGuardPayments();
    void reportsLauncherShowsTheNameOfItsCompany_data();
    void reportsLauncherShowsTheNameOfItsCompany();
    void bankingButtonsCarryTheirHints_data();
    void bankingButtonsCarryTheirHints();
    void launchersFixedTexts_data();
    void launchersFixedTexts();
    void placementRoundTrip_data();
    void placementRoundTrip();

private:
    std::unique_ptr<shelltest::FreshHome> home_;
};

void TestLaunchers::init()
{
    home_ = std::make_unique<shelltest::FreshHome>();
    shelltest::setControl({{"BUSNAME", "Harbour Cafe"}});
}

void TestLaunchers::cleanup() { home_.reset(); }

void TestLaunchers::reportsLauncherOpensTheFinancialReports()
{
    TQVReportsForm reports;
    reports.coyCode = 1;
    reports.show();
    QString title;
    auto trial = testing_support::whenShown<reports::TTrialBalanceForm>([&](auto* w) {
        title = w->windowTitle();
        w->reject();
    });
    click(&reports, "TrialBalanceButton");
    QVERIFY(trial->seen);
    QCOMPARE(title, QStringLiteral("Trial balance for : Harbour Cafe"));
    auto revenue = testing_support::whenShown<reports::TProfitandLostForm>([&](auto* w) {
        title = w->windowTitle();
        w->reject();
    });
    click(&reports, "ProfitLossButton");
    QVERIFY(revenue->seen);
    QCOMPARE(title, QStringLiteral("Revenue statement for : Harbour Cafe"));
    auto cheques = testing_support::whenShown<TChequeRptDiaForm>([&](auto* w) {
        title = w->windowTitle();
        w->reject();
    });
    click(&reports, "ChequesButton");
    QVERIFY(cheques->seen);
    QCOMPARE(title, QStringLiteral("Cheque reports for : Harbour Cafe"));
    auto journal = testing_support::whenShown<reports::TAllJournalEntries>([&](auto* w) {
        title = w->windowTitle();
        w->reject();
    });
    click(&reports, "JournalButton");
    QVERIFY(journal->seen);
    QCOMPARE(title, QStringLiteral("Cash journal transaction reports for : Harbour Cafe"));
    auto budget = testing_support::whenShown<reports::TIncomeExpenseDiaForm>([&](auto* w) {
        title = w->windowTitle();
        w->reject();
    });
    click(&reports, "ActualsBudgetButton");
    QVERIFY(budget->seen);
    QCOMPARE(title, QStringLiteral("Income and expediture (actual/budget) report for : Harbour Cafe"));
    auto actuals = testing_support::whenShown<reports::TActualIncomeExpenseDiaForm>([&](auto* w) {
        title = w->windowTitle();
        w->reject();
    });
    click(&reports, "ActualsToDateButton");
    QVERIFY(actuals->seen);
    QCOMPARE(title, QStringLiteral("Define summarised actual expediture report for : Harbour Cafe"));
}

void TestLaunchers::budgetButtonsOpenTheBudgetWindows()
{
    TQVReportsForm reports;
    reports.coyCode = 1;
    reports.show();
    QString title;
    auto dialogue = testing_support::whenShown<TBudgetsReportDialogForm>([&](auto* w) {
        title = w->windowTitle();
        w->reject();
    });
    click(&reports, "BudgetsButton");
    QVERIFY(dialogue->seen);
    QCOMPARE(title, QStringLiteral("Budget and Actuals report for : Harbour Cafe"));
    TQVOpsForm ops;
    ops.coyCode = 1;
    ops.coyActive = true;
    ops.show();
    auto budgetWindow = testing_support::whenShown<TBudgetsCalcForm>([&](auto* w) {
        title = w->windowTitle();
        w->reject();
    });
    click(&ops, "BudgetsButton");
    QVERIFY(budgetWindow->seen);
    QCOMPARE(title, QStringLiteral("Maintaining Budgets for : Harbour Cafe"));
}

void TestLaunchers::bankingLauncherSetupOpensBankMaintenance()
{
    TQVBankMenuForm bank;
    bank.coyCode = 1;
    bank.coyActive = true;
    bank.coyName = "Harbour Cafe";
    bank.show();
    QString title;
    auto opened = testing_support::whenShown<TBankMainForm>([&](TBankMainForm* w) {
        title = w->windowTitle();
        w->findChild<QPushButton*>("ExitButton")->click();
    });
    click(&bank, "SetupButton");
    QVERIFY(opened->seen);
    QCOMPARE(title, QStringLiteral("Active Company is : Harbour Cafe"));
}

void TestLaunchers::operationsLauncherReadsTheNameOnEveryActivation()
{
    TQVOpsForm ops;
    ops.setWindowTitle("Operations for : Harbour Cafe");
    ops.coyCode = 1;
    ops.coyActive = true;
    ops.show();
    QCOMPARE(ops.windowTitle(), QStringLiteral("Operations menu for :  Harbour Cafe"));
    QCOMPARE(ops.coyName(), QStringLiteral("Harbour Cafe"));

    // Renamed in company maintenance, opened from the control centre that the launcher's
    // "Operations" button opens.
    auto centre = testing_support::whenShown<TQVCoyOpsForm>([](TQVCoyOpsForm* w) {
        shelltest::setControl({{"BUSNAME", "Harbour Cafe & Bakery"}});
        w->reject();
    });
    click(&ops, "OperationsButton");
    QVERIFY(centre->seen);
    QCOMPARE(ops.windowTitle(), QStringLiteral("Operations menu for :  Harbour Cafe & Bakery"));
    ops.close();
}

void TestLaunchers::operationsLauncherGuardsEntryWindows_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("active");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("cheques, no company") << "ChequesButton" << false
                                         << QStringList{"No active company...cannot enter cheques."};
    QTest::newRow("bank transactions, no company")
        << "BankTransButton" << false
        << QStringList{"No active company...cannot enter transactions."};
    QTest::newRow("cheques, active") << "ChequesButton" << true << QStringList{};
    QTest::newRow("bank transactions, active") << "BankTransButton" << true << QStringList{};
}

void TestLaunchers::operationsLauncherGuardsEntryWindows()
{
    QFETCH(QString, button);
    QFETCH(bool, active);
    QFETCH(QStringList, messages);
    TQVOpsForm ops;
    ops.coyCode = 1;
    ops.coyActive = active;
    ops.show();
    ui::MessageScript script;
    std::shared_ptr<testing_support::ModalWaitResult> opened;
    if (active && button == "BankTransButton")
        opened = testing_support::whenShown<TQVBankTranForm>(
            [](TQVBankTranForm* w) { static_cast<QDialog*>(w)->reject(); });
    if (active && button == "ChequesButton")
        opened = testing_support::whenShown<TChqEntryForm>(
            [](TChqEntryForm* w) { static_cast<QDialog*>(w)->reject(); });
    click(&ops, button.toLatin1().constData());
    QCOMPARE(script.texts(), messages);
    QCOMPARE(script.beeps(), messages.size());
    if (opened) QVERIFY(opened->seen);
    ops.close();
}

void TestLaunchers::bankingLauncherDoesNotGuardPayments()
{
    TQVBankMenuForm bank;
    bank.coyCode = 1;
    bank.coyActive = false;
    bank.show();
    ui::MessageScript script;
    auto opened = testing_support::whenShown<TChqEntryForm>(
        [](TChqEntryForm* w) { static_cast<QDialog*>(w)->reject(); });
    click(&bank, "ChequesButton");
    QVERIFY(opened->seen);
    QCOMPARE(script.texts(), QStringList{});
    bank.close();
}

void TestLaunchers::reportsLauncherShowsTheNameOfItsCompany_data()
{
    QTest::addColumn<int>("coy");
    QTest::addColumn<QString>("caption");
    QTest::newRow("the active company") << 1 << "Reports for active company : Harbour Cafe";
    QTest::newRow("a company not on file") << 7 << "Reports for active company : ";
}

void TestLaunchers::reportsLauncherShowsTheNameOfItsCompany()
{
    QFETCH(int, coy);
    QFETCH(QString, caption);
    TQVReportsForm reports;
    reports.coyCode = coy;
    reports.show();
    QCOMPARE(reports.windowTitle(), caption);
    reports.close();
}

void TestLaunchers::bankingButtonsCarryTheirHints_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("hint");
    QTest::newRow("Maintenance") << "MaintenanceButton" << "Operate on bank account transactions";
    QTest::newRow("Reconciliation")
        << "ReconciliationButton" << "Carry out bank statement reconciliation";
    QTest::newRow("Setup") << "SetupButton" << "Create and maintain, bank accounts";
    QTest::newRow("Import") << "ImportButton" << "Import bank transaction from your bank's web page";
}

void TestLaunchers::bankingButtonsCarryTheirHints()
{
    QFETCH(QString, button);
    QFETCH(QString, hint);
    TQVBankMenuForm bank;
    auto* b = bank.findChild<QPushButton*>(button);
    QVERIFY(b);
    QCOMPARE(b->toolTip(), hint);
}

void TestLaunchers::launchersFixedTexts_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("helpContext");
    QTest::addColumn<QString>("statusText");
    QTest::newRow("operations") << "TQVOpsForm" << 0 << "Operations";
    QTest::newRow("banking") << "TQVBankMenuForm" << 290 << "";
    QTest::newRow("reports") << "TQVReportsForm" << 490 << "";
    QTest::newRow("tools") << "TQVToolsForm" << 810 << "";
    QTest::newRow("settings") << "TQVSetupForm" << 60
                              << "If setting up for the first time, follow the sequence shown.";
}

namespace {

std::unique_ptr<ui::FormBase> makeLauncher(const QString& name)
{
    if (name == "TQVOpsForm") return std::make_unique<TQVOpsForm>();
    if (name == "TQVBankMenuForm") return std::make_unique<TQVBankMenuForm>();
    if (name == "TQVReportsForm") return std::make_unique<TQVReportsForm>();
    if (name == "TQVToolsForm") return std::make_unique<TQVToolsForm>();
    if (name == "TQVSetupForm") return std::make_unique<TQVSetupForm>();
    return nullptr;
}

}  // namespace

void TestLaunchers::launchersFixedTexts()
{
    QFETCH(QString, window);
    QFETCH(int, helpContext);
    QFETCH(QString, statusText);
    auto w = makeLauncher(window);
    QCOMPARE(w->helpContext(), helpContext);
    auto* status = w->findChild<QLabel*>("StatusText");
    QCOMPARE(status ? status->text() : QString(), statusText);
    if (window == "TQVToolsForm") QCOMPARE(w->windowTitle(), QStringLiteral("Quorvel - Tools"));
}

void TestLaunchers::placementRoundTrip_data()
{
    QTest::addColumn<QString>("window");  // a launcher, or a section kept in the bare-name file
    QTest::addColumn<QString>("section");
    QTest::addColumn<bool>("bare");
    QTest::newRow("operations") << "TQVOpsForm" << "QVOpsForm" << false;
    QTest::newRow("banking") << "TQVBankMenuForm" << "QVBankMenuForm" << false;
    QTest::newRow("reports") << "TQVReportsForm" << "QVReportsForm" << false;
    QTest::newRow("tools") << "TQVToolsForm" << "QVToolsForm" << false;
    QTest::newRow("settings") << "TQVSetupForm" << "QVSetupForm" << false;
    QTest::newRow("payment list") << "" << "CoyChequeListForm" << true;
    QTest::newRow("bank transaction list") << "" << "QVBnkTranListForm" << true;
}

void TestLaunchers::placementRoundTrip()
{
    QFETCH(QString, window);
    QFETCH(QString, section);
    QFETCH(bool, bare);
    const auto which = bare ? ui::PlacementFile::Bare : ui::PlacementFile::Program;
    auto make = [&]() -> std::unique_ptr<ui::FormBase> {
        if (window.isEmpty()) return std::make_unique<ui::FormBase>(nullptr, section, 0, which);
        return makeLauncher(window);
    };
    {
        auto w = make();
        w->show();
        w->setGeometry(110, 95, 620, 470);
        w->close();
    }
    const store::IniFile kept(ui::placementFile(which));
    QCOMPARE(kept.readInteger(section, "Left", -1), 110);
    QCOMPARE(kept.readInteger(section, "Height", -1), 470);
    const store::IniFile other(
        ui::placementFile(bare ? ui::PlacementFile::Program : ui::PlacementFile::Bare));
    QVERIFY(!other.sectionExists(section));

    auto again = make();
    again->show();
    QCOMPARE(again->geometry(), QRect(110, 95, 620, 470));
    again->close();
}

QTEST_MAIN(TestLaunchers)
#include "tst_launchers.moc"
