#include "ledger/cashaccountform.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "ledger/accounteditor.h"
#include "ledger/accounts.h"
#include "ledger/formparts.h"
#include "store/table.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"

namespace {

QString statusText(const QVariant& active) {
    return active.toInt() == 1 ? QStringLiteral("Active") : QStringLiteral("Inactive");
}

}  // namespace

TQVCashAccountForm::TQVCashAccountForm(QWidget* owner)
    : ui::MaintenanceFrame(owner, QStringLiteral("QVCashAccountForm"), 33) {
    setObjectName(QStringLiteral("QVCashAccountForm"));
    resize(620, 520);
    auto* layout = new QVBoxLayout(this);
    editor_ = new ledger::AccountEditor(
        {QStringLiteral("&Ledger Code :"), QStringLiteral("De&partment/Division :"),
         QStringLiteral("Calculate &tax"),
         QStringLiteral("Uncheck if account is not included in Profit and Loss statement"), true,
         false},
        this);
    layout->addWidget(editor_);
    grid_ = new ui::DataGrid(this);
    grid_->setObjectName(QStringLiteral("AcctGrid"));
    layout->addWidget(grid_, 1);
    addFrame(layout, {{NewButton, QStringLiteral("&New")},
                      {EditButton, QStringLiteral("E&dit")},
                      {SaveButton, QStringLiteral("&Save")},
                      {CancelButton, QStringLiteral("&Cancel")},
                      {ExitButton, QStringLiteral("E&xit")}});

    connect(editor_, &ledger::AccountEditor::acctEdited, this,
            [this](const QString& t) { AcctEditChange(t); });
    connect(editor_, &ledger::AccountEditor::deptEdited, this,
            [this](const QString& t) { DeptEditChange(t); });
    connect(editor_, &ledger::AccountEditor::typeChosen, this, [this] {
        if (mode() == Mode::Adding) editor_->reportGroupFollowsType();
    });
    connect(grid_, &ui::DataGrid::currentRecordChanged, this, [this] {
        if (browsing()) showCurrent();
    });
    editor_->deptPickButton()->hide();  // the department is chosen by typing its code here
}

TQVCashAccountForm::~TQVCashAccountForm() { closeTables(); }

void TQVCashAccountForm::FormShow() {
    saved = false;
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        store::Table control(connection_, QStringLiteral("QVCntrl.DBF"));
        control.setIndexName(QStringLiteral("COYCODE"));
        control.open();
        if (control.findKey(coyCode)) setWindowTitle(control.text("BUSNAME"));
        accounts_ = std::make_unique<store::Table>(connection_, QStringLiteral("QVAccDet.DBF"));
        accounts_->setIndexName(QStringLiteral("LINKCODE"));
        accounts_->open();
        const auto departments = ledger::departmentsOf(connection_, coyCode);
        listDepartment(departments.empty()
                           ? std::nullopt
                           : std::optional<ledger::Department>(departments.front()));
    });
    showCurrent();
}

QString TQVCashAccountForm::modeText(ui::EditMode mode) const {
    return mode == Mode::Adding    ? QStringLiteral("Adding Account.")
           : mode == Mode::Editing ? QStringLiteral("Editing Account.")
                                   : QStringLiteral("Browsing");
}

void TQVCashAccountForm::listDepartment(const std::optional<ledger::Department>& department) {
    department_ = department;
    if (!accounts_) return;
    // Company-level accounts carry LINKCODE "0", so they are never in a department's list.
    accounts_->setMasterRange(QStringLiteral("LINKCODE"),
                              department ? department->linkCode : QStringLiteral("-"));
    grid_->bindTable(
        connection_, accounts_.get(),
        {ledger::column(QStringLiteral("ACCTCODE"), QStringLiteral("Ledger Code")),
         ledger::column(QStringLiteral("TYPECODE"), QStringLiteral("Type")),
         ledger::column(QStringLiteral("DESCR"), QStringLiteral("Description")),
         ledger::column(QStringLiteral("ACTACTIVE"), QStringLiteral("Status"), statusText)});
    grid_->horizontalHeader()->setStretchLastSection(true);
}

void TQVCashAccountForm::applyMode(ui::EditMode mode) {
    grid_->setEnabled(mode == Mode::Browsing);
    editor_->setBoxesEnabled(mode != Mode::Browsing, mode == Mode::Adding);
    // Typing a department code while browsing moves the list to that department.
    editor_->deptEdit()->setEnabled(true);
}

void TQVCashAccountForm::showCurrent() {
    if (!accounts_) return;
    ui::guarded(this, [this] {
        editor_->showAccount(*accounts_, connection_, coyCode);
        if (!accounts_->hasRecord() && department_) {
            editor_->deptEdit()->setText(department_->deptCode);
            editor_->deptLabel()->setText(department_->name);
        }
    });
}

bool TQVCashAccountForm::startNew() {
    editor_->clearForNew();
    // A new account goes to the department listed, until another code is typed.
    if (department_) {
        editor_->deptEdit()->setText(department_->deptCode);
        editor_->deptLabel()->setText(department_->name);
    } else {
        editor_->deptLabel()->setText(ledger::companyLevelText());
    }
    editor_->acctEdit()->setFocus();
    return true;
}

bool TQVCashAccountForm::startEdit() {
    if (!accounts_->hasRecord()) {
        ui::beep();
        ui::information(this, QStringLiteral("Nothing to edit...click New to add."));
        return false;
    }
    editor_->deptEdit()->setFocus();
    return true;
}

void TQVCashAccountForm::AcctEditChange(const QString& text) {
    if (mode() != Mode::Adding) return;
    const QString code = text.trimmed();
    bool used = false;
    ui::guarded(this, [&] { used = ledger::accountCodeUsed(connection_, coyCode, code); });
    if (used) {
        setSaveAllowed(false);
        ui::information(this, ledger::duplicateAccountText());
        return;
    }
    setSaveAllowed(!code.isEmpty());
    if (!code.isEmpty()) editor_->expCodeEdit()->setText(code);
}

void TQVCashAccountForm::DeptEditChange(const QString& text) {
    std::optional<ledger::Department> found;
    ui::guarded(this, [&] { found = ledger::findDepartment(connection_, coyCode, text); });
    editor_->showDepartmentLabel(text, found);
    // While browsing the list moves to the department typed; an unknown code leaves it in place.
    if (browsing() && found && (!department_ || found->linkCode != department_->linkCode)) {
        ui::guarded(this, [&] { listDepartment(found); });
        showCurrent();
        editor_->deptEdit()->setText(text);
    }
}

bool TQVCashAccountForm::saveRecord() {
    const ledger::AccountDetails details = editor_->details();
    ledger::AccountSave result = ledger::AccountSave::Saved;
    ledger::PrivateShareRefusal why = ledger::PrivateShareRefusal::None;
    const bool adding = mode() == Mode::Adding;
    // A store failure cancels the record and is shown; the user can correct and save again.
    if (!ui::guarded(this, [&] {
            result = adding ? ledger::addAccount(*accounts_, coyCode, details, &why)
                            : ledger::updateAccount(*accounts_, coyCode, details, &why);
        }))
        return false;
    if (result != ledger::AccountSave::Saved) {
        ledger::showAccountRefusal(this, result, why);
        return false;
    }
    if (adding) saved = true;
    // The list follows the department the account was saved to.
    const qint64 row = accounts_->rowId();
    ui::guarded(this, [&] {
        const auto d = ledger::findDepartment(connection_, coyCode, details.deptCode);
        if (d && (!department_ || d->linkCode != department_->linkCode)) listDepartment(d);
        accounts_->gotoRowId(row);
        grid_->refresh();
    });
    return true;
}

void TQVCashAccountForm::cancelRecord() {
    if (accounts_) ui::guarded(this, [this] { accounts_->cancel(); });
}

void TQVCashAccountForm::closeTables() {
    grid_->unbind();
    accounts_.reset();
    connection_.disconnect();
}
