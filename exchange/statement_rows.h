#pragma once
// The rows the import window shows for a statement read whole (OFX/QFX, CSV): one per
// transaction, its date, amount, narrative and the rest in words, and the statement line it
// gives; a CSV record that gives none shows why. No widgets.

#include <QString>
#include <optional>
#include <vector>

#include "exchange/csv_statement.h"
#include "exchange/ofx_statement.h"

namespace exchange {

struct StatementRow {
    QString shown;
    std::optional<StatementLine> line;
};

struct StatementRows {
    std::vector<StatementRow> rows;
    QString account;  // the account the file names (OFX), empty when it names none
    QString problem;  // why nothing can be imported; empty when the file was read
    bool ok() const { return problem.isEmpty(); }
};

// "02/03/2026  -86.40  COUNTDOWN PONSONBY  EFTPOS 1234  Ref 000214".
QString shownStatementLine(const StatementLine& line, const QString& memo = {});

StatementRows rowsOfOfx(const OfxStatement& statement);
StatementRows rowsOfCsv(const std::vector<CsvRow>& rows);
// The CSV file at `path` read through the layout.
StatementRows readCsvStatementRows(const QString& path, const CsvMapping& mapping);

}  // namespace exchange
