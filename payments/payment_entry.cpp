#include "payments/payment_entry.h"

#include "payments/payment_header.h"
#include "payments/payment_lines.h"
#include "payments/payment_numbers.h"
#include "store/error.h"

namespace payments {

double proposedPaymentLineTax(store::Connection& connection, int coy, qint64 tranNum,
                              const QString& acctCode, double amount, bool addTax) {
    LineInput probe;
    probe.coy = coy;
    probe.tranNum = tranNum;
    probe.acctCode = acctCode;
    const LineResolution r = resolvePaymentLine(connection, probe);
    if (r.problem != PaymentProblem::None || !r.resolved.ledger) return 0.0;
    return proposedLineTax(r.resolved.tax, amount, addTax);
}

EnteredPayment enterPayment(store::Connection& connection, const NewPayment& p,
                            const banking::Confirm& confirm) {
    EnteredPayment out;
    Reservation reservation;
    try {
        reservation = reserveNumbers(connection, p.coy, p.bankCode, p.acctNo);
    } catch (const store::StoreError&) {
        out.result = paymentRefused(PaymentProblem::BankAccountNotFound);
        return out;
    }
    const qint64 number = p.number > 0 ? p.number : proposedNumber(reservation, p.type);
    HeaderInput h{p.coy, p.type, QString::number(number), p.date, p.bankCode, p.acctNo, p.supplier};
    out.result = saveNewPayment(connection, h, reservation);
    if (!out.result.ok()) {
        cancelReservation(connection, reservation);
        return out;
    }
    out.number = number;
    for (const NewPaymentLine& l : p.lines) {
        LineInput in;
        in.coy = p.coy;
        in.tranNum = number;
        in.acctCode = l.acctCode;
        in.amount = l.amount;
        in.addTax = l.addTax;
        in.openingBalanceMode = p.openingBalanceMode;
        in.tax = proposedPaymentLineTax(connection, p.coy, number, l.acctCode, l.amount, l.addTax);
        in.narrative = l.narrative;
        if (in.narrative.isEmpty())
            if (const auto a = banking::findLedgerAccount(connection, p.coy, l.acctCode))
                in.narrative = a->descr.trimmed();
        out.result = savePaymentLine(connection, in, confirm);
        if (!out.result.ok()) return out;
    }
    return out;
}

}  // namespace payments
