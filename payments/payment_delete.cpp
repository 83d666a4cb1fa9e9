#include "payments/payment_delete.h"

#include <algorithm>

#include "payments/payment_steps.h"
#include "store/error.h"
#include "store/format.h"
#include "store/table.h"
#include "store/transaction.h"

namespace payments {

namespace fmt = store::fmt;

namespace {

void removeRow(store::Connection& c, const char* table, qint64 rowId) {
    store::Table t(c, QLatin1String(table));
    t.open();
    if (!t.gotoRowId(rowId))
        throw store::StoreError(QStringLiteral("Row %1 of %2 vanished.").arg(rowId).arg(table));
    t.remove();
}

// A line's journal line (when there is one) and then the line itself.
void removeLine(store::Connection& c, const PaymentHeader& h, const PaymentLine& line) {
    if (const qint64 journal = findPaymentJournalLine(c, line.searchCode(), h))
        removeRow(c, "QVActTr.DBF", journal);
    removeRow(c, "QVChqDet.DBF", line.rowId);
}

void raiseBalance(store::Connection& c, const PaymentHeader& h, double amount) {
    const auto account = banking::findBankAccount(c, h.coy, h.bankCode, h.acctNo);
    if (!account) return;  // an account deleted since: nothing to give back to
    banking::writeAccountBalance(c, h.coy, h.bankCode, h.acctNo,
                                 fmt::roundTo(account->currBal + amount, 2));
}

bool bankRowReconciled(store::Connection& c, const PaymentHeader& h) {
    const auto row = banking::findStoredBankRow(c, h.coy, h.bankCode, h.acctNo, h.tranNum);
    return row && row->reconciled;
}

PaymentResult removeLineIn(store::Connection& c, int coy, qint64 tranNum, qint64 lineRowId,
                           bool openingBalanceMode) {
    const auto header = findPayment(c, coy, tranNum);
    if (!header) return paymentRefused(PaymentProblem::NoLines);
    const std::vector<PaymentLine> lines = paymentLines(c, header->key());
    const auto it = std::find_if(lines.begin(), lines.end(),
                                 [&](const PaymentLine& l) { return l.rowId == lineRowId; });
    if (it == lines.end()) return paymentRefused(PaymentProblem::NoLines);
    if (header->locked() || bankRowReconciled(c, *header))
        return paymentRefused(PaymentProblem::Locked);
    removeLine(c, *header, *it);
    const double total = writeHeaderTotals(c, *header, int(lines.size()) - 1);
    writePaymentBankRow(c, *header, resolvePaymentSupplier(c, coy, header->supplierText), total,
                        it->linkCode, 0);
    if (!openingBalanceMode) raiseBalance(c, *header, it->totAmt);
    return {};
}

PaymentResult removePaymentIn(store::Connection& c, int coy, qint64 tranNum,
                              bool openingBalanceMode) {
    const auto header = findPayment(c, coy, tranNum);
    if (!header) return paymentRefused(PaymentProblem::NothingToEdit);
    if (header->confirmed || bankRowReconciled(c, *header))
        return paymentRefused(PaymentProblem::Reconciled);
    if (header->gstCalc) return paymentRefused(PaymentProblem::Locked);
    const std::vector<PaymentLine> lines = paymentLines(c, header->key());
    if (!lines.empty()) {
        const auto row =
            banking::findStoredBankRow(c, coy, header->bankCode, header->acctNo, tranNum);
        if (!row) return paymentRefused(PaymentProblem::BankRowMissing, tranNum);
        for (const PaymentLine& line : lines) removeLine(c, *header, line);
        removeRow(c, "QVBnkTr.DBF", row->rowId);
        if (!openingBalanceMode) raiseBalance(c, *header, -row->amount);
    }
    removeRow(c, "QVChHdr.DBF", header->rowId);
    return {};
}

}  // namespace

PaymentResult deletePaymentLine(store::Connection& c, int coy, qint64 tranNum, qint64 lineRowId,
                                bool openingBalanceMode) {
    try {
        store::Transaction tx(c);
        PaymentResult r = removeLineIn(c, coy, tranNum, lineRowId, openingBalanceMode);
        if (r.ok()) tx.commit();
        return r;
    } catch (const store::StoreError& e) {
        return paymentFailed(kCannotDelete, e.text());
    }
}

PaymentResult deletePayment(store::Connection& c, int coy, qint64 tranNum,
                            bool openingBalanceMode) {
    try {
        store::Transaction tx(c);
        PaymentResult r = removePaymentIn(c, coy, tranNum, openingBalanceMode);
        if (r.ok()) tx.commit();
        return r;
    } catch (const store::StoreError& e) {
        // Nothing was deleted: the transaction gives every row back, the header included.
        return paymentFailed(kDetailsInUse, e.text());
    }
}

}  // namespace payments
