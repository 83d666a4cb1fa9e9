#pragma once
// What every window of the program shares: modal over its owner, its placement kept in
// "NRVCash.ini" under its section, F1 opening help at its context number, and Ctrl+Tab /
// Ctrl+Shift+Tab turning the pages of its tabbed pages wherever the focus is.

#include <QDialog>

#include "ui/placement.h"

namespace ui {

class FormBase : public QDialog {
    Q_OBJECT
public:
    // section: the placement section (the class name without its leading T), or empty for a
    // window that keeps no placement. helpContext: 0 for the help contents.
    FormBase(QWidget* owner, const QString& section, int helpContext = 0,
             PlacementFile file = PlacementFile::Program);

    int helpContext() const { return helpContext_; }
    void setHelpContext(int context) { helpContext_ = context; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void turnPage(int step);

    int helpContext_;
};

}  // namespace ui
