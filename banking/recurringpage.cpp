// The "Recurring Transactions" page of bank set-up.
#include "banking/recurringpage.h"

#include <QButtonGroup>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "banking/acctselform.h"
#include "banking/rectransdetform.h"
#include "ledger/accountlists.h"
#include "ledger/formparts.h"
#include "payments/supplierpicker.h"
#include "payments/suppliers.h"
#include "store/format.h"
#include "store/table.h"
#include "ui/codebox.h"
#include "ui/datagrid.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"
#include "ui/opener.h"
#include "ui/pickerkey.h"

namespace banking {

namespace fmt = store::fmt;

namespace {

QString recurringTypeText(const QVariant& deposit) {
    return deposit.toInt() == 1 ? QStringLiteral("Deposit") : QStringLiteral("Withdrawal");
}

QToolButton* recurringPickButton(QWidget* parent, const char* name, const QString& tip) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(QStringLiteral("..."));
    b->setToolTip(tip);
    return b;
}

QLineEdit* recurringBox(QWidget* parent, const char* name, int maxLength) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    return e;
}

QLabel* recurringNote(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

}  // namespace

RecurringPage::RecurringPage(SetupContext& context) : SetupPage(context) {
    setObjectName(QStringLiteral("RecurringPage"));
    auto* layout = new QVBoxLayout(this);
    auto* coyGroup = new QGroupBox(QStringLiteral(" Company "), this);
    coyCodeEdit_ = recurringBox(coyGroup, "RecCoyCodeEdit", 10);
    coyNameEdit_ = recurringBox(coyGroup, "RecCoyNameEdit", 60);
    auto* coyRow = new QHBoxLayout(coyGroup);
    coyRow->addWidget(new QLabel(QStringLiteral("Code :"), coyGroup));
    for (QLineEdit* e : {coyCodeEdit_, coyNameEdit_}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        coyRow->addWidget(e, e == coyNameEdit_ ? 1 : 0);
    }
    layout->addWidget(coyGroup);

    makeBoxes(layout);
    makeList(layout);
    connectControls();
}

// The definition's boxes, pickers and the labels that show what the checks found.
void RecurringPage::makeBoxes(QVBoxLayout* layout) {
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto* typeGroup = new QGroupBox(QStringLiteral("Type "), this);
    typeGroup->setObjectName(QStringLiteral("RecTypeGroup"));
    withdrawalRadio_ = new QRadioButton(QStringLiteral("W&ithdrawal"), typeGroup);
    withdrawalRadio_->setObjectName(QStringLiteral("WithdrawalRadio"));
    depositRadio_ = new QRadioButton(QStringLiteral("De&posit"), typeGroup);
    depositRadio_->setObjectName(QStringLiteral("DepositRadio"));
    auto* typeRow = new QHBoxLayout(typeGroup);
    typeRow->addWidget(withdrawalRadio_);
    typeRow->addWidget(depositRadio_);
    withdrawalRadio_->setChecked(true);
    int row = 0;
    grid->addWidget(typeGroup, row++, 0, 1, 4);

    descrEdit_ = recurringBox(this, "RecDescrEdit", 251);
    grid->addWidget(label(QStringLiteral("Desc&r :"), descrEdit_), row, 0);
    grid->addWidget(descrEdit_, row++, 1, 1, 3);

    purposeEdit_ = recurringBox(this, "PurposeEdit", 20);
    ui::makeCodeBox(purposeEdit_);
    purposeButton_ =
        recurringPickButton(this, "PurposeButton", QStringLiteral("View/Select Ledger Accounts"));
    ui::openPickerWithAltDown(purposeEdit_, purposeButton_);
    purposeLabel_ = recurringNote(this, "PurposeLabel");
    purposeDescLabel_ = recurringNote(this, "PurposeDescLabel");
    auto* purposeRow = new QHBoxLayout;
    purposeRow->addWidget(purposeEdit_);
    purposeRow->addWidget(purposeButton_);
    purposeRow->addWidget(purposeDescLabel_, 1);
    grid->addWidget(label(QStringLiteral("P&urpose :"), purposeEdit_), row, 0);
    grid->addLayout(purposeRow, row, 1);
    grid->addWidget(purposeLabel_, row++, 2, 1, 2);

    bankAcctEdit_ = recurringBox(this, "BankAcctEdit", 27);
    bankButton_ =
        recurringPickButton(this, "BankAcctButton", QStringLiteral("View/Select Bank Account"));
    ui::openPickerWithAltDown(bankAcctEdit_, bankButton_);
    bankLabel_ = recurringNote(this, "BankAcctLabel");
    auto* bankRow = new QHBoxLayout;
    bankRow->addWidget(bankAcctEdit_);
    bankRow->addWidget(bankButton_);
    grid->addWidget(label(QStringLiteral("Ban&k Acct :"), bankAcctEdit_), row, 0);
    grid->addLayout(bankRow, row, 1);
    grid->addWidget(bankLabel_, row++, 2, 1, 2);

    amountEdit_ = recurringBox(this, "RecAmountEdit", 14);
    auto* validator = new QDoubleValidator(0.0, 99999999999.99, 2, amountEdit_);
    validator->setNotation(QDoubleValidator::StandardNotation);
    validator->setLocale(QLocale::c());
    amountEdit_->setValidator(validator);
    taxEdit_ = recurringBox(this, "RecTaxEdit", 14);
    taxEdit_->setReadOnly(true);
    taxEdit_->setFocusPolicy(Qt::NoFocus);
    taxEdit_->setToolTip(QStringLiteral("Worked out from the amount when the definition is saved"));
    grid->addWidget(label(QStringLiteral("A&mount :"), amountEdit_), row, 0);
    grid->addWidget(amountEdit_, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Tax :"), this), row, 2);
    grid->addWidget(taxEdit_, row++, 3);

    whoEdit_ = recurringBox(this, "WhoEdit", 250);
    whoButton_ = recurringPickButton(this, "WhoButton", QStringLiteral("View/Select Suppliers"));
    ui::openPickerWithAltDown(whoEdit_, whoButton_);
    whoLabel_ = recurringNote(this, "WhoLabel");
    whoCaption_ = label(QStringLiteral("Supp&lier :"), whoEdit_);
    whoCaption_->setObjectName(QStringLiteral("WhoCaption"));
    auto* whoRow = new QHBoxLayout;
    whoRow->addWidget(whoEdit_);
    whoRow->addWidget(whoButton_);
    grid->addWidget(whoCaption_, row, 0);
    grid->addLayout(whoRow, row, 1);
    grid->addWidget(whoLabel_, row++, 2, 1, 2);

    nextRunBox_ = new ui::DateBox(this);
    nextRunBox_->setObjectName(QStringLiteral("NextRunBox"));
    scheduleButton_ = new QPushButton(QStringLiteral("Sc&hedule"), this);
    scheduleButton_->setObjectName(QStringLiteral("ScheduleButton"));
    scheduleButton_->setAutoDefault(false);
    grid->addWidget(label(QStringLiteral("Nex&t run :"), nextRunBox_), row, 0);
    grid->addWidget(nextRunBox_, row, 1);
    grid->addWidget(scheduleButton_, row++, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
}

void RecurringPage::makeList(QVBoxLayout* layout) {
    grid_ = new ui::DataGrid(this);
    grid_->setObjectName(QStringLiteral("RecGrid"));
    layout->addWidget(grid_, 1);
    navigator_ = new ui::Navigator(this);
    navigator_->setObjectName(QStringLiteral("RecNavigator"));
    auto* navRow = new QHBoxLayout;
    navRow->addWidget(navigator_);
    navRow->addStretch();
    layout->addLayout(navRow);
}

void RecurringPage::connectControls() {
    QWidget* order[] = {withdrawalRadio_, depositRadio_, descrEdit_, purposeEdit_,
                        bankAcctEdit_,    amountEdit_,   whoEdit_,   nextRunBox_,
                        scheduleButton_,  grid_};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(purposeEdit_, &QLineEdit::textChanged, this, [this] { PurposeEditChange(); });
    connect(bankAcctEdit_, &QLineEdit::textChanged, this, [this] { BankAcctEditChange(); });
    connect(whoEdit_, &QLineEdit::textEdited, this, [this] { WhoEditChange(); });
    connect(depositRadio_, &QRadioButton::toggled, this, [this] { TypeGroupClick(); });
    connect(purposeButton_, &QToolButton::clicked, this, [this] { PurposeButtonClick(); });
    connect(bankButton_, &QToolButton::clicked, this, [this] { BankButtonClick(); });
    connect(whoButton_, &QToolButton::clicked, this, [this] { WhoButtonClick(); });
    connect(scheduleButton_, &QPushButton::clicked, this, [this] { ScheduleButtonClick(); });
    connect(grid_, &ui::DataGrid::currentRecordChanged, this, [this] {
        if (browsing()) showCurrent();
    });
    connect(navigator_, &ui::Navigator::moved, this, [this] {
        grid_->syncToTable();
        showCurrent();
    });
}

RecurringPage::~RecurringPage() { closeTables(); }

void RecurringPage::openTables() {
    coyCodeEdit_->setText(ctx_.busCode);
    coyNameEdit_->setText(ctx_.busName);
    definitions_ = std::make_unique<store::Table>(connection(), QStringLiteral("QVRecTr.DBF"));
    definitions_->setIndexName(QStringLiteral("COYNO"));
    definitions_->open();
    definitions_->setMasterRange(QStringLiteral("COYNO"), ctx_.coy);
    definitions_->first();
    grid_->bindTable(connection(), definitions_.get(),
                     {ledger::column(QStringLiteral("DESCR"), QStringLiteral("Description")),
                      ledger::column(QStringLiteral("ACCTCODE"), QStringLiteral("Ledger Account")),
                      ledger::column(QStringLiteral("BANKCODE"), QStringLiteral("Bank account")),
                      ui::moneyColumn(QStringLiteral("AMOUNT"), QStringLiteral("Amount")),
                      ledger::column(QStringLiteral("DEPOSIT"), QStringLiteral("Trans Type"),
                                     recurringTypeText)});
    grid_->horizontalHeader()->setStretchLastSection(true);
    navigator_->setTable(definitions_.get());
    grid_->syncToTable();
}

void RecurringPage::closeTables() {
    navigator_->setTable(nullptr);
    grid_->unbind();
    definitions_.reset();
}

bool RecurringPage::hasDefinitions() const { return definitions_ && definitions_->hasRecord(); }

void RecurringPage::showCurrent() {
    if (!definitions_) return;
    scheduleButton_->setEnabled(hasDefinitions() && ctx_.mode != SetupMode::Adding);
    navigator_->updateButtons();
    if (!hasDefinitions()) {
        for (QLineEdit* e : {descrEdit_, purposeEdit_, bankAcctEdit_, amountEdit_, whoEdit_})
            e->clear();
        taxEdit_->setText(QStringLiteral("00.00"));
        return;
    }
    const Definition d = definitionAt(*definitions_);
    (d.deposit ? depositRadio_ : withdrawalRadio_)->setChecked(true);
    amountEdit_->setText(fmt::money(d.amount));
    purposeEdit_->setText(d.acctCode);
    bankAcctEdit_->setText(d.bankAccount);
    descrEdit_->setText(d.descr);
    whoEdit_->setText(d.who);
    WhoEditChange();
    nextRunBox_->setDateValue(d.nextRun);
    taxEdit_->setText(fmt::money(d.gstAmt));
}

void RecurringPage::applyMode(bool active) {
    const bool editable = active && !browsing();
    for (QWidget* w :
         std::initializer_list<QWidget*>{withdrawalRadio_, depositRadio_, descrEdit_, purposeEdit_,
                                         bankAcctEdit_, amountEdit_, whoEdit_, nextRunBox_})
        w->setEnabled(editable);
    navigator_->setEnabledAll(browsing());
    grid_->setEnabled(browsing());
    scheduleButton_->setEnabled(hasDefinitions() && ctx_.mode != SetupMode::Adding);
    whoButton_->setEnabled(withdrawalRadio_->isChecked());
}

void RecurringPage::updateSave() {
    if (!browsing()) ctx_.allowSave(purposeFound_ && bankFound_);
}

void RecurringPage::PurposeEditChange() {
    const QString code = purposeEdit_->text().trimmed();
    PurposeLookup found;
    if (!code.isEmpty())
        ui::guarded(this, [&] { found = lookUpPurpose(connection(), ctx_.coy, code); });
    purposeFound_ = found.account.has_value();
    purposeLabel_->setText(found.label);
    purposeDescLabel_->setText(found.account ? shareDescription(*found.account) : QString());
    if (code.isEmpty()) {
        purposeLabel_->clear();
        purposeDescLabel_->clear();
    } else if (!found.account && !browsing()) {
        descrEdit_->clear();
    } else if (found.account && !browsing()) {
        descrEdit_->setText(found.account->descr.trimmed());
    }
    updateSave();
}

void RecurringPage::BankAcctEditChange() {
    const QString text = bankAcctEdit_->text().trimmed();
    std::optional<BankAccount> found;
    if (!text.isEmpty())
        ui::guarded(this, [&] { found = lookUpDefinitionBank(connection(), ctx_.coy, text); });
    bankFound_ = found.has_value();
    bankLabel_->setText(text.isEmpty() ? QString()
                        : found        ? found->desc.trimmed()
                                       : QStringLiteral("Not found"));
    updateSave();
}

void RecurringPage::WhoEditChange() {
    const QString code = whoEdit_->text().trimmed();
    if (depositRadio_->isChecked() || code.isEmpty()) {
        whoLabel_->clear();
        return;
    }
    std::optional<payments::Supplier> supplier;
    ui::guarded(this, [&] { supplier = payments::findSupplier(connection(), ctx_.coy, code); });
    if (!supplier) {
        whoLabel_->setText(QStringLiteral("Miscellaneous supplier."));
        return;
    }
    const QString name = supplier->details.busName.trimmed();
    whoLabel_->setText(name);
    // Once per supplier: typing on past a found code must not stack the name up.
    if (ctx_.mode == SetupMode::Adding && !descrEdit_->text().startsWith(name + QLatin1Char(' ')))
        descrEdit_->setText(name + QLatin1Char(' ') + descrEdit_->text());
}

void RecurringPage::TypeGroupClick() {
    whoCaption_->setText(depositRadio_->isChecked() ? QStringLiteral("C&lient :")
                                                    : QStringLiteral("Supp&lier :"));
    whoButton_->setEnabled(withdrawalRadio_->isChecked());
    if (depositRadio_->isChecked()) whoLabel_->clear();
}

void RecurringPage::PurposeButtonClick() {
    QString code;
    const bool selecting = !browsing();
    const bool chosen = ui::openWindow<TDeptAcctListForm>(
        this,
        [&](TDeptAcctListForm& w) {
            w.coyCode = ctx_.coy;
            w.acctType = depositRadio_->isChecked() ? QStringLiteral("INC") : QStringLiteral("EXP");
            w.selectEnabled = selecting;
            w.newVisible = false;
            w.setWindowTitle(QStringLiteral("View/Select Ledger Accounts"));
        },
        [&](TDeptAcctListForm& w, int result) {
            code = w.acctCode;
            return result == QDialog::Accepted && !code.isEmpty();
        });
    if (chosen && selecting) purposeEdit_->setText(code);
    purposeEdit_->setFocus();
}

void RecurringPage::BankButtonClick() {
    QString bank, acct;
    const bool selecting = !browsing();
    const bool chosen = ui::openWindow<TAcctSelForm>(
        this,
        [&](TAcctSelForm& w) {
            w.coyCode = QString::number(ctx_.coy);
            w.selectEnabled = selecting;
        },
        [&](TAcctSelForm& w, int code) {
            bank = w.bankCode;
            acct = w.acctNo;
            return code == QDialog::Accepted;
        });
    if (chosen && selecting)
        bankAcctEdit_->setText(bank.trimmed() + QLatin1Char('-') + acct.trimmed());
    bankAcctEdit_->setFocus();
}

void RecurringPage::WhoButtonClick() {
    if (!withdrawalRadio_->isChecked()) return;
    const auto chosen = payments::pickSupplier(this, ctx_.coy, !browsing());
    if (chosen && !browsing()) {
        whoEdit_->setText(*chosen);
        WhoEditChange();
    }
    whoEdit_->setFocus();
}

bool RecurringPage::startNew() {
    if (!definitions_) return false;
    amountEdit_->setText(QStringLiteral("00.00"));
    purposeEdit_->clear();
    descrEdit_->clear();
    whoEdit_->clear();
    QString first;
    ui::guarded(this, [&] {
        store::Table accounts(connection(), QStringLiteral("QVBnkAct.DBF"));
        accounts.setIndexName(QStringLiteral("COYCODE"));
        accounts.open();
        accounts.setMasterRange(QStringLiteral("COYCODE"), QString::number(ctx_.coy));
        accounts.first();
        if (accounts.hasRecord())
            first = accounts.text("BANKCODE").trimmed() + QLatin1Char('-') +
                    accounts.text("ACCTNO").trimmed();
    });
    bankAcctEdit_->setText(first);
    withdrawalRadio_->setChecked(true);
    nextRunBox_->setDateValue(QDate::currentDate());
    taxEdit_->setText(QStringLiteral("00.00"));
    applyMode(true);
    updateSave();
    purposeEdit_->setFocus();
    return true;
}

bool RecurringPage::startEdit() {
    if (!hasDefinitions()) {
        ui::beep();
        ui::information(this, QStringLiteral("Cannot edit.  No recurring transactions exist. "
                                             "Click New to create one."));
        return false;
    }
    applyMode(true);
    PurposeEditChange();
    BankAcctEditChange();
    descrEdit_->setText(definitionAt(*definitions_).descr);  // the lookup replaced it
    ctx_.allowSave(true);
    purposeEdit_->setFocus();
    return true;
}

bool RecurringPage::save() {
    DefinitionInput in;
    in.coy = ctx_.coy;
    in.deposit = depositRadio_->isChecked();
    in.descr = descrEdit_->text();
    in.purpose = purposeEdit_->text().trimmed();
    in.bankAccount = bankAcctEdit_->text().trimmed();
    double amount = 0.0;
    fmt::parseMoney(amountEdit_->text(), &amount);
    in.amount = amount;
    in.who = whoEdit_->text().trimmed();
    in.nextRun = nextRunBox_->dateValue();
    const bool adding = ctx_.mode == SetupMode::Adding;
    const QString editing = adding ? QString() : definitionAt(*definitions_).tranLink;
    DefinitionResult result;
    if (!ui::guarded(this, [&] { result = saveDefinition(connection(), in, editing); }))
        return false;
    if (!result.ok()) {
        const bool loud = result.outcome == DefinitionSave::Duplicate ||
                          result.outcome == DefinitionSave::BeforeLastRun;
        if (loud) ui::beep();
        if (result.outcome != DefinitionSave::Failed &&
            result.outcome != DefinitionSave::AccountNotFound)
            (loud ? ui::error : ui::warning)(this, result.message);
        ui::error(this, result.detail.isEmpty()
                            ? definitionSaveFailedText()
                            : definitionSaveFailedText() + QStringLiteral("\n\n") + result.detail);
        return false;
    }
    ctx_.changed();
    reread(result.tranLink);
    if (adding)
        openSchedule(result.tranLink, true, QStringLiteral("Create schedule for : ") + in.descr);
    return true;
}

void RecurringPage::reread(const QString& tranLink) {
    ui::guarded(this, [&] {
        definitions_->refresh();
        grid_->refresh();
        for (definitions_->first(); !definitions_->eof(); definitions_->next())
            if (definitions_->text("TRANLINK").trimmed() == tranLink) break;
        grid_->syncToTable();
    });
}

void RecurringPage::cancel() {
    if (definitions_ && definitions_->state() != store::EditState::Browse)
        ui::guarded(this, [this] { definitions_->cancel(); });
}

void RecurringPage::remove() {
    if (!hasDefinitions()) {
        ui::beep();
        return;
    }
    ui::guarded(this, [this] {
        deleteDefinition(connection(), definitionAt(*definitions_).tranLink);
        definitions_->refresh();
        grid_->refresh();
    });
    ctx_.changed();
}

bool RecurringPage::openSchedule(const QString& tranLink, bool isNew, const QString& caption) {
    const bool saved = ui::openWindow<TRecTransDetForm>(
        this,
        [&](TRecTransDetForm& w) {
            w.tranLink = tranLink;
            w.newSchedule = isNew;
            w.setWindowTitle(caption);
        },
        [](TRecTransDetForm& w, int) { return w.saved; });
    if (saved) reread(tranLink);
    return saved;
}

void RecurringPage::ScheduleButtonClick() {
    if (!hasDefinitions() || ctx_.mode == SetupMode::Adding) return;
    const Definition d = definitionAt(*definitions_);
    openSchedule(d.tranLink, false, QStringLiteral("Edit recurring trans. schedule : ") + d.descr);
}

}  // namespace banking
