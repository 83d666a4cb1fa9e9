#pragma once
// What the company's cash transactions window and the cash details window of a bank entry
// share: the list of the company's cash lines (grid and navigator over the store's filter), the
// detail group, and Add, Edit, Save, Cancel, Delete on the maintenance frame. Each window says
// how its lines are numbered and worded.

#include <memory>

#include "cash/cash_lines.h"
#include "cash/cashdetailbox.h"
#include "store/connection.h"
#include "ui/lazymodel.h"
#include "ui/maintenanceframe.h"

class QVBoxLayout;

namespace store {
class Table;
}
namespace ui {
class DataGrid;
class Navigator;
}  // namespace ui

namespace cash {

class CashListWindow : public ui::MaintenanceFrame {
    Q_OBJECT
public:
    // Input: the company number.
    int coyCode = 1;

    struct Wording {
        CashDetailBox::Texts box;
        QString editTaxCalculated;  // "Cannot edit... Sales tax has been calculated." ...
        QList<ui::ColumnSpec> columns;
    };

protected:
    CashListWindow(QWidget* owner, const QString& section, CashKind kind, const Wording& wording);
    ~CashListWindow() override;

    // The window's own rows below the detail group (labels, extra buttons).
    QVBoxLayout* body() const { return body_; }
    CashDetailBox* details() const { return details_; }
    store::Connection& connection() { return connection_; }
    store::Table* lines() const { return lines_.get(); }

    // The company's tax flag and rate (read from the company record unless the opener gave
    // them), then the list opened on its last line.
    void openList(bool taxable, double rate);
    // Reads the list again after a line left it or was written elsewhere; shows `rowId` when
    // it is still listed, else the last line.
    void reopenList(qint64 rowId = 0);
    // The number shown for the current line (TRANNUM or LINENO).
    qint64 currentNumber() const;
    virtual void afterListChanged() {}

    QString modeText(ui::EditMode mode) const override;
    bool canMaintain() const override { return lines_ != nullptr; }
    void applyMode(ui::EditMode mode) override;
    bool startNew() override;
    bool startEdit() override;
    bool saveRecord() override;
    void deleteRecord() override;
    void showCurrent() override;
    void closeTables() override;

private:
    bool filedPeriodAnswered(const QDate& date, bool adding);

    CashKind kind_;
    Wording wording_;
    store::Connection connection_;
    std::unique_ptr<store::Table> lines_;
    CashDetailBox* details_;
    ui::DataGrid* grid_;
    ui::Navigator* navigator_;
    QVBoxLayout* body_;
};

}  // namespace cash
