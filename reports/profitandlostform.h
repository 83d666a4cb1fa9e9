#pragma once
// The revenue statement's selection window: the period, an optional department, "Exclude
// tax." and "Taxable entries only"; "Print" prints directly, "Pre&View" previews.

#include "reports/selectionform.h"

class QCheckBox;

namespace reports {

class TProfitandLostForm : public SelectionForm {
    Q_OBJECT
public:
    explicit TProfitandLostForm(QWidget* owner = nullptr);

protected:
    bool prepare(ReportDocument* doc) override;

private:
    QCheckBox* excludeTax_;
    QCheckBox* taxableOnly_;
};

}  // namespace reports
