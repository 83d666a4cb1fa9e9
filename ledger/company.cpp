#include "ledger/company.h"

#include "store/format.h"
#include "store/query.h"
#include "store/table.h"

namespace ledger {

QString companyName(store::Connection& connection, int coy) {
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT BUSNAME FROM QVCntrl"),
                         QStringLiteral("WHERE COYCODE =:iCoyCode")});
    q.bind("iCoyCode", coy);
    q.open();
    return q.eof() ? QString() : q.text("BUSNAME");
}

QString countryCode(const QString& shown) {
    if (shown == QLatin1String("New Zealand")) return QStringLiteral("NZ");
    if (shown == QLatin1String("Australia")) return QStringLiteral("AUS");
    return {};
}

QString countryName(const QString& code) {
    const QString c = code.trimmed();
    if (c == QLatin1String("AUS")) return QStringLiteral("Australia");
    if (c == QLatin1String("NZ") || c.isEmpty()) return QStringLiteral("New Zealand");
    return {};
}

double defaultTaxPercent(const QString& countryCode) {
    return countryCode.trimmed() == QLatin1String("AUS") ? 10.0 : 15.0;
}

QString percentAfterCountryChange(const QString& percent, const QString& from, const QString& to) {
    double typed = 0;
    const bool untouched = percent.trimmed().isEmpty() ||
                           (parsePercent(percent, &typed) &&
                            (typed == 0 || typed == defaultTaxPercent(countryCode(from))));
    return untouched ? percentText(defaultTaxPercent(countryCode(to))) : percent;
}

QString percentText(double percent) {
    QString text = QString::number(store::fmt::roundTo(percent, 2), 'f', 2);
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

bool parsePercent(const QString& text, double* out) {
    double value = 0;
    if (!store::fmt::parseMoney(text, &value)) return false;
    // A negative rate or one above 100 would turn every tax figure of the company wrong.
    if (value < 0 || value > 100) return false;
    *out = value;
    return true;
}

CompanySave saveCompanyDetails(store::Table& control, const CompanyDetails& d) {
    double percent = 0;
    if (d.gstEnabled && !parsePercent(d.gstPercentText, &percent)) return CompanySave::BadPercent;
    if (d.gstEnabled && (d.gstPeriod < 1 || d.gstPeriod > 12)) return CompanySave::BadPeriod;
    control.edit();
    try {
        control.setValue("LASTINV", 0);
        control.setValue("BUSNAME", d.busName);
        control.setValue("COYDESC", d.coyDesc);
        control.setValue("ADDRESS1", d.address1);
        control.setValue("ADDRESS2", d.address2);
        control.setValue("ADDRESS3", d.address3);
        control.setValue("PHONENO", d.phoneNo);
        control.setValue("FAXNO", d.faxNo);
        control.setValue("RECAUTO", 0);
        if (d.gstEnabled) {
            control.setValue("GSTENABLED", 1);
            control.setValue("GSTNUMBER", d.gstNumber);
            control.setValue("GSTPERCENT", percent);
            control.setValue("GSTPERIOD", d.gstPeriod);
            control.setValue("GSTTYPE", QStringLiteral("I"));
        } else {
            control.setValue("GSTENABLED", 0);
        }
        control.setValue("RECAUTO", d.recAuto ? 1 : 0);
        const QString country = countryCode(d.countryShown);
        if (!country.isEmpty()) control.setValue("COUNTRY", country);
        control.setValue("GSTEXCL", 0);
        control.post();
    } catch (...) {
        control.cancel();
        throw;
    }
    return CompanySave::Saved;
}

}  // namespace ledger
