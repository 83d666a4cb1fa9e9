#pragma once
// The tax audit: before a return is finalised, every open journal line the return will count,
// in the return's four groups (the same conditions as its sums), with each group's totals and
// the closing balances. Computed as data, then made into a report document. No widgets here.

#include <QString>
#include <array>
#include <vector>

#include "reports/report.h"
#include "tax/line_groups.h"
#include "tax/tax_period.h"

namespace store {
class Connection;
}

namespace tax {

struct AuditGroup {
    LineGroup group;
    std::vector<TaxLine> lines;
    GroupTotals totals;
};

struct GstAudit {
    QString companyName;
    TaxPeriod period;
    std::array<AuditGroup, 4> groups;  // in the order of kLineGroups
    // "Total Income": sales and income with zero-rated supplies; "Total Expenses": purchases
    // and expenses with the private-use adjustments; "Balances ": income less expenses.
    qint64 incomeBus = 0, incomeGst = 0;
    qint64 expenseBus = 0, expenseGst = 0;
    qint64 balanceBus() const { return incomeBus - expenseBus; }
    qint64 balanceGst() const { return incomeGst - expenseGst; }
    const AuditGroup& of(LineGroup g) const;
};

GstAudit readGstAudit(store::Connection& connection, int coy, const TaxPeriod& period);

// The heading and footer caption of a group.
QString auditGroupHeading(LineGroup group);
QString auditGroupFooter(LineGroup group);

// The printed report: page header, column headings, each group with lines (a group without
// lines prints nothing), and the balances.
reports::ReportDocument gstAuditDocument(const GstAudit& audit, const QDate& printedOn);

}  // namespace tax
