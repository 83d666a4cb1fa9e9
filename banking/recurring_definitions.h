#pragma once
// Recurring transaction definitions (QVRecTr): reading them, the set-up page's checks while
// typing, saving and deleting a definition, and storing its schedule. No widgets here.

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "banking/bank_posting.h"
#include "banking/journal_rules.h"
#include "banking/recurring_schedule.h"
#include "store/connection.h"

namespace store {
class Table;
}

namespace banking {

// One definition as stored.
struct Definition {
    qint64 rowId = 0;
    QString tranLink;
    int coy = 1;
    int branch = 0;
    QString linkCode;
    QString acctCode;
    QString bank;         // BANK: the bank code
    QString bankAccount;  // BANKCODE: bank code + "-" + account number
    QString acctNo;       // BANKACCT
    bool active = true;
    double amount = 0.0, actAmt = 0.0, domAmt = 0.0, busAmt = 0.0, gstAmt = 0.0;
    bool deposit = false;
    QString who, descr;
    QDate nextRun, runDate, finDate;
    QString type;  // TYPE, empty until a schedule is saved
    QString tranType;
    int numTrans = 0, transNo = 0;
    Frequency frequency;
    bool hasSplit = false;
    QString domLink, domAcct, domDept, domFullCode;
    bool hasGst = false;
};
Definition definitionAt(const store::Table& definitions);
// The definition with this TRANLINK (trimmed), or nothing.
std::optional<Definition> findDefinition(store::Connection& connection, const QString& tranLink);

// --- Checks while typing ----------------------------------------------------------------------

// "Purpose :" looked up among the company's ledger accounts.
struct PurposeLookup {
    std::optional<LedgerAccount> account;
    QString label;     // "Not found!", "Account is for : SHOP Shop", "Company level account."
    QString linkCode;  // the definition's LINKCODE: the account's, or the company code
    int branch = 0;
    QString deptCode;  // TRANCODE's department part
};
PurposeLookup lookUpPurpose(store::Connection& connection, int coy, const QString& code);

// "Bank Acct :" holds bank code + "-" + account number; nothing when no such account.
std::optional<BankAccount> lookUpDefinitionBank(store::Connection& connection, int coy,
                                                const QString& boxText);

// Business part of an amount at a business share: rounded to cents; 0 for a private account.
double businessPart(double amount, int share);

// --- Saving ------------------------------------------------------------------------------------

// The page's boxes.
struct DefinitionInput {
    int coy = 1;
    bool deposit = false;
    QString descr;
    QString purpose;      // ledger account code
    QString bankAccount;  // "Bank Acct :"
    double amount = 0.0;
    QString who;
    QDate nextRun;
};

enum class DefinitionSave {
    Saved,
    NoAmount,          // "Transaction amount must be entered."
    Duplicate,         // "Duplicate transaction codes are not permitted!"
    BeforeLastRun,     // "Next run date cannot be earlier than last run " + date
    AccountNotFound,   // the purpose or bank account is not there
    WrongAccountType,  // the bank entry window's words
    TooLarge,          // the amount does not fit
    Failed             // the store failed; nothing was changed
};
struct DefinitionResult {
    DefinitionSave outcome = DefinitionSave::Failed;
    QString message;   // the first message, empty when saved
    QString tranLink;  // of the saved definition
    QString detail;    // the store's words on failure
    bool ok() const { return outcome == DefinitionSave::Saved; }
};
// "Save did not succeed - make sure you have entered all the key fields!"
QString definitionSaveFailedText();

// Saves a new definition (editTranLink empty) or rewrites the one with that TRANLINK, and uses
// up one number of the bank account's counter, in one transaction. The tax (the bank entry's
// rule, on the whole amount), the business and private parts, the link code and department
// number follow the ledger account; HASGST follows the supplier found for a withdrawal's who,
// else the account.
DefinitionResult saveDefinition(store::Connection& connection, const DefinitionInput& input,
                                const QString& editTranLink = {});

// Deletes the definition; what it posted stays. False when it was not there.
bool deleteDefinition(store::Connection& connection, const QString& tranLink);

// The schedule window's "Save": TYPE, FINDATE, NUMTRANS, WEEKLY, RUNDAY, RUNMTH, TRACTIVE, and
// TRANSNO 0 when `restartCount`. Throws store::StoreError when the definition is gone.
void saveSchedule(store::Connection& connection, const QString& tranLink,
                  const ScheduleChoice& choice, bool restartCount);

}  // namespace banking
