#pragma once
// One record of the return table QVGst, as a finalised return stores it (amounts in cents).

#include <QtGlobal>

namespace tax {

struct StoredReturn {
    qint64 income = 0;                              // INCOME
    qint64 zeroRated = 0;                           // ZERORATED
    qint64 totSales = 0;                            // TOTSALES
    qint64 incomeGst = 0;                           // INCOMEGST
    qint64 saleAdjGst = 0;                          // SALEADJGST
    qint64 gstCollect = 0;                          // GSTCOLLECT
    qint64 purExp = 0;                              // PUREXP
    qint64 expGst = 0;                              // EXPGST
    qint64 credAdj = 0;                             // CREDADJ
    qint64 gstCredit = 0;                           // GSTCREDIT
    qint64 gstAmount = 0;                           // GSTAMOUNT: tax to pay when above 0
    bool refund() const { return gstAmount <= 0; }  // REFUND 1 unless tax is to pay
};

}  // namespace tax

#include <vector>

#include "tax/tax_period.h"

namespace store {
class Connection;
}

namespace tax {

// A stored return with its period.
struct StoredReturnRecord {
    TaxPeriod period;
    StoredReturn figures;
};
// The company's stored returns whose start lies in the period, in the order they were added.
std::vector<StoredReturnRecord> storedReturnsStartingIn(store::Connection& connection, int coy,
                                                        const TaxPeriod& period);

}  // namespace tax
