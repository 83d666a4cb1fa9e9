// The window frame of codes and accounts, and its "Department Setup" page.
#include "ledger/validationform.h"

#include "ledger/accounteditor.h"
#include "ledger/departments.h"
#include "store/table.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

const QString kBrowsing = QStringLiteral("Browsing departments/accounts ledger");

}  // namespace

TQVValidationForm::TQVValidationForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("QVValidationForm"), 30) {
    setObjectName(QStringLiteral("QVValidationForm"));
    setWindowTitle(QStringLiteral("Quorvel - set up "));
    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl"));
    pages_->addTab(buildDepartmentPage(), QStringLiteral("Department Setup"));
    pages_->addTab(buildAccountsPage(), QStringLiteral("Accounts"));
    layout->addWidget(pages_, 1);

    auto* buttons = new QHBoxLayout;
    newButton_ = button(this, "NewButton", QStringLiteral("&New"));
    editButton_ = button(this, "EditButton", QStringLiteral("E&dit"));
    saveButton_ = button(this, "SaveButton", QStringLiteral("&Save"));
    cancelButton_ = button(this, "CancelButton", QStringLiteral("&Cancel"));
    deleteButton_ = button(this, "DeleteButton", QStringLiteral("&Delete"));
    exitButton_ = button(this, "ExitButton", QStringLiteral("E&xit"));
    buttons->addStretch();
    for (QPushButton* b :
         {newButton_, editButton_, saveButton_, cancelButton_, deleteButton_, exitButton_})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    status_ = ledger::addStatusPanels(this, layout);

    connect(newButton_, &QPushButton::clicked, this, [this] { NewButtonClick(); });
    connect(editButton_, &QPushButton::clicked, this, [this] { EditButtonClick(); });
    connect(saveButton_, &QPushButton::clicked, this, [this] { SaveButtonClick(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
    connect(deleteButton_, &QPushButton::clicked, this, [this] { DeleteButtonClick(); });
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(pages_, &QTabWidget::currentChanged, this, [this](int page) { PageControlChange(page); });
    resize(680, 560);
}

TQVValidationForm::~TQVValidationForm() { closeTables(); }

int TQVValidationForm::currentPage() const { return pages_->currentIndex(); }

// --- The frame -----------------------------------------------------------------------------

void TQVValidationForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TQVValidationForm::FormShow() {
    ledger::showToday(status_);
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
    setMode(Mode::Browsing);
    showDepartment();
    showAccount();
    status_.mode->setText(kBrowsing);
}

void TQVValidationForm::setMode(Mode mode) {
    mode_ = mode;
    const bool browsing = mode == Mode::Browsing;
    const int page = pages_->currentIndex();
    for (int p = 0; p < pages_->count(); ++p) pages_->setTabEnabled(p, browsing || p == page);
    newButton_->setEnabled(browsing);
    editButton_->setEnabled(browsing);
    deleteButton_->setEnabled(browsing);
    exitButton_->setEnabled(browsing);
    cancelButton_->setEnabled(!browsing);
    saveButton_->setEnabled(mode == Mode::Editing);
    budgetsButton_->setEnabled(browsing);
    auditButton_->setEnabled(browsing);
    deptNavigator_->setEnabledAll(browsing);
    acctNavigator_->setEnabledAll(browsing);
    acctGrid_->setEnabled(browsing);

    const bool onDepartments = page == DepartmentPage;
    setDepartmentBoxesEnabled(!browsing && onDepartments,
                              browsing || (mode == Mode::Adding && onDepartments));
    editor_->setBoxesEnabled(!browsing && !onDepartments, mode == Mode::Adding && !onDepartments);

    if (browsing) status_.mode->setText(kBrowsing);
    else if (onDepartments)
        status_.mode->setText(mode == Mode::Adding ? QStringLiteral("Adding department/division.")
                                                   : QStringLiteral("Editing department/division."));
    else
        status_.mode->setText(mode == Mode::Adding ? QStringLiteral("Adding ledger account.")
                                                   : QStringLiteral("Editing ledger account."));
}

void TQVValidationForm::PageControlChange(int page) {
    if (page == DepartmentPage) showDepartment();
    else showAccount();
    setMode(mode_);
}

void TQVValidationForm::NewButtonClick() {
    if (!departments_ || !accounts_) return;
    setMode(Mode::Adding);
    saveButton_->setEnabled(false);
    if (currentPage() == DepartmentPage) {
        clearDepartmentBoxes();
        deptCodeEdit_->setFocus();
    } else {
        editor_->clearForNew();
        expCodeTyped_ = false;
        editor_->acctEdit()->setFocus();
    }
}

void TQVValidationForm::EditButtonClick() {
    store::Table* table = currentPage() == DepartmentPage ? departments_.get() : accounts_.get();
    if (!table || !table->hasRecord()) {
        ui::beep();
        ui::information(this, QStringLiteral("Nothing to edit...click New to add."));
        return;
    }
    if (currentPage() == AccountsPage) startAccountEdit();
    setMode(Mode::Editing);
    if (currentPage() == DepartmentPage) deptNameEdit_->setFocus();
    else editor_->findChild<QWidget*>(QStringLiteral("DescrEdit"))->setFocus();
}

void TQVValidationForm::SaveButtonClick() {
    if (mode_ == Mode::Browsing) return;
    const bool ok = currentPage() == DepartmentPage ? saveDepartment() : saveAccount();
    if (!ok) return;
    setMode(Mode::Browsing);
    if (currentPage() == DepartmentPage) showDepartment();
    else showAccount();
}

void TQVValidationForm::CancelButtonClick() {
    if (departments_) ui::guarded(this, [this] { departments_->cancel(); });
    if (accounts_) ui::guarded(this, [this] { accounts_->cancel(); });
    setMode(Mode::Browsing);
    if (currentPage() == DepartmentPage) showDepartment();
    else showAccount();
}

void TQVValidationForm::DeleteButtonClick() {
    if (mode_ != Mode::Browsing) return;
    if (!ui::confirmOkCancel(this, QStringLiteral("Please confirm deletion."))) return;
    if (currentPage() == DepartmentPage) {
        ui::guarded(this, [this] { deleteDepartment(); });
        showDepartment();
    } else {
        ui::guarded(this, [this] { deleteAccount(); });
        showAccount();
    }
}

void TQVValidationForm::done(int result) {
    if (mode_ != Mode::Browsing) {
        ui::beep();
        ui::warning(this, QStringLiteral("Save or cancel before exiting!"));
        return;
    }
    closeTables();
    ui::FormBase::done(result);
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

    QLineEdit* post1 = box("PostAddr1Edit", 25);
    QLineEdit* street1 = box("Address1Edit", 25);
    grid->addWidget(label(QStringLiteral("&Postal Address :"), post1), row, 0);
    grid->addWidget(post1, row, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("&Address :"), street1), row, 3);
    grid->addWidget(street1, row++, 4);
    QLineEdit* post2 = box("PostAddr2Edit", 25);
    QLineEdit* street2 = box("Address2Edit", 25);
    grid->addWidget(post2, row, 1, 1, 2);
    grid->addWidget(street2, row++, 4);
    QLineEdit* post3 = box("PostAddr3Edit", 25);
    QLineEdit* street3 = box("Address3Edit", 25);
    grid->addWidget(post3, row, 1, 1, 2);
    grid->addWidget(street3, row++, 4);
    QLineEdit* zone = box("PostZoneEdit", 8);
    zone->setMaximumWidth(90);
    grid->addWidget(label(QStringLiteral("Postal &Code :"), zone), row, 0);
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
    if (event->type() == QEvent::FocusOut && watched == deptBoxes_.value(QStringLiteral("ManLNameEdit")))
        ManLNameEditExit();
    return ui::FormBase::eventFilter(watched, event);
}

void TQVValidationForm::ManLNameEditExit() {
    if (mode_ == Mode::Browsing) return;
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
    if (mode_ == Mode::Adding) {
        if (code.isEmpty()) return;
        bool used = false;
        if (!ui::guarded(this, [&] { used = ledger::departmentCodeUsed(connection_, coy_, code); }))
            return;
        if (used) {
            saveButton_->setEnabled(false);
            ui::error(this, QStringLiteral("Duplicate department code!"));
        } else {
            saveButton_->setEnabled(true);
        }
        return;
    }
    if (mode_ != Mode::Browsing) return;
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
    try {
        if (mode_ == Mode::Adding) {
            const ledger::DepartmentSave result = ledger::addDepartment(*departments_, coy_, busCode_, d);
            if (result == ledger::DepartmentSave::DuplicateCode) {
                saveButton_->setEnabled(false);
                ui::error(this, QStringLiteral("Duplicate department code!"));
                return false;
            }
            if (result == ledger::DepartmentSave::EmptyCode) return false;
        } else {
            ledger::updateDepartment(*departments_, d);
        }
    } catch (const std::exception&) {
        return false;  // the record was cancelled; the mode stays
    }
    return true;
}

void TQVValidationForm::deleteDepartment() {
    if (!departments_ || !departments_->hasRecord()) return;
    const QString name = departments_->text("BUSNAME");
    if (ledger::departmentHasAccounts(connection_, coy_, departments_->text("LINKCODE"))) {
        ui::warning(this, ledger::departmentHasAccountsText(name));
        return;
    }
    departments_->remove();
}
