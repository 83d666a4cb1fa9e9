// The frame of bank set-up: its pages under the shared maintenance frame.
#include "banking/bankmainform.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include "store/table.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"

TBankMainForm::TBankMainForm(QWidget* owner)
    : ui::MaintenanceFrame(owner, QStringLiteral("BankMainForm"), 290) {
    setObjectName(QStringLiteral("BankMainForm"));
    setWindowTitle(QStringLiteral("Maintain Bank"));
    ctx_.connection = &connection_;
    ctx_.allowSave = [this](bool allowed) { setSaveAllowed(allowed); };
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
    recurringPage_ = new banking::RecurringPage(ctx_);
    addPage(recurringPage_, QStringLiteral("Recurring Transactions"));
    addFrame(layout, {{NewButton, QStringLiteral("&New")},
                      {EditButton, QStringLiteral("&Edit")},
                      {CancelButton, QStringLiteral("&Cancel")},
                      {DeleteButton, QStringLiteral("&Delete")},
                      {SaveButton, QStringLiteral("&Save")},
                      {ExitButton, QStringLiteral("E&xit")}});
    setPageControl(pageControl_);
    setCloseRefusal(QStringLiteral("Cannot exit.  Save or cancel first!"));
    connect(pageControl_, &QTabWidget::currentChanged, this,
            [this](int p) { PageControlChange(p); });
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

void TBankMainForm::FormShow() {
    ctx_.coyActive = coyActive;
    opened_ = ui::guarded(this, [this] {
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
    if (!opened_) {
        ctx_.connection = nullptr;
        return;
    }
    for (banking::SetupPage* p : pages_) p->showCurrent();
    if (pageControl_->currentIndex() != initialPage) pageControl_->setCurrentIndex(initialPage);
}

void TBankMainForm::PageControlChange(int index) {
    if (!opened_) return;
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
    refreshMode();
}

QString TBankMainForm::modeText(ui::EditMode mode) const {
    banking::SetupPage* shown = page();
    if (mode == Mode::Browsing || !shown) return QStringLiteral("Browsing.");
    return mode == Mode::Adding ? shown->addingText() : shown->editingText();
}

bool TBankMainForm::canMaintain() const {
    banking::SetupPage* shown = page();
    return shown && shown->maintained() && ctx_.connection;
}

void TBankMainForm::applyMode(ui::EditMode mode) {
    ctx_.mode = mode;
    const int current = pageControl_->currentIndex();
    for (size_t p = 0; p < pages_.size(); ++p) pages_[p]->applyMode(int(p) == current);
}

bool TBankMainForm::startNew() { return page()->startNew(); }

bool TBankMainForm::startEdit() { return page()->startEdit(); }

bool TBankMainForm::saveRecord() { return page()->save(); }

void TBankMainForm::cancelRecord() { page()->cancel(); }

void TBankMainForm::deleteRecord() { page()->remove(); }

void TBankMainForm::showCurrent() {
    if (banking::SetupPage* p = page(); p && opened_) p->showCurrent();
}

void TBankMainForm::closeTables() {
    for (banking::SetupPage* p : pages_) p->closeTables();
    connection_.disconnect();
}
