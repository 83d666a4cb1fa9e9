#pragma once
// The cheque report dialog: one payment (its report with lines, or its cheque), or the payments
// of a date range, optionally of one supplier; previewed or printed.
//
//   TChequeRptDiaForm w(owner);
//   w.coyCode = 1;
//   w.tranNum = 1042;  // optional: opens on this payment ready to print its cheque
//   w.exec();

#include <functional>

#include "reports/report.h"
#include "store/connection.h"
#include "ui/formbase.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QToolButton;
class QWidget;

namespace ui {
class DateBox;
}

class TChequeRptDiaForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TChequeRptDiaForm(QWidget* owner = nullptr);
    ~TChequeRptDiaForm() override;

    // Inputs.
    int coyCode = 1;
    qint64 tranNum = 0;  // a payment to open on, its cheque ready to print; 0: none

    // Shows a prepared report or cheque; by default the print preview. Tests replace it.
    std::function<void(const reports::ReportDocument&)> showReport;
    // Chooses the printer for "Print"; by default the print dialog.
    std::function<bool(QPrinter&)> askPrinter;

    // Whether "Print" and "Pre&View" now make the report or cheque of one payment.
    bool specificPayment() const { return specific_; }

    void SpecificCheckClick(bool checked);
    void NumberEditChange();
    void ChequeListButtonClick();
    void SupplierCheckClick(bool checked);
    void SupplierEditChange();
    void SupplierButtonClick();
    void FromCheckClick(bool checked);
    void PreViewButtonClick();
    void PrintButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

public slots:
    void done(int result) override;

private:
    void buildLayout();
    void connectControls();
    void FormShow();
    void openOnPayment();
    void run(bool preview);
    reports::ReportDocument prepare(int output);

    store::Connection connection_;
    bool shown_ = false;
    bool hasPayments_ = false;
    bool supplierFound_ = false;
    bool specific_ = false;
    bool filling_ = false;  // the supplier box is filled from the payment the number names

    QCheckBox* specificCheck_;
    QWidget* numberPanel_;
    QLineEdit* numberEdit_;
    QToolButton* listButton_;
    QLabel* descLabel_;
    QCheckBox* detailsCheck_;
    QCheckBox* supplierCheck_;
    QWidget* supplierPanel_;
    QLineEdit* supplierEdit_;
    QToolButton* supplierButton_;
    QLabel* supplierName_;
    QWidget* datePanel_;
    QCheckBox* fromCheck_;
    QLabel* fromLabel_;
    ui::DateBox* fromEdit_;
    ui::DateBox* toEdit_;
    QPushButton* previewButton_;
    QPushButton* printButton_;
    QPushButton* exitButton_;
};
