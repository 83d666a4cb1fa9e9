#pragma once
// The journal lines of the account journal (QVActTr): the tax split, the private share of a
// ledger account, and the line a bank entry writes, finds, deletes and detaches. Every writer
// of journal lines (bank entries, payments, cash, the recurring run, imports) uses these.

#include <QDate>
#include <QString>
#include <QVariantMap>
#include <optional>

#include "store/connection.h"

namespace store {
class Query;
}

namespace banking {

// --- Tax ---------------------------------------------------------------------------------------

// Tax contained in a tax-inclusive amount, in cents as the tax box shows it (half away from
// zero): 115.00 at 15 gives 15.00, 10.01 gives 1.31. 0 for an amount not above 0 or a rate of 0.
double taxContained(double amount, double ratePercent);
// Tax added to a tax-exclusive amount (payments with "Add tax"), rounded to cents.
double taxAdded(double amount, double ratePercent);

// --- Company and ledger accounts -------------------------------------------------------------

// What the posting rules read of the active company: the first control record in COYCODE order.
struct Company {
    int coy = 1;
    QString busName;
    QString busCode;
    bool gstEnabled = false;
    double gstPercent = 0.0;
};
// Throws store::StoreError when the data folder holds no control record.
Company readCompany(store::Connection& connection);

// The fields of a ledger account (QVAccDet) that entries read.
struct LedgerAccount {
    QString acctCode;
    QString linkCode;  // "0" for a company-level account, else the department's link code
    int branch = 0;    // department number, 0 at company level
    QString fullCode;
    QString typeCode;  // "INC" or "EXP"
    QString descr;
    bool gstApplies = false;
    bool domestic = false;
    int allocPer = 0;
    QString domLink, domAcct, domDept, domFullCode;

    bool isIncome() const { return typeCode == QLatin1String("INC"); }
    bool isExpense() const { return typeCode == QLatin1String("EXP"); }
};
// The company's account with this code (trimmed), or nothing.
std::optional<LedgerAccount> findLedgerAccount(store::Connection& connection, int coy,
                                               const QString& acctCode);

// Business share in percent: 100 without a private share, 100 − ALLOCPER with one, 0 when the
// account is wholly private.
int businessShare(const LedgerAccount& account);
// What the entry windows show beside the account: DESCR, or DESCR + " 30 percent is domestic."
// or DESCR + " is wholly domestic.".
QString shareDescription(const LedgerAccount& account);
// The account passes its private share to another account (DOMESTIC 1 and DOMLINK set).
bool hasPrivateShareDestination(const LedgerAccount& account);
// The link code journal lines of the account carry: the company number at company level.
QString journalLinkOf(const LedgerAccount& account, int coy);

// --- The journal line of a bank entry ----------------------------------------------------------

enum class EntryType { Deposit, Withdrawal, Transfer, Interest, Fees, Cheque };

// TRANTYPE of the bank row: "DEP", "WD", "TR", "INT", "FEES", "CHQ".
QString bankRowType(EntryType type);
// The type of a bank row's TRANTYPE; nothing for an unknown text.
std::optional<EntryType> entryTypeOfRow(const QString& tranType);
// REASON of the journal line: "DEP", "WD", "TRAN", "INT", "FEES" ("CHQ" for payments).
QString journalReason(EntryType type);
// Money comes in (deposit, interest): the bank row's amount is positive.
bool isMoneyIn(EntryType type);
// The bank row's AMOUNT for an amount typed as a positive number.
double signedAmount(EntryType type, double amount);

// What the window proposes in the tax box: the tax contained in the amount for a deposit or
// withdrawal when the company and the account both carry tax; otherwise 0 (interest, fees and
// transfers never get a computed tax).
double proposedTax(EntryType type, const Company& company, const LedgerAccount& account,
                   double amount);

// Everything a bank entry's journal line is made from.
struct EntryLine {
    int coy = 1;
    QString bankCode;
    QString acctNo;
    qint64 reference = 0;  // the bank row's TRANNUM
    EntryType type = EntryType::Deposit;
    QDate date;
    double amount = 0.0;  // as typed: positive
    double tax = 0.0;     // the tax box
    QString source;
    QString narrative;
    LedgerAccount account;
    int lineNo = 0;  // LINENO: 0 for the single line of a bank entry, 1.. for the lines
                     // of an entry with several
    // Writers other than the bank transaction window name themselves (the recurring run: REASON
    // "AP", DESC "AP - " + narrative, the payee or payer); empty keeps the bank entry's values.
    QString reason;       // REASON; empty: journalReason(type)
    QString description;  // DESC; empty: source + "-" + narrative
    QString suppCode;     // SUPPCODE
    QString clientCode;   // CLIENTCODE
};

// The amounts of the line. BUSAMT is the amount while the business share is above 0 for every
// kind of entry (interest and fees included, so the business reports see them).
struct LineAmounts {
    double amount = 0.0;
    double busAmt = 0.0;
    double gstAmt = 0.0;
    int hasGst = 0;
};
LineAmounts lineAmounts(const EntryLine& line);

// Search keys of an entry's lines.
QString entrySearchCode(const QString& journalLink, const QString& acctCode, qint64 reference);
QString entrySplitLink(const QString& journalLink, const QString& domAcct, qint64 reference);
QString entryBnkLinkNo(const QString& bankCode, const QString& acctNo, qint64 reference);
QString entryBnkTrnLnk(const QString& bankCode, const QString& acctNo, qint64 reference, int coy);
// An entry's lines are sought by BNKLINKNO (indexed) and told by BNKTRNLNK: kEntryLinesWhere
// binds these two keys, as every writer of a line sets them together.
inline constexpr const char* kEntryLinesWhere = "BNKLINKNO =:sBnkLinkNo AND BNKTRNLNK =:sBnkTrnLnk";
QVariantMap entryLineKeys(const QString& bankCode, const QString& acctNo, qint64 reference,
                          int coy);
void bindEntryLineKeys(store::Query& q, const QString& bankCode, const QString& acctNo,
                       qint64 reference, int coy);

// The row id of the line of a bank entry: SRCHCODE as given, tied to the entry's bank account
// and number by BNKLINKNO (all accounts count from 1000000, so the search code alone is shared
// by the entries of equal number in different accounts). 0 when there is none.
qint64 findEntryLine(store::Connection& connection, const QString& searchCode,
                     const QString& bankCode, const QString& acctNo, qint64 reference);

// The row id of the private-share line whose SPLITLINK is `splitLink` (cut to the field), 0
// when there is none. SPLITLINK is indexed only on the lines that carry one.
qint64 findSplitLine(store::Connection& connection, const QString& splitLink);

enum class LineMode { Add, Edit };
// Writes the line. Add inserts a new line; Edit rewrites the line found by the search code the
// entry had before the edit (previousSearchCode), keeping its TRANNUM, COYCODE, REF and bank
// keys. Returns false, writing nothing, when in Edit no line is found. Store failures throw.
bool writeEntryLine(store::Connection& connection, LineMode mode, const EntryLine& line,
                    const QString& previousSearchCode = {});

// Deletes the lines of a bank entry: first the private-share line (SPLITLINK journal link +
// DOMACCT + reference) when the account has a private-share destination, then every line of the
// entry with its search code. Lines already in a tax return go the same way. Returns the count.
int deleteEntryLines(store::Connection& connection, const QString& journalLink,
                     const LedgerAccount& account, const QString& bankCode, const QString& acctNo,
                     qint64 reference);
// The same for an entry whose ledger account no longer exists: no private-share line.
int deleteEntryLines(store::Connection& connection, const QString& journalLink,
                     const QString& acctCode, const QString& bankCode, const QString& acctNo,
                     qint64 reference);

// Detaches a line from its bank entry (it stays in the journal): BNKTRNLNK and BNKLINKNO
// "0-0-0", HASBNKACCT 0, TRANNUM 0, REF "0". False when the line does not exist.
bool detachLine(store::Connection& connection, qint64 lineRowId);

}  // namespace banking
