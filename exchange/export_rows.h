#pragma once
// What the export reads: the journal lines of a date range with their ledger account's export
// fields, the bank transactions of the range (transfers left out), the payments and their lines.
// Rows are walked a page at a time so that a year of a large book never sits in memory whole.
#include <QDate>
#include <QString>
#include <functional>
#include <vector>

#include "store/connection.h"

namespace exchange {

struct ExportRange {
    int coy = 1;
    QDate start, end;  // inclusive
};

// A journal line (QVActTr) with EXPCODE, DOMESTIC and ALLOCPER of its ledger account.
struct JournalRow {
    QString acctCode, ref, suppCode, clientCode, gstType;
    int lineNo = 0;
    QString bankAcct, desc;
    double amount = 0, busAmt = 0;
    int zeroRated = 0;
    double gstAmt = 0;
    QDate gstDate;
    qint64 tranNum = 0;
    QDate tranDate;
    int hasBnkAcct = 0;
    QString tranType, splitDest, splitSourc, reason, cliJobNo;
    QString expCode;
    bool domestic = false;
    int allocPer = 0;
    bool isExpense() const { return tranType == QLatin1String("E"); }
    bool whollyPrivate() const { return domestic && allocPer == 100; }
    // BUSAMT for an account with a private share, else AMOUNT.
    double businessAmount() const { return domestic ? busAmt : amount; }
};

// A bank transaction (QVBnkTr).
struct BankTranRow {
    QString bankCode, bankAcct, source, destBank, destAcct, sourceBank, sourceAcct, reason;
    double amount = 0;
    int confirmed = 0, reconciled = 0;
    QDate tranDate;
    qint64 tranNum = 0;
    QString tranType, tranRef;
    int cshAccDet = 0;
};

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
qint64 countBankTranRows(store::Connection& c, const ExportRange& r);
// In TRANNUM, TRANDATE order; SOURCE "TRNFR" left out.
void forEachBankTranRow(store::Connection& c, const ExportRange& r,
                        const std::function<void(const BankTranRow&)>& fn);
// The journal lines of one bank transaction (its account number and TRANNUM) in the range.
std::vector<JournalRow> journalRowsOfBankTran(store::Connection& c, const ExportRange& r,
                                              const QString& bankAcct, qint64 tranNum);
// In CHQDATE order.
std::vector<PaymentRow> paymentRows(store::Connection& c, const ExportRange& r);
// The lines of one payment, by its key, so electronic and cash payments (CHEQUENO "0" on the
// payment) find their lines as cheques do.
std::vector<PaymentLineRow> paymentLineRows(store::Connection& c, int coy,
                                            const QString& paymentKey);

}  // namespace exchange
