#pragma once
// The bank picker: every bank in code order, returning the chosen one's code.
//
//   TBankVuForm picker(owner);
//   if (picker.exec() == QDialog::Accepted) use(picker.bankCode);

#include "store/connection.h"
#include "ui/formbase.h"

#include <memory>

class QPushButton;

namespace store {
class Table;
}
namespace ui {
class DataGrid;
class Navigator;
}  // namespace ui

class TBankVuForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TBankVuForm(QWidget* owner = nullptr);
    ~TBankVuForm() override;

    // Input.
    bool selectEnabled = true;  // off: the list is only for viewing

    // Result, set by "Select".
    QString bankCode;

    void SelectButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormShow();
    void closeTables();

    store::Connection connection_;
    std::unique_ptr<store::Table> banks_;
    ui::DataGrid* grid_;
    ui::Navigator* navigator_;
    QPushButton* selectButton_;
    bool shown_ = false;
};
