#include "store/bulkwrite.h"

#include <sqlite3.h>

#include <QStringList>

#include "store/error.h"
#include "store/query.h"
#include "store/table.h"

namespace store {
namespace {

constexpr int kBulkCacheKb = 524288;  // 512 MB, taken only as used
// Pages the log may hold before it is copied into the data file (about 256 MB).
constexpr int kBulkCheckpointPages = 65536;

qint64 bulkPragma(Connection& c, const char* name) {
    Query q(c);
    q.setSql(QStringLiteral("PRAGMA ") + QLatin1String(name));
    q.open();
    return q.value(0).toLongLong();
}

}  // namespace

BulkRunScope::BulkRunScope(Connection& c) : c_(c) {
    cacheSize_ = bulkPragma(c, "cache_size");
    autoCheckpoint_ = bulkPragma(c, "wal_autocheckpoint");
    c.exec(QStringLiteral("PRAGMA cache_size = -%1").arg(kBulkCacheKb));
    c.exec(QStringLiteral("PRAGMA wal_autocheckpoint = %1").arg(kBulkCheckpointPages));
    // The engine refuses to change where temporary data lives inside a transaction.
    if (c.transactionDepth() == 0) {
        tempStore_ = bulkPragma(c, "temp_store");
        c.exec(QStringLiteral("PRAGMA temp_store = MEMORY"));
        tempStoreSet_ = true;
    }
}

BulkRunScope::~BulkRunScope() {
    try {
        c_.exec(QStringLiteral("PRAGMA cache_size = %1").arg(cacheSize_));
        c_.exec(QStringLiteral("PRAGMA wal_autocheckpoint = %1").arg(autoCheckpoint_));
        if (tempStoreSet_ && c_.transactionDepth() == 0)
            c_.exec(QStringLiteral("PRAGMA temp_store = %1").arg(tempStore_));
    } catch (...) {
        // A destructor must not throw; the defaults come back with the next connection.
    }
}

void BulkRunScope::checkpoint() {
    if (c_.transactionDepth() != 0) return;
    // Passive: a reader elsewhere is never kept waiting; what it holds is copied later.
    sqlite3_wal_checkpoint_v2(c_.handle(), nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
}

RowInserter::RowInserter(Connection& c, const QString& table,
                         const std::vector<const char*>& fields)
    : c_(c), def_(findTable(table)) {
    if (!def_) throw StoreError(QStringLiteral("Table %1 does not exist.").arg(table));
    QStringList names, marks;
    for (const FieldDef& f : def_->fields) {
        names << QLatin1Char('"') + QLatin1String(f.name) + QLatin1Char('"');
        marks << QStringLiteral("?");
    }
    const QString sql = QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                            .arg(def_->sqlName(), names.join(QStringLiteral(", ")),
                                 marks.join(QStringLiteral(", ")));
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v3(c.handle(), text.constData(), int(text.size()),
                           SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr) != SQLITE_OK)
        c.raise(QStringLiteral("Cannot prepare \"%1\"").arg(sql));
    std::vector<bool> isNamed(def_->fields.size(), false);
    for (const char* name : fields) {
        const FieldDef* f = def_->field(QString::fromLatin1(name));
        if (!f) {
            sqlite3_finalize(stmt_);
            throw StoreError(QStringLiteral("Field '%1' not found in %2.")
                                 .arg(QLatin1String(name), def_->sqlName()));
        }
        named_.push_back(size_t(f - def_->fields.data()));
        isNamed[named_.back()] = true;
    }
    // Fields no row sets keep their blank value bound for the whole run.
    auto blankOf = [](const FieldDef& f) { return toStored(f, fromStored(f, QVariant())); };
    for (size_t i = 0; i < def_->fields.size(); ++i)
        if (!isNamed[i]) bindValue(stmt_, int(i) + 1, blankOf(def_->fields[i]));
    for (const size_t field : named_) blanks_.push_back(blankOf(def_->fields[field]));
    set_.assign(named_.size(), false);
}

RowInserter::~RowInserter() { sqlite3_finalize(stmt_); }

void RowInserter::set(int i, const QVariant& value) {
    const size_t field = named_[size_t(i)];
    bindValue(stmt_, int(field) + 1, toStored(def_->fields[field], value));
    set_[size_t(i)] = true;
}

void RowInserter::bindBlank(size_t i) { bindValue(stmt_, int(named_[i]) + 1, blanks_[i]); }

qint64 RowInserter::insert() {
    if (c_.transactionDepth() == 0)
        throw StoreError(
            QStringLiteral("Rows of %1 are written inside a transaction.").arg(def_->sqlName()));
    for (size_t i = 0; i < set_.size(); ++i) {
        if (!set_[i]) bindBlank(i);
        set_[i] = false;
    }
    const int rc = sqlite3_step(stmt_);
    sqlite3_reset(stmt_);
    if (rc != SQLITE_DONE) c_.raise(QStringLiteral("Cannot add a row to %1").arg(def_->sqlName()));
    return sqlite3_last_insert_rowid(c_.handle());
}

}  // namespace store
