#pragma once
// Tax periods: where a period ends, which period a return window proposes, and which periods
// already have a finalised return. No widgets here.

#include <QDate>
#include <QString>
#include <optional>

namespace store {
class Connection;
}

namespace tax {

struct TaxPeriod {
    QDate start;
    QDate end;
    bool contains(const QDate& d) const { return d >= start && d <= end; }
};

// The last day of the period of `months` months that starts in the month of `start` (only the
// start's month and year count): two-monthly from 1 November ends 31 December, from 1 December
// ends 31 January. Months below 1 count as 1.
QDate periodEnd(const QDate& start, int months);
// The first day of the month after `end`.
QDate nextPeriodStart(const QDate& end);
// The payment due date of a return: period end + 28 days.
QDate paymentDueDate(const QDate& end);

// The company's most recently stored return's period, if any.
std::optional<TaxPeriod> lastStoredPeriod(store::Connection& connection, int coy);
// The period a return window opens on: the one after the last stored return; with none, the
// period of `months` months that ended with the month before `today`.
TaxPeriod proposedPeriod(store::Connection& connection, int coy, int months, const QDate& today);

// A stored return of the company whose period holds the date.
std::optional<TaxPeriod> filedPeriodContaining(store::Connection& connection, int coy,
                                               const QDate& date);
// A stored return of the company whose period shares a day with the period.
std::optional<TaxPeriod> filedPeriodOverlapping(store::Connection& connection, int coy,
                                                const TaxPeriod& period);
// The question asked before saving anything dated inside a filed period, since no later return
// would ever count it.
QString filedPeriodQuestion(const TaxPeriod& filed);

}  // namespace tax
