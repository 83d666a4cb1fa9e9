#pragma once
// Payments as they are stored: the header (QVChHdr), its lines (QVChqDet), the kinds of payment
// and the supplier a payment names. Every writer and reader of payments uses these; no widgets.

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "store/connection.h"

namespace payments {

enum class PayType { Cheque, Electronic, Cash };

// PAYTYPE: "CHQ", "EDI", "CSH".
QString payTypeCode(PayType type);
// The type of a stored PAYTYPE: "CHQ" cheque, "EDI" electronic, anything else cash.
PayType payTypeOf(const QString& code);
// SOURCE of the payment's bank row: "CHEQUE", "EDI", "CASH".
QString bankRowSource(PayType type);

// The supplier a payment names, resolved from the supplier box.
struct PaymentSupplier {
    QString boxText;       // as typed, trimmed: a supplier code or a payee's name
    bool regular = false;  // found among the company's suppliers
    QString code;          // SUPPCODE, "MISC" for a miscellaneous supplier
    QString busName;       // regular suppliers
    bool gstRegistered = true;
    // The name line of the window: "Miscellaneous supplier.", the business name, or the name
    // followed by " is not G.S.T. registered.".
    QString nameLine() const;
};
// A box text that is no supplier code of the company is a miscellaneous payee.
PaymentSupplier resolvePaymentSupplier(store::Connection& connection, int coy,
                                       const QString& boxText);

// A payment header as stored.
struct PaymentHeader {
    qint64 rowId = 0;
    int coy = 1;
    qint64 tranNum = 0;
    QString chequeNo;
    PayType type = PayType::Electronic;
    QString bankCode, acctNo;
    QString supplierText;  // SUPPLIER
    bool regular = false;  // SUPPTYPE "REG"
    QDate date;
    double amount = 0.0;
    double gstAmt = 0.0;
    int numLines = 0;
    bool confirmed = false;
    bool gstCalc = false;
    QString key() const;  // CHQBNKCOY
    // Reconciled, presented or in a tax return: no line may be added, deleted or change amount.
    bool locked() const { return confirmed || gstCalc; }
};
std::optional<PaymentHeader> findPayment(store::Connection& connection, int coy, qint64 tranNum);
// The header with this row id (a reference from paymentRefs), or nothing.
std::optional<PaymentHeader> findPaymentAtRow(store::Connection& connection, qint64 rowId);
// The company's payments in the order the window browses them: row id and number.
struct PaymentRef {
    qint64 rowId = 0;
    qint64 tranNum = 0;
};
std::vector<PaymentRef> paymentRefs(store::Connection& connection, int coy);

// A payment line as stored.
struct PaymentLine {
    qint64 rowId = 0;
    int lineNo = 0;
    QString linkCode;
    QString acctNo;  // the ledger account's code
    QString narrative;
    double totAmt = 0.0;
    double gstAmt = 0.0;
    int gstCalc = 0;
    QString number;  // CHEQUENO: the payment number the line was written under
    // SRCHCODE of its journal line: link code, account, payment number, line number.
    QString searchCode() const { return searchCodeFor(number); }
    QString searchCodeFor(const QString& paymentNumber) const;
};
// The lines of a payment in the order they were stored.
std::vector<PaymentLine> paymentLines(store::Connection& connection, const QString& paymentKey);

// "SELECT SUM(C.AMOUNT) FROM QVCHHDR C WHERE ...": the payments on one account of the company,
// what the opening-balance mode hands back as the payments not yet on the statement.
double accountPaymentsTotal(store::Connection& connection, int coy, const QString& acctNo);

}  // namespace payments
