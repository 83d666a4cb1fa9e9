#include "app/controlcentre_charts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QColor>
#include <QLineSeries>
#include <QPen>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace {

QValueAxis* moneyAxis(QChart* chart, Qt::Alignment side, double low, double high) {
    auto* axis = new QValueAxis(chart);
    // Zero always on the axis, so a month without entries stands as no bar rather than a gap.
    axis->setRange(std::min(0.0, low), std::max(0.0, high));
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->applyNiceNumbers();
    chart->addAxis(axis, side);
    return axis;
}

}  // namespace

ControlCentreCharts::ControlCentreCharts(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ChartsPanel"));
    view_ = new QChartView(new QChart, this);
    view_->setObjectName(QStringLiteral("ChartView"));
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setFocusPolicy(Qt::NoFocus);
    view_->chart()->legend()->setAlignment(Qt::AlignBottom);
    view_->chart()->setMargins(QMargins(2, 2, 2, 2));
    view_->chart()->setBackgroundVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
}

void ControlCentreCharts::showMonths(const std::vector<app::controlcentre::MonthFigures>& months) {
    months_ = months;
    QChart* chart = view_->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    auto* income = new QBarSet(QStringLiteral("Income"));
    auto* spent = new QBarSet(QStringLiteral("Expenditure"));
    auto* bank = new QLineSeries;
    bank->setName(QStringLiteral("Total in bank accounts"));
    QStringList labels;
    double barLow = 0, barHigh = 0, bankLow = 0, bankHigh = 0;
    for (std::size_t i = 0; i < months.size(); ++i) {
        const app::controlcentre::MonthFigures& m = months[i];
        *income << m.income;
        *spent << m.expenditure;
        bank->append(double(i), m.bankTotal);
        // A year fits as month names; a longer range needs the year and turned labels.
        labels << m.month.toString(months.size() > 13 ? QStringLiteral("MMM yy")
                                                      : QStringLiteral("MMM"));
        barLow = std::min({barLow, m.income, m.expenditure});
        barHigh = std::max({barHigh, m.income, m.expenditure});
        bankLow = std::min(bankLow, m.bankTotal);
        bankHigh = std::max(bankHigh, m.bankTotal);
    }
    auto* bars = new QBarSeries;
    bars->append(income);
    bars->append(spent);
    chart->addSeries(bars);
    chart->addSeries(bank);

    income->setColor(QColor(0x2e, 0x7d, 0x32));
    spent->setColor(QColor(0xc6, 0x28, 0x28));
    bank->setPen(QPen(QColor(0x15, 0x65, 0xc0), 2));
    auto* monthsAxis = new QBarCategoryAxis(chart);
    monthsAxis->append(labels);
    if (months.size() > 13) monthsAxis->setLabelsAngle(-90);
    chart->addAxis(monthsAxis, Qt::AlignBottom);
    bars->attachAxis(monthsAxis);
    bank->attachAxis(monthsAxis);
    bars->attachAxis(moneyAxis(chart, Qt::AlignLeft, barLow, barHigh));
    bank->attachAxis(moneyAxis(chart, Qt::AlignRight, bankLow, bankHigh));
}
