// The frame of bank set-up: pages, shared buttons, modes.
#include "banking/bankmainform.h"

#include "store/table.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"

#include <QHBoxLayout>
#include <QLabel>
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

}  // namespace

TBankMainForm::TBankMainForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("BankMainForm"), 290) {
    setObjectName(QStringLiteral("BankMainForm"));
    setWindowTitle(QStringLiteral("Maintain Bank"));
    ctx_.connection = &connection_;
    ctx_.allowSave = [this](bool allowed) { allowSave(allowed); };
    ctx_.changed = [this] { changed = true; };

    auto* layout = new QVBoxLayout(this);
    pageControl_ = new QTabWidget(this);
    pageControl_->setObjectName(QStringLiteral("PageControl"));
    layout->addWidget(pageControl_, 1);
    addPage(new banking::BankInfoPage(ctx_), QStringLiteral("Bank Information"));
    accountsPage_ = new banking::BankAccountsPage(ctx_);
    addPage(accountsPage_, QStringLiteral("Bank Account(s)"));
    openingPage_ = new banking::OpeningBalancesPage(ctx_);
    addPage(openingPage_, QStringLiteral("Opening balances"));

    auto* buttons = new QHBoxLayout;
    newButton_ = button(this, "NewButton", QStringLiteral("&New"));
    editButton_ = button(this, "EditButton", QStringLiteral("&Edit"));
    cancelButton_ = button(this, "CancelButton", QStringLiteral("&Cancel"));
    deleteButton_ = button(this, "DeleteButton", QStringLiteral("&Delete"));
    saveButton_ = button(this, "SaveButton", QStringLiteral("&Save"));
    exitButton_ = button(this, "ExitButton", QStringLiteral("E&xit"));
    buttons->addStretch();
    for (QPushButton* b :
         {newButton_, editButton_, cancelButton_, deleteButton_, saveButton_, exitButton_})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    status_ = ledger::addStatusPanels(this, layout);

    connect(newButton_, &QPushButton::clicked, this, [this] { NewButtonClick(); });
    connect(editButton_, &QPushButton::clicked, this, [this] { EditButtonClick(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
    connect(deleteButton_, &QPushButton::clicked, this, [this] { DeleteButtonClick(); });
    connect(saveButton_, &QPushButton::clicked, this, [this] { SaveButtonClick(); });
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(pageControl_, &QTabWidget::currentChanged, this, [this](int p) { PageControlChange(p); });
    resize(720, 600);
}

TBankMainForm::~TBankMainForm() { closeTables(); }

void TBankMainForm::addPage(banking::SetupPage* page, const QString& caption) {
    pages_.push_back(page);
    pageControl_->addTab(page, caption);
}

banking::SetupPage* TBankMainForm::page() const {
    const int index = pageControl_->currentIndex();
    return index >= 0 && index < int(pages_.size()) ? pages_[size_t(index)] : nullptr;
}

int TBankMainForm::currentPage() const { return pageControl_->currentIndex(); }

void TBankMainForm::setCurrentPage(int page) { pageControl_->setCurrentIndex(page); }

void TBankMainForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TBankMainForm::FormShow() {
    ledger::showToday(status_);
    ctx_.coyActive = coyActive;
    const bool opened = ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        store::Table control(connection_, QStringLiteral("QVCntrl.DBF"));
        control.setIndexName(QStringLiteral("COYCODE"));
        control.open();
        control.first();
        if (control.hasRecord()) {
            ctx_.coy = int(control.integer("COYCODE"));
            ctx_.busCode = control.text("BUSCODE");
            ctx_.busName = control.text("BUSNAME");
            if (coyActive) setWindowTitle(QStringLiteral("Active Company is : ") + ctx_.busName);
        }
        for (banking::SetupPage* p : pages_) p->openTables();
    });
    if (!opened) ctx_.connection = nullptr;
    setMode(Mode::Browsing);
    if (!opened) {
        for (QPushButton* b : {newButton_, editButton_, deleteButton_}) b->setEnabled(false);
        return;
    }
    for (banking::SetupPage* p : pages_) p->showCurrent();
    if (pageControl_->currentIndex() != initialPage) pageControl_->setCurrentIndex(initialPage);
}

void TBankMainForm::PageControlChange(int index) {
    if (!shown_ || !ctx_.connection) return;
    if (index == OpeningPage) {
        if (!ctx_.coyActive) {
            ui::error(this, QStringLiteral("Must have an active Company!"));
            pageControl_->setCurrentIndex(shownPage_);
            return;
        }
        openingPage_->showAccount(accountsPage_->currentBankCode(), accountsPage_->currentAcctNo());
    } else if (banking::SetupPage* p = page()) {
        p->showCurrent();
    }
    shownPage_ = index;
    setMode(ctx_.mode);
}

void TBankMainForm::setMode(Mode mode) {
    ctx_.mode = mode;
    const bool browsing = mode == Mode::Browsing;
    const int current = pageControl_->currentIndex();
    for (int p = 0; p < pageControl_->count(); ++p)
        pageControl_->setTabEnabled(p, browsing || p == current);
    banking::SetupPage* shown = page();
    const bool maintained = shown && shown->maintained() && ctx_.connection;
    newButton_->setEnabled(browsing && maintained);
    editButton_->setEnabled(browsing && maintained);
    deleteButton_->setEnabled(browsing && maintained);
    exitButton_->setEnabled(browsing);
    cancelButton_->setEnabled(!browsing);
    saveButton_->setEnabled(!browsing && maintained && saveAllowed_);
    for (size_t p = 0; p < pages_.size(); ++p) pages_[p]->applyMode(int(p) == current);

    if (browsing || !shown) status_.mode->setText(QStringLiteral("Browsing."));
    else status_.mode->setText(mode == Mode::Adding ? shown->addingText() : shown->editingText());
}

void TBankMainForm::allowSave(bool allowed) {
    saveAllowed_ = allowed;
    saveButton_->setEnabled(ctx_.mode != Mode::Browsing && allowed);
}

void TBankMainForm::NewButtonClick() {
    banking::SetupPage* p = page();
    if (!p || !p->maintained() || ctx_.mode != Mode::Browsing || !ctx_.connection) return;
    saveAllowed_ = false;
    setMode(Mode::Adding);
    if (!p->startNew()) {
        setMode(Mode::Browsing);
        p->showCurrent();
    }
}

void TBankMainForm::EditButtonClick() {
    banking::SetupPage* p = page();
    if (!p || !p->maintained() || ctx_.mode != Mode::Browsing || !ctx_.connection) return;
    saveAllowed_ = false;
    setMode(Mode::Editing);
    if (!p->startEdit()) {
        setMode(Mode::Browsing);
        p->showCurrent();
    }
}

void TBankMainForm::SaveButtonClick() {
    banking::SetupPage* p = page();
    if (!p || ctx_.mode == Mode::Browsing || !saveButton_->isEnabled()) return;
    if (!p->save()) return;
    setMode(Mode::Browsing);
    p->showCurrent();
}

void TBankMainForm::CancelButtonClick() {
    banking::SetupPage* p = page();
    if (!p || ctx_.mode == Mode::Browsing) return;
    p->cancel();
    setMode(Mode::Browsing);
    p->showCurrent();
}

void TBankMainForm::DeleteButtonClick() {
    banking::SetupPage* p = page();
    if (!p || !p->maintained() || ctx_.mode != Mode::Browsing || !ctx_.connection) return;
    p->remove();
    setMode(Mode::Browsing);
}

void TBankMainForm::done(int result) {
    if (ctx_.mode != Mode::Browsing) {
        ui::beep();
        ui::warning(this, QStringLiteral("Cannot exit.  Save or cancel first!"));
        return;
    }
    closeTables();
    ui::FormBase::done(result);
}

void TBankMainForm::closeTables() {
    for (banking::SetupPage* p : pages_) p->closeTables();
    connection_.disconnect();
}
