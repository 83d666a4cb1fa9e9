#include "reports/ytdfigures.h"

#include <QLocale>
#include <algorithm>

#include "ledger/account_totals.h"
#include "reports/company.h"
#include "store/connection.h"
#include "store/format.h"
#include "store/query.h"

namespace reports {
namespace {

using store::fmt::roundTo;
constexpr int kPrivateWhole = 100;
constexpr int kActualsMonths = 12;

QString departmentName(store::Connection& connection, const QString& linkCode) {
    store::Query q(connection);
    q.setSql({"SELECT BUSNAME FROM QVCOY", "WHERE LINKCODE =:sLinkCode"});
    q.bind("sLinkCode", linkCode);
    q.open();
    return q.eof() ? QString() : q.text("BUSNAME");
}

// What a report adds up of an account's lines.
enum class Measure { Amount, AmountLessTax, Business, BusinessLessTax };

qint64 measured(const ledger::LineSums& s, Measure m) {
    switch (m) {
        case Measure::Amount:
            return s.amount;
        case Measure::AmountLessTax:
            return s.amount - s.tax;
        case Measure::Business:
            return s.business;
        case Measure::BusinessLessTax:
            return s.business - s.tax;
    }
    return 0;
}

// The measure of the account's journal lines in each range, from the totals per month (read
// once for all the ranges) and the lines of the days at the ends of a range.
std::vector<double> rangeSums(store::Connection& connection, const QString& fullCode,
                              const std::vector<DateRange>& ranges, Measure measure) {
    std::vector<ledger::DateSpan> spans;
    for (const DateRange& r : ranges) spans.push_back(ledger::DateSpan::between(r.from, r.to));
    const ledger::LineSelection account{QString(), QString(), fullCode, false};
    std::vector<double> out;
    for (const ledger::LineSums& sums : ledger::lineSumsOfSpans(connection, account, spans))
        out.push_back(ledger::moneyOf(measured(sums, measure)));
    return out;
}

// The account's budget when its BUDGLINK finds a budget header.
std::optional<AccountBudget> accountBudget(store::Connection& connection, const QString& link) {
    if (link.trimmed().isEmpty()) return std::nullopt;
    store::Query head(connection);
    head.setSql({"SELECT TOTAMOUNT FROM QVBUDCNTR", "WHERE BUDGLINK =:sBudgLink", "LIMIT 1"});
    head.bind("sBudgLink", link);
    head.open();
    if (head.eof()) return std::nullopt;
    AccountBudget budget;
    budget.total = head.number(0);
    store::Query periods(connection);
    periods.setSql({"SELECT PERIOD_BEG, PERIOD_END, BAMOUNT, DAMOUNT FROM QVACCBUD",
                    "WHERE BUDGLINK =:sBudgLink", "ORDER BY rowid"});
    periods.bind("sBudgLink", link);
    periods.open();
    for (; !periods.eof(); periods.next())
        budget.periods.push_back({periods.date("PERIOD_BEG"), periods.date("PERIOD_END"),
                                  periods.number("BAMOUNT") + periods.number("DAMOUNT")});
    return budget;
}

QString runTitle(store::Connection& connection, int coy, const QString& linkCode,
                 const QString& company, const QString& department) {
    if (linkCode.isEmpty()) return company + companyName(connection, coy);
    return department + departmentName(connection, linkCode);
}

}  // namespace

DateRange monthFrom(const QDate& start) {
    return {start, QDate(start.year(), start.month(), start.daysInMonth())};
}

std::vector<DateRange> reportMonths(const QDate& start, int count) {
    std::vector<DateRange> months;
    QDate s = start;
    for (int i = 0; i < count; ++i) {
        months.push_back(monthFrom(s));
        s = months.back().to.addDays(1);
    }
    return months;
}

double monthBudget(const AccountBudget& budget, const DateRange& month) {
    for (const BudgetPeriod& p : budget.periods)
        if (p.begin == month.from && p.end == month.to) return roundTo(p.amount, 2);
    return 0;
}

double rangeBudget(const AccountBudget& budget, const DateRange& range) {
    double sum = 0;
    for (const BudgetPeriod& p : budget.periods)
        if (p.begin >= range.from && p.end <= range.to) sum += p.amount;
    return roundTo(sum, 2);
}

double remainingBudget(double total, double actual, bool income) {
    const double left = roundTo(total - actual, 2);
    return !income && left < 0 ? 0.0 : left;
}

std::vector<double> comparisonValues(const ComparisonInput& in,
                                     const std::vector<DateRange>& months,
                                     const DateRange& yearToDate) {
    std::vector<double> v;
    for (size_t m = 0; m < months.size(); ++m) {
        const double actual = roundTo(in.monthActuals.at(m), 2);
        const double budget = in.budget ? monthBudget(*in.budget, months[m]) : 0.0;
        v.insert(v.end(), {actual, budget, roundTo(actual - budget, 2)});
    }
    if (!in.yearToDate) {
        v.insert(v.end(), {0.0, 0.0, 0.0, 0.0});
        return v;
    }
    const double actual = roundTo(in.yearActual, 2);
    const double budget = in.budget ? rangeBudget(*in.budget, yearToDate) : 0.0;
    const double remainder = in.budget ? remainingBudget(in.budget->total, actual, in.income) : 0.0;
    v.insert(v.end(), {actual, budget, roundTo(actual - budget, 2), remainder});
    return v;
}

QString fromToText(const QDate& from, const QDate& to) {
    return QStringLiteral("From  ") + store::fmt::shortDate(from) + " " + "to" + " " +
           store::fmt::shortDate(to);
}

QString monthName(const QDate& date) {
    return QLocale(QLocale::English).toString(date, QStringLiteral("MMMM"));
}

std::vector<ReportAccount> reportAccounts(store::Connection& connection, int coy,
                                          const QString& linkCode) {
    std::vector<ReportAccount> out;
    for (const QString& category : kReportCategories) {
        store::Query q(connection);
        QStringList sql{"SELECT ACCTCODE, FULLCODE, DESCR, TYPECODE, RPTCAT, BUDGLINK, DOMESTIC,",
                        "ALLOCPER FROM QVACCDET", "WHERE COYCODE =:sCoyCode"};
        if (!linkCode.isEmpty()) sql << "AND LINKCODE =:sLinkCode";
        sql << "AND RPTCAT =:sRptCat"
            << "ORDER BY rowid";
        q.setSql(sql);
        q.bind("sCoyCode", QString::number(coy));
        if (!linkCode.isEmpty()) q.bind("sLinkCode", linkCode);
        q.bind("sRptCat", category);
        q.open();
        for (; !q.eof(); q.next())
            out.push_back({q.text("ACCTCODE"), q.text("FULLCODE"), q.text("DESCR"),
                           q.text("TYPECODE"), q.text("RPTCAT"), q.text("BUDGLINK"),
                           int(q.integer("DOMESTIC")), int(q.integer("ALLOCPER"))});
    }
    return out;
}

// ---- Actuals vs Budget ----------------------------------------------------------------------

ComparisonFigures::ComparisonFigures(store::Connection& connection,
                                     const ComparisonSelection& selection)
    : connection_(connection), selection_(selection) {
    selection_.months = std::clamp(selection_.months, 1, 2);
    selection_.linkCode = selection_.linkCode.trimmed();
}

const CrossTabLayout& ComparisonFigures::layout() const {
    return selection_.months == 1 ? oneMonthLayout() : twoMonthLayout();
}

void ComparisonFigures::begin() {
    const ComparisonSelection& s = selection_;
    rows_.clear();
    header_ = CrossTabHeader{};
    header_.busName = runTitle(connection_, s.coy, s.linkCode,
                               QStringLiteral("Company - Actuals vs Budget for:  "),
                               QStringLiteral("Department - Actuals vs Budget for:  "));
    header_.fromTo = fromToText(s.yearStart, s.periodEnd);
    header_.current = QStringLiteral("Selected date ") +
                      QLocale(QLocale::English).toString(s.firstMonth, QStringLiteral("MMMM yyyy"));
    header_.toDate = QStringLiteral("Y.T.D. Figures to ") + store::fmt::shortDate(s.periodEnd);
    for (const DateRange& m : reportMonths(s.firstMonth, s.months))
        header_.columnHeaders << monthName(m.from);
    for (const ReportAccount& a : reportAccounts(connection_, s.coy, s.linkCode)) {
        if (a.domestic == 1 && a.allocPer == kPrivateWhole) continue;  // no row at all
        addTask([this, a] { account(a); });
    }
}

void ComparisonFigures::account(const ReportAccount& a) {
    const ComparisonSelection& s = selection_;
    const std::vector<DateRange> months = reportMonths(s.firstMonth, s.months);
    const DateRange year{s.yearStart, s.periodEnd};
    // One measure for the months and the year to date.
    const Measure amount = s.excludeTax ? Measure::BusinessLessTax : Measure::Business;
    std::vector<DateRange> ranges = months;
    ranges.push_back(year);
    const std::vector<double> sums = rangeSums(connection_, a.fullCode, ranges, amount);

    ComparisonInput in;
    in.monthActuals.assign(sums.begin(), sums.begin() + s.months);
    in.yearActual = sums.back();
    in.budget = accountBudget(connection_, a.budgLink);
    in.yearToDate = a.allocPer != kPrivateWhole;
    in.income = a.typeCode.trimmed() == QLatin1String("INC");
    rows_.push_back({a.acctCode, a.rptCat, a.description, comparisonValues(in, months, year)});
}

// ---- Actuals to Date ------------------------------------------------------------------------

ActualsFigures::ActualsFigures(store::Connection& connection, const ActualsSelection& selection)
    : connection_(connection), selection_(selection) {
    selection_.linkCode = selection_.linkCode.trimmed();
}

void ActualsFigures::begin() {
    const ActualsSelection& s = selection_;
    rows_.clear();
    header_ = CrossTabHeader{};
    header_.busName = runTitle(connection_, s.coy, s.linkCode,
                               QStringLiteral("Income/expenditure summary for:  "),
                               QStringLiteral("Income/expenditure summary for:  "));
    header_.fromTo = fromToText(s.from, s.to);
    header_.toDate = QStringLiteral("Y.T.D. to ") + store::fmt::shortDate(s.to);
    for (const DateRange& m : reportMonths(s.from, kActualsMonths))
        header_.columnHeaders << monthName(m.from);
    for (const ReportAccount& a : reportAccounts(connection_, s.coy, s.linkCode))
        addTask([this, a] { account(a); });
}

void ActualsFigures::account(const ReportAccount& a) {
    const Measure amount = selection_.excludeTax ? Measure::AmountLessTax : Measure::Amount;
    std::vector<double> values =
        rangeSums(connection_, a.fullCode, reportMonths(selection_.from, kActualsMonths), amount);
    double total = 0;
    for (double v : values) total += v;
    values.push_back(roundTo(total, 2));
    rows_.push_back({a.acctCode, a.rptCat, a.description, std::move(values)});
}

}  // namespace reports
