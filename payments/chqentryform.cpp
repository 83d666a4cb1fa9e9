#include "payments/chqentryform.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "banking/acctselform.h"
#include "banking/bank_entry_reads.h"
#include "banking/bank_entry_steps.h"
#include "payments/payment_delete.h"
#include "store/format.h"
#include "ui/datagrid.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"
#include "ui/opener.h"

namespace fmt = store::fmt;
using payments::PayType;

namespace {

// Steps through the company's payments by their place in the list.
class PaymentTarget : public ui::NavigationTarget {
public:
    PaymentTarget(const std::vector<payments::PaymentRef>& numbers, int& index,
                  std::function<void()> moved)
        : numbers_(numbers), index_(index), moved_(std::move(moved)) {}
    void first() override { go(0); }
    void prior() override { go(index_ - 1); }
    void next() override { go(index_ + 1); }
    void last() override { go(int(numbers_.size()) - 1); }
    bool bof() const override { return index_ <= 0; }
    bool eof() const override { return index_ >= int(numbers_.size()) - 1; }
    bool isEmpty() const override { return numbers_.empty(); }

private:
    void go(int i) {
        if (i < 0 || i >= int(numbers_.size())) return;
        index_ = i;
        moved_();
    }
    const std::vector<payments::PaymentRef>& numbers_;
    int& index_;
    std::function<void()> moved_;
};

}  // namespace

TChqEntryForm::TChqEntryForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("ChqEntryForm"), 300) {
    setObjectName(QStringLiteral("ChqEntryForm"));
    setWindowTitle(QStringLiteral("Cheque Entry Form"));
    buildLayout();
    connectControls();
    resize(820, 640);
}

TChqEntryForm::~TChqEntryForm() {
    // The boxes still report focus changes while QWidget deletes them; this form is gone by then.
    for (QObject* control : findChildren<QObject*>()) disconnect(control, nullptr, this, nullptr);
    grid_->unbind();
}

void TChqEntryForm::connectControls() {
    connect(hdrAdd_, &QPushButton::clicked, this, [this] { HdrAddButtonClick(); });
    connect(hdrEdit_, &QPushButton::clicked, this, [this] { HdrEditButtonClick(); });
    connect(hdrSave_, &QPushButton::clicked, this, [this] { HdrSaveButtonClick(); });
    connect(hdrCancel_, &QPushButton::clicked, this, [this] { HdrCancelButtonClick(); });
    connect(hdrDelete_, &QPushButton::clicked, this, [this] { HdrDeleteButtonClick(); });
    connect(detAdd_, &QPushButton::clicked, this, [this] { DetAddButtonClick(); });
    connect(detEdit_, &QPushButton::clicked, this, [this] { DetEditButtonClick(); });
    connect(detSave_, &QPushButton::clicked, this, [this] { DetSaveButtonClick(); });
    connect(detCancel_, &QPushButton::clicked, this, [this] { DetCancelButtonClick(); });
    connect(detDelete_, &QPushButton::clicked, this, [this] { DetDeleteButtonClick(); });
    connect(exitButton_, &QPushButton::clicked, this, [this] { close(); });
    connect(updateBalanceButton_, &QPushButton::clicked, this,
            [this] { UpdateBalanceButtonClick(); });
    connect(cancelModeButton_, &QPushButton::clicked, this, [this] { reject(); });
    connect(chequeRadio_, &QRadioButton::clicked, this, [this] { PayTypeClick(PayType::Cheque); });
    connect(electronicRadio_, &QRadioButton::clicked, this,
            [this] { PayTypeClick(PayType::Electronic); });
    connect(cashRadio_, &QRadioButton::clicked, this, [this] { PayTypeClick(PayType::Cash); });
    connect(bankCodeEdit_, &QLineEdit::editingFinished, this, [this] { BankCodeEditDone(); });
    connect(acctNoEdit_, &QLineEdit::textEdited, this, [this] { AcctNoEditChange(); });
    connect(bankAcctButton_, &QToolButton::clicked, this, [this] { BankAcctButtonClick(); });
    connect(numberEdit_, &QLineEdit::textChanged, this, [this] { NumberEditChange(); });
    connect(numberEdit_, &QLineEdit::editingFinished, this, [this] { NumberEditDone(); });
    connect(supplierEdit_, &QLineEdit::textChanged, this, [this] { SupplierEditChange(); });
    connect(supplierButton_, &QToolButton::clicked, this, [this] { SupplierButtonClick(); });
    connect(chequeListButton_, &QToolButton::clicked, this, [this] { ChequeListButtonClick(); });
    connect(purposeEdit_, &QLineEdit::textChanged, this, [this] { PurposeEditChange(); });
    connect(ledgerButton_, &QToolButton::clicked, this, [this] { LedgerButtonClick(); });
    connect(amountEdit_, &QLineEdit::textEdited, this, [this] { AmountEditChange(); });
    connect(addTaxCheck_, &QCheckBox::toggled, this, [this] { AmountEditChange(); });
    connect(grid_, &ui::DataGrid::currentRecordChanged, this, [this] {
        lineNavigator_->updateButtons();
        if (mode_ == Mode::Browse) showLine();
    });
    connect(grid_, &ui::DataGrid::activatedRow, this, [this] {
        if (mode_ == Mode::Browse) showLine();
    });
    connect(lineNavigator_, &ui::Navigator::moved, this, [this] { showLine(); });
    paymentNavigator_->setTarget(
        std::make_unique<PaymentTarget>(numbers_, index_, [this] { showPayment(); }));
}

void TChqEntryForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (shown_) return;
    shown_ = true;
    FormShow();
}

void TChqEntryForm::FormShow() {
    datePanel_->setText(fmt::longDate2(QDate::currentDate()));
    updateBalanceButton_->setVisible(openingBalanceMode);
    cancelModeButton_->setVisible(openingBalanceMode);
    exitButton_->setVisible(!openingBalanceMode);
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        const int coy = coyCode.trimmed().toInt();
        company_ =
            payments::readPaymentCompany(connection_, coy).value_or(payments::PaymentCompany{coy});
        if (!openingBalanceMode)
            setWindowTitle(QStringLiteral("Cheque/Payment entry for : ") + company_.busName);
        reloadNumbers(tranNum);
    });
    setMode(Mode::Browse);
    hdrAdd_->setFocus();
}

bool TChqEntryForm::FormCloseQuery() {
    if (mode_ == Mode::Browse) return true;
    ui::beep();
    ui::error(this, QStringLiteral("Must save or cancel before exiting!"));
    return false;
}

void TChqEntryForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    ui::FormBase::closeEvent(event);
}

void TChqEntryForm::reject() {
    if (!FormCloseQuery()) return;
    paymentsTotal = 0.0;
    ui::FormBase::reject();
}

void TChqEntryForm::UpdateBalanceButtonClick() {
    if (!FormCloseQuery()) return;
    ui::guarded(this, [this] {
        paymentsTotal = payments::accountPaymentsTotal(connection_, company_.coy, acctNo);
    });
    accept();
}

// --- Payments ----------------------------------------------------------------------------------

void TChqEntryForm::reloadNumbers(qint64 positionOn) {
    numbers_ = payments::paymentRefs(connection_, company_.coy);
    index_ = int(numbers_.size()) - 1;
    for (int i = 0; i < int(numbers_.size()); ++i)
        if (numbers_[i].tranNum == positionOn) index_ = i;
    showPayment();
}

void TChqEntryForm::showPaymentNumber(qint64 number) {
    if (mode_ != Mode::Browse) return;
    ui::guarded(this, [&] { reloadNumbers(number); });
}

void TChqEntryForm::showPayment() {
    showing_ = true;
    header_.reset();
    if (index_ >= 0 && index_ < int(numbers_.size()))
        header_ = payments::findPaymentAtRow(connection_, numbers_[index_].rowId);
    if (!header_) {
        showEmptyPayment();
    } else {
        const payments::PaymentHeader& h = *header_;
        bankCodeEdit_->setText(h.bankCode);
        acctNoEdit_->setText(h.acctNo);
        account_ = banking::findBankAccount(connection_, h.coy, h.bankCode, h.acctNo);
        acctDesc_->setText(account_ ? account_->desc.trimmed() : QString());
        setType(h.type);
        numberEdit_->setText(h.type == PayType::Cheque && !h.chequeNo.isEmpty()
                                 ? h.chequeNo
                                 : QString::number(h.tranNum));
        supplierEdit_->setText(h.supplierText);
        supplier_ = payments::resolvePaymentSupplier(connection_, h.coy, h.supplierText);
        supplierName_->setText(h.regular ? supplier_.nameLine()
                                         : QStringLiteral("Miscellaneous supplier."));
        dateEdit_->setDateValue(h.date);
        totalEdit_->setText(fmt::money(h.amount));
        taxTotalEdit_->setText(fmt::money(h.gstAmt));
        statusLabel_->setText(h.confirmed ? QStringLiteral("Reconciled or presented.")
                              : h.gstCalc ? QStringLiteral("Sales tax calculated.")
                                          : QStringLiteral("Not reconciled."));
    }
    numberWarning_->clear();
    showing_ = false;
    showLines(0);
    paymentNavigator_->updateButtons();
    updateButtons();
}

// No payment yet: the boxes as for a new one, in browse mode.
void TChqEntryForm::showEmptyPayment() {
    lines_.clear();
    for (QLineEdit* e : {numberEdit_, supplierEdit_}) e->clear();
    supplierName_->clear();
    statusLabel_->setText(QStringLiteral("Not reconciled."));
    totalEdit_->setText(QStringLiteral("00.00"));
    taxTotalEdit_->setText(QStringLiteral("00.00"));
    dateEdit_->setDateValue(QDate::currentDate());
    setType(PayType::Electronic);
    std::optional<banking::BankAccount> a;
    if (openingBalanceMode)
        a = banking::findBankAccount(connection_, company_.coy, bankCode, acctNo);
    else
        a = banking::defaultBankAccount(connection_, company_.coy);
    account_ = a;
    bankCodeEdit_->setText(a ? a->bankCode : QString());
    acctNoEdit_->setText(a ? a->acctNo : QString());
    acctDesc_->setText(a ? a->desc.trimmed() : QString());
}

void TChqEntryForm::showLines(qint64 positionOnRow) {
    lines_.clear();
    grid_->unbind();
    if (!header_) {
        clearLineBoxes();
        return;
    }
    lines_ = payments::paymentLines(connection_, header_->key());
    grid_->bindQuery(connection_,
                     QStringLiteral("SELECT ACCTNO, NARRATIVE, TOT_AMT, GSTAMT FROM QVCHQDET\n"
                                    "WHERE CHQBNKCOY = :sKey ORDER BY rowid"),
                     {{QStringLiteral("sKey"), header_->key().left(60)}},
                     {{QStringLiteral("ACCTNO"), QStringLiteral("Ledger code")},
                      {QStringLiteral("NARRATIVE"), QStringLiteral("Narrative")},
                      ui::moneyColumn(QStringLiteral("TOT_AMT"), QStringLiteral("Amount")),
                      ui::moneyColumn(QStringLiteral("GSTAMT"), QStringLiteral("Tax"))});
    lineNavigator_->setTarget(ui::gridTarget(*grid_));
    int row = int(lines_.size()) - 1;
    for (int i = 0; i < int(lines_.size()); ++i)
        if (lines_[i].rowId == positionOnRow) row = i;
    if (row >= 0) grid_->setCurrentRow(row);
    showLine();
}

void TChqEntryForm::showLine() {
    const int row = grid_->currentRow();
    if (row < 0 || row >= int(lines_.size())) {
        clearLineBoxes();
        return;
    }
    const payments::PaymentLine& l = lines_[row];
    showing_ = true;
    purposeEdit_->setText(l.acctNo);
    narrativeEdit_->setText(l.narrative.trimmed());
    amountEdit_->setText(fmt::money(l.totAmt));
    taxEdit_->setText(fmt::money(l.gstAmt));
    showing_ = false;
    PurposeEditChange();
}

void TChqEntryForm::clearLineBoxes() {
    showing_ = true;
    for (QLineEdit* e : {purposeEdit_, narrativeEdit_}) e->clear();
    amountEdit_->setText(QStringLiteral("00.00"));
    taxEdit_->setText(QStringLiteral("00.00"));
    purposeDesc_->clear();
    deptLabel_->clear();
    ledger_.reset();
    showing_ = false;
}

PayType TChqEntryForm::currentType() const {
    if (chequeRadio_->isChecked()) return PayType::Cheque;
    if (cashRadio_->isChecked()) return PayType::Cash;
    return PayType::Electronic;
}

void TChqEntryForm::setType(PayType type) {
    chequeRadio_->setChecked(type == PayType::Cheque);
    electronicRadio_->setChecked(type == PayType::Electronic);
    cashRadio_->setChecked(type == PayType::Cash);
}

void TChqEntryForm::PayTypeClick(PayType type) {
    if (mode_ == Mode::AddPayment && reservation_) {
        numberEdit_->setText(QString::number(payments::proposedNumber(*reservation_, type)));
    } else if (mode_ == Mode::EditPayment && header_ && type != header_->type) {
        ui::guarded(this, [&] {
            numberEdit_->setText(QString::number(payments::numberForTypeChange(
                connection_, company_.coy, header_->bankCode, header_->acctNo, type)));
        });
    }
}

// --- Header ------------------------------------------------------------------------------------

void TChqEntryForm::HdrAddButtonClick() {
    if (mode_ != Mode::Browse) return;
    const bool firstPayment = numbers_.empty();
    showing_ = true;
    setMode(Mode::AddPayment);
    header_.reset();
    showLines(0);
    supplierEdit_->clear();
    supplierName_->clear();
    totalEdit_->setText(QStringLiteral("00.00"));
    taxTotalEdit_->setText(QStringLiteral("00.00"));
    statusLabel_->setText(QStringLiteral("Not reconciled."));
    if (firstPayment) dateEdit_->setDateValue(QDate::currentDate());
    setType(PayType::Electronic);
    showing_ = false;
    std::optional<banking::BankAccount> a =
        openingBalanceMode ? banking::findBankAccount(connection_, company_.coy, bankCode, acctNo)
                           : banking::defaultBankAccount(connection_, company_.coy);
    setAccountBoxes(a ? a->bankCode : bankCode, a ? a->acctNo : acctNo);
    SupplierEditChange();
    updateButtons();
    numberEdit_->setFocus();
    numberEdit_->selectAll();
}

void TChqEntryForm::HdrEditButtonClick() {
    if (mode_ != Mode::Browse) return;
    if (!header_) {
        ui::beep();
        ui::warning(this, payments::paymentProblemText(payments::PaymentProblem::NothingToEdit));
        return;
    }
    supplierChanged_ = false;
    setMode(Mode::EditPayment);
    numberEdit_->setText(QString::number(header_->tranNum));
    numberEdit_->setFocus();
}

payments::HeaderInput TChqEntryForm::headerFromBoxes() const {
    return {company_.coy,
            currentType(),
            numberEdit_->text().trimmed(),
            dateEdit_->dateValue(),
            bankCodeEdit_->text().trimmed(),
            acctNoEdit_->text().trimmed(),
            supplierEdit_->text()};
}

// A new payment, or a date changed, inside a finalised tax period is saved only on "Yes".
bool TChqEntryForm::filedPeriodAnswered(const QDate& date) {
    if (mode_ == Mode::EditPayment && header_ && header_->date == date) return true;
    std::optional<banking::Confirmation> q;
    if (!ui::guarded(this,
                     [&] { q = banking::filedPeriodQuestion(connection_, company_.coy, date); }))
        return false;
    return !q || ui::confirm(this, q->text);
}

void TChqEntryForm::HdrSaveButtonClick() {
    if (mode_ != Mode::AddPayment && mode_ != Mode::EditPayment) return;
    if (!hdrSave_->isEnabled()) {
        ui::beep();
        return;
    }
    const payments::HeaderInput in = headerFromBoxes();
    if (!filedPeriodAnswered(in.date)) return;
    payments::PaymentResult r;
    if (!ui::guarded(this, [&] {
            r = mode_ == Mode::AddPayment
                    ? payments::saveNewPayment(connection_, in, *reservation_)
                    : payments::saveEditedPayment(connection_, in, header_->tranNum);
        }))
        return;
    if (!report(r)) return;
    reservation_.reset();
    setMode(Mode::Browse);
    ui::guarded(this, [&] { reloadNumbers(payments::paymentNumberFromText(in.numberText)); });
    detAdd_->setFocus();
}

void TChqEntryForm::HdrCancelButtonClick() {
    if (mode_ != Mode::AddPayment && mode_ != Mode::EditPayment) return;
    if (reservation_)
        ui::guarded(this, [this] { payments::cancelReservation(connection_, *reservation_); });
    reservation_.reset();
    setMode(Mode::Browse);
    ui::guarded(this, [this] { showPayment(); });
    hdrAdd_->setFocus();
}

void TChqEntryForm::HdrDeleteButtonClick() {
    if (mode_ != Mode::Browse || !header_ || !hdrDelete_->isEnabled()) return;
    payments::PaymentResult r;
    if (!ui::guarded(this, [&] {
            r = payments::deletePayment(connection_, company_.coy, header_->tranNum,
                                        openingBalanceMode);
        }))
        return;
    if (!report(r)) return;
    const int next = index_;
    ui::guarded(this, [&] {
        numbers_ = payments::paymentRefs(connection_, company_.coy);
        index_ = std::min(next, int(numbers_.size()) - 1);
        showPayment();
    });
}

bool TChqEntryForm::report(const payments::PaymentResult& r) {
    if (r.ok()) return true;
    if (r.message.isEmpty()) return false;
    ui::beep();
    QString text = r.message;
    if (!r.detail.isEmpty()) text += QStringLiteral("\n") + r.detail;
    ui::error(this, text);
    return false;
}

void TChqEntryForm::setAccountBoxes(const QString& bank, const QString& acct) {
    showing_ = true;
    bankCodeEdit_->setText(bank.trimmed());
    acctNoEdit_->setText(acct.trimmed());
    showing_ = false;
    BankCodeEditDone();
    AcctNoEditChange();
}

void TChqEntryForm::BankCodeEditDone() {
    if (mode_ != Mode::AddPayment) return;
    bool found = false;
    ui::guarded(this, [&] { found = banking::bankExists(connection_, bankCodeEdit_->text()); });
    if (!found && !bankCodeEdit_->text().trimmed().isEmpty()) {
        ui::beep();
        ui::error(this, QStringLiteral("Cannot find this bank!"));
    }
}

void TChqEntryForm::AcctNoEditChange() {
    if (mode_ != Mode::AddPayment || showing_) return;
    ui::guarded(this, [this] {
        account_ = banking::findBankAccount(connection_, company_.coy, bankCodeEdit_->text(),
                                            acctNoEdit_->text());
        if (!account_) {
            acctDesc_->setText(QStringLiteral("Cannot find this bank account!"));
            return;
        }
        acctDesc_->setText(account_->desc.trimmed());
        // Every account found while adding reserves its numbers; gaps are accepted.
        reservation_ = payments::reserveNumbers(connection_, company_.coy, account_->bankCode,
                                                account_->acctNo);
        numberEdit_->setText(
            QString::number(payments::proposedNumber(*reservation_, currentType())));
    });
    updateButtons();
}

void TChqEntryForm::BankAcctButtonClick() {
    const bool choosing = mode_ == Mode::AddPayment;
    QString bank, acct;
    const bool chosen = ui::openWindow<TAcctSelForm>(
        this,
        [&](TAcctSelForm& w) {
            w.coyCode = QString::number(company_.coy);
            w.selectEnabled = choosing;
        },
        [&](TAcctSelForm& w, int code) {
            bank = w.bankCode;
            acct = w.acctNo;
            return code == QDialog::Accepted;
        });
    if (chosen && choosing) setAccountBoxes(bank, acct);
}

void TChqEntryForm::NumberEditChange() {
    if (showing_ || (mode_ != Mode::AddPayment && mode_ != Mode::EditPayment)) return;
    const qint64 number = payments::paymentNumberFromText(numberEdit_->text());
    bool inUse = false;
    if (number > 0 && !(header_ && number == header_->tranNum))
        ui::guarded(this,
                    [&] { inUse = payments::numberInUse(connection_, company_.coy, number); });
    numberUsable_ = number > 0 && !inUse;
    if (inUse) {
        numberWarning_->setText(
            payments::paymentProblemText(payments::PaymentProblem::NumberInUse));
        ui::beep();
    } else {
        numberWarning_->clear();
    }
    updateButtons();
}

void TChqEntryForm::NumberEditDone() {
    if (mode_ != Mode::AddPayment || !reservation_) return;
    const qint64 number = payments::paymentNumberFromText(numberEdit_->text());
    bool duplicate = false;
    ui::guarded(this, [&] {
        duplicate = number > 0 && payments::duplicatePayment(connection_, company_.coy, number);
    });
    if (!duplicate) return;
    ui::information(this, QStringLiteral("This is a duplicate transaction number."));
    numberEdit_->setText(QString::number(payments::proposedNumber(*reservation_, PayType::Cheque)));
    numberEdit_->setFocus();
}

void TChqEntryForm::SupplierEditChange() {
    if (showing_) return;
    ui::guarded(this, [this] {
        supplier_ =
            payments::resolvePaymentSupplier(connection_, company_.coy, supplierEdit_->text());
    });
    supplierName_->setText(supplier_.nameLine());
    if (mode_ == Mode::EditPayment) supplierChanged_ = true;
}
