#include "tax/gstauditrptform.h"

#include <QShowEvent>

#include "store/connection.h"
#include "ui/errorhandler.h"
#include "ui/opener.h"

TGSTAuditRptForm::TGSTAuditRptForm(QWidget* owner) : reports::TReportPreviewForm(owner) {
    setWindowTitle(QStringLiteral("G.S.T. Audit Report"));
}

void TGSTAuditRptForm::showEvent(QShowEvent* event) {
    if (!prepared_) {
        prepared_ = true;
        ui::guarded(this, [&] {
            store::Connection connection;
            connection.connect();
            audit_ = tax::readGstAudit(connection, coyCode.toInt(), {startDate, endDate});
            document = tax::gstAuditDocument(audit_, QDate::currentDate());
        });
    }
    reports::TReportPreviewForm::showEvent(event);
}

namespace tax {

void openGstAudit(QWidget* owner, const QString& coyText, const TaxPeriod& period) {
    ui::openWindow<TGSTAuditRptForm>(owner, [&](TGSTAuditRptForm& w) {
        w.coyCode = coyText;
        w.startDate = period.start;
        w.endDate = period.end;
    });
}

}  // namespace tax
