#include "banking/bankstatementrpt.h"

#include <QLocale>

#include "reports/reportpreview.h"
#include "store/format.h"
#include "ui/opener.h"

namespace banking {

namespace {

QString dayAndMonth(const QDate& date) {
    return QLocale(QLocale::English).toString(date, QStringLiteral("dd MMMM"));
}

QString statementCell(qint64 cents) { return cents == 0 ? QString() : statementMoney(cents); }

}  // namespace

reports::ReportDocument statementDocument(const BankStatement& s, const QDate& printedOn) {
    reports::ReportDocument doc;
    doc.name = QStringLiteral("BankStatement");
    doc.orientation = QPageLayout::Landscape;
    doc.printedOn = printedOn;
    doc.pageCaption = QStringLiteral("Page :");
    doc.columns = {{QStringLiteral("Date"), 30, Qt::AlignLeft},
                   {QStringLiteral("Trans No."), 28, Qt::AlignRight},
                   {QStringLiteral("Description"), 110, Qt::AlignLeft},
                   {QStringLiteral("Source"), 32, Qt::AlignLeft},
                   {QStringLiteral("Debits"), 34, Qt::AlignRight},
                   {QStringLiteral("Credits"), 34, Qt::AlignRight}};
    doc.addTitle(QStringLiteral("Bank transactions for :  ") + s.busName);
    doc.addTitle(QStringLiteral("Between  ") + store::fmt::longDate2(s.from) +
                     QStringLiteral(" and ") + store::fmt::longDate2(s.to),
                 false);
    doc.addTitle(QStringLiteral("Account : ") + s.desc + QLatin1Char(' ') + s.bankCode +
                     QLatin1Char('-') + s.acctNo,
                 false);
    doc.addColumnHeader();
    for (const StatementRow& r : s.rows)
        doc.addRow(reports::BandKind::Detail,
                   {dayAndMonth(r.date), QString::number(r.tranNum), r.reason, r.source,
                    statementCell(r.debit), statementCell(r.credit)});
    doc.addRow(reports::BandKind::Summary,
               {QString(), QString(), QString(), QString(), statementMoney(s.debitTotal),
                statementMoney(s.creditTotal)},
               true, true);
    return doc;
}

}  // namespace banking

reports::ReportDocument TQVBankStatementRptForm::document(store::Connection& connection) const {
    return banking::statementDocument(banking::bankStatement(connection, coyCode, acctNo, from, to),
                                      QDate::currentDate());
}

void TQVBankStatementRptForm::preview(QWidget* owner, store::Connection& connection) const {
    const reports::ReportDocument doc = document(connection);
    ui::openWindow<reports::TReportPreviewForm>(owner, [&](reports::TReportPreviewForm& w) {
        w.setWindowTitle(QStringLiteral("Bank statement"));
        w.document = doc;
    });
}

void TQVBankStatementRptForm::print(QWidget* owner, store::Connection& connection,
                                    const std::function<bool(QPrinter&)>& askPrinter) const {
    reports::printReport(owner, document(connection), askPrinter);
}
