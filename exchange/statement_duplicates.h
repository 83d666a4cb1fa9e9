#pragma once
// Which statement lines the books already hold, so that a statement loaded twice imports nothing
// twice. A line is in the books when a line with its FITID (the bank's own id) was imported into
// the account and its bank row is still there; otherwise when the account holds an entry of the
// same date, amount in cents and description: a line imported before, as the file gave it
// (whatever was typed over its narrative on accepting), or a bank row entered by hand. Two equal
// lines of one statement are two transactions, so each booked entry answers for one line only.
// No widgets.

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "exchange/statement_formats.h"
#include "store/connection.h"

namespace exchange {

// "Add" on a line the books hold asks first.
inline const QString kImportAgainQuestion =
    QStringLiteral("This line is already in the books. Import it again?");

// An entry of the books a statement line can match.
struct BookedLine {
    QString fitid;  // empty for lines without one and for bank rows
    QDate date;
    qint64 cents = 0;
    QString narrative;
};

// For each line, whether the books hold it (a line that reads as nothing never is). FITIDs are
// matched first, then date, cents and description; a booked line with a FITID never answers for
// a line with another FITID.
std::vector<bool> matchBookedLines(const std::vector<std::optional<StatementLine>>& lines,
                                   const std::vector<BookedLine>& booked);

// How far from a statement's dates an imported line with the same FITID is still looked for. A
// bank may give a transaction a later date in a later download (a pending card payment posted
// days or weeks after, a cheque cleared late, a statement corrected), so its FITID is sought
// well beyond the file's dates. Three months either side is far longer than such delays, yet a
// book of many years reads only the statement's dates and those months of its imported lines.
inline constexpr int kFitidWindowDays = 90;

// What the account holds that the lines can match: the imported lines with a FITID, dated
// within kFitidWindowDays of the lines' dates, whose bank row is still there, and within the
// lines' dates the other imported lines and the bank rows not made from an imported line. Two
// queries on indexed columns, reading only the dates around the lines'.
std::vector<BookedLine> readBookedLines(store::Connection& connection, int coy,
                                        const QString& bankCode, const QString& acctNo,
                                        const QDate& from, const QDate& to);

// readBookedLines over the lines' dates, then matchBookedLines.
std::vector<bool> linesInBooks(store::Connection& connection, int coy, const QString& bankCode,
                               const QString& acctNo,
                               const std::vector<std::optional<StatementLine>>& lines);

// Keeps an accepted line as the file gave it with the key (BNKTRNLNK) of the bank row it became.
// A line of the same FITID, or an earlier line kept for the same bank row, is replaced. Inside
// the caller's transaction.
void recordImportedLine(store::Connection& connection, int coy, const QString& bankCode,
                        const QString& acctNo, const QString& bankRowKey,
                        const StatementLine& line);

}  // namespace exchange
