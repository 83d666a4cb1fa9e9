#pragma once
// The bank transaction picker: every row of one account in date order, "Go to" a transaction
// number, and "Select" returning the chosen row's number. Its placement is kept in the file the
// bare name "NRVCash.ini" reaches, apart from the program folder's.
//
//   TQVBnkTranListForm w(owner);
//   w.coyCode = "1"; w.bankLink = account.bankLink; w.accountLabel = account.desc;
//   if (w.exec() == QDialog::Accepted) showRow(w.tranNum.toLongLong());

#include "store/connection.h"
#include "ui/formbase.h"

class QLineEdit;
class QPushButton;

namespace ui {
class DataGrid;
class Navigator;
}  // namespace ui

class TQVBnkTranListForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TQVBnkTranListForm(QWidget* owner = nullptr);
    ~TQVBnkTranListForm() override;

    // Inputs.
    QString coyCode = QStringLiteral("1");
    QString bankLink;
    QString accountLabel;
    bool selectEnabled = true;  // the caller enables "Select" only while it can move to a row

    // Result of "Select": the row's TRANNUM as text.
    QString tranNum;

    void GoToButtonClick();
    void SelectButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    store::Connection connection_;
    bool shown_ = false;
    ui::DataGrid* grid_;
    ui::Navigator* navigator_;
    QLineEdit* numberEdit_;
    QPushButton* goToButton_;
    QPushButton* selectButton_;
    QPushButton* exitButton_;
};
