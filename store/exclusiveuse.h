#pragma once
// Exclusive use of a data folder for maintenance (restore, index and database rebuild, clearing
// previous years). Every program that connects to a data folder marks itself as a user of it for
// as long as it has a connection there; maintenance refuses while another program is marked, and
// holds the tables it changes exclusively so that no window of its own has them open either.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace store {

class TableLock;

// Marks this program as a user of the data folder; calls nest, each released once.
void markFolderInUse(const QString& folder);
void releaseFolderUse(const QString& folder);
// True when another program (not this one) has a connection to the data folder.
bool otherProgramUses(const QString& folder);

// Exclusive use of tables of a data folder, held until destroyed. Throws StoreError naming the
// table that cannot be had, or saying that another program uses the data folder.
class ExclusiveTables {
public:
    // folder: the data folder, with or without a trailing separator.
    ExclusiveTables(const QString& folder, const QStringList& tables);
    ~ExclusiveTables();
    ExclusiveTables(const ExclusiveTables&) = delete;
    ExclusiveTables& operator=(const ExclusiveTables&) = delete;

private:
    std::vector<std::unique_ptr<TableLock>> locks_;
};

// The refusal ExclusiveTables and the maintenance rules give when another program uses the data.
QString otherProgramText();

}  // namespace store
