#pragma once
// Which folders lie on removable media (USB sticks and disks mounted under /media and
// /run/media). The backup windows offer these places; the data store does not map its file into
// memory there, because a read from a pulled-out drive through a mapping kills the program
// instead of failing with a message.

#include <QString>
#include <QStringList>

namespace store {

// Whether a mount point is where the desktop mounts removable media.
bool isRemovableMountPoint(const QString& root);
// Mount points of mounted removable media, in name order.
QStringList removableMountPoints();
// Whether a folder lies at or below one of the given mount points. The folder is taken with
// its links resolved when it exists, so a link into a removable drive counts as on it.
bool onRemovableMedia(const QString& folder, const QStringList& mountPoints);

}  // namespace store
