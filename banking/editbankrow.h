#pragma once
// "Edit selected Transaction" of the reconciliation window and the transaction viewer: a row
// opens the entry window it was made in, positioned on it.

#include <QString>

class QWidget;

namespace banking {

inline const QString kChequeRowsInPayments = QStringLiteral(
    "This transaction is a cheque or payment: it is edited in payment entry (Cheques/Payments).");

// Opens bank transaction entry for the company on the row with this number in the account, or
// for a "CHQ" row says that payments are edited in payment entry. Returns whether a window was
// opened (the caller then reads its rows again).
bool editBankRow(QWidget* owner, int coy, const QString& bankCode, const QString& acctNo,
                 qint64 tranNum, const QString& tranType);

}  // namespace banking
