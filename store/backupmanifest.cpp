#include "store/backupmanifest.h"

#include <QDir>
#include <QFile>

#include "store/error.h"
#include "store/inifile.h"

namespace store {

namespace {

const QString kBackupSection = QStringLiteral("Backup");
const QString kCompaniesSection = QStringLiteral("Companies");
const QString kRowsSection = QStringLiteral("Rows");
const QString kFilesSection = QStringLiteral("Files");

QString manifestPath(const QString& folder) { return QDir(folder).filePath(manifestFileName()); }

}  // namespace

QString manifestFileName() { return QStringLiteral("Manifest.ini"); }

void writeManifest(const QString& folder, const BackupManifest& m) {
    // Built under a temporary name so that the manifest appears whole or not at all.
    const QString partial = manifestPath(folder) + QStringLiteral(".partial");
    QFile::remove(partial);
    IniFile ini(partial);
    ini.writeStrings(kBackupSection,
                     {{QStringLiteral("Date"), m.made.toString(Qt::ISODate)},
                      {QStringLiteral("Data version"), QString::number(m.dataVersion)}});
    QList<std::pair<QString, QString>> companies;
    for (int i = 0; i < m.companies.size(); ++i)
        companies.append({QString::number(i + 1), m.companies[i]});
    ini.writeStrings(kCompaniesSection, companies);
    QList<std::pair<QString, QString>> rows;
    for (const auto& [table, count] : m.rowCounts) rows.append({table, QString::number(count)});
    ini.writeStrings(kRowsSection, rows);
    QList<std::pair<QString, QString>> files;
    for (const auto& [file, sum] : m.files) files.append({file, sum});
    ini.writeStrings(kFilesSection, files);
    QFile::remove(manifestPath(folder));
    if (!QFile::rename(partial, manifestPath(folder)))
        throw StoreError(QStringLiteral("Cannot write %1.").arg(manifestPath(folder)));
}

BackupManifest readManifest(const QString& folder) {
    BackupManifest m;
    const IniFile ini(manifestPath(folder));
    if (!ini.exists()) return m;
    m.made =
        QDateTime::fromString(ini.readString(kBackupSection, QStringLiteral("Date")), Qt::ISODate);
    m.dataVersion = ini.readInteger(kBackupSection, QStringLiteral("Data version"), 0);
    for (const QString& key : ini.keys(kCompaniesSection))
        m.companies.append(ini.readString(kCompaniesSection, key));
    for (const QString& key : ini.keys(kRowsSection))
        m.rowCounts.push_back({key, ini.readString(kRowsSection, key).toLongLong()});
    for (const QString& key : ini.keys(kFilesSection))
        m.files.push_back({key, ini.readString(kFilesSection, key)});
    return m;
}

}  // namespace store
