#pragma once
// The budget report: each selected budget with its periods, the period's budget against the
// period's actual journal total and the variation, the year-to-date actuals and what remains.
// Computed as data first, then laid out as report bands; the company report and the
// department report differ only in the link code they read by.

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "reports/report.h"

namespace store {
class Connection;
}

namespace budgets {

// "  Select Report Type  ", index 0 to 3.
enum class BudgetSelection { ActiveOnly, TrialOnly, InactiveOnly, All };

struct BudgetReportOptions {
    int coy = 1;
    QString linkCode;  // the department's; empty for the company report
    QString fullCode;  // a single account chosen; empty otherwise
    BudgetSelection selection = BudgetSelection::ActiveOnly;
    QDate today;  // the year-to-date actuals run to this date
};

struct BudgetReportPeriod {
    QDate begin, end;
    double budget = 0;
    std::optional<double> actual;  // none when the period has no lines
    double variation = 0;          // favourable when positive
};

struct BudgetReportBlock {
    QString acctCode, descr;
    QDate start, finish;
    double total = 0, yearToDate = 0, remaining = 0;
    std::vector<BudgetReportPeriod> periods;
    double budgetSum = 0, actualSum = 0, variationSum = 0;
};

struct BudgetReportData {
    QString heading;        // "Budgets for :  " and the names
    QString selectionLine;  // "Active budgets only." and its like
    bool department = false;
    std::vector<BudgetReportBlock> budgets;
};

BudgetReportData budgetReportData(store::Connection& connection, const BudgetReportOptions& o);
// Two budgets to a page.
reports::ReportDocument budgetReportDocument(const BudgetReportData& data);

// The company budget report.
class TQVBudgetRptForm {
public:
    TQVBudgetRptForm(store::Connection& connection, const QString& coyCode, const QString& fullCode,
                     BudgetSelection selection);
    const BudgetReportData& data() const { return data_; }
    reports::ReportDocument document() const { return budgetReportDocument(data_); }

private:
    BudgetReportData data_;
};

// The same report for one department's link code.
class TQVDeptBudgetRptForm {
public:
    TQVDeptBudgetRptForm(store::Connection& connection, const QString& coyCode,
                         const QString& linkCode, const QString& fullCode,
                         BudgetSelection selection);
    const BudgetReportData& data() const { return data_; }
    reports::ReportDocument document() const { return budgetReportDocument(data_); }

private:
    BudgetReportData data_;
};

}  // namespace budgets
