#pragma once
// Ledger accounts of a company and its departments: their keys, the uniqueness of their codes,
// when an account is in use, and what a save writes. No widgets here.

#include <QString>
#include <optional>

#include "ledger/departments.h"
#include "ledger/private_share.h"

namespace store {
class Connection;
class Table;
}  // namespace store

namespace ledger {

// The keys an account carries for its department (none: company level).
struct AccountKeys {
    QString branch;    // BRANCH as text, "0" at company level
    QString linkCode;  // the department's LINKCODE, "0" at company level
    QString fullCode;  // LINKCODE-ACCTCODE, or coy-ACCTCODE at company level
    int coyAcct = 0;   // 1 at company level
};
AccountKeys accountKeys(int coy, const std::optional<Department>& department,
                        const QString& acctCode);

// The boxes of an account window as typed.
struct AccountDetails {
    QString acctCode;  // used when adding; an edit keeps the stored code
    QString deptCode;  // blank: a company-level account
    QString descr;
    QString expCode;
    std::optional<QString> balCode;            // written only by the window that shows it
    QString typeCode = QStringLiteral("INC");  // "INC" or "EXP"
    QString rptCat = QStringLiteral("I");      // "I", "E" or "O"
    bool inclPl = false;
    bool gstApplies = false;
    bool active = true;
    std::optional<PrivateUse> privateUse;  // written only by a window that shows it
};

enum class AccountSave {
    Saved,
    EmptyCode,           // the code box is blank
    DuplicateCode,       // the code is already an ACCTCODE of the company
    UnknownDepartment,   // the department box holds a code no department of the company has
    DepartmentLocked,    // the department would change on an account in use
    PrivateShareRefused  // the private use group holds what cannot be saved (see refusal)
};

// The texts the account windows show for a refusal.
QString duplicateAccountText();  // "This code is a duplicate of an existing one."
QString unknownDepartmentSaveText();
QString departmentLockedText();  // "Cannot change, or include, department.  This account ..."
QString accountInUseText(const QString& acctCode);  // "Cannot Delete!  Account X is in use."
QString noDepartmentFoundText();                    // "Could not find that department/division!"
QString companyLevelText();                         // "Company level account."

// Whether the company already has an account with this code (trimmed, cut to the field width),
// in any department or at company level.
bool accountCodeUsed(store::Connection& connection, int coy, const QString& acctCode);

// An account is in use when a journal line of the company carries its code or a bank row
// carries its FULLCODE. Such an account keeps its department and cannot be deleted.
bool accountInUse(store::Connection& connection, int coy, const QString& acctCode,
                  const QString& fullCode);

// Adds an account to `accounts` (QVAccDet) and leaves the table on it.
AccountSave addAccount(store::Table& accounts, int coy, const AccountDetails& details,
                       PrivateShareRefusal* why = nullptr);
// Saves the details to the current account of `accounts`; its code stays.
AccountSave updateAccount(store::Table& accounts, int coy, const AccountDetails& details,
                          PrivateShareRefusal* why = nullptr);
// Both: a store failure cancels the record and is thrown on; a refused private share sets
// `why`. Fields the details leave out (the private share when `privateUse` is empty, the budget
// fields) are kept.

enum class AccountDelete {
    Deleted,
    InUse,   // accountInUseText(code)
    Missing  // the company has no account with this code (already deleted)
};
// Deletes the company's account with this code, checking in the same transaction that it is
// not in use. A store failure is thrown on with nothing deleted.
AccountDelete deleteAccount(store::Connection& connection, int coy, const QString& acctCode);

// Packs the account table; false, with nothing done, when it cannot be had exclusively.
bool packAccounts(store::Connection& connection);

// The company's account codes in code order (tests, gallery).
QStringList accountCodesOf(store::Connection& connection, int coy);

}  // namespace ledger
