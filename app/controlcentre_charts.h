#pragma once
// The control centre's charts: income and expenditure of each month of the profit/loss range
// as bars, and the total of the bank accounts at each month's end as a line.

#include <QWidget>

#include "app/controlcentre_months.h"

class QChart;
class QChartView;

class ControlCentreCharts : public QWidget {
    Q_OBJECT
public:
    explicit ControlCentreCharts(QWidget* parent = nullptr);

    void showMonths(const std::vector<app::controlcentre::MonthFigures>& months);
    // The figures last shown, for tests.
    const std::vector<app::controlcentre::MonthFigures>& months() const { return months_; }

private:
    QChartView* view_;
    std::vector<app::controlcentre::MonthFigures> months_;
};
