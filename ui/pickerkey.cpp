#include "ui/pickerkey.h"

#include <QAbstractButton>
#include <QShortcut>

namespace ui {

void openPickerWithAltDown(QWidget* box, QAbstractButton* button) {
    button->setFocusPolicy(Qt::NoFocus);
    auto* key = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Down), box);
    key->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(key, &QShortcut::activated, button, [button] {
        if (button->isEnabled()) button->click();
    });
    if (!button->toolTip().isEmpty())
        button->setToolTip(button->toolTip() + QStringLiteral(" (Alt+Down)"));
}

}  // namespace ui
