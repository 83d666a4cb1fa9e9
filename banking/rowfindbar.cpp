#include "banking/rowfindbar.h"

#include <QDate>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "banking/bank_row_find.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"

namespace banking {

RowFindBar::RowFindBar(store::Connection& connection, ui::DataGrid& grid,
                       std::function<QString()> bankLink, QWidget* parent)
    : QWidget(parent), connection_(connection), grid_(grid), bankLink_(std::move(bankLink)) {
    setObjectName(QStringLiteral("RowFindBar"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("FindEdit"));
    edit_->setPlaceholderText(QStringLiteral("Ref. No., amount, date or narrative"));
    edit_->installEventFilter(this);
    priorButton_ = new QToolButton(this);
    priorButton_->setObjectName(QStringLiteral("FindPriorButton"));
    priorButton_->setText(QStringLiteral("Prior"));
    priorButton_->setToolTip(QStringLiteral("Find the prior row (Shift+F3)"));
    nextButton_ = new QToolButton(this);
    nextButton_->setObjectName(QStringLiteral("FindNextButton"));
    nextButton_->setText(QStringLiteral("Next"));
    nextButton_->setToolTip(QStringLiteral("Find the next row (F3)"));
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("FindStatusLabel"));
    row->addWidget(new QLabel(QStringLiteral("Find :"), this));
    row->addWidget(edit_, 1);
    row->addWidget(priorButton_);
    row->addWidget(nextButton_);
    row->addWidget(status_, 1);
    connect(edit_, &QLineEdit::returnPressed, this, [this] { findNext(); });
    connect(priorButton_, &QToolButton::clicked, this, [this] { findPrior(); });
    connect(nextButton_, &QToolButton::clicked, this, [this] { findNext(); });
    hide();
}

void RowFindBar::open() {
    show();
    edit_->setFocus();
    edit_->selectAll();
}

void RowFindBar::close() {
    hide();
    grid_.setFocus();
}

// In the box F3 finds rather than edits, so the box takes the key before the window's shortcut.
bool RowFindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool f3 = key->key() == Qt::Key_F3;
        const bool escape = key->key() == Qt::Key_Escape;
        if (f3 || escape) {
            event->accept();
            if (event->type() == QEvent::KeyPress) {
                if (escape)
                    close();
                else
                    find(!(key->modifiers() & Qt::ShiftModifier));
            }
            return event->type() == QEvent::KeyPress;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void RowFindBar::find(bool forward) {
    if (isHidden()) open();
    const auto wanted = rowFind(edit_->text(), QDate::currentDate());
    const QString link = bankLink_();
    // While an entry is being edited the grid keeps its row.
    if (!wanted || link.isEmpty() || !grid_.lazyModel() || !grid_.isEnabled()) {
        ui::beep();
        return;
    }
    const int current = grid_.currentRow();
    const qint64 from = current >= 0 ? grid_.lazyModel()->rowIdAt(current) : 0;
    std::optional<FoundRow> found;
    ui::guarded(this, [&] { found = findBankRow(connection_, link, *wanted, from, forward); });
    if (!found) {
        ui::beep();
        status_->setText(QStringLiteral("Not found."));
        return;
    }
    status_->clear();
    grid_.setCurrentRow(static_cast<int>(found->position));
}

}  // namespace banking
