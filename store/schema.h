#pragma once
// Creating the tables of a new data folder and stamping their version.

#include <QString>

struct sqlite3;

namespace store {

struct TableDef;

// Creates every catalogue table with its tags and the first company's control record
// (COYCODE 1, BUSNAME "Name") when the store is new; refuses a store from a later release.
// Drops indexes an earlier version made that nothing reads any more.
void ensureSchema(sqlite3* db);

// Fills the totals per account and month (QVActTot), per bank account and month (QVBnkTot) and
// per bank account and block of row ids (QVBnkBlk) again from the journal lines and bank rows.
// Run inside a transaction.
void refillTotals(sqlite3* db);
class Connection;
void refillTotals(Connection& connection);

// The totals' columns as SQL, so that readers and the checker add lines up exactly as the
// triggers do (whole cents):
// "COUNT(*), SUM(...)..." over journal lines: lines, AMOUNT, BUSAMT, GSTAMT, BUSAMT of lines
// with an AMOUNT, GSTAMT of lines with an AMOUNT, GSTAMT of lines with a BUSAMT, GSTAMT of
// TRANTYPE 'I' lines, GSTAMT of TRANTYPE 'E' lines.
QString lineSumsOfLinesSql();
// The same sums over QVActTot rows.
QString lineSumsOfTotalsSql();
// QVActTot's rows (COYCODE, ACCTCODE, FULLCODE, MONTH, CASHLINE, then the sums) as the lines
// make them, and QVBnkTot's (BANKLINK, MONTH, ROWS, AMOUNT) as the bank rows make them.
QString lineTotalsOfLinesSql();
QString bankTotalsOfRowsSql();
// QVBnkBlk: the bank rows' ROWS and AMOUNT (whole cents) per BANKLINK and BLOCK, a block being
// the row ids sharing rowid >> kBankBlockBits. Its rows as the bank rows make them; the refill
// after anything that may number the rows again (compacting the store).
constexpr int kBankBlockBits = 12;
QString bankBlocksOfRowsSql();
void refillBankBlocks(sqlite3* db);
// False for the few tags of the large tables kept without an index of their own (nothing seeks
// or orders by them, or another index serves their seeks); the index rebuild skips them.
bool tagHasIndex(const TableDef& table, const char* tag);

}  // namespace store
