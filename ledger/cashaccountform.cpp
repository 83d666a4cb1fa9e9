#include "ledger/cashaccountform.h"

#include "ledger/accounteditor.h"
#include "ledger/accounts.h"
#include "store/table.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QString statusText(const QVariant& active) {
    return active.toInt() == 1 ? QStringLiteral("Active") : QStringLiteral("Inactive");
}

}  // namespace

TQVCashAccountForm::TQVCashAccountForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("QVCashAccountForm"), 33) {
    setObjectName(QStringLiteral("QVCashAccountForm"));
    resize(620, 520);
    auto* layout = new QVBoxLayout(this);
    editor_ = new ledger::AccountEditor(
        {QStringLiteral("&Ledger Code :"), QStringLiteral("De&partment/Division :"),
         QStringLiteral("Calculate ta&x"),
         QStringLiteral("Uncheck if account is not included in Profit and Loss statement"), true,
         false},
        this);
    layout->addWidget(editor_);
    grid_ = new ui::DataGrid(this);
    grid_->setObjectName(QStringLiteral("AcctGrid"));
    layout->addWidget(grid_, 1);
    auto* buttons = new QHBoxLayout;
    newButton_ = button(this, "NewButton", QStringLiteral("&New"));
    editButton_ = button(this, "EditButton", QStringLiteral("E&dit"));
    saveButton_ = button(this, "SaveButton", QStringLiteral("&Save"));
    cancelButton_ = button(this, "CancelButton", QStringLiteral("&Cancel"));
    exitButton_ = button(this, "ExitButton", QStringLiteral("E&xit"));
    buttons->addStretch();
    for (QPushButton* b : {newButton_, editButton_, saveButton_, cancelButton_, exitButton_})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    status_ = ledger::addStatusPanels(this, layout);

    connect(newButton_, &QPushButton::clicked, this, [this] { NewButtonClick(); });
    connect(editButton_, &QPushButton::clicked, this, [this] { EditButtonClick(); });
    connect(saveButton_, &QPushButton::clicked, this, [this] { SaveButtonClick(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(editor_, &ledger::AccountEditor::acctEdited, this,
            [this](const QString& t) { AcctEditChange(t); });
    connect(editor_, &ledger::AccountEditor::deptEdited, this,
            [this](const QString& t) { DeptEditChange(t); });
    connect(editor_, &ledger::AccountEditor::typeChosen, this, [this] {
        if (mode_ == Mode::Adding) editor_->reportGroupFollowsType();
    });
    connect(grid_, &ui::DataGrid::currentRecordChanged, this, [this] {
        if (mode_ == Mode::Browsing) showAccount();
    });
    editor_->deptPickButton()->hide();  // the department is chosen by typing its code here
}

TQVCashAccountForm::~TQVCashAccountForm() { closeTables(); }

void TQVCashAccountForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TQVCashAccountForm::FormShow() {
    saved = false;
    ledger::showToday(status_);
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
        listDepartment(departments.empty() ? std::nullopt
                                           : std::optional<ledger::Department>(departments.front()));
    });
    setMode(Mode::Browsing);
    showAccount();
}

void TQVCashAccountForm::listDepartment(const std::optional<ledger::Department>& department) {
    department_ = department;
    if (!accounts_) return;
    // Company-level accounts carry LINKCODE "0", so they are never in a department's list.
    accounts_->setMasterRange(QStringLiteral("LINKCODE"),
                              department ? department->linkCode : QStringLiteral("-"));
    grid_->bindTable(connection_, accounts_.get(),
                     {ledger::column(QStringLiteral("ACCTCODE"), QStringLiteral("Ledger Code")),
                      ledger::column(QStringLiteral("TYPECODE"), QStringLiteral("Type")),
                      ledger::column(QStringLiteral("DESCR"), QStringLiteral("Description")),
                      ledger::column(QStringLiteral("ACTACTIVE"), QStringLiteral("Status"),
                                     statusText)});
    grid_->horizontalHeader()->setStretchLastSection(true);
}

void TQVCashAccountForm::setMode(Mode mode) {
    mode_ = mode;
    const bool browsing = mode == Mode::Browsing;
    status_.mode->setText(mode == Mode::Adding    ? QStringLiteral("Adding Account.")
                          : mode == Mode::Editing ? QStringLiteral("Editing Account.")
                                                  : QStringLiteral("Browsing"));
    newButton_->setEnabled(browsing);
    editButton_->setEnabled(browsing);
    exitButton_->setEnabled(browsing);
    cancelButton_->setEnabled(!browsing);
    saveButton_->setEnabled(mode == Mode::Editing);
    grid_->setEnabled(browsing);
    editor_->setBoxesEnabled(!browsing, mode == Mode::Adding);
    // Typing a department code while browsing moves the list to that department.
    editor_->deptEdit()->setEnabled(true);
}

void TQVCashAccountForm::showAccount() {
    if (!accounts_) return;
    ui::guarded(this, [this] {
        editor_->showAccount(*accounts_, connection_, coyCode);
        if (!accounts_->hasRecord() && department_) {
            editor_->deptEdit()->setText(department_->deptCode);
            editor_->deptLabel()->setText(department_->name);
        }
    });
}

void TQVCashAccountForm::NewButtonClick() {
    if (!accounts_) return;
    setMode(Mode::Adding);
    editor_->clearForNew();
    // A new account goes to the department listed, until another code is typed.
    if (department_) {
        editor_->deptEdit()->setText(department_->deptCode);
        editor_->deptLabel()->setText(department_->name);
    } else {
        editor_->deptLabel()->setText(ledger::companyLevelText());
    }
    saveButton_->setEnabled(false);
    editor_->acctEdit()->setFocus();
}

void TQVCashAccountForm::EditButtonClick() {
    if (!accounts_ || !accounts_->hasRecord()) {
        ui::beep();
        ui::information(this, QStringLiteral("Nothing to edit...click New to add."));
        return;
    }
    setMode(Mode::Editing);
    editor_->acctEdit()->setEnabled(false);
    editor_->deptEdit()->setFocus();
}

void TQVCashAccountForm::AcctEditChange(const QString& text) {
    if (mode_ != Mode::Adding) return;
    const QString code = text.trimmed();
    bool used = false;
    ui::guarded(this, [&] { used = ledger::accountCodeUsed(connection_, coyCode, code); });
    if (used) {
        saveButton_->setEnabled(false);
        ui::information(this, ledger::duplicateAccountText());
        return;
    }
    saveButton_->setEnabled(!code.isEmpty());
    if (!code.isEmpty()) editor_->expCodeEdit()->setText(code);
}

void TQVCashAccountForm::DeptEditChange(const QString& text) {
    std::optional<ledger::Department> found;
    ui::guarded(this, [&] { found = ledger::findDepartment(connection_, coyCode, text); });
    editor_->showDepartmentLabel(text, found);
    // While browsing the list moves to the department typed; an unknown code leaves it in place.
    if (mode_ == Mode::Browsing && found && (!department_ || found->linkCode != department_->linkCode)) {
        ui::guarded(this, [&] { listDepartment(found); });
        showAccount();
        editor_->deptEdit()->setText(text);
    }
}

void TQVCashAccountForm::SaveButtonClick() {
    if (mode_ == Mode::Browsing || !accounts_) return;
    const ledger::AccountDetails details = editor_->details();
    ledger::AccountSave result = ledger::AccountSave::Saved;
    const bool adding = mode_ == Mode::Adding;
    try {
        result = adding ? ledger::addAccount(*accounts_, coyCode, details)
                        : ledger::updateAccount(*accounts_, coyCode, details);
    } catch (const std::exception&) {
        return;  // the record was cancelled; the user can correct and save again
    }
    switch (result) {
    case ledger::AccountSave::Saved:
        break;
    case ledger::AccountSave::EmptyCode:
        ui::beep();
        return;
    case ledger::AccountSave::DuplicateCode:
        ui::beep();
        ui::information(this, ledger::duplicateAccountText());
        return;
    case ledger::AccountSave::UnknownDepartment:
        ui::beep();
        ui::error(this, ledger::unknownDepartmentSaveText());
        return;
    case ledger::AccountSave::DepartmentLocked:
        ui::beep();
        ui::error(this, ledger::departmentLockedText());
        return;
    }
    if (adding) saved = true;
    const qint64 row = accounts_->rowId();
    setMode(Mode::Browsing);
    // The list follows the department the account was saved to.
    ui::guarded(this, [&] {
        const auto d = ledger::findDepartment(connection_, coyCode, details.deptCode);
        if (d && (!department_ || d->linkCode != department_->linkCode)) listDepartment(d);
        accounts_->gotoRowId(row);
        grid_->refresh();
    });
    showAccount();
}

void TQVCashAccountForm::CancelButtonClick() {
    if (accounts_) ui::guarded(this, [this] { accounts_->cancel(); });
    setMode(Mode::Browsing);
    showAccount();
}

void TQVCashAccountForm::done(int result) {
    if (mode_ != Mode::Browsing) {
        ui::beep();
        ui::warning(this, QStringLiteral("Save or cancel before exiting!"));
        return;
    }
    closeTables();
    ui::FormBase::done(result);
}

void TQVCashAccountForm::closeTables() {
    grid_->unbind();
    accounts_.reset();
    connection_.disconnect();
}
