#include "tax/finalise.h"

#include <functional>

#include "store/error.h"
#include "store/format.h"
#include "store/statement.h"
#include "store/table.h"
#include "store/transaction.h"

namespace tax {

QString finaliseQuestion() {
    return QStringLiteral("This will prevent any further changes to transactions.  Continue?");
}

namespace {

// What a country adds to finalising: the figures, and which lines besides those of the taxable
// accounts it counted (so every counted line is marked).
struct ReturnKind {
    std::function<StoredReturn()> figures;
    QString countedLines;  // a condition over journal lines D, or empty
    QVariantMap params;
};

QString periodText(const TaxPeriod& p) {
    return store::fmt::shortDate(p.start) + QStringLiteral(" - ") + store::fmt::shortDate(p.end);
}

qint64 markJournalLines(store::Connection& c, int coy, const TaxPeriod& period,
                        const ReturnKind& kind) {
    // The taxable accounts that are not wholly private: every open line of the period, taxed,
    // zero-rated or not.
    QString which = QStringLiteral(
        "D.ACCTCODE IN (SELECT C.ACCTCODE FROM QVACCDET C WHERE C.COYCODE =:sCoyCode "
        "AND C.GSTAPPLIES = 1 AND C.ALLOCPER <> 100)");
    if (!kind.countedLines.isEmpty()) which += QStringLiteral(" OR ") + kind.countedLines;
    QVariantMap params = kind.params;
    params.insert(lineGroupParams(coy, period));
    return store::execute(
        c,
        {"UPDATE QVACTTR AS D INDEXED BY QVActTr_TAX_OPEN", "SET GSTCALC = 1, GSTDATE =:EndDate",
         "WHERE D.COYCODE =:sCoyCode", "AND D.GSTCALC = 0",
         "AND (D.TRANDATE BETWEEN :StartDate AND :EndDate)", QStringLiteral("AND (%1)").arg(which)},
        params);
}

qint64 markPaymentRows(store::Connection& c, const char* table, int coy, const TaxPeriod& period) {
    return store::execute(c,
                          {QStringLiteral("UPDATE %1 SET GSTCALC = 1").arg(QLatin1String(table)),
                           "WHERE COYCODE =:iCoyCode", "AND GSTCALC = 0",
                           "AND (CHQDATE BETWEEN :StartDate AND :EndDate)"},
                          {{QStringLiteral("iCoyCode"), coy},
                           {QStringLiteral("StartDate"), period.start},
                           {QStringLiteral("EndDate"), period.end}});
}

void appendReturn(store::Connection& c, int coy, const TaxPeriod& period, const StoredReturn& s) {
    store::Table t(c, QStringLiteral("QVGst.DBF"));
    t.open();
    t.append();
    auto money = [&](const char* field, qint64 cents) {
        t.setValue(QLatin1String(field), double(cents) / 100.0);
    };
    t.setValue(QStringLiteral("COYNO"), coy);
    t.setValue(QStringLiteral("GSTBEGDATE"), period.start);
    t.setValue(QStringLiteral("GSTENDDATE"), period.end);
    money("INCOME", s.income);
    money("ZERORATED", s.zeroRated);
    money("TOTSALES", s.totSales);
    money("INCOMEGST", s.incomeGst);
    money("SALEADJGST", s.saleAdjGst);
    money("GSTCOLLECT", s.gstCollect);
    money("PUREXP", s.purExp);
    money("EXPGST", s.expGst);
    money("CREDADJ", s.credAdj);
    money("GSTCREDIT", s.gstCredit);
    money("GSTAMOUNT", s.gstAmount);
    t.setValue(QStringLiteral("REFUND"), s.refund() ? 1 : 0);
    t.post();
}

FinaliseResult refusedFinalise(FinaliseOutcome outcome, const QString& message) {
    FinaliseResult r;
    r.outcome = outcome;
    r.message = message;
    return r;
}

FinaliseResult finaliseReturn(store::Connection& c, int coy, const TaxPeriod& period,
                              const ReturnKind& kind) {
    if (!period.start.isValid() || !period.end.isValid() || period.end < period.start)
        return refusedFinalise(FinaliseOutcome::BadPeriod,
                               QStringLiteral("The tax period must end on or after its start."));
    try {
        store::Transaction tx(c);
        // Checked inside the transaction, so no second return can slip in meanwhile.
        if (const auto filed = filedPeriodOverlapping(c, coy, period)) {
            FinaliseResult r = refusedFinalise(
                FinaliseOutcome::AlreadyFiled,
                QStringLiteral("A return has already been finalised for %1. It cannot be "
                               "finalised again.")
                    .arg(periodText(*filed)));
            r.filed = *filed;
            return r;
        }
        FinaliseResult r;
        r.stored = kind.figures();
        r.journalLines = markJournalLines(c, coy, period, kind);
        r.payments = markPaymentRows(c, "QVChHdr", coy, period);
        r.paymentLines = markPaymentRows(c, "QVChqDet", coy, period);
        appendReturn(c, coy, period, r.stored);
        tx.commit();
        r.outcome = FinaliseOutcome::Finalised;
        return r;
    } catch (const store::StoreError& e) {
        return refusedFinalise(
            FinaliseOutcome::Failed,
            QStringLiteral("Unable to update cash journal..try again.\n") + e.text());
    }
}

}  // namespace

FinaliseResult finaliseNzReturn(store::Connection& connection, int coy, const TaxPeriod& period,
                                qint64 box9Cents, NzReturn* figures) {
    ReturnKind kind;
    kind.figures = [&] {
        const NzReturn r = computeNzReturn(connection, coy, period, box9Cents);
        if (figures) *figures = r;
        return storedFigures(r);
    };
    // Lines of wholly private income accounts that carry tax count in boxes 5, 7 and 8.
    kind.countedLines = QStringLiteral("(%1)").arg(lineGroupCondition(LineGroup::SalesAndIncome));
    return finaliseReturn(connection, coy, period, kind);
}

FinaliseResult finaliseAusReturn(store::Connection& connection, int coy, const TaxPeriod& period,
                                 const AusAccountCodes& codes, const AusAdjustments& adjustments,
                                 double percent, AusReturn* figures) {
    ReturnKind kind;
    kind.figures = [&] {
        const AusReturn r = computeAusReturn(connection, coy, period, codes, adjustments, percent);
        if (figures) *figures = r;
        return storedFigures(r);
    };
    kind.countedLines = ausCountedLinesCondition();
    kind.params = ausLabelParams(codes);
    return finaliseReturn(connection, coy, period, kind);
}

}  // namespace tax
