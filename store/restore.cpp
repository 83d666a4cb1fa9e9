#include "store/restore.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <future>

#include "store/backup.h"
#include "store/catalogue.h"
#include "store/connection.h"
#include "store/datafolder.h"
#include "store/error.h"
#include "store/exclusiveuse.h"

namespace store {

namespace {

QString firstRow(sqlite3* db, const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    QString text;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    else
        text = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(stmt);
    return text;
}

QString checksumProblem(const QString& folder, const BackupManifest& m) {
    if (m.files.empty() || m.files.front().first != QStringLiteral("quorvel.db"))
        return QStringLiteral(
                   "The folder holds no complete backup: %1 is missing or names no "
                   "data store.")
            .arg(manifestFileName());
    for (const auto& [file, sum] : m.files) {
        const QString path = QDir(folder).filePath(file);
        if (!QFileInfo::exists(path)) return QStringLiteral("The backup lacks %1.").arg(file);
        if (fileChecksum(path) != sum)
            return QStringLiteral("The backup's %1 is damaged: its checksum does not match.")
                .arg(file);
    }
    return {};
}

QString laterReleaseText(int version) {
    return QStringLiteral("The backup was made by a later release of Quorvel (data version %1).")
        .arg(version);
}

QString storeProblem(const QString& file) {
    sqlite3* db = nullptr;
    try {
        db = openStoreReadOnly(file);
    } catch (const StoreError& e) {
        return e.text();
    }
    QString problem;
    const int version = firstRow(db, "PRAGMA user_version").toInt();
    // The checksum has shown the file holds the very bytes the backup wrote; the quick check then
    // reads every page of it for damage done before (the full check, which also matches every
    // index entry to its row, takes a minute on a million-line book: the rebuild windows run it).
    const QString integrity = firstRow(db, "PRAGMA quick_check");
    if (integrity != QStringLiteral("ok"))
        problem = QStringLiteral("The backup's data store is damaged: %1").arg(integrity);
    else if (version > kSchemaVersion)
        problem = laterReleaseText(version);
    sqlite3_close_v2(db);
    return problem;
}

// Tables a restore needs exclusively: all but the control table of the main window.
QStringList restoredTables() {
    QStringList tables;
    for (const TableDef& t : catalogue())
        if (t.sqlName().compare(QStringLiteral("QVCntrl"), Qt::CaseInsensitive) != 0)
            tables.append(t.sqlName());
    return tables;
}

void copyStoreFile(const QString& from, sqlite3* into, const CopyProgress& progress) {
    sqlite3* source = openStoreReadOnly(from);
    try {
        replaceStore(source, into, progress);
    } catch (...) {
        sqlite3_close_v2(source);
        throw;
    }
    sqlite3_close_v2(source);
}

// The restored data opens as the program will open it (newer tables added, version stamped)
// and holds a control record.
void openRestoredData(const QString& dataFolder) {
    Connection c;
    c.connectToFolder(dataFolder);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(c.handle(), "SELECT COUNT(*) FROM QVCntrl", -1, &stmt, nullptr);
    const bool hasControl = sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_int(stmt, 0) > 0;
    sqlite3_finalize(stmt);
    if (!hasControl) throw StoreError(QStringLiteral("The restored data has no control record."));
}

// The data as it is, kept beside the store until the restored data has opened.
void makeSafetyCopy(const QString& dataFolder) {
    sqlite3* db = openStoreForWriting(storeFileOf(dataFolder));
    try {
        copyStoreToFile(db, QDir(dataFolder).filePath(safetyCopyName()));
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    sqlite3_close_v2(db);
}

// Replaces the store; when the new one does not open, the safety copy is put back. The safety
// copy goes once the new one opened.
void swapStore(const QString& dataFolder, const QString& backupFolder, RestoreOutcome& out,
               const CopyProgress& progress) {
    const QString live = storeFileOf(dataFolder);
    const QString safety = QDir(dataFolder).filePath(safetyCopyName());
    sqlite3* db = openStoreForWriting(live);
    try {
        copyStoreFile(QDir(backupFolder).filePath(QStringLiteral("quorvel.db")), db, progress);
        out.replaced = true;
        try {
            openRestoredData(dataFolder);
        } catch (const StoreError& e) {
            copyStoreFile(safety, db, {});
            throw StoreError(QStringLiteral("The restored data could not be opened (%1); the data "
                                            "as it was is back in place.")
                                 .arg(e.text()));
        }
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    sqlite3_close_v2(db);
    QFile::remove(safety);
}

}  // namespace

QString safetyCopyName() { return QStringLiteral("quorvel.db.before-restore"); }

BackupCheck checkBackup(const QString& backupFolder) {
    BackupCheck check;
    check.manifest = readManifest(backupFolder);
    check.problem = checksumProblem(backupFolder, check.manifest);
    if (check.problem.isEmpty() && check.manifest.dataVersion > kSchemaVersion)
        check.problem = laterReleaseText(check.manifest.dataVersion);
    if (check.problem.isEmpty())
        check.problem = storeProblem(QDir(backupFolder).filePath(QStringLiteral("quorvel.db")));
    return check;
}

RestoreOutcome restoreDataFolder(const QString& dataFolder, const QString& backupFolder,
                                 const CopyProgress& progress) {
    RestoreOutcome out;
    if (sameFolder(dataFolder, backupFolder)) {
        out.problem = QStringLiteral("Cannot recover from the database folder!");
        return out;
    }
    std::unique_ptr<ExclusiveTables> exclusive;
    try {
        exclusive = std::make_unique<ExclusiveTables>(dataFolder, restoredTables());
    } catch (const StoreError& e) {
        out.problem = e.text();
        out.inUse = true;
        return out;
    }
    // The backup's check and the safety copy read different files, so they run side by side.
    auto checking =
        std::async(std::launch::async, [backupFolder] { return checkBackup(backupFolder); });
    QString safetyProblem;
    try {
        makeSafetyCopy(dataFolder);
    } catch (const StoreError& e) {
        safetyProblem = e.text();
    }
    const BackupCheck check = checking.get();
    if (!check.ok() || !safetyProblem.isEmpty()) {
        QFile::remove(QDir(dataFolder).filePath(safetyCopyName()));
        out.problem = check.ok() ? safetyProblem : check.problem;
        return out;
    }
    try {
        // The settings files wait beside their places, so that only renames follow the swap.
        QStringList staged;
        for (std::size_t i = 1; i < check.manifest.files.size(); ++i) {
            const QString& file = check.manifest.files[i].first;
            copyFileSafely(QDir(backupFolder).filePath(file),
                           QDir(dataFolder).filePath(file + QStringLiteral(".restoring")));
            staged.append(file);
        }
        swapStore(dataFolder, backupFolder, out, progress);
        for (const QString& file : staged) {
            // rename() replaces the old file in one step.
            const QString to = QDir(dataFolder).filePath(file);
            if (std::rename(QFile::encodeName(to + QStringLiteral(".restoring")).constData(),
                            QFile::encodeName(to).constData()) != 0)
                throw StoreError(QStringLiteral("Cannot put %1 in place.").arg(to));
        }
    } catch (const StoreError& e) {
        out.problem = e.text();
    }
    for (const auto& [file, sum] : check.manifest.files)
        QFile::remove(QDir(dataFolder).filePath(file + QStringLiteral(".restoring")));
    return out;
}

}  // namespace store
