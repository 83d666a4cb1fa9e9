#pragma once
// Reconciling a bank account against the bank's statement: the account's unreconciled rows, the
// reconciled amount (the presented ones) and balance, presenting or cancelling a row, and "Up
// Date", which closes the presented rows once the reconciled balance equals the statement's
// closing balance. A "CHQ" row's presented mark is mirrored onto its payment header (QVChHdr,
// found by the company and TRANNUM). Presenting, cancelling and "Up Date" are each one database
// transaction; money is compared in cents. No widgets here.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <functional>
#include <optional>
#include <vector>

#include "banking/bank_posting.h"
#include "store/connection.h"

namespace banking {

inline const QString kNoStatementBalance = QStringLiteral("Please enter the statement balance.");
inline const QString kBalancesDiffer =
    QStringLiteral("Statement balance does not equal reconciled balance!");

// The company's bank accounts in the order they were added (tag COYCODE).
std::vector<BankAccount> companyBankAccounts(store::Connection& connection, int coy);

// What the header of the reconciliation window and the transaction viewer shows of an account.
struct AccountHeading {
    QString bank;         // the bank's NAME + " Branch : " + its BRANCH
    QString account;      // BANKCODE + "-" + ACCTNO
    QString description;  // DESC
};
AccountHeading accountHeading(store::Connection& connection, const BankAccount& account);

// The query of the account's unreconciled rows, oldest first (with each row's rowid), and its
// parameters.
QStringList unreconciledRowsSql();
QVariantMap unreconciledRowsParams(const QString& bankLink);

// The statement balance as typed: any plain number, 0.00 included; nothing when the box is
// empty or not a number.
std::optional<double> statementBalance(const QString& typed);

// The account's figures, in cents.
struct ReconciliationFigures {
    qint64 opening = 0;     // OPENBAL: the balance at the last reconciliation
    qint64 reconciled = 0;  // sum of AMOUNT over the unreconciled rows marked presented
    qint64 prevBal = 0;     // PREVBAL: the statement balance of an unfinished reconciliation
    qint64 balance() const { return opening + reconciled; }
};
// Nothing when the account is not there.
std::optional<ReconciliationFigures> reconciliationFigures(store::Connection& connection, int coy,
                                                           const QString& bankCode,
                                                           const QString& acctNo);

enum class ReconcileOutcome { Done, NoStatementBalance, BalancesDiffer, NotFound };
QString reconcileMessage(ReconcileOutcome outcome);

struct PresentResult {
    ReconcileOutcome outcome = ReconcileOutcome::Done;
    bool presented = false;  // the row's mark afterwards
};
// "Present" / "Cancel" on the row with this rowid (an unreconciled row of the company): the
// statement balance must be a number; the mark flips on the row and, for a "CHQ" row, on its
// payment header, in one transaction.
PresentResult togglePresented(store::Connection& connection, int coy, qint64 rowId,
                              const QString& statementText);

// "Up Date": refused unless the statement balance is a number equal in cents to the reconciled
// balance (then nothing is written). Otherwise, in one transaction: every presented row becomes
// reconciled (CONFIRMED 0, RECONCILED 1), the payment headers of its "CHQ" rows get CONFIRMED 1,
// and the account gets RECAMOUNT = the reconciled amount, OPENBAL = the statement balance,
// REC_DATE = today, RECOK 1 and PREVBAL 0. `progress` is told how many rows are done.
ReconcileOutcome completeReconciliation(
    store::Connection& connection, int coy, const QString& bankCode, const QString& acctNo,
    const QString& statementText, const QDate& today,
    const std::function<void(int done, int total)>& progress = {});

// Keeps the typed statement balance in the account's PREVBAL when the user leaves the account
// or the window (0 for an empty box; text that is not a number leaves PREVBAL as it was).
void rememberStatementBalance(store::Connection& connection, int coy, const QString& bankCode,
                              const QString& acctNo, const QString& statementText);

}  // namespace banking
