#pragma once
// The payment list: the company's payments (or one supplier's) by date, "Go to" a payment
// number, and "Select" returning the chosen payment's number. Its placement is kept in the
// file the bare name "NRVCash.ini" reaches, apart from the program folder's.
//
//   TCoyChequeListForm w(owner);
//   w.coyCode = 1; w.suppCode = "ACME";  // the supplier is optional
//   if (w.exec() == QDialog::Accepted) show(w.tranNum.toLongLong());

#include "store/connection.h"
#include "ui/formbase.h"

class QLineEdit;
class QPushButton;

namespace ui {
class DataGrid;
class Navigator;
}  // namespace ui

class TCoyChequeListForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TCoyChequeListForm(QWidget* owner = nullptr);
    ~TCoyChequeListForm() override;

    // Inputs.
    int coyCode = 1;
    QString suppCode;           // empty: every payment of the company
    bool selectEnabled = true;  // the caller enables "Select" only while it can use a payment

    // Result of "Select": the payment's TRANNUM as text.
    QString tranNum;

    void GoToButtonClick();
    void SelectButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    store::Connection connection_;
    bool shown_ = false;
    ui::DataGrid* grid_;
    ui::Navigator* navigator_;
    QLineEdit* numberEdit_;
    QPushButton* goToButton_;
    QPushButton* selectButton_;
    QPushButton* exitButton_;
};
