// The budget windows driven by their controls: a budget made, refused and edited in the budget
// window, and the budget report dialogue and the business plan window handing their choices to
// the reports.
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

#include "budgets/budgetscalcform.h"
#include "budgets/budgetsreportdialogform.h"
#include "budgets/businessplanform.h"
#include "reports/book_fixture.h"
#include "store/query.h"
#include "support/qt/modalwait.h"
#include "ui/messages.h"

class TestBudgetWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void aSetAmountBudgetIsMadeAndAPeriodEdited();
    void refusalsAreShownAndNothingIsSaved_data();
    void refusalsAreShownAndNothingIsSaved();
    void theReportDialogueHandsItsChoicesToTheReport();
    void theBusinessPlanTakesTheChosenStatus();

private:
    double sql(const QString& text) {
        store::Query q(c_);
        q.setSql(text);
        q.open();
        return q.eof() ? 0 : q.number(0);
    }
    store::Connection c_;
};

namespace {

template <class T>
T* budgetChild(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    if (!c) qFatal("no control %s", name);
    return c;
}

void press(QWidget* w, const char* name) {
    QTest::mouseClick(budgetChild<QPushButton>(w, name), Qt::LeftButton);
}

void type(QWidget* w, const char* name, const QString& text) {
    auto* box = budgetChild<QLineEdit>(w, name);
    box->selectAll();
    box->del();
    QTest::keyClicks(box, text);
}

void choose(QWidget* w, const char* name) {
    QTest::mouseClick(budgetChild<QRadioButton>(w, name), Qt::LeftButton, {}, QPoint(5, 5));
}

}  // namespace

void TestBudgetWindows::initTestCase() {
    testing_support::useTemporaryHome();
    c_.connect("NRV");
    testbook::Book book(c_);
    book.company("Harbour Cafe");
    book.account("4100", "INC");
    book.account("6100", "EXP");
    // 4100 has an active budget under another code.
    budgets::BudgetPlan plan = budgets::newBudgetPlan("ACTIVE", "x", QDate(2025, 6, 1), false);
    plan.status = budgets::kActive;
    plan.percent1 = "1";
    const auto account = *budgets::budgetAccountOf(c_, 1, "1-4100");
    budgets::createBudget(c_, account, plan, budgets::planPeriods(plan, 0, {}));
}

void TestBudgetWindows::aSetAmountBudgetIsMadeAndAPeriodEdited() {
    ui::MessageScript script;
    TBudgetsCalcForm w;
    w.coyCode = 1;
    w.today = QDate(2025, 6, 1);
    w.show();
    QCOMPARE(w.windowTitle(), QString("Maintaining Budgets for : Harbour Cafe"));
    QVERIFY(w.showAccountCode("6100"));
    press(&w, "NewButton");
    QCOMPARE(budgetChild<QLabel>(&w, "ModePanel")->text(), QString("Creating new budget."));
    choose(&w, "CriteriaRadio2");  // set amount
    choose(&w, "PeriodsRadio1");   // quarterly
    type(&w, "PercentEdit", "500");
    press(&w, "SaveButton");
    QVERIFY2(script.texts().isEmpty(), qPrintable(script.texts().join('|')));
    QCOMPARE(budgetChild<QLabel>(&w, "ModePanel")->text(), QString("Browsing budgets."));
    QCOMPARE(sql("SELECT TOTAMOUNT FROM QVBudCntr WHERE FULLCODE = '1-6100'"), 2000.0);
    QCOMPARE(budgetChild<QTableWidget>(&w, "PeriodGrid")->rowCount(), 4);

    budgetChild<QTableWidget>(&w, "PeriodGrid")->setCurrentCell(1, 0);
    press(&w, "PeriodEditButton");
    QCOMPARE(budgetChild<QLabel>(&w, "ModePanel")->text(), QString("Editing budget details."));
    type(&w, "BudgetAmountEdit", "550");
    press(&w, "PeriodSaveButton");
    QCOMPARE(sql("SELECT TOTAMOUNT + BUSAMOUNT FROM QVBudCntr WHERE FULLCODE = '1-6100'"), 4100.0);
    QCOMPARE(budgetChild<QLabel>(&w, "TotalLabel")->text(), QString("Total amount : 2050.00"));
    press(&w, "ExitButton");
    QVERIFY(!w.isVisible());
}

void TestBudgetWindows::refusalsAreShownAndNothingIsSaved_data() {
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("message");
    // Mend: a set amount of 0 is refused out loud.
    QTest::newRow("set amount 0") << "StatusRadio0"
                                  << "0"
                                  << "You must enter a set amount - a budget of 0 in every "
                                     "period is made with Manual Entry.";
    // Mend: another budget of the account is active, whatever its code.
    QTest::newRow("second active") << "StatusRadio1"
                                   << "10"
                                   << "There can only be one active budget for each account..make "
                                      "it a trial or inactivate it.";
}

void TestBudgetWindows::refusalsAreShownAndNothingIsSaved() {
    QFETCH(QString, status);
    QFETCH(QString, amount);
    QFETCH(QString, message);
    const double stored = sql("SELECT COUNT(*) FROM QVBudCntr");
    ui::MessageScript script;
    TBudgetsCalcForm w;
    w.coyCode = 1;
    w.today = QDate(2025, 6, 1);
    w.show();
    QVERIFY(w.showAccountCode("4100"));
    press(&w, "NewButton");
    type(&w, "CodeEdit", "OTHER");
    choose(&w, status.toLatin1().constData());
    choose(&w, "CriteriaRadio2");
    type(&w, "PercentEdit", amount);
    press(&w, "SaveButton");
    QVERIFY2(script.texts().contains(message), qPrintable(script.texts().join('|')));
    QCOMPARE(sql("SELECT COUNT(*) FROM QVBudCntr"), stored);
    press(&w, "CancelButton");
    QCOMPARE(budgetChild<QLabel>(&w, "ModePanel")->text(), QString("Browsing budgets."));
}

void TestBudgetWindows::theReportDialogueHandsItsChoicesToTheReport() {
    ui::MessageScript script;
    TBudgetsReportDialogForm w;
    w.coyCode = 1;
    std::vector<reports::ReportDocument> shown;
    w.showReport = [&](const reports::ReportDocument& d) { shown.push_back(d); };
    w.show();
    QCOMPARE(w.windowTitle(), QString("Budget and Actuals report for : Harbour Cafe"));
    choose(&w, "TypeRadio3");
    press(&w, "PreviewButton");
    QCOMPARE(shown.size(), size_t(1));
    QCOMPARE(shown.back().bands.at(1).cells.at(0), QString("All budgets, and all accounts."));
    QTest::mouseClick(budgetChild<QCheckBox>(&w, "SingleCheck"), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!w.chosenFullCode().isEmpty());
    press(&w, "PreviewButton");
    QCOMPARE(shown.back().bands.at(1).cells.at(0), QString("All budgets for a selected account."));
    type(&w, "AcctCodeEdit", "NOSUCH");
    QCOMPARE(budgetChild<QLabel>(&w, "DescrLabel")->text(),
             QString("No budget with this account code."));
    QVERIFY(script.texts().isEmpty());
}

void TestBudgetWindows::theBusinessPlanTakesTheChosenStatus() {
    TBusinessPlanForm w;
    w.coyCode = 1;
    w.today = QDate(2025, 6, 1);
    std::vector<reports::ReportDocument> shown;
    w.showReport = [&](const reports::ReportDocument& d) { shown.push_back(d); };
    w.show();
    QCOMPARE(w.selectType(), QString("ACT"));
    choose(&w, "TypeRadio1");
    QCOMPARE(w.selectType(), QString("TRIAL"));
    QCOMPARE(w.choices().status, QString("T"));
    QCOMPARE(w.choices().from, QDate(2025, 4, 1));
    QCOMPARE(w.choices().to, QDate(2026, 3, 31));
    QTest::mouseClick(budgetChild<QCheckBox>(&w, "SummaryCheck"), Qt::LeftButton, {}, QPoint(5, 5));
    press(&w, "PreviewButton");
    QCOMPARE(shown.size(), size_t(1));
    QVERIFY(w.choices().summaryOnly);
}

QTEST_MAIN(TestBudgetWindows)
#include "tst_budgetwindows.moc"
