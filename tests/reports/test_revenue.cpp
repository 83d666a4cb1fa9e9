// The revenue statement of a café: the four amount modes, the last-line rule, departments and
// the totals.
#include "book_fixture.h"
#include "reports/revenue.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using testbook::Book;

namespace {

const QDate kFrom(2025, 4, 1);
const QDate kTo(2026, 3, 31);

class RevenueTest : public ::testing::Test {
protected:
    TempDataFolder folder;
    Book book{folder.connection};

    void SetUp() override { book.company("Harbour Cafe"); }

    reports::RevenueFigures prepare(const QString& link = {}, reports::RevenueOptions o = {}) {
        reports::TBusinessRevenueReport report(folder.connection, 1, link, kFrom, kTo, o);
        report.runToEnd();
        return report.figures();
    }
};

struct ModeCase {
    bool excludeTax, taxableOnly;
    double expected;
};

class RevenueModeTest : public RevenueTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(RevenueModeTest, aPartlyDomesticPhoneBillCountsByTheChosenMode) {
    // 30 % private: 230.00 with 21.00 tax in the business share of 161.00.
    book.account("PHONE", "EXP", 1, 30);
    book.line({"PHONE", QDate(2025, 7, 1), 230, 161.0, 21, {}});
    const ModeCase m = GetParam();
    const auto f = prepare({}, {m.excludeTax, m.taxableOnly});
    ASSERT_EQ(f.expenses.size(), 1u);
    EXPECT_DOUBLE_EQ(f.expenses[0].amount, m.expected);
    EXPECT_DOUBLE_EQ(f.totalExpenses, m.expected);
    EXPECT_DOUBLE_EQ(f.netRevenue(), -m.expected);
}

INSTANTIATE_TEST_SUITE_P(FourModes, RevenueModeTest,
                         ::testing::Values(ModeCase{false, false, 230}, ModeCase{false, true, 161},
                                           ModeCase{true, false, 209}, ModeCase{true, true, 140}));

TEST_F(RevenueTest, incomeAndExpensesGiveTheNetRevenue) {
    book.account("SALES", "INC");
    book.account("CATERING", "INC");
    book.account("RENT", "EXP");
    book.account("CAPITAL", "INC", 0);    // balance-sheet account: never here
    book.account("PRIV", "EXP", 1, 100);  // wholly private: never here
    book.line({"SALES", QDate(2025, 5, 1), 1150, {}, 150, {}});
    book.line({"SALES", QDate(2025, 6, 1), 230, {}, 30, {}});
    book.line({"CATERING", QDate(2025, 6, 1), 100, {}, 0, {}});
    book.line({"RENT", QDate(2025, 6, 1), 460, {}, 60, {}});
    book.line({"CAPITAL", QDate(2025, 6, 1), 5000, {}, 0, {}});
    book.line({"PRIV", QDate(2025, 6, 1), 50, {}, 0, {}});
    book.line({"SALES", QDate(2026, 4, 1), 999, {}, 0, {}});  // after the period
    const auto f = prepare();
    ASSERT_EQ(f.income.size(), 2u);
    EXPECT_EQ(f.income[0].code, "CATERING");  // account code order
    EXPECT_DOUBLE_EQ(f.income[1].amount, 1380);
    ASSERT_EQ(f.expenses.size(), 1u);
    EXPECT_DOUBLE_EQ(f.totalIncome, 1480);
    EXPECT_DOUBLE_EQ(f.totalExpenses, 460);
    EXPECT_DOUBLE_EQ(f.netRevenue(), 1020);
}

TEST_F(RevenueTest, anAccountWhoseLastLineIsZeroIsLeftOutEvenWithEarlierAmounts) {
    book.account("SALES", "INC");
    book.account("RENT", "EXP");
    book.line({"SALES", QDate(2025, 5, 1), 300, {}, 0, {}});
    book.line({"SALES", QDate(2025, 9, 1), 0, {}, 0, {}});
    book.line({"RENT", QDate(2025, 5, 1), 100, {}, 0, {}});
    const auto f = prepare();
    EXPECT_TRUE(f.income.empty());
    EXPECT_DOUBLE_EQ(f.totalIncome, 0);
    EXPECT_DOUBLE_EQ(f.netRevenue(), -100);
}

TEST_F(RevenueTest, noIncomeShowsZeroTotalIncomeAndMinusTheExpenses) {
    book.account("RENT", "EXP");
    book.line({"RENT", QDate(2025, 5, 1), 100, {}, 0, {}});
    reports::TBusinessRevenueReport report(folder.connection, 1, {}, kFrom, kTo, {});
    report.runToEnd();
    const reports::ReportDocument doc = report.document();
    const auto footers = doc.bandsOf(reports::BandKind::GroupFooter);
    ASSERT_EQ(footers.size(), 2u);
    EXPECT_EQ(footers[0]->cells, QStringList({"", "Total Income :", "0.00", ""}));
    EXPECT_EQ(footers[1]->cells, QStringList({"", "Total Expenses", "", "100.00"}));
    const auto summary = doc.bandsOf(reports::BandKind::Summary);
    ASSERT_EQ(summary.size(), 1u);
    EXPECT_EQ(summary[0]->cells, QStringList({"", "Net revenue : ", "", "-100.00"}));
}

TEST_F(RevenueTest, aDepartmentStatementListsOnlyItsAccountsAndNamesItInTheTitle) {
    book.department(1, "SHOP", "Corner shop");
    book.account("SALES", "INC");
    book.account("SHOPSALES", "INC", 1, 0, 1);
    book.line({"SALES", QDate(2025, 5, 1), 100, {}, 0, {}});
    book.line({"SHOPSALES", QDate(2025, 5, 1), 40, {}, 0, {}});
    reports::TBusinessRevenueReport report(folder.connection, 1, "1-1", kFrom, kTo, {});
    report.runToEnd();
    ASSERT_EQ(report.figures().income.size(), 1u);
    EXPECT_EQ(report.figures().income[0].code, "SHOPSALES");
    EXPECT_EQ(report.document().bandsOf(reports::BandKind::Title)[0]->cells.value(0),
              "Revenue Statement for :  Harbour Cafe and :  Corner shop");
    // Without a link code the same book gives the whole company.
    const auto whole = prepare();
    EXPECT_EQ(whole.income.size(), 2u);
    EXPECT_DOUBLE_EQ(whole.totalIncome, 140);
}

TEST_F(RevenueTest, preparingAgainStartsTheTotalsFromZero) {
    book.account("SALES", "INC");
    book.line({"SALES", QDate(2025, 5, 1), 100, {}, 0, {}});
    reports::TBusinessRevenueReport report(folder.connection, 1, {}, kFrom, kTo, {});
    report.runToEnd();
    report.restart();
    report.runToEnd();
    EXPECT_DOUBLE_EQ(report.figures().totalIncome, 100);
    EXPECT_EQ(report.figures().income.size(), 1u);
}

}  // namespace
