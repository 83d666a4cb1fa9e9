// The schedule window of a recurring transaction definition.
#include "banking/rectransdetform.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"

namespace {

QRadioButton* scheduleRadio(QWidget* parent, const char* name, const QString& caption) {
    auto* r = new QRadioButton(caption, parent);
    r->setObjectName(QString::fromLatin1(name));
    return r;
}

QSpinBox* scheduleSpin(QWidget* parent, const char* name, int low, int high) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(low, high);
    return s;
}

}  // namespace

TRecTransDetForm::TRecTransDetForm(QWidget* owner)
    : ui::MaintenanceFrame(owner, QStringLiteral("RecTransDetForm")) {
    setObjectName(QStringLiteral("RecTransDetForm"));
    setWindowTitle(QStringLiteral("Maintain recurring transaction details"));
    auto* layout = new QVBoxLayout(this);

    typeGroup_ = new QGroupBox(QStringLiteral(" Transaction Type "), this);
    typeGroup_->setObjectName(QStringLiteral("TypeGroup"));
    contRadio_ = scheduleRadio(typeGroup_, "ContRadio", QStringLiteral("&No set end"));
    stopRadio_ = scheduleRadio(typeGroup_, "StopRadio", QStringLiteral("Set s&top Date"));
    fixedRadio_ =
        scheduleRadio(typeGroup_, "FixedRadio", QStringLiteral("&Fixed number of transactions"));
    stopDateBox_ = new ui::DateBox(typeGroup_);
    stopDateBox_->setObjectName(QStringLiteral("StopDateBox"));
    stopDateLabel_ = new QLabel(QStringLiteral("Sto&p Date :"), typeGroup_);
    stopDateLabel_->setBuddy(stopDateBox_);
    numTransSpin_ = scheduleSpin(typeGroup_, "NumTransSpin", 1, banking::kMostTransactions);
    numTransLabel_ = new QLabel(QStringLiteral("N&umber of Transactions : "), typeGroup_);
    numTransLabel_->setBuddy(numTransSpin_);
    auto* typeGrid = new QGridLayout(typeGroup_);
    typeGrid->addWidget(contRadio_, 0, 0);
    typeGrid->addWidget(stopRadio_, 1, 0);
    typeGrid->addWidget(stopDateLabel_, 1, 1);
    typeGrid->addWidget(stopDateBox_, 1, 2);
    typeGrid->addWidget(fixedRadio_, 2, 0);
    typeGrid->addWidget(numTransLabel_, 2, 1);
    typeGrid->addWidget(numTransSpin_, 2, 2);
    layout->addWidget(typeGroup_);

    frequencyGroup_ = new QGroupBox(QStringLiteral(" Run Frequency "), this);
    frequencyGroup_->setObjectName(QStringLiteral("FrequencyGroup"));
    monthlyRadio_ = scheduleRadio(frequencyGroup_, "MonthlyRadio",
                                  QStringLiteral("Specify which &date of month"));
    weeklyRadio_ = scheduleRadio(frequencyGroup_, "WeeklyRadio", QStringLiteral("&Weekly"));
    twoWeeksRadio_ =
        scheduleRadio(frequencyGroup_, "TwoWeeksRadio", QStringLiteral("Every tw&o weeks"));
    threeWeeksRadio_ =
        scheduleRadio(frequencyGroup_, "ThreeWeeksRadio", QStringLiteral("Every t&hree weeks"));
    auto* frequencyBox = new QVBoxLayout(frequencyGroup_);
    for (QRadioButton* r : {monthlyRadio_, weeklyRadio_, twoWeeksRadio_, threeWeeksRadio_})
        frequencyBox->addWidget(r);
    layout->addWidget(frequencyGroup_);

    dayGroup_ = new QGroupBox(QStringLiteral(" Which day of which month "), this);
    dayGroup_->setObjectName(QStringLiteral("DayGroup"));
    daySpin_ = scheduleSpin(dayGroup_, "DaySpin", 1, 31);
    monthSpin_ = scheduleSpin(dayGroup_, "MonthSpin", 1, 12);
    auto* everyLabel = new QLabel(QStringLiteral("Ever&y  "), dayGroup_);
    everyLabel->setBuddy(daySpin_);
    auto* eachLabel = new QLabel(QStringLiteral("day of e&ach "), dayGroup_);
    eachLabel->setBuddy(monthSpin_);
    auto* dayRow = new QHBoxLayout(dayGroup_);
    dayRow->addWidget(everyLabel);
    dayRow->addWidget(daySpin_);
    dayRow->addWidget(eachLabel);
    dayRow->addWidget(monthSpin_);
    dayRow->addWidget(new QLabel(QStringLiteral("Month(s)"), dayGroup_));
    dayRow->addStretch();
    layout->addWidget(dayGroup_);

    activeCheck_ = new QCheckBox(QStringLiteral("Acti&ve "), this);
    activeCheck_->setObjectName(QStringLiteral("ActiveCheck"));
    layout->addWidget(activeCheck_);
    layout->addStretch();
    addFrame(layout, {{EditButton, QStringLiteral("&Edit")},
                      {CancelButton, QStringLiteral("&Cancel")},
                      {SaveButton, QStringLiteral("&Save")},
                      {ExitButton, QStringLiteral("E&xit")}});
    setCloseRefusal(QStringLiteral("Save or cancel before exiting!"));

    for (QRadioButton* r : {contRadio_, stopRadio_, fixedRadio_})
        connect(r, &QRadioButton::clicked, this, [this] { TypeGroupClick(); });
    for (QRadioButton* r : {monthlyRadio_, weeklyRadio_, twoWeeksRadio_, threeWeeksRadio_})
        connect(r, &QRadioButton::toggled, this, [this] { showVisibility(); });
    connect(activeCheck_, &QCheckBox::clicked, this, [this](bool on) {
        if (on) activeTicked_ = true;
    });
    showVisibility();
    resize(460, 420);
}

TRecTransDetForm::~TRecTransDetForm() { closeTables(); }

void TRecTransDetForm::FormShow() {
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        definition_ = banking::findDefinition(connection_, tranLink);
    });
    showCurrent();
    if (newSchedule && definition_) {
        setMode(ui::EditMode::Adding);
        setSaveAllowed(true);
        contRadio_->setChecked(true);
        showVisibility();
    }
}

QString TRecTransDetForm::modeText(ui::EditMode mode) const {
    switch (mode) {
        case ui::EditMode::Browsing:
            return QStringLiteral("Browsing.");
        case ui::EditMode::Editing:
            return QStringLiteral("Editing Transaction Schedule.");
        case ui::EditMode::Adding:
            return QStringLiteral("Creating New Transaction Schedule.");
    }
    return {};
}

void TRecTransDetForm::applyMode(ui::EditMode mode) {
    const bool editable = mode != ui::EditMode::Browsing;
    for (QWidget* w :
         std::initializer_list<QWidget*>{typeGroup_, frequencyGroup_, dayGroup_, activeCheck_})
        w->setEnabled(editable);
    if (editable) activeTicked_ = false;
}

void TRecTransDetForm::showCurrent() {
    if (!definition_) return;
    const banking::Definition& d = *definition_;
    const auto rule = banking::endRuleOf(d.type);
    contRadio_->setChecked(rule == banking::EndRule::Continuous);
    stopRadio_->setChecked(rule == banking::EndRule::StopDate);
    fixedRadio_->setChecked(rule == banking::EndRule::FixedNumber);
    if (!rule) {
        // A schedule never completed shows no type; the group clears its choice.
        for (QRadioButton* r : {contRadio_, stopRadio_, fixedRadio_}) {
            r->setAutoExclusive(false);
            r->setChecked(false);
            r->setAutoExclusive(true);
        }
    }
    stopDateBox_->setDateValue(d.finDate.isValid() ? d.finDate : QDate::currentDate());
    numTransSpin_->setValue(d.numTrans);
    const int weekly = d.frequency.weekly;
    monthlyRadio_->setChecked(weekly == 0);
    weeklyRadio_->setChecked(weekly == 1);
    twoWeeksRadio_->setChecked(weekly == 2);
    threeWeeksRadio_->setChecked(weekly == 3);
    daySpin_->setValue(d.frequency.runDay);
    monthSpin_->setValue(d.frequency.runMonths);
    activeCheck_->setChecked(d.active);
    showVisibility();
}

void TRecTransDetForm::TypeGroupClick() {
    if (stopRadio_->isChecked()) stopDateBox_->setDateValue(QDate::currentDate());
    showVisibility();
}

void TRecTransDetForm::showVisibility() {
    stopDateLabel_->setVisible(stopRadio_->isChecked());
    stopDateBox_->setVisible(stopRadio_->isChecked());
    numTransLabel_->setVisible(fixedRadio_->isChecked());
    numTransSpin_->setVisible(fixedRadio_->isChecked());
    dayGroup_->setVisible(monthlyRadio_->isChecked());
}

banking::ScheduleChoice TRecTransDetForm::choice() const {
    banking::ScheduleChoice c;
    c.rule = stopRadio_->isChecked()    ? banking::EndRule::StopDate
             : fixedRadio_->isChecked() ? banking::EndRule::FixedNumber
                                        : banking::EndRule::Continuous;
    c.stopDate = stopDateBox_->dateValue();
    c.numTrans = numTransSpin_->value();
    c.frequency.weekly = weeklyRadio_->isChecked()       ? 1
                         : twoWeeksRadio_->isChecked()   ? 2
                         : threeWeeksRadio_->isChecked() ? 3
                                                         : 0;
    c.frequency.runDay = daySpin_->value();
    c.frequency.runMonths = monthSpin_->value();
    c.active = activeCheck_->isChecked();
    return c;
}

bool TRecTransDetForm::saveRecord() {
    const banking::ScheduleChoice c = choice();
    if (const QString problem = banking::scheduleProblem(c); !problem.isEmpty()) {
        ui::beep();
        ui::error(this, problem);
        return false;
    }
    // Re-activating restarts the count of runs; so does a new schedule.
    const bool restart =
        mode() == ui::EditMode::Adding || (activeTicked_ && c.active && definition_->transNo > 0);
    if (!ui::guarded(this, [&] {
            banking::saveSchedule(connection_, definition_->tranLink, c, restart);
            definition_ = banking::findDefinition(connection_, definition_->tranLink);
        }))
        return false;
    saved = true;
    newSchedule = false;
    return true;
}

void TRecTransDetForm::cancelRecord() {
    if (mode() == ui::EditMode::Adding) {
        ui::beep();
        ui::error(this, QStringLiteral("Must complete the schedule, or delete entry!"));
        newSchedule = false;
    }
}

void TRecTransDetForm::closeTables() { connection_.disconnect(); }
