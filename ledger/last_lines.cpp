#include "ledger/last_lines.h"

#include <QStringList>
#include <algorithm>
#include <set>

#include "store/query.h"

namespace ledger {
namespace {

// The walk reads the date index alone; the amounts of the last lines are read after, in one
// pass over their row ids (whole numbers, written into the statement).
std::map<QString, double> amountsOfRows(store::Connection& c,
                                        const std::map<QString, qint64>& rowIds) {
    std::map<QString, double> out;
    if (rowIds.empty()) return out;
    std::map<qint64, QString> accountOfRow;
    QStringList ids;
    for (const auto& [acct, rowId] : rowIds) {
        accountOfRow[rowId] = acct;
        ids << QString::number(rowId);
    }
    store::Query q(c);
    q.setSql(QStringLiteral("SELECT rowid, AMOUNT FROM QVACTTR WHERE rowid IN (%1)")
                 .arg(ids.join(QLatin1Char(','))));
    for (q.open(); !q.eof(); q.next()) out[accountOfRow[q.value(0).toLongLong()]] = q.number(1);
    return out;
}

std::map<QString, double> walkBack(store::Connection& c, const QString& coy, const QDate& from,
                                   const QDate& to, int walkLimit, std::set<QString>& missing) {
    std::map<QString, qint64> found;
    std::map<QString, qint64> today;  // the last line of each account on the date being read
    QString date;
    auto closeDate = [&] {
        for (const auto& [acct, rowId] : today)
            if (missing.erase(acct) > 0) found[acct] = rowId;
        today.clear();
    };
    store::Query q(c);
    q.setSql({"SELECT TRANDATE, ACCTCODE, rowid FROM QVACTTR INDEXED BY QVActTr_DATES",
              "WHERE TRANDATE BETWEEN :StartDate AND :EndDate AND COYCODE =:sCoyCode",
              "ORDER BY TRANDATE DESC"});
    q.bind(QStringLiteral("StartDate"), from);
    q.bind(QStringLiteral("EndDate"), to);
    q.bind(QStringLiteral("sCoyCode"), coy);
    int read = 0;
    for (q.open(); !q.eof() && !missing.empty(); q.next()) {
        const QString lineDate = q.value(0).toString();
        if (lineDate != date) {
            closeDate();
            if (missing.empty() || read >= walkLimit) break;
            date = lineDate;
        }
        ++read;
        qint64& last = today[q.value(1).toString()];
        last = std::max(last, q.value(2).toLongLong());
    }
    if (q.eof()) closeDate();
    return amountsOfRows(c, found);
}

}  // namespace

std::optional<double> lastLineAmount(store::Connection& c, const QString& coy,
                                     const QString& acctCode, const QDate& from, const QDate& to) {
    store::Query last(c);
    last.setSql({"SELECT AMOUNT FROM QVACTTR A", "WHERE A.COYCODE =:iCoyCode",
                 "AND A.ACCTCODE =:sAcctCode", "AND (A.TRANDATE BETWEEN :StartDate AND :EndDate)",
                 "ORDER BY A.TRANDATE DESC, A.rowid DESC LIMIT 1"});
    last.bind(QStringLiteral("iCoyCode"), coy);
    last.bind(QStringLiteral("sAcctCode"), acctCode);
    last.bind(QStringLiteral("StartDate"), from);
    last.bind(QStringLiteral("EndDate"), to);
    last.open();
    if (last.eof()) return std::nullopt;
    return last.number(0);
}

std::map<QString, double> lastLineAmounts(store::Connection& c, const QString& coy,
                                          const QDate& from, const QDate& to,
                                          const AccountSums& period, int walkLimit) {
    std::set<QString> missing;
    for (const auto& [acct, sums] : period)
        if (sums.lines != 0) missing.insert(acct);
    std::map<QString, double> out;
    // Without both dates the range is the engine's comparison of texts: seek each account.
    if (from.isValid() && to.isValid()) out = walkBack(c, coy, from, to, walkLimit, missing);
    for (const QString& acct : missing)
        if (const std::optional<double> amount = lastLineAmount(c, coy, acct, from, to))
            out[acct] = *amount;
    return out;
}

}  // namespace ledger
