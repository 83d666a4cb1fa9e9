#pragma once
// Codes and accounts: the company's departments ("Department Setup") and its ledger accounts
// ("Accounts") in one window. Opened with nothing passed; it works on the company of the first
// control record. The buttons below the pages act on the page shown.

#include <QHash>
#include <memory>

#include "store/connection.h"
#include "ui/maintenanceframe.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace store {
class Table;
}
namespace ui {
class DataGrid;
class Navigator;
}  // namespace ui
namespace ledger {
class AccountEditor;
}

class TQVValidationForm : public ui::MaintenanceFrame {
    Q_OBJECT
public:
    using Mode = ui::EditMode;
    enum Page { DepartmentPage = 0, AccountsPage = 1 };

    explicit TQVValidationForm(QWidget* owner = nullptr);
    ~TQVValidationForm() override;

    int coyCode() const { return coy_; }
    int currentPage() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The frame's hooks: each acts on the page showing.
    void FormShow() override;
    QString modeText(ui::EditMode mode) const override;
    bool canMaintain() const override { return departments_ && accounts_; }
    void applyMode(ui::EditMode mode) override;
    bool startNew() override;
    bool startEdit() override;
    bool saveRecord() override;
    void cancelRecord() override;
    void deleteRecord() override;
    void showCurrent() override;
    void closeTables() override;

private:
    void PageControlChange(int page);

    // "Department Setup".
    QWidget* buildDepartmentPage();
    void showDepartment(bool withCode = true);
    void clearDepartmentBoxes();
    void setDepartmentBoxesEnabled(bool enabled, bool code);
    bool saveDepartment();
    void deleteDepartment();
    void DeptCodeEditChange(const QString& text);
    void ManLNameEditExit();

    // "Accounts".
    QWidget* buildAccountsPage();
    void openAccounts();
    void showAccount();
    bool saveAccount();
    void deleteAccount();
    void startAccountEdit();
    void AcctEditChange(const QString& text);
    void DeptEditChange(const QString& text);
    void AcctListButtonClick();
    void DeptPickButtonClick();
    void updateBudgetsButton();

    store::Connection connection_;
    std::unique_ptr<store::Table> control_;
    std::unique_ptr<store::Table> departments_;
    std::unique_ptr<store::Table> accounts_;
    int coy_ = 1;
    QString busCode_;
    bool restoringDept_ = false;
    bool expCodeTyped_ = false;  // the export code no longer follows the account code
    bool editInUse_ = false;     // the account being edited has transactions
    QString editStartDept_;      // its department box when editing began

    QTabWidget* pages_;

    QHash<QString, QLineEdit*> deptBoxes_;  // by objectName
    QLineEdit* deptCodeEdit_;
    QLineEdit* deptNameEdit_;
    QCheckBox* deptGstCheck_;
    ui::Navigator* deptNavigator_;

    ledger::AccountEditor* editor_;
    ui::DataGrid* acctGrid_;
    ui::Navigator* acctNavigator_;
    QPushButton* budgetsButton_;
    QPushButton* auditButton_;
};
