#pragma once
// The index rebuild and the database rebuild: maintenance that needs exclusive use of the data
// (see store/exclusiveuse.h). The index rebuild builds every index of a table again from its
// rows and makes any catalogue index that went missing; the database rebuild checks the store
// and compacts it, giving the space of deleted rows back to the file system.

#include <QString>
#include <QStringList>
#include <vector>

namespace store {

class Connection;

// One step of the index rebuild: the table, the label shown while it runs, the message shown
// when it fails.
struct IndexRebuildStep {
    QString file;
    QString label;
    QString failure;
};
const std::vector<IndexRebuildStep>& indexRebuildSteps();

// Rebuilds the indexes of one table: exclusive use, every catalogue tag made again, REINDEX.
// Throws StoreError.
void rebuildTableIndexes(Connection& connection, const QString& file);

// The engine's integrity check: empty when the store is whole, else what is wrong.
QString integrityProblem(Connection& connection);

// The tables the database rebuild works through, in order.
QStringList databaseRebuildFiles();

// Checks that nothing else has the table open (exclusive use, at once released). Throws.
void requireExclusiveUse(Connection& connection, const QString& file);

// Checks the store and compacts it (VACUUM). Throws StoreError, also when the check finds
// damage (a damaged store is never compacted: restore a backup instead).
void compactStore(Connection& connection);

}  // namespace store
