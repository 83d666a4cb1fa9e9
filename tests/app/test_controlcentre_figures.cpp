// The control centre's figures: bank totals, income and expenditure over a date range, and the
// from date it keeps between runs.
#include "app/controlcentre_figures.h"
#include "banking/sample_company.h"
#include "store/format.h"
#include "store/inifile.h"
#include "store/query.h"
#include "store/table.h"
#include "reports/book_fixture.h"
#include "support/temp_folder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace cc = app::controlcentre;

namespace {

// --- Bank totals ---------------------------------------------------------------------------

struct BankCase {
    const char* story;
    std::vector<cc::BankAccountFigures> accounts;
    const char* inBank;
    const char* overdraft;
    const char* funds;
};

class BankTotals : public testing::TestWithParam<BankCase> {};

TEST_P(BankTotals, AddUpAsTheLabelsShowThem)
{
    const BankCase& c = GetParam();
    const cc::BankTotals t = cc::bankTotals(c.accounts);
    EXPECT_EQ(t.inBank, QString::fromLatin1(c.inBank));
    EXPECT_EQ(t.overdraft, QString::fromLatin1(c.overdraft));
    EXPECT_EQ(t.funds, QString::fromLatin1(c.funds));
}

INSTANTIATE_TEST_SUITE_P(
    ControlCentre, BankTotals,
    testing::Values(
        BankCase{"no bank accounts leave the labels as they start", {}, "00.00", "00.00", "0.00"},
        BankCase{"an account without overdraft adds its balance but not its limit",
                 {{1200.50, false, 5000.0}}, "1200.50", "00.00", "1200.50"},
        BankCase{"an overdraft account adds its limit",
                 {{1200.50, false, 5000.0}, {-300.25, true, 1000.0}}, "900.25", "1000.00",
                 "1900.25"},
        BankCase{"an overdrawn account lowers the total",
                 {{-250.0, true, 500.0}}, "-250.00", "500.00", "250.00"},
        // 0.005 three times: each step rounds (0.01, 0.02, 0.03); one rounding at the end
        // would give 0.02.
        BankCase{"every addition is rounded to cents",
                 {{0.005, true, 0.005}, {0.005, true, 0.005}, {0.005, true, 0.005}}, "0.03",
                 "0.03", "0.06"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

// --- Profit and loss -----------------------------------------------------------------------

TEST(ControlCentreProfitAndLoss, AnyTypeOtherThanIncIsExpenditure)
{
    const std::vector<cc::LedgerAccountRef> accounts = {
        {"1-SALES", "INC"}, {"1-RENT", "EXP"}, {"1-ODD", "inc"}, {"1-BLANK", ""}};
    const cc::ProfitAndLoss pl = cc::profitAndLoss(
        accounts, {{"1-SALES", 1000.0}, {"1-RENT", 200.0}, {"1-ODD", 30.0}, {"1-BLANK", 4.5}});
    EXPECT_EQ(pl.income, "1000.00");
    EXPECT_EQ(pl.expenditure, "234.50");
    EXPECT_EQ(pl.profitLoss, "765.50");
}

TEST(ControlCentreProfitAndLoss, ATotalNothingWasAddedToKeepsItsStartingText)
{
    const cc::ProfitAndLoss onlyExpenses = cc::profitAndLoss({{"1-RENT", "EXP"}}, {});
    EXPECT_EQ(onlyExpenses.income, "00.00");
    EXPECT_EQ(onlyExpenses.expenditure, "0.00");
    EXPECT_EQ(onlyExpenses.profitLoss, "0.00");
    const cc::ProfitAndLoss none = cc::profitAndLoss({}, {{"1-RENT", 5.0}});
    EXPECT_EQ(none.income, "00.00");
    EXPECT_EQ(none.expenditure, "00.00");
    EXPECT_EQ(none.profitLoss, "0.00");
}

TEST(ControlCentreProfitAndLoss, ALossShowsNegative)
{
    const cc::ProfitAndLoss pl =
        cc::profitAndLoss({{"1-SALES", "INC"}, {"1-RENT", "EXP"}}, {{"1-SALES", 10.0}, {"1-RENT", 25.5}});
    EXPECT_EQ(pl.profitLoss, "-15.50");
}

// A small book of company 1 with lines around a range, and company 2's lines on the same codes.
class ControlCentreBook : public testing::Test {
protected:
    void SetUp() override
    {
        testbook::Book book(folder.connection);
        book.company("Harbour Cafe");
        book.account("SALES", "INC");
        book.account("RENT", "EXP");
        book.account("WAGES", "EXP", 1, 0, 1);  // a department account
        book.line({"SALES", from.addDays(-1), 1.00});
        book.line({"SALES", from, 100.10});
        book.line({"SALES", from.addDays(40), 200.20});
        book.line({"SALES", to, 300.30});
        book.line({"SALES", to.addDays(1), 2.00});
        book.line({"RENT", from, 50.05});
        book.line({"RENT", to, 25.00});
        book.line({"WAGES", to, 10.00});
        testbook::Book other(folder.connection, 2);
        other.company("Other Ltd");
        other.account("SALES", "INC");
        other.line({"SALES", from.addDays(3), 999.0, {}, 0, {}, "2"});
    }

    TempDataFolder folder;
    const QDate from{2025, 4, 1};
    const QDate to{2026, 3, 31};
};

TEST_F(ControlCentreBook, LinesOnBothEndsOfTheRangeCountAndNoneOutside)
{
    const cc::ProfitAndLoss pl = cc::readProfitAndLoss(folder.connection, 1, from, to);
    EXPECT_EQ(pl.income, "600.60");
    EXPECT_EQ(pl.expenditure, "85.05");
    EXPECT_EQ(pl.profitLoss, "515.55");
}

TEST_F(ControlCentreBook, ARangeOfOneDayCountsThatDay)
{
    const cc::ProfitAndLoss pl = cc::readProfitAndLoss(folder.connection, 1, to, to);
    EXPECT_EQ(pl.income, "300.30");
    EXPECT_EQ(pl.expenditure, "35.00");
}

TEST_F(ControlCentreBook, ARangeEndingBeforeItStartsCountsNothing)
{
    const cc::ProfitAndLoss pl = cc::readProfitAndLoss(folder.connection, 1, to, from);
    EXPECT_EQ(pl.income, "0.00");
    EXPECT_EQ(pl.expenditure, "0.00");
    EXPECT_EQ(pl.profitLoss, "0.00");
}

TEST_F(ControlCentreBook, TheOtherCompanyHasItsOwnFigures)
{
    const cc::ProfitAndLoss pl = cc::readProfitAndLoss(folder.connection, 2, from, to);
    EXPECT_EQ(pl.income, "999.00");
    EXPECT_EQ(pl.expenditure, "00.00");
}

TEST_F(ControlCentreBook, TheSumsReadTheCoveringIndexAlone)
{
    store::Query q(folder.connection);
    QStringList sql = cc::journalMonthSumsSql();
    sql.first().prepend(QStringLiteral("EXPLAIN QUERY PLAN "));
    q.setSql(sql);
    q.bind("sCoyCode", "1");
    q.bind("BegDate", from);
    q.bind("EndDate", to);
    q.open();
    QStringList plan;
    for (q.first(); !q.eof(); q.next()) plan << q.text(QStringLiteral("detail"));
    const QString journal = plan.filter(QStringLiteral("QVActTr"), Qt::CaseInsensitive).join("; ");
    EXPECT_TRUE(journal.contains(QStringLiteral("COVERING INDEX QVActTr_FULLCODE_AMOUNT")))
        << qPrintable(plan.join("\n"));
    EXPECT_TRUE(journal.contains(QStringLiteral("TRANDATE>? AND TRANDATE<?")))
        << qPrintable(plan.join("\n"));
}

// --- Against a plain walk over the lines ----------------------------------------------------

// The figures as walking every journal line of every account gives them: each account found on
// a second account table by FULLCODE, its lines read one by one, every running total rounded.
cc::ProfitAndLoss walkTheLines(store::Connection& c, int coy, const QDate& from, const QDate& to)
{
    store::Table accounts(c, "QVAccDet.DBF");
    accounts.setIndexName("COYCODE");
    accounts.open();
    accounts.setMasterRange("COYCODE", QString::number(coy));
    store::Table byCode(c, "QVAccDet.DBF");
    byCode.setIndexName("FULLCODE");
    byCode.open();
    store::Table lines(c, "QVActTr.DBF");
    lines.setIndexName("FULLCODE");
    lines.open();
    cc::LabelTotal income, expenditure;
    for (accounts.first(); !accounts.isEmpty() && !accounts.eof(); accounts.next()) {
        if (!byCode.findKey(accounts.text("FULLCODE"))) continue;
        lines.setMasterRange("FULLCODE", byCode.text("FULLCODE"));
        double sum = 0;
        for (lines.first(); !lines.isEmpty() && !lines.eof(); lines.next()) {
            const QDate d = lines.date("TRANDATE");
            if (d >= from && d <= to) sum += lines.number("AMOUNT");
        }
        (accounts.text("TYPECODE") == "INC" ? income : expenditure).add(sum);
    }
    cc::ProfitAndLoss out;
    out.income = income.text();
    out.expenditure = expenditure.text();
    out.profitLoss = store::fmt::money(income.value() - expenditure.value());
    return out;
}

TEST(ControlCentreSampleBook, FiguresEqualAWalkOverEveryLine)
{
    TempDataFolder folder;
    const QDate today(2026, 5, 20);
    banking::sample::makeDemoCompany(folder.connection, today);
    ASSERT_GT(banking::sample::postDemoEntries(folder.connection, 400, today, 3, 400), 300);

    const std::vector<std::pair<QDate, QDate>> ranges = {
        {today.addDays(-365), today},
        {today.addYears(-3), today},
        {QDate(2025, 4, 1), QDate(2026, 3, 31)},
        {QDate(2024, 7, 1), QDate(2024, 7, 31)},
        {today, today.addDays(-1)},
    };
    for (const auto& [from, to] : ranges) {
        SCOPED_TRACE(qPrintable(from.toString(Qt::ISODate) + " to " + to.toString(Qt::ISODate)));
        const cc::ProfitAndLoss walked = walkTheLines(folder.connection, 1, from, to);
        const cc::ProfitAndLoss summed = cc::readProfitAndLoss(folder.connection, 1, from, to);
        EXPECT_EQ(summed.income, walked.income);
        EXPECT_EQ(summed.expenditure, walked.expenditure);
        EXPECT_EQ(summed.profitLoss, walked.profitLoss);
    }
    // The sample has income and expenses in its last year, so the comparison is not of zeros.
    EXPECT_NE(cc::readProfitAndLoss(folder.connection, 1, today.addDays(-365), today).income,
              "00.00");

    // Bank totals: the sample's overdraft accounts are the cheque (5000) and catering (1000)
    // accounts; the savings account has none.
    const std::vector<cc::BankAccountFigures> banks = cc::readBankAccounts(folder.connection, 1);
    ASSERT_EQ(banks.size(), 3u);
    const cc::BankTotals totals = cc::bankTotals(banks);
    EXPECT_EQ(totals.overdraft, "6000.00");
    cc::LabelTotal inBank;
    for (const auto& b : banks) inBank.add(b.currBal);
    EXPECT_EQ(totals.inBank, inBank.text());
}

// --- Kept between runs ---------------------------------------------------------------------

class ControlCentreIni : public testing::Test {
protected:
    QTemporaryDir dir;
    store::IniFile ini{dir.filePath("NRVCash.ini")};
    const QDate today{2026, 5, 20};
};

TEST_F(ControlCentreIni, AFromDateAbsentOrEmptyIsAYearBeforeToday)
{
    EXPECT_EQ(cc::readFromDate(ini, today), QDate(2025, 5, 20));
    ini.writeString("QVCoyOpsForm", "BegDate", "");
    EXPECT_EQ(cc::readFromDate(ini, today), QDate(2025, 5, 20));
}

TEST_F(ControlCentreIni, TheFromDateWrittenIsReadBack)
{
    cc::writeStateAndFromDate(ini, 2, QDate(2024, 2, 29));
    EXPECT_EQ(cc::readFromDate(ini, today), QDate(2024, 2, 29));
    EXPECT_EQ(cc::readState(ini, 0), 2);
    EXPECT_EQ(ini.readString("QVCoyOpsForm", "BegDate"), store::fmt::shortDate(QDate(2024, 2, 29)));
}

TEST_F(ControlCentreIni, AStateAbsentKeepsTheCurrentOne)
{
    EXPECT_EQ(cc::readState(ini, 0), 0);
    EXPECT_EQ(cc::readState(ini, 2), 2);
}

TEST_F(ControlCentreIni, AFromDateThatIsNotADateIsAnError)
{
    ini.writeString("QVCoyOpsForm", "BegDate", "next Tuesday");
    try {
        cc::readFromDate(ini, today);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "'next Tuesday' is not a valid date");
    }
}

}  // namespace
