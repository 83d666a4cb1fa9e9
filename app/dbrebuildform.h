#pragma once
// The database rebuild: with exclusive use of the data, the store is checked and compacted so
// that the space of deleted rows goes back to the disk. Nothing is passed.

#include "store/connection.h"
#include "ui/formbase.h"

class QLabel;
class QProgressBar;
class QPushButton;

class TNRVDBRebuildForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TNRVDBRebuildForm(QWidget* owner = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void ProceedButtonClick();
    // The outcome shown in the status panel.
    QString rebuild();

    store::Connection connection_;
    QProgressBar* ProgressBar;
    QLabel* StatusPanel;
    QPushButton* ProceedButton;
    QPushButton* ExitButton;
};
