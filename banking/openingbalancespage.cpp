// The "Opening balances" page of bank set-up.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include "banking/acctselform.h"
#include "banking/bank_setup.h"
#include "banking/bankpages.h"
#include "banking/banktranform.h"
#include "banking/opening_balance.h"
#include "payments/chqentryform.h"
#include "store/format.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/opener.h"
#include "ui/pickerkey.h"

namespace banking {

namespace {

QLineEdit* amountBox(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setAlignment(Qt::AlignRight);
    e->setMaximumWidth(130);
    return e;
}

}  // namespace

OpeningBalancesPage::OpeningBalancesPage(SetupContext& context) : SetupPage(context) {
    setObjectName(QStringLiteral("OpeningBalancesPage"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    int row = 0;
    bankEdit_ = new QLineEdit(this);
    bankEdit_->setObjectName(QStringLiteral("OpenBankEdit"));
    bankEdit_->setMaxLength(6);
    bankEdit_->setMaximumWidth(90);
    acctEdit_ = new QLineEdit(this);
    acctEdit_->setObjectName(QStringLiteral("OpenAcctEdit"));
    acctEdit_->setMaxLength(20);
    acctPickButton_ = new QToolButton(this);
    acctPickButton_->setObjectName(QStringLiteral("OpenAcctPickButton"));
    acctPickButton_->setText(QStringLiteral("..."));
    acctPickButton_->setToolTip(QStringLiteral("View/Select Bank Account"));
    auto* acctRow = new QHBoxLayout;
    acctRow->addWidget(bankEdit_);
    acctRow->addWidget(label(QStringLiteral("Account No."), acctEdit_));
    acctRow->addWidget(acctEdit_, 1);
    acctRow->addWidget(acctPickButton_);
    ui::openPickerWithAltDown(acctEdit_, acctPickButton_);
    grid->addWidget(label(QStringLiteral("Bank"), bankEdit_), row, 0);
    grid->addLayout(acctRow, row++, 1, 1, 2);
    descEdit_ = new QLineEdit(this);
    descEdit_->setObjectName(QStringLiteral("OpenDescEdit"));
    descEdit_->setReadOnly(true);
    descEdit_->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(descEdit_, row++, 1, 1, 2);

    deptGroup_ = new QGroupBox(QStringLiteral(" Department "), this);
    deptGroup_->setObjectName(QStringLiteral("OpenDeptGroup"));
    auto* deptLayout = new QHBoxLayout(deptGroup_);
    deptCodeEdit_ = new QLineEdit(deptGroup_);
    deptCodeEdit_->setObjectName(QStringLiteral("OpenDeptCodeEdit"));
    deptCodeEdit_->setMaximumWidth(110);
    deptNameEdit_ = new QLineEdit(deptGroup_);
    deptNameEdit_->setObjectName(QStringLiteral("OpenDeptNameEdit"));
    for (QLineEdit* e : {deptCodeEdit_, deptNameEdit_}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        deptLayout->addWidget(e);
    }
    grid->addWidget(deptGroup_, row++, 1, 1, 2);
    deptGroup_->hide();

    startDateBox_ = new ui::DateBox(this);
    startDateBox_->setObjectName(QStringLiteral("StartDateBox"));
    grid->addWidget(label(QStringLiteral("Startup Date  :"), startDateBox_), row, 0);
    grid->addWidget(startDateBox_, row++, 1, Qt::AlignLeft);

    statementEdit_ = amountBox(this, "StatementEdit");
    statementEdit_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("-?\\d{0,7}(\\.\\d{0,2})?")), statementEdit_));
    grid->addWidget(label(QStringLiteral("Balance Amount  (from statement): "), statementEdit_),
                    row, 0);
    grid->addWidget(statementEdit_, row++, 1, Qt::AlignLeft);

    depositsEdit_ = amountBox(this, "DepositsEdit");
    depositsButton_ = new QPushButton(QStringLiteral("Plus deposits not on statement"), this);
    depositsButton_->setObjectName(QStringLiteral("DepositsButton"));
    grid->addWidget(label(QStringLiteral("Plus deposits not on statement :"), depositsEdit_), row,
                    0);
    grid->addWidget(depositsEdit_, row, 1, Qt::AlignLeft);
    grid->addWidget(depositsButton_, row++, 2, Qt::AlignLeft);
    chequesEdit_ = amountBox(this, "ChequesEdit");
    chequesButton_ =
        new QPushButton(QStringLiteral("Minus cheques written not on statement"), this);
    chequesButton_->setObjectName(QStringLiteral("ChequesButton"));
    grid->addWidget(
        label(QStringLiteral("Minus cheques written not on statement : "), chequesEdit_), row, 0);
    grid->addWidget(chequesEdit_, row, 1, Qt::AlignLeft);
    grid->addWidget(chequesButton_, row++, 2, Qt::AlignLeft);
    for (QLineEdit* e : {depositsEdit_, chequesEdit_}) {
        // The totals come from the entry windows, never typed.
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
    }

    resultEdit_ = amountBox(this, "ResultEdit");
    resultEdit_->setReadOnly(true);
    resultEdit_->setFocusPolicy(Qt::NoFocus);
    resultLabel_ = label(QStringLiteral("Opening Balance :"), resultEdit_);
    resultLabel_->setObjectName(QStringLiteral("ResultLabel"));
    grid->addWidget(resultLabel_, row, 0);
    grid->addWidget(resultEdit_, row++, 1, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);

    updateButton_ = new QPushButton(QStringLiteral("&UpDate"), this);
    updateButton_->setObjectName(QStringLiteral("UpdateButton"));
    updateButton_->setAutoDefault(false);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(updateButton_);
    layout->addLayout(buttonRow);
    layout->addStretch(1);

    for (QPushButton* b : {depositsButton_, chequesButton_}) b->setAutoDefault(false);
    connect(bankEdit_, &QLineEdit::textEdited, this, [this] { AccountEditChange(); });
    connect(acctEdit_, &QLineEdit::textEdited, this, [this] { AccountEditChange(); });
    connect(bankEdit_, &QLineEdit::editingFinished, this, [this] { AccountEditExit(); });
    connect(acctEdit_, &QLineEdit::editingFinished, this, [this] { AccountEditExit(); });
    connect(acctPickButton_, &QToolButton::clicked, this, [this] { AcctPickButtonClick(); });
    connect(statementEdit_, &QLineEdit::textEdited, this, [this] { StatementEditChange(); });
    connect(depositsButton_, &QPushButton::clicked, this, [this] { DepositsButtonClick(); });
    connect(chequesButton_, &QPushButton::clicked, this, [this] { ChequesButtonClick(); });
    connect(updateButton_, &QPushButton::clicked, this, [this] { UpdateButtonClick(); });
    clearAccount();
}

OpeningBalancesPage::~OpeningBalancesPage() = default;

void OpeningBalancesPage::closeTables() { account_.reset(); }

void OpeningBalancesPage::applyMode(bool) {}

void OpeningBalancesPage::clearAccount() {
    account_.reset();
    descEdit_->clear();
    deptGroup_->hide();
    startDateBox_->setDateValue(QDate::currentDate());
    for (QLineEdit* e : {statementEdit_, depositsEdit_, chequesEdit_, resultEdit_})
        e->setText(QStringLiteral("00.00"));
    resultLabel_->setText(QStringLiteral("Opening Balance :"));
    for (QWidget* w : std::initializer_list<QWidget*>{
             startDateBox_, statementEdit_, depositsButton_, chequesButton_, updateButton_})
        w->setEnabled(false);
}

void OpeningBalancesPage::showAccount(const QString& bankCode, const QString& acctNo) {
    bankEdit_->setText(bankCode);
    acctEdit_->setText(acctNo);
    accountTyped_ = false;
    clearAccount();
    if (!bankCode.trimmed().isEmpty() && !acctNo.trimmed().isEmpty()) lookUp();
}

void OpeningBalancesPage::AccountEditChange() {
    // What "UpDate" would write to is no longer the account the boxes name.
    accountTyped_ = true;
    clearAccount();
}

void OpeningBalancesPage::AccountEditExit() {
    if (!accountTyped_ || !ctx_.connection) return;
    const QString bank = bankEdit_->text().trimmed();
    if (!bank.isEmpty()) {
        bool found = false;
        if (!ui::guarded(this, [&] { found = bankCodeUsed(connection(), bank); })) return;
        if (!found) {
            accountTyped_ = false;
            ui::error(this, QStringLiteral("Must enter a valid bank code!"));
            return;
        }
    }
    if (bank.isEmpty() || acctEdit_->text().trimmed().isEmpty()) return;
    accountTyped_ = false;
    lookUp();
}

void OpeningBalancesPage::lookUp() {
    clearAccount();
    std::optional<BankAccount> found;
    if (!ui::guarded(this, [&] {
            found = findBankAccount(connection(), ctx_.coy, bankEdit_->text(), acctEdit_->text());
        }))
        return;
    if (!found) {
        ui::error(this, QStringLiteral("Could not find that bank account!"));
        return;
    }
    account_ = found;
    descEdit_->setText(found->desc);
    if (found->deptOnly) {
        ui::guarded(this, [&] {
            if (const auto dept =
                    ledger::departmentByLinkCode(connection(), ctx_.coy, found->linkCode)) {
                deptCodeEdit_->setText(dept->deptCode);
                deptNameEdit_->setText(dept->name);
            } else {
                deptCodeEdit_->clear();
                deptNameEdit_->clear();
            }
        });
        deptGroup_->show();
    }
    // An account of one department gets its balance boxes too: leaving the last account's
    // figures there would offer them for this one.
    const OpeningView v = openingView(*found, QDate::currentDate());
    QDate date = v.date;
    if (v.state == OpeningState::OpeningBalance) {
        ui::guarded(this, [&] {
            const QDate start = bankAccountStartDate(connection(), found->bankLink);
            if (start.isValid()) date = start;
        });
    }
    startDateBox_->setDateValue(date);
    statementEdit_->setText(v.statement);
    depositsEdit_->setText(v.deposits);
    chequesEdit_->setText(v.cheques);
    resultEdit_->setText(v.result);
    resultLabel_->setText(v.resultCaption);
    for (QWidget* w : std::initializer_list<QWidget*>{startDateBox_, statementEdit_,
                                                      depositsButton_, chequesButton_})
        w->setEnabled(v.entryEnabled);
    updateButton_->setEnabled(v.updateEnabled);
}

void OpeningBalancesPage::StatementEditChange() {
    if (!account_ || !statementEdit_->isEnabled()) return;
    QString deposits = depositsEdit_->text(), cheques = chequesEdit_->text();
    const auto result = openingResult(statementEdit_->text(), &deposits, &cheques);
    if (!result) return;
    depositsEdit_->setText(deposits);
    chequesEdit_->setText(cheques);
    resultEdit_->setText(*result);
    updateButton_->setEnabled(updateAllowed(*result));
}

void OpeningBalancesPage::recompute() {
    double statement = 0.0, deposits = 0.0, cheques = 0.0;
    store::fmt::parseMoney(statementEdit_->text(), &statement);
    store::fmt::parseMoney(depositsEdit_->text(), &deposits);
    store::fmt::parseMoney(chequesEdit_->text(), &cheques);
    const qint64 cents =
        store::fmt::cents(statement) + store::fmt::cents(deposits) - store::fmt::cents(cheques);
    resultEdit_->setText(store::fmt::money(double(cents) / 100.0));
    updateButton_->setEnabled(account_ && updateAllowed(resultEdit_->text()));
}

void OpeningBalancesPage::setDepositsTotal(double total) {
    depositsEdit_->setText(store::fmt::money(total));
    recompute();
}

void OpeningBalancesPage::setChequesTotal(double total) {
    chequesEdit_->setText(store::fmt::money(total));
    recompute();
}

void OpeningBalancesPage::DepositsButtonClick() {
    if (!ctx_.coyActive) {
        ui::error(this, QStringLiteral("No link active...cannot enter deposits."));
        return;
    }
    if (!account_) return;
    if (const auto total = enterDepositsNotOnStatement()) setDepositsTotal(*total);
}

void OpeningBalancesPage::ChequesButtonClick() {
    if (!ctx_.coyActive) {
        ui::error(this, QStringLiteral("No link active...cannot enter cheques."));
        return;
    }
    if (!account_) return;
    if (const auto total = enterChequesNotOnStatement()) setChequesTotal(*total);
}

// Bank transaction entry (TQVBankTranForm) in its "deposits not on statement" mode for
// account_: the total it returns when left with its "UpDate Balance" button; nothing on "Cancel".
std::optional<double> OpeningBalancesPage::enterDepositsNotOnStatement() {
    return ui::openWindow<TQVBankTranForm>(
        this,
        [this](TQVBankTranForm& w) {
            w.coyCode = QString::number(account_->coy);
            w.depositsNotOnStatement = true;
            w.bankCode = account_->bankCode;
            w.acctNo = account_->acctNo;
        },
        [](TQVBankTranForm& w, int code) -> std::optional<double> {
            if (code != QDialog::Accepted) return std::nullopt;
            return w.depositsTotal;
        });
}

// Payment entry (TChqEntryForm) in its opening-balance mode for account_, captioned "Creating
// opening balance transactions for  " + bank code + "-" + account number: the total of the
// account's payments it returns when closed with "Update Balance"; nothing on "Cancel".
std::optional<double> OpeningBalancesPage::enterChequesNotOnStatement() {
    return ui::openWindow<TChqEntryForm>(
        this,
        [this](TChqEntryForm& w) {
            w.coyCode = QString::number(account_->coy);
            w.openingBalanceMode = true;
            w.bankCode = account_->bankCode;
            w.acctNo = account_->acctNo;
            w.setWindowTitle(QStringLiteral("Creating opening balance transactions for  ") +
                             account_->bankCode + QLatin1Char('-') + account_->acctNo);
        },
        [](TChqEntryForm& w, int code) -> std::optional<double> {
            if (code != QDialog::Accepted) return std::nullopt;
            return w.paymentsTotal;
        });
}

void OpeningBalancesPage::AcctPickButtonClick() {
    if (!ctx_.connection) return;
    const auto chosen = ui::openWindow<TAcctSelForm>(
        this,
        [this](TAcctSelForm& w) {
            w.coyCode = QString::number(ctx_.coy);
            w.returnBankLink = false;
        },
        [](TAcctSelForm& w, int code) {
            return code == QDialog::Accepted
                       ? std::optional<std::pair<QString, QString>>({w.bankCode, w.acctNo})
                       : std::nullopt;
        });
    if (chosen) showAccount(chosen->first, chosen->second);
}

void OpeningBalancesPage::UpdateButtonClick() {
    if (!account_ || !updateButton_->isEnabled()) {
        ui::beep();
        return;
    }
    double result = 0.0;
    if (!store::fmt::parseMoney(resultEdit_->text(), &result)) {
        ui::beep();
        return;
    }
    const BankAccount shown = *account_;
    OpeningUpdate outcome = OpeningUpdate::Declined;
    const bool ok = ui::guarded(this, [&] {
        outcome = updateOpeningBalance(
            connection(), ctx_.coy, shown.bankCode, shown.acctNo, result,
            startDateBox_->dateValue(),
            [this](OpeningQuestion, const QString& text) { return ui::confirm(this, text); },
            [this](const QString& text) { ui::information(this, text); });
    });
    if (!ok) return;
    if (outcome == OpeningUpdate::AccountNotFound) {
        ui::error(this, QStringLiteral("Could not find that bank account!"));
        clearAccount();
        return;
    }
    if (outcome != OpeningUpdate::Saved) return;
    ctx_.changed();
    showAccount(shown.bankCode, shown.acctNo);
}

}  // namespace banking
