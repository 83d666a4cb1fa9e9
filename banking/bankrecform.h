#pragma once
// The reconciliation window: the statement's closing balance, the account's unreconciled rows to
// mark presented, and "Up Date" closing them once the reconciled balance equals the statement.
//
//   TQVBankRecForm w(owner);
//   w.coyCode = 1;
//   w.setWindowTitle("Bank reconciliation for :  " + name);   // optional
//   w.exec();

#include <optional>

#include "banking/reconciliation.h"
#include "store/connection.h"
#include "ui/formbase.h"

class QLineEdit;
class QMenu;
class QPushButton;

namespace ui {
class DataGrid;
class Navigator;
}  // namespace ui

namespace banking {
class AccountHeadingPanel;
}

class TQVBankRecForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TQVBankRecForm(QWidget* owner = nullptr);
    ~TQVBankRecForm() override;

    // Input.
    int coyCode = 1;

    // Handlers, public so that tests and the gallery drive them as the controls do.
    void PresentButtonClick();
    void UpDateButtonClick();
    void RefreshButtonClick();
    void RecTransButtonClick();
    void EditTransactionClick();

protected:
    void showEvent(QShowEvent* event) override;

public slots:
    void done(int result) override;

private:
    void FormShow();
    void showAccount();
    void accountChanged(int previous);
    void requeryRows(int keepRow);
    void showFigures();
    void rowChanged();
    void rememberStatement(const banking::BankAccount& account);

    store::Connection connection_;
    bool shown_ = false;
    QString boundLink_;  // the account whose rows the grid shows
    std::optional<banking::ReconciliationFigures> figures_;

    banking::AccountHeadingPanel* heading_;
    QLineEdit* statBalEdit_;
    QLineEdit* openBalEdit_;
    QLineEdit* recAmountEdit_;
    QLineEdit* recBalEdit_;
    ui::DataGrid* grid_;
    ui::Navigator* rowNavigator_;
    QPushButton* presentButton_;
    QPushButton* upDateButton_;
    QPushButton* refreshButton_;
    QPushButton* recTransButton_;
    QPushButton* exitButton_;
    QMenu* rowMenu_;
};
