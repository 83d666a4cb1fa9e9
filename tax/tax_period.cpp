#include "tax/tax_period.h"

#include <algorithm>

#include "store/format.h"
#include "store/query.h"

namespace tax {

QDate periodEnd(const QDate& start, int months) {
    const QDate first(start.year(), start.month(), 1);
    const QDate lastMonth = first.addMonths(std::max(months, 1) - 1);
    return QDate(lastMonth.year(), lastMonth.month(), lastMonth.daysInMonth());
}

QDate nextPeriodStart(const QDate& end) {
    const QDate next = QDate(end.year(), end.month(), 1).addMonths(1);
    return next;
}

QDate paymentDueDate(const QDate& end) { return end.addDays(28); }

namespace {

std::optional<TaxPeriod> periodOfFirstRow(store::Query& q) {
    q.open();
    if (q.eof()) return std::nullopt;
    return TaxPeriod{q.date("GSTBEGDATE"), q.date("GSTENDDATE")};
}

}  // namespace

std::optional<TaxPeriod> lastStoredPeriod(store::Connection& connection, int coy) {
    // Returns of a company follow in the order they were added: the last row is the newest.
    store::Query q(connection);
    q.setSql({"SELECT GSTBEGDATE, GSTENDDATE FROM QVGst", "WHERE COYNO =:iCoyCode",
              "ORDER BY rowid DESC LIMIT 1"});
    q.bind("iCoyCode", coy);
    return periodOfFirstRow(q);
}

TaxPeriod proposedPeriod(store::Connection& connection, int coy, int months, const QDate& today) {
    QDate start;
    if (const auto last = lastStoredPeriod(connection, coy); last && last->end.isValid())
        start = nextPeriodStart(last->end);
    else
        start = QDate(today.year(), today.month(), 1).addMonths(-std::max(months, 1));
    return {start, periodEnd(start, months)};
}

std::optional<TaxPeriod> filedPeriodContaining(store::Connection& connection, int coy,
                                               const QDate& date) {
    return filedPeriodOverlapping(connection, coy, {date, date});
}

std::optional<TaxPeriod> filedPeriodOverlapping(store::Connection& connection, int coy,
                                                const TaxPeriod& period) {
    store::Query q(connection);
    q.setSql({"SELECT GSTBEGDATE, GSTENDDATE FROM QVGst", "WHERE COYNO =:iCoyCode",
              "AND GSTBEGDATE <=:EndDate", "AND GSTENDDATE >=:StartDate", "ORDER BY rowid",
              "LIMIT 1"});
    q.bind("iCoyCode", coy);
    q.bind("StartDate", period.start);
    q.bind("EndDate", period.end);
    return periodOfFirstRow(q);
}

QString filedPeriodQuestion(const TaxPeriod& filed) {
    return QStringLiteral(
               "This date falls in a tax period already filed (%1 - %2). It will not "
               "be counted in any return. Save anyway?")
        .arg(store::fmt::shortDate(filed.start), store::fmt::shortDate(filed.end));
}

}  // namespace tax
