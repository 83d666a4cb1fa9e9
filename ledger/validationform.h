#pragma once
// Codes and accounts: the company's departments ("Department Setup") and its ledger accounts
// ("Accounts") in one window. Opened with nothing passed; it works on the company of the first
// control record. The buttons below the pages act on the page shown.

#include "ledger/formparts.h"
#include "store/connection.h"
#include "ui/formbase.h"

#include <QHash>
#include <memory>

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

class TQVValidationForm : public ui::FormBase {
    Q_OBJECT
public:
    enum class Mode { Browsing, Adding, Editing };
    enum Page { DepartmentPage = 0, AccountsPage = 1 };

    explicit TQVValidationForm(QWidget* owner = nullptr);
    ~TQVValidationForm() override;

    Mode mode() const { return mode_; }
    int coyCode() const { return coy_; }
    int currentPage() const;

    void NewButtonClick();
    void EditButtonClick();
    void SaveButtonClick();
    void CancelButtonClick();
    void DeleteButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The frame.
    void FormShow();
    void setMode(Mode mode);
    void PageControlChange(int page);
    void closeTables();

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
    Mode mode_ = Mode::Browsing;
    bool shown_ = false;
    bool restoringDept_ = false;
    bool expCodeTyped_ = false;   // the export code no longer follows the account code
    bool editInUse_ = false;      // the account being edited has transactions
    QString editStartDept_;       // its department box when editing began

    QTabWidget* pages_;
    QPushButton* newButton_;
    QPushButton* editButton_;
    QPushButton* saveButton_;
    QPushButton* cancelButton_;
    QPushButton* deleteButton_;
    QPushButton* exitButton_;
    ledger::StatusPanels status_;

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
