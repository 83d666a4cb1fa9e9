#pragma once
// The top panel of the reconciliation window and the transaction viewer: "Bank :", "Bank Account
// :" and "Description :" of the shown account, with a navigator stepping through the company's
// bank accounts.

#include <QWidget>
#include <vector>

#include "banking/bank_posting.h"
#include "banking/reconciliation.h"

class QLabel;

namespace ui {
class Navigator;
}

namespace banking {

class AccountHeadingPanel : public QWidget {
    Q_OBJECT
public:
    explicit AccountHeadingPanel(QWidget* parent = nullptr);

    // The accounts to step through and the one to show first (-1: none).
    void setAccounts(std::vector<BankAccount> accounts, int index);
    const BankAccount* current() const { return accountAt(index_); }
    const BankAccount* accountAt(int index) const;
    int index() const { return index_; }
    // Shows the texts of the current account.
    void showHeading(const AccountHeading& heading);
    void updateButtons();
    ui::Navigator* navigator() const { return navigator_; }

signals:
    // The user stepped to another account; `previous` is the index before the step.
    void accountChanged(int previous);

private:
    std::vector<BankAccount> accounts_;
    int index_ = -1;
    int before_ = -1;
    QLabel* bank_;
    QLabel* account_;
    QLabel* description_;
    ui::Navigator* navigator_;
};

}  // namespace banking
