// The trial balance of a small café's books: brought-forward figures, each group of rows and
// the closing "Balances", prepared the way the selection window prepares it.
#include <gtest/gtest.h>

#include "book_fixture.h"
#include "reports/trialbalance.h"
#include "support/temp_folder.h"

using reports::TrialRowKind;
using testbook::Book;
using testbook::Line;

namespace {

const QDate kFrom(2025, 4, 1);
const QDate kTo(2026, 3, 31);

class TrialBalanceTest : public ::testing::Test {
protected:
    TempDataFolder folder;
    Book book{folder.connection};

    void SetUp() override { book.company("Harbour Cafe"); }

    reports::TrialBalanceFigures prepare(const QDate& from = kFrom, const QDate& to = kTo) {
        const reports::BroughtForward carried =
            reports::broughtForward(folder.connection, 1, from, to);
        reports::TTrialBalanceReport report(folder.connection, 1, from, to, carried);
        report.runToEnd();
        return report.figures();
    }

    // The café's year: sales by bank and in cash, rent, capital introduced last year,
    // equipment, and a wholly private account that never shows.
    void cafeYear() {
        book.account("SALES", "INC");
        book.account("RENT", "EXP");
        book.account("CAPITAL", "INC", 0);
        book.account("EQUIP", "EXP", 0);
        book.account("PRIV", "EXP", 1, 100);
        book.bankAccount("1234567-00", "Cheque account", 500, QDate(2024, 4, 1));
        book.line({"SALES", QDate(2025, 5, 1), 1150, {}, 150, "1234567-00"});
        book.line({"SALES", QDate(2025, 6, 1), 230, {}, 30, {}});
        book.line({"RENT", QDate(2025, 7, 1), 460, {}, 60, "1234567-00"});
        book.line({"CAPITAL", QDate(2024, 6, 1), 2000, {}, 0, "1234567-00"});
        book.line({"EQUIP", QDate(2025, 8, 1), 1150, {}, 150, "1234567-00"});
        book.line({"PRIV", QDate(2025, 9, 1), 100, {}, 0, "1234567-00"});
    }
};

QString cell(const std::optional<double>& v) { return v ? QString::number(*v, 'f', 2) : "-"; }

std::string show(const reports::TrialRow* r) {
    if (!r) return "(no row)";
    return (r->code + "|" + r->description + "|" + cell(r->debit) + "|" + cell(r->credit))
        .toStdString();
}

TEST_F(TrialBalanceTest, aCafesYearLandsInTheRightColumnsAndTotals) {
    cafeYear();
    const reports::BroughtForward carried = reports::broughtForward(folder.connection, 1, kFrom);
    // 2000 banked before the year plus the 500 opening balance.
    EXPECT_DOUBLE_EQ(carried.bf, 2500);
    EXPECT_DOUBLE_EQ(carried.ob, 0);

    const auto f = prepare();
    EXPECT_EQ(f.companyName, "Harbour Cafe");
    EXPECT_EQ(show(f.row(TrialRowKind::Opening)),
              "|Retained earnings cfwd/capital introduced :|-|2500.00");
    EXPECT_EQ(show(f.row(TrialRowKind::Income)), "SALES|SALES account|-|1200.00");
    EXPECT_EQ(show(f.row(TrialRowKind::Expense)), "RENT|RENT account|400.00|-");
    EXPECT_EQ(f.rowsOf(TrialRowKind::Expense).size(), 1u) << "the private account never shows";
    EXPECT_EQ(show(f.row(TrialRowKind::Cash)), "|Cash balance :|230.00|-");
    EXPECT_EQ(show(f.row(TrialRowKind::Bank)), "1234567-00|Cheque account|1940.00|-");
    EXPECT_EQ(show(f.row(TrialRowKind::BalanceSheetIncome)), "CAPITAL|CAPITAL account|-|2000.00");
    EXPECT_EQ(show(f.row(TrialRowKind::BalanceSheetExpense)), "EQUIP|EQUIP account|1000.00|-");
    EXPECT_EQ(show(f.row(TrialRowKind::TaxOnIncome)), "|Sales tax on income/sales|-|180.00");
    EXPECT_EQ(show(f.row(TrialRowKind::TaxOnExpenses)), "|Sales tax on expenses :|210.00|-");
    EXPECT_EQ(show(f.row(TrialRowKind::Provision)), "|Provision for profit :|-|800.00");
    EXPECT_EQ(show(f.row(TrialRowKind::CarriedForward)),
              "|Retained earnings carried forward :|800.00|-");
    EXPECT_EQ(show(f.row(TrialRowKind::Balances)), "|Balances|4580.00|6680.00");

    // The rows come in the report's order.
    std::vector<TrialRowKind> order;
    for (const auto& r : f.rows) order.push_back(r.kind);
    const std::vector<TrialRowKind> expected = {TrialRowKind::Opening,
                                                TrialRowKind::Income,
                                                TrialRowKind::Expense,
                                                TrialRowKind::CashHeading,
                                                TrialRowKind::Cash,
                                                TrialRowKind::Bank,
                                                TrialRowKind::BalanceSheetHeading,
                                                TrialRowKind::BalanceSheetIncome,
                                                TrialRowKind::BalanceSheetExpense,
                                                TrialRowKind::TaxOnIncome,
                                                TrialRowKind::TaxOnExpenses,
                                                TrialRowKind::Provision,
                                                TrialRowKind::CarriedForward,
                                                TrialRowKind::Balances};
    EXPECT_EQ(order, expected);
}

TEST_F(TrialBalanceTest, aCompanyWithoutBankAccountsHasNoOpeningBalanceAndNoBankRows) {
    book.account("SALES", "INC");
    book.line({"SALES", QDate(2025, 5, 1), 115, {}, 15, {}});
    const auto carried = reports::broughtForward(folder.connection, 1, kFrom);
    EXPECT_DOUBLE_EQ(carried.ob, 0);
    EXPECT_DOUBLE_EQ(carried.bf, 0);
    const auto f = prepare();
    EXPECT_TRUE(f.rowsOf(TrialRowKind::Bank).empty());
    // Nothing carried forward: no caption, zero in both columns.
    EXPECT_EQ(show(f.row(TrialRowKind::Opening)), "||0.00|0.00");
}

TEST_F(TrialBalanceTest, openingBalancesAloneAreHandedOverAsOpeningFunds) {
    book.bankAccount("1234567-00", "Cheque account", 750, QDate(2024, 1, 1));
    book.bankAccount("7654321-00", "Overdraft", -250, QDate(2024, 1, 1));
    const auto carried = reports::broughtForward(folder.connection, 1, QDate(2023, 4, 1));
    EXPECT_DOUBLE_EQ(carried.bf, 500) << "BF includes the openings, so it is handed over";
    // With earlier movements cancelling the openings BF is 0 and the openings go over as OB.
    book.account("DRAW", "EXP", 0);
    book.line({"DRAW", QDate(2023, 1, 1), 500, {}, 0, "1234567-00"});
    const auto later = reports::broughtForward(folder.connection, 1, kFrom);
    EXPECT_DOUBLE_EQ(later.bf, 0);
    EXPECT_DOUBLE_EQ(later.ob, 500);
    reports::TTrialBalanceReport report(folder.connection, 1, kFrom, kTo, later);
    report.runToEnd();
    EXPECT_EQ(show(report.figures().row(TrialRowKind::Opening)),
              "|Opening balance/funds introduced :|0.00|500.00");
}

TEST_F(TrialBalanceTest, aLossCarriedForwardGoesToDebits) {
    book.account("RENT", "EXP");
    book.bankAccount("1234567-00", "Cheque account", 0, QDate(2024, 1, 1));
    book.line({"RENT", QDate(2025, 1, 10), 300, {}, 0, "1234567-00"});
    const auto carried = reports::broughtForward(folder.connection, 1, kFrom);
    EXPECT_DOUBLE_EQ(carried.bf, -300);
    const auto f = prepare();
    EXPECT_EQ(show(f.row(TrialRowKind::Opening)), "|Loss carried forward :|300.00|-");
}

TEST_F(TrialBalanceTest, theLoanAccountsFirstLineBeforeThePeriodIsTakenOff) {
    book.account("LOAN", "INC", 0);
    book.loanAccount("LOAN");
    book.bankAccount("1234567-00", "Cheque account", 0, QDate(2024, 1, 1));
    book.line({"LOAN", QDate(2024, 5, 1), 5000, {}, 0, "1234567-00"});
    book.line({"LOAN", QDate(2024, 2, 1), 1000, {}, 0, "1234567-00"});
    // 6000 banked, less the first line written (5000), not the sum and not the earliest date.
    EXPECT_DOUBLE_EQ(reports::broughtForward(folder.connection, 1, kFrom).bf, 1000);
}

struct StartCase {
    const char* story;
    QDate start;      // of the second account, opened with 5000.00
    QDate deposit;    // its one deposit of 230.00
    const char* row;  // its row, or "" for none
};

class TrialBalanceStart : public TrialBalanceTest,
                          public ::testing::WithParamInterface<StartCase> {};

// A year of sales and rent through a cheque account opened the year before, and a second
// account opened before, inside or after the period: the two totals always agree.
TEST_P(TrialBalanceStart, theBalancesAgreeWhateverTheBankAccountsStartDate) {
    const StartCase c = GetParam();
    book.account("SALES", "INC");
    book.account("RENT", "EXP");
    book.bankAccount("1111111-00", "Cheque account", 1000, QDate(2024, 4, 1));
    book.bankAccount("2222222-00", "New account", 5000, c.start);
    book.line({"SALES", QDate(2025, 5, 1), 1150, {}, 150, "1111111-00"});
    book.line({"RENT", QDate(2025, 6, 1), 460, {}, 60, "1111111-00"});
    book.line({"SALES", c.deposit, 230, {}, 30, "2222222-00"});
    const auto f = prepare();
    const auto* balances = f.row(TrialRowKind::Balances);
    ASSERT_TRUE(balances && balances->debit && balances->credit);
    EXPECT_EQ(cell(balances->debit), cell(balances->credit)) << c.story;
    const auto banks = f.rowsOf(TrialRowKind::Bank);
    ASSERT_FALSE(banks.empty());
    EXPECT_EQ(show(banks[0]), "1111111-00|Cheque account|1690.00|-");
    EXPECT_EQ(banks.size() > 1 ? show(banks[1]) : std::string(), c.row) << c.story;
}

INSTANTIATE_TEST_SUITE_P(
    Starts, TrialBalanceStart,
    ::testing::Values(
        StartCase{"opened the year before", QDate(2024, 1, 1), QDate(2025, 8, 1),
                  "2222222-00|New account|5230.00|-"},
        StartCase{"opened on the from-date", kFrom, kFrom, "2222222-00|New account|5230.00|-"},
        StartCase{"opened inside the period", QDate(2025, 9, 1), QDate(2025, 9, 10),
                  "2222222-00|New account|5230.00|-"},
        StartCase{"opened on the to-date", kTo, kTo, "2222222-00|New account|5230.00|-"},
        StartCase{"opened after the to-date", kTo.addDays(30), kTo.addDays(40), ""}));

TEST_F(TrialBalanceTest, anOverdrawnBankAccountGoesToCredits) {
    book.account("RENT", "EXP");
    book.bankAccount("1111111-00", "Cheque account", 100, QDate(2024, 4, 1));
    book.line({"RENT", QDate(2025, 6, 1), 350, {}, 0, "1111111-00"});
    EXPECT_EQ(show(prepare().row(TrialRowKind::Bank)), "1111111-00|Cheque account|-|250.00");
}

TEST_F(TrialBalanceTest, reconcilingDoesNotCountTheReconciledMovementsTwice) {
    book.account("SALES", "INC");
    book.bankAccount("1111111-00", "Cheque account", 1000, QDate(2024, 4, 1));
    book.line({"SALES", QDate(2024, 6, 1), 400, {}, 0, "1111111-00"});
    book.line({"SALES", QDate(2025, 6, 1), 100, {}, 0, "1111111-00"});
    const auto carriedBefore = reports::broughtForward(folder.connection, 1, kFrom);
    const auto before = prepare();
    book.reconcile("1111111-00", 1400, QDate(2024, 6, 30));
    const auto carriedAfter = reports::broughtForward(folder.connection, 1, kFrom);
    const auto after = prepare();
    EXPECT_DOUBLE_EQ(carriedBefore.bf, 1400);
    EXPECT_DOUBLE_EQ(carriedAfter.bf, carriedBefore.bf);
    EXPECT_EQ(show(after.row(TrialRowKind::Bank)), "1111111-00|Cheque account|1500.00|-");
    EXPECT_EQ(show(after.row(TrialRowKind::Bank)), show(before.row(TrialRowKind::Bank)));
}

TEST_F(TrialBalanceTest, anExpenseAccountWhoseLastLineIsZeroIsLeftOutOfTheTotals) {
    book.account("RENT", "EXP");
    book.account("POWER", "EXP");
    book.line({"RENT", QDate(2025, 5, 1), 100, {}, 0, {}});
    book.line({"RENT", QDate(2025, 6, 1), 0, {}, 0, {}});
    book.line({"POWER", QDate(2025, 6, 1), 0, {}, 0, {}});
    book.line({"POWER", QDate(2025, 6, 1), 50, {}, 0, {}});  // same date, written later
    const auto f = prepare();
    const auto expenses = f.rowsOf(TrialRowKind::Expense);
    ASSERT_EQ(expenses.size(), 1u);
    EXPECT_EQ(show(expenses[0]), "POWER|POWER account|50.00|-");
    EXPECT_DOUBLE_EQ(f.profit, -50);
    EXPECT_DOUBLE_EQ(f.debitTotal, 0.0 + 50 + 0) << "opening 0.00 plus POWER only";
}

TEST_F(TrialBalanceTest, anIncomeAccountSummingToZeroIsLeftOut) {
    book.account("SALES", "INC");
    book.account("OTHER", "INC");
    book.line({"SALES", QDate(2025, 5, 1), 100, {}, 0, {}});
    book.line({"SALES", QDate(2025, 5, 2), 100, -100.0, 0, {}});
    book.line({"OTHER", QDate(2025, 5, 2), 10, {}, 0, {}});
    const auto f = prepare();
    const auto incomes = f.rowsOf(TrialRowKind::Income);
    ASSERT_EQ(incomes.size(), 1u);
    EXPECT_EQ(incomes[0]->code, "OTHER");
}

TEST_F(TrialBalanceTest, linesOnTheToDateCountEverywhere) {
    book.account("SALES", "INC");
    book.account("RENT", "EXP");
    book.bankAccount("1111111-00", "Cheque account", 0, QDate(2024, 4, 1));
    book.line({"SALES", kTo, 115, {}, 15, "1111111-00"});
    book.line({"RENT", kTo, 46, {}, 6, "1111111-00"});
    book.line({"SALES", kTo, 23, {}, 3, {}});
    book.line({"SALES", kTo.addDays(1), 1000, {}, 0, {}});  // after the period
    const auto f = prepare();
    EXPECT_EQ(show(f.row(TrialRowKind::Income)), "SALES|SALES account|-|120.00");
    EXPECT_EQ(show(f.row(TrialRowKind::Expense)), "RENT|RENT account|40.00|-");
    EXPECT_EQ(show(f.row(TrialRowKind::Bank)), "1111111-00|Cheque account|69.00|-");
    EXPECT_EQ(show(f.row(TrialRowKind::Cash)), "|Cash balance :|23.00|-");
}

TEST_F(TrialBalanceTest, preparingTwiceGivesTheSameReport) {
    cafeYear();
    const auto carried = reports::broughtForward(folder.connection, 1, kFrom);
    reports::TTrialBalanceReport report(folder.connection, 1, kFrom, kTo, carried);
    report.runToEnd();
    const auto first = report.figures();
    report.restart();
    report.runToEnd();
    ASSERT_EQ(first.rows.size(), report.figures().rows.size());
    for (size_t i = 0; i < first.rows.size(); ++i)
        EXPECT_EQ(show(&first.rows[i]), show(&report.figures().rows[i]));
    EXPECT_EQ(show(report.figures().row(TrialRowKind::Balances)), "|Balances|4580.00|6680.00");
}

TEST_F(TrialBalanceTest, aLossReducesBothBalances) {
    book.account("SALES", "INC");
    book.account("RENT", "EXP");
    book.line({"SALES", QDate(2025, 5, 1), 100, {}, 0, {}});
    book.line({"RENT", QDate(2025, 5, 1), 400, {}, 0, {}});
    const auto f = prepare();
    EXPECT_DOUBLE_EQ(f.profit, -300);
    EXPECT_EQ(show(f.row(TrialRowKind::Provision)), "|Provision for loss :|300.00|-");
    EXPECT_EQ(show(f.row(TrialRowKind::CarriedForward)), "|Loss carried forward :|-|300.00");
    // DT: 400 rent. CT: 100 sales and the 300 cash shortfall. Both less the 300 loss.
    EXPECT_EQ(show(f.row(TrialRowKind::Balances)), "|Balances|100.00|100.00");
}

TEST_F(TrialBalanceTest, anotherCompanysLinesUnderTheSameCodeDoNotCount) {
    book.account("SALES", "INC");
    book.line({"SALES", QDate(2025, 5, 1), 100, {}, 0, {}});
    Line other{"SALES", QDate(2025, 5, 1), 900, {}, 0, {}};
    other.coy = "2";
    book.line(other);
    const auto f = prepare();
    EXPECT_EQ(show(f.row(TrialRowKind::Income)), "SALES|SALES account|-|100.00");
    EXPECT_EQ(show(f.row(TrialRowKind::Cash)), "|Cash balance :|100.00|-");
}

TEST_F(TrialBalanceTest, theReportShowsTitlesHeadingsAndEveryRow) {
    cafeYear();
    const auto carried = reports::broughtForward(folder.connection, 1, kFrom);
    reports::TTrialBalanceReport report(folder.connection, 1, kFrom, kTo, carried);
    report.runToEnd();
    const reports::ReportDocument doc = report.document();
    const auto titles = doc.bandsOf(reports::BandKind::Title);
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0]->cells.value(0), "Trial Balance for :  Harbour Cafe");
    EXPECT_TRUE(titles[1]->cells.value(0).startsWith("Between : "));
    const auto headers = doc.bandsOf(reports::BandKind::ColumnHeader);
    ASSERT_EQ(headers.size(), 1u);
    EXPECT_EQ(headers[0]->cells, QStringList({"Code", "Description", "Debits", "Credits"}));
    const auto summary = doc.bandsOf(reports::BandKind::Summary);
    ASSERT_EQ(summary.size(), 3u);
    EXPECT_EQ(summary[2]->cells, QStringList({"", "Balances", "4580.00", "6680.00"}));
}

}  // namespace
