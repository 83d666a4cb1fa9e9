#include "store/removablemedia.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace store {

bool isRemovableMountPoint(const QString& root) {
    return root.startsWith(QStringLiteral("/media/")) ||
           root.startsWith(QStringLiteral("/run/media/"));
}

QStringList removableMountPoints() {
    QStringList folders;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (volume.isValid() && volume.isReady() && isRemovableMountPoint(root))
            folders.append(root);
    }
    folders.sort();
    return folders;
}

bool onRemovableMedia(const QString& folder, const QStringList& mountPoints) {
    const QFileInfo info(folder);
    const QString resolved = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    const QString path = QDir::cleanPath(resolved);
    for (const QString& mount : mountPoints) {
        const QString root = QDir::cleanPath(mount);
        // "/media/ann/USB2" is not on "/media/ann/USB": compare whole folder names.
        if (path == root || path.startsWith(root + QLatin1Char('/'))) return true;
    }
    return false;
}

}  // namespace store
