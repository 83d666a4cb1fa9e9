#pragma once
// Whole copies of a data store made with the engine's online backup: a consistent copy even
// while another program writes, since the copy reads one snapshot of the store.

#include <QString>
#include <functional>

struct sqlite3;

namespace store {

// Progress of a long copy or check: `done` of `total` units.
using CopyProgress = std::function<void(qint64 done, qint64 total)>;

// Copies the store open on `source` into a new file `destination` (replaced when present) that
// stands on its own: no log file beside it. Throws StoreError.
void copyStoreToFile(sqlite3* source, const QString& destination,
                     const CopyProgress& progress = {});

// Replaces every page of the store open on `destination` by those of `source` in one write
// transaction of the engine: every reader, and a program killed at any moment, sees either the
// old store or the new one whole. Throws StoreError.
void replaceStore(sqlite3* source, sqlite3* destination, const CopyProgress& progress = {});

// Opens a store file read-only without changing it or writing anything beside it (the file may
// be on read-only media). Throws StoreError.
sqlite3* openStoreReadOnly(const QString& file);
// Opens a store file for writing with the program's usual waiting on other writers.
sqlite3* openStoreForWriting(const QString& file);

// The BLAKE2b-256 checksum of a file in lower-case hex; empty when the file cannot be read.
QString fileChecksum(const QString& file);

// A file copy written under a temporary name and renamed into place. Throws StoreError.
void copyFileSafely(const QString& from, const QString& to);

}  // namespace store
