#pragma once
// Creating the tables of a new data folder and stamping their version.

struct sqlite3;

namespace store {

struct TableDef;

// Creates every catalogue table with its tags and the first company's control record
// (COYCODE 1, BUSNAME "Name") when the store is new; refuses a store from a later release.
// Drops indexes an earlier version made that nothing reads any more.
void ensureSchema(sqlite3* db);

// False for the few tags of the large tables kept without an index of their own (nothing seeks
// or orders by them, or another index serves their seeks); the index rebuild skips them.
bool tagHasIndex(const TableDef& table, const char* tag);

}  // namespace store
