#pragma once
// Payment numbers: the bank account's counters LASTCHQ (cheques) and LASTREFNO (electronic and
// cash payments), reserved when a new payment names its account, settled when it is saved and
// partly given back when it is cancelled; and the checks a number must pass. No widgets.

#include <QString>
#include <QtGlobal>

#include "payments/payment_records.h"
#include "store/connection.h"

namespace payments {

// The counters as they were read when the new payment reserved its numbers.
struct Reservation {
    int coy = 1;
    QString bankCode, acctNo;
    qint64 lastChq = 0;    // as read; LASTCHQ + 1 is reserved
    qint64 lastRefNo = 0;  // as read; LASTREFNO + 1 is reserved
};

// Reads LASTCHQ and LASTREFNO and writes both + 1 at once, committed, so that another new
// payment proposes other numbers. Throws store::StoreError when the account does not exist.
Reservation reserveNumbers(store::Connection& connection, int coy, const QString& bankCode,
                           const QString& acctNo);
// The number a new payment of this type proposes: LASTCHQ + 1 or LASTREFNO + 1 as read.
qint64 proposedNumber(const Reservation& reservation, PayType type);

// On saving a new payment, inside the caller's transaction: electronic or cash: LASTREFNO the
// number (never lowered) and the cheque reservation given back (LASTCHQ - 1); cheque: LASTCHQ the
// number when it is above LASTCHQ (else it stays at the reserved one) and the reference
// reservation given back (LASTREFNO - 1). A reservation is given back only while its counter
// still holds it: another program may have reserved after it.
void settleNumbers(store::Connection& connection, const Reservation& reservation, PayType type,
                   qint64 number);
// Cancelling a new payment: LASTCHQ - 1 when it still holds the reserved cheque number. The
// reserved LASTREFNO is not given back. Committed at once.
void cancelReservation(store::Connection& connection, const Reservation& reservation);

// Changing the type of a saved payment: proposes LASTREFNO + 1 (electronic, cash) or
// LASTCHQ + 1 (cheque) of the account and writes the counter at once (LASTCHQ only upwards).
qint64 numberForTypeChange(store::Connection& connection, int coy, const QString& bankCode,
                           const QString& acctNo, PayType type);

// A bank row of the company already carries this TRANNUM (any kind, any account).
bool numberInUse(store::Connection& connection, int coy, qint64 number);
// A payment of the company already has this TRANNUM.
bool duplicatePayment(store::Connection& connection, int coy, qint64 number);

// The number box read as a payment number: a whole number from 1 to what TRANNUM holds, or 0.
qint64 paymentNumberFromText(const QString& text);

}  // namespace payments
