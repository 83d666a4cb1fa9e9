#pragma once
// Saving a payment's header (QVChHdr): a new payment with the settlement of its account's
// counters, or an edit with its renumbering of the lines, journal lines and bank row and the
// tax of the lines when the supplier changed. Each save is one database transaction. No widgets.

#include <QDate>
#include <QString>

#include "payments/payment_numbers.h"
#include "payments/payment_result.h"
#include "store/connection.h"

namespace payments {

// The header boxes as typed.
struct HeaderInput {
    int coy = 1;
    PayType type = PayType::Electronic;
    QString numberText;  // "Cheque/Payment No. :"
    QDate date;
    QString bankCode, acctNo;
    QString supplierText;
};

// The refusals of saving a new payment: the account, the number (whole, not used by a bank row,
// not a payment's).
PaymentProblem newPaymentProblem(store::Connection& connection, const HeaderInput& input);

// Writes the new header (NUMLINES, CONFIRMED and GSTCALC 0) and settles the counters reserved
// when the account was chosen. Returns the payment's number in `number`.
PaymentResult saveNewPayment(store::Connection& connection, const HeaderInput& input,
                             const Reservation& reservation);

// Rewrites the header of payment `storedNumber`. A changed number moves every line, its journal
// line and the bank row to it (a line whose journal line is missing stops everything: "Could not
// update transaction number in details!"). The bank row takes the date and the narrative; every
// line the date; when the supplier changed, an untaxed line of a taxable account takes the tax
// contained in its TOT_AMT (or loses its tax for a supplier not registered), and the journal
// lines follow. The supplier of a locked payment stays; a payment whose tax was calculated keeps
// its date (refused otherwise).
PaymentResult saveEditedPayment(store::Connection& connection, const HeaderInput& input,
                                qint64 storedNumber);

}  // namespace payments
