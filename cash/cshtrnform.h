#pragma once
// The cash details of a bank deposit or withdrawal ("Misc" in the bank transaction window): the
// company's unattached cash lines, where more can be added, and "Select" attaching the shown
// line to the bank entry while keeping the entry's running value.
//
//   TQVCshTrnForm w(owner);
//   w.coyCode = 1; w.acctNo = "1234567-00"; w.reference = 1000042; w.side = BankSide::Deposit;
//   w.bnkLinkNo = ...; w.bnkTrnLnk = ...; w.signedAmount = 0; w.taxable = true; w.rate = 15;
//   w.exec();
//   if (w.attached()) ... w.incomeSum(), w.expenseSum()

#include "cash/attach.h"
#include "cash/cashlistwindow.h"

class QLabel;
class QPushButton;

class TQVCshTrnForm : public cash::CashListWindow {
    Q_OBJECT
public:
    explicit TQVCshTrnForm(QWidget* owner = nullptr);

    // Inputs (the company number is coyCode).
    QString acctNo;
    qint64 reference = 0;
    cash::BankSide side = cash::BankSide::Deposit;
    QString bnkLinkNo, bnkTrnLnk;
    double signedAmount = 0.0;  // the entry's amount when it is being edited
    bool taxable = false;
    double rate = 0.0;

    // Results.
    bool attached() const { return value_.attached; }
    double incomeSum() const { return value_.incomeAmount(); }
    double expenseSum() const { return value_.expenseAmount(); }
    const cash::RunningValue& runningValue() const { return value_; }

    void SelectButtonClick();

protected:
    void FormShow() override;
    void applyMode(ui::EditMode mode) override;
    void afterListChanged() override;
    void done(int result) override;

private:
    void showTotals();

    cash::RunningValue value_;
    QLabel* totalLabel_;
    QLabel* selectedLabel_;
    QPushButton* selectButton_;
};
