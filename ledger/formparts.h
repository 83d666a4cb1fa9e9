#pragma once
// Small pieces the ledger windows share: the two-panel status bar and a navigator target that
// steps through the rows of a query grid.

#include "ui/lazymodel.h"
#include "ui/navigator.h"

#include <QStatusBar>

class QLabel;
class QBoxLayout;

namespace ui {
class DataGrid;
}

namespace ledger {

// Panel 0 the mode text ("ModePanel"), panel 1 today's date as "1 April 2026" ("DatePanel").
struct StatusPanels {
    QStatusBar* bar = nullptr;
    QLabel* mode = nullptr;
    QLabel* date = nullptr;
};
StatusPanels addStatusPanels(QWidget* window, QBoxLayout* layout);
void showToday(const StatusPanels& panels);

// A grid column showing a field, optionally through a formatter.
ui::ColumnSpec column(const QString& field, const QString& heading,
                      std::function<QString(const QVariant&)> format = {});

}  // namespace ledger
