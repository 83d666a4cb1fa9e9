#include "payments/cheque_report.h"

#include <QLocale>

#include "reports/company.h"
#include "store/format.h"
#include "store/query.h"

namespace payments {

namespace fmt = store::fmt;

namespace {

// "d mmmm yyyy" in English whatever the locale.
QString chequeReportDate(const QDate& date) {
    return QLocale(QLocale::English).toString(date, QStringLiteral("d MMMM yyyy"));
}

QStringList chequePaymentSql(const ChequeReportRequest& r) {
    QStringList sql{QStringLiteral("SELECT * FROM QVCHHDR H"),
                    QStringLiteral("WHERE H.COYCODE =:sCoyCode")};
    if (r.tranNum) return sql << QStringLiteral("AND H.TRANNUM =:sChequeNo");
    if (!r.supplier.isEmpty()) sql << QStringLiteral("AND H.SUPPLIER =:sSupplier");
    return sql << QStringLiteral("AND (H.CHQDATE between :StartDate AND :EndDate)")
               << QStringLiteral("ORDER BY H.CHQDATE");
}

QString chequeSupplierName(store::Connection& connection, const QString& suppCoy) {
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT S.BUSNAME FROM QVSUPP S"),
                         QStringLiteral("WHERE S.SUPPCOY =:sSuppCoy")});
    q.bind(QStringLiteral("sSuppCoy"), suppCoy.trimmed());
    q.open();
    return q.eof() ? QString() : q.text(QStringLiteral("BUSNAME")).trimmed();
}

std::vector<ChequeReportLine> chequeReportLines(store::Connection& connection, int coy,
                                                qint64 tranNum) {
    store::Query q(connection);
    q.setSql(QStringList{
        QStringLiteral("SELECT * FROM QVCHQDET D"), QStringLiteral("WHERE D.COYCODE =:iCoyCode"),
        QStringLiteral("AND D.CHEQUENO =:sChequeNo"), QStringLiteral("ORDER BY D.LINENO")});
    q.bind(QStringLiteral("iCoyCode"), coy);
    q.bind(QStringLiteral("sChequeNo"), QString::number(tranNum));
    q.open();
    std::vector<ChequeReportLine> lines;
    for (; !q.eof(); q.next())
        lines.push_back({q.text(QStringLiteral("INVOICENO")).trimmed(),
                         q.text(QStringLiteral("NARRATIVE")).trimmed(),
                         q.number(QStringLiteral("TOT_AMT")), q.number(QStringLiteral("GSTAMT"))});
    return lines;
}

}  // namespace

QDate chequeRangeStart(const ChequeReportRequest& request) {
    return request.fromTicked ? request.from : QDate(1899, 1, 1);
}

QString chequeReportTitle(const QString& busName) {
    return QStringLiteral("Cheques for :  ") + busName;
}

QString chequeReportSubtitle(const ChequeReportRequest& request) {
    if (request.tranNum) return QString();
    if (request.fromTicked)
        return QStringLiteral("Issued between : ") + chequeReportDate(request.from) +
               QStringLiteral(" ") + QStringLiteral(" and ") + chequeReportDate(request.to);
    return QStringLiteral("Issued to : ") + chequeReportDate(request.to);
}

ChequeReport readChequeReport(store::Connection& connection, const ChequeReportRequest& request) {
    ChequeReport report;
    report.request = request;
    report.busName = reports::companyName(connection, request.coy).trimmed();
    store::Query q(connection);
    q.setSql(chequePaymentSql(request));
    q.bind(QStringLiteral("sCoyCode"), QString::number(request.coy));
    if (request.tranNum) {
        q.bind(QStringLiteral("sChequeNo"), *request.tranNum);
    } else {
        if (!request.supplier.isEmpty())
            q.bind(QStringLiteral("sSupplier"), request.supplier.trimmed());
        q.bind(QStringLiteral("StartDate"), chequeRangeStart(request));
        q.bind(QStringLiteral("EndDate"), request.to);
    }
    q.open();
    for (; !q.eof(); q.next()) {
        ChequeReportPayment p;
        p.tranNum = q.integer(QStringLiteral("TRANNUM"));
        p.date = q.date(QStringLiteral("CHQDATE"));
        p.supplier = q.text(QStringLiteral("SUPPLIER")).trimmed();
        p.amount = q.number(QStringLiteral("AMOUNT"));
        if (!p.supplier.isEmpty())
            p.supplierName = chequeSupplierName(connection, q.text(QStringLiteral("SUPPCOY")));
        report.payments.push_back(p);
    }
    if (request.details)
        for (ChequeReportPayment& p : report.payments)
            p.lines = chequeReportLines(connection, request.coy, p.tranNum);
    totalChequeReport(report);
    return report;
}

void totalChequeReport(ChequeReport& report) {
    report.totalPaidCents = 0;
    report.taxCents = 0;
    for (const ChequeReportPayment& p : report.payments) {
        if (!report.request.details) {
            report.totalPaidCents += fmt::cents(p.amount);
            continue;
        }
        for (const ChequeReportLine& l : p.lines) {
            report.totalPaidCents += fmt::cents(l.totAmt);
            report.taxCents += fmt::cents(l.gstAmt);
        }
    }
}

reports::ReportDocument chequeReportDocument(const ChequeReport& report, const QDate& printedOn) {
    reports::ReportDocument doc;
    doc.name = QStringLiteral("Cheques");
    doc.orientation = QPageLayout::Portrait;
    doc.printedOn = printedOn;
    doc.printedCaption = QStringLiteral("Print Date :");
    doc.pageCaption = QStringLiteral("Page :");
    doc.columns = {{QStringLiteral("Invoice No."), 36, Qt::AlignLeft},
                   {QStringLiteral("Narrative"), 80, Qt::AlignLeft},
                   {QStringLiteral("Amount "), 38, Qt::AlignRight},
                   {QStringLiteral("Tax"), 26, Qt::AlignRight}};
    doc.addTitle(chequeReportTitle(report.busName));
    const QString subtitle = chequeReportSubtitle(report.request);
    if (!subtitle.isEmpty()) doc.addTitle(subtitle, false);
    const bool details = report.request.details;
    for (const ChequeReportPayment& p : report.payments) {
        QString supplier = QStringLiteral("Supplier  : ") + p.supplier;
        if (!p.supplierName.isEmpty()) supplier += QLatin1Char(' ') + p.supplierName;
        doc.addRow(
            details ? reports::BandKind::GroupHeader : reports::BandKind::Detail,
            {QStringLiteral("Number: ") + QString::number(p.tranNum),
             QStringLiteral(" Date : ") + fmt::shortDate(p.date) + QStringLiteral("   ") + supplier,
             QStringLiteral("Total : ") + fmt::money(p.amount)},
            details);
        if (!details) continue;
        doc.addColumnHeader();
        for (const ChequeReportLine& l : p.lines)
            doc.addRow(reports::BandKind::Detail,
                       {l.invoiceNo, l.narrative, fmt::money(l.totAmt), fmt::money(l.gstAmt)});
    }
    doc.addRow(reports::BandKind::Summary,
               {QString(), QStringLiteral("Total Paid : "),
                fmt::money(double(report.totalPaidCents) / 100.0),
                fmt::money(double(report.taxCents) / 100.0)},
               true, true);
    return doc;
}

}  // namespace payments
