#pragma once
// The run window: the company's recurring transactions that are due, run one per click, with
// the amount changeable for good before a run.
//
//   TRecTransForm w(owner);
//   w.coyCode = "1";
//   w.coyName = name;
//   w.setWindowTitle("Run recurring transactions for : " + name);
//   w.exec();
//   if (w.posted) ...  // refresh balances

#include "store/connection.h"
#include "ui/formbase.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {
class DataGrid;
class Navigator;
}  // namespace ui

class TRecTransForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TRecTransForm(QWidget* owner = nullptr);
    ~TRecTransForm() override;

    // Inputs.
    QString coyCode = QStringLiteral("1");
    QString coyName;
    // Result: the last "Run" or "Update" posted a transaction.
    bool posted = false;

    void RunButtonClick();
    void ChangeButtonClick();  // "Change", or "Update" while the new amount is shown
    void CancelButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void openDueList();
    int dueCount() const;
    QString currentTranLink() const;
    bool filedPeriodAnswered(int row);
    void runCurrent(const std::optional<double>& newAmount);
    void showChange(bool changing);
    void setButtonsEnabled(bool enabled);

    store::Connection connection_;
    bool opened_ = false;
    bool changing_ = false;

    QLabel* dueLabel_;
    ui::DataGrid* grid_;
    ui::Navigator* navigator_;
    QGroupBox* changeGroup_;
    QLineEdit* newAmountEdit_;
    QPushButton* runButton_;
    QPushButton* changeButton_;
    QPushButton* cancelButton_;
    QPushButton* exitButton_;
};
