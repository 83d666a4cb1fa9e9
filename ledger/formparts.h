#pragma once
// Small pieces the ledger windows share: grid columns.

#include <functional>

#include "ui/lazymodel.h"

namespace ledger {

// A grid column showing a field, optionally through a formatter.
ui::ColumnSpec column(const QString& field, const QString& heading,
                      std::function<QString(const QVariant&)> format = {});

}  // namespace ledger
