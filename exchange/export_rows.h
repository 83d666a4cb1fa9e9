#pragma once
// What the export reads: the journal lines of a date range with their ledger account's export
// fields, the bank transactions of the range, the payments and their lines.
// Rows are walked a page at a time so that a year of a large book never sits in memory whole.
#include <QDate>
#include <QString>
#include <functional>
#include <span>
#include <vector>

#include "exchange/own_records.h"
#include "store/connection.h"
#include "store/rowwalk.h"

namespace exchange {

struct ExportRange {
    int coy = 1;
    QDate start, end;  // inclusive
};

// A journal line (QVActTr) with EXPCODE, DOMESTIC and ALLOCPER of its ledger account.
struct JournalRow : OwnJournalRecord {
    QString expCode;
    bool domestic = false;
    int allocPer = 0;
    bool isExpense() const { return tranType == QLatin1String("E"); }
    bool whollyPrivate() const { return domestic && allocPer == 100; }
    // BUSAMT for an account with a private share, else AMOUNT.
    double businessAmount() const { return domestic ? busAmt : amount; }
};

// A bank transaction (QVBnkTr).
using BankTranRow = OwnBankRecord;

// A payment (QVChHdr) and a line of it (QVChqDet) with its ledger account code.
struct PaymentRow {
    QString chequeNo, key;  // CHEQUENO, CHQBNKCOY
    QDate chqDate;
    double amount = 0;
};
struct PaymentLineRow {
    QString chequeNo;
    QDate chqDate;
    double totAmt = 0, gstAmt = 0;
    QString narrative, acctCode;
};

qint64 countJournalRows(store::Connection& c, const ExportRange& r);
// In TRANNUM order.
void forEachJournalRow(store::Connection& c, const ExportRange& r,
                       const std::function<void(const JournalRow&)>& fn);
// The accountant's formats leave out transfers between the company's own accounts (SOURCE
// "TRNFR"); the own format carries both rows of each, so that its import moves them too.
enum class Transfers { LeftOut, Included };
qint64 countBankTranRows(store::Connection& c, const ExportRange& r,
                         Transfers transfers = Transfers::LeftOut);
// In TRANNUM, TRANDATE order.
void forEachBankTranRow(store::Connection& c, const ExportRange& r,
                        const std::function<void(const BankTranRow&)>& fn,
                        Transfers transfers = Transfers::LeftOut);
// The journal lines of one bank transaction (its account number and TRANNUM) in the range.
std::vector<JournalRow> journalRowsOfBankTran(store::Connection& c, const ExportRange& r,
                                              const QString& bankAcct, qint64 tranNum);
// The own format's records read straight from the engine (a year's export writes hundreds of
// thousands): the selected columns are the record's fields in file order, each written as its
// OwnField says.
enum class OwnField {
    Text,         // quoted, trailing blanks dropped, inner quotes doubled
    Whole,        // a whole number
    WholeNumber,  // a whole number written as numberText writes it
    Number,       // numberText
    Date,         // the short date
    QuotedDate,   // the short date, quoted
};
struct OwnColumn {
    const char* column;
    OwnField field;
};
std::span<const OwnColumn> ownJournalColumns();
std::span<const OwnColumn> ownBankColumns();
// The journal lines of the range in TRANNUM order, as forEachJournalRow walks them.
void forEachOwnJournalRow(store::Connection& c, const ExportRange& r,
                          const std::function<void(const store::RowView&)>& fn);
// The bank transactions of the range with the transfers, as forEachBankTranRow walks them.
void forEachOwnBankRow(store::Connection& c, const ExportRange& r,
                       const std::function<void(const store::RowView&)>& fn);

// In CHQDATE order.
std::vector<PaymentRow> paymentRows(store::Connection& c, const ExportRange& r);
// The lines of one payment, by its key, so electronic and cash payments (CHEQUENO "0" on the
// payment) find their lines as cheques do.
std::vector<PaymentLineRow> paymentLineRows(store::Connection& c, int coy,
                                            const QString& paymentKey);

}  // namespace exchange
