#include "store/tablelock.h"

#include "store/error.h"

#include <QDir>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace store {

TableLock::TableLock(const QString& dataFolder, const QString& table, bool exclusive) {
    const QString folder = dataFolder + lockFolderName();
    if (!QDir().mkpath(folder))
        throw StoreError(QStringLiteral("Cannot create the lock folder %1.").arg(folder));
    const QString file = folder + QLatin1Char('/') + table.toUpper() + QStringLiteral(".lck");
    fd_ = ::open(QFile::encodeName(file).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0)
        throw StoreError(QStringLiteral("Cannot open the lock file %1: %2")
                             .arg(file, QString::fromLocal8Bit(std::strerror(errno))));
    // flock locks belong to the open file description, so two table objects of one process
    // exclude each other just as two processes do.
    if (::flock(fd_, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        ::close(fd_);
        fd_ = -1;
        if (exclusive)
            throw StoreError(
                QStringLiteral("Table %1 cannot be opened exclusively: it is in use.").arg(table));
        throw StoreError(
            QStringLiteral("Table %1 is in exclusive use by another user.").arg(table));
    }
}

TableLock::~TableLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace store
