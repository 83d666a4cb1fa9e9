#include "budgets/statistics.h"

#include "budgets/periods.h"
#include "store/connection.h"
#include "store/format.h"
#include "store/query.h"

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
    store::Query q(connection);
    q.setSql({"SELECT SUM(AMOUNT), SUM(BUSAMT) FROM QVACTTR", "WHERE FULLCODE =:sFullCode",
              "AND (TRANDATE BETWEEN :StartDate AND :EndDate)"});
    q.bind("sFullCode", fullCode);
    q.bind("StartDate", from);
    q.bind("EndDate", to);
    q.open();
    return q.eof() ? 0 : roundTo(q.number(0), 2);
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
