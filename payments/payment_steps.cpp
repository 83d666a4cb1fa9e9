#include "payments/payment_steps.h"

#include <cmath>

#include "store/error.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"

namespace payments {

namespace fmt = store::fmt;
namespace keys = store::keys;

void requirePaymentTransaction(store::Connection& connection, const char* what) {
    if (connection.transactionDepth() == 0)
        throw store::StoreError(
            QStringLiteral("%1 written outside a transaction.").arg(QLatin1String(what)));
}

QString bankRowReason(PayType type, const PaymentSupplier& s, const QString& number,
                      bool rewriting) {
    QString words;
    switch (type) {
        case PayType::Cheque:
            words = QStringLiteral("Cheque No : ");
            break;
        case PayType::Electronic:
            words = QStringLiteral("Electronic Transfer : ");
            break;
        case PayType::Cash:
            words = QStringLiteral("Cash transaction : ");
            break;
    }
    const QString n = number.trimmed();
    if (s.regular)
        return s.busName + QStringLiteral(" ") +
               (type == PayType::Cheque ? QStringLiteral(" ") : QString()) + words + n;
    if (type == PayType::Cheque && rewriting && !s.boxText.isEmpty())
        return s.boxText + QLatin1Char('-') + words + n;
    return words + n;
}

void writePaymentBankRow(store::Connection& connection, const PaymentHeader& h,
                         const PaymentSupplier& supplier, double total, const QString& linkCode,
                         int branch) {
    requirePaymentTransaction(connection, "A payment's bank row");
    const auto stored =
        banking::findStoredBankRow(connection, h.coy, h.bankCode, h.acctNo, h.tranNum);
    if (fmt::cents(total) <= 0) {
        if (!stored) return;
        store::Table rows(connection, QStringLiteral("QVBnkTr.DBF"));
        rows.open();
        if (rows.gotoRowId(stored->rowId)) rows.remove();
        return;
    }
    const QString number = QString::number(h.tranNum);
    banking::BankRow row;
    row.coy = h.coy;
    row.bankCode = h.bankCode;
    row.acctNo = h.acctNo;
    row.tranNum = h.tranNum;
    row.date = h.date;
    row.tranType = banking::bankRowType(banking::EntryType::Cheque);
    row.amount = -fmt::roundTo(total, 2);
    row.linkCode = stored ? stored->linkCode : linkCode;
    row.branch = stored ? stored->branch : branch;
    row.fullLink = keys::fullLink(h.bankCode, h.acctNo, row.linkCode);
    row.source = bankRowSource(h.type);
    row.narrative = bankRowReason(h.type, supplier, number, stored.has_value());
    row.bnkTrnLnk = keys::bankEntryKey(h.bankCode, h.acctNo, number);
    if (stored && stored->reconciled) row.amount = stored->amount;  // the statement's figure
    banking::writeBankRow(connection, row, stored ? stored->rowId : 0);
}

std::optional<banking::Confirmation> paymentOverdraftQuestion(const banking::BankAccount& account,
                                                              double newBalance) {
    if (fmt::cents(newBalance) >= fmt::cents(account.currBal)) return std::nullopt;
    auto q = banking::overdraftQuestion(account, newBalance);
    if (q && q->question == banking::Question::OverdraftNotPermitted)
        q->text = QStringLiteral("Overdraft not permitted in this account...proceed?");
    return q;
}

QString PaymentJournalLine::searchCode() const {
    return keys::paymentLineSearchCode(department.linkCode, account.acctCode,
                                       QString::number(header.tranNum), lineNo);
}

qint64 findPaymentJournalLine(store::Connection& connection, const QString& searchCode,
                              const PaymentHeader& h) {
    return banking::findEntryLine(connection, searchCode, h.bankCode, h.acctNo, h.tranNum);
}

namespace {

void setPaymentJournalFields(store::Table& t, const PaymentJournalLine& l) {
    const PaymentHeader& h = l.header;
    const QString acct = l.account.acctCode.trimmed();
    const QString link = l.department.linkCode;
    t.setValue(QStringLiteral("LINENO"), l.lineNo);
    t.setValue(QStringLiteral("BANKACCT"), h.acctNo);
    t.setValue(QStringLiteral("BRANCH"), l.department.branch);
    t.setValue(QStringLiteral("LINKCODE"), link);
    if (l.account.isExpense() || l.account.isIncome())
        t.setValue(QStringLiteral("TRANTYPE"),
                   l.account.isExpense() ? QStringLiteral("E") : QStringLiteral("I"));
    t.setValue(QStringLiteral("GSTTYPE"), QStringLiteral("N"));
    t.setValue(QStringLiteral("BNKLINKNO"),
               banking::entryBnkLinkNo(h.bankCode, h.acctNo, h.tranNum));
    t.setValue(QStringLiteral("BNKTRNLNK"),
               banking::entryBnkTrnLnk(h.bankCode, h.acctNo, h.tranNum, h.coy));
    t.setValue(QStringLiteral("SRCHCODE"), l.searchCode());
    t.setValue(QStringLiteral("ACCTCODE"), acct);
    t.setValue(QStringLiteral("FULLCODE"), keys::fullCodeFromLink(link, acct));
    t.setValue(QStringLiteral("DESC"), l.narrative);
    t.setValue(QStringLiteral("TRANDATE"), h.date);
    t.setValue(QStringLiteral("HASBNKACCT"), 1);
    t.setValue(QStringLiteral("ZERORATED"), 0);
    t.setValue(QStringLiteral("REASON"), banking::journalReason(banking::EntryType::Cheque));
    t.setValue(QStringLiteral("SUPPCODE"), l.suppCode);
    // The bank entries' amounts rule: BUSAMT follows the business share.
    banking::EntryLine e;
    e.type = banking::EntryType::Cheque;
    e.amount = std::abs(l.totAmt);
    e.tax = std::abs(l.gstAmt);
    e.account = l.account;
    const banking::LineAmounts a = banking::lineAmounts(e);
    t.setValue(QStringLiteral("AMOUNT"), a.amount);
    t.setValue(QStringLiteral("BUSAMT"), a.busAmt);
    t.setValue(QStringLiteral("GSTAMT"), a.gstAmt);
    t.setValue(QStringLiteral("GSTCALC"), 0);
    t.setValue(QStringLiteral("HASGST"), l.claimable ? 1 : 0);
}

}  // namespace

void writePaymentJournalLine(store::Connection& connection, const PaymentJournalLine& l,
                             qint64 rowIdToEdit) {
    requirePaymentTransaction(connection, "A payment's journal line");
    store::Table t(connection, QStringLiteral("QVActTr.DBF"));
    t.open();
    if (rowIdToEdit == 0) {
        t.insert();
        t.setValue(QStringLiteral("TRANNUM"), l.header.tranNum);
        t.setValue(QStringLiteral("COYCODE"), QString::number(l.header.coy));
        t.setValue(QStringLiteral("REF"), QString::number(l.header.tranNum));
    } else {
        if (!t.gotoRowId(rowIdToEdit))
            throw store::StoreError(QStringLiteral("Journal line %1 vanished.").arg(rowIdToEdit));
        t.edit();
    }
    try {
        setPaymentJournalFields(t, l);
        t.post();
    } catch (...) {
        t.cancel();
        throw;
    }
}

double writeHeaderTotals(store::Connection& connection, const PaymentHeader& h, int numLines) {
    requirePaymentTransaction(connection, "A payment's totals");
    store::Query sums(connection);
    sums.setSql(QStringList{QStringLiteral("SELECT SUM(TOT_AMT), SUM(GSTAMT) FROM QVCHQDET"),
                            QStringLiteral("WHERE CHQBNKCOY = :sKey")});
    sums.bind(QStringLiteral("sKey"), keys::cutToWidth(h.key(), keys::kPaymentKeyWidth));
    sums.open();
    const double total = fmt::roundTo(sums.number(0), 2);
    const double tax = fmt::roundTo(sums.number(1), 2);
    store::Table t(connection, QStringLiteral("QVChHdr.DBF"));
    t.open();
    if (!t.gotoRowId(h.rowId))
        throw store::StoreError(QStringLiteral("Payment %1 vanished.").arg(h.tranNum));
    t.edit();
    t.setValue(QStringLiteral("AMOUNT"), total);
    t.setValue(QStringLiteral("GSTAMT"), tax);
    t.setValue(QStringLiteral("BUSAMT"), 0);
    t.setValue(QStringLiteral("NUMLINES"), numLines);
    t.post();
    return total;
}

}  // namespace payments
