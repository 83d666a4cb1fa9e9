#pragma once
// The department picker: the company's departments in the order they were added.
//
//   TDeptViewForm picker(owner);
//   picker.coyCode = 1;
//   if (picker.exec() == QDialog::Accepted && picker.selected) use(picker.linkCode, picker.branch);

#include "ledger/departments.h"
#include "store/connection.h"
#include "ui/pickerform.h"

#include <memory>

class QPushButton;

namespace store {
class Table;
}
namespace ui {
class DataGrid;
class Navigator;
}  // namespace ui

class TDeptViewForm : public ui::PickerForm {
    Q_OBJECT
public:
    explicit TDeptViewForm(QWidget* owner = nullptr);
    ~TDeptViewForm() override;

    // Inputs.
    int coyCode = 1;
    bool selectEnabled = true;  // off: the list is only for viewing

    // Results, set by "Select".
    bool selected = false;
    QString deptCode;  // DEPTCODE
    QString linkCode;  // LINKCODE, "1-2"
    int branch = 0;    // BRANCH
    QString deptName;  // BUSNAME

    // The chosen department, when one was selected.
    std::optional<ledger::Department> department() const;

    void SelectButtonClick() override;

protected:
    void FormShow() override;
    void done(int result) override;

private:
    void closeTables();

    store::Connection connection_;
    std::unique_ptr<store::Table> departments_;
};
