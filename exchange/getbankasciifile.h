#pragma once
// The file chooser of statement import ("Finding Bank import file"): the statement files of a
// folder (the user's download folder first), the box "File to Import is :", "&Browse" for a file
// dialog over the statement kinds, "Con&firm" and "&Cancel".
//
//   TGetBankAsciiFile w(owner);
//   if (w.exec() == QDialog::Accepted) load(w.chosenPath);

#include "ui/formbase.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

class TGetBankAsciiFile : public ui::FormBase {
    Q_OBJECT
public:
    explicit TGetBankAsciiFile(QWidget* owner = nullptr);

    // Input: the folder to list first; empty: the user's download folder.
    QString folder;
    // Result after "Con&firm": the trimmed path.
    QString chosenPath;

    // The file dialog's filter.
    static QString fileFilter();
    // The folder the chooser starts in.
    static QString downloadFolder();

    void showFolder(const QString& path);
    void BrowseButtonClick();
    void ConfirmButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FileListClick(QListWidgetItem* item);

    bool shown_ = false;
    QString current_;
    QLabel* folderLabel_;
    QListWidget* fileList_;
    QLineEdit* fileEdit_;
};
