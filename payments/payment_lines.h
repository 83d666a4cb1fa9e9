#pragma once
// Saving one line of a payment: the line row (QVChqDet), its journal line, the header's totals,
// the payment's "CHQ" bank row and the bank account's balance, all in one database
// transaction opened after the overdraft question is answered. No widgets.

#include <QString>
#include <optional>

#include "banking/bank_posting.h"
#include "payments/payment_result.h"
#include "payments/payment_tax.h"
#include "store/connection.h"

namespace payments {

// The detail boxes of one line as typed.
struct LineInput {
    int coy = 1;
    qint64 tranNum = 0;    // the payment's number
    qint64 lineRowId = 0;  // editing: the stored line; 0 adds a line
    QString acctCode;      // "Purpose :"
    QString narrative;
    double amount = 0.0;  // as typed: tax included, or excluded with "Add tax"
    double tax = 0.0;     // the tax box
    bool addTax = false;
    bool openingBalanceMode = false;  // the balance does not move
};

// What a line resolves to before it is written: the ledger account, its department, the line's
// tax and the figures the save writes.
struct ResolvedLine {
    LineInput input;
    PaymentHeader header;
    banking::BankAccount account;
    std::optional<PaymentLine> stored;
    std::optional<banking::LedgerAccount> ledger;
    LineDepartment department;
    PaymentSupplier supplier;
    LineTax tax;
    int lineNo = 0;         // LINENO of a new line
    double totAmt = 0.0;    // TOT_AMT to write
    double gstAmt = 0.0;    // GSTAMT to write
    double newTotal = 0.0;  // the payment's total afterwards
    double newBalance = 0.0;
};
struct LineResolution {
    PaymentProblem problem = PaymentProblem::None;
    ResolvedLine resolved;
};
LineResolution resolvePaymentLine(store::Connection& connection, const LineInput& input);
// The refusals of a line save, in the window's order.
PaymentProblem lineProblem(const ResolvedLine& r);

// Resolves, checks, asks the overdraft question (not in the opening-balance mode), then writes
// everything in one transaction. "No" to the question writes nothing: "Unable to save bank
// transaction.".
PaymentResult savePaymentLine(store::Connection& connection, const LineInput& input,
                              const banking::Confirm& confirm);

}  // namespace payments
