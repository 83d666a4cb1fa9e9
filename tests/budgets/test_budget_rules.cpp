// Budgets: the periods a budget is cut into, the amounts each criterion and basis gives, and
// what a save, a period edit and a delete leave in the book.
#include <map>

#include "budget_fixture.h"
#include "budgets/budget_plan.h"
#include "budgets/periods.h"
#include "store/connection.h"
#include "store/error.h"

using budgets::PeriodLength;
using budgettest::BudgetBook;

namespace {

struct BudgetPeriodCase {
    const char* story;
    QDate start;
    PeriodLength length;
    int count;
    std::vector<budgets::Period> expectedFirst;  // the first periods, in order
};

class BudgetPeriods : public ::testing::TestWithParam<BudgetPeriodCase> {};

TEST_P(BudgetPeriods, followOneAnotherFromTheStart) {
    const BudgetPeriodCase c = GetParam();
    const auto got = budgets::followingPeriods(c.start, c.length, budgets::periodCount(c.length));
    ASSERT_EQ(static_cast<int>(got.size()), c.count) << c.story;
    for (size_t i = 0; i < c.expectedFirst.size(); ++i)
        EXPECT_EQ(got[i], c.expectedFirst[i]) << c.story << " period " << i;
    EXPECT_EQ(budgets::periodLengthOf(budgets::periodCode(c.length)), c.length);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, BudgetPeriods,
    ::testing::Values(BudgetPeriodCase{"quarterly from 1 April",
                                       QDate(2010, 4, 1),
                                       PeriodLength::Quarterly,
                                       4,
                                       {{QDate(2010, 4, 1), QDate(2010, 6, 30)},
                                        {QDate(2010, 7, 1), QDate(2010, 9, 30)},
                                        {QDate(2010, 10, 1), QDate(2010, 12, 31)},
                                        {QDate(2011, 1, 1), QDate(2011, 3, 31)}}},
                      BudgetPeriodCase{"twelve months from 1 April",
                                       QDate(2010, 4, 1),
                                       PeriodLength::Yearly,
                                       1,
                                       {{QDate(2010, 4, 1), QDate(2011, 3, 31)}}},
                      BudgetPeriodCase{"monthly from 15 April",
                                       QDate(2010, 4, 15),
                                       PeriodLength::Monthly,
                                       12,
                                       {{QDate(2010, 4, 15), QDate(2010, 4, 30)},
                                        {QDate(2010, 5, 1), QDate(2010, 5, 31)}}},
                      BudgetPeriodCase{"February of a leap year",
                                       QDate(2024, 2, 1),
                                       PeriodLength::Monthly,
                                       12,
                                       {{QDate(2024, 2, 1), QDate(2024, 2, 29)},
                                        {QDate(2024, 3, 1), QDate(2024, 3, 31)}}},
                      BudgetPeriodCase{"six-monthly across the year end",
                                       QDate(2025, 10, 1),
                                       PeriodLength::SixMonthly,
                                       2,
                                       {{QDate(2025, 10, 1), QDate(2026, 3, 31)},
                                        {QDate(2026, 4, 1), QDate(2026, 9, 30)}}}));

TEST(BudgetMonths, countBothEndsAndKeepFebruaryMonthEnds) {
    EXPECT_EQ(budgets::monthsSpanned(QDate(2025, 4, 1), QDate(2026, 3, 31)), 12);
    EXPECT_EQ(budgets::monthsSpanned(QDate(2025, 4, 1), QDate(2025, 4, 30)), 1);
    EXPECT_EQ(budgets::yearEarlier(QDate(2025, 2, 28)), QDate(2024, 2, 29));
    EXPECT_EQ(budgets::yearEarlier(QDate(2024, 2, 29)), QDate(2023, 2, 28));
}

// --- amounts by criterion and basis ---------------------------------------------------------

struct BudgetAmountCase {
    const char* story;
    budgets::Criterion criterion;
    budgets::Basis basis;
    PeriodLength length;
    QString percent1, percent2;
    double monthlyBase;
    std::vector<double> expected;
};

// Last year's actual figures: April 2024 1000.00, May nothing, June 200.50.
double lastYearsActuals(const QDate& from, const QDate&) {
    static const std::map<int, double> byMonth = {{4, 1000.0}, {6, 200.5}};
    if (from.year() != 2024) return 0;
    const auto it = byMonth.find(from.month());
    return it == byMonth.end() ? 0 : it->second;
}

class BudgetAmounts : public ::testing::TestWithParam<BudgetAmountCase> {};

TEST_P(BudgetAmounts, followTheCriterion) {
    const BudgetAmountCase c = GetParam();
    budgets::BudgetPlan plan = budgets::newBudgetPlan("4100", "Sales", QDate(2025, 6, 1), true);
    plan.criterion = c.criterion;
    plan.basis = c.basis;
    plan.length = c.length;
    plan.percent1 = c.percent1;
    plan.percent2 = c.percent2;
    const auto got = budgets::planPeriods(plan, c.monthlyBase, lastYearsActuals);
    ASSERT_GE(got.size(), c.expected.size()) << c.story;
    for (size_t i = 0; i < c.expected.size(); ++i)
        EXPECT_DOUBLE_EQ(got[i].amount, c.expected[i]) << c.story << " period " << i;
}

using budgets::Basis;
using budgets::Criterion;
INSTANTIATE_TEST_SUITE_P(
    Criteria, BudgetAmounts,
    ::testing::Values(
        BudgetAmountCase{"set amount 500 in every quarter",
                         Criterion::SetAmount,
                         Basis::Average,
                         PeriodLength::Quarterly,
                         "500",
                         "",
                         0,
                         {500, 500, 500, 500}},
        BudgetAmountCase{"flat 10 % on an average of 100.00 a quarter",
                         Criterion::FlatRate,
                         Basis::Average,
                         PeriodLength::Quarterly,
                         "10",
                         "",
                         100,
                         {330, 330, 330, 330}},
        BudgetAmountCase{"actuals grow last year's months; a month without lines stays 0",
                         Criterion::FlatRate,
                         Basis::Actuals,
                         PeriodLength::Monthly,
                         "10",
                         "",
                         999,
                         {1100, 0, 220.55}},
        BudgetAmountCase{"split: first half at 10 %, second half at 20 % of 1000.01",
                         Criterion::SplitPercent,
                         Basis::Average,
                         PeriodLength::Monthly,
                         "10",
                         "20",
                         1000.01,
                         {1100.01, 1100.01, 1100.01, 1100.01, 1100.01, 1100.01, 1200.01}},
        BudgetAmountCase{"manual entry leaves every month at 0",
                         Criterion::ManualEntry,
                         Basis::Average,
                         PeriodLength::Monthly,
                         "",
                         "",
                         100,
                         {0, 0, 0}},
        BudgetAmountCase{"billions by the half cent",
                         Criterion::SetAmount,
                         Basis::Average,
                         PeriodLength::Yearly,
                         "1234567890.125",
                         "",
                         0,
                         {1234567890.13}}));

struct BudgetCheckCase {
    const char* story;
    Criterion criterion;
    Basis basis;
    PeriodLength length;
    QString percent;
    bool history;
    budgets::PlanProblem problem;
    bool goesOn;
};

class BudgetChecks : public ::testing::TestWithParam<BudgetCheckCase> {};

TEST_P(BudgetChecks, refuseWhatCannotBeSaved) {
    const BudgetCheckCase c = GetParam();
    budgets::BudgetPlan plan = budgets::newBudgetPlan("4100", "Sales", QDate(2025, 6, 1), true);
    plan.criterion = c.criterion;
    plan.basis = c.basis;
    plan.length = c.length;
    plan.percent1 = c.percent;
    const auto check = budgets::checkPlan(plan, c.history);
    EXPECT_EQ(check.problem, c.problem) << c.story;
    EXPECT_EQ(check.goesOn, c.goesOn) << c.story;
}

using budgets::PlanProblem;
INSTANTIATE_TEST_SUITE_P(
    Saves, BudgetChecks,
    ::testing::Values(
        BudgetCheckCase{"actuals need months", Criterion::FlatRate, Basis::Actuals,
                        PeriodLength::Quarterly, "10", true, PlanProblem::NotMonthly, false},
        BudgetCheckCase{"a typed 0 percent", Criterion::FlatRate, Basis::Average,
                        PeriodLength::Monthly, "0.00", true, PlanProblem::NoPercent, false},
        BudgetCheckCase{"an empty percent is no growth", Criterion::FlatRate, Basis::Average,
                        PeriodLength::Monthly, "", true, PlanProblem::None, true},
        BudgetCheckCase{"actuals without history", Criterion::FlatRate, Basis::Actuals,
                        PeriodLength::Monthly, "10", false, PlanProblem::NoHistory, false},
        BudgetCheckCase{"average without history saves 10 as a set amount", Criterion::FlatRate,
                        Basis::Average, PeriodLength::Monthly, "10", false, PlanProblem::NoHistory,
                        true},
        // Mend: a set amount of 0 is refused with a message rather than silently.
        BudgetCheckCase{"a set amount of 0", Criterion::SetAmount, Basis::Average,
                        PeriodLength::Monthly, "0", true, PlanProblem::NoSetAmount, false}));

// --- what saves leave in the book -----------------------------------------------------------

TEST_F(BudgetBook, eachNewBudgetTakesTheNextSequenceNumberAndAnActiveOneIsPointedAt) {
    book.account("4100", "INC");
    const auto a = account("4100");
    const QString first = budget("4100", budgets::kTrial, 100);
    EXPECT_EQ(first, "4100-" + a.linkCode + "-1");
    const QString second =
        budget("4100", budgets::kActive, 200, QDate(2025, 4, 1), PeriodLength::Quarterly, "SALES");
    EXPECT_EQ(second, "SALES-" + a.linkCode + "-2");
    EXPECT_EQ(sql("SELECT LASTBNO FROM QVAccDet WHERE ACCTCODE = '4100'"), 2);
    EXPECT_EQ(sqlText("SELECT BUDGLINK FROM QVAccDet WHERE ACCTCODE = '4100'"), second);
    EXPECT_EQ(sql("SELECT HASBUDGET FROM QVAccDet WHERE ACCTCODE = '4100'"), 1);
    EXPECT_EQ(sql("SELECT TOTAMOUNT FROM QVBudCntr WHERE BUDGLINK = '" + second + "'"), 800);
    EXPECT_EQ(sql("SELECT COUNT(*) FROM QVAccBud WHERE BUDGLINK = '" + first + "'"), 12);
    EXPECT_EQ(sql("SELECT SUM(TAMOUNT) - SUM(BAMOUNT) + SUM(DAMOUNT) FROM QVAccBud"), 0);
}

TEST_F(BudgetBook, actualsComeFromLastYearsJournalLines) {
    book.account("4100", "INC");
    book.line({"4100", QDate(2024, 4, 10), 1000});
    book.line({"4100", QDate(2024, 4, 20), 150.5});
    book.line({"4100", QDate(2024, 6, 30), 200});
    const auto a = account("4100");
    const auto stats = budgets::accountStatistics(
        folder.connection, a.fullCode, budgets::defaultStatisticsDates(QDate(2025, 5, 1)));
    EXPECT_DOUBLE_EQ(stats.previousYearTotal, 1350.5);
    EXPECT_DOUBLE_EQ(stats.monthlyAverage, 112.54);  // 1350.50 / 12 as shown
    EXPECT_TRUE(stats.hasHistory());

    budgets::BudgetPlan plan = budgets::newBudgetPlan("4100", a.descr, QDate(2025, 5, 1), true);
    plan.percent1 = "10";
    const auto periods =
        budgets::planPeriods(plan, stats.monthlyAverage, [&](const QDate& f, const QDate& t) {
            return budgets::journalTotal(folder.connection, a.fullCode, f, t);
        });
    EXPECT_DOUBLE_EQ(periods[0].amount, 1265.55);
    EXPECT_DOUBLE_EQ(periods[1].amount, 0);
    EXPECT_DOUBLE_EQ(periods[2].amount, 220);
    EXPECT_DOUBLE_EQ(budgets::totalOf(periods), 1485.55);
}

TEST_F(BudgetBook, editingOnePeriodFrom100To150RaisesBothTotalsBy50) {
    book.account("6100", "EXP");
    const QString link = budget("6100", budgets::kTrial, 100);
    const auto periods = budgets::periodsOf(folder.connection, link);
    ASSERT_EQ(periods.size(), 12u);
    EXPECT_EQ(budgets::savePeriodAmount(folder.connection, link, periods[3].rowId, 150),
              budgets::BudgetSave::Saved);
    EXPECT_EQ(sql("SELECT TOTAMOUNT FROM QVBudCntr"), 1250);
    EXPECT_EQ(sql("SELECT BUSAMOUNT FROM QVBudCntr"), 1250);
    EXPECT_EQ(sql("SELECT BAMOUNT + TAMOUNT + DAMOUNT FROM QVAccBud WHERE rowid = " +
                  QString::number(periods[3].rowId)),
              300);
}

// Mend: one active budget per account, whatever the other budget's code.
TEST_F(BudgetBook, aSecondActiveBudgetOfTheAccountIsRefusedWhateverItsCode) {
    book.account("4100", "INC");
    const auto active = budget("4100", budgets::kActive, 100);
    const QString trial =
        budget("4100", budgets::kTrial, 100, QDate(2025, 4, 1), PeriodLength::Monthly, "OTHER");
    auto a = account("4100");
    budgets::BudgetPlan plan = budgets::newBudgetPlan("NEW", "x", QDate(2025, 4, 1), false);
    plan.status = budgets::kActive;
    plan.percent1 = "5";
    EXPECT_EQ(
        budgets::createBudget(folder.connection, a, plan, budgets::planPeriods(plan, 0, {})).result,
        budgets::BudgetSave::AnotherActive);
    EXPECT_EQ(budgets::saveBudgetHeader(folder.connection, a, trial, "x", budgets::kActive),
              budgets::BudgetSave::AnotherActive);
    EXPECT_EQ(sql("SELECT COUNT(*) FROM QVBudCntr WHERE STATUS = 'A'"), 1);
    EXPECT_EQ(sql("SELECT LASTBNO FROM QVAccDet"), 2);
    // Made inactive, the account no longer points at it, and the trial may become active.
    EXPECT_EQ(budgets::saveBudgetHeader(folder.connection, a, active, "x", budgets::kInactive),
              budgets::BudgetSave::Saved);
    EXPECT_EQ(sqlText("SELECT BUDGLINK FROM QVAccDet"), "");
    EXPECT_EQ(sql("SELECT HASBUDGET FROM QVAccDet"), 0);
    EXPECT_EQ(budgets::saveBudgetHeader(folder.connection, a, trial, "x", budgets::kActive),
              budgets::BudgetSave::Saved);
    EXPECT_EQ(sqlText("SELECT BUDGLINK FROM QVAccDet"), trial);
}

// Mend: header, periods and the account's counters are one transaction.
TEST_F(BudgetBook, aFailureWritingThePeriodsLeavesNothingBehind) {
    book.account("4100", "INC");
    store::execSql(folder.connection.handle(),
                   "CREATE TRIGGER refuse BEFORE INSERT ON QVAccBud WHEN NEW.PERIOD_BEG > "
                   "'2025-09-01' BEGIN SELECT RAISE(ABORT, 'disk trouble'); END");
    const auto a = account("4100");
    budgets::BudgetPlan plan = budgets::newBudgetPlan("4100", "x", QDate(2025, 4, 1), false);
    plan.status = budgets::kActive;
    plan.percent1 = "5";
    EXPECT_THROW(
        budgets::createBudget(folder.connection, a, plan, budgets::planPeriods(plan, 0, {})),
        store::StoreError);
    EXPECT_EQ(sql("SELECT COUNT(*) FROM QVBudCntr"), 0);
    EXPECT_EQ(sql("SELECT COUNT(*) FROM QVAccBud"), 0);
    EXPECT_EQ(sql("SELECT LASTBNO + HASBUDGET FROM QVAccDet"), 0);
    EXPECT_EQ(sqlText("SELECT BUDGLINK FROM QVAccDet"), "");
}

TEST_F(BudgetBook, deletingTheActiveBudgetClearsTheAccountsPointer) {
    book.account("4100", "INC");
    const QString link = budget("4100", budgets::kActive, 100);
    EXPECT_EQ(budgets::deleteBudget(folder.connection, link), budgets::BudgetSave::Saved);
    EXPECT_EQ(sql("SELECT COUNT(*) FROM QVBudCntr") + sql("SELECT COUNT(*) FROM QVAccBud"), 0);
    EXPECT_EQ(sqlText("SELECT BUDGLINK FROM QVAccDet") + sqlText("SELECT HASBUDGET FROM QVAccDet"),
              "0");
    EXPECT_EQ(sql("SELECT LASTBNO FROM QVAccDet"), 1);  // the number is not given back
}

}  // namespace
