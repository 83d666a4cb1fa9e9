#pragma once
// The figures of the Australian GST worksheet (labels G1 to G20 of the BAS), in whole cents.
// No widgets here.

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

#include "tax/stored_return.h"
#include "tax/tax_period.h"

namespace store {
class Connection;
}

namespace tax {

// The four ledger account codes of "IntSettings.ini"; an empty code matches no line.
struct AusAccountCodes {
    QString exportSales;
    QString inputSales;
    QString capEx;
    QString inputPurchases;
};
// The codes of readIntSettings for the data folder (a path ending in a separator), trimmed;
// nothing when the file does not exist (the worksheet then may not be finalised).
std::optional<AusAccountCodes> readAusAccountCodes(const QString& dataFolder);

// SUM(AMOUNT) of the period's open lines for the labels read from the journal.
struct AusSums {
    qint64 g1 = 0, g2 = 0, g3 = 0, g4 = 0, g10 = 0, g11 = 0, g13 = 0, g14 = 0;
};
AusSums readAusSums(store::Connection& connection, int coy, const TaxPeriod& period,
                    const AusAccountCodes& codes);

// The three labels the user types.
struct AusAdjustments {
    qint64 g7 = 0, g15 = 0, g18 = 0;
};

struct AusReturn {
    qint64 g1 = 0, g2 = 0, g3 = 0, g4 = 0, g5 = 0, g6 = 0, g7 = 0, g8 = 0, g9 = 0, g10 = 0;
    qint64 g11 = 0, g12 = 0, g13 = 0, g14 = 0, g15 = 0, g16 = 0, g17 = 0, g18 = 0, g19 = 0, g20 = 0;
    qint64 netTax() const { return g9 - g20; }  // BAS 1A less 1B
};

// G9 = G8 / (100 / rate + 1) and G20 = G19 / the same, each rounded once to cents;
// G17 = G12 - G16.
AusReturn ausReturnFrom(const AusSums& sums, const AusAdjustments& adjustments, double percent);
AusReturn computeAusReturn(store::Connection& connection, int coy, const TaxPeriod& period,
                           const AusAccountCodes& codes, const AusAdjustments& adjustments,
                           double percent);

// INCOME G1, ZERORATED G2, TOTSALES G5, INCOMEGST G9, SALEADJGST G7, GSTCOLLECT G11,
// PUREXP G18, EXPGST G12, CREDADJ G15, GSTCREDIT G13, GSTAMOUNT G9 - G20.
StoredReturn storedFigures(const AusReturn& r);

// The conditions over journal lines D of every label read from the journal, ORed: the lines a
// finalised worksheet marks besides those of the taxable accounts. Parameters as
// ausLabelParams.
QString ausCountedLinesCondition();
QVariantMap ausLabelParams(const AusAccountCodes& codes);

}  // namespace tax
