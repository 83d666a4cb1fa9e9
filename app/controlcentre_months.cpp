#include "app/controlcentre_months.h"

#include "store/format.h"
#include "store/query.h"

namespace app::controlcentre {

namespace {

QString monthKey(const QDate& month) { return month.toString(QStringLiteral("yyyy-MM")); }

}  // namespace

std::vector<QDate> monthsOf(const QDate& from, const QDate& to) {
    std::vector<QDate> out;
    if (!from.isValid() || !to.isValid() || from > to) return out;
    const QDate last(to.year(), to.month(), 1);
    for (QDate m(from.year(), from.month(), 1); m <= last; m = m.addMonths(1)) out.push_back(m);
    return out;
}

std::vector<MonthFigures> monthlyProfitAndLoss(const std::vector<LedgerAccountRef>& accounts,
                                               const std::vector<AccountMonthSum>& monthSums,
                                               const QDate& from, const QDate& to) {
    std::map<QString, int> timesListed;
    std::map<QString, bool> isIncome;
    for (const LedgerAccountRef& a : accounts) {
        ++timesListed[a.fullCode];
        isIncome[a.fullCode] = a.typeCode == QLatin1String("INC");
    }
    std::vector<MonthFigures> months;
    std::map<QDate, std::size_t> index;
    for (const QDate& m : monthsOf(from, to)) {
        index[m] = months.size();
        months.push_back({m});
    }
    for (const AccountMonthSum& s : monthSums) {
        const auto listed = timesListed.find(s.fullCode);
        const auto at = index.find(s.month);
        if (listed == timesListed.end() || at == index.end()) continue;
        MonthFigures& m = months[at->second];
        (isIncome[s.fullCode] ? m.income : m.expenditure) += s.sum * listed->second;
    }
    for (MonthFigures& m : months) {
        m.income = store::fmt::roundTo(m.income, 2);
        m.expenditure = store::fmt::roundTo(m.expenditure, 2);
    }
    return months;
}

std::map<QString, double> readBankMovements(store::Connection& c, int coy, const QDate& from,
                                            const QDate& to) {
    std::map<QString, double> out;
    if (!from.isValid() || !to.isValid()) return out;
    store::Query q(c);
    // A whole month is the bank totals' rows of that month; the month cut by the to-date and the
    // rest of it after the to-date are a seek into the (BANKLINK, TRANDATE, AMOUNT) index;
    // every month after that is the totals again. Grouping the rows by a month computed from
    // each would sort them all.
    q.setSql({"WITH RECURSIVE MONTHS(MSTART) AS (SELECT DATE(:BegDate, 'start of month')",
              "UNION ALL SELECT DATE(MSTART, '+1 month') FROM MONTHS",
              "WHERE DATE(MSTART, '+1 month') <= :EndDate),",
              "LINKS AS (SELECT BANKLINK FROM QVBNKACT WHERE COYCODE =:sCoyCode),",
              "SPANS(MONTH, LO, HI, WHOLE) AS (SELECT SUBSTR(MSTART, 1, 7), MSTART,",
              "MIN(DATE(MSTART, '+1 month', '-1 day'), :EndDate),",
              "DATE(MSTART, '+1 month', '-1 day') <= :EndDate FROM MONTHS",
              "UNION ALL SELECT 'after', DATE(:EndDate, '+1 day'),",
              "DATE(:EndDate, 'start of month', '+1 month', '-1 day'), 0",
              "UNION ALL SELECT 'after', NULL, NULL, 2)",
              "SELECT MONTH, CASE",
              "WHEN WHOLE = 1 THEN (SELECT TOTAL(M.AMOUNT) / 100.0 FROM QVBnkTot M",
              "WHERE M.BANKLINK IN (SELECT BANKLINK FROM LINKS) AND M.MONTH = SPANS.MONTH)",
              "WHEN WHOLE = 2 THEN (SELECT TOTAL(M.AMOUNT) / 100.0 FROM QVBnkTot M",
              "WHERE M.BANKLINK IN (SELECT BANKLINK FROM LINKS)",
              "AND M.MONTH > SUBSTR(:EndDate, 1, 7) AND M.MONTH <= '9999-12')",
              "ELSE (SELECT TOTAL(T.AMOUNT) FROM QVBNKTR T",
              "WHERE T.BANKLINK IN (SELECT BANKLINK FROM LINKS)",
              "AND T.TRANDATE BETWEEN LO AND HI) END AS TOTAL FROM SPANS"});
    q.bind(QStringLiteral("sCoyCode"), QString::number(coy));
    q.bind(QStringLiteral("BegDate"), from);
    q.bind(QStringLiteral("EndDate"), to);
    q.open();
    for (q.first(); !q.eof(); q.next()) out[q.text(QStringLiteral("MONTH"))] += q.number(1);
    return out;
}

void setBankTotals(std::vector<MonthFigures>& months, double currentTotal,
                   const std::map<QString, double>& movements) {
    const auto after = movements.find(kAfterRange);
    double total = currentTotal - (after == movements.end() ? 0.0 : after->second);
    for (auto m = months.rbegin(); m != months.rend(); ++m) {
        m->bankTotal = store::fmt::roundTo(total, 2);
        const auto moved = movements.find(monthKey(m->month));
        if (moved != movements.end()) total -= moved->second;
    }
}

}  // namespace app::controlcentre
