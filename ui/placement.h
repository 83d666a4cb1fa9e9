#pragma once
// Window placement: every window restores its position and size from its section of
// "NRVCash.ini" when shown and writes them back when it closes.
//
// Left, Top, Width and Height are the window's client area on the screen, without the frame
// the window manager draws (QWidget::geometry()): the frame is not known before the window is
// first mapped, so a position that includes it would come back off by the frame's width and
// title bar. A placement that does not fit the screens is brought back onto one.

#include <QList>
#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace ui {

enum class PlacementFile {
    Program,  // the program folder's "NRVCash.ini"
    Bare      // the file an opener by bare name reaches: payment list, bank transaction list
};

QString placementFile(PlacementFile which);

// Where a window placed at `placed` (client area) goes: unchanged when it and its frame lie on
// a screen; otherwise on the screen (available areas, primary first) it overlaps most, or the
// primary one, no larger than that screen and no smaller than `minimum`, moved in just as far
// as needed.
QRect fitOnScreen(const QRect& placed, const QList<QRect>& screens, const QSize& minimum,
                  const QMargins& frame = {});

// Applies Left, Top, Width and Height of the section, brought onto the screen when they do not
// fit; a value that is missing leaves the window's current one.
void restorePlacement(QWidget* w, const QString& section,
                      PlacementFile which = PlacementFile::Program);
// Throws store::StoreError when the file cannot be written.
void savePlacement(const QWidget* w, const QString& section,
                   PlacementFile which = PlacementFile::Program);
// Creates an empty "NRVCash.ini" in the program folder when there is none.
void ensurePlacementFile();

// Restores a window's placement when it is first shown and saves it each time it closes,
// whether by close() or by a dialog's done(), which hides without a close event.
class PlacementKeeper : public QObject {
    Q_OBJECT
public:
    PlacementKeeper(QWidget* window, const QString& section, PlacementFile which);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void save();

    QWidget* window_;
    QString section_;
    PlacementFile which_;
    bool restored_ = false;
    bool savedSinceShow_ = false;
    QRect savedAs_;  // position and size last saved while shown
};

// Installs a PlacementKeeper owned by the window.
PlacementKeeper* keepPlacement(QWidget* w, const QString& section,
                               PlacementFile which = PlacementFile::Program);

}  // namespace ui
