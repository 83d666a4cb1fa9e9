#include "app/dbrebuildform.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "store/error.h"
#include "store/rebuild.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"

TNRVDBRebuildForm::TNRVDBRebuildForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("NRVDBRebuildForm"), 814) {
    setWindowTitle(QStringLiteral("Optimising Quorvel Database"));
    auto* text = new QLabel(QStringLiteral("Make sure nobody else is using the system, and back up "
                                           "your data before you proceed."),
                            this);
    text->setWordWrap(true);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 70);
    ProgressBar->setValue(0);
    ProceedButton = new QPushButton(QStringLiteral("&Proceed"), this);
    ProceedButton->setObjectName(QStringLiteral("ProceedButton"));
    ExitButton = new QPushButton(QStringLiteral("E&xit"), this);
    ExitButton->setObjectName(QStringLiteral("ExitButton"));
    StatusPanel = new QLabel(this);
    StatusPanel->setObjectName(QStringLiteral("StatusPanel"));
    StatusPanel->setFrameShape(QFrame::Panel);
    StatusPanel->setFrameShadow(QFrame::Sunken);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(ProgressBar);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ProceedButton);
    buttons->addWidget(ExitButton);
    layout->addLayout(buttons);
    layout->addWidget(StatusPanel);

    connect(ProceedButton, &QPushButton::clicked, this, &TNRVDBRebuildForm::ProceedButtonClick);
    connect(ExitButton, &QPushButton::clicked, this, &QDialog::close);
    resize(400, 200);
}

void TNRVDBRebuildForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!event->spontaneous()) ui::guarded(this, [&] { connection_.connect(); });
}

void TNRVDBRebuildForm::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) connection_.disconnect();
    ui::FormBase::hideEvent(event);
}

void TNRVDBRebuildForm::ProceedButtonClick() {
    StatusPanel->setText(QStringLiteral("Please wait....rebuilding database."));
    ProgressBar->setValue(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    StatusPanel->setText(rebuild());
    QApplication::restoreOverrideCursor();
}

QString TNRVDBRebuildForm::rebuild() {
    QString file;
    try {
        // Every table first: nothing is compacted while anything has one open.
        for (const QString& name : store::databaseRebuildFiles()) {
            file = name;
            store::requireExclusiveUse(connection_, name);
            ProgressBar->setValue(ProgressBar->value() + 2);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        file = QStringLiteral("quorvel.db");
        store::compactStore(connection_);
    } catch (const store::StoreError& e) {
        ui::beep();
        ui::error(this, QStringLiteral("Rebuild failed on %1.\n\n%2").arg(file, e.text()));
        return QStringLiteral("Rebuild failed on ") + file;
    }
    ProgressBar->setValue(ProgressBar->maximum());
    return QStringLiteral("Rebuild complete: the database was checked and compacted.");
}
