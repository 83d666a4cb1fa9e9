#pragma once
// The full backup window: choose a folder (removable media are offered first) and back the
// whole data folder up into it. Nothing is passed; the window stays open after a backup.

#include "store/connection.h"
#include "ui/formbase.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace ui {
class MediaFolderChooser;
}

class TQVArchiveForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TQVArchiveForm(QWidget* owner = nullptr);

    ui::MediaFolderChooser* chooser() const { return FolderChooser; }

    // Input: back up as soon as the window shows when a removable medium or the last backup's
    // folder is there (the backup the main window offers at shutdown).
    bool backUpAtOnce = false;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormActivate();
    void FolderListChange(const QString& folder);
    void BackUpButtonClick();
    void runBackup(const QString& target);

    store::Connection connection_;
    QString dataFolder_;
    ui::MediaFolderChooser* FolderChooser;
    QLabel* SourceLabel;
    QLabel* SpaceLabel;
    QLabel* StatusLabel;
    QProgressBar* ProgressBar;
    QPushButton* BackUpButton;
    QPushButton* ExitButton;
};
