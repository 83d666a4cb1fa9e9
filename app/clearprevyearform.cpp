#include "app/clearprevyearform.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "store/clearprevyears.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"

TClearPrevYearForm::TClearPrevYearForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("ClearPrevYearForm"), 815) {
    FromDate = new ui::DateBox(this);
    FromDate->setObjectName(QStringLiteral("FromDate"));
    ToDate = new ui::DateBox(this);
    ToDate->setObjectName(QStringLiteral("ToDate"));
    auto* fromLabel = new QLabel(QStringLiteral("Clear transactions &between : "), this);
    fromLabel->setBuddy(FromDate);
    auto* toLabel = new QLabel(QStringLiteral("a&nd :"), this);
    toLabel->setBuddy(ToDate);
    auto* text = new QLabel(QStringLiteral("Every company of the data folder is cleared. Make sure "
                                           "no one else is using the data, and back it up first."),
                            this);
    text->setWordWrap(true);
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    ClearButton = new QPushButton(QStringLiteral("&Clear"), this);
    ClearButton->setObjectName(QStringLiteral("ClearButton"));
    ExitButton = new QPushButton(QStringLiteral("E&xit"), this);
    ExitButton->setObjectName(QStringLiteral("ExitButton"));

    auto* grid = new QGridLayout;
    grid->addWidget(fromLabel, 0, 0);
    grid->addWidget(FromDate, 0, 1);
    grid->addWidget(toLabel, 0, 2);
    grid->addWidget(ToDate, 0, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(grid);
    layout->addWidget(StatusLabel);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ClearButton);
    buttons->addWidget(ExitButton);
    layout->addLayout(buttons);

    connect(ClearButton, &QPushButton::clicked, this, &TClearPrevYearForm::ClearButtonClick);
    connect(ExitButton, &QPushButton::clicked, this, &QDialog::close);
    resize(470, 170);
}

void TClearPrevYearForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TClearPrevYearForm::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) connection_.disconnect();
    ui::FormBase::hideEvent(event);
}

void TClearPrevYearForm::FormActivate() {
    setWindowTitle(QStringLiteral("Clearing previous year's transactions."));
    ui::guarded(this, [&] {
        connection_.connect();
        FromDate->setDateValue(store::earliestEntryDate(connection_, today));
        ToDate->setDateValue(store::defaultClearTo(today));
    });
}

bool TClearPrevYearForm::askToClear(bool* unsettledConfirmed) {
    const store::ClearRange range{FromDate->dateValue(), ToDate->dateValue()};
    if (range.from > range.to) {
        ui::beep();
        ui::error(this, QStringLiteral("The first date is after the second: nothing to clear."));
        return false;
    }
    const store::ClearCounts counts = store::countRowsToClear(connection_, range);
    if (counts.total() == 0) {
        ui::information(this, QStringLiteral("There are no transactions between these dates."));
        return false;
    }
    if (!ui::confirm(this, store::clearConfirmationText(range, counts))) return false;
    *unsettledConfirmed =
        !counts.unsettled() || ui::confirm(this, store::unsettledQuestionText(counts));
    return *unsettledConfirmed;
}

void TClearPrevYearForm::ClearButtonClick() {
    bool unsettledConfirmed = false;
    bool wanted = false;
    if (!ui::guarded(this, [&] { wanted = askToClear(&unsettledConfirmed); }) || !wanted) return;
    StatusLabel->setText(QStringLiteral("Please wait....clearing."));
    setBusy(true);
    const store::ClearOutcome out = store::clearPreviousYears(
        connection_, {FromDate->dateValue(), ToDate->dateValue()}, unsettledConfirmed);
    setBusy(false);
    if (out.ok()) {
        StatusLabel->setText(QStringLiteral("Clearing completed."));
        return;
    }
    StatusLabel->setText(QStringLiteral("Clearing failed on ") + out.failedStep + QLatin1Char('.'));
    ui::beep();
    ui::error(this, out.detail);
}

void TClearPrevYearForm::setBusy(bool busy) {
    ClearButton->setEnabled(!busy);
    ExitButton->setEnabled(!busy);
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } else {
        QApplication::restoreOverrideCursor();
    }
}
