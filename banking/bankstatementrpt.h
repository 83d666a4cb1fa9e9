#pragma once
// The printed bank statement (A4 landscape) of one account between two dates: the statement's
// data (bank_statement.h) laid out as a report, then previewed or printed.
//
//   TQVBankStatementRptForm r;
//   r.coyCode = 1; r.acctNo = "0123456-00"; r.from = ...; r.to = ...;
//   r.preview(owner);   // or r.print(owner)

#include <QDate>
#include <QString>
#include <functional>

#include "banking/bank_statement.h"
#include "reports/report.h"

class QPrinter;
class QWidget;

namespace store {
class Connection;
}

namespace banking {

// The bands of the statement: titles, "Date", "Trans No.", "Description", "Source", "Debits"
// and "Credits", one row per transaction and the totals.
reports::ReportDocument statementDocument(const BankStatement& statement, const QDate& printedOn);

}  // namespace banking

class TQVBankStatementRptForm {
public:
    // Inputs.
    int coyCode = 1;
    QString acctNo;
    QDate from, to;

    reports::ReportDocument document(store::Connection& connection) const;
    // The print preview over `owner`, modally.
    void preview(QWidget* owner, store::Connection& connection) const;
    // Straight to the printer; `askPrinter` as reports::printReport.
    void print(QWidget* owner, store::Connection& connection,
               const std::function<bool(QPrinter&)>& askPrinter = {}) const;
};
