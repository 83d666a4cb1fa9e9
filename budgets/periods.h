#pragma once
// Budget periods: their lengths, how they follow one another from a budget's start, and the
// counting of months the account statistics divide by. No database, no widgets.

#include <QDate>
#include <QString>
#include <vector>

namespace budgets {

enum class PeriodLength { Monthly, Quarterly, SixMonthly, Yearly };

// Months per period: 1, 3, 6 or 12.
int monthsPer(PeriodLength length);
// Periods of one budget (or of one split with `split`): 12, 4, 2, 1; a split of monthly
// periods takes 6, of quarterly 2, of longer periods 1 (half a year each at most).
int periodCount(PeriodLength length, bool split = false);
// PERIODBRK is one character wide: "M", "Q", "6", and "Y" for twelve months.
QString periodCode(PeriodLength length);
PeriodLength periodLengthOf(const QString& code);

struct Period {
    QDate begin, end;
    bool operator==(const Period&) const = default;
};

// `count` periods from `start`: a period ends on the last day of the month `months - 1` after
// its start's month, and the next begins the day after. The start's day counts only for the
// first period.
std::vector<Period> followingPeriods(const QDate& start, PeriodLength length, int count);

// Calendar months from a's month to b's month, both counted (12 for 1 April to 31 March).
int monthsSpanned(const QDate& a, const QDate& b);
// The same day one year earlier; the last day of February stays the last day of February.
QDate yearEarlier(const QDate& date);

}  // namespace budgets
