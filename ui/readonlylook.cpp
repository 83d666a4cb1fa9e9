#include "ui/readonlylook.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPalette>

namespace ui {

namespace {

constexpr char kOwnPalette[] = "quorvelReadOnlyOwnPalette";

// The line edit inside a spin box follows the spin box.
bool isBox(QObject* object) {
    if (qobject_cast<QAbstractSpinBox*>(object)) return true;
    auto* edit = qobject_cast<QLineEdit*>(object);
    return edit && !qobject_cast<QAbstractSpinBox*>(edit->parentWidget());
}

bool isReadOnly(QWidget* box) {
    if (auto* edit = qobject_cast<QLineEdit*>(box)) return edit->isReadOnly();
    return static_cast<QAbstractSpinBox*>(box)->isReadOnly();
}

void applyLook(QWidget* box) {
    if (isReadOnly(box)) {
        // A palette the window gave the box itself is kept to come back to.
        if (!box->property(kOwnPalette).isValid())
            box->setProperty(kOwnPalette, box->testAttribute(Qt::WA_SetPalette)
                                              ? QVariant::fromValue(box->palette())
                                              : QVariant(false));
        QPalette p = box->palette();
        p.setColor(QPalette::Base, p.color(QPalette::Window));
        box->setPalette(p);
    } else if (const QVariant own = box->property(kOwnPalette); own.isValid()) {
        box->setPalette(own.canConvert<QPalette>() && own.typeId() == QMetaType::QPalette
                            ? own.value<QPalette>()
                            : QPalette());
        box->setProperty(kOwnPalette, QVariant());
    }
}

class ReadOnlyLook : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ReadOnlyChange && isBox(watched))
            applyLook(static_cast<QWidget*>(watched));
        return false;
    }
};

}  // namespace

QObject* installReadOnlyLook(QApplication& app) {
    auto* filter = new ReadOnlyLook(&app);
    app.installEventFilter(filter);
    return filter;
}

}  // namespace ui
