#pragma once
// Finalising a tax return: in one transaction, the period's figures are worked out again from
// its lines, those lines, the period's payment headers and payment lines are marked as in a
// filed return (GSTCALC 1, journal lines also GSTDATE), and the return record is appended. Any
// failure leaves nothing marked. No widgets here.

#include <QString>

#include "tax/aus_return.h"
#include "tax/nz_return.h"
#include "tax/stored_return.h"
#include "tax/tax_period.h"

namespace store {
class Connection;
}

namespace tax {

// "This will prevent any further changes to transactions.  Continue?"
QString finaliseQuestion();

enum class FinaliseOutcome { Finalised, BadPeriod, AlreadyFiled, Failed };

struct FinaliseResult {
    FinaliseOutcome outcome = FinaliseOutcome::Failed;
    QString message;      // what to show when not finalised
    StoredReturn stored;  // the figures stored (when finalised)
    TaxPeriod filed;      // AlreadyFiled: the stored return in the way
    qint64 journalLines = 0, payments = 0, paymentLines = 0;  // rows marked
    bool ok() const { return outcome == FinaliseOutcome::Finalised; }
};

// The New Zealand return of the period with the typed box 9; `figures` (optional) receives the
// boxes that were stored.
FinaliseResult finaliseNzReturn(store::Connection& connection, int coy, const TaxPeriod& period,
                                qint64 box9Cents, NzReturn* figures = nullptr);
// The Australian worksheet of the period with the typed G7, G15 and G18.
FinaliseResult finaliseAusReturn(store::Connection& connection, int coy, const TaxPeriod& period,
                                 const AusAccountCodes& codes, const AusAdjustments& adjustments,
                                 double percent, AusReturn* figures = nullptr);

}  // namespace tax
