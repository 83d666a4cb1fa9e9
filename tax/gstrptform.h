#pragma once
// The reprint of stored returns: the company's returns in the order they were stored, and
// "Reprint" previewing the GST 101 page of the chosen one again. Input: the company code.

#include "store/connection.h"
#include "tax/tax_period.h"
#include "ui/formbase.h"

class QPushButton;

namespace ui {
class DataGrid;
class Navigator;
}  // namespace ui

class TGSTRptForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TGSTRptForm(QWidget* owner = nullptr);
    ~TGSTRptForm() override;

    int coyCode = 1;

    void ReprintButtonClick();
    // The period of the return under the grid's cursor; an invalid one without a return.
    tax::TaxPeriod currentReturn() const;
    int rowCount() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormShow();

    store::Connection connection_;
    ui::DataGrid* grid_;
    ui::Navigator* navigator_;
    QPushButton* ReprintButton;
    QPushButton* ExitButton;
};
