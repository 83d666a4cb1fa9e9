#include "app/archiveform.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStorageInfo>
#include <QTimer>
#include <QVBoxLayout>

#include "store/backup.h"
#include "store/table.h"
#include "ui/errorhandler.h"
#include "ui/folderchooser.h"
#include "ui/mediafolders.h"
#include "ui/messages.h"

namespace {

constexpr int kArchiveSteps = 92;

QString archiveTarget(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

}  // namespace

TQVArchiveForm::TQVArchiveForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("QVArchiveForm"), 811) {
    setWindowTitle(QStringLiteral("Quorvel - Backing up complete system"));
    FolderChooser =
        new ui::MediaFolderChooser(QStringLiteral("Select a &drive to save to"),
                                   QStringLiteral("Select a &folder to save to."), this);
    SourceLabel = new QLabel(this);
    SourceLabel->setObjectName(QStringLiteral("SourceLabel"));
    SpaceLabel = new QLabel(this);
    SpaceLabel->setObjectName(QStringLiteral("SpaceLabel"));
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    StatusLabel->setWordWrap(true);
    auto* help = new QLabel(
        QStringLiteral("The backup goes whole into the folder you choose, such as a USB stick: "
                       "one folder holds it all, so no set of disks is needed."),
        this);
    help->setObjectName(QStringLiteral("HelpLabel"));
    help->setWordWrap(true);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, kArchiveSteps);
    ProgressBar->setValue(0);
    BackUpButton = new QPushButton(QStringLiteral("&Back Up"), this);
    BackUpButton->setObjectName(QStringLiteral("BackUpButton"));
    BackUpButton->setDefault(true);
    BackUpButton->setEnabled(false);
    ExitButton = new QPushButton(QStringLiteral("E&xit"), this);
    ExitButton->setObjectName(QStringLiteral("ExitButton"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FolderChooser);
    layout->addWidget(SourceLabel);
    layout->addWidget(SpaceLabel);
    layout->addWidget(help);
    layout->addWidget(StatusLabel);
    layout->addWidget(ProgressBar);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BackUpButton);
    buttons->addWidget(ExitButton);
    layout->addLayout(buttons);

    connect(FolderChooser, &ui::MediaFolderChooser::folderChanged, this,
            &TQVArchiveForm::FolderListChange);
    connect(BackUpButton, &QPushButton::clicked, this, &TQVArchiveForm::BackUpButtonClick);
    connect(ExitButton, &QPushButton::clicked, this, &QDialog::close);
    resize(480, 330);
}

void TQVArchiveForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TQVArchiveForm::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) connection_.disconnect();
    ui::FormBase::hideEvent(event);
}

void TQVArchiveForm::FormActivate() {
    BackUpButton->setEnabled(false);
    ui::guarded(this, [&] {
        connection_.connect();
        store::Table control(connection_, QStringLiteral("QVCntrl.DBF"));
        control.open();
        control.close();
        dataFolder_ = connection_.path();
        SourceLabel->setText(QStringLiteral("Source Database is : ") + dataFolder_);
        const QStringList places = ui::backupPlaces(dataFolder_);
        FolderChooser->setPlaces(places);
        // Removable media come first: a stick plugged in is the folder offered.
        const QString preferred = ui::preferredBackupFolder(dataFolder_);
        if (!preferred.isEmpty())
            FolderChooser->setFolder(preferred);
        else if (!places.isEmpty())
            FolderChooser->setFolder(places.front());
        if (backUpAtOnce && !preferred.isEmpty() && BackUpButton->isEnabled())
            QTimer::singleShot(0, this, &TQVArchiveForm::BackUpButtonClick);
    });
}

void TQVArchiveForm::FolderListChange(const QString& folder) {
    const QString target = archiveTarget(folder);
    StatusLabel->setText(QStringLiteral("Archiving to ") + target);
    const QStorageInfo volume(folder);
    SpaceLabel->setText(QStringLiteral("Space on drive is...%1Kbytes.")
                            .arg(volume.isValid() ? volume.bytesAvailable() / 1024 : 0));
    if (!dataFolder_.isEmpty() && store::sameFolder(folder, dataFolder_)) {
        StatusLabel->setText(QStringLiteral("Cannot archive to the same folder as the database!"));
        BackUpButton->setEnabled(false);
        return;
    }
    BackUpButton->setEnabled(QFileInfo(folder).isDir() && QFileInfo(folder).isReadable());
}

void TQVArchiveForm::BackUpButtonClick() {
    const QString target = FolderChooser->folder();
    if (target.isEmpty() || !QFileInfo(target).isDir()) {
        ui::error(this, QStringLiteral(
                            "There's a problem.  Make sure both lists show the correct drive."));
        return;
    }
    if (store::sameFolder(target, dataFolder_)) {
        ui::error(this, QStringLiteral(
                            "Cannot archive to same folder as database. Please change folder."));
        return;
    }
    StatusLabel->setText(QStringLiteral("Archiving. Please wait."));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    runBackup(target);
    QApplication::restoreOverrideCursor();
}

void TQVArchiveForm::runBackup(const QString& target) {
    ProgressBar->setValue(0);
    StatusLabel->setText(QStringLiteral("Please wait...archiving. "));
    QApplication::processEvents();
    const store::BackupOutcome out =
        store::backupDataFolder(dataFolder_, target, [this](qint64 done, qint64 total) {
            ProgressBar->setValue(total > 0 ? int(done * kArchiveSteps / total) : kArchiveSteps);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    if (out.ok) {
        ProgressBar->setValue(kArchiveSteps);
        StatusLabel->setText(QStringLiteral("Archive finished successfully."));
        return;
    }
    StatusLabel->setText(QStringLiteral("Archive failed!"));
    ui::beep();
    ui::error(this, QStringLiteral("Unable to proceed with archive! Failed on ") + out.failedOn +
                        QStringLiteral("\n\n") + out.detail);
}
