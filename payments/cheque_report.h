#pragma once
// The cheque report as data: the payments of one number, or of a date range (optionally of one
// supplier), each with its supplier's name and, with "Display Details", its lines; the total
// paid and the tax total in cents. Laid out on A4 portrait pages for the preview, the printer
// and the text and CSV saves. No widgets.

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "reports/report.h"
#include "store/connection.h"

namespace payments {

// What the dialog hands the report.
struct ChequeReportRequest {
    int coy = 1;
    std::optional<qint64> tranNum;  // one payment; otherwise the date range
    QString supplier;               // a found supplier's code; empty: every payee
    bool fromTicked = false;        // without it the range starts on 1/1/1899
    QDate from, to;
    bool details = true;
};

struct ChequeReportLine {
    QString invoiceNo, narrative;
    double totAmt = 0, gstAmt = 0;
};

struct ChequeReportPayment {
    qint64 tranNum = 0;
    QDate date;
    QString supplier;      // SUPPLIER
    QString supplierName;  // BUSNAME through the payment's SUPPCOY; empty for other payees
    double amount = 0;
    std::vector<ChequeReportLine> lines;  // with "Display Details" only
};

struct ChequeReport {
    ChequeReportRequest request;
    QString busName;
    std::vector<ChequeReportPayment> payments;
    qint64 totalPaidCents = 0;  // the printed lines' TOT_AMT, or the payments' AMOUNT
    qint64 taxCents = 0;        // the printed lines' GSTAMT; 0 without lines
};

// The first date of a range without "From": 1 January 1899.
QDate chequeRangeStart(const ChequeReportRequest& request);
// "Cheques for :  " + the business name.
QString chequeReportTitle(const QString& busName);
// Empty for one payment; "Issued between : " + from + " " + " and " + to with "From"; else
// "Issued to : " + to; dates as "1 June 2025".
QString chequeReportSubtitle(const ChequeReportRequest& request);

// Reads the payments (and their lines) and totals them.
ChequeReport readChequeReport(store::Connection& connection, const ChequeReportRequest& request);
// The totals of payments already read.
void totalChequeReport(ChequeReport& report);

reports::ReportDocument chequeReportDocument(const ChequeReport& report, const QDate& printedOn);

}  // namespace payments
