#pragma once
// The boxes of one ledger account, shared by the accounts page of the codes-and-accounts window
// and by TQVCashAccountForm. It shows an account and gives back what was typed; the windows
// decide what a change means.

#include <QWidget>

#include "ledger/accounts.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace store {
class Connection;
class Table;
}  // namespace store

namespace ledger {

class PrivateUseGroup;

class AccountEditor : public QWidget {
    Q_OBJECT
public:
    struct Captions {
        QString code;        // "Account Code :" or "Ledger Code :"
        QString department;  // "Dept/Division :" or "Department/Division :"
        QString gst;         // "Calculate sales tax " or "Calculate tax"
        QString inclPlHint;
        bool balanceCode = false;  // show "Bal Code (MYOB) :"
        bool listButton = false;   // a button beside the code box opens the account list
    };
    AccountEditor(const Captions& captions, QWidget* parent = nullptr);

    // Shows the current record of an account table; the department is looked up by LINKCODE.
    void showAccount(const store::Table& account, store::Connection& connection, int coy);
    // Empties every box for a new account: active, with sales tax calculated, affecting the tax
    // amount (included in the profit and loss reports).
    void clearForNew();
    // Enables the boxes; the code box only when `code`.
    void setBoxesEnabled(bool enabled, bool code);

    AccountDetails details() const;

    // Shows a department (or company level, or not found) in the label beside the box.
    void showDepartmentLabel(const QString& deptCode, const std::optional<Department>& found);

    QLineEdit* acctEdit() const { return acctEdit_; }
    QLineEdit* deptEdit() const { return deptEdit_; }
    QLineEdit* expCodeEdit() const { return expCodeEdit_; }
    QLabel* deptLabel() const { return deptLabel_; }
    QToolButton* acctListButton() const { return acctListButton_; }
    QToolButton* deptPickButton() const { return deptPickButton_; }
    QRadioButton* incomeRadio() const { return typeIncome_; }
    QRadioButton* expenseRadio() const { return typeExpense_; }
    PrivateUseGroup* privateUseGroup() const { return privateUse_; }
    // Sets the report group to the type's position (Income -> "Income", Expense -> "Expenses").
    void reportGroupFollowsType();

signals:
    void acctEdited(const QString& text);
    void deptEdited(const QString& text);
    void expCodeEdited();
    void typeChosen();

private:
    QLineEdit* acctEdit_;
    QLineEdit* descrEdit_;
    QLineEdit* expCodeEdit_;
    QLineEdit* balCodeEdit_ = nullptr;
    QLineEdit* deptEdit_;
    QLabel* deptLabel_;
    QToolButton* acctListButton_ = nullptr;
    QToolButton* deptPickButton_;
    QCheckBox* activeCheck_;
    QCheckBox* gstCheck_;
    QCheckBox* inclPlCheck_;
    QRadioButton* typeIncome_;
    QRadioButton* typeExpense_;
    QRadioButton* rptIncome_;
    QRadioButton* rptExpenses_;
    QRadioButton* rptOverhead_;
    PrivateUseGroup* privateUse_;
};

// Shows why an account save was refused, after a beep, as both account windows do.
void showAccountRefusal(QWidget* parent, AccountSave result,
                        PrivateShareRefusal why = PrivateShareRefusal::None);

}  // namespace ledger
