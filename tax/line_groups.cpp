#include "tax/line_groups.h"

#include "store/format.h"
#include "store/query.h"

namespace tax {

namespace {

// The accounts are chosen once, before the lines are read, and a line's code tested against
// that list: an account code that a company holds more than once (company level and
// departments) must not count its lines twice, which a join would.
QString accountIs(const char* conditions) {
    return QStringLiteral(
               "D.ACCTCODE IN (SELECT C.ACCTCODE FROM QVACCDET C WHERE C.COYCODE =:sCoyCode "
               "AND C.GSTAPPLIES = 1 AND ") +
           QLatin1String(conditions) + QLatin1Char(')');
}

}  // namespace

QString lineGroupCondition(LineGroup group) {
    switch (group) {
        case LineGroup::SalesAndIncome:
            // Any line of a partly private account, the standard-rated ones of the others.
            return QStringLiteral("D.HASGST <> 0 AND (") +
                   accountIs("C.TYPECODE = 'INC' AND C.ALLOCPER <> 0") +
                   QStringLiteral(" OR (D.ZERORATED = 0 AND ") + accountIs("C.TYPECODE = 'INC'") +
                   QStringLiteral("))");
        case LineGroup::ZeroRated:
            return QStringLiteral("D.HASGST <> 0 AND D.ZERORATED = 1 AND ") +
                   accountIs("C.TYPECODE = 'INC' AND C.ALLOCPER = 0");
        case LineGroup::Expenses:
            return QStringLiteral("D.HASGST <> 0 AND D.ZERORATED = 0 AND ") +
                   accountIs("C.TYPECODE = 'EXP' AND C.ALLOCPER = 0");
        case LineGroup::PrivateUse:
            return QStringLiteral("D.ZERORATED = 0 AND ") +
                   accountIs("C.TYPECODE = 'EXP' AND C.ALLOCPER <> 0 AND C.ALLOCPER <> 100");
    }
    return QStringLiteral("0");
}

QString openLinesSource() {
    // Without the hint the engine prefers the company's index, which holds every line ever
    // written; the partial index holds only open lines, in date order, with what the return and the
    // audit read.
    return QStringLiteral("FROM QVACTTR D INDEXED BY QVActTr_TAX_OPEN");
}

QStringList lineGroupWhere(LineGroup group) {
    return {"WHERE D.COYCODE =:sCoyCode", "AND D.GSTCALC = 0",
            "AND (D.TRANDATE BETWEEN :StartDate AND :EndDate)",
            QStringLiteral("AND (%1)").arg(lineGroupCondition(group))};
}

QVariantMap lineGroupParams(int coy, const TaxPeriod& period) {
    return {{QStringLiteral("sCoyCode"), QString::number(coy)},
            {QStringLiteral("StartDate"), period.start},
            {QStringLiteral("EndDate"), period.end}};
}

namespace {

void bindAll(store::Query& q, const QVariantMap& params) {
    for (auto it = params.begin(); it != params.end(); ++it) q.bind(it.key(), it.value());
}

}  // namespace

GroupTotals totalsOfGroup(store::Connection& connection, int coy, const TaxPeriod& period,
                          LineGroup group) {
    // Stored amounts have two decimals: summing them as whole cents is exact.
    store::Query q(connection);
    q.setSql(QStringList{"SELECT SUM(ROUND(D.BUSAMT * 100)), SUM(ROUND(D.GSTAMT * 100)), COUNT(*)",
                         openLinesSource()} +
             lineGroupWhere(group));
    bindAll(q, lineGroupParams(coy, period));
    q.open();
    return {qint64(q.number(0)), qint64(q.number(1)), qint64(q.number(2))};
}

std::vector<TaxLine> linesOfGroup(store::Connection& connection, int coy, const TaxPeriod& period,
                                  LineGroup group) {
    store::Query q(connection);
    q.setSql(QStringList{"SELECT D.ACCTCODE, D.DESC, D.TRANDATE, D.BUSAMT, D.GSTAMT",
                         openLinesSource()} +
             lineGroupWhere(group) + QStringList{"ORDER BY D.TRANDATE, D.rowid"});
    bindAll(q, lineGroupParams(coy, period));
    q.open();
    std::vector<TaxLine> lines;
    for (; !q.eof(); q.next())
        lines.push_back({q.text("ACCTCODE"), q.text("DESC"), q.date("TRANDATE"),
                         store::fmt::cents(q.number("BUSAMT")),
                         store::fmt::cents(q.number("GSTAMT"))});
    return lines;
}

}  // namespace tax
