#include "payments/chequereportform.h"

#include "payments/cheque_print.h"
#include "reports/reportpreview.h"
#include "ui/opener.h"

payments::ChequeReportRequest TChequeReportForm::request() const {
    payments::ChequeReportRequest r;
    r.coy = coyCode.trimmed().toInt();
    bool ok = false;
    const qint64 number = chequeNo.trimmed().toLongLong(&ok);
    if (ok) r.tranNum = number;
    r.supplier = supplier.trimmed();
    r.fromTicked = fromTicked;
    r.from = from;
    r.to = to;
    r.details = displayDetails;
    return r;
}

reports::ReportDocument TChequeReportForm::document(store::Connection& connection) const {
    return payments::chequeReportDocument(payments::readChequeReport(connection, request()),
                                          QDate::currentDate());
}

reports::ReportDocument TChequePrintForm::document(store::Connection& connection) const {
    bool ok = false;
    const qint64 number = chequeNo.trimmed().toLongLong(&ok);
    const auto face =
        ok ? payments::readChequeFace(connection, coyCode.trimmed().toInt(), number) : std::nullopt;
    if (face) return payments::chequeDocument(*face);
    reports::ReportDocument empty = payments::chequeDocument({});
    empty.formPages.clear();
    return empty;
}

namespace payments {

void previewChequeDocument(QWidget* owner, const reports::ReportDocument& doc,
                           const QString& caption) {
    ui::openWindow<reports::TReportPreviewForm>(owner, [&](reports::TReportPreviewForm& w) {
        w.setWindowTitle(caption);
        w.document = doc;
    });
}

}  // namespace payments
