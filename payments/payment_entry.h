#pragma once
// A whole payment entered as the payment window enters one, for the tools that post on the
// user's behalf (the sample books, the benchmark, the reliability workers, later the imports):
// numbers reserved on the account, the header saved, then each line saved with the tax the
// window proposes. No widgets.

#include <QDate>
#include <QString>
#include <vector>

#include "banking/bank_posting.h"
#include "payments/payment_records.h"
#include "payments/payment_result.h"
#include "store/connection.h"

namespace payments {

struct NewPaymentLine {
    QString acctCode;
    double amount = 0.0;  // tax included, or excluded with addTax
    bool addTax = false;
    QString narrative;  // empty: the account's description, as the window proposes
};

struct NewPayment {
    int coy = 1;
    QString bankCode, acctNo;
    PayType type = PayType::Electronic;
    qint64 number = 0;  // 0: the number the window proposes for the type
    QDate date;
    QString supplier;  // a supplier code, a payee's name, or empty
    std::vector<NewPaymentLine> lines;
    bool openingBalanceMode = false;
};

// The tax the window proposes for a line of the payment: nothing unless the company, the line's
// department, the account and the supplier all allow it.
double proposedPaymentLineTax(store::Connection& connection, int coy, qint64 tranNum,
                              const QString& acctCode, double amount, bool addTax);

struct EnteredPayment {
    PaymentResult result;  // the first refusal or failure, or done
    qint64 number = 0;     // the payment's number once its header is saved
};
// Enters the payment; stops at the first step that does not succeed (its result is returned
// and what was saved before stays, as in the window).
EnteredPayment enterPayment(store::Connection& connection, const NewPayment& payment,
                            const banking::Confirm& confirm);

}  // namespace payments
