#include "budgets/business_plan.h"

#include "ledger/company.h"
#include "store/connection.h"
#include "store/format.h"
#include "store/query.h"

namespace budgets {
namespace {

using store::fmt::money;
using store::fmt::roundTo;

// The account filter: the company's (or department's) accounts, without the wholly domestic
// ones unless they are asked for.
QString accountFilter(const BusinessPlanOptions& o) {
    QString f = o.linkCode.isEmpty() ? QStringLiteral("A.COYCODE =:sCoy")
                                     : QStringLiteral("A.LINKCODE =:sLink");
    if (!o.includeDomestic)
        f +=
            QStringLiteral(" AND (COALESCE(A.DOMESTIC, 0) <> 1 OR COALESCE(A.ALLOCPER, 0) <> 100)");
    return f;
}

void bindFilter(store::Query& q, const BusinessPlanOptions& o) {
    if (o.linkCode.isEmpty())
        q.bind("sCoy", QString::number(o.coy));
    else
        q.bind("sLink", o.linkCode);
    q.bind("sStatus", o.status);
    q.bind("StartDate", o.from);
    q.bind("EndDate", o.to);
}

std::vector<PlanPeriodLine> periodsInRange(store::Connection& c, const QString& link,
                                           const BusinessPlanOptions& o, double* total) {
    store::Query q(c);
    q.setSql({"SELECT PERIOD_BEG, PERIOD_END, TAMOUNT FROM QVACCBUD", "WHERE BUDGLINK =:sBudgLink",
              "AND PERIOD_BEG BETWEEN :StartDate AND :EndDate",
              "AND PERIOD_END BETWEEN :StartDate AND :EndDate", "ORDER BY PERIOD_BEG, rowid"});
    q.bind("sBudgLink", link);
    q.bind("StartDate", o.from);
    q.bind("EndDate", o.to);
    q.open();
    std::vector<PlanPeriodLine> out;
    qint64 cents = 0;
    for (; !q.eof(); q.next()) {
        out.push_back({q.date("PERIOD_BEG"), q.date("PERIOD_END"), roundTo(q.number(2), 2)});
        cents += store::fmt::cents(q.number(2));
    }
    *total = cents / 100.0;
    return out;
}

PlanSection sectionOf(store::Connection& c, const BusinessPlanOptions& o, const QString& type) {
    PlanSection s;
    store::Query q(c);
    q.setSql({"SELECT B.BUDGLINK, B.BUDGCODE, B.DESCR, A.DESCR AS ADESCR, B.BUD_START, B.BUD_FIN",
              "FROM QVBUDCNTR B JOIN QVACCDET A ON A.FULLCODE = B.FULLCODE",
              "WHERE " + accountFilter(o), "AND A.TYPECODE = '" + type + "' AND B.STATUS =:sStatus",
              "AND B.BUD_START BETWEEN :StartDate AND :EndDate",
              "AND B.BUD_FIN BETWEEN :StartDate AND :EndDate", "ORDER BY B.FULLCODE, B.rowid"});
    bindFilter(q, o);
    q.open();
    for (; !q.eof(); q.next()) {
        PlanBudget b;
        b.code = q.text("BUDGCODE").trimmed();
        b.descr = (type == QLatin1String("INC") ? q.text("ADESCR") : q.text("DESCR")).trimmed();
        b.start = q.date("BUD_START");
        b.finish = q.date("BUD_FIN");
        b.periods = periodsInRange(c, q.text("BUDGLINK").trimmed(), o, &b.total);
        s.budgets.push_back(b);
    }
    store::Query sum(c);
    sum.setSql({"SELECT SUM(P.TAMOUNT) FROM QVACCBUD P",
                "JOIN QVBUDCNTR B ON B.BUDGLINK = P.BUDGLINK",
                "JOIN QVACCDET A ON A.FULLCODE = P.FULLCODE", "WHERE " + accountFilter(o),
                "AND A.TYPECODE = '" + type + "' AND B.STATUS =:sStatus",
                "AND P.PERIOD_BEG BETWEEN :StartDate AND :EndDate",
                "AND P.PERIOD_END BETWEEN :StartDate AND :EndDate"});
    bindFilter(sum, o);
    sum.open();
    s.total = sum.eof() ? 0 : roundTo(sum.number(0), 2);
    return s;
}

QString departmentName(store::Connection& c, const QString& linkCode) {
    store::Query q(c);
    q.setSql({"SELECT BUSNAME FROM QVCOY", "WHERE LINKCODE =:sLinkCode"});
    q.bind("sLinkCode", linkCode);
    q.open();
    return q.eof() ? QString() : q.text("BUSNAME").trimmed();
}

void addSection(reports::ReportDocument& doc, const PlanSection& s, const QString& header,
                const QString& footer, bool summaryOnly) {
    using reports::BandKind;
    const auto date = [](const QDate& d) { return store::fmt::shortDate(d); };
    doc.addSpan(BandKind::GroupHeader, header, true);
    for (const PlanBudget& b : s.budgets) {
        doc.addRow(
            BandKind::Detail,
            {b.code, b.descr, "From : " + date(b.start), "To : " + date(b.finish), QString()},
            true);
        if (!summaryOnly)
            for (const PlanPeriodLine& p : b.periods)
                doc.addRow(BandKind::Detail,
                           {QString(), QString(), date(p.begin), date(p.end), money(p.amount)});
        doc.addRow(BandKind::GroupFooter,
                   {QString(), QString(), QString(), QStringLiteral("Total this account : "),
                    money(b.total)},
                   false, true);
    }
    doc.addRow(BandKind::GroupFooter, {QString(), footer, QString(), QString(), money(s.total)},
               true, true);
}

}  // namespace

double BusinessPlanData::revenue() const { return roundTo(income.total - expenses.total, 2); }

bool BusinessPlanData::empty() const {
    return income.budgets.empty() && expenses.budgets.empty() &&
           store::fmt::cents(income.total) == 0 && store::fmt::cents(expenses.total) == 0;
}

BusinessPlanData businessPlanData(store::Connection& c, const BusinessPlanOptions& o) {
    BusinessPlanData d;
    d.companyLine =
        QStringLiteral("Business Plan for :  ") + ledger::companyName(c, o.coy).trimmed();
    if (!o.linkCode.isEmpty())
        d.companyLine +=
            QStringLiteral(" and for : ") + QStringLiteral(" ") + departmentName(c, o.linkCode);
    d.rangeLine = QStringLiteral("Business plan between : ") + store::fmt::shortDate(o.from) +
                  QStringLiteral(" ") + QStringLiteral("and ") + store::fmt::shortDate(o.to);
    d.income = sectionOf(c, o, QStringLiteral("INC"));
    d.expenses = sectionOf(c, o, QStringLiteral("EXP"));
    return d;
}

reports::ReportDocument businessPlanDocument(const BusinessPlanData& d, bool summaryOnly) {
    using reports::BandKind;
    reports::ReportDocument doc;
    doc.name = QStringLiteral("QVBPlanR");
    doc.orientation = QPageLayout::Landscape;
    doc.printedOn = QDate::currentDate();
    if (d.empty()) return doc;  // nothing in the range prints nothing
    doc.columns = {{QStringLiteral("Account Code"), 35},
                   {QStringLiteral("Narrative"), 95},
                   {QStringLiteral("Period Beginning Date"), 45},
                   {QStringLiteral("Period Ending Date"), 45},
                   {QStringLiteral("Total Budget"), 40, Qt::AlignRight}};
    doc.addTitle(QStringLiteral("Business Plan - Income & Expense Budgets"));
    doc.addTitle(d.companyLine, false);
    doc.addTitle(d.rangeLine, false);
    doc.addColumnHeader();
    addSection(doc, d.income, QStringLiteral("Income :"), QStringLiteral("Total Budgeted Income :"),
               summaryOnly);
    addSection(doc, d.expenses, QStringLiteral("Expenses :"),
               QStringLiteral("Total Budgeted Expenses"), summaryOnly);
    doc.addRow(BandKind::Summary,
               {QString(), QStringLiteral("Budgeted revenue : "), QString(), QString(),
                money(d.revenue())},
               true, true);
    return doc;
}

TBusinessPlanReportForm::TBusinessPlanReportForm(store::Connection& connection,
                                                 const QString& coyCode, const QString& linkCode,
                                                 const BusinessPlanOptions& choices)
    : summaryOnly_(choices.summaryOnly) {
    BusinessPlanOptions o = choices;
    o.coy = coyCode.toInt();
    o.linkCode = linkCode.trimmed();
    data_ = businessPlanData(connection, o);
}

}  // namespace budgets
