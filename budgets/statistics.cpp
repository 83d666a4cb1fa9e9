#include "budgets/statistics.h"

#include "budgets/periods.h"
#include "ledger/account_totals.h"
#include "store/connection.h"
#include "store/format.h"

namespace budgets {
namespace {

using store::fmt::roundTo;

double averageOver(double total, const QDate& from, const QDate& to) {
    const int months = monthsSpanned(from, to);
    return months > 0 ? roundTo(total / months, 2) : 0;
}

}  // namespace

StatisticsDates defaultStatisticsDates(const QDate& today) {
    StatisticsDates d;
    d.currentFrom = store::fmt::financialYearStart(today);
    d.currentTo = d.currentFrom.addDays(364);
    d.previousFrom = d.currentFrom.addDays(-365);
    d.previousTo = d.currentFrom.addDays(-1);
    return d;
}

bool AccountStatistics::hasHistory() const {
    return store::fmt::cents(monthlyAverage) != 0 || store::fmt::cents(monthlyAverageToDate) != 0;
}

double journalTotal(store::Connection& connection, const QString& fullCode, const QDate& from,
                    const QDate& to) {
    const ledger::LineSelection account{QString(), QString(), fullCode, false};
    return ledger::moneyOf(
        ledger::lineSums(connection, account, ledger::DateSpan::between(from, to)).amount);
}

AccountStatistics accountStatistics(store::Connection& connection, const QString& fullCode,
                                    const StatisticsDates& d) {
    AccountStatistics s;
    s.transactionTotal = journalTotal(connection, fullCode, d.currentFrom, d.currentTo);
    s.previousYearTotal = journalTotal(connection, fullCode, d.previousFrom, d.previousTo);
    s.monthlyAverageToDate = averageOver(s.transactionTotal, d.currentFrom, d.currentTo);
    s.monthlyAverage = averageOver(s.previousYearTotal, d.previousFrom, d.previousTo);
    return s;
}

}  // namespace budgets
