#include "ui/placement.h"

#include "store/error.h"
#include "store/inifile.h"
#include "store/paths.h"

#include <QEvent>
#include <QFile>
#include <QWidget>
#include <QtDebug>

namespace ui {

namespace {

const QString kFileName = QStringLiteral("NRVCash.ini");

QRect placementOf(const QWidget* w) { return QRect(w->pos(), w->size()); }

}  // namespace

QString placementFile(PlacementFile which)
{
    if (which == PlacementFile::Bare) return store::paths::bareIniFolder() + kFileName;
    return store::paths::programFolder() + kFileName;
}

void restorePlacement(QWidget* w, const QString& section, PlacementFile which)
{
    const store::IniFile ini(placementFile(which));
    const QPoint pos(ini.readInteger(section, QStringLiteral("Left"), w->x()),
                     ini.readInteger(section, QStringLiteral("Top"), w->y()));
    const QSize size(ini.readInteger(section, QStringLiteral("Width"), w->width()),
                     ini.readInteger(section, QStringLiteral("Height"), w->height()));
    // Moving to where it already is would still mark a dialog as placed and stop Qt from
    // centring it over its opener, so only real changes are applied.
    if (pos != w->pos()) w->move(pos);
    if (size != w->size()) w->resize(size);
}

void savePlacement(const QWidget* w, const QString& section, PlacementFile which)
{
    store::IniFile ini(placementFile(which));
    ini.writeStrings(section, {{QStringLiteral("Left"), QString::number(w->x())},
                               {QStringLiteral("Top"), QString::number(w->y())},
                               {QStringLiteral("Width"), QString::number(w->width())},
                               {QStringLiteral("Height"), QString::number(w->height())}});
}

void ensurePlacementFile()
{
    const QString path = placementFile(PlacementFile::Program);
    if (QFile::exists(path)) return;
    QFile file(path);
    // NewOnly: a file another copy created meanwhile is left as it is.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !QFile::exists(path))
        throw store::StoreError(
            QStringLiteral("Cannot create the settings file %1: %2").arg(path, file.errorString()));
}

PlacementKeeper::PlacementKeeper(QWidget* window, const QString& section, PlacementFile which)
    : QObject(window), window_(window), section_(section), which_(which)
{
}

bool PlacementKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_) return false;
    switch (event->type()) {
    case QEvent::Show:
        savedSinceShow_ = false;
        if (!restored_) {
            restored_ = true;
            try {
                restorePlacement(window_, section_, which_);
            } catch (const std::exception& e) {
                qWarning("Window placement of %s not restored: %s", qPrintable(section_),
                         e.what());
            }
        }
        break;
    case QEvent::Close:
        if (window_->isVisible()) save();
        break;
    case QEvent::Hide:
        // A dialog ended by done() hides without a close event. A close that saved already is
        // not saved twice, unless the window moved after a refused close.
        if (!event->spontaneous() && window_->isWindow() && !window_->isMinimized()
            && (!savedSinceShow_ || savedAs_ != placementOf(window_)))
            save();
        savedSinceShow_ = false;
        break;
    default:
        break;
    }
    return false;
}

void PlacementKeeper::save()
{
    try {
        savePlacement(window_, section_, which_);
        savedSinceShow_ = true;
        savedAs_ = placementOf(window_);
    } catch (const std::exception& e) {
        qWarning("Window placement of %s not saved: %s", qPrintable(section_), e.what());
    }
}

PlacementKeeper* keepPlacement(QWidget* w, const QString& section, PlacementFile which)
{
    auto* keeper = new PlacementKeeper(w, section, which);
    w->installEventFilter(keeper);
    return keeper;
}

}  // namespace ui
