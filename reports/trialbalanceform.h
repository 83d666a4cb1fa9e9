#pragma once
// The trial balance's selection window: the period, then "Print" or "Pre&View" compute the
// brought-forward figures, prepare the report and show it in the print preview.

#include "reports/report.h"
#include "store/connection.h"
#include "ui/formbase.h"

#include <functional>

class QPushButton;

namespace reports {

class PeriodSelector;

class TTrialBalanceForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TTrialBalanceForm(QWidget* owner = nullptr);
    ~TTrialBalanceForm() override;

    // Input: the active company's code.
    int coyCode = 1;

    // Shows a prepared report; by default the print preview, modally. Tests replace it.
    std::function<void(const ReportDocument&)> showReport;

    PeriodSelector* period() const { return period_; }

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
    void previewReport();
    void setBusy(bool busy);

    store::Connection connection_;
    PeriodSelector* period_;
    QPushButton* print_;
    QPushButton* preview_;
    QPushButton* exit_;
    bool shown_ = false;
};

}  // namespace reports
