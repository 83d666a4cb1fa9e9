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

int GridRowTarget::rows() const {
    return grid_.lazyModel() ? grid_.lazyModel()->rowCount() : 0;
}

void GridRowTarget::first() { grid_.setCurrentRow(0); }

void GridRowTarget::prior() {
    if (grid_.currentRow() > 0) grid_.setCurrentRow(grid_.currentRow() - 1);
}

void GridRowTarget::next() {
    if (grid_.currentRow() + 1 < rows()) grid_.setCurrentRow(grid_.currentRow() + 1);
}

void GridRowTarget::last() { grid_.setCurrentRow(rows() - 1); }

bool GridRowTarget::bof() const { return grid_.currentRow() <= 0; }

bool GridRowTarget::eof() const { return grid_.currentRow() >= rows() - 1; }

bool GridRowTarget::isEmpty() const { return rows() == 0; }

}  // namespace ledger
