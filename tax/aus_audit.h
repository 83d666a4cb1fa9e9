#pragma once
// The tax audit of an Australian company: the open journal lines of each label the BAS worksheet
// reads from the journal (G1 to G4, G10, G11, G13, G14), under the same conditions as the
// worksheet's sums, so each group's total is the worksheet's box. A line may be listed under more
// than one label, as the worksheet counts it (a GST-free sale is in G1 and G3). The amount
// column is the line's full AMOUNT, which the worksheet sums. No widgets here.

#include "tax/aus_return.h"
#include "tax/gstaudit.h"

namespace tax {

QString ausAuditHeading(AusLabel label);

// Fills the groups, in the order of kAusJournalLabels, and the balances: income is G1, expenses
// G10 + G11 (the purchases the worksheet counts before taking out G13, G14 and G15).
void readAusAudit(GstAudit& audit, store::Connection& connection, int coy,
                  const AusAccountCodes& codes);

}  // namespace tax
