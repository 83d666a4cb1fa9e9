// The window frame of codes and accounts, and its "Department Setup" page.
#include "ledger/validationform.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ledger/accounteditor.h"
#include "ledger/departments.h"
#include "store/table.h"
#include "ui/codebox.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"

namespace {

const QString kBrowsing = QStringLiteral("Browsing departments/accounts ledger");

}  // namespace

TQVValidationForm::TQVValidationForm(QWidget* owner)
    : ui::MaintenanceFrame(owner, QStringLiteral("QVValidationForm"), 30) {
    setObjectName(QStringLiteral("QVValidationForm"));
    setWindowTitle(QStringLiteral("Quorvel - set up "));
    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl"));
    pages_->addTab(buildDepartmentPage(), QStringLiteral("Department Setup"));
    pages_->addTab(buildAccountsPage(), QStringLiteral("Accounts"));
    layout->addWidget(pages_, 1);
    addFrame(layout, {{NewButton, QStringLiteral("&New")},
                      {EditButton, QStringLiteral("E&dit")},
                      {SaveButton, QStringLiteral("&Save")},
                      {CancelButton, QStringLiteral("&Cancel")},
                      {DeleteButton, QStringLiteral("De&lete")},
                      {ExitButton, QStringLiteral("E&xit")}});
    setPageControl(pages_);
    connect(pages_, &QTabWidget::currentChanged, this,
            [this](int page) { PageControlChange(page); });
    resize(680, 560);
}

TQVValidationForm::~TQVValidationForm() { closeTables(); }

int TQVValidationForm::currentPage() const { return pages_->currentIndex(); }

// --- The frame's hooks ---------------------------------------------------------------------

void TQVValidationForm::FormShow() {
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        control_ = std::make_unique<store::Table>(connection_, QStringLiteral("QVCntrl.DBF"));
        control_->setIndexName(QStringLiteral("COYCODE"));
        control_->open();
        control_->first();
        coy_ = int(control_->integer("COYCODE"));
        busCode_ = control_->text("BUSCODE");
        setWindowTitle(control_->text("BUSNAME"));
        departments_ = std::make_unique<store::Table>(connection_, QStringLiteral("QVCoy.DBF"));
        departments_->setIndexName(QStringLiteral("COYCODE"));
        departments_->open();
        departments_->setMasterRange(QStringLiteral("COYCODE"), coy_);
        deptNavigator_->setTable(departments_.get());
        openAccounts();
    });
    pages_->setCurrentIndex(DepartmentPage);
    showDepartment();
    showAccount();
}

QString TQVValidationForm::modeText(ui::EditMode mode) const {
    if (mode == Mode::Browsing) return kBrowsing;
    if (currentPage() == DepartmentPage)
        return mode == Mode::Adding ? QStringLiteral("Adding department/division.")
                                    : QStringLiteral("Editing department/division.");
    return mode == Mode::Adding ? QStringLiteral("Adding ledger account.")
                                : QStringLiteral("Editing ledger account.");
}

void TQVValidationForm::applyMode(ui::EditMode mode) {
    const bool browse = mode == Mode::Browsing;
    budgetsButton_->setEnabled(browse);
    auditButton_->setEnabled(browse);
    deptNavigator_->setEnabledAll(browse);
    acctNavigator_->setEnabledAll(browse);
    acctGrid_->setEnabled(browse);
    const bool onDepartments = currentPage() == DepartmentPage;
    setDepartmentBoxesEnabled(!browse && onDepartments,
                              browse || (mode == Mode::Adding && onDepartments));
    editor_->setBoxesEnabled(!browse && !onDepartments, mode == Mode::Adding && !onDepartments);
}

void TQVValidationForm::PageControlChange(int) {
    showCurrent();
    refreshMode();
}

void TQVValidationForm::showCurrent() {
    if (currentPage() == DepartmentPage)
        showDepartment();
    else
        showAccount();
}

bool TQVValidationForm::startNew() {
    if (currentPage() == DepartmentPage) {
        clearDepartmentBoxes();
        deptCodeEdit_->setFocus();
    } else {
        editor_->clearForNew();
        expCodeTyped_ = false;
        editor_->acctEdit()->setFocus();
    }
    return true;
}

bool TQVValidationForm::startEdit() {
    const bool onDepartments = currentPage() == DepartmentPage;
    const store::Table& table = onDepartments ? *departments_ : *accounts_;
    if (!table.hasRecord()) {
        ui::beep();
        ui::information(this, QStringLiteral("Nothing to edit...click New to add."));
        return false;
    }
    if (onDepartments) {
        deptNameEdit_->setFocus();
    } else {
        startAccountEdit();
        editor_->findChild<QWidget*>(QStringLiteral("DescrEdit"))->setFocus();
    }
    return true;
}

bool TQVValidationForm::saveRecord() {
    return currentPage() == DepartmentPage ? saveDepartment() : saveAccount();
}

void TQVValidationForm::cancelRecord() {
    ui::guarded(this, [this] {
        departments_->cancel();
        accounts_->cancel();
    });
}

void TQVValidationForm::deleteRecord() {
    if (!ui::confirmOkCancel(this, QStringLiteral("Please confirm deletion."))) return;
    if (currentPage() == DepartmentPage)
        ui::guarded(this, [this] { deleteDepartment(); });
    else
        ui::guarded(this, [this] { deleteAccount(); });
}

void TQVValidationForm::closeTables() {
    deptNavigator_->setTable(nullptr);
    acctNavigator_->setTable(nullptr);
    acctGrid_->unbind();
    accounts_.reset();
    departments_.reset();
    control_.reset();
    connection_.disconnect();
}

// --- "Department Setup" --------------------------------------------------------------------

QWidget* TQVValidationForm::buildDepartmentPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("DepartmentPage"));
    auto* grid = new QGridLayout(page);
    auto box = [&](const char* name, int maxLength) {
        auto* e = new QLineEdit(page);
        e->setObjectName(QString::fromLatin1(name));
        e->setMaxLength(maxLength);
        deptBoxes_.insert(e->objectName(), e);
        return e;
    };
    auto label = [&](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, page);
        l->setBuddy(buddy);
        return l;
    };
    int row = 0;
    deptCodeEdit_ = box("DeptCodeEdit", 10);
    ui::makeCodeBox(deptCodeEdit_);
    deptCodeEdit_->setMaximumWidth(110);
    deptNameEdit_ = box("DeptNameEdit", 45);
    grid->addWidget(label(QStringLiteral("C&ode and Name :"), deptCodeEdit_), row, 0);
    grid->addWidget(deptCodeEdit_, row, 1);
    grid->addWidget(deptNameEdit_, row++, 2, 1, 3);

    QLineEdit* first = box("ManFNameEdit", 15);
    QLineEdit* initials = box("ManInitEdit", 4);
    initials->setMaximumWidth(50);
    QLineEdit* last = box("ManLNameEdit", 25);
    grid->addWidget(label(QStringLiteral("&Manager's Name :"), first), row, 0);
    grid->addWidget(first, row, 1);
    grid->addWidget(initials, row, 2);
    grid->addWidget(last, row++, 3, 1, 2);
    last->installEventFilter(this);

    QLineEdit* desc = box("DeptDescEdit", 100);
    grid->addWidget(label(QStringLiteral("D&escription :"), desc), row, 0);
    grid->addWidget(desc, row++, 1, 1, 4);

    // Made in typing order: Tab runs down the postal address and its code, then down the
    // street address beside it.
    QLineEdit* post1 = box("PostAddr1Edit", 25);
    QLineEdit* post2 = box("PostAddr2Edit", 25);
    QLineEdit* post3 = box("PostAddr3Edit", 25);
    QLineEdit* zone = box("PostZoneEdit", 8);
    QLineEdit* street1 = box("Address1Edit", 25);
    QLineEdit* street2 = box("Address2Edit", 25);
    QLineEdit* street3 = box("Address3Edit", 25);
    grid->addWidget(label(QStringLiteral("Postal Add&ress :"), post1), row, 0);
    grid->addWidget(post1, row, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("&Address :"), street1), row, 3);
    grid->addWidget(street1, row++, 4);
    grid->addWidget(post2, row, 1, 1, 2);
    grid->addWidget(street2, row++, 4);
    grid->addWidget(post3, row, 1, 1, 2);
    grid->addWidget(street3, row++, 4);
    zone->setMaximumWidth(90);
    grid->addWidget(label(QStringLiteral("&Postal Code :"), zone), row, 0);
    grid->addWidget(zone, row++, 1);

    QLineEdit* phone = box("PhoneNoEdit", 25);
    QLineEdit* fax = box("FaxNoEdit", 25);
    grid->addWidget(label(QStringLiteral("P&hone :"), phone), row, 0);
    grid->addWidget(phone, row, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("&Fax :"), fax), row, 3);
    grid->addWidget(fax, row++, 4);
    QLineEdit* email = box("EmailEdit", 25);
    QLineEdit* mobile = box("MobileEdit", 25);
    grid->addWidget(label(QStringLiteral("E-Ma&il :"), email), row, 0);
    grid->addWidget(email, row, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("Mo&bile :"), mobile), row, 3);
    grid->addWidget(mobile, row++, 4);
    QLineEdit* sig = box("SigNameEdit", 45);
    grid->addWidget(label(QStringLiteral("Si&gnatury :"), sig), row, 0);
    grid->addWidget(sig, row++, 1, 1, 4);

    deptGstCheck_ = new QCheckBox(QStringLiteral("Enable G.S.T. for &this department"), page);
    deptGstCheck_->setObjectName(QStringLiteral("DeptGstCheck"));
    grid->addWidget(deptGstCheck_, row++, 1, 1, 4);

    deptNavigator_ = new ui::Navigator(page);
    deptNavigator_->setObjectName(QStringLiteral("DeptNavigator"));
    deptNavigator_->setToolTip(QStringLiteral("Change departments"));
    auto* navRow = new QHBoxLayout;
    navRow->addWidget(deptNavigator_);
    navRow->addStretch();
    grid->addLayout(navRow, row++, 0, 1, 5);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 2);

    connect(deptCodeEdit_, &QLineEdit::textEdited, this,
            [this](const QString& t) { DeptCodeEditChange(t); });
    connect(deptNavigator_, &ui::Navigator::moved, this, [this] { showDepartment(); });
    return page;
}

bool TQVValidationForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut &&
        watched == deptBoxes_.value(QStringLiteral("ManLNameEdit")))
        ManLNameEditExit();
    return ui::FormBase::eventFilter(watched, event);
}

void TQVValidationForm::ManLNameEditExit() {
    if (browsing()) return;
    deptBoxes_[QStringLiteral("SigNameEdit")]->setText(
        ledger::signatory(deptBoxes_[QStringLiteral("ManFNameEdit")]->text(),
                          deptBoxes_[QStringLiteral("ManInitEdit")]->text(),
                          deptBoxes_[QStringLiteral("ManLNameEdit")]->text()));
}

void TQVValidationForm::showDepartment(bool withCode) {
    if (!departments_ || !departments_->hasRecord()) {
        const QString typed = deptCodeEdit_->text();
        clearDepartmentBoxes();
        if (!withCode) deptCodeEdit_->setText(typed);
        deptNavigator_->updateButtons();
        return;
    }
    const store::Table& t = *departments_;
    static const QList<QPair<const char*, const char*>> fields = {
        {"DeptNameEdit", "BUSNAME"},     {"ManFNameEdit", "MANFNAME"},
        {"ManInitEdit", "MANINIT"},      {"ManLNameEdit", "MANLNAME"},
        {"DeptDescEdit", "COYDESC"},     {"PostAddr1Edit", "POST_ADDR1"},
        {"PostAddr2Edit", "POST_ADDR2"}, {"PostAddr3Edit", "POST_ADDR3"},
        {"PostZoneEdit", "POSTZONE"},    {"Address1Edit", "ADDRESS1"},
        {"Address2Edit", "ADDRESS2"},    {"Address3Edit", "ADDRESS3"},
        {"PhoneNoEdit", "PHONENO"},      {"FaxNoEdit", "FAXNO"},
        {"EmailEdit", "EMAIL"},          {"MobileEdit", "MOBILE"},
        {"SigNameEdit", "SIGNAME"}};
    if (withCode) deptCodeEdit_->setText(t.text("DEPTCODE"));
    for (const auto& [box, field] : fields)
        deptBoxes_[QString::fromLatin1(box)]->setText(t.text(QString::fromLatin1(field)));
    deptGstCheck_->setChecked(t.integer("GSTENABLED") == 1);
    deptNavigator_->updateButtons();
}

void TQVValidationForm::clearDepartmentBoxes() {
    for (QLineEdit* e : std::as_const(deptBoxes_)) e->clear();
    deptGstCheck_->setChecked(false);
}

void TQVValidationForm::setDepartmentBoxesEnabled(bool enabled, bool code) {
    for (QLineEdit* e : std::as_const(deptBoxes_)) e->setEnabled(enabled);
    deptGstCheck_->setEnabled(enabled);
    deptCodeEdit_->setEnabled(code);
}

void TQVValidationForm::DeptCodeEditChange(const QString& text) {
    if (!departments_) return;
    const QString code = text.trimmed();
    if (mode() == Mode::Adding) {
        if (code.isEmpty()) return;
        bool used = false;
        if (!ui::guarded(this, [&] { used = ledger::departmentCodeUsed(connection_, coy_, code); }))
            return;
        setSaveAllowed(!used);
        if (used) ui::error(this, QStringLiteral("Duplicate department code!"));
        return;
    }
    if (!browsing()) return;
    bool found = false;
    ui::guarded(this, [&] { found = departments_->locate(QStringLiteral("DEPTCODE"), code); });
    if (found) {
        showDepartment(false);
    } else {
        deptNameEdit_->setText(QStringLiteral("Not found"));
    }
}

bool TQVValidationForm::saveDepartment() {
    ledger::DepartmentDetails d;
    d.deptCode = deptCodeEdit_->text();
    if (d.deptCode.trimmed().isEmpty()) {
        ui::information(this, QStringLiteral("Please enter a department code."));
        return false;
    }
    auto text = [this](const char* name) { return deptBoxes_[QString::fromLatin1(name)]->text(); };
    d.busName = text("DeptNameEdit");
    d.coyDesc = text("DeptDescEdit");
    d.manFName = text("ManFNameEdit");
    d.manInit = text("ManInitEdit");
    d.manLName = text("ManLNameEdit");
    d.postAddr1 = text("PostAddr1Edit");
    d.postAddr2 = text("PostAddr2Edit");
    d.postAddr3 = text("PostAddr3Edit");
    d.postZone = text("PostZoneEdit");
    d.address1 = text("Address1Edit");
    d.address2 = text("Address2Edit");
    d.address3 = text("Address3Edit");
    d.phoneNo = text("PhoneNoEdit");
    d.faxNo = text("FaxNoEdit");
    d.email = text("EmailEdit");
    d.mobile = text("MobileEdit");
    d.sigName = text("SigNameEdit");
    d.gstEnabled = deptGstCheck_->isChecked();
    ledger::DepartmentSave result = ledger::DepartmentSave::Saved;
    // A store failure cancels the record and is shown; the mode stays.
    if (!ui::guarded(this, [&] {
            if (mode() == Mode::Adding)
                result = ledger::addDepartment(*departments_, coy_, busCode_, d);
            else
                ledger::updateDepartment(*departments_, d);
        }))
        return false;
    if (result == ledger::DepartmentSave::DuplicateCode) {
        setSaveAllowed(false);
        ui::error(this, QStringLiteral("Duplicate department code!"));
    }
    return result == ledger::DepartmentSave::Saved;
}

void TQVValidationForm::deleteDepartment() {
    if (!departments_ || !departments_->hasRecord()) return;
    const QString name = departments_->text("BUSNAME");
    const auto result = ledger::deleteDepartment(connection_, coy_, departments_->text("LINKCODE"));
    if (result == ledger::DepartmentDelete::HasAccounts)
        ui::warning(this, ledger::departmentHasAccountsText(name));
    departments_->refresh();  // moves on when the department is gone
}
