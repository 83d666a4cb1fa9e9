#pragma once
// The index rebuild: every table's indexes built again from its rows, step by step, then the
// store checked. Needs exclusive use of the data. Nothing is passed.

#include "store/connection.h"
#include "ui/formbase.h"

class QLabel;
class QProgressBar;
class QPushButton;

class TRebuildIndexForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TRebuildIndexForm(QWidget* owner = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void OKButtonClick();
    // Runs the steps in order while they succeed; false when one failed.
    bool runSteps();
    bool checkStore();

    store::Connection connection_;
    QLabel* StatusLabel;
    QLabel* TableLabel;
    QProgressBar* ProgressBar;
    QPushButton* OKButton;
    QPushButton* CancelButton;
    QPushButton* ExitButton;
};
