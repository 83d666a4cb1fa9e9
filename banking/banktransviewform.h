#pragma once
// The transaction viewer: one bank account's rows between two dates (by default the last 31
// days), stepping through the company's accounts, and "Edit selected Transaction" (right-click
// or double-click) opening the entry window the row was made in.
//
//   TQVBankTransViewForm w(owner);
//   w.coyCode = 1;
//   w.setWindowTitle("Bank transactions view for  " + name);
//   w.exec();

#include "store/connection.h"
#include "ui/formbase.h"

class QMenu;
class QPushButton;

namespace ui {
class DataGrid;
class DateBox;
class Navigator;
}  // namespace ui

namespace banking {
class AccountHeadingPanel;
}

class TQVBankTransViewForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TQVBankTransViewForm(QWidget* owner = nullptr);
    ~TQVBankTransViewForm() override;

    // Input.
    int coyCode = 1;

    void EditTransactionClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void showAccount();
    void requery(int keepRow);

    store::Connection connection_;
    bool shown_ = false;
    banking::AccountHeadingPanel* heading_;
    ui::DateBox* fromDate_;
    ui::DateBox* toDate_;
    ui::DataGrid* grid_;
    ui::Navigator* rowNavigator_;
    QPushButton* exitButton_;
    QMenu* rowMenu_;
};
