#pragma once
// The restore window: choose the folder of a backup (removable media first, then the folder of
// the last backup) and bring it back into the data folder. The backup is checked whole before
// anything is replaced; every failure is reported. Nothing is passed.

#include "store/connection.h"
#include "ui/formbase.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace ui {
class MediaFolderChooser;
}

class TRestoreArchiveForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TRestoreArchiveForm(QWidget* owner = nullptr);

    ui::MediaFolderChooser* chooser() const { return FolderChooser; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormActivate();
    void FolderListChange(const QString& folder);
    void RestoreButtonClick();
    void reportFailure(const QString& problem, bool inUse);

    store::Connection connection_;
    QString dataFolder_;
    ui::MediaFolderChooser* FolderChooser;
    QLabel* TargetLabel;
    QLabel* BackupLabel;
    QLabel* StatusLabel;
    QProgressBar* ProgressBar;
    QPushButton* RestoreButton;
    QPushButton* ExitButton;
};
