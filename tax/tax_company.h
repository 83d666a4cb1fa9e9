#pragma once
// What the tax returns read from a company's control record, and the captions that follow from
// its rate. No widgets here.

#include <QString>

namespace store {
class Connection;
}

namespace tax {

struct TaxCompany {
    bool found = false;
    int coy = 0;
    QString busName;
    QString gstNumber;
    QString address1, address2, address3;
    QString phoneNo;
    int gstPeriod = 1;      // months per return: 1, 2 or 6 (any 1 to 12 works)
    QString gstType;        // "P", "I" or "H": printed only
    double gstPercent = 0;  // 15, 12.5, 10 ...
    QString country;        // "NZ" (also when blank) or "AUS"
};

// The control record of the company; found is false when there is none.
TaxCompany readTaxCompany(store::Connection& connection, int coy);

// 100 / rate + 1 (9.00 at 12.5 per cent, 11.00 at 10); 0 when the rate is 0.
double taxDivisor(double percent);

// "Payments Basis", "Invoice Basis", "Hybrid Basis"; empty for anything else.
QString basisLabel(const QString& gstType);
// "ONE MONTH", "TWO MONTHLY", "SIX MONTHLY"; empty for anything else.
QString periodLabel(int gstPeriod);

// The guidance captions of boxes 8 and 12 of the New Zealand return (box 7 or 11 named).
QString nzBoxEightCaption(double percent);
QString nzBoxTwelveCaption(double percent);
// The captions of G9 and G20 of the Australian worksheet.
QString ausG9Caption(double percent);
QString ausG20Caption(double percent);

}  // namespace tax
