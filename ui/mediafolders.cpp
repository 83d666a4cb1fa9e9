#include "ui/mediafolders.h"

#include <QDir>
#include <QFileInfo>

#include "store/backup.h"
#include "store/removablemedia.h"

namespace ui {

QStringList removableMediaFolders() { return store::removableMountPoints(); }

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
