#include "ui/mediafolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include "store/backup.h"

namespace ui {

QStringList removableMediaFolders() {
    QStringList folders;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (volume.isValid() && volume.isReady() &&
            (root.startsWith(QStringLiteral("/media/")) ||
             root.startsWith(QStringLiteral("/run/media/"))))
            folders.append(root);
    }
    folders.sort();
    return folders;
}

QStringList backupPlaces(const QString& dataFolder) {
    QStringList places = removableMediaFolders();
    auto add = [&places](const QString& folder) {
        const QString clean = QDir::cleanPath(folder);
        if (!folder.isEmpty() && QFileInfo(clean).isDir() && !places.contains(clean))
            places.append(clean);
    };
    add(store::lastArchiveFolder(dataFolder));
    add(QDir::homePath());
    return places;
}

QString preferredBackupFolder(const QString& dataFolder) {
    const QStringList media = removableMediaFolders();
    if (!media.isEmpty()) return media.front();
    const QString last = store::lastArchiveFolder(dataFolder);
    return !last.isEmpty() && QFileInfo(last).isDir() ? QDir::cleanPath(last) : QString();
}

}  // namespace ui
