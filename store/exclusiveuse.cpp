#include "store/exclusiveuse.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <map>
#include <mutex>

#include "store/catalogue.h"
#include "store/error.h"
#include "store/tablelock.h"

namespace store {

namespace {

// Record locks (fcntl) belong to a process: a program never conflicts with its own, so asking
// for a write lock tells another program's read lock apart from this program's. Because closing
// any descriptor of the file drops the process's locks on it, each folder's file is opened once
// and only closed when the last connection of this program leaves the folder.
struct FolderUse {
    int fd = -1;
    int users = 0;
};

std::mutex& useMutex() {
    static std::mutex m;
    return m;
}

std::map<QString, FolderUse>& uses() {
    static std::map<QString, FolderUse> map;
    return map;
}

QString useKey(const QString& folder) {
    QString dir = QDir::cleanPath(QDir(folder).absolutePath());
    return dir + QLatin1Char('/');
}

int openUseFile(const QString& key) {
    const QString locks = key + TableLock::lockFolderName();
    if (!QDir().mkpath(locks)) return -1;
    const QByteArray file = QFile::encodeName(locks + QStringLiteral("/PROGRAM.lck"));
    return ::open(file.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
}

struct flock wholeFile(short type) {
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    return lock;
}

}  // namespace

void markFolderInUse(const QString& folder) {
    std::lock_guard guard(useMutex());
    FolderUse& use = uses()[useKey(folder)];
    if (use.users++ > 0) return;
    use.fd = openUseFile(useKey(folder));
    if (use.fd < 0) return;  // a read-only folder: nothing to mark, nothing to maintain
    struct flock lock = wholeFile(F_RDLCK);
    ::fcntl(use.fd, F_SETLK, &lock);
}

void releaseFolderUse(const QString& folder) {
    std::lock_guard guard(useMutex());
    auto it = uses().find(useKey(folder));
    if (it == uses().end() || --it->second.users > 0) return;
    if (it->second.fd >= 0) ::close(it->second.fd);
    uses().erase(it);
}

bool otherProgramUses(const QString& folder) {
    std::lock_guard guard(useMutex());
    const QString key = useKey(folder);
    auto it = uses().find(key);
    const bool own = it != uses().end() && it->second.fd >= 0;
    const int fd = own ? it->second.fd : openUseFile(key);
    if (fd < 0) return false;
    struct flock probe = wholeFile(F_WRLCK);
    const bool other = ::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    if (!own) ::close(fd);
    return other;
}

QString otherProgramText() { return QStringLiteral("Another program is using the data folder."); }

ExclusiveTables::ExclusiveTables(const QString& dataFolder, const QStringList& tables) {
    const QString folder = useKey(dataFolder);
    if (otherProgramUses(folder)) throw StoreError(otherProgramText());
    for (const QString& name : tables) {
        const TableDef* def = findTable(name);
        if (!def) throw StoreError(QStringLiteral("There is no table %1.").arg(name));
        locks_.push_back(std::make_unique<TableLock>(folder, def->sqlName(), true));
    }
}

ExclusiveTables::~ExclusiveTables() = default;

}  // namespace store
