#include "ui/focuscolour.h"

#include "ui/lazymodel.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPalette>

namespace ui {

namespace {

constexpr char kSavedPalette[] = "quorvelSavedPalette";
constexpr char kHadPalette[] = "quorvelHadPalette";

bool isEditBox(QObject* object) {
    if (qobject_cast<QAbstractSpinBox*>(object))
        return true;
    // The line edit inside a spin box is coloured through the spin box.
    auto* edit = qobject_cast<QLineEdit*>(object);
    return edit && !qobject_cast<QAbstractSpinBox*>(edit->parentWidget());
}

class FocusColour : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn && isEditBox(watched))
            colour(static_cast<QWidget*>(watched));
        else if (event->type() == QEvent::FocusOut && isEditBox(watched)
                 && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            restore(static_cast<QWidget*>(watched));
        return false;
    }

private:
    static void colour(QWidget* w) {
        if (w->property(kSavedPalette).isValid())
            return;
        w->setProperty(kHadPalette, w->testAttribute(Qt::WA_SetPalette));
        w->setProperty(kSavedPalette, QVariant::fromValue(w->palette()));
        QPalette p = w->palette();
        p.setColor(QPalette::Base, gridShadeColour());
        w->setPalette(p);
    }

    static void restore(QWidget* w) {
        const QVariant saved = w->property(kSavedPalette);
        if (!saved.isValid())
            return;
        // A box that only inherited its palette goes back to inheriting, so later changes to
        // its window's palette still reach it.
        w->setPalette(w->property(kHadPalette).toBool() ? saved.value<QPalette>() : QPalette());
        w->setProperty(kSavedPalette, QVariant());
        w->setProperty(kHadPalette, QVariant());
    }
};

}  // namespace

QObject* installFocusColour(QApplication& app) {
    auto* filter = new FocusColour(&app);
    app.installEventFilter(filter);
    return filter;
}

}  // namespace ui
