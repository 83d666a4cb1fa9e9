#pragma once
// The named steps of posting a bank entry, for every writer of bank rows and journal lines
// (the bank transaction window, payment entry, cash, the recurring run, the imports):
//
//   resolve   everything the entry names is read once into a ResolvedEntry (bank account,
//             ledger account, transfer destination, the stored row when editing);
//   check     entryProblem / postingProblem decide on that value alone, without the store;
//   ask       sameAmountQuestion / overdraftQuestion give the questions to put to the user
//             before the write transaction opens;
//   post      writeAccountBalance, writeBankRow (bankRowOf, destinationRowOf) and
//             writeEntryLine (entryLineOf) write inside the caller's transaction.
//
// bank_posting.h strings these together for the bank transaction window.

#include <QDate>
#include <QString>
#include <optional>

#include "banking/bank_posting.h"
#include "banking/journal_rules.h"
#include "store/bulkwrite.h"
#include "store/connection.h"
#include "store/table.h"

namespace banking {

// --- Resolve ---------------------------------------------------------------------------------

// A bank row (QVBnkTr) as it is stored.
struct StoredBankRow {
    qint64 rowId = 0;
    qint64 tranNum = 0;
    QString tranType;
    QDate date;
    double amount = 0.0;  // signed
    QString narrative;    // REASON
    QString linkCode;
    int branch = 0;
    QString purpose;
    QString destBank, destAcct, sourceAcct;
    bool details = false;
    bool reconciled = false;
};
// The account's row with this number, or nothing.
std::optional<StoredBankRow> findStoredBankRow(store::Connection& connection, int coy,
                                               const QString& bankCode, const QString& acctNo,
                                               qint64 reference);
// The destination row of a transfer whose source row is in account `sourceAcct` with this
// number, or nothing.
std::optional<StoredBankRow> findTransferDestinationRow(store::Connection& connection, int coy,
                                                        const QString& sourceAcct,
                                                        const QString& destBank,
                                                        const QString& destAcct, qint64 reference);

// An earlier entry of the same signed amount on the same date in the account.
struct SameAmountEntry {
    qint64 tranNum = 0;
    QString reason;
};

// Everything a save of one bank entry reads, read once.
struct ResolvedEntry {
    BankEntry entry;  // as given
    EntryMode mode = EntryMode::Add;
    BankAccount account;
    std::optional<LedgerAccount> ledger;     // "Purpose :"; none for a transfer or not found
    std::optional<BankAccount> destination;  // transfers: chosen when adding, stored when editing
    std::optional<StoredBankRow> stored;     // editing: the row as it was
    std::optional<StoredBankRow> destinationRow;  // editing a transfer: its destination row
    int accountCount = 0;                         // transfers: the company's bank accounts
    bool referenceTaken = false;                  // adding: the number is used in the account
    std::optional<SameAmountEntry> sameAmount;    // adding: same amount, same date

    bool isTransfer() const { return entry.type == EntryType::Transfer; }
    // The row's lines are written by the details window: ticked, or the stored row has them.
    bool hasDetails() const;
    // The entry's amount (positive, rounded to cents) and, when editing, the stored one.
    double amount() const;
    double previousAmount() const;
    // The link code and department number the row and its line carry.
    QString journalLink() const;
    int branch() const;
};

// Reads what the entry names. Problem::None, or AccountNotFound, NothingToEdit (editing a row
// that is not there) or EditInPayments (a "CHQ" row) when there is nothing to resolve.
struct Resolution {
    Problem problem = Problem::None;
    ResolvedEntry resolved;
};
Resolution resolveBankEntry(store::Connection& connection, const BankEntry& entry, EntryMode mode);

// --- Check -----------------------------------------------------------------------------------

// Every refusal of "Save F4" in the window's order (edit refusals, destination, ledger account
// and source, department, duplicate number, the number's range, the amount, the balances).
Problem entryProblem(const ResolvedEntry& r);
// Only what cannot be posted at all (a writer that checked its own way still gets these): the
// kind, the number, the amount, the ledger account, the destination, the balances.
Problem postingProblem(const ResolvedEntry& r);

// The balances after the entry (before when they do not move).
struct EntryBalances {
    bool moves = false;               // not in the opening-balance mode
    double balance = 0.0;             // the account's CURRBAL
    double destinationBalance = 0.0;  // transfers
    qint64 destinationNumber = 0;     // adding a transfer: the destination row's TRANNUM
};
EntryBalances entryBalances(const ResolvedEntry& r);

// --- Ask -------------------------------------------------------------------------------------

// "New entry matches entry No. 42 for DEP. Save anyway?" when adding an entry like an earlier
// one. Nothing otherwise.
std::optional<Confirmation> sameAmountQuestion(const ResolvedEntry& r);
// The overdraft question the entry's new balance asks (never for a deposit or when the balance
// does not move).
std::optional<Confirmation> overdraftQuestion(const ResolvedEntry& r, const EntryBalances& b);
// The overdraft question a new balance asks of an account, if any.
std::optional<Confirmation> overdraftQuestion(const BankAccount& account, double newBalance);
// "This date falls in a tax period already filed (...). ... Save anyway?" for a date inside a
// period whose tax return is finalised, since no later return would count what is saved there.
// Every writer of journal lines asks it before saving a new entry or a changed date.
std::optional<Confirmation> filedPeriodQuestion(store::Connection& connection, int coy,
                                                const QDate& date);
// The same for an entry: when adding, or when editing moves the entry to another date.
std::optional<Confirmation> filedPeriodQuestion(store::Connection& connection,
                                                const ResolvedEntry& r);

// --- Post (inside the caller's transaction; the writers throw outside one) -----------------

// Writes CURRBAL (rounded to cents) and, when lastRefNo > 0, LASTREFNO of an account.
void writeAccountBalance(store::Connection& connection, int coy, const QString& bankCode,
                         const QString& acctNo, double balance, qint64 lastRefNo = 0);

// The values of one bank row. Written whole on every save; BNKTRNLNK, CONFIRMED and
// RECONCILED only when the row is inserted.
struct BankRow {
    int coy = 1;
    QString bankCode, acctNo;  // the account the row belongs to
    qint64 tranNum = 0;
    QDate date;
    QString tranType;     // "DEP", "WD", "TR", "INT", "FEES", "CHQ"
    double amount = 0.0;  // signed
    int branch = 0;
    QString linkCode;
    QString fullCode;
    QString purpose;
    QString fullLink;
    QString narrative;  // REASON
    QString source;
    bool details = false;  // CSHACCDET
    QString tranRef;
    QString destBank, destAcct;
    QString sourceBank, sourceAcct;
    QString bnkTrnLnk;        // written on insert
    bool reconciled = false;  // written on insert
};
// Inserts the row (rowIdToEdit 0) or rewrites the stored one. Returns its row id.
qint64 writeBankRow(store::Connection& connection, const BankRow& row, qint64 rowIdToEdit = 0);
// The same through a bank row table the caller keeps open (an import writing many rows).
qint64 writeBankRow(store::Table& bankRows, const BankRow& row, qint64 rowIdToEdit = 0);
// A prepared insert of new bank rows, and a row inserted through it, for a run that inserts
// many (an import); the fields are the ones writeBankRow writes.
store::RowInserter bankRowInserter(store::Connection& connection);
qint64 writeBankRow(store::RowInserter& inserter, const BankRow& row);

// The entry's own row, and a transfer's row in the destination account.
BankRow bankRowOf(const ResolvedEntry& r);
BankRow destinationRowOf(const ResolvedEntry& r, qint64 destinationNumber);
// The journal line of an entry that has one (not a transfer, no details).
EntryLine entryLineOf(const ResolvedEntry& r);

// Writes the resolved and checked entry in named steps: balances, bank row, destination row,
// journal line. Store failures throw; the caller's transaction rolls them back.
SaveResult writeResolvedEntry(store::Connection& connection, const ResolvedEntry& r,
                              const EntryBalances& balances);

}  // namespace banking
