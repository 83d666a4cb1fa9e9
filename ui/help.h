#pragma once
// Help pages shipped beside the program, one per help context number.

#include <QString>

class QWidget;

namespace ui {

// The page of a context number: share/help/<number>.html (index.html for 0).
QString helpPagePath(int context);
// Shows the help window at the page of the context number.
void showHelp(QWidget* parent, int context);

}  // namespace ui
