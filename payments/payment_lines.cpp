#include "payments/payment_lines.h"

#include <algorithm>

#include "banking/money_limits.h"
#include "payments/payment_steps.h"
#include "store/error.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/table.h"
#include "store/transaction.h"

namespace payments {

namespace fmt = store::fmt;
namespace keys = store::keys;

namespace {

// The figures the line writes: TOT_AMT with "Add tax" includes the tax; an untaxed line has none.
void lineFigures(ResolvedLine& r, const std::vector<PaymentLine>& lines) {
    const LineInput& in = r.input;
    const bool keepAmounts = r.stored && r.header.locked();
    const double tax = r.tax.taxed() ? fmt::roundTo(in.tax, 2) : 0.0;
    r.gstAmt = keepAmounts ? r.stored->gstAmt : tax;
    r.totAmt = keepAmounts ? r.stored->totAmt
                           : fmt::roundTo(in.amount + (in.addTax && r.tax.taxed() ? tax : 0.0), 2);
    double total = 0.0;
    int lastLine = r.header.numLines;
    for (const PaymentLine& l : lines) {
        if (r.stored && l.rowId == r.stored->rowId) continue;
        total += l.totAmt;
        lastLine = std::max(lastLine, l.lineNo);
    }
    // Numbers are never reused: a deleted line's number could meet its journal line's key.
    r.lineNo = r.stored ? r.stored->lineNo : lastLine + 1;
    r.newTotal = fmt::roundTo(total + r.totAmt, 2);
    const double previous = fmt::roundTo(total + (r.stored ? r.stored->totAmt : 0.0), 2);
    r.newBalance = in.openingBalanceMode
                       ? r.account.currBal
                       : fmt::roundTo(r.account.currBal - (r.newTotal - previous), 2);
}

}  // namespace

LineResolution resolvePaymentLine(store::Connection& c, const LineInput& in) {
    LineResolution out;
    ResolvedLine& r = out.resolved;
    r.input = in;
    const auto header = findPayment(c, in.coy, in.tranNum);
    if (!header) return {PaymentProblem::NoPayment, r};
    r.header = *header;
    const auto account = banking::findBankAccount(c, in.coy, header->bankCode, header->acctNo);
    if (!account) return {PaymentProblem::BankAccountNotFound, r};
    r.account = *account;
    const std::vector<PaymentLine> lines = paymentLines(c, header->key());
    if (in.lineRowId != 0) {
        const auto it = std::find_if(lines.begin(), lines.end(),
                                     [&](const PaymentLine& l) { return l.rowId == in.lineRowId; });
        if (it == lines.end()) return {PaymentProblem::NothingToEdit, r};
        r.stored = *it;
    }
    r.ledger = banking::findLedgerAccount(c, in.coy, in.acctCode);
    const auto company = readPaymentCompany(c, in.coy);
    r.supplier = resolvePaymentSupplier(c, in.coy, header->supplierText);
    if (r.ledger && company) {
        r.department = lineDepartment(c, in.coy, *r.ledger);
        r.tax = lineTax(*company, r.department, *r.ledger, r.supplier);
    }
    lineFigures(r, lines);
    return out;
}

PaymentProblem lineProblem(const ResolvedLine& r) {
    if (!r.stored && r.header.locked()) return PaymentProblem::Locked;
    if (!r.ledger) return PaymentProblem::LedgerNotFound;
    if (banking::departmentMismatch(r.account, *r.ledger))
        return PaymentProblem::DepartmentMismatch;
    const LineInput& in = r.input;
    if (!banking::fitsField(in.amount, banking::largestAmount()) ||
        !banking::fitsField(in.tax, banking::largestAmount()))
        return PaymentProblem::AmountTooLarge;
    // A line of 0 or less would take from the bank what it adds to spending, or nothing at all.
    if (fmt::cents(r.totAmt) <= 0) return PaymentProblem::NoAmount;
    if (!banking::fitsField(r.totAmt, banking::largestAmount()) ||
        !banking::fitsField(r.newTotal, banking::largestAmount()) ||
        !banking::fitsField(r.newBalance, banking::largestBalance()))
        return PaymentProblem::AmountTooLarge;
    return PaymentProblem::None;
}

namespace {

void writeLineRow(store::Connection& c, const ResolvedLine& r) {
    const PaymentHeader& h = r.header;
    const QString number = QString::number(h.tranNum);
    store::Table t(c, QStringLiteral("QVChqDet.DBF"));
    t.open();
    if (r.stored) {
        if (!t.gotoRowId(r.stored->rowId))
            throw store::StoreError(
                QStringLiteral("Payment line %1 vanished.").arg(r.stored->rowId));
        t.edit();
    } else {
        t.insert();
        t.setValue(QStringLiteral("COYCODE"), h.coy);
        t.setValue(QStringLiteral("GSTCALC"), 0);
        t.setValue(QStringLiteral("CHEQUENO"), number);
        t.setValue(QStringLiteral("LINENO"), r.lineNo);
    }
    t.setValue(QStringLiteral("CHQBNKCOY"), h.key());
    t.setValue(QStringLiteral("LINKCODE"), r.department.linkCode);
    t.setValue(QStringLiteral("ACCTNO"), r.ledger->acctCode.trimmed());
    t.setValue(QStringLiteral("BANKACCT"), h.acctNo);
    t.setValue(QStringLiteral("CHQDATE"), h.date);
    t.setValue(QStringLiteral("NARRATIVE"), r.input.narrative);
    t.setValue(QStringLiteral("TOT_AMT"), r.totAmt);
    t.setValue(QStringLiteral("GSTAMT"), r.gstAmt);
    if (r.tax.accountTaxable) t.setValue(QStringLiteral("DOM_AMT"), 0);
    t.setValue(QStringLiteral("HASGST"), r.tax.claimable ? 1 : 0);
    t.setValue(QStringLiteral("STATUS"), QStringLiteral("P"));
    t.setValue(QStringLiteral("SUPPCODE"), r.supplier.code);
    t.setValue(QStringLiteral("SUPPCOY"), keys::paymentSupplierCoy(h.coy, r.supplier.code));
    t.setValue(QStringLiteral("CHQSUPLNK"),
               keys::paymentSupplierKey(number, r.supplier.code, h.coy));
    t.setValue(QStringLiteral("INVSUPCOY"), QString());
    t.setValue(QStringLiteral("INVSUPLINE"), QString());
    try {
        t.post();
    } catch (...) {
        t.cancel();
        throw;
    }
}

void writeLineJournal(store::Connection& c, const ResolvedLine& r) {
    PaymentJournalLine j;
    j.header = r.header;
    j.lineNo = r.lineNo;
    j.narrative = r.input.narrative;
    j.account = *r.ledger;
    j.department = r.department;
    j.totAmt = r.totAmt;
    j.gstAmt = r.gstAmt;
    j.claimable = r.tax.claimable;
    j.suppCode = r.supplier.regular ? r.supplier.boxText : r.supplier.code;
    const qint64 id =
        r.stored ? findPaymentJournalLine(c, r.stored->searchCode(), r.header) : qint64(0);
    writePaymentJournalLine(c, j, id);
}

PaymentResult writeLine(store::Connection& c, const LineInput& in, bool asked) {
    store::Transaction tx(c);
    // Read again under the write lock: another program may have changed the books meanwhile.
    const LineResolution again = resolvePaymentLine(c, in);
    if (again.problem != PaymentProblem::None) return paymentRefused(again.problem);
    const ResolvedLine& r = again.resolved;
    if (const PaymentProblem p = lineProblem(r); p != PaymentProblem::None)
        return paymentRefused(p);
    if (!asked && !in.openingBalanceMode && paymentOverdraftQuestion(r.account, r.newBalance))
        return paymentDeclined(kBankRowNotSaved);
    writeLineRow(c, r);
    writeLineJournal(c, r);
    const int lines = int(paymentLines(c, r.header.key()).size());
    const double total = writeHeaderTotals(c, r.header, lines);
    writePaymentBankRow(c, r.header, r.supplier, total, r.department.linkCode, r.department.branch);
    if (!in.openingBalanceMode)
        banking::writeAccountBalance(c, in.coy, r.account.bankCode, r.account.acctNo, r.newBalance);
    tx.commit();
    return {};
}

}  // namespace

PaymentResult savePaymentLine(store::Connection& c, const LineInput& in,
                              const banking::Confirm& confirm) {
    try {
        const LineResolution before = resolvePaymentLine(c, in);
        if (before.problem != PaymentProblem::None) return paymentRefused(before.problem);
        const ResolvedLine& r = before.resolved;
        if (const PaymentProblem p = lineProblem(r); p != PaymentProblem::None)
            return paymentRefused(p);
        std::optional<banking::Confirmation> question;
        if (!in.openingBalanceMode) question = paymentOverdraftQuestion(r.account, r.newBalance);
        if (question && !confirm(*question)) return paymentDeclined(kBankRowNotSaved);
        return writeLine(c, in, question.has_value());
    } catch (const store::StoreError& e) {
        return paymentFailed(QStringLiteral("Account not saved...enter manually!"), e.text());
    }
}

}  // namespace payments
