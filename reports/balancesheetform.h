#pragma once
// The balance sheet's selection window: the year (from 1 April of the financial year to today),
// then "Print" or "Pre&View" prepare the report and show it in the print preview.

#include "reports/selectionform.h"

namespace reports {

class TBalanceDiaForm : public SelectionForm {
    Q_OBJECT
public:
    explicit TBalanceDiaForm(QWidget* owner = nullptr);

protected:
    bool prepare(ReportDocument* doc) override;
};

}  // namespace reports
