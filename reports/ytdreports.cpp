#include "reports/ytdreports.h"

#include "reports/worktables.h"

namespace reports {

CrossTabReport::CrossTabReport(store::Connection& connection, const CrossTabLayout& layout,
                               const QString& key)
    : layout_(layout), tab_(readCrossTabRun(connection, layout, key)) {}

TYTDBudget_Vs_ActualsForm::TYTDBudget_Vs_ActualsForm(store::Connection& connection,
                                                     const QString& key)
    : CrossTabReport(connection, oneMonthLayout(), key) {}

TYTDActuals_Vs_Budgets_2mth::TYTDActuals_Vs_Budgets_2mth(store::Connection& connection,
                                                         const QString& key)
    : CrossTabReport(connection, twoMonthLayout(), key) {}

TYTDActuals::TYTDActuals(store::Connection& connection, const QString& key)
    : CrossTabReport(connection, actualsLayout(), key) {}

QStringList comparisonWorkTables() {
    return {QStringLiteral("QVRptHdr.DBF"), QStringLiteral("XTab1mth.DBF"),
            QStringLiteral("XTab2mth.DBF")};
}

QStringList actualsWorkTables() {
    return {QStringLiteral("QVHdrAct.DBF"), QStringLiteral("XTabAct1.DBF")};
}

ReportDocument comparisonReport(store::Connection& connection, const ComparisonFigures& figures) {
    const QString key =
        writeCrossTabRun(connection, figures.layout(), figures.header(), figures.rows());
    if (&figures.layout() == &oneMonthLayout())
        return TYTDBudget_Vs_ActualsForm(connection, key).document();
    return TYTDActuals_Vs_Budgets_2mth(connection, key).document();
}

ReportDocument actualsReport(store::Connection& connection, const ActualsFigures& figures) {
    const QString key =
        writeCrossTabRun(connection, actualsLayout(), figures.header(), figures.rows());
    return TYTDActuals(connection, key).document();
}

}  // namespace reports
