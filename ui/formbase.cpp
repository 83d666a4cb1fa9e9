#include "ui/formbase.h"

#include <QKeyEvent>
#include <QShortcut>
#include <QTabWidget>

#include "ui/help.h"

namespace ui {

FormBase::FormBase(QWidget* owner, const QString& section, int helpContext, PlacementFile file)
    : QDialog(owner), helpContext_(helpContext) {
    setModal(true);
    if (!section.isEmpty()) keepPlacement(this, section, file);
    // Shortcuts rather than key handling: a page's focused box would take the keys first.
    const auto pageKey = [this](QKeyCombination key, int step) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
                [this, step] { turnPage(step); });
    };
    pageKey(Qt::CTRL | Qt::Key_Tab, 1);
    pageKey(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1);
    pageKey(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1);
}

// Turns the pages holding the focus, or else the window's first visible page control, to the
// next enabled page, round from the last to the first.
void FormBase::turnPage(int step) {
    QTabWidget* tabs = nullptr;
    for (QWidget* w = focusWidget(); w && w != this && !tabs; w = w->parentWidget())
        tabs = qobject_cast<QTabWidget*>(w);
    if (!tabs)
        for (QTabWidget* t : findChildren<QTabWidget*>())
            if (t->isVisible()) {
                tabs = t;
                break;
            }
    if (!tabs || tabs->count() < 2) return;
    for (int i = 1; i < tabs->count(); ++i) {
        const int page =
            ((tabs->currentIndex() + step * i) % tabs->count() + tabs->count()) % tabs->count();
        if (tabs->isTabEnabled(page)) {
            tabs->setCurrentIndex(page);
            return;
        }
    }
}

void FormBase::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        showHelp(this, helpContext_);
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace ui
