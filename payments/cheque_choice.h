#pragma once
// What the cheque report dialog decides before anything is printed: whether the company (or a
// supplier) has payments, the payment a number names and its description line, the first
// payment and supplier it proposes, and which report "Print" and "Pre&View" make. No widgets.

#include <QDate>
#include <QString>
#include <optional>

#include "store/connection.h"

namespace payments {

// A payment as the dialog's description line shows it.
struct ChequeSummary {
    qint64 tranNum = 0;
    QString supplier;  // SUPPLIER
    QString cliCode;   // CLICODE (refunds)
    double amount = 0;
    QDate date;
};

bool companyHasPayments(store::Connection& connection, int coy);
// The company's payment with this TRANNUM.
std::optional<ChequeSummary> findChequeSummary(store::Connection& connection, int coy,
                                               qint64 tranNum);
// The payment the number box names: its text read as a whole number.
std::optional<ChequeSummary> chequeNamedBy(store::Connection& connection, int coy,
                                           const QString& numberText);
// TRANNUM of the company's first payment in the order they were entered.
std::optional<qint64> firstPaymentNumber(store::Connection& connection, int coy);
// TRANNUM of the company's first payment whose SUPPLIER is this code.
std::optional<qint64> firstPaymentOfSupplier(store::Connection& connection, int coy,
                                             const QString& suppCode);
// SUPPCODE of the company's first supplier in the order they were added; empty without one.
QString firstSupplierCode(store::Connection& connection, int coy);

// "Supplier : ACME Amount 115.00  On : 3/06/2025", the refund and plain forms, or
// "Cannot find cheque." without a payment.
QString chequeDescription(const std::optional<ChequeSummary>& payment);

// What "Print" and "Pre&View" make.
enum class ChequeOutput {
    NoCheques,       // beep, chequesNoneText()
    PaymentReport,   // the cheque report of the one payment
    ChequePrint,     // the payment printed on cheque stationery
    DateRangeReport  // the cheque report of the dates (and supplier)
};
ChequeOutput chequeOutput(bool hasPayments, bool specificPayment, bool displayDetails);

QString chequesNoneText();            // "This Company has no cheques."
QString chequesNoneForAccountText();  // "This bank account has no cheques."
QString chequeNotFoundText();         // "Cannot find cheque."
QString supplierNotFoundText();       // "Cannot find this supplier."

}  // namespace payments
