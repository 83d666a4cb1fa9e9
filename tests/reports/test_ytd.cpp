// The year-to-date reports: actuals against budget by month and year to date, the remaining
// budget, the group totals and the balances row, twelve months of actuals, and the work tables
// emptied after a run.
#include <gtest/gtest.h>

#include <map>

#include "book_fixture.h"
#include "reports/worktables.h"
#include "reports/ytdfigures.h"
#include "reports/ytdreports.h"
#include "store/format.h"
#include "store/query.h"
#include "support/temp_folder.h"

using reports::DateRange;
using testbook::Book;

namespace {

// ---- Rules without the store ----------------------------------------------------------------

reports::AccountBudget monthly(const QDate& start, int months, double each) {
    reports::AccountBudget b;
    for (const DateRange& m : reports::reportMonths(start, months)) {
        b.periods.push_back({m.from, m.to, each});
        b.total += each;
    }
    return b;
}

reports::AccountBudget quarterly(const QDate& start, double each) {
    reports::AccountBudget b;
    for (int q = 0; q < 4; ++q) {
        const QDate from = start.addMonths(3 * q);
        const QDate end = from.addMonths(3).addDays(-1);
        b.periods.push_back({from, end, each});
        b.total += each;
    }
    return b;
}

struct ValuesCase {
    const char* story;
    std::optional<reports::AccountBudget> budget;
    bool income, yearToDate;
    double month1, year;
    std::vector<double> expected;  // ACT1 BUD1 DIFF1 TACT TBUD TDIFF REMAINDER
};

class ComparisonValuesTest : public ::testing::TestWithParam<ValuesCase> {};

TEST_P(ComparisonValuesTest, anAccountsRow) {
    const ValuesCase& c = GetParam();
    reports::ComparisonInput in{{c.month1}, c.year, c.budget, c.yearToDate, c.income};
    const auto months = reports::reportMonths(QDate(2025, 5, 1), 1);
    EXPECT_EQ(reports::comparisonValues(in, months, {QDate(2025, 4, 1), QDate(2025, 12, 31)}),
              c.expected)
        << c.story;
}

const QDate kApril(2025, 4, 1);

INSTANTIATE_TEST_SUITE_P(
    Budgets, ComparisonValuesTest,
    ::testing::Values(
        ValuesCase{"a monthly budget gives the month and the periods to date",
                   monthly(kApril, 12, 100),
                   false,
                   true,
                   80,
                   500,
                   {80, 100, -20, 500, 900, -400, 700}},
        ValuesCase{"a quarterly budget never matches a month; three quarters lie in the range",
                   quarterly(kApril, 300),
                   false,
                   true,
                   80,
                   500,
                   {80, 0, 80, 500, 900, -400, 700}},
        ValuesCase{"an expense account over its budget has nothing remaining",
                   monthly(kApril, 12, 100),
                   false,
                   true,
                   80,
                   1300.5,
                   {80, 100, -20, 1300.5, 900, 400.5, 0}},
        ValuesCase{"an income account over its budget shows the negative difference",
                   monthly(kApril, 12, 100),
                   true,
                   true,
                   80,
                   1300.5,
                   {80, 100, -20, 1300.5, 900, 400.5, -100.5}},
        ValuesCase{"without a budget the budgets and the remainder are 0",
                   std::nullopt,
                   true,
                   true,
                   80.005,
                   500,
                   {80.01, 0, 80.01, 500, 0, 500, 0}},
        ValuesCase{"a wholly private account has no year-to-date figures",
                   monthly(kApril, 12, 100),
                   false,
                   false,
                   80,
                   500,
                   {80, 100, -20, 0, 0, 0, 0}}));

TEST(ReportMonths, aRunFromDecemberGoesIntoJanuaryAndFebruaryKnowsLeapYears) {
    const auto two = reports::reportMonths(QDate(2027, 12, 15), 3);
    ASSERT_EQ(two.size(), 3u);
    EXPECT_EQ(two[0].from, QDate(2027, 12, 15));
    EXPECT_EQ(two[0].to, QDate(2027, 12, 31));
    EXPECT_EQ(two[1].from, QDate(2028, 1, 1));
    EXPECT_EQ(two[2].to, QDate(2028, 2, 29));
}

// One month: variances enter the balances as absolutes; the remaining budget is not totalled.
TEST(CrossTabTotals, theBalancesRowTakesAbsoluteExpensesInTheVarianceColumns) {
    reports::CrossTab tab;
    tab.found = true;
    tab.groups[0] = {{"SALES", "I", "Sales", {100, 150, -50, 1000, 1500, -500, 500}}};
    tab.groups[1] = {{"RENT", "E", "Rent", {40, 30, 10, 400, 300, 100, 0}},
                     {"POWER", "E", "Power", {10, 30, -20, 100, 300, -200, 200}}};
    tab.groups[2] = {{"INSURE", "O", "Insurance", {25, 20, 5, 250, 200, 50, 0}}};
    reports::totalCrossTab(reports::oneMonthLayout(), tab);
    using V = std::vector<std::optional<double>>;
    EXPECT_EQ(tab.totals[1], (V{50, 60, -10, 500, 600, -100, std::nullopt}));
    // ACT1 100 - (50 + 25); DIFF1 -50 - (|-10| + 5); TDIFF -500 - (|-100| + 50).
    EXPECT_EQ(tab.balances, (V{25, 70, -65, 250, 700, -650, std::nullopt}));
    const reports::ReportDocument doc = reports::crossTabDocument(reports::oneMonthLayout(), tab);
    EXPECT_EQ(doc.bands.back().cells, QStringList({"Balances ", "25.00", "70.00", "-65.00",
                                                   "250.00", "700.00", "-650.00", ""}));
    EXPECT_EQ(doc.bandsOf(reports::BandKind::GroupFooter)[2]->cells.value(0), "Total  Overheads :");
}

// ---- Over a book ----------------------------------------------------------------------------

class YtdTest : public ::testing::Test {
protected:
    TempDataFolder folder;
    Book book{folder.connection};
    store::Connection& c = folder.connection;

    void SetUp() override {
        book.company("Harbour Cafe");
        book.account("SALES", "INC", 1, 0, 0, "Cafe sales");
        book.account("PHONE", "EXP", 1, 30, 0, "Phone");
        book.account("INSURE", "EXP", 1, 0, 0, "Insurance");
        book.account("PRIV", "EXP", 1, 100, 0, "Private car");
        c.exec("UPDATE QVACCDET SET RPTCAT = 'O' WHERE ACCTCODE = 'INSURE'");
        book.line({"SALES", QDate(2025, 4, 10), 1150, {}, 150, {}});
        book.line({"SALES", QDate(2025, 5, 31), 920, {}, 120, {}});
        book.line({"SALES", QDate(2025, 7, 1), 5000, {}, 0, {}});  // after the year to date
        // The business shares of a 30 % private phone.
        book.line({"PHONE", QDate(2025, 4, 2), 230, 161.0, 21, {}});
        book.line({"PHONE", QDate(2025, 5, 2), 115, 80.5, 10.5, {}});
        book.line({"INSURE", QDate(2025, 4, 30), 2000, {}, 0, {}});
        book.line({"PRIV", QDate(2025, 4, 30), 75, {}, 0, {}});
        budget("SALES", monthly(kApril, 12, 1000));
        budget("PHONE", quarterly(kApril, 300));
        budget("INSURE", monthly(kApril, 12, 100));
        budget("PRIV", monthly(kApril, 12, 50));
    }

    // An active budget as the budget window stores it: header, periods, the account's link.
    void budget(const QString& acct, const reports::AccountBudget& b) {
        const QString link = acct + "-0-1", full = "1-" + acct;
        c.exec(QString("INSERT INTO QVBUDCNTR (BUDGCODE, COYCODE, ACCTCODE, FULLCODE, STATUS, "
                       "TOTAMOUNT, BUSAMOUNT, BUDGLINK) VALUES ('%1', '1', '%1', '%2', 'A', %3, "
                       "%3, '%4')")
                   .arg(acct, full)
                   .arg(b.total)
                   .arg(link));
        for (const reports::BudgetPeriod& p : b.periods)
            c.exec(QString("INSERT INTO QVACCBUD (BUDGCODE, BUDGLINK, COYCODE, ACCTCODE, FULLCODE, "
                           "PERIOD_BEG, PERIOD_END, BAMOUNT, DAMOUNT, TAMOUNT) VALUES ('%1', '%2', "
                           "'1', '%1', '%3', '%4', '%5', %6, 0, %6)")
                       .arg(acct, link, full, p.begin.toString(Qt::ISODate),
                            p.end.toString(Qt::ISODate))
                       .arg(p.amount));
        c.exec(QString("UPDATE QVACCDET SET BUDGLINK = '%1', HASBUDGET = 1 WHERE ACCTCODE = '%2'")
                   .arg(link, acct));
    }

    reports::ComparisonFigures comparison(bool excludeTax) {
        reports::ComparisonSelection s;
        s.firstMonth = kApril;
        s.months = 2;
        s.yearStart = kApril;
        s.periodEnd = QDate(2025, 6, 30);
        s.excludeTax = excludeTax;
        return reports::ComparisonFigures(c, s);
    }

    qint64 rowCount(const QString& table) {
        store::Query q(c);
        q.setSql("SELECT COUNT(*) FROM " + table);
        q.open();
        return qint64(q.number(0));
    }
};

// ACCTCODE and ACT1 BUD1 DIFF1 ACT2 BUD2 DIFF2 TACT TBUD TDIFF REMAINDER as stored.
using StoredRow = std::pair<QString, std::vector<double>>;

std::vector<StoredRow> storedRows(store::Connection& c, const QString& key) {
    store::Query q(c);
    q.setSql({"SELECT ACCTCODE, ACT1, BUD1, DIFF1, ACT2, BUD2, DIFF2, TACT, TBUD, TDIFF,",
              "REMAINDER FROM XTAB2MTH WHERE KEYCODE =:k ORDER BY LINENO"});
    q.bind("k", key);
    q.open();
    std::vector<StoredRow> rows;
    for (; !q.eof(); q.next()) {
        rows.push_back({q.text("ACCTCODE"), {}});
        for (int i = 1; i <= 10; ++i) rows.back().second.push_back(q.number(i));
    }
    return rows;
}

TEST_F(YtdTest, twoMonthsAgainstBudgetAsTheWorkTableHoldsThem) {
    auto figures = comparison(false);
    figures.runToEnd();
    const QString key =
        reports::writeCrossTabRun(c, figures.layout(), figures.header(), figures.rows());
    EXPECT_EQ(key.size(), 5);
    // Income first, then expenses, then overheads; the wholly private account has no row.
    const std::vector<StoredRow> expected = {
        {"SALES", {1150, 1000, 150, 920, 1000, -80, 2070, 3000, -930, 9930}},
        {"PHONE", {161, 0, 161, 80.5, 0, 80.5, 241.5, 300, -58.5, 958.5}},
        {"INSURE", {2000, 100, 1900, 0, 100, -100, 2000, 300, 1700, 0}}};
    EXPECT_EQ(storedRows(c, key), expected);

    store::Query head(c);
    head.setSql("SELECT BUSNAME, FROMTO, CURRENT, TODATE, COLHDR1, COLHDR2 FROM QVRPTHDR");
    head.open();
    EXPECT_EQ(head.text("BUSNAME"), "Company - Actuals vs Budget for:  Harbour Cafe");
    EXPECT_EQ(head.text("CURRENT"), "Selected date April 2025");
    EXPECT_EQ(head.text("COLHDR2"), "May");
    EXPECT_EQ(head.text("TODATE"),
              "Y.T.D. Figures to " + store::fmt::shortDate(QDate(2025, 6, 30)));

    // Variances and the remaining budget enter the balances with absolute expenses.
    const auto doc = reports::TYTDActuals_Vs_Budgets_2mth(c, key).document();
    EXPECT_EQ(doc.bands.back().cells,
              QStringList({"Balances ", "-1011.00", "900.00", "-1911.00", "839.50", "900.00",
                           "-260.50", "-171.50", "2400.00", "-2688.50", "8971.50"}));
    EXPECT_EQ(doc.pageId, "QVYTDAVB2");
}

class YtdMeasureTest : public YtdTest, public ::testing::WithParamInterface<bool> {};

TEST_P(YtdMeasureTest, theMonthsAddUpToTheYearToDate) {
    auto figures = comparison(GetParam());
    figures.runToEnd();
    const double sales = GetParam() ? 1800 : 2070, phone = GetParam() ? 210 : 241.5;
    const std::map<QString, double> yearToDate = {
        {"SALES", sales}, {"PHONE", phone}, {"INSURE", 2000}};
    ASSERT_EQ(figures.rows().size(), 3u);
    for (const reports::CrossTabRow& r : figures.rows()) {
        const auto& v = r.values;  // ACT1 BUD1 DIFF1 ACT2 BUD2 DIFF2 TACT ...
        EXPECT_EQ(store::fmt::cents(v[0] + v[3]), store::fmt::cents(v[6]))
            << r.acctCode.toStdString();
        EXPECT_DOUBLE_EQ(v[6], yearToDate.at(r.acctCode)) << r.acctCode.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutTax, YtdMeasureTest, ::testing::Bool());

TEST_F(YtdTest, twelveMonthsOfActualsFromTheStartOfThePeriod) {
    reports::ActualsFigures figures(c, {1, {}, QDate(2025, 3, 15), QDate(2026, 3, 14), true});
    figures.runToEnd();
    const auto doc = reports::actualsReport(c, figures);
    // Every account has a row, the private one too; full amounts less tax.
    ASSERT_EQ(figures.rows().size(), 4u);
    const auto& sales = figures.rows()[0].values;
    ASSERT_EQ(sales.size(), 13u);
    EXPECT_EQ(sales[1], 1000);  // April
    EXPECT_EQ(sales[2], 800);   // May
    EXPECT_EQ(sales[4], 5000);  // July
    EXPECT_EQ(sales[12], 6800);
    EXPECT_EQ(figures.rows()[1].values[1], 209);  // the phone's whole amount less its tax
    EXPECT_EQ(doc.columns[1].heading, "March");
    EXPECT_EQ(doc.columns[12].heading, "February");
    // Total: 6800.00 income less expenses 313.50 + 75.00 and overheads 2000.00.
    EXPECT_EQ(doc.bands.back().cells.value(13), "4411.50");
}

TEST_F(YtdTest, theWorkTablesAreEmptiedAfterARunUnlessAnotherHasThemOpen) {
    auto figures = comparison(false);
    figures.runToEnd();
    const auto doc = reports::comparisonReport(c, figures);
    EXPECT_FALSE(doc.bandsOf(reports::BandKind::Detail).empty());
    {
        store::Table elsewhere(c, "XTab2mth.DBF");
        elsewhere.open();
        EXPECT_FALSE(reports::emptyWorkTables(c, reports::comparisonWorkTables()));
        EXPECT_EQ(rowCount("XTAB2MTH"), 3);
        EXPECT_EQ(rowCount("QVRPTHDR"), 1);
    }
    EXPECT_TRUE(reports::emptyWorkTables(c, reports::comparisonWorkTables()));
    for (const char* t : {"QVRPTHDR", "XTAB1MTH", "XTAB2MTH"}) EXPECT_EQ(rowCount(t), 0) << t;
}

}  // namespace
