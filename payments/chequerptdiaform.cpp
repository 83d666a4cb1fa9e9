#include "payments/chequerptdiaform.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "payments/cheque_choice.h"
#include "payments/chequereportform.h"
#include "payments/coychequelistform.h"
#include "payments/supplierpicker.h"
#include "payments/suppliers.h"
#include "reports/company.h"
#include "reports/reportpreview.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/opener.h"
#include "ui/pickerkey.h"

namespace {

constexpr int kDaysBack = 30;

QToolButton* listButton(QWidget* parent, const char* name, const QString& tip) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(QStringLiteral("..."));
    b->setToolTip(tip + QStringLiteral(" (Alt+Down)"));
    return b;
}

}  // namespace

TChequeRptDiaForm::TChequeRptDiaForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("ChequeRptDiaForm"), 550) {
    setObjectName(QStringLiteral("ChequeRptDiaForm"));
    setWindowTitle(QStringLiteral("Cheque reports for : "));
    buildLayout();
    connectControls();
}

TChequeRptDiaForm::~TChequeRptDiaForm() {
    if (connection_.isConnected()) connection_.disconnect();
}

void TChequeRptDiaForm::buildLayout() {
    specificCheck_ = new QCheckBox(QStringLiteral("&Select Specific Cheque"), this);
    specificCheck_->setObjectName(QStringLiteral("SpecificCheck"));
    numberPanel_ = new QWidget(this);
    numberEdit_ = new QLineEdit(numberPanel_);
    numberEdit_->setObjectName(QStringLiteral("NumberEdit"));
    numberEdit_->setMaxLength(11);
    numberEdit_->setMaximumWidth(120);
    listButton_ = listButton(numberPanel_, "ChequeListButton", QStringLiteral("Select a cheque"));
    descLabel_ = new QLabel(numberPanel_);
    descLabel_->setObjectName(QStringLiteral("DescriptionLabel"));
    auto* numberLabel = new QLabel(QStringLiteral("&Cheque No. :"), numberPanel_);
    numberLabel->setBuddy(numberEdit_);
    auto* numberGrid = new QGridLayout(numberPanel_);
    numberGrid->setContentsMargins(0, 0, 0, 0);
    numberGrid->addWidget(numberLabel, 0, 0);
    numberGrid->addWidget(numberEdit_, 0, 1);
    numberGrid->addWidget(listButton_, 0, 2);
    numberGrid->addWidget(descLabel_, 1, 0, 1, 4);
    numberGrid->setColumnStretch(3, 1);
    ui::openPickerWithAltDown(numberEdit_, listButton_);

    detailsCheck_ = new QCheckBox(QStringLiteral("Display Details"), this);
    detailsCheck_->setObjectName(QStringLiteral("DetailsCheck"));
    supplierCheck_ = new QCheckBox(QStringLiteral("Selected supplier"), this);
    supplierCheck_->setObjectName(QStringLiteral("SupplierCheck"));
    supplierPanel_ = new QWidget(this);
    supplierEdit_ = new QLineEdit(supplierPanel_);
    supplierEdit_->setObjectName(QStringLiteral("SupplierEdit"));
    supplierEdit_->setMaxLength(payments::kSupplierCodeWidth);
    supplierEdit_->setMaximumWidth(120);
    supplierButton_ =
        listButton(supplierPanel_, "SupplierButton", QStringLiteral("Select a supplier"));
    supplierName_ = new QLabel(supplierPanel_);
    supplierName_->setObjectName(QStringLiteral("SupplierName"));
    auto* supplierRow = new QHBoxLayout(supplierPanel_);
    supplierRow->setContentsMargins(0, 0, 0, 0);
    auto* supplierLabel = new QLabel(QStringLiteral("Supplier code :"), supplierPanel_);
    supplierLabel->setBuddy(supplierEdit_);
    supplierRow->addWidget(supplierLabel);
    supplierRow->addWidget(supplierEdit_);
    supplierRow->addWidget(supplierButton_);
    supplierRow->addWidget(supplierName_, 1);
    ui::openPickerWithAltDown(supplierEdit_, supplierButton_);

    auto* dates = new QGroupBox(this);
    datePanel_ = dates;
    fromCheck_ = new QCheckBox(QStringLiteral("Enter 'From' &date"), dates);
    fromCheck_->setObjectName(QStringLiteral("FromCheck"));
    fromEdit_ = new ui::DateBox(dates);
    fromEdit_->setObjectName(QStringLiteral("FromEdit"));
    toEdit_ = new ui::DateBox(dates);
    toEdit_->setObjectName(QStringLiteral("ToEdit"));
    fromLabel_ = new QLabel(QStringLiteral("&From"), dates);
    fromLabel_->setBuddy(fromEdit_);
    auto* toLabel = new QLabel(QStringLiteral("&To"), dates);
    toLabel->setBuddy(toEdit_);
    auto* dateRow = new QHBoxLayout(dates);
    dateRow->addWidget(fromCheck_);
    dateRow->addWidget(fromLabel_);
    dateRow->addWidget(fromEdit_);
    dateRow->addSpacing(12);
    dateRow->addWidget(toLabel);
    dateRow->addWidget(toEdit_);
    dateRow->addStretch();

    previewButton_ = new QPushButton(QStringLiteral("Pre&View"), this);
    previewButton_->setObjectName(QStringLiteral("PreViewButton"));
    previewButton_->setDefault(true);
    printButton_ = new QPushButton(QStringLiteral("Print"), this);
    printButton_->setObjectName(QStringLiteral("PrintButton"));
    exitButton_ = new QPushButton(QStringLiteral("E&xit"), this);
    exitButton_->setObjectName(QStringLiteral("ExitButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {previewButton_, printButton_, exitButton_}) buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* w :
         {static_cast<QWidget*>(specificCheck_), numberPanel_, static_cast<QWidget*>(detailsCheck_),
          static_cast<QWidget*>(supplierCheck_), supplierPanel_, datePanel_})
        layout->addWidget(w);
    layout->addStretch();
    layout->addLayout(buttons);
    const QList<QWidget*> order{specificCheck_, numberEdit_,  detailsCheck_, supplierCheck_,
                                supplierEdit_,  fromCheck_,   fromEdit_,     toEdit_,
                                previewButton_, printButton_, exitButton_};
    for (int i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    resize(520, 300);
}

void TChequeRptDiaForm::connectControls() {
    connect(specificCheck_, &QCheckBox::toggled, this, &TChequeRptDiaForm::SpecificCheckClick);
    connect(numberEdit_, &QLineEdit::textChanged, this, [this] { NumberEditChange(); });
    connect(listButton_, &QToolButton::clicked, this, [this] { ChequeListButtonClick(); });
    connect(supplierCheck_, &QCheckBox::toggled, this, &TChequeRptDiaForm::SupplierCheckClick);
    connect(supplierEdit_, &QLineEdit::textChanged, this, [this] { SupplierEditChange(); });
    connect(supplierButton_, &QToolButton::clicked, this, [this] { SupplierButtonClick(); });
    connect(fromCheck_, &QCheckBox::toggled, this, &TChequeRptDiaForm::FromCheckClick);
    connect(previewButton_, &QPushButton::clicked, this, [this] { PreViewButtonClick(); });
    connect(printButton_, &QPushButton::clicked, this, [this] { PrintButtonClick(); });
    connect(exitButton_, &QPushButton::clicked, this, [this] { close(); });
}

void TChequeRptDiaForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TChequeRptDiaForm::FormShow() {
    const QDate today = QDate::currentDate();
    toEdit_->setDateValue(today);
    fromEdit_->setDateValue(today.addDays(-kDaysBack));
    fromLabel_->hide();
    fromEdit_->hide();
    detailsCheck_->setChecked(true);
    numberPanel_->hide();
    supplierPanel_->hide();
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        setWindowTitle(QStringLiteral("Cheque reports for : ") +
                       reports::companyName(connection_, coyCode).trimmed());
        hasPayments_ = payments::companyHasPayments(connection_, coyCode);
        if (tranNum != 0) openOnPayment();
    });
}

// Opened on a payment (payment entry's "Print"): that payment, its cheque ready to print.
void TChequeRptDiaForm::openOnPayment() {
    if (!payments::findChequeSummary(connection_, coyCode, tranNum)) return;
    specificCheck_->setChecked(true);
    numberEdit_->setText(QString::number(tranNum));
    detailsCheck_->setChecked(false);
    printButton_->setFocus();
}

void TChequeRptDiaForm::done(int result) {
    if (connection_.isConnected()) connection_.disconnect();
    ui::FormBase::done(result);
}

void TChequeRptDiaForm::SpecificCheckClick(bool checked) {
    if (checked && !hasPayments_) {
        const QSignalBlocker blocker(specificCheck_);
        specificCheck_->setChecked(false);
        ui::information(this, payments::chequesNoneForAccountText());
        return;
    }
    numberPanel_->setVisible(checked);
    datePanel_->setVisible(!checked);
    if (!checked) {
        specific_ = false;
        return;
    }
    ui::guarded(this, [this] {
        const auto first = payments::firstPaymentNumber(connection_, coyCode);
        numberEdit_->setText(first ? QString::number(*first) : QString());
        NumberEditChange();  // the same number again changes no text
    });
    numberEdit_->setFocus();
}

void TChequeRptDiaForm::NumberEditChange() {
    ui::guarded(this, [this] {
        const auto payment = payments::chequeNamedBy(connection_, coyCode, numberEdit_->text());
        descLabel_->setText(payments::chequeDescription(payment));
        specific_ = specificCheck_->isChecked() && payment.has_value();
        if (payment && supplierCheck_->isChecked()) {
            filling_ = true;
            supplierEdit_->setText(payment->supplier.isEmpty() ? payment->cliCode
                                                               : payment->supplier);
            filling_ = false;
        }
    });
}

void TChequeRptDiaForm::ChequeListButtonClick() {
    const QString supplier = supplierFound_ ? supplierEdit_->text().trimmed() : QString();
    ui::openWindow<TCoyChequeListForm>(
        this,
        [&](TCoyChequeListForm& w) {
            w.coyCode = coyCode;
            w.suppCode = supplier;
            w.selectEnabled = true;
        },
        [this](TCoyChequeListForm& w, int code) {
            if (code == QDialog::Accepted) numberEdit_->setText(w.tranNum);
            return code;
        });
    numberEdit_->setFocus();
}

void TChequeRptDiaForm::SupplierCheckClick(bool checked) {
    supplierPanel_->setVisible(checked);
    if (!checked) {
        supplierEdit_->clear();
        return;
    }
    ui::guarded(this, [this] {
        supplierEdit_->setText(payments::firstSupplierCode(connection_, coyCode));
    });
    supplierEdit_->setFocus();
}

void TChequeRptDiaForm::SupplierEditChange() {
    ui::guarded(this, [this] {
        const QString code = supplierEdit_->text().trimmed();
        if (code.isEmpty()) {
            // Back to every payee: the company's own payments count again.
            supplierName_->clear();
            supplierFound_ = false;
            hasPayments_ = payments::companyHasPayments(connection_, coyCode);
            return;
        }
        const auto supplier = payments::findSupplier(connection_, coyCode, code);
        supplierFound_ = supplier.has_value();
        if (!supplier) {
            supplierName_->setText(payments::supplierNotFoundText());
            return;
        }
        supplierName_->setText(supplier->details.busName.trimmed());
        const auto first = payments::firstPaymentOfSupplier(connection_, coyCode, code);
        hasPayments_ = first.has_value();
        if (!filling_) numberEdit_->setText(first ? QString::number(*first) : QString());
    });
}

void TChequeRptDiaForm::SupplierButtonClick() {
    if (const auto code = payments::pickSupplier(this, coyCode, true))
        supplierEdit_->setText(*code);
    supplierEdit_->setFocus();
}

void TChequeRptDiaForm::FromCheckClick(bool checked) {
    fromLabel_->setVisible(checked);
    fromEdit_->setVisible(checked);
    if (checked) fromEdit_->setDateValue(QDate::currentDate().addDays(-kDaysBack));
}

void TChequeRptDiaForm::PreViewButtonClick() { run(true); }
void TChequeRptDiaForm::PrintButtonClick() { run(false); }

void TChequeRptDiaForm::run(bool preview) {
    const auto output = payments::chequeOutput(hasPayments_, specific_, detailsCheck_->isChecked());
    if (output == payments::ChequeOutput::NoCheques) {
        ui::beep();
        ui::warning(this, payments::chequesNoneText());
        return;
    }
    ui::guarded(this, [&] {
        const reports::ReportDocument doc = prepare(int(output));
        if (!preview) {
            reports::printReport(this, doc, askPrinter);
        } else if (showReport) {
            showReport(doc);
        } else {
            payments::previewChequeDocument(this, doc,
                                            output == payments::ChequeOutput::ChequePrint
                                                ? QStringLiteral("Cheque")
                                                : QStringLiteral("Cheque report"));
        }
    });
}

reports::ReportDocument TChequeRptDiaForm::prepare(int output) {
    const QString coy = QString::number(coyCode);
    if (output == int(payments::ChequeOutput::ChequePrint)) {
        TChequePrintForm cheque;
        cheque.coyCode = coy;
        cheque.chequeNo = numberEdit_->text();
        return cheque.document(connection_);
    }
    TChequeReportForm report;
    report.coyCode = coy;
    if (output == int(payments::ChequeOutput::PaymentReport)) {
        report.chequeNo = numberEdit_->text();
    } else {
        report.supplier = supplierFound_ ? supplierEdit_->text().trimmed() : QString();
        report.fromTicked = fromCheck_->isChecked();
        report.from = fromEdit_->dateValue();
    }
    report.to = toEdit_->dateValue();
    report.displayDetails = detailsCheck_->isChecked();
    return report.document(connection_);
}
