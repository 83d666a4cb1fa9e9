// The bank transaction list pages by key: any page holds the rows of the plain ordered query.
#include <gtest/gtest.h>

#include <QDate>

#include "banking/transaction_lists.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"
#include "support/temp_folder.h"
#include "ui/lazymodel.h"

namespace {

const QString kLink = QStringLiteral("1-030100-1234567-00");

// 1,500 rows of two accounts on 5 dates over 3 months and 3 amounts entered out of order, so
// that most rows tie on date and amount and entry order decides among them.
TEST(TransactionList, PagesInAnyOrderHoldTheRowsOfThePlainOrderedQuery) {
    TempDataFolder folder;
    store::Table b(folder.connection, QStringLiteral("QVBnkTr.DBF"));
    b.open();
    store::Transaction tx(folder.connection);
    for (int i = 0; i < 1500; ++i) {
        b.insert();
        b.setValue(QStringLiteral("COYCODE"), 1);
        b.setValue(QStringLiteral("BANKLINK"),
                   i % 5 ? kLink : QStringLiteral("1-030100-7654321-00"));
        b.setValue(QStringLiteral("TRANNUM"), i + 1);
        b.setValue(QStringLiteral("TRANDATE"), QDate(2026, 1, 30).addDays((i * 3) % 5 * 15));
        b.setValue(QStringLiteral("AMOUNT"), (i * 7) % 3 - 1.005);
        b.post();
    }
    tx.commit();
    store::Query q(folder.connection);
    q.setSql(QStringLiteral("SELECT TRANNUM, rowid FROM QVBNKTR WHERE BANKLINK = '%1' "
                            "ORDER BY TRANDATE, AMOUNT, rowid")
                 .arg(kLink));
    q.open();
    std::vector<qint64> numbers, ids;
    for (; !q.eof(); q.next()) {
        numbers.push_back(q.value(0).toLongLong());
        ids.push_back(q.value(1).toLongLong());
    }
    std::vector<qint64> found;
    for (qint64 at = 0; at <= qint64(ids.size()); ++at)
        found.push_back(banking::transactionListRowIdAt(folder.connection, kLink, at));
    ids.push_back(0);  // past the end
    EXPECT_EQ(found, ids);
    // A far row is found through the account's totals per month.
    ui::LazyTableModel model(
        folder.connection, banking::transactionListSelection(kLink),
        {{QStringLiteral("TRANNUM"), QStringLiteral("No")}}, nullptr,
        [&](qint64 at) { return banking::transactionListRowIdAt(folder.connection, kLink, at); });
    ASSERT_EQ(model.rowCount(), int(numbers.size()));
    const int last = model.rowCount() - 1;
    const int page = model.pageRows();
    // Its rows lie scattered over the file: the last row, then a far one, read a short page each.
    ASSERT_LT(page, ui::LazyTableModel::kPageSize);
    model.valueAt(last, QStringLiteral("TRANNUM"));
    EXPECT_EQ(model.rowsFetched(), last % page + 1);
    model.valueAt(last / 3, QStringLiteral("TRANNUM"));
    EXPECT_EQ(model.rowsFetched(), last % page + 1 + page);
    for (int row : {last, last / 2, last * 3 / 4, last / 2 + page, last / 2 - page, 0, last / 4}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(model.valueAt(row, QStringLiteral("TRANNUM")).toLongLong(), numbers[size_t(row)]);
    }
}

}  // namespace
