#pragma once
// The full backup of a data folder into a folder the user chose (a USB stick, another disk): a
// consistent copy of the store taken while other programs may write, the data folder's settings
// files and "Manifest.ini", each written under a temporary name and renamed into place, the
// manifest last. "Archive.ini" in the data folder then records what was written.

#include <QString>
#include <QStringList>

#include "store/storecopy.h"

namespace store {

struct BackupOutcome {
    bool ok = false;
    QString failedOn;   // the file the backup stopped at
    QString detail;     // the engine's or the file system's text
    QStringList files;  // written, in order (manifest last)
    qint64 bytes = 0;
};

// The settings files of a data folder that a backup carries: every INI file but "Archive.ini".
QStringList settingsFilesOf(const QString& dataFolder);

// True when the two folders are the same folder.
bool sameFolder(const QString& a, const QString& b);

// Backs the data folder up into `target`. Never throws; the outcome says what failed.
BackupOutcome backupDataFolder(const QString& dataFolder, const QString& target,
                               const CopyProgress& progress = {});

// Rewrites "Archive.ini" of the data folder for a backup into `target`: section DRIVE HDR
// (Archive Disk, NOOFDISKS 0, Total required) and section Disk0 (the files by number and
// "No of Files"); sections of earlier backups are removed. Throws StoreError.
void recordArchive(const QString& dataFolder, const QString& target, const QStringList& files,
                   const QList<qint64>& sizes);

// The folder of the last backup recorded in "Archive.ini", or empty.
QString lastArchiveFolder(const QString& dataFolder);

}  // namespace store
