#include "store/datafolder.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "store/catalogue.h"
#include "store/connection.h"
#include "store/error.h"

namespace store {

namespace {

QString folderWithSlash(QString folder) {
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return folder;
}

// A folder that does not exist under its name may exist under the Latin-1 bytes of that name,
// which are not UTF-8 and so cannot be opened by name.
bool existsUnderLatin1Name(const QString& folder) {
    const QString path = QDir::cleanPath(folder);
    bool latin1Only = true;
    bool beyondAscii = false;
    for (const QChar c : path) {
        if (c.unicode() > 0xFF) latin1Only = false;
        if (c.unicode() > 0x7F) beyondAscii = true;
    }
    if (!latin1Only || !beyondAscii) return false;
    struct stat st {};
    return ::stat(path.toLatin1().constData(), &st) == 0;
}

bool folderIsEmpty(const QString& folder) {
    return QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                QDir::System);
}

// What the engine finds in a store file that exists: opened without creating anything.
FolderVerdict probeStore(const QString& file) {
    sqlite3* db = nullptr;
    const int opened =
        sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    FolderVerdict verdict;
    auto failed = [&](FolderState state) {
        verdict = {state, QString::fromUtf8(sqlite3_errmsg(db))};
    };
    if (opened != SQLITE_OK) {
        failed(FolderState::Unreadable);
        sqlite3_close(db);
        return verdict;
    }
    sqlite3_busy_timeout(db, 10000);
    sqlite3_stmt* stmt = nullptr;
    const char* sql =
        "SELECT (SELECT count(*) FROM sqlite_master), (SELECT user_version FROM "
        "pragma_user_version)";
    int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        const int objects = sqlite3_column_int(stmt, 0);
        const int version = sqlite3_column_int(stmt, 1);
        if (version > kSchemaVersion)
            verdict = {FolderState::LaterRelease, QString::number(version)};
        else if (objects == 0 && version == 0)
            verdict = {FolderState::EmptyStore, {}};
        else if (version == 0)
            verdict = {FolderState::Damaged,
                       QStringLiteral("it holds a database of another program")};
    } else {
        switch (rc & 0xFF) {
            case SQLITE_NOTADB:
            case SQLITE_CORRUPT:
                failed(FolderState::Damaged);
                break;
            case SQLITE_CANTOPEN:
            case SQLITE_PERM:
            case SQLITE_READONLY:
            case SQLITE_AUTH:
            case SQLITE_IOERR:
                failed(FolderState::Unreadable);
                break;
            default:
                break;  // busy or locked: the connection reports it in its own words
        }
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return verdict;
}

qint64 sizeOf(const QString& file) {
    const QFileInfo info(file);
    return info.exists() ? info.size() : 0;
}

}  // namespace

QString storeFileOf(const QString& folder) {
    return folderWithSlash(folder) + QStringLiteral("quorvel.db");
}

FolderVerdict examineDataFolder(const QString& folder, bool isDefault) {
    // A name read from a file or the environment that was not UTF-8 text carries U+FFFD.
    if (folder.contains(QChar::ReplacementCharacter)) return {FolderState::NameNotText, {}};
    // Without its trailing '/', so that a file named as the folder is seen as a file.
    const QFileInfo info(QDir::cleanPath(folder));
    if (!info.exists()) {
        if (existsUnderLatin1Name(folder)) return {FolderState::NameNotText, {}};
        return {isDefault ? FolderState::FirstStart : FolderState::Missing, {}};
    }
    if (!info.isDir()) return {FolderState::NotAFolder, {}};
    if (!info.isReadable() || !info.isExecutable()) return {FolderState::Unreadable, {}};

    const QString file = storeFileOf(folder);
    const QFileInfo store(file);
    if (!store.exists()) {
        if (isDefault && folderIsEmpty(folder)) return {FolderState::FirstStart, {}};
        return {FolderState::NoStore, {}};
    }
    if (store.isDir()) return {FolderState::Damaged, QStringLiteral("it is a folder")};
    // A store whose changes still wait in its log is not empty, whatever its own size.
    if (store.size() == 0 && sizeOf(file + QStringLiteral("-wal")) == 0)
        return {FolderState::EmptyStore, {}};
    return probeStore(file);
}

bool canOpen(FolderState state) {
    return state == FolderState::Ready || state == FolderState::FirstStart;
}

bool canStartNewBook(FolderState state) {
    switch (state) {
        case FolderState::Ready:
        case FolderState::FirstStart:
        case FolderState::Missing:
        case FolderState::NoStore:
        case FolderState::EmptyStore:
        case FolderState::Damaged:
            return true;
        case FolderState::NotAFolder:
        case FolderState::Unreadable:
        case FolderState::LaterRelease:
        case FolderState::NameNotText:
            return false;
    }
    return false;
}

QString folderProblemText(const FolderVerdict& verdict, const QString& folder) {
    const QString where = QDir::toNativeSeparators(QDir::cleanPath(folder));
    const QString file = QDir::toNativeSeparators(storeFileOf(QDir::cleanPath(folder)));
    const QString engine =
        verdict.detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(verdict.detail);
    switch (verdict.state) {
        case FolderState::Ready:
        case FolderState::FirstStart:
            return {};
        case FolderState::Missing:
            return QStringLiteral(
                       "The data folder %1 does not exist. If it is on a drive that is not "
                       "connected, connect the drive and start Quorvel again.")
                .arg(where);
        case FolderState::NotAFolder:
            return QStringLiteral("The data folder %1 is a file, not a folder.").arg(where);
        case FolderState::Unreadable:
            return QStringLiteral("The data folder %1 cannot be read or written%2.")
                .arg(where, engine);
        case FolderState::NoStore:
            return QStringLiteral("The folder %1 holds no Quorvel books.").arg(where);
        case FolderState::EmptyStore:
            return QStringLiteral(
                       "The data store %1 is empty: the books it held may have been lost "
                       "when it was copied or restored.")
                .arg(file);
        case FolderState::Damaged:
            return QStringLiteral("The data store %1 is damaged or is not a Quorvel data store%2.")
                .arg(file, engine);
        case FolderState::LaterRelease:
            return QStringLiteral(
                       "The data folder %1 was written by a later release of Quorvel "
                       "(data version %2) and cannot be opened.")
                .arg(where, verdict.detail);
        case FolderState::NameNotText:
            return QStringLiteral(
                       "The name of the data folder %1 is not UTF-8 text, so Quorvel "
                       "cannot open it. Rename the folder.")
                .arg(where);
    }
    return {};
}

QString startNewBook(const QString& folder) {
    const FolderVerdict verdict = examineDataFolder(folder, false);
    if (!canStartNewBook(verdict.state)) throw StoreError(folderProblemText(verdict, folder));
    if (verdict.state == FolderState::Ready)
        throw StoreError(QStringLiteral("The folder %1 already holds Quorvel books.")
                             .arg(QDir::toNativeSeparators(QDir::cleanPath(folder))));
    if (!QDir().mkpath(folder))
        throw StoreError(QStringLiteral("Cannot create the data folder %1.")
                             .arg(QDir::toNativeSeparators(QDir::cleanPath(folder))));
    QString setAside;
    const QString file = storeFileOf(folder);
    if (QFileInfo::exists(file)) {
        setAside = file + QStringLiteral(".set-aside-") +
                   QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
        for (const char* suffix : {"", "-wal", "-shm"}) {
            if (QFileInfo::exists(file + suffix) &&
                !QFile::rename(file + suffix, setAside + suffix))
                throw StoreError(QStringLiteral("Cannot set the data store %1 aside.")
                                     .arg(QDir::toNativeSeparators(file + suffix)));
        }
    }
    Connection c;
    c.connectToFolder(folder);
    return setAside;
}

}  // namespace store
