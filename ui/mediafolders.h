#pragma once
// The places a backup is written to or restored from: removable media first (USB sticks and
// disks mounted under /media and /run/media), then the folder of the last backup, then the
// user's home folder. No widgets.

#include <QString>
#include <QStringList>

namespace ui {

// Mount points of mounted media under /media and /run/media, in name order.
QStringList removableMediaFolders();
// The list a backup or restore window offers: removable media, the last backup's folder (from
// "Archive.ini" of the data folder) when it still exists, then the home folder; each once.
QStringList backupPlaces(const QString& dataFolder);
// The folder a backup at shutdown goes to without asking: the first removable medium, else the
// last backup's folder when it still exists; empty when neither is there.
QString preferredBackupFolder(const QString& dataFolder);

}  // namespace ui
