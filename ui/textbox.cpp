#include "ui/textbox.h"

#include <QLineEdit>

namespace ui {

QLineEdit* textBox(QWidget* parent, const char* name, int maxLength, int width) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    if (width > 0) e->setFixedWidth(width);
    return e;
}

QLineEdit* figureBox(QWidget* parent, const char* name, int width) {
    auto* e = textBox(parent, name, 20, width);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setAlignment(Qt::AlignRight);
    return e;
}

}  // namespace ui
