#pragma once
// The line formats of the banks' statement files. Each format is a pure function from one line
// of the file to the fields it fills (amount, date, narrative, a cheque's number); a line that
// does not match its format fills nothing. No widgets and no store, so the parsers can be fuzzed
// on their own.

#include <QDate>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace exchange {

// What one statement line fills.
struct StatementLine {
    qint64 cents = 0;  // signed: money out is negative
    QDate date;
    QString narrative;
    QString reference;    // the cheque's number as the file gives it (cheque lines only)
    bool cheque = false;  // the line is a cheque: type Cheque/Payment
    QString fitid;        // the bank's own id of the transaction (OFX FITID); empty when none

    double amount() const { return double(cents) / 100.0; }
};

// What a format may need beyond the line: BNZ lines name their account, and only lines of the
// account chosen in the window (bank code + "-" + account number) are read.
struct LineContext {
    QString account;
};

using LineParser = std::optional<StatementLine> (*)(QStringView line, const LineContext& context);

// One entry of the "Select your bank :" list.
struct StatementFormat {
    QString name;  // as the list shows it
    LineParser parse = nullptr;
    bool carriesChequeNumbers = false;  // its cheque lines bring their own number
};

// Every format, in the order of the list. A new format joins by adding its entry here.
const std::vector<StatementFormat>& statementFormats();
// The format of this name, or nullptr.
const StatementFormat* findStatementFormat(const QString& name);

// The seven formats.
std::optional<StatementLine> parseAnzLine(QStringView line, const LineContext& context);
std::optional<StatementLine> parseBnzLine(QStringView line, const LineContext& context);
std::optional<StatementLine> parseWestpacLine(QStringView line, const LineContext& context);
std::optional<StatementLine> parseAsbLine(QStringView line, const LineContext& context);
std::optional<StatementLine> parseTsbLine(QStringView line, const LineContext& context);
std::optional<StatementLine> parseKiwiBankLine(QStringView line, const LineContext& context);
std::optional<StatementLine> parseNationalBankLine(QStringView line, const LineContext& context);

// --- The pieces the formats are made of ---------------------------------------------------

// One field of a line: its text (a quoted field without its quotes, "" inside read as ") and
// where it began, so that a format can take "the rest of the line" from it.
struct LineField {
    QString text;
    qsizetype start = 0;
};
// Splits at commas; a field that begins with a double quote runs to its closing quote, commas
// and all.
std::vector<LineField> splitLineFields(QStringView line);

// A decimal amount with an optional sign ("-50.00", "+7", ".5", " 12.345 "), rounded once to
// cents, half away from zero. Nothing for anything else or beyond 13 whole digits.
std::optional<qint64> statementCents(QStringView text);
// Day, month and year as numbers; a two-digit year is in 2000-2099.
QDate statementDate(int day, int month, int year);
// "15/03/2011" or "15/03/11" (day/month/year).
QDate dayMonthYearDate(QStringView text);
// "2011/03/15" (year/month/day).
QDate yearMonthDayDate(QStringView text);
// "05-Mar-11" (TSB) or "05 MAR 2011" (KiwiBank): the month's English short name, with the
// separator and letter case the bank uses.
QDate namedMonthDate(QStringView text, QChar separator, bool upperCase);

}  // namespace exchange
