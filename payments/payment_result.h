#pragma once
// What a payment save or delete returns: done, or why not, in the window's own words. A refusal
// is a result the window shows, never a message box inside the rules.

#include <QString>

#include "banking/bank_posting.h"

namespace payments {

enum class PaymentProblem {
    None,
    BankAccountNotFound,  // "Cannot find this bank account!"
    BadNumber,            // not a whole number in TRANNUM's range
    NumberInUse,          // "This transaction number is in use.. enter another."
    DuplicateNumber,      // number + " is a duplicate transaction number!"
    RenumberFailed,       // "Could not update transaction number in details!"
    NoPayment,            // "Cheque header required!"
    NothingToEdit,        // "Nothing to edit!"
    NoLines,              // "No entries to delete."
    LedgerNotFound,       // "Cannot find this cash account!"
    DepartmentMismatch,   // "This cash account does not use the same department as ..."
    NoAmount,             // "Amount must be greater than 0!"
    AmountTooLarge,       // "Amount too large."
    Locked,               // reconciled, presented or its tax calculated
    TaxedDate,            // a new date for a payment whose tax was calculated
    Reconciled,           // "Cannot delete ... has been reconciled!"
    BankRowMissing,       // "Could not delete bank transaction  " + TRANNUM
};

struct PaymentResult {
    banking::Outcome outcome = banking::Outcome::Done;
    PaymentProblem problem = PaymentProblem::None;
    QString message;  // what the window shows; empty when nothing is to be shown
    QString detail;   // the store's own words after a failure
    bool ok() const { return outcome == banking::Outcome::Done; }
};

// The window's words for a problem; `number` fills the messages that name the payment.
QString paymentProblemText(PaymentProblem problem, qint64 number = 0);

PaymentResult paymentRefused(PaymentProblem problem, qint64 number = 0);
PaymentResult paymentDeclined(const QString& message);
PaymentResult paymentFailed(const QString& message, const QString& detail);

// The words of a declined or failed save of a line, and of a failed delete.
inline const QString kBankRowNotSaved = QStringLiteral("Unable to save bank transaction.");
inline const QString kCannotDelete = QStringLiteral("Cannot delete.");
inline const QString kDetailsInUse = QStringLiteral("Could not delete details..may be in use.");

}  // namespace payments
