#include "reports/trialbalanceform.h"

#include "reports/preparationrunner.h"
#include "reports/selection.h"
#include "reports/trialbalance.h"

namespace reports {

// "Print" and "Pre&View" do the same: the report goes to the preview, which prints.
TTrialBalanceForm::TTrialBalanceForm(QWidget* owner)
    : SelectionForm(
          owner,
          {QStringLiteral("TrialBalanceForm"), QStringLiteral("Trial balance for : "),
           QStringLiteral("For the period"), QStringLiteral("to"), QStringLiteral("Trial balance")},
          PrintTo::Preview) {
    resize(430, 120);
}

bool TTrialBalanceForm::prepare(ReportDocument* doc) {
    const QDate from = period()->from(), to = period()->to();
    const BroughtForward carried = broughtForward(connection(), coyCode, from, to);
    TTrialBalanceReport report(connection(), coyCode, from, to, carried);
    if (!prepareInSteps(this, report, QStringLiteral("Preparing the trial balance...")))
        return false;
    *doc = report.document();
    return true;
}

}  // namespace reports
