#include "ledger/deptviewform.h"

#include "store/table.h"
#include "ledger/formparts.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

TDeptViewForm::TDeptViewForm(QWidget* owner)
    : ui::PickerForm(owner, QStringLiteral("DeptViewForm"), 34, QStringLiteral("DeptGrid"),
                     QStringLiteral("DeptNavigator")) {
    setObjectName(QStringLiteral("DeptViewForm"));
    setWindowTitle(QStringLiteral("View/Select Company departments"));
    resize(360, 320);
    connect(navigator_, &ui::Navigator::moved, grid_, &ui::DataGrid::syncToTable);
}

TDeptViewForm::~TDeptViewForm() { closeTables(); }

void TDeptViewForm::FormShow() {
    selected = false;
    selectButton_->setEnabled(selectEnabled);
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        departments_ = std::make_unique<store::Table>(connection_, QStringLiteral("QVCoy.DBF"));
        departments_->setIndexName(QStringLiteral("COYCODE"));
        departments_->open();
        departments_->setMasterRange(QStringLiteral("COYCODE"), coyCode);
        grid_->bindTable(connection_, departments_.get(),
                         {ledger::column(QStringLiteral("BUSNAME"), QStringLiteral("Department"))});
        grid_->horizontalHeader()->setStretchLastSection(true);
        navigator_->setTable(departments_.get());
    });
    grid_->setFocus();
}

void TDeptViewForm::SelectButtonClick() {
    if (!departments_ || !departments_->hasRecord()) {
        ui::beep();
        return;
    }
    const ledger::Department d = ledger::departmentAt(*departments_);
    deptCode = d.deptCode;
    linkCode = d.linkCode;
    branch = d.branch;
    deptName = d.name;
    selected = true;
    accept();
}

std::optional<ledger::Department> TDeptViewForm::department() const {
    if (!selected) return std::nullopt;
    return ledger::Department{branch, linkCode, deptCode, deptName};
}

void TDeptViewForm::done(int result) {
    closeTables();
    ui::FormBase::done(result);
}

void TDeptViewForm::closeTables() {
    navigator_->setTable(nullptr);
    grid_->unbind();
    departments_.reset();
    connection_.disconnect();
}
