#pragma once
// The journal lines of a bank row with details, their total, and "Remove" to take a line out
// of the row (the line stays in the journal, detached from the bank).
//
//   TDepositDetailsForm w(owner);
//   w.coyCode = "1"; w.bankCode = "030100"; w.acctNo = "0123456-00";
//   w.acctDesc = "Cheque account"; w.tranNum = 1000042;
//   w.exec();
//   if (w.changed) ...   // the opener settles the row's amount (applyDetailsTotal)

#include "store/connection.h"
#include "ui/formbase.h"

class QLabel;
class QPushButton;

namespace ui {
class DataGrid;
}

class TDepositDetailsForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TDepositDetailsForm(QWidget* owner = nullptr);
    ~TDepositDetailsForm() override;

    // Inputs.
    QString coyCode = QStringLiteral("1");
    QString bankCode;
    QString acctNo;
    QString acctDesc;
    qint64 tranNum = 0;
    bool depositsNotOnStatement = false;

    // Result: a line was removed.
    bool changed = false;

    void EditButtonClick();
    void RemoveButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormShow();
    void runQuery();

    store::Connection connection_;
    bool shown_ = false;
    bool reconciled_ = false;
    ui::DataGrid* grid_;
    QLabel* totalLabel_;
    QPushButton* editButton_;
    QPushButton* removeButton_;
};
