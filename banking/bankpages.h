#pragma once
// The pages of bank set-up (TBankMainForm). Each page keeps its own boxes and tables and
// answers the window's shared buttons; the window keeps the mode and the buttons.

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "banking/bank_posting.h"
#include "ledger/departments.h"
#include "store/connection.h"
#include "ui/maintenanceframe.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace store {
class Table;
}
namespace ui {
class DataGrid;
class DateBox;
class Navigator;
}  // namespace ui

namespace banking {

using SetupMode = ui::EditMode;

// What the pages share with their window.
struct SetupContext {
    store::Connection* connection = nullptr;
    int coy = 1;
    QString busCode;
    QString busName;
    bool coyActive = true;
    SetupMode mode = SetupMode::Browsing;
    std::function<void(bool)> allowSave;  // "Save" follows the page's key checks
    std::function<void()> changed;        // a bank, account or balance was saved or deleted
};

class SetupPage : public QWidget {
public:
    explicit SetupPage(SetupContext& context) : ctx_(context) {}

    // The status texts while adding and editing on this page.
    virtual QString addingText() const { return {}; }
    virtual QString editingText() const { return {}; }
    // Whether "New", "Edit", "Delete" and "Save" act on this page.
    virtual bool maintained() const { return true; }

    virtual void openTables() = 0;  // the window's connection is connected
    virtual void closeTables() = 0;
    // Shows the current row (browse mode).
    virtual void showCurrent() = 0;
    // Enables the boxes for the window's mode; `active` when this is the page showing.
    virtual void applyMode(bool active) = 0;

    // The shared buttons. startNew/startEdit return false (after telling the user why) when
    // the page cannot start; save returns true when saved; remove asks, deletes and tells the
    // user why not. The window shows the current row after each.
    virtual bool startNew() { return false; }
    virtual bool startEdit() { return false; }
    virtual bool save() { return false; }
    virtual void cancel() {}
    virtual void remove() {}

protected:
    store::Connection& connection() const { return *ctx_.connection; }
    bool browsing() const { return ctx_.mode == SetupMode::Browsing; }
    SetupContext& ctx_;
};

// "Bank Information": the banks, in bank code order.
class BankInfoPage : public SetupPage {
public:
    explicit BankInfoPage(SetupContext& context);
    ~BankInfoPage() override;

    QString addingText() const override { return QStringLiteral("Adding Bank details."); }
    QString editingText() const override { return QStringLiteral("Editing Bank details."); }
    void openTables() override;
    void closeTables() override;
    void showCurrent() override;
    void applyMode(bool active) override;
    bool startNew() override;
    bool startEdit() override;
    bool save() override;
    void cancel() override;
    void remove() override;

private:
    void BankCodeEditChange(const QString& text);
    QLineEdit* box(const char* name, int maxLength);

    std::unique_ptr<store::Table> banks_;
    QList<QLineEdit*> boxes_;
    QLineEdit* bankCodeEdit_;
    QLabel* duplicateLabel_;
    QLabel* defaultAccLabel_;
    QLineEdit* defaultAccEdit_;
    ui::Navigator* navigator_;
};

// "Bank Account(s)": the company's bank accounts.
class BankAccountsPage : public SetupPage {
public:
    explicit BankAccountsPage(SetupContext& context);
    ~BankAccountsPage() override;

    QString addingText() const override { return QStringLiteral("Adding Bank account(s)."); }
    QString editingText() const override { return QStringLiteral("Editing Bank account(s)."); }
    void openTables() override;
    void closeTables() override;
    void showCurrent() override;
    void applyMode(bool active) override;
    bool startNew() override;
    bool startEdit() override;
    bool save() override;
    void cancel() override;
    void remove() override;

    // The account at the grid's current row (empty without one).
    QString currentBankCode() const;
    QString currentAcctNo() const;

private:
    void BankCodeEditChange(const QString& text);
    void AcctNoEditChange(const QString& text);
    void DefaultCheckClick();
    void DeptOnlyCheckClick();
    void BankPickButtonClick();
    void showDepartment(const QString& name);
    void updateSave();

    std::unique_ptr<store::Table> accounts_;
    std::optional<ledger::Department> chosenDept_;
    bool bankFound_ = false;
    bool duplicateAcct_ = false;
    bool accountInUse_ = false;  // the account being edited has bank transactions

    QLineEdit* coyCodeEdit_;
    QLineEdit* coyNameEdit_;
    QLineEdit* bankCodeEdit_;
    QToolButton* bankPickButton_;
    QLabel* bankNameLabel_;
    QLineEdit* acctNoEdit_;
    QLineEdit* descEdit_;
    QLineEdit* lastChqEdit_;
    QLineEdit* lastRefEdit_;
    QCheckBox* defaultCheck_;
    QCheckBox* deptOnlyCheck_;
    QCheckBox* allowOdCheck_;
    QLabel* odAmountLabel_;
    QLineEdit* odAmountEdit_;
    QLabel* allocatedLabel_;
    QLabel* deptNameLabel_;
    ui::DataGrid* grid_;
    ui::Navigator* navigator_;
};

// "Opening balances": one account of the company and its opening balance.
class OpeningBalancesPage : public SetupPage {
public:
    explicit OpeningBalancesPage(SetupContext& context);
    ~OpeningBalancesPage() override;

    bool maintained() const override { return false; }
    void openTables() override {}
    void closeTables() override;
    void showCurrent() override {}
    void applyMode(bool active) override;

    // Shows the account with this bank code and number (nothing when either is empty).
    void showAccount(const QString& bankCode, const QString& acctNo);
    // The account the page shows, whose balance "UpDate" writes.
    const std::optional<BankAccount>& account() const { return account_; }

    // What the two "not on statement" entry windows return.
    void setDepositsTotal(double total);
    void setChequesTotal(double total);

    void DepositsButtonClick();
    void ChequesButtonClick();
    void UpdateButtonClick();

private:
    void lookUp();
    void clearAccount();
    void StatementEditChange();
    void recompute();
    void AccountEditChange();
    void AccountEditExit();
    void AcctPickButtonClick();
    // The entry windows for transactions not yet on the statement: each returns the total the
    // user accepted, or nothing.
    std::optional<double> enterDepositsNotOnStatement();
    std::optional<double> enterChequesNotOnStatement();

    std::optional<BankAccount> account_;
    bool accountTyped_ = false;  // the boxes changed since the account was looked up

    QLineEdit* bankEdit_;
    QLineEdit* acctEdit_;
    QToolButton* acctPickButton_;
    QLineEdit* descEdit_;
    QGroupBox* deptGroup_;
    QLineEdit* deptCodeEdit_;
    QLineEdit* deptNameEdit_;
    ui::DateBox* startDateBox_;
    QLineEdit* statementEdit_;
    QLineEdit* depositsEdit_;
    QLineEdit* chequesEdit_;
    QPushButton* depositsButton_;
    QPushButton* chequesButton_;
    QLabel* resultLabel_;
    QLineEdit* resultEdit_;
    QPushButton* updateButton_;
};

}  // namespace banking
