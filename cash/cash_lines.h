#pragma once
// The company's cash lines: journal lines (QVActTr) not tied to a bank entry. A cash transaction
// is one such line, numbered in its own series; the details of a bank deposit or withdrawal are
// such lines too, numbered by line, until they are attached to the entry (cash/attach.h). The
// amounts, tax split and keys are those of every journal line (banking/journal_rules.h).

#include <QDate>
#include <QString>
#include <optional>

#include "banking/journal_rules.h"
#include "store/connection.h"

namespace store {
class Table;
}

namespace cash {

// "Cannot find account!" and the other words of the cash windows.
QString accountNotFoundText();
QString amountNotPositiveText();    // "You must enter a transaction amount greater than zero."
QString saveFailedText();           // "Unable to save... try again."
QString deleteFailedText();         // "Unable to delete this entry!"
QString taxCalculatedDeleteText();  // "Cannot delete, Tax has been calculated."

// A ledger account as the cash windows resolve it from "Purpose :".
struct CashAccount {
    banking::LedgerAccount ledger;
    QString linkCode;  // the journal link code: the company number at company level
    int branch = 0;
    QString deptCode, deptName;  // empty at company level
    bool deptTaxable = true;     // the department's GSTENABLED is not 0 (always at company level)

    bool companyLevel() const { return deptCode.isEmpty() && deptName.isEmpty() && branch == 0; }
};
std::optional<CashAccount> resolveCashAccount(store::Connection& connection, int coy,
                                              const QString& acctCode);

// Tax is taken on the line: the company carries tax and the account's department does not
// switch it off.
bool lineTaxable(bool companyTaxable, const CashAccount& account);
// What the tax box proposes for a typed amount: the tax contained in it for a taxable account,
// 0 otherwise (also for a rate of 0).
double proposedCashTax(bool companyTaxable, double ratePercent, const CashAccount& account,
                       double amount);
// TRANTYPE of a line of the account: "E", "I", or nothing for another type code.
QString lineType(const banking::LedgerAccount& account);

// The cash list of the company: its lines with BNKLINKNO "0-0-0" and REASON not "PAY", in store
// order within the company. Opens the table.
void openCashList(store::Table& lines, int coy);

// "Total amount : " of the cash details window: the listed lines' amounts, expense lines ("E")
// taken negative.
double cashListTotal(store::Connection& connection, int coy);

// The number a new cash transaction takes: TRANNUM of the company's last listed line + 1, 1
// for the first. Bank entry numbers play no part.
qint64 nextCashNumber(store::Connection& connection, int coy);
// The line number a new detail line takes: LINENO of the last listed line + 1, 1 for the first.
qint64 nextDetailLineNumber(store::Connection& connection, int coy);

enum class CashKind {
    Transaction,  // the company's cash transactions: numbered by TRANNUM
    DetailLine    // an unattached detail line of a bank entry: numbered by LINENO
};

// One cash line as the window's boxes hold it.
struct CashEntry {
    CashKind kind = CashKind::Transaction;
    int coy = 1;
    qint64 number = 0;  // "Number : " or "Line No. : "
    QString acctCode;   // "Purpose :"
    QDate date;
    QString narrative;
    double amount = 0.0;  // positive
    double tax = 0.0;     // the tax box
    bool companyTaxable = false;
};

struct CashResult {
    bool ok = true;
    QString message;
    qint64 rowId = 0;
};

// The amounts a cash line stores: AMOUNT, BUSAMT (the amount while the account keeps a business
// share, else 0) and the tax when the line is taxable.
banking::LineAmounts cashLineAmounts(const CashAccount& account, double amount, double tax,
                                     bool companyTaxable);

// "Save": a new line (rowIdToEdit 0) or the stored one rewritten, in one transaction.
CashResult saveCashLine(store::Connection& connection, const CashEntry& entry,
                        qint64 rowIdToEdit = 0);
// "Delete": refused for a line counted in a finalised tax return (GSTCALC not 0).
CashResult deleteCashLine(store::Connection& connection, qint64 rowId);

}  // namespace cash
