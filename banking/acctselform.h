#pragma once
// The bank account picker: the company's bank accounts, returning the chosen one's key.
//
//   TAcctSelForm picker(owner);
//   picker.coyCode = "1";
//   if (picker.exec() == QDialog::Accepted) use(picker.bankCode, picker.acctNo);

#include "store/connection.h"
#include "ui/formbase.h"

class QPushButton;

namespace ui {
class DataGrid;
class Navigator;
}  // namespace ui

class TAcctSelForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TAcctSelForm(QWidget* owner = nullptr);
    ~TAcctSelForm() override;

    // Inputs.
    QString coyCode = QStringLiteral("1");  // the company code as text
    bool returnBankLink = false;            // the mode flag: BANKLINK instead of code and number
    bool selectEnabled = true;              // off: the list is only for viewing

    // Results, set by "Select".
    QString bankLink;
    QString bankCode;
    QString acctNo;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void SelectButtonClick();

    store::Connection connection_;
    ui::DataGrid* grid_;
    ui::Navigator* navigator_;
    QPushButton* selectButton_;
    bool shown_ = false;
};
