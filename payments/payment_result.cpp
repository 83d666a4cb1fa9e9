#include "payments/payment_result.h"

#include "banking/money_limits.h"

namespace payments {

QString paymentProblemText(PaymentProblem problem, qint64 number) {
    switch (problem) {
        case PaymentProblem::None:
            return {};
        case PaymentProblem::BankAccountNotFound:
            return QStringLiteral("Cannot find this bank account!");
        case PaymentProblem::BadNumber:
            return banking::referenceRangeText();
        case PaymentProblem::NumberInUse:
            return QStringLiteral("This transaction number is in use.. enter another.");
        case PaymentProblem::DuplicateNumber:
            return QString::number(number) + QStringLiteral(" is a duplicate transaction number!");
        case PaymentProblem::RenumberFailed:
            return QStringLiteral("Could not update transaction number in details!");
        case PaymentProblem::NoPayment:
            return QStringLiteral("Cheque header required!");
        case PaymentProblem::NothingToEdit:
            return QStringLiteral("Nothing to edit!");
        case PaymentProblem::NoLines:
            return QStringLiteral("No entries to delete.");
        case PaymentProblem::LedgerNotFound:
            return QStringLiteral("Cannot find this cash account!");
        case PaymentProblem::DepartmentMismatch:
            return QStringLiteral(
                "This cash account does not use the same department as the bank account!");
        case PaymentProblem::NoAmount:
            return QStringLiteral("Amount must be greater than 0!");
        case PaymentProblem::AmountTooLarge:
            return banking::amountTooLargeText();
        case PaymentProblem::Locked:
            return QStringLiteral(
                "Reconciled or presented, or its sales tax calculated: "
                "amounts cannot be changed.");
        case PaymentProblem::TaxedDate:
            return QStringLiteral("Its sales tax has been calculated: the date cannot be changed.");
        case PaymentProblem::Reconciled:
            return QStringLiteral("Cannot delete ... has been reconciled!");
        case PaymentProblem::BankRowMissing:
            return QStringLiteral("Could not delete bank transaction  ") + QString::number(number);
    }
    return {};
}

PaymentResult paymentRefused(PaymentProblem problem, qint64 number) {
    PaymentResult r;
    r.outcome = banking::Outcome::Refused;
    r.problem = problem;
    r.message = paymentProblemText(problem, number);
    return r;
}

PaymentResult paymentDeclined(const QString& message) {
    PaymentResult r;
    r.outcome = banking::Outcome::Declined;
    r.message = message;
    return r;
}

PaymentResult paymentFailed(const QString& message, const QString& detail) {
    PaymentResult r;
    r.outcome = banking::Outcome::Failed;
    r.message = message;
    r.detail = detail;
    return r;
}

}  // namespace payments
