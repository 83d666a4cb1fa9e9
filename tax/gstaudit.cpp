#include "tax/gstaudit.h"

#include "reports/company.h"
#include "store/format.h"
#include "tax/cents_text.h"

namespace tax {

const AuditGroup& GstAudit::of(LineGroup g) const {
    for (const AuditGroup& a : groups)
        if (a.group == g) return a;
    return groups.front();
}

GstAudit readGstAudit(store::Connection& connection, int coy, const TaxPeriod& period) {
    GstAudit audit;
    audit.companyName = reports::companyName(connection, coy);
    audit.period = period;
    for (size_t i = 0; i < audit.groups.size(); ++i) {
        const LineGroup g = kLineGroups[i];
        // The totals are the return's own sums over the same conditions, not a re-addition.
        audit.groups[i] = {g, linesOfGroup(connection, coy, period, g),
                           totalsOfGroup(connection, coy, period, g)};
    }
    const GroupTotals& sales = audit.of(LineGroup::SalesAndIncome).totals;
    const GroupTotals& zero = audit.of(LineGroup::ZeroRated).totals;
    const GroupTotals& expenses = audit.of(LineGroup::Expenses).totals;
    const GroupTotals& privateUse = audit.of(LineGroup::PrivateUse).totals;
    audit.incomeBus = sales.busCents + zero.busCents;
    audit.incomeGst = sales.gstCents + zero.gstCents;
    audit.expenseBus = expenses.busCents + privateUse.busCents;
    audit.expenseGst = expenses.gstCents + privateUse.gstCents;
    return audit;
}

QString auditGroupHeading(LineGroup group) {
    switch (group) {
        case LineGroup::SalesAndIncome:
            return QStringLiteral("Sales and Income ");
        case LineGroup::ZeroRated:
            return QStringLiteral("Zero-rated supplies");
        case LineGroup::Expenses:
            return QStringLiteral("Total Purchases and expenses ");
        case LineGroup::PrivateUse:
            return QStringLiteral("Adjustments - business use of private goods and services");
    }
    return {};
}

QString auditGroupFooter(LineGroup group) {
    switch (group) {
        case LineGroup::SalesAndIncome:
            return QStringLiteral("Total - income");
        case LineGroup::ZeroRated:
            return QStringLiteral("Total zero-rated supplies");
        case LineGroup::Expenses:
            return QStringLiteral("Totals - expenses");
        case LineGroup::PrivateUse:
            return QStringLiteral("Totals - expense adjustments");
    }
    return {};
}

namespace {

void addAuditHeading(reports::ReportDocument& doc, const GstAudit& audit) {
    doc.addTitle(QStringLiteral("G.S.T. Audit Report"));
    doc.addTitle(audit.companyName, false);
    doc.addTitle(QStringLiteral("Transactions between ") +
                     store::fmt::shortDate(audit.period.start) + QStringLiteral(" and ") +
                     store::fmt::shortDate(audit.period.end),
                 false);
    doc.columns = {{QStringLiteral("Account/Reason"), 32},
                   {QStringLiteral("Description"), 70},
                   {QStringLiteral("Date"), 26},
                   {QStringLiteral("Amount"), 28, Qt::AlignRight},
                   {QStringLiteral("G.S.T. "), 26, Qt::AlignRight}};
    doc.addColumnHeader();
}

void addAuditGroup(reports::ReportDocument& doc, const AuditGroup& g) {
    if (g.lines.empty()) return;
    doc.addSpan(reports::BandKind::GroupHeader, auditGroupHeading(g.group), true);
    for (const TaxLine& l : g.lines)
        doc.addRow(reports::BandKind::Detail, {l.acctCode, l.desc, store::fmt::shortDate(l.date),
                                               centsText(l.busCents), centsText(l.gstCents)});
    // The caption runs in the wide description column: the code column is too narrow for it.
    doc.addRow(reports::BandKind::GroupFooter,
               {QString(), auditGroupFooter(g.group), QString(), centsText(g.totals.busCents),
                centsText(g.totals.gstCents)},
               true, true);
}

}  // namespace

reports::ReportDocument gstAuditDocument(const GstAudit& audit, const QDate& printedOn) {
    reports::ReportDocument doc;
    doc.name = QStringLiteral("GSTAudit");
    doc.printedOn = printedOn;
    doc.pageCaption = QStringLiteral("Page No. :");
    addAuditHeading(doc, audit);
    for (const AuditGroup& g : audit.groups) addAuditGroup(doc, g);
    doc.addSpan(reports::BandKind::Summary, QStringLiteral("Balances "), true);
    doc.addRow(reports::BandKind::Summary,
               {QStringLiteral("Total Income"), QString(), QString(), centsText(audit.incomeBus),
                centsText(audit.incomeGst)});
    doc.addRow(reports::BandKind::Summary,
               {QStringLiteral("Total Expenses"), QString(), QString(), centsText(audit.expenseBus),
                centsText(audit.expenseGst)});
    doc.addRow(reports::BandKind::Summary,
               {QStringLiteral("Balances "), QString(), QString(), centsText(audit.balanceBus()),
                centsText(audit.balanceGst())},
               true, true);
    return doc;
}

}  // namespace tax
