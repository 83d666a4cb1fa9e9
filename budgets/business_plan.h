#pragma once
// The business plan: the income budgets and the expense budgets that lie within a date range,
// their periods in the range, per-budget totals, the section totals and the budgeted revenue.
// Computed as data first, then laid out as report bands.

#include <QDate>
#include <QString>
#include <vector>

#include "reports/report.h"

namespace store {
class Connection;
}

namespace budgets {

struct BusinessPlanOptions {
    int coy = 1;
    QString linkCode;  // by department; empty for the whole company
    QDate from, to;
    // " Select Type ": only budgets of this STATUS count, so that a trial, an active and an
    // inactive budget of one account are never added together.
    QString status = QStringLiteral("A");
    bool includeDomestic = false;  // "All accounts - including domestic"
    bool summaryOnly = false;      // "Summary only"
};

struct PlanPeriodLine {
    QDate begin, end;
    double amount = 0;
};

struct PlanBudget {
    QString code, descr;  // descr: the account's for income, the budget's for expenses
    QDate start, finish;
    std::vector<PlanPeriodLine> periods;
    double total = 0;  // "Total this account : "
};

struct PlanSection {
    std::vector<PlanBudget> budgets;
    // Every in-range period of the chosen budgets of the section's accounts, listed or not:
    // a budget that starts before the range is not listed, yet its periods in the range count.
    double total = 0;
};

struct BusinessPlanData {
    QString companyLine;  // "Business Plan for :  " and the names
    QString rangeLine;    // "Business plan between : " ...
    PlanSection income, expenses;
    double revenue() const;
    bool empty() const;  // no budget and no period in the range
};

BusinessPlanData businessPlanData(store::Connection& connection, const BusinessPlanOptions& o);
reports::ReportDocument businessPlanDocument(const BusinessPlanData& data, bool summaryOnly);

// The business plan report (landscape, "QVBPlanR").
class TBusinessPlanReportForm {
public:
    TBusinessPlanReportForm(store::Connection& connection, const QString& coyCode,
                            const QString& linkCode, const BusinessPlanOptions& choices);
    const BusinessPlanData& data() const { return data_; }
    reports::ReportDocument document() const { return businessPlanDocument(data_, summaryOnly_); }

private:
    BusinessPlanData data_;
    bool summaryOnly_;
};

}  // namespace budgets
