#include "banking/banktranform.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "banking/acctselform.h"
#include "banking/bank_entry_choices.h"
#include "banking/bank_entry_reads.h"
#include "banking/depositdetailsform.h"
#include "banking/entry_details.h"
#include "banking/money_limits.h"
#include "cash/miscdetails.h"
#include "ledger/accountlists.h"
#include "ledger/bank_blocks.h"
#include "ledger/departments.h"
#include "payments/chqentryform.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/table.h"
#include "ui/datagrid.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"
#include "ui/opener.h"

using banking::EntryType;
namespace fmt = store::fmt;
namespace keys = store::keys;

namespace {

constexpr EntryType kTypes[5] = {EntryType::Deposit, EntryType::Withdrawal, EntryType::Transfer,
                                 EntryType::Interest, EntryType::Fees};

const QString kBankAcctCaption = QStringLiteral("&Bank Acct  :");
const QString kToAccountCaption = QStringLiteral("T&o Account  :");
const QString kNoJournalLine =
    QStringLiteral("Cannot find journal entry..edit and save to create!");

QString yesOrBlank(const QVariant& v) { return v.toInt() == 1 ? QStringLiteral("Yes") : QString(); }
QString wholeNumber(const QVariant& v) {
    return v.isNull() ? QString() : QString::number(v.toLongLong());
}

double boxAmount(const QLineEdit* box) {
    double value = 0.0;
    return fmt::parseMoney(box->text(), &value) ? value : 0.0;
}

// Payment entry for the company, on payment `number` (0: its last).
void openPaymentEntry(QWidget* owner, int coy, qint64 number) {
    ui::openWindow<TChqEntryForm>(owner, [&](TChqEntryForm& w) {
        w.coyCode = QString::number(coy);
        w.tranNum = number;
    });
}

}  // namespace

TQVBankTranForm::TQVBankTranForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("QVBankTranForm"), 240) {
    setObjectName(QStringLiteral("QVBankTranForm"));
    setWindowTitle(QStringLiteral(" Bank Transaction maintenance"));
    buildLayout();

    connect(bankCodeEdit_, &QLineEdit::editingFinished, this, [this] { BankAcctEditDone(); });
    connect(acctNoEdit_, &QLineEdit::editingFinished, this, [this] { BankAcctEditDone(); });
    connect(bankAcctButton_, &QPushButton::clicked, this, [this] { BankAcctButtonClick(); });
    accountNavigator_->setTarget(ui::indexTarget(accounts_, accountIndex_));
    connect(accountNavigator_, &ui::Navigator::moved, this, [this] { accountNavigated(); });
    for (int i = 0; i < 5; ++i) {
        connect(typeRadios_[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && !showing_) TypeChange(kTypes[i]);
        });
    }
    connect(purposeEdit_, &QLineEdit::textChanged, this, [this] { PurposeEditChange(); });
    connect(ledgerButton_, &QPushButton::clicked, this, [this] { LedgerButtonClick(); });
    connect(amountEdit_, &QLineEdit::textEdited, this, [this] { AmountEditChange(); });
    connect(tranNumEdit_, &QLineEdit::textEdited, this, [this] { TranNumEditChange(); });
    connect(tranNumEdit_, &QLineEdit::editingFinished, this, [this] { TranNumEditDone(); });
    connect(destBankEdit_, &QLineEdit::textChanged, this, [this] { DestEditChange(); });
    connect(destAcctEdit_, &QLineEdit::textChanged, this, [this] { DestEditChange(); });
    connect(destAcctEdit_, &QLineEdit::editingFinished, this, [this] { DestEditDone(); });
    connect(destButton_, &QPushButton::clicked, this, [this] { DestButtonClick(); });
    connect(sourceCombo_, &QComboBox::textActivated, this,
            [this](const QString& text) { SourceComboChange(text); });
    connect(hasDetailsCheck_, &QCheckBox::clicked, this,
            [this](bool checked) { HasDetailsCheckClick(checked); });
    connect(grid_, &ui::DataGrid::currentRecordChanged, this, [this] {
        tranNavigator_->updateButtons();
        if (mode_ == Mode::Browse) showRow();
    });
    connect(tranNavigator_, &ui::Navigator::moved, this, [this] {
        grid_->syncToTable();
        showRow();
    });
    connect(newButton_, &QPushButton::clicked, this, [this] { NewButtonClick(); });
    connect(editButton_, &QPushButton::clicked, this, [this] { EditButtonClick(); });
    connect(saveButton_, &QPushButton::clicked, this, [this] { SaveButtonClick(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
    connect(deleteButton_, &QPushButton::clicked, this, [this] { DeleteButtonClick(); });
    connect(detailsButton_, &QPushButton::clicked, this, [this] { DetailsButtonClick(); });
    connect(miscButton_, &QPushButton::clicked, this, [this] { MiscButtonClick(); });
    connect(updateBalanceButton_, &QPushButton::clicked, this,
            [this] { UpdateBalanceButtonClick(); });
    connect(cancelModeButton_, &QPushButton::clicked, this, [this] { reject(); });
    connect(exitButton_, &QPushButton::clicked, this, [this] {
        if (FormCloseQuery()) accept();
    });
    connect(viewButton_, &QPushButton::clicked, this, [this] { ViewButtonClick(); });
    connect(statementButton_, &QPushButton::clicked, this, [this] { StatementButtonClick(); });
    connect(transactionsButton_, &QPushButton::clicked, this,
            [this] { TransactionsButtonClick(); });
}

TQVBankTranForm::~TQVBankTranForm() {
    // The boxes still report focus changes while QWidget deletes them; this form is gone by then.
    for (QObject* control : findChildren<QObject*>()) disconnect(control, nullptr, this, nullptr);
    closeTables();
}

void TQVBankTranForm::closeTables() {
    grid_->unbind();
    tranNavigator_->setTable(nullptr);
    rows_.reset();
    connection_.disconnect();
}

void TQVBankTranForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TQVBankTranForm::FormShow() {
    datePanel_->setText(fmt::longDate2(QDate::currentDate()));
    typeGroup_->setVisible(!depositsNotOnStatement);
    totalLabel_->setVisible(depositsNotOnStatement);
    totalEdit_->setVisible(depositsNotOnStatement);
    updateBalanceButton_->setVisible(depositsNotOnStatement);
    cancelModeButton_->setVisible(depositsNotOnStatement);
    exitButton_->setVisible(!depositsNotOnStatement);
    cancelButton_->setVisible(!depositsNotOnStatement);
    miscButton_->setVisible(!depositsNotOnStatement);
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        connection_.readScattered();
        company_ = banking::readCompany(connection_);
        if (coyCode.trimmed().toInt() > 0) company_.coy = coyCode.trimmed().toInt();
        setWindowTitle((depositsNotOnStatement
                            ? QStringLiteral(" Entering deposits not on statement for : ")
                            : QStringLiteral(" Bank Transaction maintenance for : ")) +
                       company_.busName);
        rows_ = std::make_unique<store::Table>(connection_, QStringLiteral("QVBnkTr.DBF"));
        rows_->setIndexName(QStringLiteral("BANKLINK"));
        rows_->open();
        accounts_ = banking::bankAccountsOf(connection_, company_.coy);
        if (!bankCode.trimmed().isEmpty()) {
            selectAccount(bankCode, acctNo);
        } else if (const auto a = banking::defaultBankAccount(connection_, company_.coy)) {
            selectAccount(a->bankCode, a->acctNo);
        }
        if (tranNum > 0 && account_ && rows_->locate(QStringLiteral("TRANNUM"), tranNum)) {
            grid_->syncToTable();
            showRow();
        }
    });
    setMode(Mode::Browse);
    grid_->setFocus();
}

bool TQVBankTranForm::FormCloseQuery() {
    if (mode_ == Mode::Browse) return true;
    ui::beep();
    if (mode_ == Mode::Add && !depositsNotOnStatement)
        ui::error(this, QStringLiteral("Must save or cancel before exiting!"));
    else
        ui::warning(this, QStringLiteral("Please cancel or save before exiting!"));
    return false;
}

void TQVBankTranForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    ui::FormBase::closeEvent(event);
}

void TQVBankTranForm::reject() {
    if (!FormCloseQuery()) return;
    depositsTotal = 0.0;
    ui::FormBase::reject();
}

// --- The bank account ------------------------------------------------------------------------

void TQVBankTranForm::selectAccount(const QString& bank, const QString& acct) {
    if (!banking::bankExists(connection_, bank)) {
        ui::beep();
        return;
    }
    bankCodeEdit_->setText(bank.trimmed());
    acctNoEdit_->setText(acct.trimmed());
    if (acct.trimmed().isEmpty()) return;
    account_ = banking::findBankAccount(connection_, company_.coy, bank, acct);
    accountIndex_ = -1;
    for (size_t i = 0; account_ && i < accounts_.size(); ++i)
        if (accounts_[i].bankLink == account_->bankLink) accountIndex_ = int(i);
    // An account not found shows no rows.
    const QString link = account_ ? keys::cutToWidth(account_->bankLink, keys::kBankRowLinkWidth)
                                  : QStringLiteral("\x01");
    rows_->setMasterRange(QStringLiteral("BANKLINK"), link);
    rows_->last();
    QList<ui::ColumnSpec> columns{
        {QStringLiteral("TRANNUM"), QStringLiteral("Ref. No."), wholeNumber,
         Qt::AlignRight | Qt::AlignVCenter},
        ui::dateColumn(QStringLiteral("TRANDATE"), QStringLiteral("Date")),
        {QStringLiteral("TRANTYPE"), QStringLiteral("Type")},
        ui::moneyColumn(QStringLiteral("AMOUNT"), QStringLiteral("Amount"))};
    // Rows entered as deposits not on the statement do not move the balance.
    if (!depositsNotOnStatement)
        columns << ui::runningColumn(QStringLiteral("AMOUNT"), QStringLiteral("Balance"));
    columns << ui::ColumnSpec{QStringLiteral("REASON"), QStringLiteral("Narrative")}
            << ui::ColumnSpec{QStringLiteral("SOURCE"), QStringLiteral("Source")}
            << ui::ColumnSpec{QStringLiteral("PURPOSE"), QStringLiteral("Purpose")}
            << ui::ColumnSpec{QStringLiteral("RECONCILED"), QStringLiteral("Rec."), yesOrBlank};
    grid_->bindTable(connection_, rows_.get(), columns, ledger::bankRowBlocks(connection_, link));
    setRunningEnd();
    grid_->horizontalHeader()->setStretchLastSection(true);
    tranNavigator_->setTable(rows_.get());
    showAccountBoxes();
    showRow();
    updateTotal();
    accountNavigator_->updateButtons();
    updateSaveEnabled();
}

void TQVBankTranForm::showAccountBoxes() {
    deptAllocLabel_->clear();
    if (!account_) {
        acctDescLabel_->setText(QStringLiteral("Account cannot be found."));
        for (QLineEdit* e : {openBalEdit_, currBalEdit_, odAmountEdit_}) e->clear();
        return;
    }
    acctDescLabel_->setText(account_->desc);
    openBalEdit_->setText(fmt::money(account_->openBal));
    currBalEdit_->setText(fmt::money(account_->currBal));
    odAmountEdit_->setText(fmt::money(account_->odAmount));
    if (account_->deptOnly && account_->linkCode.trimmed() != QLatin1String("0")) {
        if (const auto d = ledger::departmentByLinkCode(connection_, company_.coy,
                                                        account_->linkCode.trimmed()))
            deptAllocLabel_->setText(QStringLiteral("Account is allocated to : ") + d->name);
    }
}

void TQVBankTranForm::BankAcctEditDone() {
    if (mode_ != Mode::Browse || depositsNotOnStatement || !rows_) return;
    const QString bank = bankCodeEdit_->text().trimmed(), acct = acctNoEdit_->text().trimmed();
    if (account_ && account_->bankCode == bank && account_->acctNo == acct) return;
    ui::guarded(this, [&] { selectAccount(bank, acct); });
}

void TQVBankTranForm::BankAcctButtonClick() {
    QString bank, acct;
    const bool chosen = ui::openWindow<TAcctSelForm>(
        this, [this](TAcctSelForm& w) { w.coyCode = QString::number(company_.coy); },
        [&](TAcctSelForm& w, int code) {
            bank = w.bankCode;
            acct = w.acctNo;
            return code == QDialog::Accepted;
        });
    if (chosen) ui::guarded(this, [&] { selectAccount(bank, acct); });
}

void TQVBankTranForm::accountNavigated() {
    if (accountIndex_ < 0 || accountIndex_ >= int(accounts_.size())) return;
    const banking::BankAccount a = accounts_[size_t(accountIndex_)];
    ui::guarded(this, [&] { selectAccount(a.bankCode, a.acctNo); });
}

// --- Rows ------------------------------------------------------------------------------------

void TQVBankTranForm::clearEntryBoxes() {
    for (QLineEdit* e :
         {tranNumEdit_, purposeEdit_, amountEdit_, taxEdit_, reasonEdit_, destBankEdit_,
          destAcctEdit_, destOpenBalEdit_, destCurrBalEdit_, destOdAmountEdit_})
        e->clear();
    sourceCombo_->setEditText(QString());
    hasDetailsCheck_->setChecked(false);
    reconciledCheck_->setChecked(false);
    journalLabel_->clear();
    destDescLabel_->clear();
    bankAcctLabel_->setText(kBankAcctCaption);
    destAcctLabel_->setText(kToAccountCaption);
}

void TQVBankTranForm::showRow() {
    showing_ = true;
    chequeRow_ = false;
    clearEntryBoxes();
    if (!account_ || !rows_ || rows_->isEmpty()) {
        setType(EntryType::Deposit);
        showing_ = false;
        applyTypeLayout();
        setMode(mode_);
        return;
    }
    const QString tranType = rows_->text(QStringLiteral("TRANTYPE")).trimmed();
    const EntryType type = banking::entryTypeOfRow(tranType).value_or(EntryType::Deposit);
    chequeRow_ = type == EntryType::Cheque;
    setType(chequeRow_ ? EntryType::Withdrawal : type);
    const qint64 number = rows_->integer(QStringLiteral("TRANNUM"));
    const double rowAmount = std::abs(rows_->number(QStringLiteral("AMOUNT")));
    tranNumEdit_->setText(QString::number(number));
    tranDateEdit_->setDateValue(rows_->date(QStringLiteral("TRANDATE")));
    reasonEdit_->setText(rows_->text(QStringLiteral("REASON")));
    sourceCombo_->setEditText(rows_->text(QStringLiteral("SOURCE")));
    reconciledCheck_->setChecked(rows_->integer(QStringLiteral("RECONCILED")) == 1);
    ui::guarded(this, [&] {
        if (type == EntryType::Transfer) {
            const bool destinationRow =
                !rows_->text(QStringLiteral("SOURCEACCT")).trimmed().isEmpty();
            bankAcctLabel_->setText(destinationRow ? QStringLiteral("To :")
                                                   : QStringLiteral("From :"));
            destAcctLabel_->setText(destinationRow ? QStringLiteral("From :")
                                                   : QStringLiteral("To :"));
            destBankEdit_->setText(rows_->text(destinationRow ? QStringLiteral("SOURCEBANK")
                                                              : QStringLiteral("DESTBANK")));
            destAcctEdit_->setText(rows_->text(destinationRow ? QStringLiteral("SOURCEACCT")
                                                              : QStringLiteral("DESTACCT")));
            if (const auto d = banking::findBankAccount(
                    connection_, company_.coy, destBankEdit_->text(), destAcctEdit_->text())) {
                destDescLabel_->setText(d->desc);
                destOpenBalEdit_->setText(fmt::money(d->openBal));
                destCurrBalEdit_->setText(fmt::money(d->currBal));
                destOdAmountEdit_->setText(fmt::money(d->odAmount));
            }
            amountEdit_->setText(fmt::money(rowAmount));
        } else if (rows_->integer(QStringLiteral("CSHACCDET")) == 1) {
            hasDetailsCheck_->setChecked(true);
            amountEdit_->setText(fmt::money(rowAmount));
        } else if (chequeRow_) {
            amountEdit_->setText(fmt::money(rowAmount));
        } else {
            const QString purpose = rows_->text(QStringLiteral("PURPOSE")).trimmed();
            purposeEdit_->setText(purpose);
            const auto line = banking::entryLineFigures(
                connection_, rows_->text(QStringLiteral("LINKCODE")).trimmed(), purpose,
                account_->bankCode, account_->acctNo, number);
            if (line) {
                amountEdit_->setText(fmt::money(std::abs(line->amount)));
                taxEdit_->setText(fmt::money(line->gstAmt));
            } else {
                journalLabel_->setText(kNoJournalLine);
                amountEdit_->setText(fmt::money(rowAmount));
                taxEdit_->setText(fmt::money(0.0));
            }
        }
    });
    PurposeEditChange();
    showing_ = false;
    applyTypeLayout();
    setMode(mode_);
}

void TQVBankTranForm::refreshRows(qint64 positionOn, std::optional<qint64> rowsAdded) {
    if (!rows_ || !account_) return;
    rows_->first();
    if (positionOn <= 0 || !rows_->locate(QStringLiteral("TRANNUM"), positionOn)) rows_->last();
    setRunningEnd();
    if (rowsAdded)
        grid_->refreshChanged(*rowsAdded);
    else
        grid_->refresh();
    grid_->syncToTable();
    tranNavigator_->updateButtons();
    showRow();
    updateTotal();
}

// The running balance ends at the account's current balance, which every saved entry moves;
// read back from the start it begins at the opening balance first set.
void TQVBankTranForm::setRunningEnd() {
    if (account_ && grid_->lazyModel())
        grid_->lazyModel()->setRunningEnd(std::llround(account_->currBal * 100.0));
}

void TQVBankTranForm::updateTotal() {
    if (!depositsNotOnStatement || !account_) return;
    ui::guarded(this, [this] {
        totalEdit_->setText(fmt::money(banking::accountRowsTotal(
            connection_, company_.coy, account_->bankCode, account_->acctNo)));
    });
}

void TQVBankTranForm::reloadAccount() {
    if (!account_) return;
    ui::guarded(this, [this] {
        account_ = banking::findBankAccount(connection_, company_.coy, account_->bankCode,
                                            account_->acctNo);
        showAccountBoxes();
    });
}

// --- Entry boxes -----------------------------------------------------------------------------

EntryType TQVBankTranForm::currentType() const {
    if (depositsNotOnStatement) return EntryType::Deposit;
    for (int i = 0; i < 5; ++i)
        if (typeRadios_[i]->isChecked()) return kTypes[i];
    return EntryType::Deposit;
}

void TQVBankTranForm::setType(EntryType type) {
    const bool was = showing_;
    showing_ = true;
    for (int i = 0; i < 5; ++i)
        if (kTypes[i] == type) typeRadios_[i]->setChecked(true);
    showing_ = was;
}

void TQVBankTranForm::applyTypeLayout() {
    const EntryType type = currentType();
    const bool transfer = type == EntryType::Transfer;
    const bool details = hasDetailsCheck_->isChecked();
    destGroup_->setVisible(transfer && !depositsNotOnStatement);
    purposeRow_->setVisible(!transfer && !chequeRow_);
    sourceLabel_->setVisible(!transfer);
    sourceCombo_->setVisible(!transfer);
    hasDetailsCheck_->setVisible(banking::detailsAllowed(type));
    const bool taxShown = banking::taxBoxShown(
        {type, details, company_.gstEnabled, ledger_, reconciledCheck_->isChecked()});
    taxLabel_->setVisible(taxShown);
    taxEdit_->setVisible(taxShown);
    const bool amountShown =
        banking::amountBoxShown(type, details, ledger_.has_value(), mode_ == Mode::Browse);
    amountLabel_->setVisible(amountShown);
    amountEdit_->setVisible(amountShown);
}

void TQVBankTranForm::TypeChange(EntryType type) {
    if (mode_ != Mode::Add) {
        applyTypeLayout();
        return;
    }
    if (type == EntryType::Transfer) {
        int accounts = 0;
        ui::guarded(this,
                    [&] { accounts = banking::countBankAccounts(connection_, company_.coy); });
        if (accounts == 1) {
            ui::beep();
            ui::error(this, banking::problemText(banking::Problem::OnlyOneAccount));
            setType(EntryType::Deposit);
            type = EntryType::Deposit;
        }
    }
    const banking::TypeDefaults defaults = banking::typeDefaults(type);
    if (defaults.source) sourceCombo_->setEditText(*defaults.source);
    if (defaults.narrative) reasonEdit_->setText(*defaults.narrative);
    sourceCombo_->setEnabled(!defaults.sourceLocked);
    if (!banking::detailsAllowed(type)) hasDetailsCheck_->setChecked(false);
    if (type == EntryType::Transfer) DestEditChange();
    PurposeEditChange();
}

void TQVBankTranForm::PurposeEditChange() {
    ledger_.reset();
    ledgerUsable_ = true;
    purposeDescLabel_->clear();
    acctDeptLabel_->clear();
    if (!showing_) journalLabel_->clear();
    const QString code = purposeEdit_->text().trimmed();
    if (!code.isEmpty() && rows_) {
        ui::guarded(this,
                    [&] { ledger_ = banking::findLedgerAccount(connection_, company_.coy, code); });
        if (!ledger_) {
            purposeDescLabel_->setText(QStringLiteral("Cannot find account!"));
        } else {
            const QString link = ledger_->linkCode.trimmed();
            if (!link.isEmpty() && link != QLatin1String(keys::kCompanyLevelLinkCode)) {
                ui::guarded(this, [&] {
                    const auto d = ledger::departmentByLinkCode(connection_, company_.coy, link);
                    acctDeptLabel_->setText(QStringLiteral("Account belongs to : ") +
                                            (d ? d->name : link));
                });
            } else {
                acctDeptLabel_->setText(QStringLiteral("Company level account."));
            }
            purposeDescLabel_->setText(banking::shareDescription(*ledger_));
            const bool editing = mode_ != Mode::Browse && !showing_;
            if (editing) reasonEdit_->setText(ledger_->descr);
            if (mode_ != Mode::Browse) {
                QString refusal = banking::ledgerAccountRefusal(currentType(), *ledger_);
                if (account_ && banking::departmentMismatch(*account_, *ledger_))
                    refusal = banking::problemText(banking::Problem::DepartmentMismatch);
                if (!refusal.isEmpty()) {
                    journalLabel_->setText(refusal);
                    ledgerUsable_ = false;
                }
            }
            // A changed account changes the tax the amount carries.
            if (editing && amountEntered_) AmountEditChange();
        }
    }
    applyTypeLayout();
    updateSaveEnabled();
}

void TQVBankTranForm::LedgerButtonClick() {
    const QString acctType = banking::ledgerPickerType(currentType());
    QString code;
    const bool chosen = ui::openWindow<TDeptAcctListForm>(
        this,
        [&](TDeptAcctListForm& w) {
            w.coyCode = company_.coy;
            w.acctType = acctType;
            w.selectEnabled = true;
            w.setWindowTitle(QStringLiteral("View/Select Ledger Accounts"));
        },
        [&](TDeptAcctListForm& w, int result) {
            code = w.acctCode;
            return result == QDialog::Accepted && !code.isEmpty();
        });
    if (chosen) purposeEdit_->setText(code);
    purposeEdit_->setFocus();
}

void TQVBankTranForm::AmountEditChange() {
    if (mode_ == Mode::Browse) return;
    const double amount = boxAmount(amountEdit_);
    if (!banking::fitsField(amount, banking::largestAmount()) || fmt::cents(amount) != 0)
        amountEntered_ = true;
    if (const auto tax = banking::taxToPropose(currentType(), company_, ledger_, amount))
        taxEdit_->setText(fmt::money(*tax));
    updateSaveEnabled();
}

void TQVBankTranForm::TranNumEditChange() {
    if (mode_ != Mode::Add || !account_) return;
    const qint64 number = banking::referenceFromText(tranNumEdit_->text());
    bool inUse = false;
    if (number > 0)
        ui::guarded(this, [&] {
            inUse = banking::referenceInUse(connection_, company_.coy, account_->bankCode,
                                            account_->acctNo, number);
        });
    const QString message = banking::referenceMessage(tranNumEdit_->text(), inUse);
    referenceFree_ = message.isEmpty();
    journalLabel_->setText(message);
    updateSaveEnabled();
}

void TQVBankTranForm::TranNumEditDone() {
    if (mode_ != Mode::Add || referenceFree_) return;
    ui::beep();
    ui::error(this, journalLabel_->text());
}

void TQVBankTranForm::DestEditChange() {
    if (showing_ || mode_ != Mode::Add || !account_) return;
    destinationUsable_ = false;
    destDescLabel_->clear();
    for (QLineEdit* e : {destOpenBalEdit_, destCurrBalEdit_, destOdAmountEdit_}) e->clear();
    const QString bank = destBankEdit_->text().trimmed(), acct = destAcctEdit_->text().trimmed();
    if (!acct.isEmpty()) {
        if (keys::bankLink(company_.coy, bank, acct) ==
            keys::bankLink(company_.coy, account_->bankCode, account_->acctNo)) {
            destDescLabel_->setText(banking::problemText(banking::Problem::DestinationIsSource));
        } else {
            std::optional<banking::BankAccount> dest;
            ui::guarded(this, [&] {
                dest = banking::findBankAccount(connection_, company_.coy, bank, acct);
            });
            if (dest) {
                destDescLabel_->setText(dest->desc);
                destOpenBalEdit_->setText(fmt::money(dest->openBal));
                destCurrBalEdit_->setText(fmt::money(dest->currBal));
                destOdAmountEdit_->setText(fmt::money(dest->odAmount));
                reasonEdit_->setText(QStringLiteral("Transfer to: ") + bank + QLatin1Char(' ') +
                                     acct);
                destinationUsable_ = true;
            } else {
                destDescLabel_->setText(
                    banking::problemText(banking::Problem::DestinationNotFound));
            }
        }
    }
    updateSaveEnabled();
}

void TQVBankTranForm::DestEditDone() {
    if (mode_ == Mode::Browse || !account_ || currentType() != EntryType::Transfer) return;
    if (keys::bankLink(company_.coy, destBankEdit_->text(), destAcctEdit_->text()) ==
        keys::bankLink(company_.coy, account_->bankCode, account_->acctNo)) {
        ui::beep();
        ui::error(this, banking::problemText(banking::Problem::DestinationIsSource));
    }
}

void TQVBankTranForm::DestButtonClick() {
    QString bank, acct;
    const bool chosen = ui::openWindow<TAcctSelForm>(
        this, [this](TAcctSelForm& w) { w.coyCode = QString::number(company_.coy); },
        [&](TAcctSelForm& w, int code) {
            bank = w.bankCode;
            acct = w.acctNo;
            return code == QDialog::Accepted;
        });
    if (!chosen) return;
    destBankEdit_->setText(bank.trimmed());
    destAcctEdit_->setText(acct.trimmed());
    DestEditDone();
    amountEdit_->setFocus();
}

void TQVBankTranForm::SourceComboChange(const QString& text) {
    if (mode_ != Mode::Add || text != QLatin1String("CHEQUE")) return;
    if (currentType() != EntryType::Withdrawal) {
        ui::beep();
        ui::error(this, QStringLiteral("You must also select the 'Withdrawal' button!"));
        return;
    }
    // A cheque is entered in payment entry: the new withdrawal is given up for it.
    CancelButtonClick();
    openPaymentEntry(this, company_.coy, 0);
    reloadAccount();
    ui::guarded(this, [&] { refreshRows(0); });
}

void TQVBankTranForm::HasDetailsCheckClick(bool checked) {
    if (checked && mode_ == Mode::Browse) {
        bool lines = false;
        if (account_ && rows_ && !rows_->isEmpty())
            ui::guarded(this, [&] {
                lines = banking::entryHasLines(connection_, company_.coy, account_->bankCode,
                                               account_->acctNo,
                                               rows_->integer(QStringLiteral("TRANNUM")));
            });
        if (!lines) {
            hasDetailsCheck_->setChecked(false);
            return;
        }
    }
    if (checked) sourceCombo_->setEditText(QStringLiteral("DETAILS"));
    applyTypeLayout();
    miscButton_->setEnabled(mode_ != Mode::Browse && hasDetailsCheck_->isChecked());
    updateSaveEnabled();
}

// --- Modes -----------------------------------------------------------------------------------

void TQVBankTranForm::setMode(Mode mode) {
    mode_ = mode;
    const bool browsing = mode == Mode::Browse;
    const bool adding = mode == Mode::Add;
    modePanel_->setText(adding     ? QStringLiteral("Creating new transaction.")
                        : browsing ? QStringLiteral("Browsing transactions.")
                                   : QStringLiteral("Editing transaction."));
    const bool hasRows = account_ && rows_ && !rows_->isEmpty();
    tranNavigator_->setEnabledAll(browsing);
    accountNavigator_->setEnabledAll(browsing && !depositsNotOnStatement);
    grid_->setEnabled(browsing);
    newButton_->setEnabled(browsing && account_.has_value());
    editButton_->setEnabled(browsing);
    deleteButton_->setEnabled(browsing);
    exitButton_->setEnabled(browsing);
    transactionsButton_->setEnabled(browsing && account_.has_value());
    viewButton_->setEnabled(browsing);
    cancelButton_->setEnabled(!browsing);
    updateBalanceButton_->setEnabled(browsing);
    cancelModeButton_->setEnabled(browsing);
    const bool accountBoxes = browsing && !depositsNotOnStatement;
    bankCodeEdit_->setEnabled(accountBoxes);
    acctNoEdit_->setEnabled(accountBoxes);
    bankAcctButton_->setEnabled(accountBoxes);
    tranNumEdit_->setReadOnly(!adding);
    for (QRadioButton* r : typeRadios_) r->setEnabled(adding);
    for (QLineEdit* e : {purposeEdit_, amountEdit_, taxEdit_, reasonEdit_})
        e->setReadOnly(browsing);
    if (reconciledCheck_->isChecked()) taxEdit_->setReadOnly(true);
    tranDateEdit_->setReadOnly(browsing);
    ledgerButton_->setEnabled(!browsing);
    const EntryType type = currentType();
    if (browsing || (type != EntryType::Interest && type != EntryType::Fees))
        sourceCombo_->setEnabled(!browsing);
    destBankEdit_->setReadOnly(!adding);
    destAcctEdit_->setReadOnly(!adding);
    destButton_->setEnabled(adding);
    miscButton_->setEnabled(!browsing && hasDetailsCheck_->isChecked());
    detailsButton_->setEnabled(browsing && hasRows && hasDetailsCheck_->isChecked());
    updateSaveEnabled();
}

void TQVBankTranForm::updateSaveEnabled() {
    saveButton_->setEnabled(
        banking::saveAllowed({mode_ != Mode::Browse, account_.has_value(), referenceFree_,
                              currentType(), hasDetailsCheck_->isChecked(), ledgerUsable_,
                              ledger_.has_value(), destinationUsable_, amountEntered_}));
}

banking::BankEntry TQVBankTranForm::entryFromBoxes() const {
    banking::BankEntry e;
    e.coy = company_.coy;
    e.bankCode = account_ ? account_->bankCode : QString();
    e.acctNo = account_ ? account_->acctNo : QString();
    e.type = currentType();
    e.reference = tranNumEdit_->text().trimmed().toLongLong();
    e.date = tranDateEdit_->dateValue();
    e.amount = boxAmount(amountEdit_);
    // A hidden tax box means the entry carries no tax.
    e.tax = taxEdit_->isHidden() ? 0.0 : boxAmount(taxEdit_);
    e.ledgerAccount = purposeEdit_->text().trimmed();
    e.narrative = reasonEdit_->text();
    e.source = sourceCombo_->currentText().trimmed();
    e.hasDetails = hasDetailsCheck_->isChecked();
    e.destBank = destBankEdit_->text().trimmed();
    e.destAcct = destAcctEdit_->text().trimmed();
    e.reconciled = reconciledCheck_->isChecked();
    e.depositsNotOnStatement = depositsNotOnStatement;
    return e;
}

bool TQVBankTranForm::reportResult(const banking::SaveResult& result) {
    if (result.ok()) return true;
    if (!result.message.isEmpty()) {
        ui::beep();
        ui::error(this, result.message);
    }
    return false;
}

// --- Buttons ---------------------------------------------------------------------------------

void TQVBankTranForm::NewButtonClick() {
    if (mode_ != Mode::Browse || !account_) {
        ui::beep();
        return;
    }
    qint64 reference = 0;
    if (!ui::guarded(this, [&] {
            reference = banking::reserveReferenceNumber(connection_, company_.coy,
                                                        account_->bankCode, account_->acctNo);
        }))
        return;
    account_->lastRefNo = reference;
    showing_ = true;
    chequeRow_ = false;
    setType(EntryType::Deposit);
    ledger_.reset();
    tranNumEdit_->setText(QString::number(reference));
    if (depositsNotOnStatement || !tranDateEdit_->dateValue().isValid())
        tranDateEdit_->setDateValue(QDate::currentDate());
    hasDetailsCheck_->setChecked(false);
    reconciledCheck_->setChecked(false);
    for (QLineEdit* e :
         {destBankEdit_, destAcctEdit_, destOpenBalEdit_, destCurrBalEdit_, destOdAmountEdit_})
        e->clear();
    destDescLabel_->clear();
    journalLabel_->clear();
    bankAcctLabel_->setText(kBankAcctCaption);
    destAcctLabel_->setText(kToAccountCaption);
    amountEdit_->setText(QStringLiteral("00.00"));
    taxEdit_->setText(QStringLiteral("00.00"));
    sourceCombo_->setEditText(banking::sourceForNewEntry(sourceCombo_->currentText()));
    if (purposeEdit_->text().trimmed().isEmpty()) reasonEdit_->clear();
    referenceFree_ = true;
    amountEntered_ = false;
    destinationUsable_ = false;
    showing_ = false;
    setMode(Mode::Add);
    PurposeEditChange();  // the previous account is offered again
    purposeEdit_->setFocus();
    purposeEdit_->selectAll();
}

void TQVBankTranForm::EditButtonClick() {
    if (mode_ != Mode::Browse) return;
    if (!account_ || !rows_ || rows_->isEmpty()) {
        ui::beep();
        ui::error(this, banking::problemText(banking::Problem::NothingToEdit));
        return;
    }
    banking::Problem problem = banking::Problem::None;
    if (!ui::guarded(this, [&] {
            problem =
                banking::editRefusal(connection_, company_.coy, account_->bankCode,
                                     account_->acctNo, rows_->integer(QStringLiteral("TRANNUM")));
        }))
        return;
    // A payment is edited in payment entry; its rows are read again when that closes.
    if (problem == banking::Problem::EditInPayments) {
        const qint64 number = rows_->integer(QStringLiteral("TRANNUM"));
        openPaymentEntry(this, company_.coy, number);
        reloadAccount();
        ui::guarded(this, [&] { refreshRows(number); });
        return;
    }
    if (problem != banking::Problem::None) {
        ui::beep();
        ui::error(this, banking::problemText(problem));
        return;
    }
    referenceFree_ = true;
    amountEntered_ = true;
    destinationUsable_ = true;
    setMode(Mode::Edit);
    showing_ = true;
    PurposeEditChange();  // the refusals of edit mode, without replacing the narrative
    showing_ = false;
    if (currentType() == EntryType::Transfer)
        amountEdit_->setFocus();
    else
        purposeEdit_->setFocus();
}

void TQVBankTranForm::SaveButtonClick() {
    if (mode_ == Mode::Browse || !saveButton_->isEnabled()) return;
    const banking::BankEntry entry = entryFromBoxes();
    const banking::Confirm ask = [this](const banking::Confirmation& c) {
        return ui::confirm(this, c.text);
    };
    banking::SaveResult result;
    if (!ui::guarded(this, [&] {
            result = banking::saveBankEntry(
                connection_, entry,
                mode_ == Mode::Add ? banking::EntryMode::Add : banking::EntryMode::Edit, ask);
        }))
        return;
    if (!reportResult(result)) return;
    // A new entry adds one row to the account; an edit keeps their number.
    const qint64 added = mode_ == Mode::Add ? 1 : 0;
    mode_ = Mode::Browse;
    reloadAccount();
    refreshRows(entry.reference, added);
    setMode(Mode::Browse);
    grid_->setFocus();
}

void TQVBankTranForm::CancelButtonClick() {
    if (mode_ == Mode::Browse) return;
    mode_ = Mode::Browse;
    reloadAccount();
    showRow();
    setMode(Mode::Browse);
    grid_->setFocus();
}

void TQVBankTranForm::DeleteButtonClick() {
    if (mode_ != Mode::Browse) return;
    if (!account_ || !rows_ || rows_->isEmpty()) {
        ui::beep();
        return;
    }
    const qint64 reference = rows_->integer(QStringLiteral("TRANNUM"));
    const banking::Confirm ask = [this](const banking::Confirmation& c) {
        return ui::confirm(this, c.text);
    };
    banking::SaveResult result;
    qint64 neighbour = 0;
    if (!ui::guarded(this, [&] {
            // The row to show afterwards: the next one, or the one before at the end.
            const qint64 current = rows_->rowId();
            rows_->next();
            if (!rows_->eof() && rows_->rowId() != current) {
                neighbour = rows_->integer(QStringLiteral("TRANNUM"));
            } else {
                rows_->gotoRowId(current);
                rows_->prior();
                if (rows_->rowId() != current)
                    neighbour = rows_->integer(QStringLiteral("TRANNUM"));
            }
            rows_->gotoRowId(current);
            result =
                banking::deleteBankEntry(connection_, company_.coy, account_->bankCode,
                                         account_->acctNo, reference, ask, depositsNotOnStatement);
        }))
        return;
    if (!reportResult(result)) return;
    reloadAccount();
    refreshRows(neighbour, -1);
}

void TQVBankTranForm::DetailsButtonClick() {
    if (mode_ != Mode::Browse || !account_ || !rows_ || rows_->isEmpty()) return;
    const qint64 reference = rows_->integer(QStringLiteral("TRANNUM"));
    const banking::BankAccount a = *account_;
    const bool changed = ui::openWindow<TDepositDetailsForm>(
        this,
        [&](TDepositDetailsForm& w) {
            w.coyCode = QString::number(company_.coy);
            w.bankCode = a.bankCode;
            w.acctNo = a.acctNo;
            w.acctDesc = a.desc;
            w.tranNum = reference;
            w.depositsNotOnStatement = depositsNotOnStatement;
        },
        [](TDepositDetailsForm& w, int) { return w.changed; });
    if (changed) {
        const banking::Confirm ask = [this](const banking::Confirmation& c) {
            return ui::confirm(this, c.text);
        };
        banking::SaveResult result;
        if (ui::guarded(this, [&] {
                result = banking::applyDetailsTotal(connection_, company_.coy, a.bankCode, a.acctNo,
                                                    reference, ask, depositsNotOnStatement);
            }))
            reportResult(result);
    }
    reloadAccount();
    refreshRows(reference);
}

// The cash details window attaches lines to the entry; the entry is then posted as a row with
// details. With nothing attached the entry stays as it is being entered.
void TQVBankTranForm::MiscButtonClick() {
    if (mode_ == Mode::Browse || !account_ || !hasDetailsCheck_->isChecked()) return;
    const banking::BankEntry entry = entryFromBoxes();
    const banking::Confirm ask = [this](const banking::Confirmation& c) {
        return ui::confirm(this, c.text);
    };
    std::optional<banking::SaveResult> result;
    if (!ui::guarded(this, [&] {
            result = cash::enterMiscDetails(
                this, connection_, company_, entry,
                mode_ == Mode::Add ? banking::EntryMode::Add : banking::EntryMode::Edit, ask);
        }))
        return;
    if (!result || !reportResult(*result)) return;
    mode_ = Mode::Browse;
    reloadAccount();
    refreshRows(entry.reference);
    setMode(Mode::Browse);
    grid_->setFocus();
}

void TQVBankTranForm::UpdateBalanceButtonClick() {
    if (!FormCloseQuery()) return;
    depositsTotal = 0.0;
    if (account_)
        ui::guarded(this, [this] {
            depositsTotal = banking::accountRowsTotal(connection_, company_.coy, account_->bankCode,
                                                      account_->acctNo);
        });
    accept();
}
