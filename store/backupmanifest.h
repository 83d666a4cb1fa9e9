#pragma once
// "Manifest.ini", written last into a backup folder: what the backup holds and the checksum of
// every file, so that a restore can tell a whole backup from a damaged or unfinished one.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace store {

struct BackupManifest {
    QDateTime made;
    int dataVersion = 0;
    QStringList companies;                              // "1 Harbour Cafe", in company order
    std::vector<std::pair<QString, qint64>> rowCounts;  // table, rows; catalogue order
    std::vector<std::pair<QString, QString>> files;     // file name, checksum; store file first
};

QString manifestFileName();  // "Manifest.ini"

// Writes the manifest into the folder (temporary name, then renamed). Throws StoreError.
void writeManifest(const QString& folder, const BackupManifest& manifest);
// Reads the manifest of a folder; without one the files list is empty.
BackupManifest readManifest(const QString& folder);

}  // namespace store
