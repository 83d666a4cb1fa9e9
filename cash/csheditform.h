#pragma once
// One journal line of a bank entry with details, edited from the entry details window, with
// the private-share line of its account kept in step (cash/line_edit.h).
//
//   TQVCshEditForm w(owner);
//   w.coyCode = 1; w.lineRowId = id; w.amountsLocked = reconciled; w.taxable = true; w.rate = 15;
//   w.setWindowTitle("Edit bank account details");
//   w.exec();
//   if (w.amountChanged) recomputeTotals();

#include <memory>

#include "cash/cashdetailbox.h"
#include "store/connection.h"
#include "ui/maintenanceframe.h"

namespace store {
class Table;
}

class TQVCshEditForm : public ui::MaintenanceFrame {
    Q_OBJECT
public:
    explicit TQVCshEditForm(QWidget* owner = nullptr);
    ~TQVCshEditForm() override;

    // Inputs.
    int coyCode = 1;
    qint64 lineRowId = 0;
    bool amountsLocked = false;  // the bank entry is reconciled
    bool taxable = false;
    double rate = 0.0;

    // Result: the amount was changed and saved; the caller recomputes its totals.
    bool amountChanged = false;

protected:
    void FormShow() override;
    QString modeText(ui::EditMode mode) const override;
    bool canMaintain() const override { return line_ != nullptr; }
    void applyMode(ui::EditMode mode) override;
    bool startEdit() override;
    bool saveRecord() override;
    void showCurrent() override;
    void closeTables() override;

private:
    bool lineLocked() const;

    store::Connection connection_;
    std::unique_ptr<store::Table> line_;
    cash::CashDetailBox* details_;
    bool amountTyped_ = false;
};
