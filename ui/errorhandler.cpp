#include "ui/errorhandler.h"

#include "store/error.h"
#include "ui/messages.h"
#include "ui/readonlylook.h"

#include <QWidget>
#include <stdexcept>

namespace ui {

namespace {

// The window a report of an event's failure belongs over.
QWidget* ownerOf(QObject* receiver) {
    if (auto* widget = qobject_cast<QWidget*>(receiver))
        return widget->window();
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

}  // namespace

QuorvelApplication::QuorvelApplication(int& argc, char** argv) : QApplication(argc, argv) {
    installReadOnlyLook(*this);
}

bool QuorvelApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reportError(ownerOf(receiver), e);
    } catch (...) {
        reportError(ownerOf(receiver), std::runtime_error("Unexpected error."));
    }
    return false;
}

QString errorText(const std::exception& e) {
    if (const auto* storeError = dynamic_cast<const store::StoreError*>(&e))
        return storeError->text();
    return QString::fromUtf8(e.what());
}

void reportError(QWidget* parent, const std::exception& e) {
    beep();
    error(parent, errorText(e));
}

}  // namespace ui
