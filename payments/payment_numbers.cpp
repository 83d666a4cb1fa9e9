#include "payments/payment_numbers.h"

#include <algorithm>

#include "banking/money_limits.h"
#include "store/error.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"

namespace payments {

namespace keys = store::keys;

namespace {

// The account row positioned for an edit, or a StoreError.
void seekCounters(store::Table& t, int coy, const QString& bankCode, const QString& acctNo) {
    t.setIndexName(QStringLiteral("BANKLINK"));
    t.open();
    if (!t.findKey(keys::bankAccountLink(coy, bankCode, acctNo)))
        throw store::StoreError(
            QStringLiteral("Bank account %1-%2 not found.").arg(bankCode, acctNo));
}

void requireCounterTransaction(store::Connection& c) {
    if (c.transactionDepth() == 0)
        throw store::StoreError(QStringLiteral("Payment numbers settled outside a transaction."));
}

bool anyRow(store::Connection& c, const QString& sql, const QVariant& coy, qint64 number) {
    store::Query q(c);
    q.setSql(sql);
    q.bind(QStringLiteral("iCoyCode"), coy);
    q.bind(QStringLiteral("iTranNum"), number);
    q.open();
    return !q.eof();
}

}  // namespace

Reservation reserveNumbers(store::Connection& connection, int coy, const QString& bankCode,
                           const QString& acctNo) {
    store::Transaction tx(connection);
    store::Table t(connection, QStringLiteral("QVBnkAct.DBF"));
    seekCounters(t, coy, bankCode, acctNo);
    Reservation r{coy, bankCode.trimmed(), acctNo.trimmed(), t.integer(QStringLiteral("LASTCHQ")),
                  t.integer(QStringLiteral("LASTREFNO"))};
    t.edit();
    t.setValue(QStringLiteral("LASTCHQ"), r.lastChq + 1);
    t.setValue(QStringLiteral("LASTREFNO"), r.lastRefNo + 1);
    t.post();
    tx.commit();
    return r;
}

qint64 proposedNumber(const Reservation& reservation, PayType type) {
    return type == PayType::Cheque ? reservation.lastChq + 1 : reservation.lastRefNo + 1;
}

void settleNumbers(store::Connection& connection, const Reservation& r, PayType type,
                   qint64 number) {
    requireCounterTransaction(connection);
    store::Table t(connection, QStringLiteral("QVBnkAct.DBF"));
    seekCounters(t, r.coy, r.bankCode, r.acctNo);
    const qint64 lastChq = t.integer(QStringLiteral("LASTCHQ"));
    const qint64 lastRefNo = t.integer(QStringLiteral("LASTREFNO"));
    // A counter only goes down to give back this payment's own reservation, and only while no
    // other program has taken a number after it; otherwise a number could be handed out twice.
    const bool chequeStillLast = lastChq == r.lastChq + 1;
    const bool referenceStillLast = lastRefNo == r.lastRefNo + 1;
    t.edit();
    if (type == PayType::Cheque) {
        t.setValue(QStringLiteral("LASTCHQ"), std::max(number, lastChq));
        if (referenceStillLast) t.setValue(QStringLiteral("LASTREFNO"), r.lastRefNo);
    } else {
        t.setValue(QStringLiteral("LASTREFNO"), std::max(number, lastRefNo));
        if (chequeStillLast) t.setValue(QStringLiteral("LASTCHQ"), r.lastChq);
    }
    t.post();
}

void cancelReservation(store::Connection& connection, const Reservation& r) {
    store::Transaction tx(connection);
    store::Table t(connection, QStringLiteral("QVBnkAct.DBF"));
    seekCounters(t, r.coy, r.bankCode, r.acctNo);
    if (t.integer(QStringLiteral("LASTCHQ")) == r.lastChq + 1) {
        t.edit();
        t.setValue(QStringLiteral("LASTCHQ"), r.lastChq);
        t.post();
    }
    tx.commit();
}

qint64 numberForTypeChange(store::Connection& connection, int coy, const QString& bankCode,
                           const QString& acctNo, PayType type) {
    store::Transaction tx(connection);
    store::Table t(connection, QStringLiteral("QVBnkAct.DBF"));
    seekCounters(t, coy, bankCode, acctNo);
    const qint64 lastChq = t.integer(QStringLiteral("LASTCHQ"));
    const qint64 proposed =
        type == PayType::Cheque ? lastChq + 1 : t.integer(QStringLiteral("LASTREFNO")) + 1;
    t.edit();
    t.setValue(type == PayType::Cheque ? QStringLiteral("LASTCHQ") : QStringLiteral("LASTREFNO"),
               proposed);
    t.post();
    tx.commit();
    return proposed;
}

bool numberInUse(store::Connection& connection, int coy, qint64 number) {
    return anyRow(connection,
                  QStringLiteral("SELECT TRANNUM FROM QVBNKTR WHERE COYCODE = :iCoyCode AND "
                                 "TRANNUM = :iTranNum LIMIT 1"),
                  coy, number);
}

bool duplicatePayment(store::Connection& connection, int coy, qint64 number) {
    return anyRow(connection,
                  QStringLiteral("SELECT TRANNUM FROM QVCHHDR WHERE COYCODE = :iCoyCode AND "
                                 "TRANNUM = :iTranNum LIMIT 1"),
                  QString::number(coy), number);
}

qint64 paymentNumberFromText(const QString& text) { return banking::referenceFromText(text); }

}  // namespace payments
