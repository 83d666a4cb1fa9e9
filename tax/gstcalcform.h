#pragma once
// The New Zealand GST return: the period (from the last stored return), boxes 5 to 15 with the
// typed box 9, "Calc", "Print Return", "Finalise" and "Trans Audit".
//
//   TGSTCalcForm w(owner);
//   w.coyCode = 1;
//   w.exec();

#include <functional>

#include "reports/report.h"
#include "store/connection.h"
#include "tax/nz_return.h"
#include "tax/tax_company.h"
#include "ui/formbase.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {
class DateBox;
}

class TGSTCalcForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TGSTCalcForm(QWidget* owner = nullptr);
    ~TGSTCalcForm() override;

    // Inputs.
    int coyCode = 1;
    QDate today;  // the day the period is proposed from when no return is stored; empty: today
    // Opens the tax audit of the company and period; "Trans Audit" stays disabled without it.
    std::function<void(QWidget* owner, int coy, const tax::TaxPeriod& period)> openTaxAudit;
    // Shows the printed return; by default the report preview. Tests replace it.
    std::function<void(const reports::ReportDocument&)> showReturn;

    tax::TaxPeriod period() const;
    const tax::NzReturn& figures() const { return figures_; }

    void CalcButtonClick();
    void FinaliseButtonClick();
    void PrintReturnButtonClick();
    void TransAuditButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void StartDateChange();
    // Reads box 9; false (after the message) when it is not a number.
    bool readBoxNine(qint64* cents);
    void showFigures(const tax::NzReturn& r);
    void layoutForm();

    store::Connection connection_;
    bool shown_ = false;
    tax::TaxCompany company_;
    tax::NzReturn figures_;
    QLabel* nameLabel_;
    QLabel* numberLabel_;
    ui::DateBox* dueDate_;
    ui::DateBox* startDate_;
    ui::DateBox* endDate_;
    QLineEdit* boxes_[11];  // boxes 5 to 15
    QLabel* box8Caption_;
    QLabel* box12Caption_;
    QPushButton* transAuditButton_;
    QPushButton* finaliseButton_;
    QPushButton* printButton_;
    QPushButton* calcButton_;
    QPushButton* exitButton_;
};
