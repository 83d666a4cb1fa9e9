#pragma once
// The company control record: what company maintenance writes when the user saves, and how
// the stored values are shown. No widgets here.

#include <QString>

namespace store {
class Connection;
class Table;
}  // namespace store

namespace ledger {

// The company's BUSNAME, or an empty text when there is no such company.
QString companyName(store::Connection& connection, int coy);

// The boxes of company maintenance as typed.
struct CompanyDetails {
    QString busName;
    QString coyDesc;
    QString address1, address2, address3;
    QString phoneNo, faxNo;
    bool gstEnabled = false;
    QString gstNumber;
    QString gstPercentText;  // "Default percent :" as typed
    int gstPeriod = 1;       // months, 1 to 12
    bool recAuto = false;
    QString countryShown;  // "New Zealand", "Australia", or empty when nothing is selected
};

// "New Zealand" <-> "NZ", "Australia" <-> "AUS". countryCode gives an empty text for anything
// else (the stored country is then left alone); countryName shows a blank COUNTRY as the
// default "New Zealand" and an unknown one as nothing.
QString countryCode(const QString& shown);
QString countryName(const QString& code);

// The tax rate a new company starts with in its country: 10 for "AUS", else New Zealand's 15.
double defaultTaxPercent(const QString& countryCode);
// The "Default percent :" text after the country shown changes from `from` to `to`: a percent
// that is still the old country's default (or empty or 0) follows the country, any other stays.
QString percentAfterCountryChange(const QString& percent, const QString& from, const QString& to);

// A percent as its shortest decimal text: 15 -> "15", 12.5 -> "12.5".
QString percentText(double percent);
// A tax rate typed as a plain number from 0 to 100; false for anything else.
bool parsePercent(const QString& text, double* out);

enum class CompanySave { Saved, BadPercent, BadPeriod };

// Writes the details to the current record of the control table and posts it: LASTINV and
// GSTEXCL are reset, the tax fields are written only while tax is calculated (GSTTYPE "I"),
// and the texts are cut to their field widths by the store. A percent or period that is not
// valid while tax is calculated is refused with nothing written; a store failure cancels the
// record and is thrown on.
CompanySave saveCompanyDetails(store::Table& control, const CompanyDetails& details);

}  // namespace ledger
