#include "tax/tax_company.h"

#include "store/format.h"
#include "store/query.h"

namespace tax {

TaxCompany readTaxCompany(store::Connection& connection, int coy) {
    store::Query q(connection);
    q.setSql({"SELECT BUSNAME, GSTNUMBER, ADDRESS1, ADDRESS2, ADDRESS3, PHONENO, GSTPERIOD,",
              "GSTTYPE, GSTPERCENT, COUNTRY FROM QVCntrl", "WHERE COYCODE =:iCoyCode"});
    q.bind("iCoyCode", coy);
    q.open();
    TaxCompany t;
    t.coy = coy;
    if (q.eof()) return t;
    t.found = true;
    t.busName = q.text("BUSNAME");
    t.gstNumber = q.text("GSTNUMBER");
    t.address1 = q.text("ADDRESS1");
    t.address2 = q.text("ADDRESS2");
    t.address3 = q.text("ADDRESS3");
    t.phoneNo = q.text("PHONENO");
    t.gstPeriod = int(q.integer("GSTPERIOD"));
    t.gstType = q.text("GSTTYPE").trimmed();
    t.gstPercent = q.number("GSTPERCENT");
    t.country = q.text("COUNTRY").trimmed();
    if (t.country.isEmpty()) t.country = QStringLiteral("NZ");
    return t;
}

double taxDivisor(double percent) { return percent == 0 ? 0 : 100.0 / percent + 1; }

QString basisLabel(const QString& gstType) {
    const QString t = gstType.trimmed();
    if (t == QLatin1String("P")) return QStringLiteral("Payments Basis");
    if (t == QLatin1String("I")) return QStringLiteral("Invoice Basis");
    if (t == QLatin1String("H")) return QStringLiteral("Hybrid Basis");
    return {};
}

QString periodLabel(int gstPeriod) {
    switch (gstPeriod) {
        case 1:
            return QStringLiteral("ONE MONTH");
        case 2:
            return QStringLiteral("TWO MONTHLY");
        case 6:
            return QStringLiteral("SIX MONTHLY");
        default:
            return {};
    }
}

namespace {

// Only exactly 15 per cent reads as three twenty-thirds.
bool isFifteen(double percent) { return store::fmt::sameMoney(percent, 15.0); }

QString divisorText(double percent) { return store::fmt::money(taxDivisor(percent)); }

}  // namespace

QString nzBoxEightCaption(double percent) {
    return isFifteen(percent)
               ? QStringLiteral("Multiply Box 7 by three (3) and divide by twenty-three (23).")
               : QStringLiteral("Divide Box 7 by ") + divisorText(percent);
}

QString nzBoxTwelveCaption(double percent) {
    return isFifteen(percent)
               ? QStringLiteral("Multiply Box 11 by three (3) and divide by twenty-three (23).")
               : QStringLiteral("Divide Box 11 by ") + divisorText(percent);
}

QString ausG9Caption(double percent) {
    return isFifteen(percent)
               ? QStringLiteral("G9    GST on sales (G8 multiplied by 3 divided by 23)")
               : QStringLiteral("G9    GST on sales (G8 divided by ") + divisorText(percent) +
                     QLatin1Char(')');
}

QString ausG20Caption(double percent) {
    return isFifteen(percent)
               ? QStringLiteral("G20    GST on purchases (G19 multipied by 3 divided by 23)")
               : QStringLiteral("G20   GST on purchases (G19 divided by ") + divisorText(percent) +
                     QLatin1Char(')');
}

}  // namespace tax
