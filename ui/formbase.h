#pragma once
// What every window of the program shares: modal over its owner, its placement kept in
// "NRVCash.ini" under its section, and F1 opening help at its context number.

#include "ui/placement.h"

#include <QDialog>

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
    int helpContext_;
};

}  // namespace ui
