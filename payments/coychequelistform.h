#pragma once
// The payment list: the company's payments (or one supplier's) by date, "Go to" a payment
// number, and "Select" returning the chosen payment's number. Its placement is kept in the
// file the bare name "NRVCash.ini" reaches, apart from the program folder's.
//
//   TCoyChequeListForm w(owner);
//   w.coyCode = 1; w.suppCode = "ACME";  // the supplier is optional
//   if (w.exec() == QDialog::Accepted) show(w.tranNum.toLongLong());

#include "ui/numberlistform.h"

class TCoyChequeListForm : public ui::NumberListForm {
    Q_OBJECT
public:
    explicit TCoyChequeListForm(QWidget* owner = nullptr);

    // Inputs.
    int coyCode = 1;
    QString suppCode;  // empty: every payment of the company

protected:
    void bindRows() override;
    std::optional<qint64> typedNumber() override;
};
