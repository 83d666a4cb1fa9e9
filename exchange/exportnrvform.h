#pragma once
// Export for the accountant: the active company's transactions of a date range written in one
// of six formats into the data folder, then copied to a folder the user chooses.
#include <QDate>
#include <QStringList>

#include "store/connection.h"
#include "ui/formbase.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
namespace ui {
class DateBox;
class MediaFolderChooser;
}  // namespace ui

class TExportNRVForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TExportNRVForm(QWidget* owner = nullptr);

    int coyCode = 1;                     // set by the caller
    QDate today = QDate::currentDate();  // the dates offered at opening; tests fix it

    ui::DateBox* startDate() const { return StartDateEdit; }
    ui::DateBox* endDate() const { return EndDateEdit; }
    QStringList lastFiles() const { return files_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormShow();
    void StartDateEditChange();
    void FormatListChange(int index);
    void BalanceCheckClick(bool checked);
    void CodeEdit1Exit();
    void ExportButtonClick();
    void CopyButtonClick();
    bool codesAccepted(int format);
    QString myobCodeFile() const;

    QLabel* TitleLabel;
    ui::DateBox* StartDateEdit;
    ui::DateBox* EndDateEdit;
    QComboBox* FormatList;
    QGroupBox* CodeGroup;
    QLabel* CodeLabel1;
    QLabel* CodeLabel2;
    QLineEdit* CodeEdit1;
    QLineEdit* CodeEdit2;
    QCheckBox* BalanceCheck;
    QProgressBar* ProgressBar;
    QPushButton* ExportButton;
    QPushButton* ExitButton;
    QGroupBox* CopyPanel;
    QLabel* CopyFilesLabel;
    ui::MediaFolderChooser* CopyChooser;
    QPushButton* CopyButton;
    QPushButton* CancelCopyButton;

    store::Connection connection_;
    QString dataFolder_;
    QStringList files_;
};
