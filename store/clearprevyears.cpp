#include "store/clearprevyears.h"

#include <sqlite3.h>

#include <vector>

#include "store/connection.h"
#include "store/error.h"
#include "store/exclusiveuse.h"
#include "store/format.h"
#include "store/query.h"
#include "store/transaction.h"

namespace store {

namespace {

// The four steps in order: name, table, date field.
struct ClearStep {
    const char* name;
    const char* table;
    const char* dateField;
};
const std::vector<ClearStep>& clearSteps() {
    static const std::vector<ClearStep> steps = {{"Bank Transactions", "QVBnkTr", "TRANDATE"},
                                                 {"Journal", "QVActTr", "TRANDATE"},
                                                 {"Cheques", "QVChHdr", "CHQDATE"},
                                                 {"Cheque Details", "QVChqDet", "CHQDATE"}};
    return steps;
}

qint64 countInRange(Connection& c, const ClearRange& range, const QString& table,
                    const QString& dateField, const QString& extra = {}) {
    Query q(c);
    q.setSql(
        QStringLiteral("SELECT COUNT(*) FROM %1 T WHERE T.%2 BETWEEN :StartDate AND :EndDate%3")
            .arg(table, dateField, extra));
    q.bind(QStringLiteral("StartDate"), range.from);
    q.bind(QStringLiteral("EndDate"), range.to);
    q.open();
    return q.value(0).toLongLong();
}

QString clearDateText(const QDate& d) { return fmt::shortDate(d); }

// Runs a statement that changes rows, with the range's dates bound.
void changeInRange(Connection& c, const QString& sql, const ClearRange& range) {
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(c.handle(), text.constData(), -1, &stmt, nullptr) != SQLITE_OK)
        c.raise(sql);
    try {
        bindParams(stmt, {{QStringLiteral("StartDate"), range.from},
                          {QStringLiteral("EndDate"), range.to}});
    } catch (...) {
        sqlite3_finalize(stmt);
        throw;
    }
    const int rc = sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) c.raise(sql);
}

// Each bank account's opening balance takes the cents of its rows in the range.
void moveClearedSumsToOpeningBalances(Connection& c, const ClearRange& range) {
    changeInRange(
        c,
        QStringList{"UPDATE QVBnkAct SET", " INITBAL = (ROUND(INITBAL * 100) + S.CENTS) / 100.0,",
                    " OPENBAL = (ROUND(OPENBAL * 100) + S.CENTS) / 100.0",
                    "FROM (SELECT T.BANKLINK AS LINK, SUM(ROUND(T.AMOUNT * 100)) AS CENTS",
                    "      FROM QVBnkTr T WHERE T.TRANDATE BETWEEN :StartDate AND :EndDate",
                    "      GROUP BY T.BANKLINK) AS S", "WHERE QVBnkAct.BANKLINK = S.LINK"}
            .join(QLatin1Char('\n')),
        range);
}

void deleteInRange(Connection& c, const ClearRange& range, const ClearStep& step) {
    changeInRange(c,
                  QStringLiteral("DELETE FROM %1 WHERE %2 BETWEEN :StartDate AND :EndDate")
                      .arg(QLatin1String(step.table), QLatin1String(step.dateField)),
                  range);
}

}  // namespace

ClearCounts countRowsToClear(Connection& c, const ClearRange& range) {
    ClearCounts n;
    n.bankRows = countInRange(c, range, QStringLiteral("QVBnkTr"), QStringLiteral("TRANDATE"));
    n.journalLines = countInRange(c, range, QStringLiteral("QVActTr"), QStringLiteral("TRANDATE"));
    n.payments = countInRange(c, range, QStringLiteral("QVChHdr"), QStringLiteral("CHQDATE"));
    n.paymentLines = countInRange(c, range, QStringLiteral("QVChqDet"), QStringLiteral("CHQDATE"));
    n.unfinalisedTaxLines =
        countInRange(c, range, QStringLiteral("QVActTr"), QStringLiteral("TRANDATE"),
                     QStringLiteral(" AND T.GSTCALC = 0 AND ROUND(T.GSTAMT * 100) <> 0"));
    n.unreconciledRows =
        countInRange(c, range, QStringLiteral("QVBnkTr"), QStringLiteral("TRANDATE"),
                     QStringLiteral(" AND T.RECONCILED = 0"));
    return n;
}

QDate earliestEntryDate(Connection& c, const QDate& today) {
    Query q(c);
    q.setSql(
        QStringLiteral("SELECT MIN(D) FROM (SELECT MIN(TRANDATE) AS D FROM QVBnkTr "
                       "UNION ALL SELECT MIN(TRANDATE) FROM QVActTr) WHERE D <> ''"));
    q.open();
    const QDate d = QDate::fromString(q.value(0).toString(), Qt::ISODate);
    return d.isValid() ? d : today;
}

QDate defaultClearTo(const QDate& today) { return fmt::financialYearStart(today).addDays(-1); }

QString clearConfirmationText(const ClearRange& range, const ClearCounts& n) {
    return QStringLiteral(
               "Clear every company's transactions dated from %1 to %2?\n\n"
               "%3 bank transactions, %4 journal lines, %5 payments and %6 payment "
               "lines will be deleted. Each bank account's opening balance takes the "
               "sum of its deleted transactions, so its balance does not change.")
        .arg(clearDateText(range.from), clearDateText(range.to))
        .arg(n.bankRows)
        .arg(n.journalLines)
        .arg(n.payments)
        .arg(n.paymentLines);
}

QString unsettledQuestionText(const ClearCounts& n) {
    return QStringLiteral(
               "The range holds %1 journal lines whose GST has not been in a finalised "
               "return and %2 bank transactions that are not reconciled.\n\n"
               "Clear them all the same?")
        .arg(n.unfinalisedTaxLines)
        .arg(n.unreconciledRows);
}

ClearOutcome clearPreviousYears(Connection& c, const ClearRange& range, bool unsettledConfirmed) {
    ClearOutcome out;
    const std::vector<ClearStep>& steps = clearSteps();
    QString step = QString::fromLatin1(steps.front().name);
    try {
        if (!unsettledConfirmed && countRowsToClear(c, range).unsettled())
            throw StoreError(unsettledQuestionText(countRowsToClear(c, range)));
        // Exclusive use of every table first: nothing is deleted unless all can be had.
        std::vector<std::unique_ptr<ExclusiveTables>> held;
        held.push_back(std::make_unique<ExclusiveTables>(
            c.path(), QStringList{QStringLiteral("QVBnkTr"), QStringLiteral("QVBnkAct")}));
        for (std::size_t i = 1; i < steps.size(); ++i) {
            step = QString::fromLatin1(steps[i].name);
            held.push_back(std::make_unique<ExclusiveTables>(
                c.path(), QStringList{QLatin1String(steps[i].table)}));
        }
        Transaction tx(c);
        step = QString::fromLatin1(steps.front().name);
        moveClearedSumsToOpeningBalances(c, range);
        for (const ClearStep& s : steps) {
            step = QString::fromLatin1(s.name);
            deleteInRange(c, range, s);
        }
        tx.commit();
        // Packing gives the deleted rows' space back to the file system.
        c.exec(QStringLiteral("PRAGMA incremental_vacuum"));
    } catch (const StoreError& e) {
        out.failedStep = step;
        out.detail = e.text();
    }
    return out;
}

}  // namespace store
