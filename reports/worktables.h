#pragma once
// The cross-tab reports' work tables: a run's header and rows are written under a fresh run
// key in one transaction, the report reads the rows of that key back, and after the run the
// header table and the row tables are emptied when no one else has them open.

#include <QString>
#include <QStringList>
#include <vector>

#include "reports/crosstab.h"

namespace store {
class Connection;
}

namespace reports {

// A fresh run key of five letters and digits that no header of the table holds.
QString newRunKey(store::Connection& connection, const QString& headerTable);

// Appends the header and one row per account (LINENO in order, ACCTKEY = key + "-" + code,
// the figures into the layout's fields) in one transaction; returns the run key.
QString writeCrossTabRun(store::Connection& connection, const CrossTabLayout& layout,
                         const CrossTabHeader& header, const std::vector<CrossTabRow>& rows);

// The run of this key as the report prints it: each group's rows ordered by ACCTCODE, then
// the totals. found is false, and no row is read, when no header holds the key.
CrossTab readCrossTabRun(store::Connection& connection, const CrossTabLayout& layout,
                         const QString& key);

// Empties the tables (all of them or none) when each can be opened exclusively; false when one
// is in use, leaving them all as they are.
bool emptyWorkTables(store::Connection& connection, const QStringList& tables);

}  // namespace reports
