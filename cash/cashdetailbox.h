#pragma once
// The " Transaction Details " group the three cash windows share: "Purpose :" with its account
// picker, the account's description and department, the number, date, amount, tax and narrative,
// and the tax-status line. It resolves the account as it is typed and proposes the tax as the
// amount is typed; the windows decide what is saved.

#include <QGroupBox>
#include <optional>

#include "cash/cash_lines.h"

class QLabel;
class QLineEdit;
class QToolButton;

namespace store {
class Connection;
class Table;
}  // namespace store
namespace ui {
class DateBox;
}

namespace cash {

class CashDetailBox : public QGroupBox {
    Q_OBJECT
public:
    struct Texts {
        QString numberCaption;      // "Number : " or "Line No. : "
        QString deptCaption;        // "Dept/Div :" or "Dept :"
        QString companyLevel;       // "Company level account." or "Company level account"
        QString taxOn, taxOff;      // "Sales tax calculated." / "Sales tax not calculated." ...
        bool deptWithCode = false;  // the department line shows its code before its name
        bool privateShare = false;  // the description shows the private share; none hides tax
    };
    CashDetailBox(const Texts& texts, QWidget* parent = nullptr);

    // Where accounts are looked up; taxable is the company's GSTENABLED.
    void setCompany(store::Connection* connection, int coy, bool taxable, double rate);
    // Boxes editable while adding or editing; amounts (and the date) may stay locked.
    void setEditing(bool editing, bool amountsLocked = false);
    bool editing() const { return editing_; }

    // Shows the current record of a journal table (or clears the boxes without one).
    void showLine(const store::Table& lines, qint64 number);
    // Clears the boxes for a new line with this number; the date becomes today when asked.
    void clearForNew(qint64 number, bool today);

    const std::optional<CashAccount>& account() const { return account_; }
    bool taxable() const;  // the company, and the account's department, carry tax
    // The boxes as a line to save.
    CashEntry entry(CashKind kind, int coy) const;
    double amount() const;
    double tax() const;

    QLineEdit* purposeEdit() const { return purposeEdit_; }
    QLineEdit* amountEdit() const { return amountEdit_; }
    QLineEdit* taxEdit() const { return taxEdit_; }
    ui::DateBox* dateBox() const { return dateBox_; }

signals:
    // The account typed resolved (Save may be enabled) or not.
    void accountResolved(bool found);
    // The amount was typed while adding or editing.
    void amountTyped();

private:
    void resolve();
    void proposeTax();
    void pickAccount();
    void applyTaxVisibility();

    Texts texts_;
    store::Connection* connection_ = nullptr;
    int coy_ = 1;
    bool companyTaxable_ = false;
    bool deptUntaxed_ = false;  // a department without tax was chosen: untaxed until closed
    double rate_ = 0.0;
    bool editing_ = false;
    bool showing_ = false;
    qint64 number_ = 0;
    std::optional<CashAccount> account_;

    QLineEdit* purposeEdit_;
    QToolButton* pickButton_;
    QLabel* descLabel_;
    QLabel* deptLabel_;
    QLineEdit* numberEdit_;
    ui::DateBox* dateBox_;
    QLineEdit* amountEdit_;
    QLabel* taxLabel_;
    QLineEdit* taxEdit_;
    QLineEdit* narrativeEdit_;
    QLabel* statusLabel_;
};

}  // namespace cash
