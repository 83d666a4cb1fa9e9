#pragma once
// The rules of importing one statement line: what a line fills and the narrative memory brings
// back, the bank account and ledger account checks, the tax proposal, the reference checks, the
// overlap question and the acceptance. An accepted line is posted by the bank entries' own rules
// (a deposit, withdrawal, interest or fee) or by payment entry's (a cheque becomes a one-line
// payment to a miscellaneous supplier), all in one database transaction. No widgets.

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

#include "banking/bank_posting.h"
#include "exchange/statement_formats.h"
#include "exchange/statement_memory.h"
#include "store/connection.h"

namespace exchange {

// The " Type " choices; the index is what the narrative memory keeps.
enum class ImportType { Deposit = 0, Withdrawal = 1, Cheque = 2, Interest = 3, Fees = 4 };
const QStringList& importTypeNames();
std::optional<ImportType> importTypeOfIndex(int index);
banking::EntryType bankEntryType(ImportType type);

// The window's words.
inline const QString kAccountNotFoundText = QStringLiteral("Account cannot be found.");
inline const QString kOpeningMissingText = QStringLiteral("Opening balances not created!");
inline const QString kOpeningMissingError =
    QStringLiteral("Must create account's opening balance!");
inline const QString kBankCodeNotFoundText = QStringLiteral("Cannot find this bank code");
inline const QString kLedgerNotFoundText = QStringLiteral("Cannot find account!");
inline const QString kLedgerInactiveText =
    QStringLiteral("Sorry.  This account is inactive. You will need to activate it");
inline const QString kOtherDepartmentText =
    QStringLiteral("This bank account is linked to another department!");
inline const QString kNoBankChosenText = QStringLiteral("Please select a source bank!");
inline const QString kNoSourceText = QStringLiteral("Please select a source for the transaction.");
inline const QString kNoAmountText = QStringLiteral("Please make sure there is an amount to save.");
inline const QString kOverlapQuestion =
    QStringLiteral("Transaction date overlaps a previous transaction.  Continue?");
inline const QString kNotImportedText = QStringLiteral(
    "Selected record not imported! It could be a duplicate cheque or for the wrong bank.");
inline const QString kFinishFirstText = QStringLiteral("Cancel operation or Accept to allow exit!");
inline const QString kCompanyLevelText = QStringLiteral("Company level account.");
QString referenceInUseText(const QString& reference);
QString alreadyExistsText(const QString& reference);

// --- The bank account ------------------------------------------------------------------------

struct ImportBankAccount {
    banking::BankAccount account;
    qint64 lastChq = 0;
    QString allocatedText;        // "Account is allocated to : " + department, or empty
    bool departmentTaxed = true;  // the account's department carries tax (or it has none)
};
enum class BankAccountState { NotFound, NoOpeningBalance, Found };
struct BankAccountCheck {
    BankAccountState state = BankAccountState::NotFound;
    ImportBankAccount found;  // NoOpeningBalance and Found
};
BankAccountCheck checkImportBankAccount(store::Connection& connection, int coy,
                                        const QString& bankCode, const QString& acctNo);

// --- The ledger account ----------------------------------------------------------------------

struct ImportLedger {
    QString problem;  // the words beside "Purpose :"; empty when it may be used
    bool beep = false;
    std::optional<banking::LedgerAccount> account;
    QString belongsText;  // "Account belongs to : " + department, or "Company level account."
    bool departmentTaxed = true;
    bool ok() const { return problem.isEmpty() && account.has_value(); }
};
// Found, active, of the bank account's department when the bank account has one, and of the
// kind the bank entries accept for the type.
ImportLedger resolveImportLedger(store::Connection& connection, int coy, const QString& code,
                                 const ImportBankAccount* bank, ImportType type);

// The tax box: the tax contained in the amount when the company (and the departments) and the
// account carry tax, its sign following the amount; 0 otherwise.
double importTax(bool taxed, double ratePercent, double amount);

// --- Filling the details -----------------------------------------------------------------------

// The details of the line being imported, as the boxes hold them.
struct ImportDetails {
    ImportType type = ImportType::Deposit;
    QString reference;  // "Ref. No. :"
    QDate date;
    double amount = 0.0;  // signed, as shown
    QString purpose;
    QString narrative;
    QString source;
};
// "Add": type Deposit, the next reference (LASTREFNO + 1, 1 for an empty counter), today.
ImportDetails resetDetails(const ImportBankAccount& bank, const QDate& today);
// The reference a type proposes: LASTCHQ + 1 for a cheque of a format without cheque numbers,
// LASTREFNO + 1 otherwise; empty when the format brings the number itself.
QString proposedReference(const ImportBankAccount& bank, ImportType type,
                          bool formatCarriesCheques);
// The line's fields, the memory of its narrative applied first and then overridden by the
// format's own rules: money out makes a withdrawal, a cheque a Cheque/Payment with its number.
void fillFromStatement(ImportDetails& details, const StatementLine& line,
                       const std::optional<RememberedNarrative>& memory);
// Choosing the "CHEQUE" source makes the line a cheque.
bool sourceMakesCheque(const QString& source);

// The overlap question is asked when a "Last Date" is stored and the date is not later.
bool overlapsLastDate(const QDate& date, const QDate& lastDate);

// The reference is in use: a payment of the company with that cheque number (cheques), or a
// bank row of the account with that key (the other types).
bool importReferenceInUse(store::Connection& connection, int coy, ImportType type,
                          const QString& bankCode, const QString& acctNo, const QString& reference);

// --- Accepting -------------------------------------------------------------------------------

struct AcceptInput {
    int coy = 1;
    bool bankChosen = false;  // a format is chosen in "Select your bank :"
    QString bankCode, acctNo;
    ImportDetails details;
    // The file's line the details came from, kept with the entry so that the same line is known
    // when the statement is loaded again; nothing for an entry typed by hand.
    std::optional<StatementLine> statementLine;
};
struct AcceptResult {
    banking::Outcome outcome = banking::Outcome::Done;
    QString message;  // the window's words; empty after a question answered "No"
    QString detail;   // the posting rules' own words after a failure
    bool beep = false;
    double balance = 0.0;  // the account's CURRBAL afterwards
    bool ok() const { return outcome == banking::Outcome::Done; }
};
// Every check, then the questions (before the write transaction opens): the filed tax period's
// for a date in a period whose return is finalised, then the overdraft. Then in one transaction:
// the payment (a cheque) or the bank entry, each written by its own posting rules, the account's
// counter and the statement line the entry came from. Any failure leaves nothing written.
AcceptResult acceptImportLine(store::Connection& connection, const AcceptInput& input,
                              const banking::Confirm& confirm);

}  // namespace exchange
