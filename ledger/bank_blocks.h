#pragma once
// A bank account's rows in append order, counted, found by position and summed from the
// totals per bank account and block of row ids (QVBnkBlk): a few blocks are added up and one
// partial block is read, so an answer costs the same on an account of a million rows as on one
// of a thousand, and gives the same cents as summing the rows.

#include <QString>

#include "ui/lazymodel.h"

namespace store {
class Connection;
}

namespace ledger {

// The rows of the account (BANKLINK as the rows store it).
qint64 bankRowCount(store::Connection& c, const QString& bankLink);
// The row id of the row at a zero-based position in append order; 0 past the end.
qint64 bankRowIdAt(store::Connection& c, const QString& bankLink, qint64 position);
// The account's rows before the row id (the zero-based position of that row).
qint64 bankRowsBefore(store::Connection& c, const QString& bankLink, qint64 rowId);
// AMOUNT in cents summed over the account's rows after the row id.
qint64 bankAmountAfter(store::Connection& c, const QString& bankLink, qint64 rowId);

// The four answers for a grid of the account's rows in append order with a running balance of
// AMOUNT; the connection must outlive the grid.
ui::RowBlocks bankRowBlocks(store::Connection& c, const QString& bankLink);

}  // namespace ledger
