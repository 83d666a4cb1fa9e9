#include "app/restorearchiveform.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "store/backup.h"
#include "store/backupmanifest.h"
#include "store/restore.h"
#include "store/table.h"
#include "ui/errorhandler.h"
#include "ui/folderchooser.h"
#include "ui/mediafolders.h"
#include "ui/messages.h"

namespace {

constexpr int kRestoreSteps = 160;

// What the chosen folder holds, in a line: the backup's date and companies.
QString backupDescription(const QString& folder) {
    const store::BackupManifest m = store::readManifest(folder);
    if (m.files.empty()) return QStringLiteral("No backup found in this folder.");
    return QStringLiteral("Backup of %1: %2")
        .arg(QLocale().toString(m.made, QLocale::ShortFormat),
             m.companies.join(QStringLiteral(", ")));
}

}  // namespace

TRestoreArchiveForm::TRestoreArchiveForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("RestoreArchiveForm"), 812) {
    setWindowTitle(QStringLiteral("Quorvel : Restoring full system"));
    FolderChooser =
        new ui::MediaFolderChooser(QStringLiteral("Select a &drive to restore from"),
                                   QStringLiteral("Select &folder to restore from"), this);
    TargetLabel = new QLabel(this);
    TargetLabel->setObjectName(QStringLiteral("TargetLabel"));
    BackupLabel = new QLabel(this);
    BackupLabel->setObjectName(QStringLiteral("BackupLabel"));
    BackupLabel->setWordWrap(true);
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    StatusLabel->setWordWrap(true);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, kRestoreSteps);
    ProgressBar->setValue(0);
    RestoreButton = new QPushButton(QStringLiteral("&Restore"), this);
    RestoreButton->setObjectName(QStringLiteral("RestoreButton"));
    RestoreButton->setEnabled(false);
    ExitButton = new QPushButton(QStringLiteral("E&xit"), this);
    ExitButton->setObjectName(QStringLiteral("ExitButton"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FolderChooser);
    layout->addWidget(TargetLabel);
    layout->addWidget(BackupLabel);
    layout->addWidget(StatusLabel);
    layout->addWidget(ProgressBar);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(RestoreButton);
    buttons->addWidget(ExitButton);
    layout->addLayout(buttons);

    connect(FolderChooser, &ui::MediaFolderChooser::folderChanged, this,
            &TRestoreArchiveForm::FolderListChange);
    connect(RestoreButton, &QPushButton::clicked, this, &TRestoreArchiveForm::RestoreButtonClick);
    connect(ExitButton, &QPushButton::clicked, this, &QDialog::close);
    resize(480, 300);
}

void TRestoreArchiveForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TRestoreArchiveForm::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) connection_.disconnect();
    ui::FormBase::hideEvent(event);
}

void TRestoreArchiveForm::FormActivate() {
    ui::guarded(this, [&] {
        connection_.connect();
        store::Table control(connection_, QStringLiteral("QVCntrl.DBF"));
        control.open();
        control.close();
        dataFolder_ = connection_.path();
        TargetLabel->setText(QStringLiteral("Restoring to : ") + dataFolder_);
        // The folder of the last backup before the home folder; removable media before both.
        const QStringList places = ui::backupPlaces(dataFolder_);
        FolderChooser->setPlaces(places);
        if (!places.isEmpty()) FolderChooser->setFolder(places.front());
    });
}

void TRestoreArchiveForm::FolderListChange(const QString& folder) {
    const QString source = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    StatusLabel->setText(QStringLiteral("Recovering from  ") + source);
    BackupLabel->setText(backupDescription(folder));
    if (!dataFolder_.isEmpty() && store::sameFolder(folder, dataFolder_)) {
        StatusLabel->setText(QStringLiteral("Cannot recover from the database folder!"));
        RestoreButton->setEnabled(false);
        return;
    }
    RestoreButton->setEnabled(QFileInfo(folder).isDir());
}

void TRestoreArchiveForm::RestoreButtonClick() {
    StatusLabel->setText(QStringLiteral("Recovering Vandrel database."));
    if (!ui::confirmOkCancel(
            this, QStringLiteral(
                      "Please make sure the correct media is installed. Click Ok to continue."))) {
        reportFailure(QStringLiteral("The restore was cancelled; nothing was replaced."), false);
        return;
    }
    ProgressBar->setValue(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const store::RestoreOutcome out = store::restoreDataFolder(
        dataFolder_, FolderChooser->folder(), [this](qint64 done, qint64 total) {
            ProgressBar->setValue(total > 0 ? int(done * kRestoreSteps / total) : kRestoreSteps);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    QApplication::restoreOverrideCursor();
    if (!out.ok()) {
        reportFailure(out.problem, out.inUse);
        return;
    }
    ProgressBar->setValue(kRestoreSteps);
    StatusLabel->setText(QStringLiteral("Recovery completed."));
}

void TRestoreArchiveForm::reportFailure(const QString& problem, bool inUse) {
    StatusLabel->setText(inUse ? QStringLiteral("Recovery failed. Was the database in use?")
                               : QStringLiteral("Recovery failed. ") + problem);
    ui::beep();
    ui::error(this, QStringLiteral("Recovery failed.\n\n") + problem);
}
