#include "budgets/budget_report.h"

#include "ledger/company.h"
#include "store/connection.h"
#include "store/format.h"
#include "store/query.h"

namespace budgets {
namespace {

using store::fmt::money;
using store::fmt::roundTo;

QString selectionLineOf(const BudgetReportOptions& o) {
    if (!o.fullCode.isEmpty()) return QStringLiteral("All budgets for a selected account.");
    switch (o.selection) {
        case BudgetSelection::ActiveOnly:
            return QStringLiteral("Active budgets only.");
        case BudgetSelection::TrialOnly:
            return QStringLiteral("Trial budgets only.");
        case BudgetSelection::InactiveOnly:
            return QStringLiteral("Inactive budgets only.");
        case BudgetSelection::All:
            return QStringLiteral("All budgets, and all accounts.");
    }
    return {};
}

// The headers joined with their accounts, as the selection says.
QStringList budgetSelectionSql(const BudgetReportOptions& o) {
    const bool dept = !o.linkCode.isEmpty();
    QStringList sql = {"SELECT B.BUDGLINK, B.DESCR, B.BUD_START, B.BUD_FIN, B.TOTAMOUNT,",
                       "A.ACCTCODE AS ACCTCODE_1, A.FULLCODE AS AFULL, A.TYPECODE",
                       "FROM QVBUDCNTR B JOIN QVACCDET A ON A.FULLCODE = B.FULLCODE"};
    if (!o.fullCode.isEmpty() || o.selection == BudgetSelection::ActiveOnly) {
        sql << (dept ? "WHERE A.LINKCODE =:sLink" : "WHERE A.COYCODE =:sCoy");
        sql << (o.fullCode.isEmpty() ? "AND B.BUDGLINK = A.BUDGLINK AND A.BUDGLINK <> ''"
                                     : "AND A.FULLCODE =:sFullCode");
        sql << (o.fullCode.isEmpty() ? "ORDER BY A.ACCTCODE, B.rowid" : "ORDER BY B.rowid");
        return sql;
    }
    sql << (dept ? "WHERE B.LINKCODE =:sLink" : "WHERE B.COYCODE =:sCoy");
    if (o.selection == BudgetSelection::TrialOnly) sql << "AND B.STATUS = 'T'";
    if (o.selection == BudgetSelection::InactiveOnly) sql << "AND B.STATUS = 'I'";
    sql << "ORDER BY A.ACCTCODE, B.rowid";
    return sql;
}

// SUM(AMOUNT) of the company's (or department's) lines of the account; none without lines.
std::optional<double> actualsOf(store::Connection& c, const BudgetReportOptions& o,
                                const QString& fullCode, const QDate& from, const QDate& to) {
    store::Query q(c);
    q.setSql({"SELECT SUM(AMOUNT), COUNT(*) FROM QVACTTR",
              o.linkCode.isEmpty() ? "WHERE COYCODE =:sCoy" : "WHERE LINKCODE =:sLink",
              "AND FULLCODE =:sFullCode", "AND (TRANDATE BETWEEN :StartDate AND :EndDate)"});
    if (o.linkCode.isEmpty())
        q.bind("sCoy", QString::number(o.coy));
    else
        q.bind("sLink", o.linkCode);
    q.bind("sFullCode", fullCode);
    q.bind("StartDate", from);
    q.bind("EndDate", to);
    q.open();
    if (q.eof() || q.number(1) == 0) return std::nullopt;
    return roundTo(q.number(0), 2);
}

void addPeriods(store::Connection& c, const BudgetReportOptions& o, const QString& link,
                const QString& fullCode, bool income, BudgetReportBlock& block) {
    store::Query q(c);
    q.setSql({"SELECT PERIOD_BEG, PERIOD_END, BAMOUNT + DAMOUNT AS BUDGET FROM QVACCBUD",
              "WHERE BUDGLINK =:sLink", "ORDER BY PERIOD_END, rowid"});
    q.bind("sLink", link);
    q.open();
    qint64 budgets = 0, actuals = 0, variations = 0;
    for (; !q.eof(); q.next()) {
        BudgetReportPeriod p{q.date("PERIOD_BEG"), q.date("PERIOD_END"),
                             roundTo(q.number("BUDGET"), 2)};
        p.actual = actualsOf(c, o, fullCode, p.begin, p.end);
        const double a = p.actual.value_or(0);
        p.variation = roundTo(income ? a - p.budget : p.budget - a, 2);
        budgets += store::fmt::cents(p.budget);
        actuals += store::fmt::cents(a);
        variations += store::fmt::cents(p.variation);
        block.periods.push_back(p);
    }
    block.budgetSum = budgets / 100.0;
    block.actualSum = actuals / 100.0;
    block.variationSum = variations / 100.0;
}

QString departmentNameOf(store::Connection& c, const QString& linkCode) {
    store::Query q(c);
    q.setSql({"SELECT BUSNAME FROM QVCOY", "WHERE LINKCODE =:sLinkCode"});
    q.bind("sLinkCode", linkCode);
    q.open();
    return q.eof() ? QString() : q.text("BUSNAME").trimmed();
}

}  // namespace

BudgetReportData budgetReportData(store::Connection& c, const BudgetReportOptions& o) {
    BudgetReportData data;
    data.department = !o.linkCode.isEmpty();
    data.heading = QStringLiteral("Budgets for :  ") + ledger::companyName(c, o.coy).trimmed();
    if (data.department)
        data.heading +=
            QStringLiteral(" and for ") + QStringLiteral(" ") + departmentNameOf(c, o.linkCode);
    data.selectionLine = selectionLineOf(o);
    const QDate today = o.today.isValid() ? o.today : QDate::currentDate();
    store::Query q(c);
    q.setSql(budgetSelectionSql(o));
    if (data.department)
        q.bind("sLink", o.linkCode);
    else
        q.bind("sCoy", QString::number(o.coy));
    if (!o.fullCode.isEmpty()) q.bind("sFullCode", o.fullCode);
    q.open();
    for (; !q.eof(); q.next()) {
        BudgetReportBlock b;
        b.acctCode = q.text("ACCTCODE_1").trimmed();
        b.descr = q.text("DESCR").trimmed();
        b.start = q.date("BUD_START");
        b.finish = q.date("BUD_FIN");
        b.total = roundTo(q.number("TOTAMOUNT"), 2);
        const QString fullCode = q.text("AFULL").trimmed();
        b.yearToDate = actualsOf(c, o, fullCode, b.start, today).value_or(0);
        b.remaining = roundTo(b.total - b.yearToDate, 2);
        addPeriods(c, o, q.text("BUDGLINK").trimmed(), fullCode,
                   q.text("TYPECODE").trimmed() == QLatin1String("INC"), b);
        data.budgets.push_back(b);
    }
    return data;
}

reports::ReportDocument budgetReportDocument(const BudgetReportData& data) {
    using reports::BandKind;
    reports::ReportDocument doc;
    doc.name = data.department ? QStringLiteral("QVDeptBudgetRpt") : QStringLiteral("QVBudgetRpt");
    doc.printedOn = QDate::currentDate();
    doc.columns = {{QStringLiteral("Period Begins"), 34},
                   {QStringLiteral("Period Ends"), 34},
                   {QStringLiteral("Budget Amount "), 34, Qt::AlignRight},
                   {QStringLiteral("Actual Amount"), 34, Qt::AlignRight},
                   {QStringLiteral("Variation"), 34, Qt::AlignRight}};
    doc.addTitle(data.heading);
    doc.addTitle(data.selectionLine, false);
    const auto date = [](const QDate& d) { return store::fmt::shortDate(d); };
    for (size_t i = 0; i < data.budgets.size(); ++i) {
        const BudgetReportBlock& b = data.budgets[i];
        doc.addSpan(BandKind::GroupHeader,
                    QStringLiteral("Account Code ") + b.acctCode + QStringLiteral("  ") + b.descr,
                    true);
        if (i > 0 && i % 2 == 0) doc.bands.back().newPage = true;
        doc.addSpan(BandKind::GroupHeader, QStringLiteral("Budget is from : ") + date(b.start) +
                                               QStringLiteral("  to : ") + date(b.finish));
        doc.addRow(BandKind::GroupHeader,
                   {QStringLiteral("Total budget :"), money(b.total),
                    QStringLiteral("Y.T.D. Actuals :"), money(b.yearToDate)});
        doc.addRow(BandKind::GroupHeader,
                   {QStringLiteral("Remaining Budget :"), money(b.remaining)});
        doc.addColumnHeader();
        for (const BudgetReportPeriod& p : b.periods) {
            const QString actual = p.actual          ? money(*p.actual)
                                   : data.department ? QString()
                                                     : money(0);
            doc.addRow(BandKind::Detail,
                       {date(p.begin), date(p.end), money(p.budget), actual, money(p.variation)});
        }
        doc.addRow(BandKind::GroupFooter,
                   {QStringLiteral("Totals "), QString(), money(b.budgetSum), money(b.actualSum),
                    money(b.variationSum)},
                   true, true);
    }
    return doc;
}

TQVBudgetRptForm::TQVBudgetRptForm(store::Connection& connection, const QString& coyCode,
                                   const QString& fullCode, BudgetSelection selection)
    : data_(budgetReportData(connection, {coyCode.toInt(), {}, fullCode.trimmed(), selection})) {}

TQVDeptBudgetRptForm::TQVDeptBudgetRptForm(store::Connection& connection, const QString& coyCode,
                                           const QString& linkCode, const QString& fullCode,
                                           BudgetSelection selection)
    : data_(budgetReportData(
          connection, {coyCode.toInt(), linkCode.trimmed(), fullCode.trimmed(), selection})) {}

}  // namespace budgets
