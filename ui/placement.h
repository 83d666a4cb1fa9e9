#pragma once
// Window placement: every window restores its position and size from its section of
// "NRVCash.ini" when shown and writes them back when it closes.
//
// Left/Top are the window's position including its frame (QWidget::pos(), set with move());
// Width/Height are its client size (QWidget::size(), set with resize()). Qt pairs these two
// the same way for reading and setting, so a save followed by a restore is exact.

#include <QObject>
#include <QRect>
#include <QString>

class QWidget;

namespace ui {

enum class PlacementFile {
    Program,  // the program folder's "NRVCash.ini"
    Bare      // the file an opener by bare name reaches: payment list, bank transaction list
};

QString placementFile(PlacementFile which);

// Applies Left, Top, Width and Height of the section as read, without checking them against
// the screen; a value that is missing leaves the window's current one.
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
