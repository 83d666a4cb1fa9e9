#pragma once
// The bank account picker: the company's bank accounts, returning the chosen one's key.
//
//   TAcctSelForm picker(owner);
//   picker.coyCode = "1";
//   if (picker.exec() == QDialog::Accepted) use(picker.bankCode, picker.acctNo);

#include "store/connection.h"
#include "ui/pickerform.h"

class TAcctSelForm : public ui::PickerForm {
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

    void SelectButtonClick() override;

protected:
    void FormShow() override;

private:
    store::Connection connection_;
};
