#pragma once
// The printed New Zealand return (GST 101) in the report preview: the company's stored returns
// starting in the period, one page each, or one page without figures before finalising.
//
//   TGST101Form w(owner);
//   w.prepare(connection, coy, period);
//   w.exec();

#include "reports/reportpreview.h"
#include "tax/tax_period.h"

namespace store {
class Connection;
}

class TGST101Form : public reports::TReportPreviewForm {
    Q_OBJECT
public:
    explicit TGST101Form(QWidget* owner = nullptr);

    // Reads the control record and the stored returns into the document.
    void prepare(store::Connection& connection, int coy, const tax::TaxPeriod& period);
};
