#pragma once
// The rules of bank set-up: banks (QVBkHdr) and the company's bank accounts (QVBnkAct) as the
// bank set-up window saves, checks and deletes them. No widgets here.

#include <QDate>
#include <QString>
#include <optional>

#include "banking/bank_posting.h"
#include "ledger/departments.h"
#include "store/connection.h"

namespace store {
class Table;
}

namespace banking {

// --- Banks ---------------------------------------------------------------------------------

// The boxes of the "Bank Information" page as typed.
struct BankDetails {
    QString bankCode;
    QString name, branch;
    QString postAddr1, postAddr2, postAddr3, postCode;
    QString phyAddr1, phyAddr2, phyAddr3;
    QString phoneNo, faxNo, email, contact;
};
// The bank at the table's current record.
BankDetails bankDetailsAt(const store::Table& banks);

enum class BankSave { Saved, EmptyCode, DuplicateCode };
// "Please enter a bank code."
QString enterBankCodeText();
// "Duplicate bank Code."
QString duplicateBankCodeText();

// Whether a bank with this code (trimmed) exists.
bool bankCodeUsed(store::Connection& connection, const QString& bankCode);
// The NAME of the bank with this code (trimmed), nothing when there is none.
std::optional<QString> bankName(store::Connection& connection, const QString& bankCode);

// Adds the bank to `banks` (QVBkHdr) and leaves the table on it. Refuses an empty code and a
// code already used. A store failure cancels the record and is thrown on.
BankSave addBank(store::Table& banks, const BankDetails& details);
// Writes everything but the code to the current bank and posts.
void updateBank(store::Table& banks, const BankDetails& details);

// "Confirm deletion of Bank " + name.
QString confirmBankDeletionText(const QString& name);
// Whether any bank account (of any company) is held with this bank.
bool bankHasAccounts(store::Connection& connection, const QString& bankCode);
// "Delete bank accounts before deleting bank!"
QString bankHasAccountsText();

enum class BankDelete {
    Deleted,
    HasAccounts,  // bankHasAccountsText()
    Missing       // no bank has this code (already deleted)
};
// Deletes the bank with this code, checking in the same transaction that no bank account of
// any company is held with it. A store failure is thrown on with nothing deleted.
BankDelete deleteBank(store::Connection& connection, const QString& bankCode);

// --- Bank accounts -------------------------------------------------------------------------

// The boxes of the "Bank Account(s)" page as typed; a default-constructed value holds what a
// new account starts with.
struct BankAccountDetails {
    QString bankCode;
    QString acctNo;
    QString desc;
    QString lastRefNo = QStringLiteral("1000000");  // "Last Transaction No. : "
    QString lastChq = QStringLiteral("0");          // "Last Cheque No. :"
    bool isDefault = false;
    bool deptOnly = false;
    // The department chosen in the picker. Editing an allocated account without choosing one
    // keeps the department it has.
    std::optional<ledger::Department> department;
    bool allowOd = false;
    QString odAmount = QStringLiteral("0.00");  // "Overdraft amount : "
};

enum class AccountSave {
    Saved,
    MissingKey,         // "Please enter a bank or account code."
    SameCounters,       // "Last transaction number must not be the same as ..."
    BankNotFound,       // "Bank code not found!"
    DuplicateAccount,   // "Duplicate Account!"
    DefaultAlreadySet,  // "Default account already set!"
    BankCodeLocked,     // the bank of an account with transactions cannot change
    Failed,             // "Save did not succeed - make sure you have entered all the key fields!"
};
QString accountSaveText(AccountSave result);

// The two counters may not be the same: compared as trimmed text, so 500 and 500.0 differ.
bool countersClash(const QString& lastRefNo, const QString& lastChq);
// Whether any bank account of any company has this account number (trimmed).
bool accountNumberUsed(store::Connection& connection, const QString& acctNo);
// Whether an account of the company other than the one numbered `acctNo` (trimmed) is the
// company's default.
bool otherDefaultAccount(store::Connection& connection, int coy, const QString& acctNo);
// Whether any bank transaction carries this BANKLINK.
bool bankAccountInUse(store::Connection& connection, const QString& bankLink);

// Saves the account: in Add mode a new record of `accounts` (left on it) with the company's
// code and business code, zero balances; in Edit mode its current record. Checks in this
// order: both keys typed, the counters, the bank, in Add mode the account number over the
// whole table, the default rule, in Edit mode a changed bank on an account in use. A counter
// or amount that is not a number gives Failed; a store failure cancels the record and is
// thrown on, so that the window shows the store's own text.
AccountSave saveBankAccount(store::Table& accounts, int coy, const QString& busCode,
                            const BankAccountDetails& details, EntryMode mode);

// The STARTDATE of the account with this BANKLINK (invalid when it has none).
QDate bankAccountStartDate(store::Connection& connection, const QString& bankLink);

// "Confirm deletion of Bank account " + the account number.
QString confirmAccountDeletionText(const QString& acctNo);
// "Cannot Delete!  Bank account " + bank code + " is in use."
QString accountInUseText(const QString& bankCode);

enum class BankAccountDelete {
    Deleted,
    InUse,   // accountInUseText(bank code)
    Missing  // no bank account has this BANKLINK (already deleted)
};
// Deletes the bank account with this BANKLINK, checking in the same transaction that no bank
// transaction carries it. A store failure is thrown on with nothing deleted.
BankAccountDelete deleteBankAccount(store::Connection& connection, const QString& bankLink);

}  // namespace banking
