#pragma once
// Editing one journal line of a bank entry with details (the entry details window's "Edit"),
// with the private-share line of its account kept in step: the line that carries the private
// part of the amount to the account's DOMACCT, keyed by the bank entry's reference so that the
// entry's delete finds it.

#include <QDate>
#include <QString>

#include "cash/cash_lines.h"

namespace cash {

QString privateShareFailedText();  // "Unable to save to domestic account!"

// The line as the edit window's boxes hold it.
struct LineEdit {
    int coy = 1;
    qint64 rowId = 0;  // the journal line being edited
    QString acctCode;
    QDate date;
    QString narrative;
    double amount = 0.0;
    double tax = 0.0;
    bool companyTaxable = false;
};

// The private part of an amount: amount x ALLOCPER / 100, rounded to cents.
double privatePart(const banking::LedgerAccount& account, double amount);

struct LineEditResult {
    CashResult line;              // the line itself
    QString privateShareProblem;  // not empty when the private-share line was not written
};
// "Save": rewrites the line and then, for an account that passes its private share on, writes
// (or rewrites) its private-share line, in one transaction. A failure of the private-share line
// alone leaves the edited line saved and says so.
LineEditResult saveJournalLine(store::Connection& connection, const LineEdit& edit);

}  // namespace cash
