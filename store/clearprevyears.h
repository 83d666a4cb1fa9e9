#pragma once
// Clearing previous years: the bank rows, journal lines, payments and payment lines dated in a
// range are deleted from every company of the data folder, and each bank account's opening
// balance (INITBAL and OPENBAL) takes the sum of its cleared rows in the same transaction, so
// its balance stays its opening balance plus its remaining rows.

#include <QDate>
#include <QString>

namespace store {

class Connection;

struct ClearRange {
    QDate from;
    QDate to;  // inclusive
};

// What a clear of the range would take away, and what it would take that is not settled yet.
struct ClearCounts {
    qint64 bankRows = 0;
    qint64 journalLines = 0;
    qint64 payments = 0;
    qint64 paymentLines = 0;
    qint64 unfinalisedTaxLines = 0;  // journal lines carrying tax not yet in a finalised return
    qint64 unreconciledRows = 0;     // bank rows not ticked off against a statement
    qint64 total() const { return bankRows + journalLines + payments + paymentLines; }
    bool unsettled() const { return unfinalisedTaxLines > 0 || unreconciledRows > 0; }
};
ClearCounts countRowsToClear(Connection& connection, const ClearRange& range);

// The date boxes' starting dates: the earliest bank row or journal line (today when there is
// none), and the day before the financial year that holds today.
QDate earliestEntryDate(Connection& connection, const QDate& today);
QDate defaultClearTo(const QDate& today);

// The confirmation asked before clearing, and the second question asked when the range holds
// rows that are not settled.
QString clearConfirmationText(const ClearRange& range, const ClearCounts& counts);
QString unsettledQuestionText(const ClearCounts& counts);

// The outcome: empty failedStep on success, else the step's name ("Bank Transactions",
// "Journal", "Cheques", "Cheque Details") and the engine's text.
struct ClearOutcome {
    QString failedStep;
    QString detail;
    bool ok() const { return failedStep.isEmpty(); }
};

// Clears the range. Refuses a range holding unsettled rows unless `unsettledConfirmed`, and a
// range whose tables another program or window has open. Never throws.
ClearOutcome clearPreviousYears(Connection& connection, const ClearRange& range,
                                bool unsettledConfirmed);

}  // namespace store
