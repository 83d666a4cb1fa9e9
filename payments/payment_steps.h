#pragma once
// The named write steps every payment save and delete is made of: the payment's "CHQ" bank
// row, a line's journal line, the header's totals, and the overdraft question of a balance that
// falls. The bank row and balance writers are the bank entries' own (banking/bank_entry_steps.h);
// every writer here runs inside the caller's transaction.

#include <QDate>
#include <QString>
#include <optional>

#include "banking/bank_entry_steps.h"
#include "payments/payment_records.h"
#include "payments/payment_tax.h"
#include "store/connection.h"

namespace payments {

// REASON of the payment's bank row: "ACME Ltd  Cheque No : 101", "Electronic Transfer : 42",
// ...; a miscellaneous cheque rewritten with a payee's name: "Jo Bloggs-Cheque No : 101".
QString bankRowReason(PayType type, const PaymentSupplier& supplier, const QString& number,
                      bool rewriting);

// Writes the payment's bank row with AMOUNT = -total: inserted when the account has no row with
// the payment's number, else rewritten (a reconciled row keeps its bank, amount and account
// and takes only the date and narrative). A total not above zero deletes the row instead.
// `linkCode` and `branch` are those of the line being saved, for a row that is inserted.
void writePaymentBankRow(store::Connection& connection, const PaymentHeader& header,
                         const PaymentSupplier& supplier, double total, const QString& linkCode,
                         int branch);

// The overdraft question a falling balance asks, in payment entry's words; nothing when the
// balance does not fall or stays within what the account allows.
std::optional<banking::Confirmation> paymentOverdraftQuestion(const banking::BankAccount& account,
                                                              double newBalance);

// Everything a line's journal line (QVActTr) is made of.
struct PaymentJournalLine {
    PaymentHeader header;  // its number, account and date
    int lineNo = 0;
    QString narrative;
    banking::LedgerAccount account;
    LineDepartment department;
    double totAmt = 0.0;
    double gstAmt = 0.0;
    bool claimable = false;
    QString suppCode;  // the regular supplier's box text, "MISC" otherwise
    QString searchCode() const;
};
// The journal line with this search code under the payment's account and number; 0 when none.
qint64 findPaymentJournalLine(store::Connection& connection, const QString& searchCode,
                              const PaymentHeader& header);
// Inserts the journal line (rowIdToEdit 0) or rewrites the stored one. Amounts are written as
// sizes; BUSAMT is the amount while the account's business share is above 0 (the bank entries'
// rule); GSTCALC 0.
void writePaymentJournalLine(store::Connection& connection, const PaymentJournalLine& line,
                             qint64 rowIdToEdit = 0);

// The header's AMOUNT and GSTAMT become the sums of its lines' TOT_AMT and GSTAMT (BUSAMT 0) and
// NUMLINES the given count. Returns the new total.
double writeHeaderTotals(store::Connection& connection, const PaymentHeader& header, int numLines);

// Refuses to write outside a transaction.
void requirePaymentTransaction(store::Connection& connection, const char* what);

}  // namespace payments
