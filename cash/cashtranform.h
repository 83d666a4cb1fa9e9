#pragma once
// The company's cash transactions: income and expenses recorded without a bank account, each
// one journal line numbered in its own series.
//
//   TQVCashTranForm w(owner);
//   w.coyCode = 1;
//   w.exec();

#include "cash/cashlistwindow.h"

class TQVCashTranForm : public cash::CashListWindow {
    Q_OBJECT
public:
    explicit TQVCashTranForm(QWidget* owner = nullptr);

protected:
    void FormShow() override;
};
