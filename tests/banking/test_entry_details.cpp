// A deposit with details: its lines, their total, and removing them one by one.
#include "posting_fixture.h"

#include "banking/entry_details.h"

using namespace posting_test;

namespace {

class DetailsTest : public PostingTest {
protected:
    BankEntry deposit;
    qint64 lineA = 0, lineB = 0;

    qint64 addLine(const QString& acct, const char* type, double amount, const QString& search)
    {
        store::Table t(c, QStringLiteral("QVActTr.DBF"));
        t.open();
        t.insert();
        t.setValue("COYCODE", "1");
        t.setValue("ACCTCODE", acct);
        t.setValue("TRANTYPE", type);
        t.setValue("AMOUNT", amount);
        t.setValue("SRCHCODE", search);
        t.setValue("TRANNUM", deposit.reference);
        t.setValue("REF", QString::number(deposit.reference));
        t.setValue("HASBNKACCT", 1);
        t.setValue("BNKTRNLNK", "030100-1111111-00-1000001-1");
        t.setValue("BNKLINKNO", "030100-1111111-00-1000001");
        t.post();
        return t.rowId();
    }

    void SetUp() override
    {
        PostingTest::SetUp();
        deposit = entry(EntryType::Deposit, 100.00, QString());
        deposit.hasDetails = true;
        ASSERT_TRUE(add(deposit).ok());
        lineA = addLine("SALES", "I", 120.00, "SALES-1-1");
        lineB = addLine("RENT", "E", 20.00, "RENT-2-1");
        store::Table receipts(c, QStringLiteral("Tranjou.DBF"));
        receipts.open();
        receipts.insert();
        receipts.setValue("COYCODE", "1");
        receipts.setValue("REF", "SALES-1-1");
        receipts.setValue("BNKTRNLNK", "030100-1111111-00-1000001");
        receipts.setValue("BANKLINK", "1-030100-1111111-00");
        receipts.setValue("DEPOSITED", 1);
        receipts.post();
    }
};

TEST_F(DetailsTest, TheRowCarriesNoLedgerAccountAndItsLinesTotalIncomeLessExpenditure)
{
    store::Table rows(c, QStringLiteral("QVBnkTr.DBF"));
    rows.open();
    EXPECT_EQ(rows.integer("CSHACCDET"), 1);
    EXPECT_EQ(rows.text("SOURCE"), "DETAILS");
    EXPECT_EQ(rows.value("FULLCODE").toString(), "");  // a single blank reads back empty
    EXPECT_EQ(rows.text("PURPOSE"), "");
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 200.00);
    EXPECT_TRUE(entryHasLines(c, 1, kBankA, kAcctA, 1000001));
    EXPECT_FALSE(entryHasLines(c, 1, kBankB, kAcctB, 1000001));
    EXPECT_DOUBLE_EQ(detailLinesTotal(c, 1, kBankA, kAcctA, 1000001), 100.00);
    // deleting is refused while it has details
    EXPECT_EQ(deleteBankEntry(c, 1, kBankA, kAcctA, 1000001, confirm()).problem,
              Problem::HasDetails);
}

TEST_F(DetailsTest, RemovingALineDetachesItUnlinksItsReceiptAndKeepsBalanceAndRowTogether)
{
    SaveResult r = removeDetailLine(c, 1, kBankA, kAcctA, 1000001, lineB);
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    store::Table rows(c, QStringLiteral("QVBnkTr.DBF"));
    rows.open();
    EXPECT_DOUBLE_EQ(rows.number("AMOUNT"), 80.00);  // magnitude less the line's 20.00
    EXPECT_EQ(rows.integer("CSHACCDET"), 1);
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 180.00);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVACTTR WHERE BNKTRNLNK = '0-0-0' AND TRANNUM = 0"), 1);

    r = removeDetailLine(c, 1, kBankA, kAcctA, 1000001, lineA);
    ASSERT_TRUE(r.ok());
    rows.refresh();
    EXPECT_DOUBLE_EQ(rows.number("AMOUNT"), -40.00);
    EXPECT_EQ(rows.integer("CSHACCDET"), 0);
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 60.00);
    EXPECT_EQ(count("SELECT COUNT(*) FROM TRANJOU WHERE BNKTRNLNK = '0-0-0' AND BANKLINK = '0-0-0' "
                    "AND DEPOSITED = 0"),
              1);
    EXPECT_FALSE(entryHasLines(c, 1, kBankA, kAcctA, 1000001));
    // a line that is no longer the entry's cannot be removed again
    EXPECT_EQ(removeDetailLine(c, 1, kBankA, kAcctA, 1000001, lineA).problem, Problem::NothingToEdit);
}

TEST_F(DetailsTest, ALineOfAReconciledRowCannotBeRemoved)
{
    store::execSql(c.handle(), "UPDATE QVBnkTr SET RECONCILED = 1");
    EXPECT_EQ(removeDetailLine(c, 1, kBankA, kAcctA, 1000001, lineA).problem, Problem::Reconciled);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVACTTR WHERE BNKTRNLNK = '0-0-0'"), 0);
    EXPECT_DOUBLE_EQ(balance(kBankA, kAcctA), 200.00);
}

}  // namespace
