#include "ledger/last_lines.h"

#include <QStringList>
#include <algorithm>
#include <set>

#include "store/query.h"

namespace ledger {
namespace {

// A line the walk found last for its account.
struct FoundLine {
    QString date;
    qint64 rowId = 0;
};

// The amounts of the found lines from the index by account and date, which holds them: a few
// hundred lines scattered over the table would each cost a read of the table when cold. The
// account's FULLCODE comes from its record; a line whose FULLCODE differs is not met here.
std::map<QString, double> amountsFromIndex(store::Connection& c, const QString& coy,
                                           const std::map<QString, FoundLine>& lines) {
    QStringList values;
    for (size_t i = 0; i < lines.size(); ++i) values << QStringLiteral("(:a%1, :d%1, :r%1)").arg(i);
    store::Query q(c);
    q.setSql({"WITH F(ACCT, D, R) AS (VALUES " + values.join(QLatin1Char(',')) + ")",
              "SELECT F.ACCT, T.AMOUNT FROM F",
              "JOIN QVACCDET A ON A.COYCODE = :sCoyCode AND A.ACCTCODE = F.ACCT",
              "JOIN QVACTTR T INDEXED BY QVActTr_FULLCODE_AMOUNT",
              "ON T.FULLCODE = A.FULLCODE AND T.TRANDATE = F.D AND T.rowid = F.R"});
    q.bind(QStringLiteral("sCoyCode"), coy);
    int i = 0;
    for (const auto& [acct, line] : lines) {
        q.bind(QStringLiteral("a%1").arg(i), acct);
        q.bind(QStringLiteral("d%1").arg(i), line.date);
        q.bind(QStringLiteral("r%1").arg(i), line.rowId);
        ++i;
    }
    std::map<QString, double> out;
    for (q.open(); !q.eof(); q.next()) out[q.value(0).toString()] = q.number(1);
    return out;
}

// The amounts of lines the index did not give, read from the table by row id.
void addAmountsOfRows(store::Connection& c, const std::map<QString, FoundLine>& lines,
                      std::map<QString, double>& out) {
    std::map<qint64, QString> accountOfRow;
    QStringList ids;
    for (const auto& [acct, line] : lines) {
        if (out.count(acct)) continue;
        accountOfRow[line.rowId] = acct;
        ids << QString::number(line.rowId);
    }
    if (ids.isEmpty()) return;
    store::Query q(c);
    q.setSql(QStringLiteral("SELECT rowid, AMOUNT FROM QVACTTR WHERE rowid IN (%1)")
                 .arg(ids.join(QLatin1Char(','))));
    for (q.open(); !q.eof(); q.next()) out[accountOfRow[q.value(0).toLongLong()]] = q.number(1);
}

// Accounts asked for in one statement: three parameters each, well inside the engine's limit.
constexpr size_t kAccountsPerRead = 1000;

std::map<QString, double> amountsOf(store::Connection& c, const QString& coy,
                                    const std::map<QString, FoundLine>& lines) {
    std::map<QString, double> out;
    std::map<QString, FoundLine> chunk;
    for (auto it = lines.begin(); it != lines.end(); ++it) {
        chunk.insert(*it);
        if (chunk.size() < kAccountsPerRead && std::next(it) != lines.end()) continue;
        out.merge(amountsFromIndex(c, coy, chunk));
        chunk.clear();
    }
    addAmountsOfRows(c, lines, out);
    return out;
}

std::map<QString, double> walkBack(store::Connection& c, const QString& coy, const QDate& from,
                                   const QDate& to, int walkLimit, std::set<QString>& missing) {
    std::map<QString, FoundLine> found;
    std::map<QString, qint64> today;  // the last line of each account on the date being read
    QString date;
    auto closeDate = [&] {
        for (const auto& [acct, rowId] : today)
            if (missing.erase(acct) > 0) found[acct] = {date, rowId};
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
    return amountsOf(c, coy, found);
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
