#pragma once
// Help for a long run over many rows on one connection, such as an import of a hundred thousand
// lines: settings that keep the run's work in memory, and an INSERT prepared
// once per table.
#include <QString>
#include <QVariant>
#include <vector>

#include "store/catalogue.h"
#include "store/connection.h"

struct sqlite3_stmt;

namespace store {

// For the life of the scope: a large page cache, savepoint journals and sorts kept in memory
// instead of temporary files (each nested scope of an import would write the pages it touches
// there), and the write-ahead log copied into the
// data file less often. Every commit is still synced to the log,
// so a crash loses at most the open transaction. Opened outside any transaction.
class BulkRunScope {
public:
    explicit BulkRunScope(Connection& c);
    ~BulkRunScope();  // the settings as they were
    BulkRunScope(const BulkRunScope&) = delete;
    BulkRunScope& operator=(const BulkRunScope&) = delete;
    // Copies the log into the data file now; call once the run's last commit is done.
    void checkpoint();

private:
    Connection& c_;
    qint64 cacheSize_ = 0, tempStore_ = 0, autoCheckpoint_ = 0;
    bool tempStoreSet_ = false;
};

// Inserts rows into one catalogue table through one prepared statement. The fields named at
// construction are set per row (converted as Table::setValue converts them); every other field
// is written blank, as Table::insert leaves it. Must run inside a transaction.
class RowInserter {
public:
    RowInserter(Connection& c, const QString& table, const std::vector<const char*>& fields);
    ~RowInserter();
    RowInserter(const RowInserter&) = delete;
    RowInserter& operator=(const RowInserter&) = delete;

    // The value of the i-th named field for the next row; unset fields are written blank.
    void set(int i, const QVariant& value);
    // Writes the row and returns its row id; failures throw StoreError.
    qint64 insert();

private:
    void bindBlank(size_t i);
    Connection& c_;
    const TableDef* def_;
    sqlite3_stmt* stmt_ = nullptr;
    std::vector<size_t> named_;     // catalogue field index of each named field
    std::vector<QVariant> blanks_;  // stored blank value of each named field
    std::vector<bool> set_;
};

}  // namespace store
