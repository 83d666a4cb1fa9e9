#pragma once
// Creating the tables of a new data folder and stamping their version.

struct sqlite3;

namespace store {

// Creates every catalogue table with its tags and the first company's control record
// (COYCODE 1, BUSNAME "Name") when the store is new; refuses a store from a later release.
void ensureSchema(sqlite3* db);

}  // namespace store
