#pragma once
// The figures of the year-to-date reports, as rows for the work tables.
//
// Actuals vs Budget: for one or two months and for the year to date, each account's actual,
// budget and variance, and the budget still remaining. Actuals, in the months and in the year
// to date alike, are the business amounts, less the tax when "Exclude tax." is ticked, so the
// months add up to the year to date.
// Actuals to Date: twelve months of actual amounts from the start of the period and their total.

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "reports/crosstab.h"
#include "reports/preparation.h"

namespace store {
class Connection;
}

namespace reports {

// ---- Rules without the store ----------------------------------------------------------------

struct DateRange {
    QDate from, to;
};

// A month of the reports: from `start` to the last day of its month.
DateRange monthFrom(const QDate& start);
// `count` months: the first from `start`, each later one from the first day of the next month.
std::vector<DateRange> reportMonths(const QDate& start, int count);

struct BudgetPeriod {
    QDate begin, end;
    double amount = 0;  // BAMOUNT + DAMOUNT
};

struct AccountBudget {
    double total = 0;                   // the header's TOTAMOUNT
    std::vector<BudgetPeriod> periods;  // in the order stored
};

// The first period that is exactly the month; 0 when none is (quarters never match a month).
double monthBudget(const AccountBudget& budget, const DateRange& month);
// The periods lying wholly inside the range.
double rangeBudget(const AccountBudget& budget, const DateRange& range);
// The budget total less the year's actuals; for an account that is not income a negative
// remainder is 0.
double remainingBudget(double total, double actual, bool income);

// What one account of the actuals-vs-budget report is made from.
struct ComparisonInput {
    std::vector<double> monthActuals;  // one per month
    double yearActual = 0;
    std::optional<AccountBudget> budget;
    bool yearToDate = true;  // false for a wholly private account: no year-to-date figures
    bool income = false;     // TYPECODE "INC"
};

// The row's figures in the columns of the one- or two-month layout: per month actual, budget,
// variance; then year-to-date actual, budget, variance and the remaining budget.
std::vector<double> comparisonValues(const ComparisonInput& in,
                                     const std::vector<DateRange>& months,
                                     const DateRange& yearToDate);

// "From  <start> to <end>" and the other header texts.
QString fromToText(const QDate& from, const QDate& to);
QString monthName(const QDate& date);  // "April"

// ---- Preparations over the books ------------------------------------------------------------

// The account list of a company, or of one department (its LINKCODE), as the reports walk it:
// first the accounts of report category "I", then "E", then "O".
struct ReportAccount {
    QString acctCode, fullCode, description, typeCode, rptCat, budgLink;
    int domestic = 0, allocPer = 0;
};
std::vector<ReportAccount> reportAccounts(store::Connection& connection, int coy,
                                          const QString& linkCode);

struct ComparisonSelection {
    int coy = 1;
    QString linkCode;  // a department's LINKCODE, or empty for the whole company
    QDate firstMonth;
    int months = 1;  // 1 or 2
    QDate yearStart, periodEnd;
    bool excludeTax = false;
};

// Actuals vs Budget: one task per account.
class ComparisonFigures : public Preparation {
public:
    ComparisonFigures(store::Connection& connection, const ComparisonSelection& selection);

    const CrossTabLayout& layout() const;
    const CrossTabHeader& header() const { return header_; }
    const std::vector<CrossTabRow>& rows() const { return rows_; }

protected:
    void begin() override;
    void finish() override {}

private:
    void account(const ReportAccount& a);

    store::Connection& connection_;
    ComparisonSelection selection_;
    CrossTabHeader header_;
    std::vector<CrossTabRow> rows_;
};

struct ActualsSelection {
    int coy = 1;
    QString linkCode;
    QDate from, to;
    bool excludeTax = false;
};

// Actuals to Date: one task per account.
class ActualsFigures : public Preparation {
public:
    ActualsFigures(store::Connection& connection, const ActualsSelection& selection);

    const CrossTabHeader& header() const { return header_; }
    const std::vector<CrossTabRow>& rows() const { return rows_; }

protected:
    void begin() override;
    void finish() override {}

private:
    void account(const ReportAccount& a);

    store::Connection& connection_;
    ActualsSelection selection_;
    CrossTabHeader header_;
    std::vector<CrossTabRow> rows_;
};

}  // namespace reports
