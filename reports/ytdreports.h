#pragma once
// The three year-to-date reports. Each prints the rows one run wrote into the work tables
// under its key: Actuals vs Budget for one month (`TYTDBudget_Vs_ActualsForm`) or two months
// (`TYTDActuals_Vs_Budgets_2mth`), and Actuals to Date (`TYTDActuals`).

#include <QString>
#include <QStringList>

#include "reports/crosstab.h"
#include "reports/ytdfigures.h"

namespace store {
class Connection;
}

namespace reports {

class CrossTabReport {
public:
    const CrossTab& figures() const { return tab_; }
    ReportDocument document() const { return crossTabDocument(layout_, tab_); }

protected:
    CrossTabReport(store::Connection& connection, const CrossTabLayout& layout, const QString& key);

private:
    const CrossTabLayout& layout_;
    CrossTab tab_;
};

class TYTDBudget_Vs_ActualsForm : public CrossTabReport {
public:
    TYTDBudget_Vs_ActualsForm(store::Connection& connection, const QString& key);
};

class TYTDActuals_Vs_Budgets_2mth : public CrossTabReport {
public:
    TYTDActuals_Vs_Budgets_2mth(store::Connection& connection, const QString& key);
};

class TYTDActuals : public CrossTabReport {
public:
    TYTDActuals(store::Connection& connection, const QString& key);
};

// The work tables each selection window fills and empties after its run.
QStringList comparisonWorkTables();
QStringList actualsWorkTables();

// Writes the prepared figures as a run and reads the run back as its report.
ReportDocument comparisonReport(store::Connection& connection, const ComparisonFigures& figures);
ReportDocument actualsReport(store::Connection& connection, const ActualsFigures& figures);

}  // namespace reports
