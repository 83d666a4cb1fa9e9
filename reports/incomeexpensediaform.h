#pragma once
// "Actuals vs Budget": the first month of the report and how many months (one or two), the
// financial year's start and the end of the year to date, an optional department and
// "Exclude tax.". The figures are written as a run into the work tables, the one- or
// two-month report prints that run, and the work tables are emptied afterwards.

#include "reports/selectionform.h"

class QCheckBox;
class QSpinBox;

namespace ui {
class DateBox;
}

namespace reports {

class TIncomeExpenseDiaForm : public SelectionForm {
    Q_OBJECT
public:
    explicit TIncomeExpenseDiaForm(QWidget* owner = nullptr);

protected:
    bool prepare(ReportDocument* doc) override;
    void reportDone() override;
    void setDefaultDates() override;

private:
    void YearStartChange();

    ui::DateBox* firstMonth_;
    QSpinBox* months_;
    QCheckBox* excludeTax_;
};

}  // namespace reports
