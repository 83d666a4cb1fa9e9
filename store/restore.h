#pragma once
// Bringing a backup back into the data folder. The backup is checked whole first (its
// manifest's checksums, the engine's check of every page, a data version this program can read);
// then the store is replaced in one write transaction of the engine, so a restore that fails
// or is killed leaves the old data or the restored data, never a mixture. The data as it was
// is kept beside the store as a safety copy until the restored data has opened.

#include <QString>

#include "store/backupmanifest.h"
#include "store/storecopy.h"

namespace store {

// The backup's problem, empty when it may be restored.
struct BackupCheck {
    QString problem;
    BackupManifest manifest;
    bool ok() const { return problem.isEmpty(); }
};
BackupCheck checkBackup(const QString& backupFolder);

struct RestoreOutcome {
    QString problem;        // empty on success
    bool replaced = false;  // the store was replaced (and then kept, or put back)
    bool inUse = false;     // refused: another program or a window uses the data
    bool ok() const { return problem.isEmpty(); }
};

// The name of the safety copy kept in the data folder while a restore runs.
QString safetyCopyName();

// Restores the backup in `backupFolder` into the data folder. Refuses while another program
// uses the data folder or a window holds one of its tables (the control table excepted: the
// main window keeps it open). Never throws.
RestoreOutcome restoreDataFolder(const QString& dataFolder, const QString& backupFolder,
                                 const CopyProgress& progress = {});

}  // namespace store
