#pragma once
// The Australian GST worksheet: labels G1 to G20 of the BAS for one period, the three labels the
// user types (G7, G15, G18), "Recalc", "Finalise" and "Trans Audit". Input: the company code.

#include <optional>

#include "store/connection.h"
#include "tax/aus_return.h"
#include "tax/tax_company.h"
#include "tax/tax_period.h"
#include "ui/formbase.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QGridLayout;

namespace ui {
class DateBox;
}

class TAusGSTCalcForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TAusGSTCalcForm(QWidget* owner = nullptr);

    int coyCode = 1;

    void TransAuditButtonClick();
    void FinaliseButtonClick();
    void RecalcButtonClick();
    void StartDateChange();

    tax::TaxPeriod period() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QLineEdit* addLabel(QGridLayout* grid, const char* name, const QString& caption,
                        const QString& note, bool typed, QLabel** captionLabel = nullptr);
    void FormShow();
    // Reads G7, G15 and G18; nothing (after a message) when one is not a number.
    std::optional<tax::AusAdjustments> typedAdjustments();
    void showFigures(const tax::AusReturn& r);

    store::Connection connection_;
    tax::TaxCompany company_;
    std::optional<tax::AusAccountCodes> codes_;

    QLabel* NameLabel;
    ui::DateBox* StartDate;
    ui::DateBox* EndDate;
    QLabel* G9Label;
    QLabel* G20Label;
    QLineEdit *TotSalesEdit, *ZeroRatedEdit, *GSTFreeSalesEdit, *InptaxSalesEdit, *SubTot1Edit,
        *TotalSalesEdit, *AdjustmentsEdit, *SalesTotalEdit, *SubTot2Edit;
    QLineEdit *CapExpEdit, *TotGSTCollEdit, *SubTot3Edit, *SubTot4Edit, *PurNoGSTEdit,
        *CreditAdjEdit, *TotPurNoGSTEdit, *TotPaymentEdit, *TotExpEdit, *G19Edit, *G20Edit;
    QPushButton* TransAuditButton;
    QPushButton* FinaliseButton;
    QPushButton* RecalcButton;
    QPushButton* ExitButton;
};
