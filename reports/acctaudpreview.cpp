#include "reports/acctaudpreview.h"

#include "reports/chartofaccounts.h"
#include "reports/reportpreview.h"
#include "store/connection.h"
#include "ui/errorhandler.h"
#include "ui/opener.h"

namespace reports {

void previewChartOfAccounts(QWidget* owner, int coy) {
    ReportDocument doc;
    const bool read = ui::guarded(owner, [&] {
        store::Connection c;
        c.connect(QStringLiteral("NRV"));
        doc = TAcctAudRptForm(c, coy).document();
        c.disconnect();
    });
    if (!read) return;
    ui::openWindow<TReportPreviewForm>(owner, [&](TReportPreviewForm& w) {
        w.setWindowTitle(QStringLiteral("Account audit report"));
        w.document = doc;
    });
}

}  // namespace reports
