#pragma once
// Deleting a payment line or a whole payment: the line rows, their journal lines, the payment's
// "CHQ" bank row, the header's totals and the bank account's balance, in one database
// transaction, after every refusal. No widgets.

#include <QtGlobal>

#include "payments/payment_result.h"
#include "store/connection.h"

namespace payments {

// Deletes one line: its journal line and row; the header's totals follow; the bank row takes
// -(new total), or goes when nothing is left; the balance rises by the line's amount (not in
// the opening-balance mode). Refused for a locked payment.
PaymentResult deletePaymentLine(store::Connection& connection, int coy, qint64 tranNum,
                                qint64 lineRowId, bool openingBalanceMode = false);

// Deletes the payment: refused when it is reconciled ("Cannot delete ... has been reconciled!")
// or its tax was calculated; a payment with lines needs its bank row ("Could not delete bank
// transaction  " + number). Every line with its journal line goes, then the bank row and the
// header; the balance rises by the payment's amount (not in the opening-balance mode). The
// counters are not changed.
PaymentResult deletePayment(store::Connection& connection, int coy, qint64 tranNum,
                            bool openingBalanceMode = false);

}  // namespace payments
