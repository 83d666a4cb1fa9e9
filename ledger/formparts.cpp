#include "ledger/formparts.h"

#include "store/format.h"
#include "ui/datagrid.h"

#include <QBoxLayout>
#include <QDate>
#include <QLabel>

namespace ledger {

StatusPanels addStatusPanels(QWidget* window, QBoxLayout* layout) {
    StatusPanels p;
    p.bar = new QStatusBar(window);
    p.bar->setObjectName(QStringLiteral("StatusBar"));
    p.bar->setSizeGripEnabled(false);
    p.mode = new QLabel(p.bar);
    p.mode->setObjectName(QStringLiteral("ModePanel"));
    p.mode->setMinimumWidth(240);
    p.date = new QLabel(p.bar);
    p.date->setObjectName(QStringLiteral("DatePanel"));
    p.bar->addWidget(p.mode, 1);
    p.bar->addPermanentWidget(p.date);
    layout->addWidget(p.bar);
    return p;
}

void showToday(const StatusPanels& panels) {
    panels.date->setText(store::fmt::longDate(QDate::currentDate()));
}

ui::ColumnSpec column(const QString& field, const QString& heading,
                      std::function<QString(const QVariant&)> format) {
    return ui::ColumnSpec{field, heading, std::move(format), Qt::AlignLeft | Qt::AlignVCenter};
}

}  // namespace ledger
