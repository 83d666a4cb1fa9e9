#pragma once
// Reading a bank's CSV statement of any layout: the text split into records as RFC 4180 has
// them (a quoted field may hold the delimiter, doubled quotes and line breaks), then each record
// read through the account's column layout into a statement line. No widgets and no store, so
// the reader can be fuzzed on its own.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

#include "exchange/csv_mapping.h"
#include "exchange/statement_formats.h"

namespace exchange {

// The records of the text, each a list of its fields, at most `maxRecords` of them (-1: all).
// Lines end with CR LF, LF or CR; a line break inside quotes belongs to its field.
std::vector<QStringList> csvRecords(QStringView text, QChar delimiter, int maxRecords = -1);

// An amount as banks write it in CSV: "-1,234.56", "$12.50", "(12.50)" and "12.50-" for money
// out, "1.234,56" with a decimal comma; rounded once to cents, half away from zero. Nothing for
// anything else.
std::optional<qint64> csvCents(QStringView text, bool decimalComma);
// A date in the layout's format (Qt's "dd/MM/yyyy", "d MMM yy", "yyyy-MM-dd" ...); a two-digit
// year is in 2000-2099.
QDate csvDate(QStringView text, const QString& format);

// One record after the header lines.
struct CsvRow {
    int record = 0;  // 1-based, counting the header lines
    QStringList fields;
    std::optional<StatementLine> line;
    QString problem;  // why the record gives no line; empty for a blank record or a line
    bool blank() const { return !line && problem.isEmpty(); }
};
CsvRow readCsvRecord(const QStringList& fields, const CsvMapping& mapping);

// Every record after the header lines (at most `maxRows`, -1: all), blank ones left out.
std::vector<CsvRow> readCsvStatement(QStringView text, const CsvMapping& mapping, int maxRows = -1);

}  // namespace exchange
