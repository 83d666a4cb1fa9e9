#pragma once
// The tax audit: before a return is finalised, every open journal line the return will count,
// in the return's groups (the same conditions as its sums), with each group's totals and the
// closing balances. A New Zealand company's audit has the four groups of its return; an
// Australian company's has the labels its BAS worksheet reads from the journal. Computed as
// data, then made into a report document. No widgets here.

#include <QString>
#include <vector>

#include "reports/report.h"
#include "tax/line_groups.h"
#include "tax/tax_period.h"

namespace store {
class Connection;
}

namespace tax {

struct AuditGroup {
    QString heading, footer;
    std::vector<TaxLine> lines;
    GroupTotals totals;
};

struct GstAudit {
    QString companyName;
    TaxPeriod period;
    // New Zealand: in the order of kLineGroups; Australia: in the order of kAusJournalLabels.
    std::vector<AuditGroup> groups;
    // New Zealand: "Total Income" is sales and income with zero-rated supplies, "Total
    // Expenses" purchases and expenses with the private-use adjustments. Australia: income is
    // G1, expenses G10 + G11. "Balances ": income less expenses.
    qint64 incomeBus = 0, incomeGst = 0;
    qint64 expenseBus = 0, expenseGst = 0;
    qint64 balanceBus() const { return incomeBus - expenseBus; }
    qint64 balanceGst() const { return incomeGst - expenseGst; }
    // A group of a New Zealand company's audit.
    const AuditGroup& of(LineGroup g) const;
};

// The audit of the company's country: Australian when its control record says "AUS", with the
// account codes of "IntSettings.ini" in the data folder (empty when the file is missing, as the
// worksheet reads them); else New Zealand.
GstAudit readGstAudit(store::Connection& connection, int coy, const TaxPeriod& period);

// The heading and footer caption of a New Zealand group.
QString auditGroupHeading(LineGroup group);
QString auditGroupFooter(LineGroup group);

// The printed report: page header, column headings, each group with lines (a group without
// lines prints nothing), and the balances.
reports::ReportDocument gstAuditDocument(const GstAudit& audit, const QDate& printedOn);

}  // namespace tax
