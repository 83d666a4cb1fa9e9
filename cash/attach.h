#pragma once
// Attaching detail lines to a bank deposit or withdrawal ("Select" in the cash details window):
// the running value of the bank entry, which lines it accepts, the sums of attached income and
// expense handed back to the bank entry, and when the window may be left.

#include <QString>
#include <QtGlobal>

#include "cash/cash_lines.h"

namespace cash {

enum class BankSide { Deposit, Withdrawal };  // "DEP", "WD"

// Kept in cents, so that a long run of lines never drifts.
struct RunningValue {
    qint64 value = 0;    // the bank entry's signed value
    qint64 income = 0;   // attached lines on "INC" accounts
    qint64 expense = 0;  // attached lines on "EXP" accounts
    bool attached = false;

    static RunningValue startingAt(double signedAmount);
    double valueAmount() const { return double(value) / 100.0; }
    double incomeAmount() const { return double(income) / 100.0; }
    double expenseAmount() const { return double(expense) / 100.0; }
    // "Amount selected :": attached income less attached expense.
    double selectedAmount() const { return double(income - expense) / 100.0; }
};

struct AttachStep {
    bool accepted = false;
    QString refusal;  // the message when refused
    RunningValue after;
};
// Attaching a line of `amount` on an account of `typeCode` ("INC", "EXP", ...) to the entry.
// A deposit refuses an expense line that would leave its value at or below 0 (unless the value
// is still 0); a withdrawal likewise an income line that would leave it at or above 0.
AttachStep attachStep(BankSide side, const QString& typeCode, const RunningValue& before,
                      double amount);

// "Exit": the refusal, or empty when the window may close (a value of 0, or one whose sign
// suits the entry).
QString exitRefusal(BankSide side, const RunningValue& value);
QString exitWhileEditingText();  // "Cannot exit, save or cancel first!"

// The bank entry the lines are attached to, as the bank transaction window gives it.
struct BankEntryKeys {
    QString acctNo;
    qint64 reference = 0;
    QString bnkLinkNo;  // BANKCODE-ACCTNO-reference
    QString bnkTrnLnk;  // the same followed by -company
};
// Writes the attachment on the line: REF and TRANNUM the reference, BANKACCT, HASBNKACCT 1 and
// the two keys. The line leaves the cash list.
CashResult attachLine(store::Connection& connection, qint64 lineRowId, const BankEntryKeys& keys);

}  // namespace cash
