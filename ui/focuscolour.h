#pragma once
// The edit box that has the focus takes the grid's light blue, so the user sees where typing goes.

class QApplication;
class QObject;

namespace ui {

// Installs the colouring for every line edit, spin box and date box of the application.
// Returns the filter (owned by the application) so that it can be removed again.
QObject* installFocusColour(QApplication& app);

}  // namespace ui
