#pragma once
// The journal lines of a bank entry with details (several lines written by the cash details
// window): whether it has any, their total, and removing one from the entry.

#include "banking/bank_posting.h"
#include "store/connection.h"

namespace banking {

// "Has details" outside add and edit: the entry has journal lines
// ("SELECT REF FROM QVACTTR" / "WHERE COYCODE =:sCoyCode" / "AND BNKTRNLNK =:sBnkTrnLnk").
bool entryHasLines(store::Connection& connection, int coy, const QString& bankCode,
                   const QString& acctNo, qint64 reference);

// "Total Transactions : ": the amounts of the entry's "I" lines less those of its "E" lines.
double detailLinesTotal(store::Connection& connection, int coy, const QString& bankCode,
                        const QString& acctNo, qint64 reference);

// "Remove" in the details window: the line's amount is taken out of the bank row's amount (its
// magnitude falls, the sign stays) and out of the running balance in the same transaction, the
// receipt of the receipts journal whose REF is the line's search code is unlinked, and the line
// is detached from the entry (it stays in the journal). When no line is left the row's CSHACCDET
// becomes 0. Refused (Problem::Reconciled) for a reconciled row.
SaveResult removeDetailLine(store::Connection& connection, int coy, const QString& bankCode,
                            const QString& acctNo, qint64 reference, qint64 lineRowId,
                            bool depositsNotOnStatement = false);

}  // namespace banking
