#pragma once
// The reprint's preview (the GST 101 page of the chosen stored return), opened by "Reprint".

#include "reports/reportpreview.h"
#include "tax/tax_period.h"

class TGSTReprintForm : public reports::TReportPreviewForm {
    Q_OBJECT
public:
    explicit TGSTReprintForm(QWidget* owner = nullptr);

    // Inputs: the company code and the chosen return's period.
    int coyCode = 1;
    tax::TaxPeriod chosen;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool prepared_ = false;
};

namespace tax {

// Creates the reprint for the company and the chosen return, previews it and frees it.
void openGstReprint(QWidget* owner, int coy, const TaxPeriod& chosen);

}  // namespace tax
