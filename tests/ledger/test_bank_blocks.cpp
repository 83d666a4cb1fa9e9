// A bank account's rows in append order, answered from the totals per block of row ids: the
// row at a position, the position of a row and the sum of the rows after it equal what plain
// SQL reads from the rows, across block edges, with another account's rows in between, after
// edits, moves and deletes; and the bank grid's running balance at a far row equals the
// account's balance less the rows after it.
#include "../banking/posting_fixture.h"
#include "ledger/bank_blocks.h"
#include "store/keys.h"
#include "store/schema.h"
#include "store/table.h"

namespace {

using namespace posting_test;

class BankBlocks : public PostingTest {
protected:
    const QString linkA = store::keys::bankRowLink(1, kBankA, kAcctA);
    const QString linkB = store::keys::bankRowLink(1, kBankB, kAcctB);

    // 700 rows of each account, every 13th row id for A and the next one for B, so the rows
    // cross two block edges; amounts from minus a billion to cents; then entries posted
    // through the bank entry rules on top.
    void SetUp() override {
        PostingTest::SetUp();
        c.exec(QStringLiteral(
                   "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 700) "
                   "INSERT INTO QVBnkTr (rowid, BANKLINK, TRANNUM, AMOUNT) SELECT i * 13 + s.k, "
                   "CASE s.k WHEN 0 THEN '%1' ELSE '%2' END, i, CASE WHEN i = 350 THEN "
                   "-1000000000.05 ELSE ((i * 7919) % 200001 - 100000) / 100.0 END FROM n, "
                   "(SELECT 0 AS k UNION ALL SELECT 1) s")
                   .arg(linkA, linkB));
        for (const double amount : {115.00, 0.01, 99.99}) {
            BankEntry e = entry(EntryType::Deposit, amount, QStringLiteral("SALES"));
            ASSERT_TRUE(add(e).ok());
        }
        ASSERT_GT(idsOf(linkA).back() >> store::kBankBlockBits, 1);
    }

    std::vector<qint64> idsOf(const QString& link) {
        store::Query q(c);
        q.setSql("SELECT rowid FROM QVBnkTr WHERE BANKLINK = :link ORDER BY rowid");
        q.bind("link", link);
        q.open();
        std::vector<qint64> ids;
        for (; !q.eof(); q.next()) ids.push_back(q.value(0).toLongLong());
        return ids;
    }

    qint64 summedAfter(const QString& link, qint64 id) {
        store::Query q(c);
        q.setSql(
            "SELECT TOTAL(ROUND(AMOUNT * 100)) FROM QVBnkTr WHERE BANKLINK = :link AND rowid > "
            ":id");
        q.bind("link", link);
        q.bind("id", id);
        q.open();
        return std::llround(q.number(0));
    }

    void expectBlocksAgree(const QString& link) {
        const std::vector<qint64> ids = idsOf(link);
        EXPECT_EQ(ledger::bankRowCount(c, link), qint64(ids.size()));
        for (size_t p = 0; p < ids.size(); ++p) {
            SCOPED_TRACE(p);
            EXPECT_EQ(ledger::bankRowIdAt(c, link, qint64(p)), ids[p]);
            EXPECT_EQ(ledger::bankRowsBefore(c, link, ids[p]), qint64(p));
            EXPECT_EQ(ledger::bankAmountAfter(c, link, ids[p]), summedAfter(link, ids[p]));
        }
        EXPECT_EQ(ledger::bankRowIdAt(c, link, qint64(ids.size())), 0);
    }
};

TEST_F(BankBlocks, RowsPositionsAndSumsEqualThePlainRows) {
    expectBlocksAgree(linkA);
    expectBlocksAgree(linkB);
}

TEST_F(BankBlocks, EditsMovesAndDeletesMoveTheBlocks) {
    const std::vector<qint64> ids = idsOf(linkA);
    c.exec(QStringLiteral("UPDATE QVBnkTr SET AMOUNT = 0.05 WHERE rowid = %1").arg(ids[10]));
    c.exec(QStringLiteral("UPDATE QVBnkTr SET BANKLINK = '%1' WHERE rowid = %2")
               .arg(linkB)
               .arg(ids[400]));
    c.exec(QStringLiteral("DELETE FROM QVBnkTr WHERE rowid IN (%1, %2)").arg(ids[0]).arg(ids[650]));
    expectBlocksAgree(linkA);
    expectBlocksAgree(linkB);
}

TEST_F(BankBlocks, GridRunningBalanceAtAFarRowIsTheEndLessTheRowsAfter) {
    store::Table rows(c, "QVBnkTr.DBF");
    rows.setIndexName("BANKLINK");
    rows.open();
    rows.setMasterRange("BANKLINK", linkA);
    ui::LazyTableModel model(c, rows, {ui::runningColumn("AMOUNT", "Balance")}, nullptr,
                             ledger::bankRowBlocks(c, linkA));
    const qint64 end = 123456789012;
    model.setRunningEnd(end);
    const std::vector<qint64> ids = idsOf(linkA);
    ASSERT_EQ(model.rowCount(), int(ids.size()));
    for (const int row : {int(ids.size()) - 1, 300, 0, 257, 555}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(model.rowIdAt(row), ids[size_t(row)]);
        EXPECT_EQ(model.runningCentsAt(row), end - summedAfter(linkA, ids[size_t(row)]));
    }
    ASSERT_TRUE(rows.gotoRowId(ids[300]));
    EXPECT_EQ(model.rowOfTableRecord(), 300);
}

}  // namespace
