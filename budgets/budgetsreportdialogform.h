#pragma once
// The budget report dialogue: the report type, one budget's account or one department, then
// the company or department budget report to the preview or the printer.

#include <functional>
#include <vector>

#include "budgets/budget_report.h"
#include "budgets/budget_store.h"
#include "store/connection.h"
#include "ui/formbase.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;

namespace reports {
class DepartmentSelector;
}
namespace ui {
class Navigator;
}

class TBudgetsReportDialogForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TBudgetsReportDialogForm(QWidget* owner = nullptr);
    ~TBudgetsReportDialogForm() override;

    // Input: the active company's code.
    int coyCode = 1;
    // Shows a prepared report; by default the print preview. Tests replace it.
    std::function<void(const reports::ReportDocument&)> showReport;
    // Chooses the printer for "Print"; by default the print dialog.
    std::function<bool(QPrinter&)> askPrinter;
    // The account picker's chosen ACCTCODE; empty when cancelled. Tests replace it.
    std::function<QString()> pickAccount;

    // The FULLCODE chosen by "View single budget" (empty when none), and the report's choice.
    QString chosenFullCode() const;
    budgets::BudgetSelection selection() const;

    void PrintButtonClick();
    void PreviewButtonClick();
    void SingleCheckClick();
    void AcctCodeEditChange();
    void AcctPickButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormShow();
    void reloadHeaders();
    void takeNavigatorsBudget();
    // The report for the choices standing; nullopt when the department is not valid.
    std::optional<reports::ReportDocument> prepare(bool forPrint);

    store::Connection connection_;
    std::vector<budgets::BudgetHeader> headers_;
    int headerIndex_ = -1;
    QString fullCode_;
    bool shown_ = false;

    QGroupBox* typeBox_;
    QButtonGroup* typeGroup_;
    QCheckBox* singleCheck_;
    QWidget* singlePanel_;
    QLineEdit* acctCode_;
    QPushButton* acctPick_;
    QLabel *descrLabel_, *statusLabel_;
    ui::Navigator* budgetNavigator_;
    reports::DepartmentSelector* department_;
    QPushButton *print_, *preview_, *exit_;
};
