#pragma once
// The trial balance's selection window: the period, then "Print" or "Pre&View" compute the
// brought-forward figures, prepare the report and show it in the print preview.

#include "reports/selectionform.h"

namespace reports {

class TTrialBalanceForm : public SelectionForm {
    Q_OBJECT
public:
    explicit TTrialBalanceForm(QWidget* owner = nullptr);

protected:
    bool prepare(ReportDocument* doc) override;
};

}  // namespace reports
