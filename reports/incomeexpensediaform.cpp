#include "reports/incomeexpensediaform.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>

#include "reports/preparationrunner.h"
#include "reports/selection.h"
#include "reports/worktables.h"
#include "reports/ytdfigures.h"
#include "reports/ytdreports.h"
#include "store/format.h"
#include "ui/datebox.h"

namespace reports {

TIncomeExpenseDiaForm::TIncomeExpenseDiaForm(QWidget* owner)
    : SelectionForm(
          owner, {QStringLiteral("IncomeExpenseDiaForm"),
                  QStringLiteral("Income and expediture (actual/budget) report for : "),
                  QStringLiteral("Beginning of financial year :"),
                  QStringLiteral("End of report period :"), QStringLiteral("Actuals vs Budget")}),
      firstMonth_(new ui::DateBox(this)),
      months_(new QSpinBox(this)),
      excludeTax_(new QCheckBox(QStringLiteral("Exclude tax."), this)) {
    firstMonth_->setObjectName(QStringLiteral("FirstMonthDate"));
    months_->setObjectName(QStringLiteral("MonthsEdit"));
    months_->setRange(1, 2);
    months_->setToolTip(QStringLiteral("Enter the number of months the report will cover"));
    excludeTax_->setObjectName(QStringLiteral("ExcludeTaxCheckBox"));
    period()->fromBox()->setToolTip(QStringLiteral("Enter the date the year began"));
    auto* firstLabel = new QLabel(QStringLiteral("&First day of first month in report :"), this);
    firstLabel->setBuddy(firstMonth_);
    auto* monthsLabel = new QLabel(QStringLiteral("Number of months :"), this);
    monthsLabel->setBuddy(months_);

    addDepartmentSelector();
    addOptionRow({firstLabel, firstMonth_, monthsLabel, months_});
    addOptionRow({excludeTax_});
    connect(period()->fromBox(), &QDateEdit::dateChanged, this,
            &TIncomeExpenseDiaForm::YearStartChange);
    resize(620, 230);
}

// The first month: the month of 30 days ago. The year: the financial year of last month.
void TIncomeExpenseDiaForm::setDefaultDates() {
    const QDate today = QDate::currentDate();
    const QDate monthAgo = today.addDays(-30);
    firstMonth_->setDateValue(QDate(monthAgo.year(), monthAgo.month(), 1));
    period()->fromBox()->setDateValue(store::fmt::financialYearStart(today.addMonths(-1)));
    YearStartChange();
}

void TIncomeExpenseDiaForm::YearStartChange() {
    period()->toBox()->setDateValue(store::fmt::financialYearEnd(period()->from()));
}

bool TIncomeExpenseDiaForm::prepare(ReportDocument* doc) {
    ComparisonSelection s;
    s.coy = coyCode;
    s.linkCode = department()->linkCode();
    s.firstMonth = firstMonth_->dateValue();
    s.months = months_->value();
    s.yearStart = period()->from();
    s.periodEnd = period()->to();
    s.excludeTax = excludeTax_->isChecked();
    ComparisonFigures figures(connection(), s);
    if (!prepareInSteps(this, figures, QStringLiteral("Preparing actuals against budget...")))
        return false;
    *doc = comparisonReport(connection(), figures);
    return true;
}

void TIncomeExpenseDiaForm::reportDone() { emptyWorkTables(connection(), comparisonWorkTables()); }

}  // namespace reports
