#include "ui/placement.h"

#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtDebug>
#include <algorithm>

#include "store/error.h"
#include "store/inifile.h"
#include "store/paths.h"

namespace ui {

namespace {

const QString kFileName = QStringLiteral("NRVCash.ini");

QRect placementOf(const QWidget* w) { return w->geometry(); }

qint64 overlap(const QRect& a, const QRect& b) {
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : qint64(both.width()) * both.height();
}

// Clamps v into [low, high], preferring low when the range is empty.
int clampTo(int v, int low, int high) { return std::max(low, std::min(v, high)); }

QList<QRect> availableScreens() {
    QList<QRect> screens;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screens.append(primary->availableGeometry());
    for (QScreen* s : QGuiApplication::screens())
        if (s != QGuiApplication::primaryScreen()) screens.append(s->availableGeometry());
    return screens;
}

// The frame around the window's opener, the best guess of the frame the window will get.
QMargins likelyFrame(const QWidget* w) {
    const QWidget* opener = w->parentWidget() ? w->parentWidget()->window() : nullptr;
    if (!opener || !opener->isVisible()) return {};
    const QRect outer = opener->frameGeometry(), inner = opener->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

}  // namespace

QRect fitOnScreen(const QRect& placed, const QList<QRect>& screens, const QSize& minimum,
                  const QMargins& frame) {
    if (screens.isEmpty()) return placed;
    const QRect outer = placed.marginsAdded(frame);
    for (const QRect& screen : screens)
        if (placed.width() >= minimum.width() && placed.height() >= minimum.height() &&
            screen.contains(outer))
            return placed;
    QRect screen = screens.first();
    qint64 most = 0;
    for (const QRect& s : screens)
        if (const qint64 area = overlap(s, outer); area > most) most = area, screen = s;
    const QRect room = screen.marginsRemoved(frame);
    const int width = std::min(std::max(placed.width(), minimum.width()), room.width());
    const int height = std::min(std::max(placed.height(), minimum.height()), room.height());
    return QRect(clampTo(placed.x(), room.left(), room.right() + 1 - width),
                 clampTo(placed.y(), room.top(), room.bottom() + 1 - height), width, height);
}

QString placementFile(PlacementFile which) {
    if (which == PlacementFile::Bare) return store::paths::bareIniFolder() + kFileName;
    return store::paths::programFolder() + kFileName;
}

void restorePlacement(QWidget* w, const QString& section, PlacementFile which) {
    const store::IniFile ini(placementFile(which));
    const QRect current = placementOf(w);
    // Far beyond any screen, and small enough that no rectangle arithmetic overflows.
    const auto value = [&](const char* key, int current) {
        return std::clamp(ini.readInteger(section, QLatin1String(key), current), -100000, 100000);
    };
    const QRect read(value("Left", current.x()), value("Top", current.y()),
                     value("Width", current.width()), value("Height", current.height()));
    const QSize minimum =
        w->minimumSizeHint().expandedTo(w->minimumSize()).expandedTo(QSize(120, 60));
    const QRect placed =
        read == current ? read : fitOnScreen(read, availableScreens(), minimum, likelyFrame(w));
    // Placing a window where it already is would still mark a dialog as placed and stop Qt from
    // centring it over its opener, so only real changes are applied.
    if (placed.topLeft() != current.topLeft())
        w->setGeometry(placed);
    else if (placed.size() != current.size())
        w->resize(placed.size());
}

void savePlacement(const QWidget* w, const QString& section, PlacementFile which) {
    store::IniFile ini(placementFile(which));
    const QRect r = placementOf(w);
    ini.writeStrings(section, {{QStringLiteral("Left"), QString::number(r.x())},
                               {QStringLiteral("Top"), QString::number(r.y())},
                               {QStringLiteral("Width"), QString::number(r.width())},
                               {QStringLiteral("Height"), QString::number(r.height())}});
}

void ensurePlacementFile() {
    const QString path = placementFile(PlacementFile::Program);
    if (QFile::exists(path)) return;
    QFile file(path);
    // NewOnly: a file another copy created meanwhile is left as it is.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !QFile::exists(path))
        throw store::StoreError(
            QStringLiteral("Cannot create the settings file %1: %2").arg(path, file.errorString()));
}

PlacementKeeper::PlacementKeeper(QWidget* window, const QString& section, PlacementFile which)
    : QObject(window), window_(window), section_(section), which_(which) {}

bool PlacementKeeper::eventFilter(QObject* watched, QEvent* event) {
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
            if (!event->spontaneous() && window_->isWindow() && !window_->isMinimized() &&
                (!savedSinceShow_ || savedAs_ != placementOf(window_)))
                save();
            savedSinceShow_ = false;
            break;
        default:
            break;
    }
    return false;
}

void PlacementKeeper::save() {
    try {
        savePlacement(window_, section_, which_);
        savedSinceShow_ = true;
        savedAs_ = placementOf(window_);
    } catch (const std::exception& e) {
        qWarning("Window placement of %s not saved: %s", qPrintable(section_), e.what());
    }
}

PlacementKeeper* keepPlacement(QWidget* w, const QString& section, PlacementFile which) {
    auto* keeper = new PlacementKeeper(w, section, which);
    w->installEventFilter(keeper);
    return keeper;
}

}  // namespace ui
