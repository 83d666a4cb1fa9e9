#include "store/storecopy.h"

#include <sqlite3.h>

#include <QCryptographicHash>
#include <QFile>
#include <QSaveFile>
#include <QUrl>

#include "store/connection.h"
#include "store/error.h"

namespace store {

namespace {

// Pages copied per step: small enough for a smooth progress bar, large enough to stay fast.
constexpr int kPagesPerStep = 4096;

void closeQuietly(sqlite3* db) { sqlite3_close_v2(db); }

// Copies every page in steps inside the caller's locks; `what` names the copy in failures.
void copyAllPages(sqlite3* source, sqlite3* destination, const CopyProgress& progress,
               const QString& what) {
    sqlite3_backup* backup = sqlite3_backup_init(destination, "main", source, "main");
    if (!backup) throw StoreError(sqliteError(destination, what));
    int rc = SQLITE_OK;
    do {
        rc = sqlite3_backup_step(backup, kPagesPerStep);
        if (progress && (rc == SQLITE_OK || rc == SQLITE_DONE)) {
            const qint64 total = sqlite3_backup_pagecount(backup);
            progress(total - sqlite3_backup_remaining(backup), total);
        }
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) throw StoreError(sqliteError(destination, what));
}

}  // namespace

sqlite3* openStoreReadOnly(const QString& file) {
    // immutable: the engine neither locks nor looks for a log, so nothing is written beside it.
    const QByteArray uri =
        QUrl::fromLocalFile(file).toEncoded() + QByteArrayLiteral("?mode=ro&immutable=1");
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) !=
        SQLITE_OK) {
        const QString text = sqliteError(db, QStringLiteral("Cannot open %1").arg(file));
        closeQuietly(db);
        throw StoreError(text);
    }
    return db;
}

sqlite3* openStoreForWriting(const QString& file) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        const QString text = sqliteError(db, QStringLiteral("Cannot open %1").arg(file));
        closeQuietly(db);
        throw StoreError(text);
    }
    sqlite3_busy_timeout(db, 10000);
    return db;
}

void copyStoreToFile(sqlite3* source, const QString& destination, const CopyProgress& progress) {
    QFile::remove(destination);
    sqlite3* dest = nullptr;
    const QByteArray name = QFile::encodeName(destination);
    if (sqlite3_open_v2(name.constData(), &dest, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        const QString text = sqliteError(dest, QStringLiteral("Cannot create %1").arg(destination));
        closeQuietly(dest);
        throw StoreError(text);
    }
    try {
        // A new file under a temporary name needs no rollback journal: a failed copy is dropped.
        execSql(dest, "PRAGMA journal_mode = OFF");
        // One read transaction on the source for the whole copy, so that every step reads the
        // same snapshot while other programs go on writing.
        execSql(source, "BEGIN");
        execSql(source, "SELECT COUNT(*) FROM sqlite_master");
        copyAllPages(source, dest, progress, QStringLiteral("Cannot copy the data store"));
        execSql(source, "COMMIT");
        // The copied header says write-ahead log; a backup stands alone as one file.
        execSql(dest, "PRAGMA journal_mode = DELETE");
    } catch (...) {
        sqlite3_exec(source, "ROLLBACK", nullptr, nullptr, nullptr);
        closeQuietly(dest);
        QFile::remove(destination);
        throw;
    }
    if (sqlite3_close(dest) != SQLITE_OK) {
        closeQuietly(dest);
        throw StoreError(QStringLiteral("Cannot finish writing %1.").arg(destination));
    }
}

void replaceStore(sqlite3* source, sqlite3* destination, const CopyProgress& progress) {
    copyAllPages(source, destination, progress, QStringLiteral("Cannot replace the data store"));
}

QString fileChecksum(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    // BLAKE2b is several times faster than SHA-256 without hardware help: a large store is
    // hashed at every backup and restore.
    QCryptographicHash hash(QCryptographicHash::Blake2b_256);
    if (!hash.addData(&f)) return {};
    return QString::fromLatin1(hash.result().toHex());
}

void copyFileSafely(const QString& from, const QString& to) {
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("Cannot read %1: %2").arg(from, in.errorString()));
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly))
        throw StoreError(QStringLiteral("Cannot write %1: %2").arg(to, out.errorString()));
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty() && in.error() != QFile::NoError) break;
        out.write(chunk);
    }
    if (in.error() != QFile::NoError || !out.commit())
        throw StoreError(
            QStringLiteral("Cannot copy %1 to %2: %3").arg(from, to, out.errorString()));
}

}  // namespace store
