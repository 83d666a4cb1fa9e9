#include "store/backup.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>

#include "store/backupmanifest.h"
#include "store/catalogue.h"
#include "store/connection.h"
#include "store/datafolder.h"
#include "store/error.h"
#include "store/inifile.h"

namespace store {

namespace {

const QString kArchiveIni = QStringLiteral("Archive.ini");
const QString kDriveHeader = QStringLiteral("DRIVE HDR");

qint64 countOf(sqlite3* db, const QString& sql) {
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    qint64 n = 0;
    if (sqlite3_prepare_v2(db, text.constData(), -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        n = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return n;
}

QStringList companiesOf(sqlite3* db) {
    QStringList names;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT COYCODE, BUSNAME FROM QVCntrl ORDER BY COYCODE", -1, &stmt,
                           nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW)
            names.append(
                QString::number(sqlite3_column_int(stmt, 0)) + QLatin1Char(' ') +
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1))));
    }
    sqlite3_finalize(stmt);
    return names;
}

// What the manifest says of the copied store: read from the copy, so it describes exactly
// the snapshot that was taken.
void describeCopy(const QString& copy, BackupManifest& m) {
    sqlite3* db = openStoreReadOnly(copy);
    m.dataVersion = int(countOf(db, QStringLiteral("PRAGMA user_version")));
    m.companies = companiesOf(db);
    for (const TableDef& t : catalogue())
        m.rowCounts.push_back(
            {t.sqlName(),
             countOf(db, QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(t.sqlName()))});
    sqlite3_close_v2(db);
}

// Copies the store into the target as "quorvel.db", through a temporary name.
void backUpStore(const QString& dataFolder, const QString& target, BackupManifest& m,
                 const CopyProgress& progress) {
    const QString finalName = QDir(target).filePath(QStringLiteral("quorvel.db"));
    const QString partial = finalName + QStringLiteral(".partial");
    sqlite3* source = openStoreForWriting(storeFileOf(dataFolder));
    try {
        copyStoreToFile(source, partial, progress);
    } catch (...) {
        sqlite3_close_v2(source);
        throw;
    }
    sqlite3_close_v2(source);
    describeCopy(partial, m);
    m.files.push_back({QStringLiteral("quorvel.db"), fileChecksum(partial)});
    QFile::remove(finalName);
    if (!QFile::rename(partial, finalName))
        throw StoreError(QStringLiteral("Cannot rename %1 into place.").arg(partial));
}

}  // namespace

QStringList settingsFilesOf(const QString& dataFolder) {
    QStringList files;
    const QFileInfoList infos =
        QDir(dataFolder)
            .entryInfoList({QStringLiteral("*.ini"), QStringLiteral("*.INI")}, QDir::Files,
                           QDir::Name);
    for (const QFileInfo& info : infos)
        if (info.fileName().compare(kArchiveIni, Qt::CaseInsensitive) != 0 &&
            !files.contains(info.fileName()))
            files.append(info.fileName());
    return files;
}

bool sameFolder(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    const QString cb = QFileInfo(b).canonicalFilePath();
    if (!ca.isEmpty() && !cb.isEmpty()) return ca == cb;
    return QDir::cleanPath(QDir(a).absolutePath()) == QDir::cleanPath(QDir(b).absolutePath());
}

BackupOutcome backupDataFolder(const QString& dataFolder, const QString& target,
                               const CopyProgress& progress) {
    BackupOutcome out;
    QString current = QStringLiteral("quorvel.db");
    try {
        if (sameFolder(dataFolder, target))
            throw StoreError(
                QStringLiteral("Cannot archive to same folder as database. Please change folder."));
        if (!QFileInfo(target).isDir() || !QFileInfo(target).isWritable())
            throw StoreError(QStringLiteral("The folder %1 cannot be written.").arg(target));
        // Without its manifest an old backup in the target is never taken for the new one.
        QFile::remove(QDir(target).filePath(manifestFileName()));
        BackupManifest m;
        m.made = QDateTime::currentDateTime();
        backUpStore(dataFolder, target, m, progress);
        for (const QString& file : settingsFilesOf(dataFolder)) {
            current = file;
            const QString to = QDir(target).filePath(file);
            copyFileSafely(QDir(dataFolder).filePath(file), to);
            m.files.push_back({file, fileChecksum(to)});
        }
        current = manifestFileName();
        writeManifest(target, m);
        QList<qint64> sizes;
        for (const auto& [file, sum] : m.files) {
            out.files.append(file);
            sizes.append(QFileInfo(QDir(target).filePath(file)).size());
        }
        out.files.append(manifestFileName());
        sizes.append(QFileInfo(QDir(target).filePath(manifestFileName())).size());
        for (qint64 s : sizes) out.bytes += s;
        current = kArchiveIni;
        recordArchive(dataFolder, target, out.files, sizes);
        out.ok = true;
    } catch (const StoreError& e) {
        out.failedOn = current;
        out.detail = e.text();
    }
    return out;
}

void recordArchive(const QString& dataFolder, const QString& target, const QStringList& files,
                   const QList<qint64>& sizes) {
    IniFile ini(QDir(dataFolder).filePath(kArchiveIni));
    for (const QString& section : ini.sections())
        if (section.startsWith(QStringLiteral("Disk"), Qt::CaseInsensitive))
            ini.eraseSection(section);
    QList<std::pair<QString, QString>> disk;
    qint64 onDisk = 0, total = 0;
    for (int i = 0; i < files.size(); ++i) {
        disk.append({QString::number(i + 1), files[i]});
        // The running total adds the bytes so far on the disk after each file.
        onDisk += sizes.value(i);
        total += onDisk;
    }
    disk.append({QStringLiteral("No of Files"), QString::number(files.size())});
    QString folder = QDir::cleanPath(QDir(target).absolutePath());
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    ini.writeStrings(kDriveHeader, {{QStringLiteral("Archive Disk"), folder},
                                    {QStringLiteral("NOOFDISKS"), QStringLiteral("0")},
                                    {QStringLiteral("Total required"), QString::number(total)}});
    ini.writeStrings(QStringLiteral("Disk0"), disk);
}

QString lastArchiveFolder(const QString& dataFolder) {
    return IniFile(QDir(dataFolder).filePath(kArchiveIni))
        .readString(kDriveHeader, QStringLiteral("Archive Disk"));
}

}  // namespace store
