#pragma once
// Account maintenance opened by the account pickers' "New" buttons: adds and edits the accounts
// of one department of the company at a time.
//
//   TQVCashAccountForm form(owner);
//   form.coyCode = 1;
//   form.exec();
//   if (form.saved) rereadTheList();

#include <memory>
#include <optional>

#include "ledger/departments.h"
#include "store/connection.h"
#include "ui/maintenanceframe.h"

namespace store {
class Table;
}
namespace ui {
class DataGrid;
}
namespace ledger {
class AccountEditor;
}

class TQVCashAccountForm : public ui::MaintenanceFrame {
    Q_OBJECT
public:
    using Mode = ui::EditMode;

    explicit TQVCashAccountForm(QWidget* owner = nullptr);
    ~TQVCashAccountForm() override;

    // Input.
    int coyCode = 1;
    // Result: true when at least one account was added.
    bool saved = false;

    // The department whose accounts are listed; none when the company has no departments.
    std::optional<ledger::Department> currentDepartment() const { return department_; }

protected:
    void FormShow() override;
    QString modeText(ui::EditMode mode) const override;
    bool canMaintain() const override { return accounts_ != nullptr; }
    void applyMode(ui::EditMode mode) override;
    bool startNew() override;
    bool startEdit() override;
    bool saveRecord() override;
    void cancelRecord() override;
    void showCurrent() override;
    void closeTables() override;

private:
    void listDepartment(const std::optional<ledger::Department>& department);
    void AcctEditChange(const QString& text);
    void DeptEditChange(const QString& text);

    store::Connection connection_;
    std::unique_ptr<store::Table> accounts_;
    std::optional<ledger::Department> department_;

    ledger::AccountEditor* editor_;
    ui::DataGrid* grid_;
};
