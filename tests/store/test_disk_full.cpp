// A data folder on a disk that fills up: the save that finds no room says so, the write-ahead
// log is given back, and saves work again once there is room, with the earlier entries intact.
// The full disk is a page limit on the data file (PRAGMA max_page_count).
#include "store/error.h"
#include "store/format.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <QFileInfo>
#include <optional>

namespace {

qint64 pragma(store::Connection& c, const char* name) {
    store::Query q(c);
    q.setSql(QStringLiteral("PRAGMA %1").arg(QLatin1String(name)));
    q.open();
    return q.value(0).toLongLong();
}

void addRow(store::Table& rows, int reference, double amount) {
    rows.insert();
    rows.setValue("TRANNUM", reference);
    rows.setValue("AMOUNT", amount);
    rows.setValue("REASON", QString(200, QLatin1Char('x')));
    rows.post();
}

// Saves rows of 1000.01 until the store refuses one; returns its message and the rows saved.
std::optional<QString> fillUp(store::Connection& c, store::Table& rows, bool inTransaction,
                              int* saved) {
    for (int i = 0; i < 5000; ++i) {
        try {
            std::optional<store::Transaction> tx;
            if (inTransaction) tx.emplace(c);
            addRow(rows, 100 + i, 1000.01);
            if (tx) tx->commit();
            ++*saved;
        } catch (const store::StoreError& e) {
            rows.cancel();
            return e.text();
        }
    }
    return std::nullopt;
}

class FullDisk : public ::testing::TestWithParam<bool> {};

TEST_P(FullDisk, TheFailedSaveSaysSoAndTheNextSaveWorksOnceThereIsRoom) {
    TempDataFolder folder;
    store::Connection& c = folder.connection;
    EXPECT_GT(pragma(c, "journal_size_limit"), 0);  // the log left on disk stays bounded

    store::Table rows(c, "QVBnkTr.DBF");
    rows.open();
    addRow(rows, 1, 5000000.00);
    store::execSql(c.handle(),
                   QStringLiteral("PRAGMA max_page_count = %1").arg(pragma(c, "page_count") + 8));

    int saved = 1;
    const std::optional<QString> message = fillUp(c, rows, GetParam(), &saved);
    ASSERT_TRUE(message.has_value());
    EXPECT_TRUE(message->contains(QStringLiteral("The disk holding the data folder is full.")))
        << message->toStdString();
    EXPECT_EQ(QFileInfo(folder.path() + "quorvel.db-wal").size(), 0);

    store::execSql(c.handle(), "PRAGMA max_page_count = 1073741823");
    {
        store::Transaction tx(c);
        addRow(rows, 99, 12345678.90);
        tx.commit();
    }
    store::Query q(c);
    q.setSql("SELECT COUNT(*), SUM(AMOUNT) FROM QVBnkTr");
    q.open();
    EXPECT_EQ(q.integer("COUNT(*)"), saved + 1);
    EXPECT_EQ(store::fmt::cents(q.number(1)), 500000000 + 1234567890 + qint64(saved - 1) * 100001);
}

INSTANTIATE_TEST_SUITE_P(Store, FullDisk, ::testing::Values(false, true), [](const auto& info) {
    return info.param ? "InATransaction" : "OnItsOwn";
});

}  // namespace
