// Bank entries at the edges of what the boxes accept: the longest bank code and account number,
// and balances in the billions moved by many entries.
#include "banking/bank_entry_reads.h"
#include "banking/bank_setup.h"
#include "posting_fixture.h"
#include "store/format.h"
#include "store/keys.h"

#include <sqlite3.h>

namespace {

using namespace posting_test;

// A six-digit bank code and a full New Zealand account number with a four-digit suffix.
const QString kLongBank = QStringLiteral("123456");
const QString kLongAcct = QStringLiteral("12-3456-7890123-0001");

class Extremes : public PostingTest {
protected:
    void SetUp() override {
        PostingTest::SetUp();
        store::Table banks(c, "QVBkHdr.DBF");
        banks.open();
        BankDetails bank;
        bank.bankCode = kLongBank;
        bank.name = QStringLiteral("Long Code Bank");
        ASSERT_EQ(addBank(banks, bank), BankSave::Saved);
        store::Table accounts(c, "QVBnkAct.DBF");
        accounts.open();
        BankAccountDetails account;
        account.bankCode = kLongBank;
        account.acctNo = kLongAcct;
        account.desc = QStringLiteral("Term deposit");
        account.lastRefNo = QStringLiteral("5000");
        ASSERT_EQ(saveBankAccount(accounts, 1, QStringLiteral("TT"), account, EntryMode::Add),
                  AccountSave::Saved);
    }

    // CURRBAL of an account read from the data file by a connection of its own.
    qint64 balanceInFileCents(const QString& acctNo) {
        sqlite3* db = nullptr;
        double balance = 0;
        sqlite3_open_v2((folder.path() + "quorvel.db").toUtf8().constData(), &db,
                        SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT CURRBAL FROM QVBnkAct WHERE ACCTNO = ?", -1, &stmt, nullptr);
        const QByteArray acct = acctNo.toUtf8();
        sqlite3_bind_text(stmt, 1, acct.constData(), int(acct.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(stmt) == SQLITE_ROW) balance = sqlite3_column_double(stmt, 0);
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return store::fmt::cents(balance);
    }
};

TEST_F(Extremes, TheLongestBankCodeAndAccountNumberFindTheirEntriesAndTransfers) {
    const auto account = findBankAccount(c, 1, kLongBank, kLongAcct);
    ASSERT_TRUE(account);
    EXPECT_EQ(account->bankLink, store::keys::bankLink(1, kLongBank, kLongAcct));  // not cut

    BankEntry deposit = entry(EntryType::Deposit, 250.00, QStringLiteral("SALES"));
    deposit.bankCode = kLongBank;
    deposit.acctNo = kLongAcct;
    ASSERT_TRUE(add(deposit).ok());
    EXPECT_TRUE(referenceInUse(c, 1, kLongBank, kLongAcct, deposit.reference));

    BankEntry transfer = entry(EntryType::Transfer, 40.00, QString());
    transfer.destBank = kLongBank;
    transfer.destAcct = kLongAcct;
    const SaveResult moved = add(transfer);
    ASSERT_TRUE(moved.ok()) << moved.message.toStdString();
    EXPECT_TRUE(referenceInUse(c, 1, kLongBank, kLongAcct, moved.destinationReference));
    // The account's window lists its rows by the account's own BANKLINK.
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBnkTr WHERE BANKLINK = :l", {{"l", account->bankLink}}),
              2);
    EXPECT_EQ(accountRowsTotal(c, 1, kLongBank, kLongAcct), 290.00);

    transfer.amount = 60.00;
    ASSERT_TRUE(saveBankEntry(c, transfer, EntryMode::Edit, confirm()).ok());
    EXPECT_EQ(balance(kLongBank, kLongAcct), 310.00);
    ASSERT_TRUE(deleteBankEntry(c, 1, kBankA, kAcctA, transfer.reference, confirm()).ok());
    EXPECT_FALSE(referenceInUse(c, 1, kLongBank, kLongAcct, moved.destinationReference));
    EXPECT_EQ(balance(kLongBank, kLongAcct), 250.00);
    EXPECT_EQ(balanceInFileCents(kAcctA), 10000);
}

TEST_F(Extremes, ABalanceInTheBillionsStaysExactToTheCentOverManyEntries) {
    store::execSql(c.handle(),
                   "UPDATE QVBnkAct SET CURRBAL = 9876543210.98 WHERE ACCTNO = '" + kAcctB + "'");
    qint64 expected = 987654321098;
    for (int i = 0; i < 40; ++i) {
        const bool in = i % 2 == 0;
        const double amount = in ? 12345678.90 : 4999999.99;
        BankEntry e = entry(in ? EntryType::Deposit : EntryType::Withdrawal, amount,
                            in ? QStringLiteral("INTEREST") : QStringLiteral("BANKFEES"));
        e.bankCode = kBankB;
        e.acctNo = kAcctB;
        ASSERT_TRUE(add(e).ok()) << i;
        expected += in ? 1234567890 : -499999999;
    }
    EXPECT_EQ(balanceInFileCents(kAcctB), expected);
    EXPECT_EQ(store::fmt::money(balance(kBankB, kAcctB)), QStringLiteral("10023456789.18"));
}

}  // namespace
