#pragma once
// The frame every picker shares: a grid, a navigator under it, "Select" (the default button,
// also a double-click), any buttons of the picker's own, and "Close".

#include "ui/formbase.h"

class QHBoxLayout;
class QPushButton;

namespace ui {

class DataGrid;
class Navigator;

class PickerForm : public FormBase {
    Q_OBJECT
public:
    PickerForm(QWidget* owner, const QString& section, int helpContext, const QString& gridName,
               const QString& navigatorName);

    virtual void SelectButtonClick() = 0;

protected:
    // Runs once, when the window is first shown.
    virtual void FormShow() = 0;
    void showEvent(QShowEvent* event) override;

    // A button of the picker's own, placed before "Close".
    QPushButton* addButton(const QString& objectName, const QString& caption);

    DataGrid* grid_;
    Navigator* navigator_;
    QPushButton* selectButton_;

private:
    QHBoxLayout* buttons_;
    bool shown_ = false;
};

}  // namespace ui
