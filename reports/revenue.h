#pragma once
// The revenue statement: the total of every profit-and-loss income and expenditure account of
// the company or of one department, total income, total expenses and net revenue, with or
// without the sales tax and with the full or only the business amounts.

#include <QDate>
#include <QString>
#include <map>
#include <vector>

#include "ledger/account_totals.h"
#include "reports/preparation.h"
#include "reports/report.h"

namespace store {
class Connection;
}

namespace reports {

struct RevenueOptions {
    bool excludeTax = false;   // "Exclude tax."
    bool taxableOnly = false;  // "Taxable entries only": business amounts only
};

struct RevenueRow {
    QString code, description;
    double amount = 0;
};

struct RevenueFigures {
    QString companyName;
    QString departmentName;  // empty for a whole-company statement
    QDate from, to;
    std::vector<RevenueRow> income, expenses;
    double totalIncome = 0, totalExpenses = 0;
    double netRevenue() const;
};

class TBusinessRevenueReport : public Preparation {
public:
    // linkCode: the department's LINKCODE, or empty for the whole company.
    TBusinessRevenueReport(store::Connection& connection, int coy, const QString& linkCode,
                           const QDate& from, const QDate& to, const RevenueOptions& options);

    const RevenueFigures& figures() const { return figures_; }
    ReportDocument document() const;

protected:
    void begin() override;
    void finish() override {}

private:
    void account(const QString& code, const QString& description, bool income);

    store::Connection& connection_;
    int coy_;
    QString linkCode_;
    QDate from_, to_;
    RevenueOptions options_;
    ledger::AccountSums period_;             // every account's line sums over the period
    std::map<QString, double> lastAmounts_;  // each account's last line in the period
    RevenueFigures figures_;
};

}  // namespace reports
