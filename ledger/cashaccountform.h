#pragma once
// Account maintenance opened by the account pickers' "New" buttons: adds and edits the accounts
// of one department of the company at a time.
//
//   TQVCashAccountForm form(owner);
//   form.coyCode = 1;
//   form.exec();
//   if (form.saved) rereadTheList();

#include "ledger/departments.h"
#include "ledger/formparts.h"
#include "store/connection.h"
#include "ui/formbase.h"

#include <memory>
#include <optional>

class QPushButton;

namespace store {
class Table;
}
namespace ui {
class DataGrid;
}
namespace ledger {
class AccountEditor;
}

class TQVCashAccountForm : public ui::FormBase {
    Q_OBJECT
public:
    enum class Mode { Browsing, Adding, Editing };

    explicit TQVCashAccountForm(QWidget* owner = nullptr);
    ~TQVCashAccountForm() override;

    // Input.
    int coyCode = 1;
    // Result: true when at least one account was added.
    bool saved = false;

    Mode mode() const { return mode_; }
    // The department whose accounts are listed; none when the company has no departments.
    std::optional<ledger::Department> currentDepartment() const { return department_; }

    void NewButtonClick();
    void EditButtonClick();
    void SaveButtonClick();
    void CancelButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormShow();
    void setMode(Mode mode);
    void showAccount();
    void listDepartment(const std::optional<ledger::Department>& department);
    void AcctEditChange(const QString& text);
    void DeptEditChange(const QString& text);
    void closeTables();

    store::Connection connection_;
    std::unique_ptr<store::Table> accounts_;
    std::optional<ledger::Department> department_;
    Mode mode_ = Mode::Browsing;
    bool shown_ = false;

    ledger::AccountEditor* editor_;
    ui::DataGrid* grid_;
    QPushButton* newButton_;
    QPushButton* editButton_;
    QPushButton* saveButton_;
    QPushButton* cancelButton_;
    QPushButton* exitButton_;
    ledger::StatusPanels status_;
};
