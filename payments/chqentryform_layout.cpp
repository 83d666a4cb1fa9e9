// The controls of the payment window and their places.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "payments/chqentryform.h"
#include "store/keys.h"
#include "ui/codebox.h"
#include "ui/datagrid.h"
#include "ui/datebox.h"
#include "ui/navigator.h"
#include "ui/textbox.h"

namespace {

QLineEdit* chqAmountBox(QWidget* parent, const char* name) {
    auto* e = ui::textBox(parent, name, 16, 110);
    e->setAlignment(Qt::AlignRight);
    e->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("-?\\d{0,11}(\\.\\d{0,2})?")), e));
    return e;
}

QPushButton* chqButton(QWidget* parent, const char* name, const QString& text, const QString& tip) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

QToolButton* chqPicker(QWidget* parent, const char* name, const QString& tip) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(QStringLiteral("..."));
    b->setToolTip(tip);
    return b;
}

QLabel* chqLabel(QWidget* parent, const QString& text, QWidget* buddy = nullptr,
                 const char* name = nullptr) {
    auto* l = new QLabel(text, parent);
    if (buddy) l->setBuddy(buddy);
    if (name) l->setObjectName(QString::fromLatin1(name));
    return l;
}

}  // namespace

void TChqEntryForm::buildLayout() {
    auto* layout = new QVBoxLayout(this);

    // The payment.
    statusLabel_ = chqLabel(this, QString(), nullptr, "StatusLabel");
    statusLabel_->setStyleSheet(QStringLiteral("font-weight: bold"));
    layout->addWidget(statusLabel_);
    headerGroup_ = new QGroupBox(QStringLiteral(" Cheque/Payment  "), this);
    headerGroup_->setObjectName(QStringLiteral("HeaderGroup"));
    auto* g = new QGridLayout(headerGroup_);
    numberEdit_ = ui::textBox(headerGroup_, "NumberEdit", store::keys::kLongestReference, 120);
    numberWarning_ = chqLabel(headerGroup_, QString(), nullptr, "NumberWarning");
    numberWarning_->setStyleSheet(QStringLiteral("color: red"));
    chequeListButton_ = chqPicker(headerGroup_, "ChequeListButton",
                                  QStringLiteral("Click to select an existing cheque"));
    dateEdit_ = new ui::DateBox(headerGroup_);
    dateEdit_->setObjectName(QStringLiteral("DateEdit"));
    supplierEdit_ = ui::textBox(headerGroup_, "SupplierEdit", 51, 160);
    supplierButton_ =
        chqPicker(headerGroup_, "SupplierButton", QStringLiteral("View/select from supplier list"));
    supplierName_ = chqLabel(headerGroup_, QString(), nullptr, "SupplierName");
    bankCodeEdit_ = ui::textBox(headerGroup_, "BankCodeEdit", store::keys::kLongestBankCode, 80);
    bankCodeEdit_->setToolTip(
        QStringLiteral("Enter the bank code - first six characters of your bank account"));
    acctNoEdit_ = ui::textBox(headerGroup_, "AcctNoEdit", store::keys::kLongestAccountNumber, 150);
    bankAcctButton_ = chqPicker(headerGroup_, "BankAcctButton",
                                QStringLiteral("View/select from bank account list"));
    acctDesc_ = chqLabel(headerGroup_, QString(), nullptr, "AcctDesc");
    totalEdit_ = ui::figureBox(headerGroup_, "TotalEdit", 110);
    taxTotalEdit_ = ui::figureBox(headerGroup_, "TaxTotalEdit", 110);

    int row = 0;
    g->addWidget(chqLabel(headerGroup_, QStringLiteral("Cheque/Payment N&o. :"), numberEdit_), row,
                 0);
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(numberEdit_);
    numberRow->addWidget(chequeListButton_);
    numberRow->addStretch();
    g->addLayout(numberRow, row++, 1);
    g->addWidget(numberWarning_, row++, 1);
    g->addWidget(chqLabel(headerGroup_, QStringLiteral("Da&te :"), dateEdit_), row, 0);
    g->addWidget(dateEdit_, row++, 1, Qt::AlignLeft);
    g->addWidget(chqLabel(headerGroup_, QStringLiteral("S&upplier :"), supplierEdit_), row, 0);
    auto* supplierRow = new QHBoxLayout;
    supplierRow->addWidget(supplierEdit_);
    supplierRow->addWidget(supplierButton_);
    supplierRow->addWidget(supplierName_, 1);
    g->addLayout(supplierRow, row++, 1);
    g->addWidget(chqLabel(headerGroup_, QStringLiteral("&Bank Acct  :"), bankCodeEdit_), row, 0);
    auto* bankRow = new QHBoxLayout;
    bankRow->addWidget(bankCodeEdit_);
    bankRow->addWidget(acctNoEdit_);
    bankRow->addWidget(bankAcctButton_);
    bankRow->addWidget(acctDesc_, 1);
    g->addLayout(bankRow, row++, 1);
    auto* totals = new QHBoxLayout;
    totals->addWidget(chqLabel(headerGroup_, QStringLiteral("Total Amount :")));
    totals->addWidget(totalEdit_);
    totals->addSpacing(20);
    totals->addWidget(chqLabel(headerGroup_, QStringLiteral("Total  tax :")));
    totals->addWidget(taxTotalEdit_);
    totals->addStretch();
    g->addLayout(totals, row++, 0, 1, 2);

    typeGroup_ = new QGroupBox(QStringLiteral("  Payment Type  "), headerGroup_);
    typeGroup_->setObjectName(QStringLiteral("PayTypeGroup"));
    auto* types = new QVBoxLayout(typeGroup_);
    chequeRadio_ = new QRadioButton(QStringLiteral("Che&que"), typeGroup_);
    chequeRadio_->setObjectName(QStringLiteral("ChequeRadio"));
    electronicRadio_ = new QRadioButton(QStringLiteral("Electronic T&ransfer"), typeGroup_);
    electronicRadio_->setObjectName(QStringLiteral("ElectronicRadio"));
    cashRadio_ = new QRadioButton(QStringLiteral("Cas&h"), typeGroup_);
    cashRadio_->setObjectName(QStringLiteral("CashRadio"));
    for (QRadioButton* r : {chequeRadio_, electronicRadio_, cashRadio_}) types->addWidget(r);
    g->addWidget(typeGroup_, 0, 2, 4, 1);

    hdrAdd_ = chqButton(headerGroup_, "HdrAddButton", QStringLiteral("&Add"),
                        QStringLiteral("Create a new cheque"));
    hdrEdit_ = chqButton(headerGroup_, "HdrEditButton", QStringLiteral("&Edit"),
                         QStringLiteral("Change a cheque"));
    hdrSave_ = chqButton(headerGroup_, "HdrSaveButton", QStringLiteral("&Save"),
                         QStringLiteral("Save the cheque"));
    hdrCancel_ = chqButton(headerGroup_, "HdrCancelButton", QStringLiteral("&Cancel"),
                           QStringLiteral("Cancel changes"));
    hdrDelete_ = chqButton(headerGroup_, "HdrDeleteButton", QStringLiteral("&Delete"),
                           QStringLiteral("Delete the cheque"));
    paymentNavigator_ = new ui::Navigator(headerGroup_);
    paymentNavigator_->setObjectName(QStringLiteral("PaymentNavigator"));
    auto* hdrButtons = new QHBoxLayout;
    for (QPushButton* b : {hdrAdd_, hdrEdit_, hdrSave_, hdrCancel_, hdrDelete_})
        hdrButtons->addWidget(b);
    hdrButtons->addStretch();
    hdrButtons->addWidget(paymentNavigator_);
    g->addLayout(hdrButtons, row++, 0, 1, 3);
    g->setColumnStretch(1, 1);
    layout->addWidget(headerGroup_);

    // The lines. Their buttons answer F2-F6, the header's their Alt letters.
    detailGroup_ = new QGroupBox(QStringLiteral(" Details "), this);
    detailGroup_->setObjectName(QStringLiteral("DetailGroup"));
    auto* d = new QGridLayout(detailGroup_);
    purposeEdit_ = ui::textBox(detailGroup_, "PurposeEdit", store::keys::kLongestAccountCode, 120);
    ui::makeCodeBox(purposeEdit_);
    ledgerButton_ =
        chqPicker(detailGroup_, "LedgerButton", QStringLiteral("View/select from account list"));
    purposeDesc_ = chqLabel(detailGroup_, QString(), nullptr, "PurposeDesc");
    deptLabel_ = chqLabel(detailGroup_, QString(), nullptr, "DeptLabel");
    amountEdit_ = chqAmountBox(detailGroup_, "AmountEdit");
    taxEdit_ = chqAmountBox(detailGroup_, "TaxEdit");
    taxLabel_ = chqLabel(detailGroup_, QStringLiteral("Tax :"), taxEdit_, "TaxLabel");
    narrativeEdit_ = ui::textBox(detailGroup_, "NarrativeEdit", 250);
    addTaxCheck_ = new QCheckBox(QStringLiteral("Add ta&x"), detailGroup_);
    addTaxCheck_->setObjectName(QStringLiteral("AddTaxCheck"));
    row = 0;
    d->addWidget(chqLabel(detailGroup_, QStringLiteral("&Purpose  :"), purposeEdit_), row, 0);
    auto* purposeRow = new QHBoxLayout;
    purposeRow->addWidget(purposeEdit_);
    purposeRow->addWidget(ledgerButton_);
    purposeRow->addWidget(purposeDesc_, 1);
    d->addLayout(purposeRow, row++, 1, 1, 3);
    d->addWidget(deptLabel_, row++, 1, 1, 3);
    d->addWidget(chqLabel(detailGroup_, QStringLiteral("A&mount : "), amountEdit_), row, 0);
    d->addWidget(amountEdit_, row, 1, Qt::AlignLeft);
    d->addWidget(taxLabel_, row, 2, Qt::AlignRight);
    auto* taxRow = new QHBoxLayout;
    taxRow->addWidget(taxEdit_);
    taxRow->addWidget(addTaxCheck_);
    taxRow->addStretch();
    d->addLayout(taxRow, row++, 3);
    d->addWidget(chqLabel(detailGroup_, QStringLiteral("Narrat&ive :"), narrativeEdit_), row, 0);
    d->addWidget(narrativeEdit_, row++, 1, 1, 3);
    detAdd_ = chqButton(detailGroup_, "DetAddButton", QStringLiteral("Add"),
                        QStringLiteral("Create new details"));
    detEdit_ = chqButton(detailGroup_, "DetEditButton", QStringLiteral("Edit"),
                         QStringLiteral("Edit existing details"));
    detSave_ = chqButton(detailGroup_, "DetSaveButton", QStringLiteral("Save"),
                         QStringLiteral("Save details"));
    detCancel_ = chqButton(detailGroup_, "DetCancelButton", QStringLiteral("Cancel"),
                           QStringLiteral("Cancel changes"));
    detDelete_ = chqButton(detailGroup_, "DetDeleteButton", QStringLiteral("Delete"),
                           QStringLiteral("Delete current detail"));
    auto* detButtons = new QHBoxLayout;
    int key = Qt::Key_F2;
    for (QPushButton* b : {detAdd_, detEdit_, detSave_, detCancel_, detDelete_}) {
        detButtons->addWidget(b);
        auto* shortcut = new QShortcut(QKeySequence(key++), this);
        connect(shortcut, &QShortcut::activated, b, [b] {
            if (b->isVisible() && b->isEnabled()) b->click();
        });
    }
    detButtons->addStretch();
    d->addLayout(detButtons, row++, 0, 1, 4);
    d->setColumnStretch(3, 1);
    layout->addWidget(detailGroup_);

    grid_ = new ui::DataGrid(this);
    grid_->setObjectName(QStringLiteral("LineGrid"));
    layout->addWidget(grid_, 1);
    lineNavigator_ = new ui::Navigator(this);
    lineNavigator_->setObjectName(QStringLiteral("LineNavigator"));

    printButton_ = chqButton(this, "PrintButton", QStringLiteral("Print"),
                             QStringLiteral("Print cheques and their details"));
    exitButton_ = chqButton(this, "ExitButton", QStringLiteral("Exit"), QString());
    updateBalanceButton_ =
        chqButton(this, "UpdateBalanceButton", QStringLiteral("Update Ba&lance"), QString());
    cancelModeButton_ = chqButton(this, "CancelModeButton", QStringLiteral("Ca&ncel"), QString());
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lineNavigator_);
    bottom->addStretch();
    for (QPushButton* b : {printButton_, updateBalanceButton_, cancelModeButton_, exitButton_})
        bottom->addWidget(b);
    layout->addLayout(bottom);

    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    modePanel_ = new QLabel(status);
    modePanel_->setObjectName(QStringLiteral("ModePanel"));
    datePanel_ = new QLabel(status);
    datePanel_->setObjectName(QStringLiteral("DatePanel"));
    status->addWidget(modePanel_, 1);
    status->addPermanentWidget(datePanel_);
    layout->addWidget(status);
}
