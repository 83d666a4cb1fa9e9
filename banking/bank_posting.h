#pragma once
// The posting of a bank entry (QVBnkTr), as the bank transaction window and every later writer
// does it: reserving its number, the checks of a save, the save itself (bank row, running
// balance, a transfer's destination row and balance, the journal line) and the delete. A save
// or delete is one database transaction: it lands whole or leaves nothing changed.
//
// Questions for the user (overdraft, an entry of the same amount on the same date) are asked
// through a callback the caller supplies, before the write transaction opens: the window
// answers with message boxes, tests and tools answer directly. The steps these functions are
// made of (resolve, check, ask, write) are in bank_entry_steps.h for other writers to reuse.

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

#include "banking/journal_rules.h"
#include "store/connection.h"

namespace banking {

// The fields of a bank account (QVBnkAct) that entries read.
struct BankAccount {
    int coy = 1;
    QString bankCode;
    QString acctNo;
    QString bankLink;
    QString desc;
    bool deptOnly = false;  // BRALLOC 1
    int branch = 0;
    QString linkCode;
    bool allowOd = false;
    double odAmount = 0.0;
    double openBal = 0.0;
    double initBal = 0.0;
    double currBal = 0.0;
    qint64 lastRefNo = 0;
};
std::optional<BankAccount> findBankAccount(store::Connection& connection, int coy,
                                           const QString& bankCode, const QString& acctNo);
int countBankAccounts(store::Connection& connection, int coy);

// "New F2": the account's next transaction number (LASTREFNO + 1, 1 when it is empty), written
// back to LASTREFNO at once and committed, so the number is used up even when the entry is
// cancelled. Throws store::StoreError when the account does not exist.
qint64 reserveReferenceNumber(store::Connection& connection, int coy, const QString& bankCode,
                              const QString& acctNo);

enum class EntryMode { Add, Edit };

// One bank entry as the window's boxes hold it.
struct BankEntry {
    int coy = 1;
    QString bankCode;  // the account the entry belongs to
    QString acctNo;
    EntryType type = EntryType::Deposit;
    qint64 reference = 0;  // "Ref. No. :", the row's TRANNUM
    QDate date;
    double amount = 0.0;    // as typed: positive
    double tax = 0.0;       // the tax box
    QString ledgerAccount;  // "Purpose :"
    QString narrative;
    QString source;
    bool hasDetails = false;  // "Has details": the lines are written by the details window
    QString destBank;         // transfers: "To Account  :"
    QString destAcct;
    bool reconciled = false;              // the read-only "Reconciled" box, for a new row
    bool depositsNotOnStatement = false;  // the opening-balance mode: balances stay as they are
};

// Why an entry cannot be saved, edited or deleted. problemText gives the window's words.
enum class Problem {
    None,
    AccountNotFound,
    OnlyOneAccount,
    NoDestination,
    DestinationIsSource,
    DestinationNotFound,
    InvalidLedgerAccount,
    DepartmentMismatch,
    NoSource,
    DuplicateReference,
    NoAmount,
    NothingToEdit,
    EditInPayments,  // a "CHQ" row: the window opens payment entry instead
    TransferNotEditable,
    HasDetails,
    ChequeRow,
    Reconciled,
    MustDeleteFromSource,
    DestinationRow,
    TypeChanged,          // an edit may not change the kind of a saved row
    BadReference,         // the number is not a whole number from 1 to the counter's limit
    AmountTooLarge,       // the amount or tax does not fit the amount fields
    BalanceTooLarge,      // the running balance would leave what CURRBAL holds
    TaxCalculated,        // editing: a finalised tax return counted the entry's lines
    TaxCalculatedDelete,  // deleting: the same
};
QString problemText(Problem problem);

// The words beside "Purpose :" when the chosen ledger account does not suit the type (empty
// when it suits): "Journal account for a deposit must be income." and its withdrawal twin.
QString ledgerAccountRefusal(EntryType type, const LedgerAccount& account);
// The ledger account may not be used from this bank account: the bank account belongs to one
// department and the ledger account to another.
bool departmentMismatch(const BankAccount& bankAccount, const LedgerAccount& account);

enum class Question {
    SameAmountSameDate,
    OverdraftNotPermitted,
    OverdraftLimitExceeded,
    FiledTaxPeriod  // the date lies in a period whose tax return is finalised
};
struct Confirmation {
    Question question;
    QString text;  // the exact message, e.g. "Transaction exceeds overdraft limit...proceed?"
};
// Returns true for "Yes".
using Confirm = std::function<bool(const Confirmation&)>;
// Answers every question "Yes" (tools that post on the user's behalf).
bool alwaysYes(const Confirmation&);

enum class Outcome {
    Done,      // saved or deleted
    Refused,   // a check failed: show message (problem says which)
    Declined,  // a question was answered "No": show message when it is not empty
    Failed,    // the store failed; nothing was changed: show message, detail is the store's text
};

struct SaveResult {
    Outcome outcome = Outcome::Done;
    Problem problem = Problem::None;
    QString message;
    QString detail;
    double balance = 0.0;             // the account's CURRBAL afterwards
    double destinationBalance = 0.0;  // transfers: the destination's CURRBAL afterwards
    qint64 destinationReference = 0;  // transfers: the destination row's TRANNUM
    bool ok() const { return outcome == Outcome::Done; }
};

// "Edit F3": whether the row may be edited here (Problem::None), must be edited in payment
// entry (EditInPayments) or not at all (among others TaxCalculated: a finalised tax return
// counted its lines, and changing them would change a filed return's figures).
Problem editRefusal(store::Connection& connection, int coy, const QString& bankCode,
                    const QString& acctNo, qint64 reference);

// Every check of "Save F4" in the window's order (entryProblem of bank_entry_steps.h), then in
// add mode the same-amount question ("New entry matches entry No. ..."; "No" declines
// silently), then the filed-period question when a new entry or a changed date lies in a period
// whose tax return is finalised ("No" declines silently). Done when the entry may be posted.
SaveResult checkBankEntry(store::Connection& connection, const BankEntry& entry, EntryMode mode,
                          const Confirm& confirm);

// Posts the entry: the overdraft question (not for deposits) is asked before the write
// transaction opens; inside it the entry is resolved and checked again (postingProblem) and
// written in named steps (writeResolvedEntry): a transfer's destination balance, LASTREFNO and
// row, the running balance, the bank row, the journal line (a new line when adding or when the
// edited row had none; otherwise the line the row had is rewritten or moved to the new
// account). An overdraft that appears only inside the transaction declines the save.
SaveResult postBankEntry(store::Connection& connection, const BankEntry& entry, EntryMode mode,
                         const Confirm& confirm);

// checkBankEntry, then postBankEntry when it passes: the entry is resolved for the checks and
// questions, and once more inside the write transaction.
SaveResult saveBankEntry(store::Connection& connection, const BankEntry& entry, EntryMode mode,
                         const Confirm& confirm);

// "Delete F6": refusals first (details, cheque, reconciled, transfer seen from its destination),
// then the overdraft questions on the balances the delete lowers — before anything is deleted —,
// then the journal lines, a transfer's destination row, the bank row and the balances.
SaveResult deleteBankEntry(store::Connection& connection, int coy, const QString& bankCode,
                           const QString& acctNo, qint64 reference, const Confirm& confirm,
                           bool depositsNotOnStatement = false);

}  // namespace banking
