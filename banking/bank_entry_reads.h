#pragma once
// What the bank transaction window reads besides the posting itself: the company's bank
// accounts and the one it opens on, whether a number is in use, the account's running total in
// the opening-balance mode, the journal figures of a shown row, and what the details window's
// changes mean for the row when it closes.

#include <QString>
#include <optional>
#include <vector>

#include "banking/bank_posting.h"
#include "store/connection.h"

namespace banking {

// The company's bank accounts, in BANKLINK order or as they were added (the order
// reconciliation steps through them).
enum class AccountOrder { ByLink, AsAdded };
std::vector<BankAccount> bankAccountsOf(store::Connection& connection, int coy,
                                        AccountOrder order = AccountOrder::ByLink);
// The account the window opens on: the company's account marked DEFAULT, else its first.
std::optional<BankAccount> defaultBankAccount(store::Connection& connection, int coy);
// The bank code names a bank of QVBkHdr.
bool bankExists(store::Connection& connection, const QString& bankCode);

// The account already has a row with this TRANNUM.
bool referenceInUse(store::Connection& connection, int coy, const QString& bankCode,
                    const QString& acctNo, qint64 reference);
// "Transaction total :": the sum of AMOUNT over every row of the account.
double accountRowsTotal(store::Connection& connection, int coy, const QString& bankCode,
                        const QString& acctNo);

// The amount and tax of a row's journal line, found by the row's LINKCODE, PURPOSE and TRANNUM.
struct LineFigures {
    double amount = 0.0;
    double gstAmt = 0.0;
};
std::optional<LineFigures> entryLineFigures(store::Connection& connection, const QString& linkCode,
                                            const QString& purpose, const QString& bankCode,
                                            const QString& acctNo, qint64 reference);

// After the details window removed lines of a row with details: a zero total deletes the row,
// a total other than the row's amount becomes its amount (balance moved as for an edit). The
// lines' own amounts already left the row and the balance as they were removed, so an entry
// whose lines are all of its own kind needs nothing more. A reconciled row stays as it is.
SaveResult applyDetailsTotal(store::Connection& connection, int coy, const QString& bankCode,
                             const QString& acctNo, qint64 reference, const Confirm& confirm,
                             bool depositsNotOnStatement = false);

}  // namespace banking
