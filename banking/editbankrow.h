#pragma once
// "Edit selected Transaction" of the reconciliation window and the transaction viewer: a row
// opens the entry window it was made in, positioned on it.

#include <QString>

class QWidget;

namespace banking {

// Opens payment entry for the company on the payment of a "CHQ" row, or bank transaction entry
// on the row with this number in the account. Returns whether a window was opened (the caller
// then reads its rows again).
bool editBankRow(QWidget* owner, int coy, const QString& bankCode, const QString& acctNo,
                 qint64 tranNum, const QString& tranType);

}  // namespace banking
