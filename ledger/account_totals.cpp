#include "ledger/account_totals.h"

#include <optional>

#include "store/query.h"
#include "store/schema.h"

namespace ledger {
namespace {

QString isoText(const QDate& d) {
    return d.isValid() ? d.toString(Qt::ISODate) : QStringLiteral("");
}
QString monthOf(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM")); }
bool endsMonth(const QDate& d) { return d.day() == d.daysInMonth(); }
QDate monthStart(const QDate& d) { return QDate(d.year(), d.month(), 1); }
QDate monthEnd(const QDate& d) { return QDate(d.year(), d.month(), d.daysInMonth()); }

// The selection as SQL conditions on the lines (cash: no bank entry) or on the totals. A
// company alone is tested with a plus on the lines, keeping the engine on the date index:
// every line of a one-company book shares its COYCODE.
QStringList selectionSql(const LineSelection& which, bool onLines) {
    QStringList where;
    const bool narrowed = !which.acctCode.isEmpty() || !which.fullCode.isEmpty();
    if (!which.coy.isEmpty())
        where << (onLines && !narrowed ? QStringLiteral("+COYCODE = :coy")
                                       : QStringLiteral("COYCODE = :coy"));
    if (!which.acctCode.isEmpty()) where << QStringLiteral("ACCTCODE = :acct");
    if (!which.fullCode.isEmpty()) where << QStringLiteral("FULLCODE = :full");
    if (which.cashOnly)
        where << (onLines ? QStringLiteral("BNKLINKNO = '0-0-0'") : QStringLiteral("CASHLINE = 1"));
    return where;
}

void bindSelection(store::Query& q, const LineSelection& which) {
    if (!which.coy.isEmpty()) q.bind(QStringLiteral("coy"), which.coy);
    if (!which.acctCode.isEmpty()) q.bind(QStringLiteral("acct"), which.acctCode);
    if (!which.fullCode.isEmpty()) q.bind(QStringLiteral("full"), which.fullCode);
}

QString daysSql(const DateSpan::Piece& p) {
    return p.from.isNull() ? QStringLiteral("TRANDATE <= :dayTo")
                           : QStringLiteral("TRANDATE BETWEEN :dayFrom AND :dayTo");
}

void bindDays(store::Query& q, const DateSpan::Piece& p) {
    if (!p.from.isNull()) q.bind(QStringLiteral("dayFrom"), p.from);
    q.bind(QStringLiteral("dayTo"), p.to);
}

void bindMonths(store::Query& q, const DateSpan& span) {
    q.bind(QStringLiteral("monthFrom"), span.firstMonth());
    q.bind(QStringLiteral("monthTo"), span.lastMonth());
}

const char* const kMonthsSql = "MONTH BETWEEN :monthFrom AND :monthTo";

LineSums sumsRead(const store::Query& q, int first = 0) {
    auto at = [&](int i) { return q.value(first + i).toLongLong(); };
    return {at(0), at(1), at(2), at(3), at(4), at(5), at(6), at(7), at(8)};
}

}  // namespace

LineSums& LineSums::operator-=(const LineSums& o) {
    lines -= o.lines;
    amount -= o.amount;
    business -= o.business;
    tax -= o.tax;
    businessOfAmounts -= o.businessOfAmounts;
    taxOfAmounts -= o.taxOfAmounts;
    taxOfBusiness -= o.taxOfBusiness;
    taxOnIncome -= o.taxOnIncome;
    taxOnExpenses -= o.taxOnExpenses;
    return *this;
}

LineSums& LineSums::operator+=(const LineSums& o) {
    lines += o.lines;
    amount += o.amount;
    business += o.business;
    tax += o.tax;
    businessOfAmounts += o.businessOfAmounts;
    taxOfAmounts += o.taxOfAmounts;
    taxOfBusiness += o.taxOfBusiness;
    taxOnIncome += o.taxOnIncome;
    taxOnExpenses += o.taxOnExpenses;
    return *this;
}

void DateSpan::widenMonths(const DateSpan& other) {
    firstMonth_ = std::min(firstMonth_, other.firstMonth_);
    lastMonth_ = std::max(lastMonth_, other.lastMonth_);
}

DateSpan DateSpan::between(const QDate& from, const QDate& to) {
    DateSpan s;
    // Without both dates the lines decide alone, as the engine compares them.
    if (!from.isValid() || !to.isValid()) {
        s.days_.push_back({isoText(from), isoText(to)});
        return s;
    }
    if (from > to) return s;
    if (monthStart(from) == monthStart(to)) {
        // Within one month: its lines, or the month less the days either side when fewer.
        const int inside = from.daysTo(to) + 1;
        if (2 * inside <= from.daysInMonth()) {
            s.days_.push_back({isoText(from), isoText(to)});
            return s;
        }
        s.firstMonth_ = s.lastMonth_ = monthOf(from);
        if (from.day() != 1)
            s.days_.push_back({isoText(monthStart(from)), isoText(from.addDays(-1)), -1});
        if (!endsMonth(to)) s.days_.push_back({isoText(to.addDays(1)), isoText(monthEnd(to)), -1});
        return s;
    }
    QDate firstMonth = monthStart(from), lastMonth = monthStart(to);
    if (from.day() != 1) {
        const int outside = from.day() - 1;
        if (2 * outside < from.daysInMonth()) {
            s.days_.push_back({isoText(monthStart(from)), isoText(from.addDays(-1)), -1});
        } else {
            s.days_.push_back({isoText(from), isoText(monthEnd(from))});
            firstMonth = firstMonth.addMonths(1);
        }
    }
    s.addEnd(to, lastMonth);
    if (firstMonth <= lastMonth) {
        s.firstMonth_ = monthOf(firstMonth);
        s.lastMonth_ = monthOf(lastMonth);
    }
    return s;
}

// The days of the span's last month: the month whole less the days after `to` when they are
// fewer than the days up to it, else the days up to it (and the month left to the lines).
void DateSpan::addEnd(const QDate& to, QDate& lastMonth) {
    if (endsMonth(to)) return;
    const int outside = to.daysInMonth() - to.day();
    if (2 * outside < to.daysInMonth()) {
        days_.push_back({isoText(to.addDays(1)), isoText(monthEnd(to)), -1});
    } else {
        days_.push_back({isoText(monthStart(to)), isoText(to)});
        lastMonth = lastMonth.addMonths(-1);
    }
}

DateSpan DateSpan::upTo(const QDate& to) {
    DateSpan s;
    if (!to.isValid()) {
        s.days_.push_back({QString(), QStringLiteral("")});
        return s;
    }
    // Undated lines have the month "", before every other.
    QDate lastMonth = monthStart(to);
    s.addEnd(to, lastMonth);
    s.firstMonth_ = QStringLiteral("");
    s.lastMonth_ = monthOf(lastMonth);
    return s;
}

DateSpan DateSpan::before(const QDate& from) {
    if (!from.isValid()) return {};  // nothing is before the empty date
    return upTo(from.addDays(-1));
}

namespace {

// The sums of the lines of one range of days.
LineSums daySums(store::Connection& c, const LineSelection& which, const DateSpan::Piece& p) {
    store::Query q(c);
    q.setSql(QStringList{"SELECT " + store::lineSumsOfLinesSql(), "FROM QVACTTR",
                         "WHERE " + (selectionSql(which, true) << daysSql(p)).join(" AND ")});
    bindSelection(q, which);
    bindDays(q, p);
    q.open();
    return sumsRead(q);
}

void addDays(store::Connection& c, const LineSelection& which, const DateSpan& span,
             LineSums& out) {
    for (const DateSpan::Piece& p : span.dayPieces()) {
        if (p.sign < 0)
            out -= daySums(c, which, p);
        else
            out += daySums(c, which, p);
    }
}

}  // namespace

LineSums lineSums(store::Connection& c, const LineSelection& which, const DateSpan& span) {
    LineSums out;
    if (span.hasWholeMonths()) {
        store::Query q(c);
        q.setSql(QStringList{"SELECT " + store::lineSumsOfTotalsSql(), "FROM QVActTot",
                             "WHERE " + (selectionSql(which, false) << kMonthsSql).join(" AND ")});
        bindSelection(q, which);
        bindMonths(q, span);
        q.open();
        out += sumsRead(q);
    }
    addDays(c, which, span, out);
    return out;
}

std::vector<LineSums> lineSumsOfSpans(store::Connection& c, const LineSelection& which,
                                      const std::vector<DateSpan>& spans) {
    // The months any span reads whole, read once and grouped by month.
    std::optional<DateSpan> months;
    for (const DateSpan& span : spans) {
        if (!span.hasWholeMonths()) continue;
        if (!months) months = span;
        months->widenMonths(span);
    }
    std::map<QString, LineSums> byMonth;
    if (months) {
        store::Query q(c);
        q.setSql(QStringList{"SELECT MONTH, " + store::lineSumsOfTotalsSql(), "FROM QVActTot",
                             "WHERE " + (selectionSql(which, false) << kMonthsSql).join(" AND "),
                             "GROUP BY MONTH"});
        bindSelection(q, which);
        bindMonths(q, *months);
        for (q.open(); !q.eof(); q.next())
            byMonth[q.text(QStringLiteral("MONTH"))] = sumsRead(q, 1);
    }
    std::vector<LineSums> out;
    for (const DateSpan& span : spans) {
        LineSums sums;
        if (span.hasWholeMonths())
            for (auto m = byMonth.lower_bound(span.firstMonth());
                 m != byMonth.end() && m->first <= span.lastMonth(); ++m)
                sums += m->second;
        addDays(c, which, span, sums);
        out.push_back(sums);
    }
    return out;
}

AccountSums lineSumsByAccount(store::Connection& c, const LineSelection& which,
                              const DateSpan& span) {
    AccountSums out;
    auto add = [&](store::Query& q, int sign = 1) {
        for (q.open(); !q.eof(); q.next()) {
            LineSums& sums = out[q.text(QStringLiteral("ACCTCODE"))];
            if (sign < 0)
                sums -= sumsRead(q, 1);
            else
                sums += sumsRead(q, 1);
        }
    };
    if (span.hasWholeMonths()) {
        store::Query q(c);
        q.setSql(QStringList{"SELECT ACCTCODE, " + store::lineSumsOfTotalsSql(), "FROM QVActTot",
                             "WHERE " + (selectionSql(which, false) << kMonthsSql).join(" AND "),
                             "GROUP BY ACCTCODE"});
        bindSelection(q, which);
        bindMonths(q, span);
        add(q);
    }
    for (const DateSpan::Piece& p : span.dayPieces()) {
        store::Query q(c);
        q.setSql(QStringList{"SELECT ACCTCODE, " + store::lineSumsOfLinesSql(), "FROM QVACTTR",
                             "WHERE " + (selectionSql(which, true) << daysSql(p)).join(" AND "),
                             "GROUP BY ACCTCODE"});
        bindSelection(q, which);
        bindDays(q, p);
        add(q, p.sign);
    }
    // An account whose days taken away were all its lines has none left.
    std::erase_if(out, [](const auto& entry) { return entry.second == LineSums{}; });
    return out;
}

LineSums sumsOf(const AccountSums& sums, const QString& acctCode) {
    const auto found = sums.find(acctCode);
    return found == sums.end() ? LineSums{} : found->second;
}

LineSums allOf(const AccountSums& sums) {
    LineSums out;
    for (const auto& [code, s] : sums) out += s;
    return out;
}

qint64 bankRowSum(store::Connection& c, const QString& linkFrom, const QString& linkBefore,
                  const DateSpan& span) {
    const bool one = linkBefore.isNull();
    const QString links = one ? QStringLiteral("BANKLINK = :linkFrom")
                              : QStringLiteral("BANKLINK >= :linkFrom AND BANKLINK < :linkBefore");
    auto bindLinks = [&](store::Query& q) {
        q.bind(QStringLiteral("linkFrom"), linkFrom);
        if (!one) q.bind(QStringLiteral("linkBefore"), linkBefore);
    };
    qint64 sum = 0;
    if (span.hasWholeMonths()) {
        store::Query q(c);
        q.setSql(QStringList{"SELECT SUM(AMOUNT) FROM QVBnkTot", "WHERE " + links,
                             QStringLiteral("AND ") + kMonthsSql});
        bindLinks(q);
        bindMonths(q, span);
        q.open();
        sum += q.value(0).toLongLong();
    }
    for (const DateSpan::Piece& p : span.dayPieces()) {
        store::Query q(c);
        q.setSql(QStringList{"SELECT SUM(CAST(ROUND(AMOUNT * 100) AS INTEGER)) FROM QVBNKTR",
                             "WHERE " + links, "AND " + daysSql(p)});
        bindLinks(q);
        bindDays(q, p);
        q.open();
        sum += p.sign * q.value(0).toLongLong();
    }
    return sum;
}

qint64 bankRowSum(store::Connection& c, const QString& bankLink, const DateSpan& span) {
    return bankRowSum(c, bankLink, QString(), span);
}

namespace {

// The rows of one side missing from the other, each as a text naming its key and sums.
QStringList rowsOnlyIn(store::Connection& c, const QString& side, const QString& other,
                       const QString& label) {
    store::Query q(c);
    q.setSql(QStringLiteral("SELECT * FROM (%1) EXCEPT SELECT * FROM (%2)").arg(side, other));
    q.open();
    QStringList out;
    for (; !q.eof(); q.next()) {
        QStringList values;
        for (int i = 0; i < q.fieldCount(); ++i) values << q.value(i).toString();
        out << label + values.join(QLatin1Char('|'));
    }
    return out;
}

}  // namespace

QStringList totalsDifferences(store::Connection& c) {
    // Rows brought to nothing by deletes stay behind until the next rebuild; they hold no sums.
    const QString lineTotals = QStringLiteral(
        "SELECT COYCODE, ACCTCODE, FULLCODE, MONTH, CASHLINE, LINES, AMOUNT, BUSAMT, GSTAMT, "
        "BUSAMTNZ, GSTAMTNZ, GSTBUSNZ, GSTINC, GSTEXP FROM QVActTot WHERE LINES <> 0 OR AMOUNT "
        "<> 0 OR BUSAMT <> 0 OR GSTAMT <> 0 OR BUSAMTNZ <> 0 OR GSTAMTNZ <> 0 OR GSTBUSNZ <> 0 "
        "OR GSTINC <> 0 OR GSTEXP <> 0");
    const QString bankTotals = QStringLiteral(
        "SELECT BANKLINK, MONTH, ROWS, AMOUNT FROM QVBnkTot WHERE ROWS <> 0 OR AMOUNT <> 0");
    const QString bankBlocks = QStringLiteral(
        "SELECT BANKLINK, BLOCK, ROWS, AMOUNT FROM QVBnkBlk WHERE ROWS <> 0 OR AMOUNT <> 0");
    const QString lines = store::lineTotalsOfLinesSql(), rows = store::bankTotalsOfRowsSql(),
                  blocks = store::bankBlocksOfRowsSql();
    return rowsOnlyIn(c, lineTotals, lines, QStringLiteral("account totals not in the lines: ")) +
           rowsOnlyIn(c, lines, lineTotals, QStringLiteral("lines not in the account totals: ")) +
           rowsOnlyIn(c, bankTotals, rows, QStringLiteral("bank totals not in the rows: ")) +
           rowsOnlyIn(c, rows, bankTotals, QStringLiteral("bank rows not in the bank totals: ")) +
           rowsOnlyIn(c, bankBlocks, blocks, QStringLiteral("bank blocks not in the rows: ")) +
           rowsOnlyIn(c, blocks, bankBlocks, QStringLiteral("bank rows not in the blocks: "));
}

}  // namespace ledger
