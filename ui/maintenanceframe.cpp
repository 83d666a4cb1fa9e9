#include "ui/maintenanceframe.h"

#include <QBoxLayout>
#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <iterator>

#include "store/format.h"
#include "ui/messages.h"

namespace ui {

namespace {

const char* const kButtonNames[] = {"NewButton",    "EditButton",   "SaveButton",
                                    "CancelButton", "DeleteButton", "ExitButton"};

}  // namespace

MaintenanceFrame::MaintenanceFrame(QWidget* owner, const QString& section, int helpContext)
    : FormBase(owner, section, helpContext), buttons_(std::size(kButtonNames), nullptr) {}

void MaintenanceFrame::addFrame(QBoxLayout* layout, const QList<ButtonSpec>& buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (const ButtonSpec& wanted : buttons) {
        auto* b = new QPushButton(wanted.caption, this);
        b->setObjectName(QString::fromLatin1(kButtonNames[wanted.button]));
        b->setAutoDefault(false);
        buttons_[wanted.button] = b;
        row->addWidget(b);
    }
    layout->addLayout(row);

    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(false);
    modePanel_ = new QLabel(bar);
    modePanel_->setObjectName(QStringLiteral("ModePanel"));
    modePanel_->setMinimumWidth(240);
    datePanel_ = new QLabel(bar);
    datePanel_->setObjectName(QStringLiteral("DatePanel"));
    bar->addWidget(modePanel_, 1);
    bar->addPermanentWidget(datePanel_);
    layout->addWidget(bar);

    const std::pair<Button, void (MaintenanceFrame::*)()> handlers[] = {
        {NewButton, &MaintenanceFrame::NewButtonClick},
        {EditButton, &MaintenanceFrame::EditButtonClick},
        {SaveButton, &MaintenanceFrame::SaveButtonClick},
        {CancelButton, &MaintenanceFrame::CancelButtonClick},
        {DeleteButton, &MaintenanceFrame::DeleteButtonClick}};
    for (const auto& [which, handler] : handlers)
        if (QPushButton* b = buttons_[which])
            connect(b, &QPushButton::clicked, this, [this, h = handler] { (this->*h)(); });
    if (QPushButton* exit = buttons_[ExitButton])
        connect(exit, &QPushButton::clicked, this, &QDialog::accept);
}

void MaintenanceFrame::useFunctionKeys() {
    const std::pair<Qt::Key, Button> keys[] = {{Qt::Key_F2, NewButton},
                                               {Qt::Key_F3, EditButton},
                                               {Qt::Key_F4, SaveButton},
                                               {Qt::Key_F5, CancelButton},
                                               {Qt::Key_F6, DeleteButton}};
    for (const auto& [key, which] : keys) {
        QPushButton* b = buttons_[which];
        if (!b) continue;
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, [b] {
            if (b->isEnabled()) b->click();
        });
    }
}

void MaintenanceFrame::setCloseRefusal(const QString& text, bool beep) {
    closeRefusal_ = text;
    beepOnRefusal_ = beep;
}

QPushButton* MaintenanceFrame::button(Button which) const { return buttons_[which]; }

void MaintenanceFrame::setMode(EditMode mode) {
    if (mode != mode_) saveAllowed_ = mode == EditMode::Editing;
    mode_ = mode;
    const bool browse = browsing();
    const bool maintain = canMaintain();
    auto enable = [this](Button which, bool on) {
        if (QPushButton* b = buttons_[which]) b->setEnabled(on);
    };
    enable(NewButton, browse && maintain);
    enable(EditButton, browse && maintain);
    enable(DeleteButton, browse && maintain);
    enable(ExitButton, browse);
    enable(CancelButton, !browse);
    enable(SaveButton, !browse && maintain && saveAllowed_);
    if (pages_) {
        const int current = pages_->currentIndex();
        for (int p = 0; p < pages_->count(); ++p) pages_->setTabEnabled(p, browse || p == current);
    }
    if (modePanel_) modePanel_->setText(modeText(mode));
    applyMode(mode);
}

void MaintenanceFrame::setSaveAllowed(bool allowed) {
    saveAllowed_ = allowed;
    if (QPushButton* save = buttons_[SaveButton])
        save->setEnabled(!browsing() && canMaintain() && allowed);
}

void MaintenanceFrame::NewButtonClick() {
    if (!browsing() || !canMaintain()) return;
    setMode(EditMode::Adding);
    if (!startNew()) {
        setMode(EditMode::Browsing);
        showCurrent();
    }
}

void MaintenanceFrame::EditButtonClick() {
    if (!browsing() || !canMaintain()) return;
    setMode(EditMode::Editing);
    if (!startEdit()) {
        setMode(EditMode::Browsing);
        showCurrent();
    }
}

void MaintenanceFrame::SaveButtonClick() {
    if (browsing() || !canMaintain() || !saveAllowed_) return;
    if (!saveRecord()) return;
    setMode(EditMode::Browsing);
    showCurrent();
}

void MaintenanceFrame::CancelButtonClick() {
    if (browsing()) return;
    cancelRecord();
    setMode(EditMode::Browsing);
    showCurrent();
}

void MaintenanceFrame::DeleteButtonClick() {
    if (!browsing() || !canMaintain()) return;
    deleteRecord();
    setMode(EditMode::Browsing);
    showCurrent();
}

void MaintenanceFrame::showEvent(QShowEvent* event) {
    FormBase::showEvent(event);
    if (shown_) return;
    shown_ = true;
    if (datePanel_) datePanel_->setText(store::fmt::longDate(QDate::currentDate()));
    FormShow();
    refreshMode();  // the buttons follow what FormShow opened
}

void MaintenanceFrame::done(int result) {
    if (!browsing()) {
        if (beepOnRefusal_) beep();
        warning(this, closeRefusal_);
        return;
    }
    closeTables();
    FormBase::done(result);
}

}  // namespace ui
