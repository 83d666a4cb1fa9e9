// The budget report and the business plan: which budgets they list, the variation by account
// type, the year-to-date figures, the plan's range rules and its totals.
#include "budget_fixture.h"
#include "budgets/budget_report.h"
#include "budgets/business_plan.h"
#include "reports/renderer.h"

using budgets::BudgetSelection;
using budgets::PeriodLength;
using budgettest::BudgetBook;

namespace {

class BudgetReport : public BudgetBook {
protected:
    budgets::BudgetReportData report(BudgetSelection s, const QString& fullCode = {},
                                     const QString& link = {}) {
        return budgets::budgetReportData(folder.connection,
                                         {1, link, fullCode, s, QDate(2025, 12, 31)});
    }
};

struct BudgetVariationCase {
    const char* type;
    double actual;
    const char* shownActual;
    double variation;
};

class BudgetVariation : public BudgetReport,
                        public ::testing::WithParamInterface<BudgetVariationCase> {};

TEST_P(BudgetVariation, isFavourableWhenPositiveForEitherType) {
    const BudgetVariationCase c = GetParam();
    book.account("ACCT", c.type);
    if (c.actual != 0) book.line({"ACCT", QDate(2025, 4, 10), c.actual});
    budget("ACCT", budgets::kActive, 100);
    const auto data = report(BudgetSelection::ActiveOnly);
    ASSERT_EQ(data.budgets.size(), 1u);
    const auto& april = data.budgets[0].periods.at(0);
    EXPECT_DOUBLE_EQ(april.variation, c.variation);
    const auto doc = budgets::budgetReportDocument(data);  // the bands point into it
    const auto rows = doc.bandsOf(reports::BandKind::Detail);
    EXPECT_EQ(rows.at(0)->cells.at(3), c.shownActual);
    EXPECT_DOUBLE_EQ(data.budgets[0].yearToDate, c.actual);
    EXPECT_DOUBLE_EQ(data.budgets[0].remaining, 1200 - c.actual);
    EXPECT_DOUBLE_EQ(data.budgets[0].variationSum,
                     c.variation + 11 * (QString(c.type) == "INC" ? -100 : 100));
}

INSTANTIATE_TEST_SUITE_P(Types, BudgetVariation,
                         ::testing::Values(BudgetVariationCase{"INC", 120, "120.00", 20},
                                           BudgetVariationCase{"EXP", 120, "120.00", -20},
                                           BudgetVariationCase{"EXP", 0, "0.00", 100}));

TEST_F(BudgetReport, theReportTypeChoosesTheBudgetsAndTheThirdStartsPageTwo) {
    book.account("4100", "INC");
    book.account("6100", "EXP");
    const QString active = budget("4100", budgets::kActive, 100);
    budget("4100", budgets::kTrial, 100, QDate(2025, 4, 1), PeriodLength::Yearly, "T1");
    budget("6100", budgets::kInactive, 100, QDate(2025, 4, 1), PeriodLength::Yearly);
    struct {
        BudgetSelection s;
        size_t count;
        const char* line;
    } const cases[] = {{BudgetSelection::ActiveOnly, 1, "Active budgets only."},
                       {BudgetSelection::TrialOnly, 1, "Trial budgets only."},
                       {BudgetSelection::InactiveOnly, 1, "Inactive budgets only."},
                       {BudgetSelection::All, 3, "All budgets, and all accounts."}};
    for (const auto& c : cases) {
        const auto data = report(c.s);
        EXPECT_EQ(data.budgets.size(), c.count) << c.line;
        EXPECT_EQ(data.selectionLine, c.line);
        EXPECT_EQ(data.heading, "Budgets for :  Harbour Cafe");
    }
    EXPECT_EQ(reports::pageCount(budgets::budgetReportDocument(report(BudgetSelection::All))), 2);
    EXPECT_EQ(report(BudgetSelection::All, account("4100").fullCode).budgets.size(), 2u);
    // Made inactive, the account's active budget is no longer listed as active.
    budgets::saveBudgetHeader(folder.connection, account("4100"), active, "x", budgets::kInactive);
    EXPECT_TRUE(report(BudgetSelection::ActiveOnly).budgets.empty());
}

TEST_F(BudgetReport, aDepartmentsReportReadsItsOwnLinesAndLeavesEmptyActualsBlank) {
    book.department(1, "CAFE", "Cafe floor");
    book.account("4200", "INC", 1, 0, 1);
    budget("4200", budgets::kActive, 100);
    const auto link = account("4200").linkCode;
    const auto data = report(BudgetSelection::ActiveOnly, {}, link);
    ASSERT_EQ(data.budgets.size(), 1u);
    EXPECT_EQ(data.heading, "Budgets for :  Harbour Cafe and for  Cafe floor");
    const auto doc = budgets::budgetReportDocument(data);  // the bands point into it
    const auto rows = doc.bandsOf(reports::BandKind::Detail);
    EXPECT_EQ(rows.at(0)->cells.at(3), "");
}

// --- the business plan ----------------------------------------------------------------------

class BusinessPlan : public BudgetBook {
protected:
    budgets::BusinessPlanData plan(const QString& status = budgets::kActive,
                                   bool domestic = false) {
        budgets::BusinessPlanOptions o;
        o.from = QDate(2025, 4, 1);
        o.to = QDate(2026, 3, 31);
        o.status = status;
        o.includeDomestic = domestic;
        return budgets::businessPlanData(folder.connection, o);
    }
};

// Kept: a budget from 1 March is not listed, yet its periods in the range count in the total.
TEST_F(BusinessPlan, listsBudgetsWithinTheRangeButTotalsEveryPeriodInIt) {
    book.account("4100", "INC");
    book.account("4200", "INC");
    book.account("6100", "EXP");
    budget("4100", budgets::kActive, 100);                    // 1 Apr - 31 Mar: listed
    budget("4200", budgets::kActive, 10, QDate(2025, 3, 1));  // 11 periods in the range
    budget("6100", budgets::kActive, 300, QDate(2025, 4, 1), PeriodLength::Quarterly);
    const auto d = plan();
    ASSERT_EQ(d.income.budgets.size(), 1u);
    EXPECT_EQ(d.income.budgets[0].periods.size(), 12u);
    EXPECT_DOUBLE_EQ(d.income.budgets[0].total, 1200);
    EXPECT_DOUBLE_EQ(d.income.total, 1200 + 110);
    EXPECT_DOUBLE_EQ(d.expenses.total, 1200);
    EXPECT_DOUBLE_EQ(d.revenue(), 110);

    const auto full = budgets::businessPlanDocument(d, false);
    const auto summary = budgets::businessPlanDocument(d, true);
    EXPECT_EQ(full.bandsOf(reports::BandKind::Detail).size(), 2u + 12 + 4);
    EXPECT_EQ(summary.bandsOf(reports::BandKind::Detail).size(), 2u);
    EXPECT_EQ(summary.bandsOf(reports::BandKind::GroupFooter).size(), 4u);
    EXPECT_EQ(summary.bands.back().cells.at(4), "110.00");
    EXPECT_EQ(full.orientation, QPageLayout::Landscape);
}

// Mend: the " Select Type " choice narrows the budgets, so statuses are never added together.
TEST_F(BusinessPlan, takesOnlyTheBudgetsOfTheChosenStatus) {
    book.account("4100", "INC");
    budget("4100", budgets::kActive, 100);
    budget("4100", budgets::kTrial, 150, QDate(2025, 4, 1), PeriodLength::Monthly, "T");
    budget("4100", budgets::kInactive, 170, QDate(2025, 4, 1), PeriodLength::Monthly, "I");
    EXPECT_DOUBLE_EQ(plan(budgets::kActive).income.total, 1200);
    EXPECT_DOUBLE_EQ(plan(budgets::kTrial).income.total, 1800);
    EXPECT_EQ(plan(budgets::kInactive).income.budgets.at(0).code, "I");
}

TEST_F(BusinessPlan, leavesWhollyDomesticAccountsOutUnlessAsked) {
    book.account("HOME", "EXP", 1, 100);
    book.account("PHONE", "EXP", 1, 50);
    budget("HOME", budgets::kActive, 10);
    budget("PHONE", budgets::kActive, 20);
    EXPECT_DOUBLE_EQ(plan().expenses.total, 240);
    EXPECT_DOUBLE_EQ(plan(budgets::kActive, true).expenses.total, 360);
    EXPECT_TRUE(budgets::businessPlanDocument(plan(budgets::kTrial), false).bands.empty());
}

}  // namespace
