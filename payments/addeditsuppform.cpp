#include "payments/addeditsuppform.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "payments/supplierlistform.h"
#include "store/table.h"
#include "ui/codebox.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"
#include "ui/opener.h"

namespace {

QLineEdit* supplierBox(QWidget* parent, const char* name, int maxLength) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    return e;
}

// Puts a label and its box in the next row of a grid, the box spanning `span` columns.
void addSupplierRow(QGridLayout* grid, int row, int column, const QString& label, QWidget* box,
                    int span = 1) {
    auto* l = new QLabel(label, box->parentWidget());
    l->setBuddy(box);
    grid->addWidget(l, row, column);
    grid->addWidget(box, row, column + 1, 1, span);
}

}  // namespace

TAddEditSuppForm::TAddEditSuppForm(QWidget* owner)
    : ui::MaintenanceFrame(owner, QStringLiteral("AddEditSuppForm")) {
    setObjectName(QStringLiteral("AddEditSuppForm"));
    setWindowTitle(QStringLiteral("Operating on suppliers to : "));
    auto* layout = new QVBoxLayout(this);
    buildBoxes(layout);
    auto* lower = new QHBoxLayout;
    buildSearch(lower);
    layout->addLayout(lower);
    addFrame(layout, {{NewButton, QStringLiteral("Add &F2")},
                      {EditButton, QStringLiteral("&Edit F3")},
                      {SaveButton, QStringLiteral("Sa&ve F4")},
                      {CancelButton, QStringLiteral("C&ancel F5")},
                      {DeleteButton, QStringLiteral("&Delete F6")},
                      {ExitButton, QStringLiteral("E&xit")}});
    useFunctionKeys();
    auto* f7 = new QShortcut(QKeySequence(Qt::Key_F7), this);
    connect(f7, &QShortcut::activated, this, [this] {
        if (importButton_->isEnabled()) importButton_->click();
    });
    // Tab goes down the boxes, then to the search and the buttons under them.
    setTabOrder(emailEdit_, searchEdit_);
    setTabOrder(searchEdit_, searchButton_);
    resize(720, sizeHint().height());
}

TAddEditSuppForm::~TAddEditSuppForm() { closeTables(); }

void TAddEditSuppForm::buildBoxes(QVBoxLayout* layout) {
    auto* grid = new QGridLayout;
    suppCodeEdit_ = supplierBox(this, "SuppCodeEdit", payments::kSupplierCodeWidth);
    ui::makeCodeBox(suppCodeEdit_);
    bankAcctEdit_ = supplierBox(this, "BankAcctEdit", 17);
    bankAcctEdit_->setInputMask(QString::fromLatin1(payments::kBankAccountMask));
    importButton_ = new QPushButton(QStringLiteral("Impo&rt F7"), this);
    importButton_->setObjectName(QStringLiteral("ImportButton"));
    importButton_->setToolTip(QStringLiteral("Import supplier of another company"));
    importButton_->setAutoDefault(false);
    addSupplierRow(grid, 0, 0, QStringLiteral("&Code :"), suppCodeEdit_);
    addSupplierRow(grid, 0, 2, QStringLiteral("Ban&k account :"), bankAcctEdit_);
    grid->addWidget(importButton_, 0, 5);

    confNameEdit_ = supplierBox(this, "ConfNameEdit", 25);
    conInitialEdit_ = supplierBox(this, "ConInitialEdit", 10);
    conLNameEdit_ = supplierBox(this, "ConLNameEdit", 40);
    addSupplierRow(grid, 1, 0, QStringLiteral("F&irst name :"), confNameEdit_);
    addSupplierRow(grid, 1, 2, QStringLiteral("I&nitial :"), conInitialEdit_);
    addSupplierRow(grid, 1, 4, QStringLiteral("&Last name :"), conLNameEdit_);

    busNameEdit_ = supplierBox(this, "BusNameEdit", 50);
    gstRegCheck_ = new QCheckBox(QStringLiteral("Registered for &G.S.T."), this);
    gstRegCheck_->setObjectName(QStringLiteral("GstRegCheck"));
    addSupplierRow(grid, 2, 0, QStringLiteral("&Business name :"), busNameEdit_, 3);
    grid->addWidget(gstRegCheck_, 2, 4, 1, 2);
    descrEdit_ = supplierBox(this, "DescrEdit", 250);
    addSupplierRow(grid, 3, 0, QStringLiteral("No&tes :"), descrEdit_, 5);

    phyAddr1Edit_ = supplierBox(this, "PhyAddr1Edit", 35);
    phyAddr2Edit_ = supplierBox(this, "PhyAddr2Edit", 35);
    phyAddr3Edit_ = supplierBox(this, "PhyAddr3Edit", 35);
    postAddr1Edit_ = supplierBox(this, "PostAddr1Edit", 35);
    postAddr2Edit_ = supplierBox(this, "PostAddr2Edit", 35);
    postAddr3Edit_ = supplierBox(this, "PostAddr3Edit", 35);
    addSupplierRow(grid, 4, 0, QStringLiteral("Ph&ysical address :"), phyAddr1Edit_, 2);
    addSupplierRow(grid, 4, 3, QStringLiteral("Po&stal address :"), postAddr1Edit_, 2);
    grid->addWidget(phyAddr2Edit_, 5, 1, 1, 2);
    grid->addWidget(postAddr2Edit_, 5, 4, 1, 2);
    grid->addWidget(phyAddr3Edit_, 6, 1, 1, 2);
    grid->addWidget(postAddr3Edit_, 6, 4, 1, 2);
    postCodeEdit_ = supplierBox(this, "PostCodeEdit", 5);
    postCodeEdit_->setMaximumWidth(70);
    addSupplierRow(grid, 7, 3, QStringLiteral("P&ost code :"), postCodeEdit_);

    phoneNoEdit_ = supplierBox(this, "PhoneNoEdit", 40);
    mobNoEdit_ = supplierBox(this, "MobNoEdit", 40);
    faxNoEdit_ = supplierBox(this, "FaxNoEdit", 40);
    emailEdit_ = supplierBox(this, "EmailEdit", 40);
    addSupplierRow(grid, 8, 0, QStringLiteral("&Phone :"), phoneNoEdit_, 2);
    addSupplierRow(grid, 8, 3, QStringLiteral("&Mobile :"), mobNoEdit_, 2);
    addSupplierRow(grid, 9, 0, QStringLiteral("Fax :"), faxNoEdit_, 2);
    addSupplierRow(grid, 9, 3, QStringLiteral("E-mail :"), emailEdit_, 2);
    layout->addLayout(grid);

    // Screen order: across each row, then down.
    const QList<QWidget*> order = {suppCodeEdit_,   bankAcctEdit_, importButton_,  confNameEdit_,
                                   conInitialEdit_, conLNameEdit_, busNameEdit_,   gstRegCheck_,
                                   descrEdit_,      phyAddr1Edit_, postAddr1Edit_, phyAddr2Edit_,
                                   postAddr2Edit_,  phyAddr3Edit_, postAddr3Edit_, postCodeEdit_,
                                   phoneNoEdit_,    mobNoEdit_,    faxNoEdit_,     emailEdit_};
    for (int i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    connect(suppCodeEdit_, &QLineEdit::textChanged, this,
            [this](const QString& t) { SuppCodeEditChange(t); });
    connect(importButton_, &QPushButton::clicked, this, [this] { ImportButtonClick(); });
}

void TAddEditSuppForm::buildSearch(QHBoxLayout* row) {
    searchGroup_ = new QGroupBox(QStringLiteral("  Search  "), this);
    searchGroup_->setObjectName(QStringLiteral("SearchGroup"));
    auto* inner = new QHBoxLayout(searchGroup_);
    searchEdit_ = supplierBox(searchGroup_, "SearchEdit", payments::kSupplierCodeWidth);
    ui::makeCodeBox(searchEdit_);
    auto* label = new QLabel(QStringLiteral("S&upplier Code :"), searchGroup_);
    label->setBuddy(searchEdit_);
    searchButton_ = new QPushButton(QStringLiteral("Searc&h"), searchGroup_);
    searchButton_->setObjectName(QStringLiteral("SearchButton"));
    searchButton_->setAutoDefault(false);
    searchResultLabel_ = new QLabel(searchGroup_);
    searchResultLabel_->setObjectName(QStringLiteral("SearchResultLabel"));
    inner->addWidget(label);
    inner->addWidget(searchEdit_);
    inner->addWidget(searchButton_);
    inner->addWidget(searchResultLabel_, 1);
    row->addWidget(searchGroup_, 1);
    navigator_ = new ui::Navigator(this);
    navigator_->setObjectName(QStringLiteral("SuppNavigator"));
    row->addWidget(navigator_);
    connect(searchButton_, &QPushButton::clicked, this, [this] { SearchButtonClick(); });
    connect(searchEdit_, &QLineEdit::returnPressed, this, [this] { SearchButtonClick(); });
    connect(navigator_, &ui::Navigator::moved, this, [this] { showCurrent(); });
}

QList<QWidget*> TAddEditSuppForm::boxes() const {
    return {suppCodeEdit_, bankAcctEdit_,  confNameEdit_,  conInitialEdit_, conLNameEdit_,
            busNameEdit_,  gstRegCheck_,   descrEdit_,     phyAddr1Edit_,   phyAddr2Edit_,
            phyAddr3Edit_, postAddr1Edit_, postAddr2Edit_, postAddr3Edit_,  postCodeEdit_,
            phoneNoEdit_,  mobNoEdit_,     faxNoEdit_,     emailEdit_};
}

void TAddEditSuppForm::FormShow() {
    saved = false;
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        coyName_ = payments::supplierCompanyName(connection_, coyNo);
        setWindowTitle(QStringLiteral("Operating on suppliers to : ") + coyName_);
        suppliers_ = std::make_unique<store::Table>(connection_, QStringLiteral("QVSupp.DBF"));
        suppliers_->setIndexName(QStringLiteral("COYNO"));
        suppliers_->open();
        suppliers_->setMasterRange(QStringLiteral("COYNO"), coyNo);
        suppliers_->first();
        if (!startSuppCoy.trimmed().isEmpty())
            suppliers_->locate(QStringLiteral("SUPPCOY"), startSuppCoy.trimmed());
        navigator_->setTable(suppliers_.get());
    });
    showCurrent();
}

QString TAddEditSuppForm::modeText(ui::EditMode mode) const {
    return mode == ui::EditMode::Adding    ? QStringLiteral("Adding supplier.")
           : mode == ui::EditMode::Editing ? QStringLiteral("Editing supplier.")
                                           : QStringLiteral("Browsing Suppliers.");
}

void TAddEditSuppForm::applyMode(ui::EditMode mode) {
    const bool browse = mode == ui::EditMode::Browsing;
    for (QWidget* box : boxes()) box->setEnabled(!browse);
    suppCodeEdit_->setEnabled(mode == ui::EditMode::Adding);
    importButton_->setEnabled(!browse && canMaintain());
    searchGroup_->setEnabled(browse);
    navigator_->setEnabledAll(browse);
}

void TAddEditSuppForm::showDetails(const payments::SupplierDetails& d, bool withGstTick) {
    suppCodeEdit_->setText(d.suppCode);
    bankAcctEdit_->setText(d.bankAcct);
    confNameEdit_->setText(d.confName);
    conInitialEdit_->setText(d.conInitial);
    conLNameEdit_->setText(d.conLName);
    busNameEdit_->setText(d.busName);
    if (withGstTick) gstRegCheck_->setChecked(d.gstReg);
    descrEdit_->setText(d.descr);
    phyAddr1Edit_->setText(d.phyAddr1);
    phyAddr2Edit_->setText(d.phyAddr2);
    phyAddr3Edit_->setText(d.phyAddr3);
    postAddr1Edit_->setText(d.postAddr1);
    postAddr2Edit_->setText(d.postAddr2);
    postAddr3Edit_->setText(d.postAddr3);
    postCodeEdit_->setText(d.postCode);
    phoneNoEdit_->setText(d.phoneNo);
    mobNoEdit_->setText(d.mobNo);
    faxNoEdit_->setText(d.faxNo);
    emailEdit_->setText(d.email);
}

payments::SupplierDetails TAddEditSuppForm::typedDetails() const {
    payments::SupplierDetails d;
    d.suppCode = suppCodeEdit_->text();
    // The masked box as shown: blanks where nothing was typed, the hyphens in place.
    d.bankAcct = bankAcctEdit_->displayText();
    d.gstReg = gstRegCheck_->isChecked();
    d.confName = confNameEdit_->text();
    d.conInitial = conInitialEdit_->text();
    d.conLName = conLNameEdit_->text();
    d.busName = busNameEdit_->text();
    d.descr = descrEdit_->text();
    d.phyAddr1 = phyAddr1Edit_->text();
    d.phyAddr2 = phyAddr2Edit_->text();
    d.phyAddr3 = phyAddr3Edit_->text();
    d.postAddr1 = postAddr1Edit_->text();
    d.postAddr2 = postAddr2Edit_->text();
    d.postAddr3 = postAddr3Edit_->text();
    d.postCode = postCodeEdit_->text();
    d.phoneNo = phoneNoEdit_->text();
    d.mobNo = mobNoEdit_->text();
    d.faxNo = faxNoEdit_->text();
    d.email = emailEdit_->text();
    return d;
}

void TAddEditSuppForm::clearBoxes() {
    showDetails(payments::SupplierDetails{}, true);
    gstRegCheck_->setChecked(false);
}

void TAddEditSuppForm::showCurrent() {
    navigator_->updateButtons();
    if (!suppliers_ || !suppliers_->hasRecord()) {
        clearBoxes();
        return;
    }
    ui::guarded(this, [this] { showDetails(payments::supplierAt(*suppliers_).details, true); });
}

bool TAddEditSuppForm::startNew() {
    showDetails(payments::SupplierDetails{}, true);  // a new supplier starts registered
    setSaveAllowed(true);
    suppCodeEdit_->setFocus();
    return true;
}

bool TAddEditSuppForm::startEdit() {
    if (!suppliers_->hasRecord()) {
        ui::beep();
        ui::information(this, QStringLiteral("No supplier record to edit."));
        return false;
    }
    bankAcctEdit_->setFocus();
    return true;
}

void TAddEditSuppForm::SuppCodeEditChange(const QString& text) {
    if (browsing()) return;
    setSaveAllowed(true);
    if (mode() != ui::EditMode::Adding || text.trimmed().isEmpty()) return;
    bool used = false;
    ui::guarded(this, [&] { used = payments::supplierCodeUsed(connection_, coyNo, text); });
    if (!used) return;
    ui::beep();
    ui::error(this, payments::supplierDuplicateText());
    setSaveAllowed(false);
}

bool TAddEditSuppForm::saveRecord() {
    const bool adding = mode() == ui::EditMode::Adding;
    const payments::SupplierDetails details = typedDetails();
    payments::SupplierSave result = payments::SupplierSave::Saved;
    // A store failure cancels the record and is shown; the user can correct and save again.
    if (!ui::guarded(this, [&] {
            result = adding ? payments::addSupplier(*suppliers_, coyNo, details)
                            : payments::updateSupplier(*suppliers_, details);
        }))
        return false;
    if (result == payments::SupplierSave::NoName) {
        ui::beep();
        ui::error(this, payments::supplierNoNameText());
        busNameEdit_->setFocus();
        return false;
    }
    if (result == payments::SupplierSave::DuplicateCode) {
        ui::beep();
        ui::error(this, payments::supplierDuplicateText());
        setSaveAllowed(false);
        suppCodeEdit_->setFocus();
        return false;
    }
    saved = true;
    return true;
}

void TAddEditSuppForm::deleteRecord() {
    payments::SupplierDelete result = payments::SupplierDelete::Deleted;
    if (!ui::guarded(this, [&] { result = payments::deleteSupplier(*suppliers_); })) return;
    if (result == payments::SupplierDelete::Deleted) return;
    ui::beep();
    ui::error(this, result == payments::SupplierDelete::NoSupplier
                        ? payments::supplierNothingToDeleteText()
                        : payments::supplierHasInvoicesText());
}

void TAddEditSuppForm::SearchButtonClick() {
    if (!browsing() || !suppliers_) return;
    const QString code = payments::storedSupplierCode(searchEdit_->text());
    if (code.isEmpty()) return;
    bool found = false;
    ui::guarded(this, [&] { found = suppliers_->locate(QStringLiteral("SUPPCODE"), code); });
    if (!found) {
        searchResultLabel_->setText(QStringLiteral("Cannot find this supplier!"));
        return;
    }
    searchResultLabel_->clear();
    showCurrent();
}

void TAddEditSuppForm::ImportButtonClick() {
    if (browsing() || !suppliers_) return;
    const std::optional<payments::SupplierChoice> choice = ui::openWindow<TSupplierListForm>(
        this,
        [this](TSupplierListForm& w) {
            w.coyNo = coyNo;
            w.typedCode = suppCodeEdit_->text();
            w.setWindowTitle(QStringLiteral("Selecting Supplier to import : ") + coyName_);
        },
        [](TSupplierListForm& w, int code) {
            return code == QDialog::Accepted ? w.choice() : std::nullopt;
        });
    if (!choice) return;
    std::optional<payments::Supplier> chosen;
    ui::guarded(this, [&] { chosen = payments::supplierByKey(connection_, choice->suppCoy()); });
    if (chosen) showDetails(chosen->details, false);
}

void TAddEditSuppForm::done(int result) {
    if (!browsing()) {
        ui::beep();
        ui::error(this, QStringLiteral("Cannot close... save or cancel!"));
        return;
    }
    ui::MaintenanceFrame::done(result);
}

void TAddEditSuppForm::closeTables() {
    navigator_->setTable(nullptr);
    suppliers_.reset();
    connection_.disconnect();
}
