// The "Bank Account(s)" page of bank set-up.
#include <QCheckBox>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "banking/bank_setup.h"
#include "banking/bankpages.h"
#include "banking/bankvuform.h"
#include "ledger/deptviewform.h"
#include "ledger/formparts.h"
#include "store/format.h"
#include "store/table.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"
#include "ui/opener.h"
#include "ui/pickerkey.h"

namespace banking {

namespace {

QString yesNo(const QVariant& v) {
    return v.toInt() == 1 ? QStringLiteral("Yes") : QStringLiteral("No");
}

QString moneyText(const QVariant& v) { return store::fmt::money(v.toDouble()); }

}  // namespace

BankAccountsPage::BankAccountsPage(SetupContext& context) : SetupPage(context) {
    setObjectName(QStringLiteral("BankAccountsPage"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    auto edit = [this](const char* name, int maxLength) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMaxLength(maxLength);
        return e;
    };
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    int row = 0;
    coyCodeEdit_ = edit("CoyCodeEdit", 10);
    coyCodeEdit_->setReadOnly(true);
    coyCodeEdit_->setMaximumWidth(110);
    coyCodeEdit_->setFocusPolicy(Qt::NoFocus);
    coyNameEdit_ = edit("CoyNameEdit", 60);
    coyNameEdit_->setReadOnly(true);
    coyNameEdit_->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(label(QStringLiteral("Company  :"), coyCodeEdit_), row, 0);
    grid->addWidget(coyCodeEdit_, row, 1);
    grid->addWidget(coyNameEdit_, row++, 2, 1, 2);

    bankCodeEdit_ = edit("AcctBankCodeEdit", 6);
    bankCodeEdit_->setMaximumWidth(110);
    bankPickButton_ = new QToolButton(this);
    bankPickButton_->setObjectName(QStringLiteral("BankPickButton"));
    bankPickButton_->setText(QStringLiteral("..."));
    bankPickButton_->setToolTip(QStringLiteral("View/Select Banks"));
    bankNameLabel_ = new QLabel(this);
    bankNameLabel_->setObjectName(QStringLiteral("BankNameLabel"));
    auto* bankRow = new QHBoxLayout;
    bankRow->addWidget(bankCodeEdit_);
    bankRow->addWidget(bankPickButton_);
    ui::openPickerWithAltDown(bankCodeEdit_, bankPickButton_);
    bankRow->addWidget(bankNameLabel_, 1);
    grid->addWidget(label(QStringLiteral("Bank Code No.:"), bankCodeEdit_), row, 0);
    grid->addLayout(bankRow, row++, 1, 1, 3);

    acctNoEdit_ = edit("AcctNoEdit", 20);
    acctNoEdit_->setToolTip(QStringLiteral("Enter the acct no in the form 9999999-99"));
    grid->addWidget(label(QStringLiteral("Account Number :"), acctNoEdit_), row, 0);
    grid->addWidget(acctNoEdit_, row++, 1);
    descEdit_ = edit("DescEdit", 50);
    grid->addWidget(label(QStringLiteral("Description :"), descEdit_), row, 0);
    grid->addWidget(descEdit_, row++, 1, 1, 3);
    lastChqEdit_ = edit("LastChqEdit", 10);
    lastRefEdit_ = edit("LastRefEdit", 16);
    grid->addWidget(label(QStringLiteral("Last Cheque No. :"), lastChqEdit_), row, 0);
    grid->addWidget(lastChqEdit_, row, 1);
    grid->addWidget(label(QStringLiteral("Last Transaction No. : "), lastRefEdit_), row, 2);
    grid->addWidget(lastRefEdit_, row++, 3);

    defaultCheck_ = new QCheckBox(QStringLiteral("Use as default account"), this);
    defaultCheck_->setObjectName(QStringLiteral("DefaultCheck"));
    deptOnlyCheck_ = new QCheckBox(QStringLiteral("One dept. only"), this);
    deptOnlyCheck_->setObjectName(QStringLiteral("DeptOnlyCheck"));
    allowOdCheck_ = new QCheckBox(QStringLiteral("Overdraft provision"), this);
    allowOdCheck_->setObjectName(QStringLiteral("AllowOdCheck"));
    odAmountEdit_ = edit("OdAmountEdit", 12);
    odAmountEdit_->setMaximumWidth(110);
    auto* odValidator = new QDoubleValidator(0.0, 9999999.99, 2, odAmountEdit_);
    odValidator->setNotation(QDoubleValidator::StandardNotation);
    odValidator->setLocale(QLocale::c());
    odAmountEdit_->setValidator(odValidator);
    odAmountLabel_ = label(QStringLiteral("Overdraft amount : "), odAmountEdit_);
    odAmountLabel_->setObjectName(QStringLiteral("OdAmountLabel"));
    grid->addWidget(defaultCheck_, row, 1);
    grid->addWidget(allowOdCheck_, row, 2);
    auto* odRow = new QHBoxLayout;
    odRow->addWidget(odAmountLabel_);
    odRow->addWidget(odAmountEdit_);
    odRow->addStretch();
    grid->addLayout(odRow, row++, 3);
    allocatedLabel_ = new QLabel(QStringLiteral("Allocated to  :"), this);
    allocatedLabel_->setObjectName(QStringLiteral("AllocatedLabel"));
    deptNameLabel_ = new QLabel(this);
    deptNameLabel_->setObjectName(QStringLiteral("DeptNameLabel"));
    auto* deptRow = new QHBoxLayout;
    deptRow->addWidget(allocatedLabel_);
    deptRow->addWidget(deptNameLabel_, 1);
    grid->addWidget(deptOnlyCheck_, row, 1);
    grid->addLayout(deptRow, row++, 2, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    grid_ = new ui::DataGrid(this);
    grid_->setObjectName(QStringLiteral("AcctGrid"));
    layout->addWidget(grid_, 1);
    navigator_ = new ui::Navigator(this);
    navigator_->setObjectName(QStringLiteral("AcctNavigator"));
    auto* navRow = new QHBoxLayout;
    navRow->addWidget(navigator_);
    navRow->addStretch();
    layout->addLayout(navRow);

    setTabOrder(bankCodeEdit_, acctNoEdit_);
    setTabOrder(acctNoEdit_, descEdit_);
    setTabOrder(descEdit_, lastChqEdit_);
    setTabOrder(lastChqEdit_, lastRefEdit_);
    setTabOrder(lastRefEdit_, defaultCheck_);
    setTabOrder(defaultCheck_, allowOdCheck_);
    setTabOrder(allowOdCheck_, odAmountEdit_);
    setTabOrder(odAmountEdit_, deptOnlyCheck_);
    setTabOrder(deptOnlyCheck_, grid_);

    connect(bankCodeEdit_, &QLineEdit::textChanged, this,
            [this](const QString& t) { BankCodeEditChange(t); });
    connect(acctNoEdit_, &QLineEdit::textEdited, this,
            [this](const QString& t) { AcctNoEditChange(t); });
    connect(defaultCheck_, &QCheckBox::clicked, this, [this] { DefaultCheckClick(); });
    connect(deptOnlyCheck_, &QCheckBox::clicked, this, [this] { DeptOnlyCheckClick(); });
    connect(allowOdCheck_, &QCheckBox::toggled, this, [this](bool on) {
        odAmountLabel_->setVisible(on);
        odAmountEdit_->setVisible(on);
    });
    connect(bankPickButton_, &QToolButton::clicked, this, [this] { BankPickButtonClick(); });
    connect(grid_, &ui::DataGrid::currentRecordChanged, this, [this] {
        if (browsing()) showCurrent();
    });
    connect(navigator_, &ui::Navigator::moved, this, [this] {
        grid_->syncToTable();
        showCurrent();
    });
    odAmountLabel_->hide();
    odAmountEdit_->hide();
    showDepartment({});
}

BankAccountsPage::~BankAccountsPage() { closeTables(); }

void BankAccountsPage::openTables() {
    coyCodeEdit_->setText(ctx_.busCode);
    coyNameEdit_->setText(ctx_.busName);
    accounts_ = std::make_unique<store::Table>(connection(), QStringLiteral("QVBnkAct.DBF"));
    accounts_->setIndexName(QStringLiteral("COYCODE"));
    accounts_->open();
    accounts_->setMasterRange(QStringLiteral("COYCODE"), QString::number(ctx_.coy));
    accounts_->first();
    grid_->bindTable(
        connection(), accounts_.get(),
        {ledger::column(QStringLiteral("ACCTNO"), QStringLiteral("Account No.")),
         ledger::column(QStringLiteral("DESC"), QStringLiteral("Description")),
         ui::ColumnSpec{QStringLiteral("ODAMOUNT"), QStringLiteral("O. D. Amount"), moneyText,
                        Qt::AlignRight | Qt::AlignVCenter},
         ledger::column(QStringLiteral("DEFAULT"), QStringLiteral("Set as default"), yesNo),
         ledger::column(QStringLiteral("ALLOWOD"), QStringLiteral("O.D. allowed"), yesNo)});
    grid_->horizontalHeader()->setStretchLastSection(true);
    navigator_->setTable(accounts_.get());
    grid_->syncToTable();
}

void BankAccountsPage::closeTables() {
    navigator_->setTable(nullptr);
    grid_->unbind();
    accounts_.reset();
}

QString BankAccountsPage::currentBankCode() const {
    return accounts_ && accounts_->hasRecord() ? accounts_->text("BANKCODE") : QString();
}

QString BankAccountsPage::currentAcctNo() const {
    return accounts_ && accounts_->hasRecord() ? accounts_->text("ACCTNO") : QString();
}

void BankAccountsPage::showDepartment(const QString& name) {
    allocatedLabel_->setVisible(!name.isEmpty());
    deptNameLabel_->setVisible(!name.isEmpty());
    deptNameLabel_->setText(name);
}

void BankAccountsPage::showCurrent() {
    if (!accounts_) return;
    // The opening-balance page may have written the account since it was read.
    if (accounts_->hasRecord()) ui::guarded(this, [this] { accounts_->refresh(); });
    chosenDept_.reset();
    if (!accounts_->hasRecord()) {
        for (QLineEdit* e :
             {bankCodeEdit_, acctNoEdit_, descEdit_, lastChqEdit_, lastRefEdit_, odAmountEdit_})
            e->clear();
        for (QCheckBox* c : {defaultCheck_, deptOnlyCheck_, allowOdCheck_}) c->setChecked(false);
        showDepartment({});
        navigator_->updateButtons();
        return;
    }
    const store::Table& t = *accounts_;
    bankCodeEdit_->setText(t.text("BANKCODE"));
    acctNoEdit_->setText(t.text("ACCTNO"));
    descEdit_->setText(t.text("DESC"));
    lastChqEdit_->setText(QString::number(t.integer("LASTCHQ")));
    lastRefEdit_->setText(QString::number(t.integer("LASTREFNO")));
    defaultCheck_->setChecked(t.integer("DEFAULT") == 1);
    deptOnlyCheck_->setChecked(t.integer("BRALLOC") == 1);
    allowOdCheck_->setChecked(t.integer("ALLOWOD") == 1);
    odAmountEdit_->setText(store::fmt::money(t.number("ODAMOUNT")));
    QString deptName;
    if (t.integer("BRALLOC") == 1) {
        const QString link = t.text("LINKCODE");
        ui::guarded(this, [&] {
            if (const auto dept = ledger::departmentByLinkCode(connection(), ctx_.coy, link))
                deptName = dept->name;
        });
    }
    showDepartment(deptName);
    navigator_->updateButtons();
}

void BankAccountsPage::applyMode(bool active) {
    const bool editable = active && !browsing();
    for (QLineEdit* e : {bankCodeEdit_, descEdit_, lastChqEdit_, lastRefEdit_, odAmountEdit_})
        e->setReadOnly(!editable);
    acctNoEdit_->setReadOnly(!(active && ctx_.mode == SetupMode::Adding));
    if (editable && accountInUse_ && ctx_.mode == SetupMode::Editing)
        bankCodeEdit_->setReadOnly(true);
    bankPickButton_->setEnabled(editable && !bankCodeEdit_->isReadOnly());
    for (QCheckBox* c : {defaultCheck_, deptOnlyCheck_, allowOdCheck_}) c->setEnabled(editable);
    navigator_->setEnabledAll(browsing());
    grid_->setEnabled(browsing());
}

void BankAccountsPage::updateSave() {
    if (!browsing()) ctx_.allowSave(bankFound_ && !duplicateAcct_);
}

bool BankAccountsPage::startNew() {
    if (!accounts_) return false;
    const BankAccountDetails defaults;
    accountInUse_ = false;
    bankCodeEdit_->clear();
    acctNoEdit_->clear();
    descEdit_->clear();
    lastRefEdit_->setText(defaults.lastRefNo);
    lastChqEdit_->setText(defaults.lastChq);
    odAmountEdit_->setText(defaults.odAmount);
    for (QCheckBox* c : {defaultCheck_, deptOnlyCheck_, allowOdCheck_}) c->setChecked(false);
    chosenDept_.reset();
    showDepartment({});
    duplicateAcct_ = false;
    bankFound_ = false;
    applyMode(true);
    updateSave();
    bankCodeEdit_->setFocus();
    return true;
}

bool BankAccountsPage::startEdit() {
    if (!accounts_ || !accounts_->hasRecord()) {
        ui::beep();
        ui::information(
            this, QStringLiteral("Cannot edit.  No bank accounts exist. Click New to create one."));
        return false;
    }
    chosenDept_.reset();
    duplicateAcct_ = false;
    accountInUse_ = false;
    ui::guarded(this, [this] {
        accountInUse_ = bankAccountInUse(connection(), accounts_->text("BANKLINK"));
    });
    applyMode(true);
    BankCodeEditChange(bankCodeEdit_->text());
    descEdit_->setFocus();
    return true;
}

void BankAccountsPage::BankCodeEditChange(const QString& text) {
    std::optional<QString> name;
    if (!text.trimmed().isEmpty()) ui::guarded(this, [&] { name = bankName(connection(), text); });
    bankFound_ = name.has_value();
    if (name)
        bankNameLabel_->setText(*name);
    else if (text.trimmed().isEmpty())
        bankNameLabel_->clear();
    else
        bankNameLabel_->setText(accountSaveText(AccountSave::BankNotFound));
    updateSave();
}

void BankAccountsPage::AcctNoEditChange(const QString& text) {
    if (ctx_.mode != SetupMode::Adding) return;
    bool used = false;
    ui::guarded(this, [&] { used = accountNumberUsed(connection(), text); });
    const QString duplicate = accountSaveText(AccountSave::DuplicateAccount);
    if (used)
        descEdit_->setText(duplicate);
    else if (duplicateAcct_ && descEdit_->text() == duplicate)
        descEdit_->clear();
    duplicateAcct_ = used;
    updateSave();
}

void BankAccountsPage::DefaultCheckClick() {
    if (browsing() || !defaultCheck_->isChecked()) return;
    bool other = false;
    ui::guarded(this,
                [&] { other = otherDefaultAccount(connection(), ctx_.coy, acctNoEdit_->text()); });
    if (!other) return;
    ui::warning(this, accountSaveText(AccountSave::DefaultAlreadySet));
    defaultCheck_->setChecked(false);
}

void BankAccountsPage::DeptOnlyCheckClick() {
    if (browsing()) return;
    chosenDept_.reset();
    showDepartment({});
    if (!deptOnlyCheck_->isChecked()) return;
    chosenDept_ = ui::openWindow<TDeptViewForm>(
        this, [this](TDeptViewForm& w) { w.coyCode = ctx_.coy; },
        [](TDeptViewForm& w, int) { return w.department(); });
    // Without a department the account cannot belong to one.
    if (!chosenDept_)
        deptOnlyCheck_->setChecked(false);
    else
        showDepartment(chosenDept_->name);
}

void BankAccountsPage::BankPickButtonClick() {
    if (browsing()) return;
    const QString chosen = ui::openWindow<TBankVuForm>(
        this, [](TBankVuForm&) {},
        [](TBankVuForm& w, int code) {
            return code == QDialog::Accepted ? w.bankCode : QString();
        });
    if (!chosen.isEmpty() && !browsing()) bankCodeEdit_->setText(chosen);
}

bool BankAccountsPage::save() {
    BankAccountDetails d;
    d.bankCode = bankCodeEdit_->text();
    d.acctNo = acctNoEdit_->text();
    d.desc = descEdit_->text();
    d.lastRefNo = lastRefEdit_->text();
    d.lastChq = lastChqEdit_->text();
    d.isDefault = defaultCheck_->isChecked();
    d.deptOnly = deptOnlyCheck_->isChecked();
    d.department = chosenDept_;
    d.allowOd = allowOdCheck_->isChecked();
    d.odAmount = odAmountEdit_->text();
    const EntryMode mode = ctx_.mode == SetupMode::Adding ? EntryMode::Add : EntryMode::Edit;
    AccountSave result = AccountSave::Failed;
    if (!ui::guarded(
            this, [&] { result = saveBankAccount(*accounts_, ctx_.coy, ctx_.busCode, d, mode); }))
        return false;
    const QString text = accountSaveText(result);
    switch (result) {
        case AccountSave::Saved:
            ui::guarded(this, [this] { grid_->refresh(); });
            ctx_.changed();
            return true;
        case AccountSave::MissingKey:
            ui::information(this, text);
            break;
        case AccountSave::SameCounters:
            ui::beep();
            ui::warning(this, text);
            break;
        case AccountSave::DuplicateAccount:
            duplicateAcct_ = true;
            updateSave();
            ui::warning(this, text);
            break;
        case AccountSave::DefaultAlreadySet:
            defaultCheck_->setChecked(false);
            ui::warning(this, text);
            break;
        case AccountSave::BankNotFound:
        case AccountSave::BankCodeLocked:
            ui::beep();
            ui::warning(this, text);
            break;
        case AccountSave::Failed:
            ui::error(this, text);
            break;
    }
    return false;
}

void BankAccountsPage::cancel() {
    if (accounts_ && accounts_->state() != store::EditState::Browse)
        ui::guarded(this, [this] { accounts_->cancel(); });
    accountInUse_ = false;
}

void BankAccountsPage::remove() {
    if (!accounts_ || !accounts_->hasRecord()) {
        ui::beep();
        return;
    }
    if (!ui::confirm(this, confirmAccountDeletionText(acctNoEdit_->text()))) return;
    ui::guarded(this, [this] {
        const BankAccountDelete result =
            deleteBankAccount(connection(), accounts_->text("BANKLINK"));
        if (result == BankAccountDelete::InUse)
            ui::warning(this, accountInUseText(accounts_->text("BANKCODE")));
        if (result == BankAccountDelete::Deleted) ctx_.changed();
        accounts_->refresh();  // moves on when the account is gone
        grid_->refresh();
    });
}

}  // namespace banking
