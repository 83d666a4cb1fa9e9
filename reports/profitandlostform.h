#pragma once
// The revenue statement's selection window: the period, an optional department, "Exclude
// tax." and "Taxable entries only"; "Print" prints directly, "Pre&View" previews.

#include "reports/report.h"
#include "store/connection.h"
#include "ui/formbase.h"

#include <functional>

class QCheckBox;
class QPushButton;
class QPrinter;

namespace reports {

class DepartmentSelector;
class PeriodSelector;
struct RevenueOptions;

class TProfitandLostForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TProfitandLostForm(QWidget* owner = nullptr);
    ~TProfitandLostForm() override;

    // Input: the active company's code.
    int coyCode = 1;

    // Shows a prepared report; by default the print preview, modally. Tests replace it.
    std::function<void(const ReportDocument&)> showReport;
    // Chooses the printer for "Print"; by default the print dialog.
    std::function<bool(QPrinter&)> askPrinter;

    PeriodSelector* period() const { return period_; }
    DepartmentSelector* department() const { return department_; }

    void PrintButtonClick();
    void PreViewButtonClick();
    void ExitButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

public slots:
    void done(int result) override;

private:
    void FormShow();
    void FormClose();
    bool prepare(ReportDocument* doc);
    void setBusy(bool busy);

    store::Connection connection_;
    PeriodSelector* period_;
    DepartmentSelector* department_;
    QCheckBox* excludeTax_;
    QCheckBox* taxableOnly_;
    QPushButton* print_;
    QPushButton* preview_;
    QPushButton* exit_;
    bool shown_ = false;
};

}  // namespace reports
