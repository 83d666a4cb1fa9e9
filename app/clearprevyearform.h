#pragma once
// Clearing previous years: the entries of every company dated between two dates are deleted
// after a confirmation that counts them, with their sums kept in the bank accounts' opening
// balances. Nothing is passed.

#include "store/connection.h"
#include "ui/formbase.h"

class QLabel;
class QPushButton;

namespace ui {
class DateBox;
}

class TClearPrevYearForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TClearPrevYearForm(QWidget* owner = nullptr);

    // The date the date boxes count from (today unless a test fixes it).
    QDate today = QDate::currentDate();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormActivate();
    void ClearButtonClick();
    // Asks the questions; true when the user wants the clear (and whether unsettled rows go).
    bool askToClear(bool* unsettledConfirmed);
    void setBusy(bool busy);

    store::Connection connection_;
    ui::DateBox* FromDate;
    ui::DateBox* ToDate;
    QLabel* StatusLabel;
    QPushButton* ClearButton;
    QPushButton* ExitButton;
};
