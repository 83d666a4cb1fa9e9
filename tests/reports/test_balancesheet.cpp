// The balance sheet: its rules over figures as read, then over a café's books posted through
// the bank entry and cash transaction rules, where it must agree with the trial balance.
#include <gtest/gtest.h>

#include "book_fixture.h"
#include "reports/balancesheet.h"
#include "reports/trialbalance.h"
#include "store/format.h"
#include "support/temp_folder.h"

using reports::BalanceSheetInputs;
using testbook::Book;

namespace {

const QDate kFrom(2025, 4, 1);
const QDate kTo(2026, 3, 31);
qint64 cents(double v) { return store::fmt::cents(v); }

struct SheetCase {
    const char* story;
    bool bank;        // the company has a bank account (of value `assets`)
    double assets;    // bank value, or other assets without a bank account
    double cashIn;    // CI
    double equity;    // one printing balance-sheet income account, 0 for none
    double earnings;  // E
    double total, shown, other, owners;
};

class SheetRules : public ::testing::TestWithParam<SheetCase> {};

TEST_P(SheetRules, totalsFollowTheSheetsRules) {
    const SheetCase& k = GetParam();
    BalanceSheetInputs in;
    in.cashIncome = k.cashIn;
    if (k.bank)
        in.banks.push_back({"1234567-00", "Cheque", k.assets});
    else
        in.hasOtherAssetAccounts = true,
        in.otherAssets.push_back({"EQUIP", "Equipment", k.assets, true});
    if (k.equity != 0) in.equity.push_back({"CAPITAL", "Capital", k.equity, true});
    in.earnings = k.earnings;
    const reports::BalanceSheet s = reports::computeBalanceSheet(in);
    SCOPED_TRACE(k.story);
    EXPECT_EQ(cents(s.totalAssets), cents(k.total));
    EXPECT_EQ(cents(s.shownEarnings), cents(k.shown));
    EXPECT_EQ(cents(s.otherEquity), cents(k.other));
    EXPECT_EQ(cents(s.ownersEquity), cents(k.owners));
}

INSTANTIATE_TEST_SUITE_P(
    Stories, SheetRules,
    ::testing::Values(
        SheetCase{"earnings 300 of assets 1000: other equity 700", true, 1000, 0, 0, 300, 1000, 300,
                  700, 1000},
        SheetCase{"earnings 1500 against assets 1000 show as 1000", true, 1000, 0, 0, 1500, 1000,
                  1000, 0, 1000},
        SheetCase{"a loss of 200", true, 1000, 0, 0, -200, 1000, -200, 1200, 1000},
        // Earnings of 0 are above negative assets, so they show as the assets.
        SheetCase{"overdrawn: negative assets", true, -250.5, 0, 0, 0, -250.5, -250.5, 0, -250.5},
        SheetCase{"without a bank account cash does not count", false, 400, 999, 0, 0, 400, 0, 400,
                  400},
        SheetCase{"billions and half cents", true, 12345678901.23, 0.005, 1000000000.01, 7.5,
                  12345678901.24, 7.5, 11345678893.73, 12345678901.24}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

class BalanceSheetBook : public ::testing::Test {
protected:
    TempDataFolder folder;
    Book book{folder.connection};

    void SetUp() override { book.company("Harbour Cafe"); }

    reports::BalanceSheet prepare(const QDate& to = kTo) {
        reports::TBalanceSheetReport report(folder.connection, 1, kFrom, to);
        report.runToEnd();
        return report.figures();
    }
};

TEST_F(BalanceSheetBook, aCafesYearBalancesAndAgreesWithTheTrialBalance) {
    book.account("SALES", "INC");
    book.account("RENT", "EXP");
    book.account("CAPITAL", "INC", 0);
    book.account("EQUIP", "EXP", 0);
    book.account("PRIV", "EXP", 1, 100);
    book.bankAccount("1234567-00", "Cheque account", 500, QDate(2024, 4, 1));
    book.bankAccount("7654321-00", "Card account", 0, kFrom);
    book.line({"SALES", QDate(2025, 5, 1), 1150, {}, 150, "1234567-00"});
    book.line({"SALES", QDate(2025, 6, 1), 230.005, {}, 30, {}});  // cash, a half cent
    book.line({"SALES", kTo, 100, {}, 0, {}});                     // cash on T counts
    book.line({"SALES", kTo.addDays(1), 5000, {}, 0, {}});         // after T: not
    book.line({"RENT", QDate(2025, 7, 1), 460, {}, 60, "1234567-00"});
    book.line({"RENT", QDate(2025, 7, 2), 80, {}, 0, "7654321-00"});  // overdrawn
    book.line({"CAPITAL", QDate(2024, 6, 1), 2000000000, {}, 0, "1234567-00"});
    book.line({"EQUIP", QDate(2025, 8, 1), 1150, {}, 150, "1234567-00"});
    book.line({"PRIV", QDate(2025, 9, 1), 100, {}, 0, "1234567-00"});
    book.reconcile("1234567-00", 123, QDate(2025, 10, 1));  // OPENBAL moves; INITBAL stays

    const reports::BalanceSheet s = prepare();
    EXPECT_EQ(cents(s.cash), cents(330.01));
    ASSERT_EQ(s.in.banks.size(), 2u);
    EXPECT_EQ(cents(s.in.banks[0].value), cents(500 + 1150 - 460 + 2000000000 - 1150 - 100));
    EXPECT_EQ(cents(s.in.banks[1].value), cents(-80));
    EXPECT_EQ(reports::bracketedMoney(s.in.banks[1].value), "(80.00)");
    EXPECT_EQ(cents(s.otherAssets), cents(1000));
    ASSERT_EQ(s.in.equity.size(), 1u);
    EXPECT_EQ(cents(s.in.equity[0].amount), cents(2000000000));
    // Earnings: sales 1000 + 200.01 + 100 less rent 400 + 80.
    EXPECT_EQ(cents(s.in.earnings), cents(820.01));
    EXPECT_EQ(cents(s.totalAssets), cents(s.ownersEquity)) << "assets = liabilities + equity";

    const reports::BroughtForward bf = reports::broughtForward(folder.connection, 1, kFrom, kTo);
    reports::TTrialBalanceReport trial(folder.connection, 1, kFrom, kTo, bf);
    trial.runToEnd();
    const auto* cashRow = trial.figures().row(reports::TrialRowKind::Cash);
    ASSERT_TRUE(cashRow && cashRow->debit);
    EXPECT_EQ(cents(*cashRow->debit), cents(s.cash));
    const auto banks = trial.figures().rowsOf(reports::TrialRowKind::Bank);
    ASSERT_EQ(banks.size(), 2u);
    EXPECT_EQ(cents(*banks[0]->debit), cents(s.in.banks[0].value));
    EXPECT_EQ(cents(*banks[1]->credit), cents(-s.in.banks[1].value));
}

TEST_F(BalanceSheetBook, aCompanyWithoutBankAccountsPrintsNoCashRow) {
    book.account("SALES", "INC");
    book.line({"SALES", QDate(2025, 6, 1), 300, {}, 0, {}});
    const reports::BalanceSheet s = prepare();
    EXPECT_FALSE(s.bankGroup);
    EXPECT_EQ(cents(s.totalAssets), 0);
    reports::TBalanceSheetReport report(folder.connection, 1, kFrom, kTo);
    report.runToEnd();
    const reports::ReportDocument doc = report.document();
    for (const reports::Band* b : doc.bandsOf(reports::BandKind::Detail))
        EXPECT_NE(b->cells.value(1), "Cash balance");
    const auto summary = doc.bandsOf(reports::BandKind::Summary);
    ASSERT_EQ(summary.size(), 1u);
    EXPECT_EQ(summary[0]->cells, QStringList({"", "Total liabilities & equity", "0.00"}));
}

TEST_F(BalanceSheetBook, aLossPrintsInParentheses) {
    book.account("RENT", "EXP");
    book.bankAccount("1234567-00", "Cheque account", 1000, kFrom);
    book.line({"RENT", QDate(2025, 6, 1), 200, {}, 0, {}});
    reports::TBalanceSheetReport report(folder.connection, 1, kFrom, kTo);
    report.runToEnd();
    QStringList loss;
    const reports::ReportDocument doc = report.document();  // the bands point into it
    for (const reports::Band* b : doc.bandsOf(reports::BandKind::Detail))
        if (b->cells.value(1) == "Loss this year :") loss = b->cells;
    EXPECT_EQ(loss, QStringList({"", "Loss this year :", "(200.00)"}));
    EXPECT_EQ(cents(report.figures().ownersEquity), cents(800));
}

}  // namespace
