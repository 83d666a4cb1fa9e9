// The control centre's charts: each month's income and expenditure are the control centre's
// figures over that month, and the bank line ends at the total in the bank accounts.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/controlcentre_months.h"
#include "banking/sample_company.h"
#include "reports/book_fixture.h"
#include "store/format.h"
#include "store/query.h"
#include "support/temp_folder.h"

namespace cc = app::controlcentre;

namespace {

const QDate kToday(2026, 5, 20);

// A small book: bank entries in April and June 2025 only, one line on each side of a range
// ending 31 March 2026, and a second company on the same codes.
void makeSmallBook(store::Connection& c) {
    testbook::Book book(c);
    book.company("Harbour Cafe");
    book.account("SALES", "INC");
    book.account("RENT", "EXP");
    book.bankAccount("12-3456-7890123-00", "Cheque", 1000.00, QDate(2025, 1, 1));
    const QString bank = "12-3456-7890123-00";
    book.line({"SALES", QDate(2025, 3, 31), 1.00, {}, 0, bank});
    book.line({"SALES", QDate(2025, 4, 1), 100.10, {}, 0, bank});
    book.line({"RENT", QDate(2025, 4, 30), 50.05, {}, 0, bank});
    book.line({"SALES", QDate(2025, 6, 15), 200.20, {}, 0, bank});
    book.line({"SALES", QDate(2026, 3, 31), 0.01, {}, 0, bank});
    book.line({"RENT", QDate(2026, 4, 1), 2.00, {}, 0, bank});
    testbook::Book other(c, 2);
    other.company("Other Ltd");
    other.account("SALES", "INC");
    other.line({"SALES", QDate(2025, 5, 3), 999.0, {}, 0, {}, "2"});
}

void makeSampleBook(store::Connection& c) {
    banking::sample::makeDemoCompany(c, kToday);
    banking::sample::postDemoEntries(c, 300, kToday, 5, 300);
}

struct MonthCase {
    const char* story;
    void (*make)(store::Connection&);
    QDate from, to;
};

class ChartMonths : public testing::TestWithParam<MonthCase> {};

double plainSql(store::Connection& c, const QString& sql, const QDate& date) {
    store::Query q(c);
    q.setSql(sql);
    q.bind("D", date);
    q.open();
    return q.number(0);
}

TEST_P(ChartMonths, EachMonthIsTheControlCentresFiguresOverThatMonth) {
    const MonthCase& m = GetParam();
    TempDataFolder folder;
    store::Connection& c = folder.connection;
    m.make(c);
    const auto accounts = cc::readLedgerAccounts(c, 1);
    std::vector<cc::MonthFigures> months = cc::monthlyProfitAndLoss(
        accounts, cc::readJournalMonthSums(c, 1, m.from, m.to), m.from, m.to);
    const double inBank = cc::readBankTotals(c, 1).inBank.toDouble();
    cc::setBankTotals(months, inBank, cc::readBankMovements(c, 1, m.from, m.to));

    ASSERT_EQ(months.size(), cc::monthsOf(m.from, m.to).size());
    qint64 income = 0, spent = 0;
    for (const cc::MonthFigures& f : months) {
        SCOPED_TRACE(qPrintable(f.month.toString(Qt::ISODate)));
        const QDate end = std::min(f.month.addMonths(1).addDays(-1), m.to);
        const cc::ProfitAndLoss pl = cc::readProfitAndLoss(c, 1, std::max(f.month, m.from), end);
        EXPECT_EQ(store::fmt::cents(f.income), store::fmt::cents(pl.income.toDouble()));
        EXPECT_EQ(store::fmt::cents(f.expenditure), store::fmt::cents(pl.expenditure.toDouble()));
        income += store::fmt::cents(f.income);
        spent += store::fmt::cents(f.expenditure);
        // The bank accounts' opening balances and every bank row up to the month's end.
        const double atEnd =
            plainSql(c, "SELECT SUM(INITBAL) FROM QVBNKACT WHERE COYCODE = '1' AND :D IS NOT NULL",
                     end) +
            plainSql(c, "SELECT TOTAL(AMOUNT) FROM QVBNKTR WHERE COYCODE = '1' AND TRANDATE <= :D",
                     end);
        EXPECT_EQ(store::fmt::cents(f.bankTotal), store::fmt::cents(atEnd));
    }
    const cc::ProfitAndLoss whole = cc::readProfitAndLoss(c, 1, m.from, m.to);
    EXPECT_EQ(income, store::fmt::cents(whole.income.toDouble()));
    EXPECT_EQ(spent, store::fmt::cents(whole.expenditure.toDouble()));
    if (!months.empty() && m.to >= kToday) {
        EXPECT_EQ(store::fmt::cents(months.back().bankTotal), store::fmt::cents(inBank));
    }
}

INSTANTIATE_TEST_SUITE_P(
    ControlCentre, ChartMonths,
    testing::Values(
        MonthCase{"a year whose May has no entries", makeSmallBook, QDate(2025, 4, 1),
                  QDate(2026, 3, 31)},
        MonthCase{"a range starting and ending mid-month", makeSmallBook, QDate(2025, 4, 15),
                  QDate(2025, 6, 15)},
        MonthCase{"one day", makeSmallBook, QDate(2025, 4, 30), QDate(2025, 4, 30)},
        MonthCase{"a range ending before it starts", makeSmallBook, QDate(2025, 6, 1),
                  QDate(2025, 5, 1)},
        MonthCase{"the sample's last year to today", makeSampleBook, kToday.addDays(-365), kToday},
        MonthCase{"the sample over three years", makeSampleBook, kToday.addYears(-3), kToday}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(ChartMonthsOf, AMonthWithoutEntriesIsZeroNotAGap) {
    TempDataFolder folder;
    makeSmallBook(folder.connection);
    const QDate from(2025, 4, 1), to(2025, 6, 30);
    const auto months = cc::monthlyProfitAndLoss(
        cc::readLedgerAccounts(folder.connection, 1),
        cc::readJournalMonthSums(folder.connection, 1, from, to), from, to);
    ASSERT_EQ(months.size(), 3u);
    EXPECT_EQ(months[1].month, QDate(2025, 5, 1));
    EXPECT_EQ(months[1].income, 0.0);  // the other company's May sale is not ours
    EXPECT_EQ(months[1].expenditure, 0.0);
    EXPECT_DOUBLE_EQ(months[0].income, 100.10);
    EXPECT_DOUBLE_EQ(months[0].expenditure, 50.05);
}

TEST(ChartMonthsOf, TheMonthsCrossTheYearAndAreNoneForAnEmptyRange) {
    const auto months = cc::monthsOf(QDate(2025, 11, 30), QDate(2026, 2, 1));
    ASSERT_EQ(months.size(), 4u);
    EXPECT_EQ(months.front(), QDate(2025, 11, 1));
    EXPECT_EQ(months.back(), QDate(2026, 2, 1));
    EXPECT_TRUE(cc::monthsOf(QDate(2026, 2, 1), QDate(2026, 1, 31)).empty());
}

}  // namespace
