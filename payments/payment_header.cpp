#include "payments/payment_header.h"

#include <cmath>

#include "payments/payment_steps.h"
#include "store/error.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"

namespace payments {

namespace fmt = store::fmt;
namespace keys = store::keys;

namespace {

// An inner failure that names the window's own words.
struct RenumberFailure {};

void setHeaderFields(store::Table& t, const HeaderInput& in, qint64 number,
                     const PaymentSupplier& s) {
    const QString n = QString::number(number);
    t.setValue(QStringLiteral("TRANNUM"), number);
    t.setValue(QStringLiteral("CHEQUENO"), in.type == PayType::Cheque ? n : QStringLiteral("0"));
    t.setValue(QStringLiteral("PAYTYPE"), payTypeCode(in.type));
    t.setValue(QStringLiteral("TRANTYPE"), QStringLiteral("CHQ"));
    t.setValue(QStringLiteral("BANKCODE"), in.bankCode.trimmed());
    t.setValue(QStringLiteral("ACCTCODE"), in.acctNo.trimmed());
    t.setValue(QStringLiteral("FULLCODE"),
               QString::number(in.coy) + QLatin1Char('-') + in.acctNo.trimmed());
    t.setValue(QStringLiteral("CHQBNKCOY"), keys::paymentKey(n, in.acctNo, in.coy));
    t.setValue(QStringLiteral("SUPPTYPE"),
               s.regular ? QStringLiteral("REG") : QStringLiteral("MISC"));
    t.setValue(QStringLiteral("SUPPLIER"), s.boxText);
    t.setValue(QStringLiteral("SUPPCOY"), keys::paymentSupplierCoy(in.coy, s.boxText));
    t.setValue(QStringLiteral("CHQSUPLNK"), keys::paymentSupplierKey(n, s.boxText, in.coy));
    t.setValue(QStringLiteral("CHQDATE"), in.date);
    if (s.regular) {
        t.setValue(QStringLiteral("CLIREFUND"), 0);
        t.setValue(QStringLiteral("CLICODE"), QString());
    }
}

PaymentProblem numberProblem(store::Connection& c, int coy, qint64 number, qint64 own) {
    if (number == 0) return PaymentProblem::BadNumber;
    if (number == own) return PaymentProblem::None;
    if (numberInUse(c, coy, number)) return PaymentProblem::NumberInUse;
    if (duplicatePayment(c, coy, number)) return PaymentProblem::DuplicateNumber;
    return PaymentProblem::None;
}

}  // namespace

PaymentProblem newPaymentProblem(store::Connection& c, const HeaderInput& in) {
    if (!banking::findBankAccount(c, in.coy, in.bankCode, in.acctNo))
        return PaymentProblem::BankAccountNotFound;
    return numberProblem(c, in.coy, paymentNumberFromText(in.numberText), 0);
}

PaymentResult saveNewPayment(store::Connection& c, const HeaderInput& in,
                             const Reservation& reservation) {
    const qint64 number = paymentNumberFromText(in.numberText);
    try {
        store::Transaction tx(c);
        if (const PaymentProblem p = newPaymentProblem(c, in); p != PaymentProblem::None)
            return paymentRefused(p, number);
        const PaymentSupplier s = resolvePaymentSupplier(c, in.coy, in.supplierText);
        store::Table t(c, QStringLiteral("QVChHdr.DBF"));
        t.open();
        t.insert();
        t.setValue(QStringLiteral("COYCODE"), QString::number(in.coy));
        setHeaderFields(t, in, number, s);
        for (const char* zero :
             {"AMOUNT", "GSTAMT", "BUSAMT", "NUMLINES", "CONFIRMED", "GSTCALC", "CLIREFUND"})
            t.setValue(QLatin1String(zero), 0);
        t.post();
        settleNumbers(c, reservation, in.type, number);
        tx.commit();
        return {};
    } catch (const store::StoreError& e) {
        return paymentFailed(QStringLiteral("Payment not saved!"), e.text());
    }
}

namespace {

struct EditContext {
    const HeaderInput& in;
    PaymentHeader stored;
    PaymentHeader updated;  // as it is after the save
    PaymentSupplier supplier;
    bool supplierChanged = false;
};

// Moves a line, its journal line and nothing else to the new number.
void renumberLine(store::Connection& c, const EditContext& x, const PaymentLine& line) {
    const qint64 journal = findPaymentJournalLine(c, line.searchCode(), x.stored);
    if (journal == 0) throw RenumberFailure{};
    const QString n = QString::number(x.updated.tranNum);
    store::Table j(c, QStringLiteral("QVActTr.DBF"));
    j.open();
    if (!j.gotoRowId(journal)) throw RenumberFailure{};
    j.edit();
    j.setValue(QStringLiteral("TRANNUM"), x.updated.tranNum);
    j.setValue(QStringLiteral("REF"), n);
    j.setValue(QStringLiteral("BNKLINKNO"),
               banking::entryBnkLinkNo(x.stored.bankCode, x.stored.acctNo, x.updated.tranNum));
    j.setValue(QStringLiteral("BNKTRNLNK"),
               banking::entryBnkTrnLnk(x.stored.bankCode, x.stored.acctNo, x.updated.tranNum,
                                       x.stored.coy));
    j.setValue(QStringLiteral("SRCHCODE"), line.searchCodeFor(n));
    j.post();
    store::Table l(c, QStringLiteral("QVChqDet.DBF"));
    l.open();
    if (!l.gotoRowId(line.rowId)) throw RenumberFailure{};
    l.edit();
    l.setValue(QStringLiteral("CHEQUENO"), n);
    l.setValue(QStringLiteral("CHQBNKCOY"), x.updated.key());
    l.setValue(QStringLiteral("CHQSUPLNK"),
               keys::paymentSupplierKey(n, x.supplier.code, x.stored.coy));
    l.post();
}

void renumberBankRow(store::Connection& c, const EditContext& x) {
    const auto row = banking::findStoredBankRow(c, x.stored.coy, x.stored.bankCode, x.stored.acctNo,
                                                x.stored.tranNum);
    if (!row) return;
    store::Table t(c, QStringLiteral("QVBnkTr.DBF"));
    t.open();
    if (!t.gotoRowId(row->rowId)) throw RenumberFailure{};
    t.edit();
    t.setValue(QStringLiteral("TRANNUM"), x.updated.tranNum);
    t.setValue(QStringLiteral("BNKTRNLNK"), keys::bankEntryKey(x.stored.bankCode, x.stored.acctNo,
                                                               QString::number(x.updated.tranNum)));
    t.post();
}

// A line's tax after the supplier changed, and its journal line's supplier, claim and date.
void refreshLine(store::Connection& c, const EditContext& x, const PaymentCompany& company,
                 const PaymentLine& line) {
    const auto ledger = banking::findLedgerAccount(c, x.stored.coy, line.acctNo);
    LineTax tax;
    if (ledger)
        tax = lineTax(company, lineDepartment(c, x.stored.coy, *ledger), *ledger, x.supplier);
    double gst = line.gstAmt;
    if (x.supplierChanged && line.gstCalc == 0) {
        if (!tax.claimable)
            gst = 0.0;
        else if (fmt::cents(gst) == 0 && tax.accountTaxable)
            gst = banking::taxContained(line.totAmt, tax.rate);  // from TOT_AMT, tax included
    }
    store::Table l(c, QStringLiteral("QVChqDet.DBF"));
    l.open();
    if (!l.gotoRowId(line.rowId)) throw store::StoreError(QStringLiteral("Payment line vanished."));
    l.edit();
    l.setValue(QStringLiteral("CHQDATE"), x.updated.date);
    l.setValue(QStringLiteral("GSTAMT"), gst);
    l.setValue(QStringLiteral("HASGST"), tax.claimable ? 1 : 0);
    l.setValue(QStringLiteral("SUPPCODE"), x.supplier.code);
    l.setValue(QStringLiteral("SUPPCOY"), keys::paymentSupplierCoy(x.stored.coy, x.supplier.code));
    l.post();
    PaymentLine moved = line;
    moved.number = QString::number(x.updated.tranNum);
    const qint64 journal = findPaymentJournalLine(c, moved.searchCode(), x.updated);
    if (journal == 0) return;
    store::Table j(c, QStringLiteral("QVActTr.DBF"));
    j.open();
    if (!j.gotoRowId(journal)) return;
    j.edit();
    j.setValue(QStringLiteral("SUPPCODE"),
               x.supplier.regular ? x.supplier.boxText : x.supplier.code);
    j.setValue(QStringLiteral("HASGST"), tax.claimable ? 1 : 0);
    if (j.integer(QStringLiteral("GSTCALC")) == 0)
        j.setValue(QStringLiteral("GSTAMT"), std::abs(gst));
    j.setValue(QStringLiteral("TRANDATE"), x.updated.date);
    j.post();
}

PaymentResult writeEdit(store::Connection& c, EditContext& x) {
    const std::vector<PaymentLine> lines = paymentLines(c, x.stored.key());
    if (x.updated.tranNum != x.stored.tranNum) {
        for (const PaymentLine& line : lines) renumberLine(c, x, line);
        renumberBankRow(c, x);
    }
    store::Table t(c, QStringLiteral("QVChHdr.DBF"));
    t.open();
    if (!t.gotoRowId(x.stored.rowId)) return paymentRefused(PaymentProblem::NothingToEdit);
    t.edit();
    setHeaderFields(t, x.in, x.updated.tranNum, x.supplier);
    t.post();
    const auto company = readPaymentCompany(c, x.stored.coy);
    for (const PaymentLine& line : paymentLines(c, x.updated.key()))
        refreshLine(c, x, company.value_or(PaymentCompany{}), line);
    const double total = writeHeaderTotals(c, x.updated, int(lines.size()));
    if (fmt::cents(total) > 0) {
        const auto row = banking::findStoredBankRow(c, x.stored.coy, x.stored.bankCode,
                                                    x.stored.acctNo, x.updated.tranNum);
        writePaymentBankRow(c, x.updated, x.supplier, total, row ? row->linkCode : QString(),
                            row ? row->branch : 0);
    }
    return {};
}

}  // namespace

PaymentResult saveEditedPayment(store::Connection& c, const HeaderInput& input,
                                qint64 storedNumber) {
    const qint64 number = paymentNumberFromText(input.numberText);
    try {
        store::Transaction tx(c);
        const auto stored = findPayment(c, input.coy, storedNumber);
        if (!stored) return paymentRefused(PaymentProblem::NothingToEdit);
        // The date placed it in a filed return; a new one would move it out of that period.
        if (stored->gstCalc && input.date != stored->date)
            return paymentRefused(PaymentProblem::TaxedDate);
        if (const PaymentProblem p = numberProblem(c, input.coy, number, storedNumber);
            p != PaymentProblem::None)
            return paymentRefused(p, number);
        HeaderInput in = input;
        // The bank account is fixed once saved; a locked payment keeps its supplier.
        in.bankCode = stored->bankCode;
        in.acctNo = stored->acctNo;
        if (stored->locked()) in.supplierText = stored->supplierText;
        EditContext x{in, *stored, *stored, resolvePaymentSupplier(c, in.coy, in.supplierText)};
        x.supplierChanged = in.supplierText.trimmed() != stored->supplierText;
        x.updated.tranNum = number;
        x.updated.type = in.type;
        x.updated.date = in.date;
        x.updated.supplierText = x.supplier.boxText;
        x.updated.regular = x.supplier.regular;
        PaymentResult r = writeEdit(c, x);
        if (r.ok()) tx.commit();
        return r;
    } catch (const RenumberFailure&) {
        return paymentRefused(PaymentProblem::RenumberFailed);
    } catch (const store::StoreError& e) {
        return paymentFailed(QStringLiteral("Payment not saved!"), e.text());
    }
}

}  // namespace payments
