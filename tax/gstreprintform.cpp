#include "tax/gstreprintform.h"

#include "store/connection.h"
#include "tax/gstreprint.h"
#include "ui/errorhandler.h"
#include "ui/opener.h"

TGSTReprintForm::TGSTReprintForm(QWidget* owner) : reports::TReportPreviewForm(owner) {
    setWindowTitle(QStringLiteral("G.S.T. return"));
}

void TGSTReprintForm::showEvent(QShowEvent* event) {
    if (!prepared_) {
        prepared_ = true;
        ui::guarded(this, [&] {
            store::Connection connection;
            connection.connect();
            document = tax::gstReprintDocument(connection, coyCode, chosen);
        });
    }
    reports::TReportPreviewForm::showEvent(event);
}

namespace tax {

void openGstReprint(QWidget* owner, int coy, const TaxPeriod& chosen) {
    ui::openWindow<TGSTReprintForm>(owner, [&](TGSTReprintForm& w) {
        w.coyCode = coy;
        w.chosen = chosen;
    });
}

}  // namespace tax
