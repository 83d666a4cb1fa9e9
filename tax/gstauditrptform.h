#pragma once
// The tax audit report's preview, opened by "Trans Audit" of both return windows with the
// company code (as text) and the return window's period.

#include <QDate>

#include "reports/reportpreview.h"
#include "tax/gstaudit.h"

class TGSTAuditRptForm : public reports::TReportPreviewForm {
    Q_OBJECT
public:
    explicit TGSTAuditRptForm(QWidget* owner = nullptr);

    // Inputs.
    QString coyCode = QStringLiteral("1");
    QDate startDate, endDate;

    // What the report lists, read when the window is first shown.
    const tax::GstAudit& audit() const { return audit_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    tax::GstAudit audit_;
    bool prepared_ = false;
};

namespace tax {

// Creates the report for the company and period, previews it and frees it.
void openGstAudit(QWidget* owner, const QString& coyText, const TaxPeriod& period);

}  // namespace tax
