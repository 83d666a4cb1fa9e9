#include "reports/actualincomeexpensediaform.h"

#include <QCheckBox>

#include "reports/preparationrunner.h"
#include "reports/selection.h"
#include "reports/worktables.h"
#include "reports/ytdfigures.h"
#include "reports/ytdreports.h"
#include "store/format.h"
#include "ui/datebox.h"

namespace reports {

TActualIncomeExpenseDiaForm::TActualIncomeExpenseDiaForm(QWidget* owner)
    : SelectionForm(owner,
                    {QStringLiteral("ActualIncomeExpenseDiaForm"),
                     QStringLiteral("Define summarised actual expediture report for : "),
                     QStringLiteral("Beginning of reporting period :"),
                     QStringLiteral("End of report period :"), QStringLiteral("Actuals to Date")}),
      excludeTax_(new QCheckBox(QStringLiteral("Exclude tax"), this)) {
    excludeTax_->setObjectName(QStringLiteral("ExcludeTaxCheckBox"));
    excludeTax_->setToolTip(QStringLiteral("Check this if you wish to include GST in the actuals"));
    period()->fromBox()->setToolTip(QStringLiteral("Enter the date the year began"));
    addDepartmentSelector();
    addOptionRow({excludeTax_});
    connect(period()->fromBox(), &QDateEdit::dateChanged, this,
            &TActualIncomeExpenseDiaForm::StartDateChange);
    resize(600, 200);
}

// The financial year that holds the day 30 days ago.
void TActualIncomeExpenseDiaForm::setDefaultDates() {
    period()->fromBox()->setDateValue(
        store::fmt::financialYearStart(QDate::currentDate().addDays(-30)));
    StartDateChange();
}

void TActualIncomeExpenseDiaForm::StartDateChange() {
    period()->toBox()->setDateValue(store::fmt::financialYearEnd(period()->from()));
}

bool TActualIncomeExpenseDiaForm::prepare(ReportDocument* doc) {
    ActualsSelection s;
    s.coy = coyCode;
    s.linkCode = department()->linkCode();
    s.from = period()->from();
    s.to = period()->to();
    s.excludeTax = excludeTax_->isChecked();
    ActualsFigures figures(connection(), s);
    if (!prepareInSteps(this, figures, QStringLiteral("Preparing the actuals to date...")))
        return false;
    *doc = actualsReport(connection(), figures);
    return true;
}

void TActualIncomeExpenseDiaForm::reportDone() {
    emptyWorkTables(connection(), actualsWorkTables());
}

}  // namespace reports
