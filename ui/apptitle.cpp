#include "ui/apptitle.h"

#include <QCoreApplication>

namespace ui {

namespace {
QString& title() {
    static QString t;
    return t;
}
}  // namespace

QString applicationTitle() {
    return title().isEmpty() ? QCoreApplication::applicationName() : title();
}

void setApplicationTitle(const QString& t) { title() = t; }

}  // namespace ui
