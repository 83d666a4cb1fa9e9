#pragma once
// The bank statement dialog: the account (bank code, account number, its bank and description,
// a navigator over the company's accounts and the account picker), "From :" and "To :", and
// "Print", "Preview", "Exit".
//
//   TBankStatementDiaForm w(owner);
//   w.coyCode = "1";
//   w.exec();

#include <functional>
#include <vector>

#include "banking/bank_posting.h"
#include "reports/report.h"
#include "store/connection.h"
#include "ui/formbase.h"

class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;

namespace ui {
class DateBox;
class Navigator;
}  // namespace ui

class TBankStatementDiaForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TBankStatementDiaForm(QWidget* owner = nullptr);
    ~TBankStatementDiaForm() override;

    // Inputs.
    QString coyCode = QStringLiteral("1");
    QString acctNo;  // the account to show first; empty: the company's current account

    // Shows the prepared statement; by default the print preview. Tests replace it.
    std::function<void(const reports::ReportDocument&)> showReport;
    // Chooses the printer for "Print"; by default the print dialog.
    std::function<bool(QPrinter&)> askPrinter;

    void PrintButtonClick();
    void PreviewButtonClick();
    void AcctPickButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void AcctNoEditChange();
    void showAccount(const banking::BankAccount* account);
    bool accountChosen();

    store::Connection connection_;
    bool shown_ = false;
    int coy_ = 1;
    std::vector<banking::BankAccount> accounts_;
    int index_ = -1;
    QLineEdit* bankCodeEdit_;
    QLineEdit* acctNoEdit_;
    QPushButton* acctPickButton_;
    QLabel* acctNameLabel_;
    ui::Navigator* navigator_;
    ui::DateBox* fromDate_;
    ui::DateBox* toDate_;
    QPushButton* printButton_;
    QPushButton* previewButton_;
    QPushButton* exitButton_;
};
