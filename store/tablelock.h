#pragma once
// Whole-table locks shared by every process on a data folder: a table object holds a shared
// lock while open, maintenance an exclusive one, so exclusive use fails while anyone has the
// table open.

#include <QString>

namespace store {

class TableLock {
public:
    // Throws StoreError when the lock cannot be had at once.
    TableLock(const QString& dataFolder, const QString& table, bool exclusive);
    ~TableLock();
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;

    // The folder inside a data folder that holds the lock files (never archived).
    static QString lockFolderName() { return QStringLiteral(".locks"); }

private:
    int fd_ = -1;
};

}  // namespace store
