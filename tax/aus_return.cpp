#include "tax/aus_return.h"

#include "store/format.h"
#include "store/query.h"
#include "tax/intsettings.h"
#include "tax/line_groups.h"

namespace tax {

std::optional<AusAccountCodes> readAusAccountCodes(const QString& dataFolder) {
    if (!intSettingsExist(dataFolder)) return std::nullopt;
    const IntSettings s = readIntSettings(dataFolder);
    return AusAccountCodes{s.exportSales.trimmed(), s.inputSales.trimmed(), s.capEx.trimmed(),
                           s.inputPurchases.trimmed()};
}

namespace {

struct Label {
    qint64 AusSums::*sum;
    const char* condition;
};

// Each label's lines besides the company, GSTCALC 0 and the period.
const Label kLabels[] = {
    {&AusSums::g1, "D.TRANTYPE = 'I'"},
    {&AusSums::g2, "D.ACCTCODE =:sExpSales"},
    {&AusSums::g3,
     "D.HASGST = 0 AND D.ACCTCODE <>:sCapitalExp AND D.ACCTCODE <>:sExpSales "
     "AND D.TRANTYPE = 'I'"},
    {&AusSums::g4, "D.ACCTCODE =:sInputSales"},
    {&AusSums::g10, "D.ACCTCODE =:sCapitalExp"},
    {&AusSums::g11, "D.HASGST = 1 AND D.TRANTYPE = 'E' AND D.ACCTCODE <>:sCapitalExp"},
    {&AusSums::g13, "D.ACCTCODE =:sInputPurchases"},
    {&AusSums::g14,
     "D.ACCTCODE <>:sInputPurchases AND D.ACCTCODE <>:sCapitalExp "
     "AND D.HASGST = 0 AND D.TRANTYPE = 'E'"},
};

// Rounded once, half away from zero, to cents.
qint64 taxOf(qint64 cents, double percent) {
    const double divisor = percent == 0 ? 0 : 100.0 / percent + 1;
    if (divisor == 0) return 0;
    return store::fmt::cents(double(cents) / 100.0 / divisor);
}

}  // namespace

QVariantMap ausLabelParams(const AusAccountCodes& codes) {
    return {{QStringLiteral("sExpSales"), codes.exportSales},
            {QStringLiteral("sInputSales"), codes.inputSales},
            {QStringLiteral("sCapitalExp"), codes.capEx},
            {QStringLiteral("sInputPurchases"), codes.inputPurchases}};
}

QString ausCountedLinesCondition() {
    QStringList parts;
    for (const Label& l : kLabels) parts << QLatin1Char('(') + QLatin1String(l.condition) + ')';
    return QLatin1Char('(') + parts.join(QStringLiteral(" OR ")) + QLatin1Char(')');
}

AusSums readAusSums(store::Connection& connection, int coy, const TaxPeriod& period,
                    const AusAccountCodes& codes) {
    // One pass over the period's open lines, each label a conditional sum of whole cents.
    QStringList select;
    for (const Label& l : kLabels)
        select << QStringLiteral("SUM(CASE WHEN %1 THEN ROUND(D.AMOUNT * 100) ELSE 0 END)")
                      .arg(QLatin1String(l.condition));
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT ") + select.join(QStringLiteral(",\n")),
                         openLinesSource(), "WHERE D.COYCODE =:iCoyCode", "AND D.GSTCALC = 0",
                         "AND (D.TRANDATE BETWEEN :StartDate AND :EndDate)"});
    q.bind("iCoyCode", QString::number(coy));
    q.bind("StartDate", period.start);
    q.bind("EndDate", period.end);
    const QVariantMap params = ausLabelParams(codes);
    for (auto it = params.begin(); it != params.end(); ++it) q.bind(it.key(), it.value());
    q.open();
    AusSums s;
    int column = 0;
    for (const Label& l : kLabels) s.*(l.sum) = qint64(q.number(column++));
    return s;
}

AusReturn ausReturnFrom(const AusSums& s, const AusAdjustments& a, double percent) {
    AusReturn r;
    r.g1 = s.g1;
    r.g2 = s.g2;
    r.g3 = s.g3;
    r.g4 = s.g4;
    r.g5 = r.g2 + r.g3 + r.g4;
    r.g6 = r.g1 - r.g5;
    r.g7 = a.g7;
    r.g8 = r.g6 + r.g7;
    r.g9 = taxOf(r.g8, percent);
    r.g10 = s.g10;
    r.g11 = s.g11;
    r.g12 = r.g10 + r.g11;
    r.g13 = s.g13;
    r.g14 = s.g14;
    r.g15 = a.g15;
    r.g16 = r.g13 + r.g14 + r.g15;
    r.g17 = r.g12 - r.g16;
    r.g18 = a.g18;
    r.g19 = r.g17 + r.g18;
    r.g20 = taxOf(r.g19, percent);
    return r;
}

AusReturn computeAusReturn(store::Connection& connection, int coy, const TaxPeriod& period,
                           const AusAccountCodes& codes, const AusAdjustments& adjustments,
                           double percent) {
    return ausReturnFrom(readAusSums(connection, coy, period, codes), adjustments, percent);
}

StoredReturn storedFigures(const AusReturn& r) {
    return {r.g1, r.g2, r.g5, r.g9, r.g7, r.g11, r.g18, r.g12, r.g15, r.g13, r.netTax()};
}

}  // namespace tax
