#pragma once
// The import of the program's own export files into a company chosen in the window, and the
// viewer of its error list.
#include <QStringList>
#include <functional>
#include <vector>

#include "store/connection.h"
#include "ui/formbase.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
namespace ui {
class Navigator;
}

class TImportNRVForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TImportNRVForm(QWidget* owner = nullptr);
    ~TImportNRVForm() override;

    // Asks for a file: the dialog's title and filter; an empty text when cancelled. Tests
    // replace it.
    std::function<QString(QWidget*, const QString& title, const QString& filter)> chooseFile;

    int chosenCompany() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct CompanyRow {
        int coy = 1;
        QString text;  // BUSCODE + " " + BUSNAME
    };
    void FormShow();
    void ShowCompany();
    void ImportButtonClick();
    void ErrorLogButtonClick();
    // The chosen file when its name is `name`; empty (after the message) otherwise.
    QString acceptedFile(const QString& kind, const QString& name, const QString& refusal,
                         bool* cancelled);
    bool readRecords(const QString& path, std::vector<QStringList>* records);
    void runImport(const std::vector<QStringList>* journal, const std::vector<QStringList>* bank);

    QLabel* CompanyLabel;
    ui::Navigator* CompanyNavigator;
    QProgressBar* ProgressBar;
    QPushButton* ImportButton;
    QPushButton* CancelButton;
    QPushButton* ErrorLogButton;
    QPushButton* ExitButton;

    store::Connection connection_;
    std::vector<CompanyRow> companies_;
    int companyIndex_ = 0;
    bool cancelRequested_ = false;
};

class TErrorLogForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TErrorLogForm(QWidget* owner = nullptr);
    QString errorFile;  // full path, set by the caller
    QTableWidget* grid() const { return ErrorGrid; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTableWidget* ErrorGrid;
};
