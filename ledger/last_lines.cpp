#include "ledger/last_lines.h"

#include <set>

#include "store/query.h"

namespace ledger {
namespace {

struct LastLine {
    qint64 rowId = 0;
    double amount = 0;
};

// Walks the range's lines from its last date back, date by date, until every wanted account
// has its last line or the walk reaches its limit. Within one date the index keeps an
// account's lines together, so the highest rowid among them is the last written.
std::map<QString, double> walkBack(store::Connection& c, const QString& coy, const QDate& from,
                                   const QDate& to, int walkLimit, std::set<QString>& missing) {
    std::map<QString, double> found;
    std::map<QString, LastLine> today;  // the lines of the date being read
    QString date;
    auto closeDate = [&] {
        for (const auto& [acct, line] : today)
            if (missing.erase(acct) > 0) found[acct] = line.amount;
        today.clear();
    };
    store::Query q(c);
    q.setSql({"SELECT TRANDATE, ACCTCODE, rowid, AMOUNT FROM QVACTTR INDEXED BY QVActTr_DAYS",
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
        LastLine& last = today[q.value(1).toString()];
        const qint64 rowId = q.value(2).toLongLong();
        if (rowId > last.rowId) last = {rowId, q.number(3)};
    }
    if (q.eof()) closeDate();
    return found;
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
