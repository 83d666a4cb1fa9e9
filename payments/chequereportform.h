#pragma once
// The cheque report (A4 portrait) and the cheque print (cheque stationery) as the cheque report
// dialog runs them: inputs set, then the print preview or the printer. The preview also saves
// the report as text, CSV or PDF.
//
//   TChequeReportForm r;
//   r.coyCode = "1"; r.to = QDate::currentDate(); r.displayDetails = true;
//   r.preview(owner, connection);   // or r.print(owner, connection)
//
//   TChequePrintForm p;
//   p.coyCode = "1"; p.chequeNo = "1042";
//   p.print(owner, connection);

#include <QDate>
#include <QString>
#include <functional>

#include "payments/cheque_report.h"
#include "reports/report.h"

class QPrinter;
class QWidget;

namespace store {
class Connection;
}

class TChequeReportForm {
public:
    // Inputs.
    QString coyCode = QStringLiteral("1");
    QString chequeNo;  // one payment's number; empty: the date range
    QString supplier;  // a found supplier's code; empty: every payee
    bool fromTicked = false;
    QDate from, to;
    bool displayDetails = true;

    payments::ChequeReportRequest request() const;
    reports::ReportDocument document(store::Connection& connection) const;
};

class TChequePrintForm {
public:
    // Inputs. The payee is the payment's own supplier, whatever the dialog's supplier box holds.
    QString coyCode = QStringLiteral("1");
    QString chequeNo;

    // The cheque of the payment; no page when the company has no payment of that number.
    reports::ReportDocument document(store::Connection& connection) const;
};

namespace payments {

// Shows a prepared report or cheque in the print preview over `owner`, modally.
void previewChequeDocument(QWidget* owner, const reports::ReportDocument& doc,
                           const QString& caption);

}  // namespace payments
