#include "tax/aus_audit.h"

#include "store/format.h"
#include "store/query.h"
#include "tax/line_groups.h"

namespace tax {

QString ausAuditHeading(AusLabel label) {
    switch (label) {
        case AusLabel::G1:
            return QStringLiteral("G1 Total sales (including any GST)");
        case AusLabel::G2:
            return QStringLiteral("G2 Export sales");
        case AusLabel::G3:
            return QStringLiteral("G3 Other GST-free sales");
        case AusLabel::G4:
            return QStringLiteral("G4 Input taxed sales");
        case AusLabel::G10:
            return QStringLiteral("G10 Capital purchases (including any GST)");
        case AusLabel::G11:
            return QStringLiteral("G11 Non-capital purchases (including any GST)");
        case AusLabel::G13:
            return QStringLiteral("G13 Purchases for making input taxed sales");
        case AusLabel::G14:
            return QStringLiteral("G14 Purchases without GST in the price");
    }
    return {};
}

namespace {

// The label's open lines of the period, with the worksheet's parameters bound.
void openAusLabelQuery(store::Query& q, const QString& select, AusLabel label, int coy,
                       const TaxPeriod& period, const AusAccountCodes& codes,
                       const QString& order = QString()) {
    const QString condition = ausLabelCondition(label);
    q.setSql(QStringList{select, openLinesSource(), "WHERE D.COYCODE =:iCoyCode",
                         "AND D.GSTCALC = 0", "AND (D.TRANDATE BETWEEN :StartDate AND :EndDate)",
                         QStringLiteral("AND (%1)").arg(condition), order});
    q.bind("iCoyCode", QString::number(coy));
    q.bind("StartDate", period.start);
    q.bind("EndDate", period.end);
    const QVariantMap params = ausLabelParams(codes);
    // Each label names only some of the account codes.
    for (auto it = params.begin(); it != params.end(); ++it)
        if (condition.contains(QLatin1Char(':') + it.key())) q.bind(it.key(), it.value());
    q.open();
}

AuditGroup ausAuditGroup(store::Connection& connection, int coy, const TaxPeriod& period,
                         const AusAccountCodes& codes, AusLabel label) {
    AuditGroup g{ausAuditHeading(label), QStringLiteral("Total ") + ausAuditHeading(label)};
    store::Query lines(connection);
    openAusLabelQuery(lines, "SELECT D.ACCTCODE, D.DESC, D.TRANDATE, D.AMOUNT, D.GSTAMT", label,
                      coy, period, codes, "ORDER BY D.TRANDATE, D.rowid");
    for (; !lines.eof(); lines.next())
        g.lines.push_back({lines.text("ACCTCODE"), lines.text("DESC"), lines.date("TRANDATE"),
                           store::fmt::cents(lines.number("AMOUNT")),
                           store::fmt::cents(lines.number("GSTAMT"))});
    // The worksheet's own sum in whole cents, not a re-addition of the listed lines.
    store::Query sums(connection);
    openAusLabelQuery(sums,
                      "SELECT SUM(ROUND(D.AMOUNT * 100)), SUM(ROUND(D.GSTAMT * 100)), COUNT(*)",
                      label, coy, period, codes);
    g.totals = {qint64(sums.number(0)), qint64(sums.number(1)), qint64(sums.number(2))};
    return g;
}

}  // namespace

void readAusAudit(GstAudit& audit, store::Connection& connection, int coy,
                  const AusAccountCodes& codes) {
    for (const AusLabel label : kAusJournalLabels) {
        audit.groups.push_back(ausAuditGroup(connection, coy, audit.period, codes, label));
        const GroupTotals& t = audit.groups.back().totals;
        if (label == AusLabel::G1) {
            audit.incomeBus += t.busCents;
            audit.incomeGst += t.gstCents;
        } else if (label == AusLabel::G10 || label == AusLabel::G11) {
            audit.expenseBus += t.busCents;
            audit.expenseGst += t.gstCents;
        }
    }
}

}  // namespace tax
