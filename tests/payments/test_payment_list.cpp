// The payment list pages by key: any page holds the rows of the plain ordered query.
#include <gtest/gtest.h>

#include <QDate>

#include "payments/payment_list.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"
#include "support/temp_folder.h"
#include "ui/lazymodel.h"

namespace {

// 1,500 payments of two companies on 7 dates entered out of date order, so that most rows tie
// on the date and entry order decides among them.
class PaymentList : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        store::Table h(folder.connection, QStringLiteral("QVChHdr.DBF"));
        h.open();
        store::Transaction tx(folder.connection);
        for (int i = 0; i < 1500; ++i) {
            h.insert();
            h.setValue(QStringLiteral("COYCODE"), QString::number(1 + i % 5 / 4));
            h.setValue(QStringLiteral("TRANNUM"), i + 1);
            h.setValue(QStringLiteral("SUPPLIER"),
                       i % 3 ? QStringLiteral("ACME") : QStringLiteral("BOLT"));
            h.setValue(QStringLiteral("CHQDATE"), QDate(2026, 3, 1).addDays((i * 5) % 7));
            h.setValue(QStringLiteral("AMOUNT"), 100.0 + i);
            h.post();
        }
        tx.commit();
    }
    TempDataFolder folder;
};

TEST_P(PaymentList, PagesInAnyOrderHoldTheRowsOfThePlainOrderedQuery) {
    const QString supplier = QString::fromLatin1(GetParam());
    store::Query q(folder.connection);
    q.setSql(QStringLiteral("SELECT TRANNUM FROM QVCHHDR WHERE COYCODE = '1'") +
             (supplier.isEmpty() ? QString() : QStringLiteral(" AND SUPPLIER = 'ACME'")) +
             QStringLiteral(" ORDER BY CHQDATE, rowid"));
    q.open();
    std::vector<qint64> numbers;
    for (; !q.eof(); q.next()) numbers.push_back(q.value(0).toLongLong());
    ui::LazyTableModel model(folder.connection, payments::paymentListSelection(1, supplier),
                             {{QStringLiteral("TRANNUM"), QStringLiteral("No")}});
    ASSERT_EQ(model.rowCount(), int(numbers.size()));
    const int last = model.rowCount() - 1;
    const int page = model.pageRows();
    // The last row, the middle from either end, a neighbour above and below a cached page,
    // the first row.
    for (int row : {last, last / 2, last * 3 / 4, last / 2 + page, last / 2 - page, 0, last / 4}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(model.valueAt(row, QStringLiteral("TRANNUM")).toLongLong(), numbers[size_t(row)]);
    }
}

INSTANTIATE_TEST_SUITE_P(Payments, PaymentList, ::testing::Values("", "ACME"));

}  // namespace
