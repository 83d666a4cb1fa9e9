// MYOB - Business Basics: "JOURNAL.txt" from the bank transactions and their journal lines, then
// "SPENDMONEY.txt" from the payments and their lines.
#include "exchange/export_text.h"
#include "exchange/export_writers.h"

namespace exchange {
namespace {

// Line breaks as blanks, then quoted as RFC 4180 asks: MYOB reads quoted fields.
QString myobText(const QString& text) { return csvField(oneLine(text)); }

bool writeMyobJournal(store::Connection& c, const ExportRequest& r, qint64 count) {
    ExportFile file(r.folder + QString::fromLatin1(kMyobJournalFile));
    if (!file.isOpen()) return false;
    file.line(
        QStringLiteral("Journal Number, Date, Memo, Account No, Debit Amount, Credit Amount, Job"));
    if (r.setMaximum) r.setMaximum(count);
    DateTexts dates;
    forEachBankTranRow(c, r.range, [&](const BankTranRow& b) {
        const QString number = numberText(double(b.tranNum));
        file.line({number, dates(b.tranDate), myobText(b.reason), myobText(r.secondCode),
                   myobMoney(qAbs(b.amount)), QString(), QString()});
        for (const JournalRow& j : journalRowsOfBankTran(c, r.range, b.bankAcct, b.tranNum))
            file.line({number, dates(j.tranDate), myobText(j.desc), myobText(j.expCode), QString(),
                       myobMoney(qAbs(j.amount)), QString()});
        file.line(QString());
        if (r.step) r.step();
    });
    return file.commit();
}

bool writeMyobSpendMoney(store::Connection& c, const ExportRequest& r,
                         const std::vector<PaymentRow>& payments) {
    ExportFile file(r.folder + QString::fromLatin1(kMyobSpendFile));
    if (!file.isOpen()) return false;
    file.line(
        QStringLiteral("Cheque Account, Cheque No., Date, Co./Last Name, Memo, Allocation "
                       "Account, Amount, GST Amount, Job"));
    if (r.setMaximum) r.setMaximum(qint64(payments.size()));
    DateTexts dates;
    for (const PaymentRow& p : payments) {
        const std::vector<PaymentLineRow> lines = paymentLineRows(c, r.range.coy, p.key);
        if (!lines.empty()) {
            file.line({myobText(r.firstCode), myobText(p.chequeNo), dates(p.chqDate), QString(),
                       myobMoney(p.amount), QString()});
            for (const PaymentLineRow& l : lines)
                file.line({QString(), myobText(l.chequeNo), dates(l.chqDate), QString(),
                           myobText(l.narrative), myobText(l.acctCode), myobMoney(l.totAmt),
                           myobMoney(l.gstAmt)});
            file.line(QString());
        }
        if (r.step) r.step();
    }
    return file.commit();
}

}  // namespace

ExportOutcome exportMyob(store::Connection& c, const ExportRequest& r) {
    const qint64 count = countBankTranRows(c, r.range);
    if (count == 0) return {false, QString::fromLatin1(kNoEntries), {}};
    if (!writeMyobJournal(c, r, count)) return {};
    const std::vector<PaymentRow> payments = paymentRows(c, r.range);
    if (payments.empty()) return {false, QString::fromLatin1(kNoCheques), {}};
    if (!writeMyobSpendMoney(c, r, payments)) return {};
    return {true, {}, {QString::fromLatin1(kMyobJournalFile), QString::fromLatin1(kMyobSpendFile)}};
}

}  // namespace exchange
