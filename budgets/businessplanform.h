#pragma once
// The business plan window: the budgets' status, the date range, by department, domestic
// accounts and "Summary only", then the plan to the preview or the printer.

#include <functional>

#include "budgets/business_plan.h"
#include "store/connection.h"
#include "ui/formbase.h"

class QButtonGroup;
class QCheckBox;
class QPrinter;
class QPushButton;

namespace reports {
class DepartmentSelector;
}
namespace ui {
class DateBox;
}

class TBusinessPlanForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TBusinessPlanForm(QWidget* owner = nullptr);
    ~TBusinessPlanForm() override;

    // Input: the active company's code.
    int coyCode = 1;
    QDate today = QDate::currentDate();
    std::function<void(const reports::ReportDocument&)> showReport;
    std::function<bool(QPrinter&)> askPrinter;

    // " Select Type " as held: "ACT", "TRIAL" or "IN".
    QString selectType() const;
    // The choices standing, as the report reads them.
    budgets::BusinessPlanOptions choices() const;

    void PreviewButtonClick();
    void PrintButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    reports::ReportDocument prepare();

    store::Connection connection_;
    bool shown_ = false;
    QButtonGroup* typeGroup_;
    ui::DateBox *beginDate_, *endDate_;
    reports::DepartmentSelector* department_;
    QCheckBox *domestic_, *summary_;
    QPushButton *preview_, *print_, *exit_;
};
