#include "reports/balancesheetform.h"

#include "reports/balancesheet.h"
#include "reports/preparationrunner.h"
#include "reports/selection.h"

namespace reports {

// "Print" and "Pre&View" do the same: the report goes to the preview, which prints.
TBalanceDiaForm::TBalanceDiaForm(QWidget* owner)
    : SelectionForm(owner,
                    {QStringLiteral("BalanceDiaForm"), QStringLiteral("Balance sheet for : "),
                     QStringLiteral("For the year from :"), QStringLiteral("to :"),
                     QStringLiteral("Balance sheet")},
                    PrintTo::Preview) {
    resize(430, 120);
}

bool TBalanceDiaForm::prepare(ReportDocument* doc) {
    TBalanceSheetReport report(connection(), coyCode, period()->from(), period()->to());
    if (!prepareInSteps(this, report, QStringLiteral("Preparing the balance sheet...")))
        return false;
    *doc = report.document();
    return true;
}

}  // namespace reports
