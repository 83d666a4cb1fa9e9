// The payment window's lines, its modes and the pickers it opens.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "banking/money_limits.h"
#include "ledger/accountlists.h"
#include "payments/chqentryform.h"
#include "payments/payment_delete.h"
#include "payments/payment_lines.h"
#include "payments/paymentpicker.h"
#include "payments/supplierpicker.h"
#include "store/format.h"
#include "ui/datagrid.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"
#include "ui/opener.h"

namespace fmt = store::fmt;

namespace {

double chqBoxAmount(const QLineEdit* box) {
    double value = 0.0;
    return fmt::parseMoney(box->text(), &value) ? value : 0.0;
}

}  // namespace

void TChqEntryForm::DetAddButtonClick() {
    if (mode_ != Mode::Browse) return;
    if (!header_) {
        ui::beep();
        ui::warning(this, payments::paymentProblemText(payments::PaymentProblem::NoPayment));
        return;
    }
    if (header_->locked()) return;
    clearLineBoxes();
    addTaxCheck_->setChecked(false);
    setMode(Mode::AddLine);
    purposeEdit_->setFocus();
}

void TChqEntryForm::DetEditButtonClick() {
    if (mode_ != Mode::Browse) return;
    const int row = grid_->currentRow();
    if (!header_ || row < 0 || row >= int(lines_.size())) {
        ui::beep();
        ui::warning(this, payments::paymentProblemText(payments::PaymentProblem::NothingToEdit));
        return;
    }
    addTaxCheck_->setChecked(false);
    setMode(Mode::EditLine);
    PurposeEditChange();
    purposeEdit_->setFocus();
}

void TChqEntryForm::DetSaveButtonClick() {
    if (mode_ != Mode::AddLine && mode_ != Mode::EditLine) return;
    if (!detSave_->isEnabled()) {
        ui::beep();
        return;
    }
    payments::LineInput in;
    in.coy = company_.coy;
    in.tranNum = header_->tranNum;
    const int row = grid_->currentRow();
    if (mode_ == Mode::EditLine && row >= 0 && row < int(lines_.size()))
        in.lineRowId = lines_[row].rowId;
    in.acctCode = purposeEdit_->text();
    in.narrative = narrativeEdit_->text();
    const bool amountRead = fmt::parseMoney(amountEdit_->text(), &in.amount);
    in.tax = lineTax_.taxed() ? chqBoxAmount(taxEdit_) : 0.0;
    in.addTax = addTaxCheck_->isVisible() && addTaxCheck_->isChecked();
    in.openingBalanceMode = openingBalanceMode;
    if (!amountRead || fmt::cents(in.amount) <= 0) {
        report(payments::paymentRefused(payments::PaymentProblem::NoAmount));
        amountEdit_->setFocus();
        return;
    }
    payments::PaymentResult r;
    const banking::Confirm ask = [this](const banking::Confirmation& q) {
        ui::beep();
        return ui::confirm(this, q.text);
    };
    if (!ui::guarded(this, [&] { r = payments::savePaymentLine(connection_, in, ask); })) return;
    if (!report(r)) return;
    setMode(Mode::Browse);
    ui::guarded(this, [&] {
        header_ = payments::findPayment(connection_, company_.coy, in.tranNum);
        showPayment();
        if (in.lineRowId) showLines(in.lineRowId);
    });
    detAdd_->setFocus();
}

void TChqEntryForm::DetCancelButtonClick() {
    if (mode_ != Mode::AddLine && mode_ != Mode::EditLine) return;
    setMode(Mode::Browse);
    showLine();
    detAdd_->setFocus();
}

void TChqEntryForm::DetDeleteButtonClick() {
    if (mode_ != Mode::Browse || !header_ || header_->locked()) return;
    const int row = grid_->currentRow();
    if (row < 0 || row >= int(lines_.size())) {
        ui::information(this, payments::paymentProblemText(payments::PaymentProblem::NoLines));
        return;
    }
    payments::PaymentResult r;
    if (!ui::guarded(this, [&] {
            r = payments::deletePaymentLine(connection_, company_.coy, header_->tranNum,
                                            lines_[row].rowId, openingBalanceMode);
        }))
        return;
    if (!report(r)) return;
    ui::guarded(this, [&] { showPayment(); });
}

// --- Line boxes ------------------------------------------------------------------------------

void TChqEntryForm::PurposeEditChange() {
    const QString code = purposeEdit_->text().trimmed();
    ledgerUsable_ = false;
    ledger_.reset();
    lineTax_ = {};
    if (code.isEmpty() || !connection_.isConnected()) {
        purposeDesc_->clear();
        deptLabel_->clear();
        showTaxBoxes();
        updateButtons();
        return;
    }
    ui::guarded(this, [&] {
        ledger_ = banking::findLedgerAccount(connection_, company_.coy, code);
        if (!ledger_) {
            purposeDesc_->setText(
                payments::paymentProblemText(payments::PaymentProblem::LedgerNotFound));
            deptLabel_->clear();
            return;
        }
        if (account_ && banking::departmentMismatch(*account_, *ledger_)) {
            purposeDesc_->setText(
                payments::paymentProblemText(payments::PaymentProblem::DepartmentMismatch));
            deptLabel_->clear();
            return;
        }
        purposeDesc_->setText(ledger_->descr.trimmed());
        if (mode_ == Mode::AddLine && !showing_) narrativeEdit_->setText(ledger_->descr.trimmed());
        const payments::LineDepartment dept =
            payments::lineDepartment(connection_, company_.coy, *ledger_);
        deptLabel_->setText(dept.text());
        lineTax_ = payments::lineTax(company_, dept, *ledger_, supplier_);
        ledgerUsable_ = true;
    });
    showTaxBoxes();
    updateButtons();
}

void TChqEntryForm::showTaxBoxes() {
    const bool taxed = lineTax_.taxed();
    const bool entering = mode_ == Mode::AddLine || mode_ == Mode::EditLine;
    taxLabel_->setVisible(taxed);
    taxEdit_->setVisible(taxed);
    addTaxCheck_->setVisible(taxed && entering);
}

void TChqEntryForm::AmountEditChange() {
    if (showing_ || (mode_ != Mode::AddLine && mode_ != Mode::EditLine)) return;
    const QString text = amountEdit_->text().trimmed();
    if (text == QLatin1String("-")) return;
    const double amount = chqBoxAmount(amountEdit_);
    if (fmt::cents(amount) == 0 || !banking::fitsField(amount, banking::largestAmount())) return;
    if (!lineTax_.taxed()) {
        taxEdit_->setText(QStringLiteral("00.00"));
        return;
    }
    taxEdit_->setText(
        fmt::money(payments::proposedLineTax(lineTax_, amount, addTaxCheck_->isChecked())));
}

void TChqEntryForm::LedgerButtonClick() {
    const bool choosing = mode_ == Mode::AddLine || mode_ == Mode::EditLine;
    QString code;
    const bool chosen = ui::openWindow<TDeptAcctListForm>(
        this,
        [&](TDeptAcctListForm& w) {
            w.coyCode = company_.coy;
            w.selectEnabled = choosing;
            w.setWindowTitle(QStringLiteral("View/Select Ledger Accounts"));
        },
        [&](TDeptAcctListForm& w, int result) {
            code = w.acctCode;
            return result == QDialog::Accepted && !code.isEmpty();
        });
    if (chosen && choosing) purposeEdit_->setText(code);
    purposeEdit_->setFocus();
}

void TChqEntryForm::SupplierButtonClick() {
    const bool choosing =
        mode_ == Mode::AddPayment || (mode_ == Mode::EditPayment && header_ && !header_->locked());
    const auto code = payments::pickSupplier(this, company_.coy, choosing);
    if (code && choosing) supplierEdit_->setText(*code);
    supplierEdit_->setFocus();
}

void TChqEntryForm::ChequeListButtonClick() {
    if (mode_ != Mode::Browse) return;
    if (const auto number = payments::pickPayment(this, company_.coy)) showPaymentNumber(*number);
}

// --- Modes -----------------------------------------------------------------------------------

void TChqEntryForm::setMode(Mode mode) {
    mode_ = mode;
    static const char* const texts[] = {"Browsing cheques.", "Creating new cheque.",
                                        "Editing cheque.", "Adding cheque details.",
                                        "Editing cheque details."};
    modePanel_->setText(QLatin1String(texts[int(mode)]));
    if (mode == Mode::AddPayment || mode == Mode::EditPayment) {
        numberUsable_ = true;
        NumberEditChange();
    }
    updateButtons();
}

void TChqEntryForm::updateButtons() {
    const bool browse = mode_ == Mode::Browse;
    const bool header = mode_ == Mode::AddPayment || mode_ == Mode::EditPayment;
    const bool adding = mode_ == Mode::AddPayment;
    const bool line = mode_ == Mode::AddLine || mode_ == Mode::EditLine;
    const bool locked = header_ && header_->locked();

    paymentNavigator_->setEnabledAll(browse);
    hdrAdd_->setEnabled(browse);
    hdrEdit_->setEnabled(browse);
    hdrDelete_->setEnabled(browse && header_ && !locked);
    hdrSave_->setEnabled(header && numberUsable_ && account_.has_value());
    hdrCancel_->setEnabled(header);
    chequeListButton_->setEnabled(browse);
    numberEdit_->setEnabled(header);
    dateEdit_->setEnabled(header);
    typeGroup_->setEnabled(header);
    supplierEdit_->setEnabled(adding || (header && !locked));
    bankCodeEdit_->setEnabled(adding && !openingBalanceMode);
    acctNoEdit_->setEnabled(adding && !openingBalanceMode);
    headerGroup_->setEnabled(!line);

    // A new payment has no lines until its header is saved.
    detailGroup_->setVisible(!adding);
    grid_->setVisible(!adding);
    lineNavigator_->setVisible(!adding);
    detailGroup_->setEnabled(!header);
    grid_->setEnabled(browse);
    lineNavigator_->setEnabledAll(browse);
    detAdd_->setEnabled(browse && header_ && !locked);
    detEdit_->setEnabled(browse);
    detDelete_->setEnabled(browse && header_ && !locked);
    detSave_->setEnabled(line && ledgerUsable_);
    detCancel_->setEnabled(line);
    purposeEdit_->setEnabled(line);
    narrativeEdit_->setEnabled(line);
    amountEdit_->setEnabled(line && !locked);
    taxEdit_->setEnabled(line && !locked);
    showTaxBoxes();

    exitButton_->setEnabled(browse);
    printButton_->setEnabled(browse);
    updateBalanceButton_->setEnabled(browse);
    cancelModeButton_->setEnabled(browse);
}
