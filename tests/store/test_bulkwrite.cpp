// The help for long runs over many rows: rows through a prepared insert are stored as the table
// objects store them, and the run's settings come back when it ends.
#include <gtest/gtest.h>

#include "store/bulkwrite.h"
#include "store/error.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"
#include "support/temp_folder.h"

namespace {

QVariantMap bulkStoredRow(store::Connection& c, qint64 rowId) {
    store::Query q(c);
    q.setSql(QStringLiteral("SELECT * FROM QVACTTR WHERE rowid = :id"));
    q.bind(QStringLiteral("id"), rowId);
    q.open();
    QVariantMap values;
    for (int i = 0; i < q.fieldCount(); ++i) values.insert(q.fieldName(i), q.value(i));
    return values;
}

qint64 bulkPragmaValue(store::Connection& c, const char* name) {
    store::Query q(c);
    q.setSql(QStringLiteral("PRAGMA ") + QLatin1String(name));
    q.open();
    return q.value(0).toLongLong();
}

}  // namespace

TEST(RowInserter, ALineIsStoredAsTheTableStoresItAndUnsetFieldsBlank) {
    TempDataFolder f;
    store::Connection& c = f.connection;
    // Cut at width, rounded half away from zero, a date as ISO text, the rest blank.
    const std::vector<std::pair<const char*, QVariant>> values = {
        {"ACCTCODE", QStringLiteral("RENT ")},
        {"DESC", QString(300, QLatin1Char('x'))},
        {"AMOUNT", 1234567890.125},
        {"TRANDATE", QDate(2025, 4, 1)},
        {"LINENO", 3}};
    store::Transaction tx(c);
    store::Table t(c, QStringLiteral("QVActTr.DBF"));
    t.open();
    t.insert();
    for (const auto& [field, value] : values) t.setValue(QLatin1String(field), value);
    t.post();
    std::vector<const char*> names;
    for (const auto& v : values) names.push_back(v.first);
    store::RowInserter inserter(c, QStringLiteral("QVActTr"), names);
    qint64 id = 0;
    for (int round = 0; round < 2; ++round) {  // the second row must not keep the first's values
        for (int i = 0; i < int(values.size()); ++i)
            if (round == 0 || i != 1) inserter.set(i, values[size_t(i)].second);
        id = inserter.insert();
    }
    tx.commit();
    QVariantMap viaTable = bulkStoredRow(c, t.rowId());
    EXPECT_EQ(bulkStoredRow(c, id - 1), viaTable);
    const QVariantMap second = bulkStoredRow(c, id);
    EXPECT_EQ(second.value(QStringLiteral("DESC")).toString(), QString());
    viaTable.insert(QStringLiteral("DESC"), second.value(QStringLiteral("DESC")));
    EXPECT_EQ(second, viaTable);
}

TEST(RowInserter, RefusesToWriteOutsideATransaction) {
    TempDataFolder f;
    store::RowInserter inserter(f.connection, QStringLiteral("QVActTr"), {"ACCTCODE"});
    inserter.set(0, QStringLiteral("RENT"));
    EXPECT_THROW(inserter.insert(), store::StoreError);
    EXPECT_THROW(store::RowInserter(f.connection, QStringLiteral("QVActTr"), {"NOSUCH"}),
                 store::StoreError);
}

TEST(BulkRunScope, TheConnectionsSettingsComeBackWhenTheRunEnds) {
    TempDataFolder f;
    store::Connection& c = f.connection;
    const char* const names[] = {"cache_size", "temp_store", "wal_autocheckpoint", "synchronous"};
    QStringList was, after;
    for (const char* n : names) was << QString::number(bulkPragmaValue(c, n));
    {
        store::BulkRunScope run(c);
        EXPECT_EQ(bulkPragmaValue(c, "temp_store"), 2);  // memory
        // Every commit is still synced to the log.
        EXPECT_EQ(bulkPragmaValue(c, "synchronous"), 2);
        run.checkpoint();
    }
    for (const char* n : names) after << QString::number(bulkPragmaValue(c, n));
    EXPECT_EQ(after, was);
}
