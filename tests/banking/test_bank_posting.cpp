// Saving, editing and deleting bank entries: the bank row, the running balance, a transfer's
// two rows and the journal line land together.
#include "posting_fixture.h"

#include "store/keys.h"

#include <sqlite3.h>

using namespace posting_test;

namespace {

// Reads one journal line by its search code.
struct Line {
    bool found = false;
    QVariantMap f;
};

Line lineBySearch(store::Connection& c, const QString& search)
{
    store::Table t(c, QStringLiteral("QVActTr.DBF"));
    t.setIndexName(QStringLiteral("SRCHCODE"));
    t.open();
    Line l;
    if (!t.findKey(search)) return l;
    l.found = true;
    for (const store::FieldDef& f : t.def().fields)
        l.f.insert(QString::fromLatin1(f.name), t.value(QString::fromLatin1(f.name)));
    return l;
}

QVariantMap bankRow(store::Connection& c, const QString& bankLink, qint64 tranNum)
{
    store::Table t(c, QStringLiteral("QVBnkTr.DBF"));
    t.open();
    t.setFilter(QStringLiteral("BANKLINK = :l AND TRANNUM = :n"), {{"l", bankLink}, {"n", tranNum}});
    QVariantMap m;
    if (t.isEmpty()) return m;
    for (const store::FieldDef& f : t.def().fields)
        m.insert(QString::fromLatin1(f.name), t.value(QString::fromLatin1(f.name)));
    return m;
}

TEST_F(PostingTest, ADepositOf115ToATaxableIncomeAccountWritesItsRowAndEveryFieldOfItsLine)
{
    BankEntry e = entry(EntryType::Deposit, 115.00, QStringLiteral("SALES"));
    EXPECT_DOUBLE_EQ(e.tax, 15.00);
    const SaveResult r = add(e);
    ASSERT_TRUE(r.ok()) << r.message.toStdString() << r.detail.toStdString();
    EXPECT_EQ(e.reference, 1000001);
    EXPECT_DOUBLE_EQ(r.balance, 215.00);
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 215.00);

    const QVariantMap row = bankRow(c, "1-030100-1111111-00", 1000001);
    ASSERT_FALSE(row.isEmpty());
    EXPECT_EQ(row["TRANTYPE"].toString(), "DEP");
    EXPECT_DOUBLE_EQ(row["AMOUNT"].toDouble(), 115.00);
    EXPECT_EQ(row["COYCODE"].toInt(), 1);
    EXPECT_EQ(row["BRANCH"].toInt(), 0);
    EXPECT_EQ(row["BANKCODE"].toString(), kBankA);
    EXPECT_EQ(row["BANKACCT"].toString(), kAcctA);
    EXPECT_EQ(row["LINKCODE"].toString(), "1");
    EXPECT_EQ(row["FULLCODE"].toString(), "1-SALES");
    EXPECT_EQ(row["FULLLINK"].toString(), "030100-1111111-00-1");
    EXPECT_EQ(row["BNKTRNLNK"].toString(), "030100-1111111-00-1000001");
    EXPECT_EQ(row["PURPOSE"].toString(), "SALES");
    EXPECT_EQ(row["REASON"].toString(), "Rent received");
    EXPECT_EQ(row["SOURCE"].toString(), "EFTPOS");
    EXPECT_EQ(row["TRANDATE"].toDate(), QDate(2025, 6, 2));
    EXPECT_EQ(row["CSHACCDET"].toInt(), 0);
    EXPECT_EQ(row["RECONCILED"].toInt(), 0);
    EXPECT_EQ(row["CONFIRMED"].toInt(), 0);
    EXPECT_EQ(row["TRANREF"].toString(), "");

    const Line l = lineBySearch(c, "1-SALES-1000001");
    ASSERT_TRUE(l.found);
    const QVariantMap& f = l.f;
    EXPECT_EQ(f["COYCODE"].toString(), "1");
    EXPECT_EQ(f["BRANCH"].toInt(), 0);
    EXPECT_EQ(f["LINKCODE"].toString(), "1");
    EXPECT_EQ(f["ACCTCODE"].toString(), "SALES");
    EXPECT_EQ(f["FULLCODE"].toString(), "1-SALES");
    EXPECT_EQ(f["TRANNUM"].toLongLong(), 1000001);
    EXPECT_EQ(f["REF"].toString(), "1000001");
    EXPECT_EQ(f["LINENO"].toInt(), 0);
    EXPECT_EQ(f["TRANDATE"].toDate(), QDate(2025, 6, 2));
    EXPECT_EQ(f["DESC"].toString(), "EFTPOS-Rent received");
    EXPECT_DOUBLE_EQ(f["AMOUNT"].toDouble(), 115.00);
    EXPECT_DOUBLE_EQ(f["BUSAMT"].toDouble(), 115.00);
    EXPECT_DOUBLE_EQ(f["GSTAMT"].toDouble(), 15.00);
    EXPECT_EQ(f["HASGST"].toInt(), 1);
    EXPECT_EQ(f["GSTTYPE"].toString(), "N");
    EXPECT_EQ(f["ZERORATED"].toInt(), 0);
    EXPECT_EQ(f["GSTCALC"].toInt(), 0);
    EXPECT_EQ(f["TRANTYPE"].toString(), "I");
    EXPECT_EQ(f["REASON"].toString(), "DEP");
    EXPECT_EQ(f["BNKTRNLNK"].toString(), "030100-1111111-00-1000001-1");
    EXPECT_EQ(f["BNKLINKNO"].toString(), "030100-1111111-00-1000001");
    EXPECT_EQ(f["HASBNKACCT"].toInt(), 1);
    EXPECT_EQ(f["BANKACCT"].toString(), kAcctA);
    EXPECT_EQ(f["SPLITDEST"].toString(), "");
    EXPECT_EQ(f["SPLITLINK"].toString(), "");
    EXPECT_TRUE(questions.isEmpty());
}

TEST_F(PostingTest, WithoutCompanyTaxTheLineCarriesNoTaxButStillFollowsTheAccountsFlag)
{
    sample::setCompany(c, QStringLiteral("Test Traders"), QStringLiteral("TT"), false, 15.0);
    BankEntry e = entry(EntryType::Deposit, 115.00, QStringLiteral("SALES"));
    EXPECT_DOUBLE_EQ(e.tax, 0.0);
    ASSERT_TRUE(add(e).ok());
    const Line l = lineBySearch(c, "1-SALES-1000001");
    EXPECT_DOUBLE_EQ(l.f["GSTAMT"].toDouble(), 0.0);
    EXPECT_EQ(l.f["HASGST"].toInt(), 1);
}

TEST_F(PostingTest, AThirtyPercentPrivateAccountKeepsTheWholeAmountAndNamesItsDestination)
{
    BankEntry e = entry(EntryType::Withdrawal, 200.00, QStringLiteral("MOTOR"));
    ASSERT_TRUE(add(e).ok());
    const Line l = lineBySearch(c, "1-MOTOR-1000001");
    EXPECT_DOUBLE_EQ(l.f["BUSAMT"].toDouble(), 200.00);
    EXPECT_DOUBLE_EQ(l.f["GSTAMT"].toDouble(), 26.09);  // on the full 200.00
    EXPECT_EQ(l.f["SPLITDEST"].toString(), "DRAWINGS");
    EXPECT_EQ(l.f["TRANTYPE"].toString(), "E");
}

TEST_F(PostingTest, AWhollyPrivateAccountGetsNoBusinessAmountAndItsFeesNoTax)
{
    BankEntry w = entry(EntryType::Withdrawal, 50.00, QStringLiteral("HOME"));
    ASSERT_TRUE(add(w).ok());
    EXPECT_DOUBLE_EQ(lineBySearch(c, "1-HOME-1000001").f["BUSAMT"].toDouble(), 0.0);
    BankEntry f = entry(EntryType::Fees, 23.00, QStringLiteral("HOME"));
    f.tax = 3.00;  // typed; the tax box is hidden for a wholly private account
    ASSERT_TRUE(add(f).ok());
    const Line l = lineBySearch(c, "1-HOME-1000002");
    EXPECT_DOUBLE_EQ(l.f["GSTAMT"].toDouble(), 0.0);
    EXPECT_EQ(l.f["HASGST"].toInt(), 0);
    EXPECT_EQ(l.f["REASON"].toString(), "FEES");
}

TEST_F(PostingTest, InterestOf1234CarriesItsBusinessAmount)
{
    BankEntry e = entry(EntryType::Interest, 12.34, QStringLiteral("INTEREST"));
    e.source = QStringLiteral("INT");
    e.narrative = QStringLiteral("Interest.");
    ASSERT_TRUE(add(e).ok());
    const Line l = lineBySearch(c, "1-INTEREST-1000001");
    EXPECT_DOUBLE_EQ(l.f["AMOUNT"].toDouble(), 12.34);
    EXPECT_DOUBLE_EQ(l.f["BUSAMT"].toDouble(), 12.34);
    EXPECT_EQ(l.f["REASON"].toString(), "INT");
    EXPECT_EQ(l.f["TRANTYPE"].toString(), "I");
    EXPECT_EQ(l.f["DESC"].toString(), "INT-Interest.");
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 112.34);
}

TEST_F(PostingTest, ANumberReservedOnNewIsUsedUpEvenWhenTheEntryIsCancelled)
{
    store::Table t(c, QStringLiteral("QVBnkAct.DBF"));
    t.open();
    t.edit();
    t.setValue(QStringLiteral("LASTREFNO"), 41);
    t.post();
    EXPECT_EQ(reserveReferenceNumber(c, 1, kBankA, kAcctA), 42);
    EXPECT_EQ(findBankAccount(c, 1, kBankA, kAcctA)->lastRefNo, 42);
    // cancelled: nothing posted; the next "New" goes on from 42
    EXPECT_EQ(reserveReferenceNumber(c, 1, kBankA, kAcctA), 43);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBNKTR"), 0);
}

TEST_F(PostingTest, AWithdrawalOf50StoresMinus50AndLowersTheBalance)
{
    BankEntry e = entry(EntryType::Withdrawal, 50.00, QStringLiteral("RENT"));
    ASSERT_TRUE(add(e).ok());
    EXPECT_DOUBLE_EQ(bankRow(c, "1-030100-1111111-00", e.reference)["AMOUNT"].toDouble(), -50.00);
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 50.00);
    EXPECT_DOUBLE_EQ(lineBySearch(c, "1-RENT-1000001").f["AMOUNT"].toDouble(), 50.00);
}

TEST_F(PostingTest, EditingAWithdrawalFrom50To80RewritesItsLineAndMovesTheBalanceBy30)
{
    BankEntry e = entry(EntryType::Withdrawal, 50.00, QStringLiteral("RENT"));
    ASSERT_TRUE(add(e).ok());
    e.amount = 80.00;
    e.tax = 10.43;
    const SaveResult r = saveBankEntry(c, e, EntryMode::Edit, confirm());
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 20.00);
    EXPECT_DOUBLE_EQ(bankRow(c, "1-030100-1111111-00", e.reference)["AMOUNT"].toDouble(), -80.00);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVACTTR"), 1);
    const Line l = lineBySearch(c, "1-RENT-1000001");
    EXPECT_DOUBLE_EQ(l.f["AMOUNT"].toDouble(), 80.00);
    EXPECT_DOUBLE_EQ(l.f["GSTAMT"].toDouble(), 10.43);
}

TEST_F(PostingTest, EditingTheLedgerAccountMovesTheLineToTheNewAccountAndSearchCode)
{
    BankEntry e = entry(EntryType::Deposit, 60.00, QStringLiteral("SALES"));
    ASSERT_TRUE(add(e).ok());
    e.ledgerAccount = QStringLiteral("SHOPSALES");
    ASSERT_TRUE(saveBankEntry(c, e, EntryMode::Edit, confirm()).ok());
    EXPECT_FALSE(lineBySearch(c, "1-SALES-1000001").found);
    const Line l = lineBySearch(c, "1-1-SHOPSALES-1000001");
    ASSERT_TRUE(l.found);
    EXPECT_EQ(l.f["LINKCODE"].toString(), "1-1");
    EXPECT_EQ(l.f["FULLCODE"].toString(), "1-1-SHOPSALES");
    EXPECT_EQ(l.f["BRANCH"].toInt(), 1);
    EXPECT_EQ(l.f["BNKTRNLNK"].toString(), "030100-1111111-00-1000001-1");
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVACTTR"), 1);
    const QVariantMap row = bankRow(c, "1-030100-1111111-00", e.reference);
    EXPECT_EQ(row["LINKCODE"].toString(), "1-1");
    EXPECT_EQ(row["FULLCODE"].toString(), "1-1-SHOPSALES");
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 160.00);
}

TEST_F(PostingTest, EditingARowWhoseLineIsMissingWritesANewLine)
{
    BankEntry e = entry(EntryType::Deposit, 60.00, QStringLiteral("SALES"));
    ASSERT_TRUE(add(e).ok());
    store::execSql(c.handle(), "DELETE FROM QVActTr");
    ASSERT_TRUE(saveBankEntry(c, e, EntryMode::Edit, confirm()).ok());
    const Line l = lineBySearch(c, "1-SALES-1000001");
    ASSERT_TRUE(l.found);
    EXPECT_EQ(l.f["BNKTRNLNK"].toString(), "030100-1111111-00-1000001-1");
}

class TransferTest : public PostingTest {
protected:
    BankEntry transfer;
    void SetUp() override
    {
        PostingTest::SetUp();
        transfer = entry(EntryType::Transfer, 200.00, QString());
        transfer.destBank = kBankB;
        transfer.destAcct = kAcctB;
        transfer.narrative = QStringLiteral("Transfer to: 120300 2222222-00");
        transfer.source.clear();
        const SaveResult r = add(transfer);
        ASSERT_TRUE(r.ok()) << r.message.toStdString() << r.detail.toStdString();
        EXPECT_EQ(r.destinationReference, 1000001);
    }
};

TEST_F(TransferTest, WritesBothRowsMovesBothBalancesAndNoJournalLine)
{
    const QVariantMap src = bankRow(c, "1-030100-1111111-00", 1000001);
    EXPECT_DOUBLE_EQ(src["AMOUNT"].toDouble(), -200.00);
    EXPECT_EQ(src["TRANTYPE"].toString(), "TR");
    EXPECT_EQ(src["DESTBANK"].toString(), kBankB);
    EXPECT_EQ(src["DESTACCT"].toString(), kAcctB);
    EXPECT_EQ(src["TRANREF"].toString(), "1000001-1111111-00");
    EXPECT_EQ(src["SOURCE"].toString(), "TRNFR");
    EXPECT_EQ(src["FULLCODE"].toString(), "");
    EXPECT_EQ(src["LINKCODE"].toString(), "1");
    EXPECT_EQ(src["FULLLINK"].toString(), "030100-1111111-00-1");

    const QVariantMap dst = bankRow(c, "1-120300-2222222-00", 1000001);
    ASSERT_FALSE(dst.isEmpty());
    EXPECT_DOUBLE_EQ(dst["AMOUNT"].toDouble(), 200.00);
    EXPECT_EQ(dst["SOURCEBANK"].toString(), kBankA);
    EXPECT_EQ(dst["SOURCEACCT"].toString(), kAcctA);
    EXPECT_EQ(dst["TRANREF"].toString(), "1000001-2222222-00");
    EXPECT_EQ(dst["REASON"].toString(), "Transfer from: 030100-1111111-00");
    EXPECT_EQ(dst["FULLLINK"].toString(), "120300-2222222-00-1");
    EXPECT_EQ(findBankAccount(c, 1, kBankB, kAcctB)->lastRefNo, 1000001);

    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), -100.00);
    EXPECT_DOUBLE_EQ(balance(kBankB, kAcctB), 1200.00);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVACTTR"), 0);
}

TEST_F(TransferTest, DeletingTheSourceRowRemovesBothRowsAndRestoresBothBalances)
{
    const SaveResult r = deleteBankEntry(c, 1, kBankA, kAcctA, 1000001, confirm());
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBNKTR"), 0);
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 100.00);
    EXPECT_DOUBLE_EQ(balance(kBankB, kAcctB), 1000.00);
}

TEST_F(TransferTest, CannotBeDeletedOrEditedFromTheDestination)
{
    const SaveResult r = deleteBankEntry(c, 1, kBankB, kAcctB, 1000001, confirm());
    EXPECT_EQ(r.outcome, Outcome::Refused);
    EXPECT_EQ(r.message, "Must delete from the source account!");
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBNKTR"), 2);
    EXPECT_DOUBLE_EQ(balance(kBankB, kAcctB), 1200.00);
    EXPECT_EQ(editRefusal(c, 1, kBankB, kAcctB, 1000001), Problem::TransferNotEditable);
    EXPECT_EQ(editRefusal(c, 1, kBankA, kAcctA, 1000001), Problem::None);
}

TEST_F(TransferTest, EditingTheAmountMovesBothRowsAndBalances)
{
    transfer.amount = 250.00;
    ASSERT_TRUE(saveBankEntry(c, transfer, EntryMode::Edit, confirm()).ok());
    EXPECT_DOUBLE_EQ(bankRow(c, "1-120300-2222222-00", 1000001)["AMOUNT"].toDouble(), 250.00);
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), -150.00);
    EXPECT_DOUBLE_EQ(balance(kBankB, kAcctB), 1250.00);
}

TEST_F(TransferTest, ADestinationRowOfAnotherSourceWithTheSameNumberIsLeftAlone)
{
    // A third account, counting from the same start, transfers to B under the same number:
    // B then holds two destination rows whose TRANREF is 1000001-2222222-00.
    sample::addBankAccount(c, 1, QStringLiteral("TT"),
                           {kBankA, "3333333-00", "Third", false, 0, false, 0.0, 500.0,
                            QDate(2025, 4, 1)});
    BankEntry other = entry(EntryType::Transfer, 30.00, QString());
    other.acctNo = QStringLiteral("3333333-00");
    other.destBank = kBankB;
    other.destAcct = kAcctB;
    other.source.clear();
    ASSERT_TRUE(add(other).ok());
    ASSERT_EQ(other.reference, transfer.reference);

    ASSERT_TRUE(deleteBankEntry(c, 1, kBankA, QStringLiteral("3333333-00"), other.reference,
                                confirm()).ok());
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBNKTR"), 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBNKTR WHERE SOURCEACCT = '1111111-00'"), 1);
    EXPECT_DOUBLE_EQ(balance(kBankA, "3333333-00"), 500.00);
    EXPECT_DOUBLE_EQ(balance(kBankB, kAcctB), 1200.00);
}

TEST_F(PostingTest, ATransferNeedsASecondAccountAndAnotherDestination)
{
    BankEntry t = entry(EntryType::Transfer, 10.00, QString());
    t.reference = 5;
    EXPECT_EQ(checkBankEntry(c, t, EntryMode::Add, confirm()).message,
              "Please select a destination bank account.");
    t.destBank = kBankA;
    t.destAcct = kAcctA;
    EXPECT_EQ(checkBankEntry(c, t, EntryMode::Add, confirm()).message,
              "Destination Account cannot be the same as source!");
    t.destAcct = QStringLiteral("9999999-99");
    EXPECT_EQ(checkBankEntry(c, t, EntryMode::Add, confirm()).message,
              "No such account, or cannot use it!");
    store::execSql(c.handle(), "DELETE FROM QVBnkAct WHERE ACCTNO = '2222222-00'");
    EXPECT_EQ(checkBankEntry(c, t, EntryMode::Add, confirm()).message,
              "Only one bank account set up. Nothing to transfer to!");
}

TEST_F(PostingTest, ASecondDepositOfTheSameAmountOnTheSameDateAsksFirst)
{
    BankEntry first = entry(EntryType::Deposit, 75.00, QStringLiteral("SALES"));
    ASSERT_TRUE(add(first).ok());
    BankEntry otherDay = entry(EntryType::Deposit, 75.00, QStringLiteral("SALES"), QDate(2025, 6, 3));
    ASSERT_TRUE(add(otherDay).ok());
    EXPECT_TRUE(questions.isEmpty());

    answer = false;
    BankEntry again = entry(EntryType::Deposit, 75.00, QStringLiteral("SALES"));
    const SaveResult no = add(again);
    EXPECT_EQ(no.outcome, Outcome::Declined);
    EXPECT_TRUE(no.message.isEmpty());
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], "New entry matches entry No. 1000001 for Rent received. Save anyway?");
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBNKTR"), 2);

    answer = true;
    EXPECT_TRUE(saveBankEntry(c, again, EntryMode::Add, confirm()).ok());
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBNKTR"), 3);
}

struct OverdraftCase {
    const char* story;
    const char* bank;
    const char* acct;
    double amount;
    const char* question;  // "" when none is asked
};

void PrintTo(const OverdraftCase& c, std::ostream* os) { *os << c.story; }

class OverdraftTest : public PostingTest, public ::testing::WithParamInterface<OverdraftCase> {};

TEST_P(OverdraftTest, AsksBeforeTheBalancePassesTheLimitAndNoChangesNothing)
{
    const OverdraftCase& k = GetParam();
    store::execSql(c.handle(), "UPDATE QVBnkAct SET CURRBAL = 100");
    answer = false;
    BankEntry e = entry(EntryType::Withdrawal, k.amount, QStringLiteral("RENT"));
    e.bankCode = QString::fromLatin1(k.bank);
    e.acctNo = QString::fromLatin1(k.acct);
    const SaveResult r = add(e);
    if (QString::fromLatin1(k.question).isEmpty()) {
        EXPECT_TRUE(r.ok());
        EXPECT_TRUE(questions.isEmpty());
        EXPECT_DOUBLE_EQ(balance(e.bankCode, e.acctNo), 100.00 - k.amount);
    } else {
        EXPECT_EQ(r.outcome, Outcome::Declined);
        EXPECT_EQ(r.message, "Transaction not saved!");
        EXPECT_EQ(questions, QStringList{QString::fromLatin1(k.question)});
        EXPECT_DOUBLE_EQ(balance(e.bankCode, e.acctNo), 100.00);
        EXPECT_EQ(count("SELECT COUNT(*) FROM QVBNKTR"), 0);
        EXPECT_EQ(count("SELECT COUNT(*) FROM QVACTTR"), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Withdrawals, OverdraftTest,
    ::testing::Values(
        OverdraftCase{"550 within a limit of 500", "030100", "1111111-00", 550.00, ""},
        OverdraftCase{"600 exactly at the limit", "030100", "1111111-00", 600.00, ""},
        OverdraftCase{"700 past a limit of 500", "030100", "1111111-00", 700.00,
                      "Transaction exceeds overdraft limit...proceed?"},
        OverdraftCase{"100.01 without an overdraft", "120300", "2222222-00", 100.01,
                      "Overdraft not permitted...proceed anyway?"}));

TEST_F(PostingTest, ADepositToAnExpenseAccountIsRefusedInterestToOneIsAccepted)
{
    BankEntry d = entry(EntryType::Deposit, 20.00, QStringLiteral("RENT"));
    const SaveResult r = add(d);
    EXPECT_EQ(r.outcome, Outcome::Refused);
    EXPECT_EQ(r.message,
              "Please select a valid journal account (Withdrawal/expense, deposit/income).");
    EXPECT_EQ(ledgerAccountRefusal(EntryType::Deposit, *findLedgerAccount(c, 1, "RENT")),
              "Journal account for a deposit must be income.");
    EXPECT_EQ(ledgerAccountRefusal(EntryType::Withdrawal, *findLedgerAccount(c, 1, "SALES")),
              "Journal account for a withdrawal must be expense.");

    BankEntry i = entry(EntryType::Interest, 20.00, QStringLiteral("BANKFEES"));
    EXPECT_TRUE(add(i).ok());
    EXPECT_EQ(lineBySearch(c, "1-BANKFEES-1000002").f["TRANTYPE"].toString(), "E");
}

TEST_F(PostingTest, TheSaveChecksRefuseWithTheWindowsWords)
{
    BankEntry e = entry(EntryType::Deposit, 0.00, QStringLiteral("SALES"));
    e.reference = 1000001;
    EXPECT_EQ(checkBankEntry(c, e, EntryMode::Add, confirm()).message,
              "Transaction amount must be entered!");
    e.amount = 10.00;
    e.source.clear();
    EXPECT_EQ(checkBankEntry(c, e, EntryMode::Add, confirm()).message, "Please select a source.");
    e.source = QStringLiteral("Cash");
    e.ledgerAccount = QStringLiteral("NOSUCH");
    EXPECT_EQ(checkBankEntry(c, e, EntryMode::Add, confirm()).problem,
              Problem::InvalidLedgerAccount);
    e.ledgerAccount = QStringLiteral("SALES");
    ASSERT_TRUE(add(e).ok());
    BankEntry same = entry(EntryType::Deposit, 11.00, QStringLiteral("SALES"));
    same.reference = e.reference;
    EXPECT_EQ(checkBankEntry(c, same, EntryMode::Add, confirm()).message,
              "Reference number is a duplicate.");
    EXPECT_EQ(postBankEntry(c, same, EntryMode::Add, confirm()).problem,
              Problem::DuplicateReference);
}

TEST_F(PostingTest, AnAccountOfOneDepartmentTakesOnlyThatDepartmentsLedgerAccounts)
{
    store::execSql(c.handle(), "UPDATE QVBnkAct SET BRALLOC = 1, BRANCH = '1', LINKCODE = '1-1' "
                               "WHERE ACCTNO = '1111111-00'");
    BankEntry e = entry(EntryType::Deposit, 10.00, QStringLiteral("SALES"));
    e.reference = 7;
    EXPECT_EQ(checkBankEntry(c, e, EntryMode::Add, confirm()).message,
              "Bank account is not linked to account department!");
    e.ledgerAccount = QStringLiteral("SHOPSALES");
    EXPECT_TRUE(checkBankEntry(c, e, EntryMode::Add, confirm()).ok());
}

TEST_F(PostingTest, DeletingADepositRemovesItsLineAndBalanceButNotAnotherAccountsLineOfTheSameNumber)
{
    BankEntry a = entry(EntryType::Deposit, 40.00, QStringLiteral("SALES"));
    ASSERT_TRUE(add(a).ok());
    BankEntry b = entry(EntryType::Deposit, 90.00, QStringLiteral("SALES"));
    b.bankCode = kBankB;
    b.acctNo = kAcctB;
    ASSERT_TRUE(add(b).ok());
    ASSERT_EQ(a.reference, b.reference);  // both accounts count from 1000000

    ASSERT_TRUE(deleteBankEntry(c, 1, kBankA, kAcctA, a.reference, confirm()).ok());
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 100.00);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVACTTR"), 1);
    const Line left = lineBySearch(c, "1-SALES-1000001");
    EXPECT_DOUBLE_EQ(left.f["AMOUNT"].toDouble(), 90.00);
    EXPECT_DOUBLE_EQ(balance(kBankB, kAcctB), 1090.00);
}

TEST_F(PostingTest, DeletingAskAboutTheOverdraftBeforeAnythingIsDeleted)
{
    BankEntry d = entry(EntryType::Deposit, 40.00, QStringLiteral("SALES"));
    d.bankCode = kBankB;
    d.acctNo = kAcctB;
    ASSERT_TRUE(add(d).ok());
    store::execSql(c.handle(), "UPDATE QVBnkAct SET CURRBAL = 10 WHERE ACCTNO = '2222222-00'");
    answer = false;
    const SaveResult r = deleteBankEntry(c, 1, kBankB, kAcctB, d.reference, confirm());
    EXPECT_EQ(r.outcome, Outcome::Declined);
    EXPECT_EQ(questions, QStringList{"Overdraft not permitted...proceed anyway?"});
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBNKTR"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVACTTR"), 1);
    EXPECT_DOUBLE_EQ(balance(kBankB, kAcctB), 10.00);
    answer = true;
    ASSERT_TRUE(deleteBankEntry(c, 1, kBankB, kAcctB, d.reference, confirm()).ok());
    EXPECT_DOUBLE_EQ(balance(kBankB, kAcctB), -30.00);
}

TEST_F(PostingTest, DeletingRefusesReconciledRowsRowsWithDetailsAndCheques)
{
    struct Case {
        const char* update;
        const char* message;
    };
    for (const Case& k : {Case{"UPDATE QVBnkTr SET RECONCILED = 1, CSHACCDET = 0, TRANTYPE = 'DEP'",
                               "Entry has been reconciled....cannot delete!"},
                          Case{"UPDATE QVBnkTr SET RECONCILED = 0, CSHACCDET = 1, TRANTYPE = 'DEP'",
                               "Please remove details before deleting."},
                          Case{"UPDATE QVBnkTr SET RECONCILED = 0, CSHACCDET = 0, TRANTYPE = 'CHQ'",
                               "Transaction is a cheque... delete in cheques maintenance!"}}) {
        if (count("SELECT COUNT(*) FROM QVBNKTR") == 0) {
            BankEntry d = entry(EntryType::Deposit, 40.00, QStringLiteral("SALES"));
            ASSERT_TRUE(add(d).ok());
        }
        store::execSql(c.handle(), k.update);
        const SaveResult r = deleteBankEntry(c, 1, kBankA, kAcctA, 1000001, confirm());
        EXPECT_EQ(r.outcome, Outcome::Refused);
        EXPECT_EQ(r.message, k.message);
        EXPECT_EQ(count("SELECT COUNT(*) FROM QVBNKTR"), 1);
        EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 140.00);
    }
}

TEST_F(PostingTest, AStoreFailureWhileWritingTheLineLeavesNothingChanged)
{
    store::execSql(c.handle(), "CREATE TRIGGER refuse BEFORE INSERT ON QVActTr "
                               "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    BankEntry e = entry(EntryType::Withdrawal, 30.00, QStringLiteral("RENT"));
    const SaveResult r = add(e);
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_EQ(r.message, "Transaction not saved!");
    EXPECT_TRUE(r.detail.contains("disk full"));
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 100.00);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBNKTR"), 0);
    // the reserved number stays used
    EXPECT_EQ(findBankAccount(c, 1, kBankA, kAcctA)->lastRefNo, 1000001);
}

TEST_F(PostingTest, AStoreFailureWhileDeletingTheLinesKeepsTheEntry)
{
    BankEntry e = entry(EntryType::Withdrawal, 30.00, QStringLiteral("RENT"));
    ASSERT_TRUE(add(e).ok());
    store::execSql(c.handle(), "CREATE TRIGGER refuse BEFORE DELETE ON QVActTr "
                               "BEGIN SELECT RAISE(ABORT, 'locked'); END");
    const SaveResult r = deleteBankEntry(c, 1, kBankA, kAcctA, e.reference, confirm());
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_EQ(r.message, "Could not delete account entry 30.00!");
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBNKTR"), 1);
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 70.00);
}

TEST_F(PostingTest, DeletingAnEntryTakesItsPrivateShareLineFirst)
{
    BankEntry e = entry(EntryType::Withdrawal, 100.00, QStringLiteral("MOTOR"));
    ASSERT_TRUE(add(e).ok());
    // the private-share line the details window writes for the entry
    store::Table t(c, QStringLiteral("QVActTr.DBF"));
    t.open();
    t.insert();
    t.setValue("ACCTCODE", "DRAWINGS");
    t.setValue("SPLITLINK", "1-DRAWINGS-1000001");
    t.setValue("SPLITSOURC", "MOTOR");
    t.setValue("AMOUNT", 30.0);
    t.post();
    t.insert();  // another entry's private share, under another number
    t.setValue("SPLITLINK", "1-DRAWINGS-1000002");
    t.post();
    ASSERT_TRUE(deleteBankEntry(c, 1, kBankA, kAcctA, e.reference, confirm()).ok());
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVACTTR"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVACTTR WHERE SPLITLINK = '1-DRAWINGS-1000002'"), 1);
}

TEST_F(PostingTest, ADetachedLineStaysInTheJournalWithoutItsBankEntry)
{
    BankEntry e = entry(EntryType::Deposit, 25.00, QStringLiteral("SALES"));
    ASSERT_TRUE(add(e).ok());
    const qint64 id = findEntryLine(c, "1-SALES-1000001", kBankA, kAcctA, 1000001);
    ASSERT_NE(id, 0);
    ASSERT_TRUE(detachLine(c, id));
    const Line l = lineBySearch(c, "1-SALES-1000001");
    EXPECT_EQ(l.f["BNKTRNLNK"].toString(), "0-0-0");
    EXPECT_EQ(l.f["BNKLINKNO"].toString(), "0-0-0");
    EXPECT_EQ(l.f["HASBNKACCT"].toInt(), 0);
    EXPECT_EQ(l.f["TRANNUM"].toLongLong(), 0);
    EXPECT_EQ(l.f["REF"].toString(), "0");
    EXPECT_DOUBLE_EQ(l.f["AMOUNT"].toDouble(), 25.00);
    EXPECT_EQ(findEntryLine(c, "1-SALES-1000001", kBankA, kAcctA, 1000001), 0);
    EXPECT_FALSE(detachLine(c, id + 100));
}

TEST_F(PostingTest, DepositsNotOnStatementLeaveTheBalanceAlone)
{
    BankEntry e = entry(EntryType::Deposit, 25.00, QStringLiteral("SALES"));
    e.depositsNotOnStatement = true;
    ASSERT_TRUE(add(e).ok());
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 100.00);
    ASSERT_TRUE(deleteBankEntry(c, 1, kBankA, kAcctA, e.reference, confirm(), true).ok());
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 100.00);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVACTTR"), 0);
}

}  // namespace
