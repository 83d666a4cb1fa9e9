#pragma once
// The schedule of one recurring transaction definition: how it ends, how often it runs and
// whether it is active.
//
//   TRecTransDetForm w(owner);
//   w.tranLink = definition's TRANLINK;
//   w.newSchedule = true;   // right after the definition was created
//   w.setWindowTitle("Create schedule for : " + descr);
//   w.exec();
//   if (w.saved) ...        // re-read the definitions

#include "banking/recurring_definitions.h"
#include "store/connection.h"
#include "ui/maintenanceframe.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace ui {
class DateBox;
}

class TRecTransDetForm : public ui::MaintenanceFrame {
    Q_OBJECT
public:
    explicit TRecTransDetForm(QWidget* owner = nullptr);
    ~TRecTransDetForm() override;

    // Inputs.
    QString tranLink;
    bool newSchedule = false;
    // Result: a schedule was saved.
    bool saved = false;

protected:
    void FormShow() override;
    QString modeText(ui::EditMode mode) const override;
    bool canMaintain() const override { return definition_.has_value(); }
    void applyMode(ui::EditMode mode) override;
    bool saveRecord() override;
    void cancelRecord() override;
    void showCurrent() override;
    void closeTables() override;

private:
    void TypeGroupClick();
    void FrequencyGroupClick();
    void showVisibility();
    banking::ScheduleChoice choice() const;

    store::Connection connection_;
    std::optional<banking::Definition> definition_;
    bool activeTicked_ = false;  // "Active " was ticked while the window was open

    QGroupBox* typeGroup_;
    QRadioButton* contRadio_;
    QRadioButton* stopRadio_;
    QRadioButton* fixedRadio_;
    QLabel* stopDateLabel_;
    ui::DateBox* stopDateBox_;
    QLabel* numTransLabel_;
    QSpinBox* numTransSpin_;
    QGroupBox* frequencyGroup_;
    QRadioButton* monthlyRadio_;
    QRadioButton* weeklyRadio_;
    QRadioButton* twoWeeksRadio_;
    QRadioButton* threeWeeksRadio_;
    QGroupBox* dayGroup_;
    QSpinBox* daySpin_;
    QSpinBox* monthSpin_;
    QCheckBox* activeCheck_;
};
