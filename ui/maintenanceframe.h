#pragma once
// The frame every maintenance window shares: browsing, adding and editing with their status
// texts, the New/Edit/Save/Cancel/Delete/Exit buttons enabled by mode, F2-F6 for windows that
// have them, the page control held on its page while adding or editing, and the refusal to close
// while adding or editing. A window fills in its boxes and rules through the hooks:
//
//   class TSupplierForm : public ui::MaintenanceFrame {
//       QString modeText(ui::EditMode m) const override;   // "Browsing suppliers." ...
//       bool startNew() override;     // clear the boxes, focus the first
//       bool saveRecord() override;   // call the rule; show its refusal; true when saved
//       void showCurrent() override;  // fill the boxes from the current record
//   };
//   // in the constructor, after the window's own boxes:
//   addFrame(layout, {{NewButton, "New F2"}, {EditButton, "Edit F3"}, ...});
//   useFunctionKeys();

#include <QList>
#include <QString>

#include "ui/formbase.h"

class QBoxLayout;
class QLabel;
class QPushButton;
class QTabWidget;

namespace ui {

enum class EditMode { Browsing, Adding, Editing };

class MaintenanceFrame : public FormBase {
    Q_OBJECT
public:
    enum Button { NewButton, EditButton, SaveButton, CancelButton, DeleteButton, ExitButton };
    struct ButtonSpec {
        Button button;
        QString caption;
    };

    MaintenanceFrame(QWidget* owner, const QString& section, int helpContext = 0);

    EditMode mode() const { return mode_; }
    bool browsing() const { return mode_ == EditMode::Browsing; }

    // The shared buttons; each does nothing when its button could not be pressed.
    void NewButtonClick();
    void EditButtonClick();
    void SaveButtonClick();
    void CancelButtonClick();
    void DeleteButtonClick();

protected:
    // Adds the buttons (in this order, with these captions and the object names "NewButton",
    // "EditButton", ...) and the status bar ("ModePanel", "DatePanel") below the window's boxes.
    void addFrame(QBoxLayout* layout, const QList<ButtonSpec>& buttons);
    // F2 New, F3 Edit, F4 Save, F5 Cancel, F6 Delete, wherever the focus is.
    void useFunctionKeys();
    // While adding or editing only the page showing can be selected.
    void setPageControl(QTabWidget* pages) { pages_ = pages; }
    // The warning shown when the window is closed while adding or editing.
    void setCloseRefusal(const QString& text, bool beep = true);

    QPushButton* button(Button which) const;  // nullptr when the window has no such button
    QLabel* modePanel() const { return modePanel_; }

    // Enters a mode: status text, buttons, page control, then applyMode. Save starts disabled
    // when adding and enabled when editing; setSaveAllowed follows the window's key checks.
    void setMode(EditMode mode);
    void refreshMode() { setMode(mode_); }
    void setSaveAllowed(bool allowed);

    // --- Hooks ------------------------------------------------------------------------------
    // The first time the window is shown, after the date; the buttons follow it.
    virtual void FormShow() {}
    virtual QString modeText(EditMode mode) const = 0;
    // Whether New, Edit, Delete and Save act now (tables open, the page maintained, a record).
    virtual bool canMaintain() const { return true; }
    // Enables the window's own boxes, navigators and grids for the mode.
    virtual void applyMode(EditMode) {}
    // Called once the mode is Adding or Editing; false (after telling the user why) goes back
    // to browsing and shows the current record again.
    virtual bool startNew() { return true; }
    virtual bool startEdit() { return true; }
    // True when saved: the window then browses and shows the record.
    virtual bool saveRecord() { return false; }
    virtual void cancelRecord() {}
    // Asks, runs the delete rule and shows its refusal; the record is then shown again.
    virtual void deleteRecord() {}
    virtual void showCurrent() {}
    virtual void closeTables() {}  // the window closes

    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    QList<QPushButton*> buttons_;  // by Button, nullptr where absent
    QTabWidget* pages_ = nullptr;
    QLabel* modePanel_ = nullptr;
    QLabel* datePanel_ = nullptr;
    QString closeRefusal_ = QStringLiteral("Save or cancel before exiting!");
    bool beepOnRefusal_ = true;
    EditMode mode_ = EditMode::Browsing;
    bool saveAllowed_ = false;
    bool shown_ = false;
};

}  // namespace ui
