// The "Accounts" page of codes and accounts.
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "ledger/accounteditor.h"
#include "ledger/accountlists.h"
#include "ledger/accounts.h"
#include "ledger/deptviewform.h"
#include "ledger/formparts.h"
#include "ledger/validationform.h"
#include "reports/acctaudpreview.h"
#include "store/table.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"
#include "ui/opener.h"

namespace {

QString statusText(const QVariant& active) {
    return active.toInt() == 1 ? QStringLiteral("Active") : QStringLiteral("Inactive");
}

}  // namespace

QWidget* TQVValidationForm::buildAccountsPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("AccountsPage"));
    auto* layout = new QVBoxLayout(page);
    editor_ = new ledger::AccountEditor(
        {QStringLiteral("Acc&ount Code :"), QStringLiteral("Dept/Di&vision :"),
         QStringLiteral("Calculate sales &tax "),
         QStringLiteral("Check if this account is to be included in the profit and lost statement"),
         false, true},
        page);
    layout->addWidget(editor_);
    acctGrid_ = new ui::DataGrid(page);
    acctGrid_->setObjectName(QStringLiteral("AcctGrid"));
    layout->addWidget(acctGrid_, 1);
    auto* row = new QHBoxLayout;
    acctNavigator_ = new ui::Navigator(page);
    acctNavigator_->setObjectName(QStringLiteral("AcctNavigator"));
    row->addWidget(acctNavigator_);
    row->addStretch();
    budgetsButton_ = new QPushButton(QStringLiteral("&Budgets"), page);
    budgetsButton_->setObjectName(QStringLiteral("BudgetsButton"));
    budgetsButton_->setAutoDefault(false);
    auditButton_ = new QPushButton(QStringLiteral("A&udit"), page);
    auditButton_->setObjectName(QStringLiteral("AuditButton"));
    auditButton_->setAutoDefault(false);
    auditButton_->setToolTip(QStringLiteral("Preview or print the chart of accounts"));
    row->addWidget(budgetsButton_);
    row->addWidget(auditButton_);
    layout->addLayout(row);

    connect(editor_, &ledger::AccountEditor::acctEdited, this,
            [this](const QString& t) { AcctEditChange(t); });
    connect(editor_, &ledger::AccountEditor::deptEdited, this,
            [this](const QString& t) { DeptEditChange(t); });
    connect(editor_, &ledger::AccountEditor::expCodeEdited, this, [this] { expCodeTyped_ = true; });
    connect(editor_, &ledger::AccountEditor::typeChosen, this, [this] {
        if (mode() == Mode::Adding) editor_->reportGroupFollowsType();
    });
    connect(editor_->acctListButton(), &QToolButton::clicked, this,
            [this] { AcctListButtonClick(); });
    connect(editor_->deptPickButton(), &QToolButton::clicked, this,
            [this] { DeptPickButtonClick(); });
    connect(acctNavigator_, &ui::Navigator::moved, this, [this] {
        acctGrid_->syncToTable();
        showAccount();
    });
    connect(acctGrid_, &ui::DataGrid::currentRecordChanged, this, [this] {
        if (browsing()) showAccount();
    });
    // Budgets open here once they exist.
    connect(budgetsButton_, &QPushButton::clicked, this, [] {});
    connect(auditButton_, &QPushButton::clicked, this,
            [this] { reports::previewChartOfAccounts(this, coy_); });
    return page;
}

void TQVValidationForm::openAccounts() {
    accounts_ = std::make_unique<store::Table>(connection_, QStringLiteral("QVAccDet.DBF"));
    accounts_->setIndexName(QStringLiteral("COYCODE"));
    accounts_->open();
    accounts_->setMasterRange(QStringLiteral("COYCODE"), QString::number(coy_));
    acctGrid_->bindTable(
        connection_, accounts_.get(),
        {ledger::column(QStringLiteral("ACCTCODE"), QStringLiteral("Account Code")),
         ledger::column(QStringLiteral("TYPECODE"), QStringLiteral("Type")),
         ledger::column(QStringLiteral("DESCR"), QStringLiteral("Description")),
         ledger::column(QStringLiteral("ACTACTIVE"), QStringLiteral("Status"), statusText)});
    acctGrid_->horizontalHeader()->setStretchLastSection(true);
    acctNavigator_->setTable(accounts_.get());
}

void TQVValidationForm::showAccount() {
    if (!accounts_) return;
    ui::guarded(this, [this] { editor_->showAccount(*accounts_, connection_, coy_); });
    acctNavigator_->updateButtons();
    updateBudgetsButton();
}

void TQVValidationForm::updateBudgetsButton() {
    bool any = false;
    if (accounts_) ui::guarded(this, [&] { any = accounts_->recordCount() > 0; });
    budgetsButton_->setVisible(any);
}

void TQVValidationForm::startAccountEdit() {
    editInUse_ = false;
    editStartDept_ = editor_->deptEdit()->text();
    ui::guarded(this, [this] {
        editInUse_ = ledger::accountInUse(connection_, coy_, accounts_->text("ACCTCODE"),
                                          accounts_->text("FULLCODE"));
    });
}

void TQVValidationForm::AcctEditChange(const QString& text) {
    if (mode() != Mode::Adding) return;
    const QString code = text.trimmed();
    setSaveAllowed(!code.isEmpty());
    if (code.isEmpty() || expCodeTyped_) return;
    bool used = false;
    ui::guarded(this, [&] { used = ledger::accountCodeUsed(connection_, coy_, code); });
    if (!used) editor_->expCodeEdit()->setText(code);
}

void TQVValidationForm::DeptEditChange(const QString& text) {
    if (restoringDept_) return;
    if (mode() == Mode::Editing && editInUse_) {
        ui::beep();
        ui::showMessage(this, ui::MsgKind::Error, ledger::departmentLockedText());
        restoringDept_ = true;
        editor_->deptEdit()->setText(editStartDept_);
        restoringDept_ = false;
        std::optional<ledger::Department> found;
        ui::guarded(this,
                    [&] { found = ledger::findDepartment(connection_, coy_, editStartDept_); });
        editor_->showDepartmentLabel(editStartDept_, found);
        return;
    }
    std::optional<ledger::Department> found;
    ui::guarded(this, [&] { found = ledger::findDepartment(connection_, coy_, text); });
    editor_->showDepartmentLabel(text, found);
}

bool TQVValidationForm::saveAccount() {
    const ledger::AccountDetails details = editor_->details();
    ledger::AccountSave result = ledger::AccountSave::Saved;
    ledger::PrivateShareRefusal why = ledger::PrivateShareRefusal::None;
    // A store failure cancels the record and is shown; the mode stays.
    if (!ui::guarded(this, [&] {
            result = mode() == Mode::Adding
                         ? ledger::addAccount(*accounts_, coy_, details, &why)
                         : ledger::updateAccount(*accounts_, coy_, details, &why);
        }))
        return false;
    if (result != ledger::AccountSave::Saved) {
        ledger::showAccountRefusal(this, result, why);
        return false;
    }
    acctGrid_->refresh();
    return true;
}

void TQVValidationForm::deleteAccount() {
    if (!accounts_ || !accounts_->hasRecord()) return;
    const QString code = accounts_->text("ACCTCODE");
    const ledger::AccountDelete result = ledger::deleteAccount(connection_, coy_, code);
    if (result == ledger::AccountDelete::InUse) {
        ui::warning(this, ledger::accountInUseText(code));
        return;
    }
    accounts_->refresh();  // moves on to the next account
    const qint64 keep = accounts_->hasRecord() ? accounts_->rowId() : 0;
    // The table is packed when nothing else has it open; otherwise the deleted record simply
    // waits for the next "Optimise database space".
    acctNavigator_->setTable(nullptr);
    acctGrid_->unbind();
    accounts_.reset();
    ledger::packAccounts(connection_);
    openAccounts();
    if (keep != 0) accounts_->gotoRowId(keep);
    acctGrid_->syncToTable();
}

void TQVValidationForm::AcctListButtonClick() {
    const bool listBrowsing = browsing();
    const QString chosen = ui::openWindow<TDeptAcctListForm>(
        this,
        [&](TDeptAcctListForm& w) {
            w.coyCode = coy_;
            w.acctType = QStringLiteral("BOTH");
            w.linkCode.clear();
            w.newVisible = false;
            w.selectEnabled = listBrowsing;
            w.setWindowTitle(QStringLiteral("Select/View accounts of ") + windowTitle());
        },
        [](TDeptAcctListForm& w, int code) {
            return code == QDialog::Accepted ? w.acctCode : QString();
        });
    if (chosen.isEmpty() || !browsing() || !accounts_) return;
    bool found = false;
    ui::guarded(this, [&] { found = accounts_->locate(QStringLiteral("ACCTCODE"), chosen); });
    if (found) {
        acctGrid_->syncToTable();
        showAccount();
    }
}

void TQVValidationForm::DeptPickButtonClick() {
    const bool adding = mode() == Mode::Adding;
    const auto picked = ui::openWindow<TDeptViewForm>(
        this,
        [&](TDeptViewForm& w) {
            w.coyCode = coy_;
            w.selectEnabled = adding;
        },
        [](TDeptViewForm& w, int) { return w.department(); });
    if (!picked || mode() != Mode::Adding) return;
    editor_->deptEdit()->setText(picked->deptCode);
    editor_->showDepartmentLabel(picked->deptCode, picked);
}
