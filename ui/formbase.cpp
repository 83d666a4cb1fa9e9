#include "ui/formbase.h"

#include "ui/help.h"

#include <QKeyEvent>

namespace ui {

FormBase::FormBase(QWidget* owner, const QString& section, int helpContext, PlacementFile file)
    : QDialog(owner), helpContext_(helpContext) {
    setModal(true);
    if (!section.isEmpty()) keepPlacement(this, section, file);
}

void FormBase::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        showHelp(this, helpContext_);
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace ui
