#include "app/rebuildindexform.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "store/error.h"
#include "store/rebuild.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"

TRebuildIndexForm::TRebuildIndexForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("RebuildIndexForm"), 813) {
    setWindowTitle(QStringLiteral("Rebuild Database Indexes"));
    auto* layout = new QVBoxLayout(this);
    for (const QString& line :
         {QStringLiteral("Use this form to clear up indexes that have become corrupted."),
          QStringLiteral("Make sure no one else is using the database and back it up"),
          QStringLiteral("before you start.")})
        layout->addWidget(new QLabel(line, this));
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 90);
    ProgressBar->setValue(0);
    ProgressBar->hide();
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    TableLabel = new QLabel(this);
    TableLabel->setObjectName(QStringLiteral("TableLabel"));
    OKButton = new QPushButton(QStringLiteral("&OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    CancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    ExitButton = new QPushButton(QStringLiteral("E&xit"), this);
    ExitButton->setObjectName(QStringLiteral("ExitButton"));
    layout->addSpacing(8);
    layout->addWidget(ProgressBar);
    layout->addWidget(StatusLabel);
    layout->addWidget(TableLabel);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {OKButton, CancelButton, ExitButton}) buttons->addWidget(b);
    layout->addLayout(buttons);

    connect(OKButton, &QPushButton::clicked, this, &TRebuildIndexForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ExitButton, &QPushButton::clicked, this, &QDialog::close);
    resize(420, 240);
}

void TRebuildIndexForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!event->spontaneous()) ui::guarded(this, [&] { connection_.connect(); });
}

void TRebuildIndexForm::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) connection_.disconnect();
    ui::FormBase::hideEvent(event);
}

void TRebuildIndexForm::OKButtonClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    StatusLabel->setText(QStringLiteral("Please wait...rebuilding."));
    ProgressBar->setValue(0);
    ProgressBar->show();
    bool complete = false;
    try {
        complete = runSteps() && checkStore();
        TableLabel->clear();
        StatusLabel->setText(complete ? QStringLiteral("Rebuild complete.")
                                      : QStringLiteral("Rebuild did not complete."));
    } catch (const std::exception&) {
        ui::beep();
        ui::error(this, QStringLiteral(
                            "Unable to rebuild indexes.  Make sure no one is using the database!"));
        StatusLabel->setText(QStringLiteral("Rebuild failed. Restore backups."));
    }
    QApplication::restoreOverrideCursor();
}

bool TRebuildIndexForm::runSteps() {
    for (const store::IndexRebuildStep& step : store::indexRebuildSteps()) {
        TableLabel->setText(step.label);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        try {
            store::rebuildTableIndexes(connection_, step.file);
        } catch (const store::StoreError& e) {
            TableLabel->setText(QStringLiteral("Failed!"));
            ui::error(this, step.failure + QStringLiteral("\n\n") + e.text());
            return false;
        }
        ProgressBar->setValue(std::min(ProgressBar->maximum(), ProgressBar->value() + 5));
    }
    return true;
}

bool TRebuildIndexForm::checkStore() {
    TableLabel->setText(QStringLiteral("Checking the database."));
    const QString problem = store::integrityProblem(connection_);
    if (problem.isEmpty()) return true;
    TableLabel->setText(QStringLiteral("Failed!"));
    ui::error(this,
              QStringLiteral("The database is damaged: %1\n\nRestore a backup.").arg(problem));
    return false;
}
