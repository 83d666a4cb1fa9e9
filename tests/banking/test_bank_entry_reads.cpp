// What the bank transaction window reads: the account it opens on, numbers in use, the total of
// the opening-balance mode, and what removed detail lines leave of a row.
#include "posting_fixture.h"

#include "banking/bank_entry_reads.h"
#include "banking/entry_details.h"

namespace posting_test {
namespace {

using BankEntryReads = PostingTest;

TEST_F(BankEntryReads, TheWindowOpensOnTheDefaultAccountElseTheFirst)
{
    EXPECT_EQ(defaultBankAccount(c, 1)->acctNo, kAcctA);
    store::execSql(c.handle(), "UPDATE QVBNKACT SET \"DEFAULT\" = 0");
    store::execSql(c.handle(), "UPDATE QVBNKACT SET \"DEFAULT\" = 1 WHERE ACCTNO = '2222222-00'");
    EXPECT_EQ(defaultBankAccount(c, 1)->acctNo, kAcctB);
    EXPECT_FALSE(defaultBankAccount(c, 2).has_value());
    EXPECT_EQ(bankAccountsOf(c, 1).size(), 2u);
}

TEST_F(BankEntryReads, ANumberIsInUseOnlyInItsOwnAccount)
{
    BankEntry e = entry(EntryType::Deposit, 10.0, QStringLiteral("SALES"));
    ASSERT_TRUE(add(e).ok());
    EXPECT_TRUE(referenceInUse(c, 1, kBankA, kAcctA, e.reference));
    EXPECT_FALSE(referenceInUse(c, 1, kBankB, kAcctB, e.reference));
    EXPECT_FALSE(referenceInUse(c, 1, kBankA, kAcctA, e.reference + 1));
    EXPECT_TRUE(bankExists(c, kBankA));
    EXPECT_FALSE(bankExists(c, QStringLiteral("999999")));
}

TEST_F(BankEntryReads, TheTransactionTotalSumsTheAccountsSignedRows)
{
    BankEntry in = entry(EntryType::Deposit, 115.0, QStringLiteral("SALES"));
    BankEntry out = entry(EntryType::Withdrawal, 15.5, QStringLiteral("RENT"));
    ASSERT_TRUE(add(in).ok());
    ASSERT_TRUE(add(out).ok());
    EXPECT_DOUBLE_EQ(accountRowsTotal(c, 1, kBankA, kAcctA), 99.5);
    EXPECT_DOUBLE_EQ(accountRowsTotal(c, 1, kBankB, kAcctB), 0.0);
    const auto line = entryLineFigures(c, QStringLiteral("1"), QStringLiteral("SALES"), kBankA,
                                       kAcctA, in.reference);
    ASSERT_TRUE(line.has_value());
    EXPECT_DOUBLE_EQ(line->gstAmt, 15.0);
}

TEST_F(BankEntryReads, RemovingEveryDetailLineDeletesTheRowAndKeepsTheBalance)
{
    const qint64 ref = sample::addEntryWithDetails(
        c, 1, kBankA, kAcctA, EntryType::Deposit, QDate(2025, 6, 3), QStringLiteral("Market"),
        {{QStringLiteral("SALES"), 40.0, QStringLiteral("Stall")},
         {QStringLiteral("SALES"), 60.0, QStringLiteral("Classes")}});
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 200.0);
    store::Query ids(c);
    ids.setSql(QStringLiteral("SELECT rowid FROM QVACTTR ORDER BY rowid"));
    ids.open();
    std::vector<qint64> lines;
    for (; !ids.eof(); ids.next()) lines.push_back(ids.value(0).toLongLong());
    ASSERT_EQ(lines.size(), 2u);
    for (qint64 id : lines) ASSERT_TRUE(removeDetailLine(c, 1, kBankA, kAcctA, ref, id).ok());
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 100.0);
    EXPECT_TRUE(applyDetailsTotal(c, 1, kBankA, kAcctA, ref, confirm()).ok());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVBNKTR")), 0);
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 100.0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVACTTR")), 2);  // detached, kept
}

TEST_F(BankEntryReads, AnUnchangedDetailsTotalLeavesTheRowAlone)
{
    const qint64 ref = sample::addEntryWithDetails(
        c, 1, kBankA, kAcctA, EntryType::Withdrawal, QDate(2025, 6, 3), QStringLiteral("Shop"),
        {{QStringLiteral("RENT"), 30.0, QStringLiteral("Rent")}});
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 70.0);
    EXPECT_TRUE(applyDetailsTotal(c, 1, kBankA, kAcctA, ref, confirm()).ok());
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVBNKTR WHERE AMOUNT = -30")), 1);
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 70.0);
}

}  // namespace
}  // namespace posting_test
