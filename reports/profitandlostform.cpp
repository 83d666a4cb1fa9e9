#include "reports/profitandlostform.h"

#include <QCheckBox>

#include "reports/preparationrunner.h"
#include "reports/revenue.h"
#include "reports/selection.h"

namespace reports {

TProfitandLostForm::TProfitandLostForm(QWidget* owner)
    : SelectionForm(owner, {QStringLiteral("ProfitandLostForm"),
                            QStringLiteral("Revenue statement for : "), QStringLiteral("Between "),
                            QStringLiteral("and "), QStringLiteral("Revenue statement")}),
      excludeTax_(new QCheckBox(QStringLiteral("Exclude tax."), this)),
      taxableOnly_(new QCheckBox(QStringLiteral("Taxable entries only"), this)) {
    excludeTax_->setObjectName(QStringLiteral("ExcludeTaxCheckBox"));
    taxableOnly_->setObjectName(QStringLiteral("TaxableOnlyCheckBox"));
    addDepartmentSelector();
    addOptionRow({excludeTax_, taxableOnly_});
    resize(560, 200);
}

bool TProfitandLostForm::prepare(ReportDocument* doc) {
    const RevenueOptions options{excludeTax_->isChecked(), taxableOnly_->isChecked()};
    TBusinessRevenueReport report(connection(), coyCode, department()->linkCode(), period()->from(),
                                  period()->to(), options);
    if (!prepareInSteps(this, report, QStringLiteral("Preparing the revenue statement...")))
        return false;
    *doc = report.document();
    return true;
}

}  // namespace reports
