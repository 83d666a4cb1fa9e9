#include "store/connection.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>

#include "store/datafolder.h"
#include "store/error.h"
#include "store/exclusiveuse.h"
#include "store/paths.h"
#include "store/removablemedia.h"
#include "store/schema.h"

namespace store {

namespace {

constexpr int kBusyTimeoutMs = 10000;
// Bounds the write-ahead log left on disk after each checkpoint, so a nearly full disk is not
// filled by a log that only ever grows.
constexpr int kJournalSizeLimit = 4 * 1024 * 1024;
constexpr qint64 kMapSize = qint64(2) * 1024 * 1024 * 1024;  // SQLite caps it at its own limit

bool isDiskFull(int code) { return (code & 0xff) == SQLITE_FULL; }

QString diskFullText() { return QStringLiteral("The disk holding the data folder is full."); }

}  // namespace

QString sqliteError(sqlite3* db, const QString& doing) {
    if (isDiskFull(sqlite3_extended_errcode(db))) return diskFullText();
    return QStringLiteral("%1: %2").arg(doing, QString::fromUtf8(sqlite3_errmsg(db)));
}

void execSql(sqlite3* db, const char* sql) {
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        QString text = isDiskFull(rc) ? diskFullText()
                                      : QString::fromUtf8(message ? message : sqlite3_errmsg(db));
        sqlite3_free(message);
        throw StoreError(text);
    }
}

void execSql(sqlite3* db, const QString& sql) { execSql(db, sql.toUtf8().constData()); }

Connection::Connection() = default;

Connection::~Connection() { disconnect(); }

void Connection::connect(const QString& alias) {
    // Only the default data folder is made here; any other folder that is not a data store
    // is refused rather than quietly becoming a new, empty book.
    const paths::AliasFolder where = paths::aliasFolder(alias);
    const FolderVerdict verdict = examineDataFolder(where.folder, where.isDefault);
    if (!canOpen(verdict.state)) throw StoreError(folderProblemText(verdict, where.folder));
    connectToFolder(where.folder);
}

void Connection::connectToFolder(const QString& folder) {
    disconnect();
    QString dir = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (!QDir().mkpath(dir))
        throw StoreError(QStringLiteral("Cannot create the data folder %1.").arg(dir));
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    const QByteArray file = QFile::encodeName(dir + QStringLiteral("quorvel.db"));
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        QString text = sqliteError(
            db, QStringLiteral("Cannot open the data store %1").arg(QString::fromLocal8Bit(file)));
        sqlite3_close(db);
        throw StoreError(text);
    }
    try {
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        sqlite3_extended_result_codes(db, 1);
        // Space freed by deletions is returned on pack; must be set before the first table.
        execSql(db, "PRAGMA auto_vacuum = INCREMENTAL");
        execSql(db, "PRAGMA journal_mode = WAL");
        execSql(db, QStringLiteral("PRAGMA journal_size_limit = %1").arg(kJournalSizeLimit));
        // A posted entry survives a crash or power cut.
        execSql(db, "PRAGMA synchronous = FULL");
        execSql(db, "PRAGMA foreign_keys = OFF");
        // Reads map the file instead of copying each page out of the system's cache: a report
        // over a large book looks up rows all over the file. Not on removable media: a read
        // through the map from a drive pulled out kills the program instead of failing.
        const bool removable = onRemovableMedia(dir, removableMountPoints());
        execSql(db, QStringLiteral("PRAGMA mmap_size = %1").arg(removable ? 0 : kMapSize));
        ensureSchema(db);
    } catch (const StoreError& e) {
        sqlite3_close(db);
        throw StoreError(QStringLiteral("Cannot open the data store %1: %2")
                             .arg(QString::fromLocal8Bit(file), e.text()));
    }
    db_ = db;
    folder_ = dir;
    markFolderInUse(dir);
}

void Connection::clearStatements() {
    for (auto& [sql, stmt] : statements_) sqlite3_finalize(stmt);
    statements_.clear();
}

void Connection::disconnect() {
    if (!db_) return;
    clearStatements();
    if (txDepth_ > 0) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    txDepth_ = 0;
    diskFull_ = false;
    sqlite3_close_v2(db_);
    db_ = nullptr;
    releaseFolderUse(folder_);
    folder_.clear();
}

sqlite3* Connection::handle() const {
    if (!db_) throw StoreError(QStringLiteral("Not connected to the data store."));
    return db_;
}

sqlite3_stmt* Connection::cachedStatement(const QString& sql) {
    auto it = statements_.find(sql);
    if (it != statements_.end()) return it->second;
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v3(handle(), text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                           &stmt, nullptr) != SQLITE_OK)
        raise(QStringLiteral("Cannot prepare \"%1\"").arg(sql));
    statements_.emplace(sql, stmt);
    return stmt;
}

void Connection::raise(const QString& doing) {
    sqlite3* db = handle();
    const QString text = sqliteError(db, doing);
    if (isDiskFull(sqlite3_extended_errcode(db))) {
        diskFull_ = true;
        // Outside a write transaction (or after the engine rolled it back) the log can go now.
        if (sqlite3_get_autocommit(db)) releaseLogAfterFullDisk();
    }
    throw StoreError(text);
}

void Connection::exec(const QString& sql) {
    const QByteArray text = sql.toUtf8();
    if (sqlite3_exec(handle(), text.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        raise(sql);
}

void Connection::readScattered() { exec(QStringLiteral("PRAGMA mmap_size = 0")); }

void Connection::releaseLogAfterFullDisk() {
    if (!diskFull_ || !db_ || !sqlite3_get_autocommit(db_)) return;
    // Without waiting: a reader elsewhere only postpones this to the next transaction.
    sqlite3_busy_timeout(db_, 0);
    const int rc =
        sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    if (rc == SQLITE_OK) diskFull_ = false;
}

}  // namespace store
