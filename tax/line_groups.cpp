#include "tax/line_groups.h"

#include "store/format.h"
#include "store/query.h"

namespace tax {

namespace {

// The account of a line, looked up per line rather than joined: an account code that a company
// holds more than once (company level and departments) must not count its lines twice.
QString accountIs(const char* conditions) {
    return QStringLiteral(
               "EXISTS (SELECT 1 FROM QVACCDET C WHERE C.COYCODE =:sCoyCode "
               "AND C.ACCTCODE = D.ACCTCODE AND C.GSTAPPLIES = 1 AND ") +
           QLatin1String(conditions) + QLatin1Char(')');
}

}  // namespace

QString lineGroupCondition(LineGroup group) {
    switch (group) {
        case LineGroup::SalesAndIncome:
            return QStringLiteral("D.HASGST <> 0 AND ") +
                   accountIs("C.TYPECODE = 'INC' AND (C.ALLOCPER <> 0 OR D.ZERORATED = 0)");
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
                         "FROM QVACTTR D"} +
             lineGroupWhere(group));
    bindAll(q, lineGroupParams(coy, period));
    q.open();
    return {qint64(q.number(0)), qint64(q.number(1)), qint64(q.number(2))};
}

std::vector<TaxLine> linesOfGroup(store::Connection& connection, int coy, const TaxPeriod& period,
                                  LineGroup group) {
    store::Query q(connection);
    q.setSql(
        QStringList{"SELECT D.ACCTCODE, D.DESC, D.TRANDATE, D.BUSAMT, D.GSTAMT", "FROM QVACTTR D"} +
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
