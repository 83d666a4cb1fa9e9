#pragma once
// "Actuals to Date": twelve months of actual amounts per account from the beginning of the
// reporting period, for the company or one department, with or without the tax. The figures
// are written as a run into the work tables, the report prints that run, and the work tables
// are emptied afterwards.

#include "reports/selectionform.h"

class QCheckBox;

namespace reports {

class TActualIncomeExpenseDiaForm : public SelectionForm {
    Q_OBJECT
public:
    explicit TActualIncomeExpenseDiaForm(QWidget* owner = nullptr);

protected:
    bool prepare(ReportDocument* doc) override;
    void reportDone() override;
    void setDefaultDates() override;

private:
    void StartDateChange();

    QCheckBox* excludeTax_;
};

}  // namespace reports
