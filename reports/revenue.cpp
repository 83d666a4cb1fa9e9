#include "reports/revenue.h"

#include "ledger/account_totals.h"
#include "ledger/last_lines.h"
#include "reports/company.h"
#include "store/connection.h"
#include "store/format.h"
#include "store/query.h"

namespace reports {
namespace {

using store::fmt::roundTo;
constexpr int kWhollyDomestic = 100;

// What the lines with an amount add under the options: AMOUNT, BUSAMT, AMOUNT - GSTAMT or
// BUSAMT - GSTAMT.
qint64 revenueLineAmount(const RevenueOptions& o, const ledger::LineSums& sums) {
    const qint64 base = o.taxableOnly ? sums.businessOfAmounts : sums.amount;
    return o.excludeTax ? base - sums.taxOfAmounts : base;
}

}  // namespace

double RevenueFigures::netRevenue() const { return roundTo(totalIncome - totalExpenses, 2); }

TBusinessRevenueReport::TBusinessRevenueReport(store::Connection& connection, int coy,
                                               const QString& linkCode, const QDate& from,
                                               const QDate& to, const RevenueOptions& options)
    : connection_(connection),
      coy_(coy),
      linkCode_(linkCode.trimmed()),
      from_(from),
      to_(to),
      options_(options) {}

// An account prints only when the last line of the period in date order (lines of one date in
// the order written) has an amount; then its lines with an amount are summed.
void TBusinessRevenueReport::account(const QString& code, const QString& description, bool income) {
    const auto last = lastAmounts_.find(code);
    if (last == lastAmounts_.end() || store::fmt::cents(last->second) == 0) return;

    const ledger::LineSums sums = ledger::sumsOf(period_, code);
    const double amount = ledger::moneyOf(revenueLineAmount(options_, sums));
    if (income) {
        figures_.income.push_back({code, description, amount});
        figures_.totalIncome = roundTo(figures_.totalIncome + amount, 2);
    } else {
        figures_.expenses.push_back({code, description, amount});
        figures_.totalExpenses = roundTo(figures_.totalExpenses + amount, 2);
    }
}

void TBusinessRevenueReport::begin() {
    figures_ = RevenueFigures{};
    figures_.from = from_;
    figures_.to = to_;
    figures_.companyName = companyName(connection_, coy_);
    period_ = ledger::lineSumsByAccount(connection_, {QString::number(coy_), {}, {}, false},
                                        ledger::DateSpan::between(from_, to_));
    lastAmounts_ = ledger::lastLineAmounts(connection_, QString::number(coy_), from_, to_, period_);
    if (!linkCode_.isEmpty()) {
        store::Query dept(connection_);
        dept.setSql({"SELECT BUSNAME FROM QVCOY", "WHERE LINKCODE =:sLinkCode"});
        dept.bind("sLinkCode", linkCode_);
        dept.open();
        if (!dept.eof()) figures_.departmentName = dept.text("BUSNAME");
    }

    for (const bool income : {true, false}) {
        store::Query list(connection_);
        QStringList sql = {"SELECT ACCTCODE, DESCR FROM QVACCDET D", "WHERE D.COYCODE =:iCoyCode"};
        if (!linkCode_.isEmpty()) sql << "AND D.LINKCODE =:sLinkCode";
        sql << "AND D.TYPECODE =:sTypeCode"
            << "AND D.ALLOCPER <>:dAllocPer"
            << "AND D.INCLPL =:iInclPL"
            << "ORDER BY D.ACCTCODE";
        list.setSql(sql);
        list.bind("iCoyCode", QString::number(coy_));
        if (!linkCode_.isEmpty()) list.bind("sLinkCode", linkCode_);
        list.bind("sTypeCode", income ? QStringLiteral("INC") : QStringLiteral("EXP"));
        list.bind("dAllocPer", kWhollyDomestic);
        list.bind("iInclPL", 1);
        list.open();
        for (; !list.eof(); list.next()) {
            const QString code = list.text("ACCTCODE");
            const QString description = list.text("DESCR");
            addTask([this, code, description, income] { account(code, description, income); });
        }
    }
}

ReportDocument TBusinessRevenueReport::document() const {
    ReportDocument doc;
    doc.name = QStringLiteral("RevenueStatement");
    doc.printedOn = QDate::currentDate();
    doc.columns = {{QStringLiteral("Code"), 28, Qt::AlignLeft},
                   {QStringLiteral("Description"), 88, Qt::AlignLeft},
                   {QStringLiteral("Income"), 32, Qt::AlignRight},
                   {QStringLiteral("Expenditure"), 32, Qt::AlignRight}};
    QString title = QStringLiteral("Revenue Statement for :  ") + figures_.companyName;
    if (!linkCode_.isEmpty()) title += QStringLiteral(" and : ") + " " + figures_.departmentName;
    doc.addTitle(title);
    doc.addTitle(QStringLiteral("Between : ") + store::fmt::shortDate(figures_.from) + " " +
                     "and " + store::fmt::shortDate(figures_.to) +
                     (options_.excludeTax ? QStringLiteral("    Amounts exclude GST")
                                          : QStringLiteral("    Amounts include GST")),
                 false);
    doc.addColumnHeader();
    const QString m = QString();
    for (const RevenueRow& r : figures_.income)
        doc.addRow(BandKind::Detail, {r.code, r.description, store::fmt::money(r.amount), m});
    doc.addRow(BandKind::GroupFooter,
               {m, QStringLiteral("Total Income :"), store::fmt::money(figures_.totalIncome), m},
               true, true);
    for (const RevenueRow& r : figures_.expenses)
        doc.addRow(BandKind::Detail, {r.code, r.description, m, store::fmt::money(r.amount)});
    doc.addRow(BandKind::GroupFooter,
               {m, QStringLiteral("Total Expenses"), m, store::fmt::money(figures_.totalExpenses)},
               true, true);
    doc.addRow(BandKind::Summary,
               {m, QStringLiteral("Net revenue : "), m, store::fmt::money(figures_.netRevenue())},
               true, true);
    return doc;
}

}  // namespace reports
