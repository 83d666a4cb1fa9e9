// Cheque printing in the gallery, over the demo company's payments: the dialog, the payment
// list, the first page of the cheque report and a printed cheque.
#include "banking/bank_entry_reads.h"
#include "banking/sample_company.h"
#include "payments/cheque_print.h"
#include "payments/cheque_report.h"
#include "payments/chequerptdiaform.h"
#include "payments/coychequelistform.h"
#include "payments/sample_payments.h"
#include "reports/reportpreview.h"
#include "store/query.h"
#include "ui/gallery.h"

namespace gallery {

namespace {

// A list and a report worth a picture: a couple of dozen payments unless the book has some.
void ensureChequePayments(Context& ctx) {
    store::Query q(ctx.connection);
    q.setSql(QStringLiteral("SELECT COUNT(*) FROM QVCHHDR WHERE COYCODE = :sCoy"));
    q.bind(QStringLiteral("sCoy"), QString::number(ctx.coy));
    q.open();
    if (q.value(0).toLongLong() >= 5) return;
    if (!banking::defaultBankAccount(ctx.connection, ctx.coy))
        banking::sample::makeDemoCompany(ctx.connection, QDate::currentDate());
    payments::sample::postDemoPayments(ctx.connection, 24, QDate::currentDate());
}

// The company's latest cheque to a registered supplier, or its latest payment.
qint64 galleryChequeNumber(Context& ctx) {
    store::Query q(ctx.connection);
    q.setSql(
        QStringLiteral("SELECT TRANNUM FROM QVCHHDR WHERE COYCODE = :sCoy ORDER BY "
                       "(PAYTYPE = 'CHQ' AND SUPPTYPE = 'REG') DESC, CHQDATE DESC LIMIT 1"));
    q.bind(QStringLiteral("sCoy"), QString::number(ctx.coy));
    q.open();
    return q.eof() ? 0 : q.integer(QStringLiteral("TRANNUM"));
}

QWidget* chequePreview(const reports::ReportDocument& doc, const QString& title) {
    auto* w = new reports::TReportPreviewForm;
    w->setWindowTitle(title);
    w->document = doc;
    return w;
}

}  // namespace

void registerChequeWindows() {
    add(QStringLiteral("TChequeRptDiaForm"), [](Context& c) -> QWidget* {
        ensureChequePayments(c);
        auto* w = new TChequeRptDiaForm;
        w->coyCode = c.coy;
        return w;
    });
    add(QStringLiteral("TCoyChequeListForm"), [](Context& c) -> QWidget* {
        ensureChequePayments(c);
        auto* w = new TCoyChequeListForm;
        w->coyCode = c.coy;
        return w;
    });
    add(QStringLiteral("TChequeReportForm"), [](Context& c) -> QWidget* {
        ensureChequePayments(c);
        payments::ChequeReportRequest r;
        r.coy = c.coy;
        r.to = QDate::currentDate();
        const auto report = payments::readChequeReport(c.connection, r);
        return chequePreview(payments::chequeReportDocument(report, QDate::currentDate()),
                             QStringLiteral("Cheque report"));
    });
    add(QStringLiteral("TChequePrintForm"), [](Context& c) -> QWidget* {
        ensureChequePayments(c);
        const auto face = payments::readChequeFace(c.connection, c.coy, galleryChequeNumber(c));
        return chequePreview(payments::chequeDocument(face.value_or(payments::ChequeFace{})),
                             QStringLiteral("Cheque"));
    });
}

}  // namespace gallery
