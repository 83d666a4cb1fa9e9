#pragma once
// A box that cannot be typed into in the current mode shows the window's colour instead of the
// white of a box waiting for input, whichever window made it read-only and however.

class QApplication;
class QObject;

namespace ui {

// Watches every line edit, spin box and date box of the application for read-only changes.
// Returns the filter (owned by the application) so that it can be removed again.
QObject* installReadOnlyLook(QApplication& app);

}  // namespace ui
