#pragma once
// Sums of journal lines and bank rows over a date range, read from the totals per account and
// month (QVActTot, QVBnkTot) for the whole months of the range and from the lines themselves
// for the days at either end, so a report adds up a few rows per account instead of every
// line, and gets the same cents as summing the lines.

#include <QDate>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace store {
class Connection;
}

namespace ledger {

// Journal line sums, in cents.
struct LineSums {
    qint64 lines = 0;
    qint64 amount = 0;             // AMOUNT
    qint64 business = 0;           // BUSAMT
    qint64 tax = 0;                // GSTAMT
    qint64 businessOfAmounts = 0;  // BUSAMT of the lines whose AMOUNT is not 0
    qint64 taxOfAmounts = 0;       // GSTAMT of the lines whose AMOUNT is not 0
    qint64 taxOfBusiness = 0;      // GSTAMT of the lines whose BUSAMT is not 0
    qint64 taxOnIncome = 0;        // GSTAMT of TRANTYPE 'I' lines
    qint64 taxOnExpenses = 0;      // GSTAMT of TRANTYPE 'E' lines
    LineSums& operator+=(const LineSums& other);
    LineSums& operator-=(const LineSums& other);
    bool operator==(const LineSums&) const = default;
};

// Which lines: a company's (COYCODE), narrowed to one account (ACCTCODE) or one FULLCODE, and
// to the cash journal (lines of no bank entry).
struct LineSelection {
    QString coy;
    QString acctCode;  // empty: every account
    QString fullCode;  // empty: any
    bool cashOnly = false;
};

// A range of TRANDATE, as the reports state it.
class DateSpan {
public:
    static DateSpan between(const QDate& from, const QDate& to);  // from <= TRANDATE <= to
    static DateSpan upTo(const QDate& to);                        // TRANDATE <= to, undated too
    static DateSpan before(const QDate& from);                    // TRANDATE < from, undated too

    // The span cut at month edges: whole months [firstMonth, lastMonth] ("YYYY-MM", the first
    // "" when open) read from the totals, and ranges of days read from the lines. A month the
    // span covers for the most part is read whole and the days it leaves out taken away, so no
    // more than half a month of lines is read at either end.
    struct Piece {
        QString from, to;  // ISO texts, both inclusive; a null from is open
        int sign = 1;      // -1: days of a month read whole that the span leaves out
    };
    bool hasWholeMonths() const { return !firstMonth_.isNull(); }
    const QString& firstMonth() const { return firstMonth_; }
    const QString& lastMonth() const { return lastMonth_; }
    const std::vector<Piece>& dayPieces() const { return days_; }
    // Stretches the whole months to cover the other span's too (both must have some).
    void widenMonths(const DateSpan& other);

private:
    void addEnd(const QDate& to, QDate& lastMonth);
    QString firstMonth_, lastMonth_;
    std::vector<Piece> days_;
};

// Cents as the amount they stand for (the double nearest the decimal amount).
inline double moneyOf(qint64 cents) { return double(cents) / 100.0; }

LineSums lineSums(store::Connection& c, const LineSelection& which, const DateSpan& span);
// The sums of each span, in order: the totals of the months the spans read whole are read
// once, so many spans over a year (a report's months and its year) cost one read of them.
std::vector<LineSums> lineSumsOfSpans(store::Connection& c, const LineSelection& which,
                                      const std::vector<DateSpan>& spans);
// The same sums for every account (ACCTCODE) of the selection at once: a report over many
// accounts reads a few rows instead of asking once per account. Accounts without lines are
// missing; use sumsOf.
using AccountSums = std::map<QString, LineSums>;
AccountSums lineSumsByAccount(store::Connection& c, const LineSelection& which,
                              const DateSpan& span);
LineSums sumsOf(const AccountSums& sums, const QString& acctCode);
// Every account's sums added up.
LineSums allOf(const AccountSums& sums);

// The sum in cents of the bank rows of one account (BANKLINK), or of every account whose
// BANKLINK lies in [linkFrom, linkBefore).
qint64 bankRowSum(store::Connection& c, const QString& bankLink, const DateSpan& span);
qint64 bankRowSum(store::Connection& c, const QString& linkFrom, const QString& linkBefore,
                  const DateSpan& span);

// Where the totals differ from the lines and rows they are made from, one text per totals
// row that differs; empty when they agree.
QStringList totalsDifferences(store::Connection& c);

}  // namespace ledger
