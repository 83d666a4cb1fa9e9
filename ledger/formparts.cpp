#include "ledger/formparts.h"

namespace ledger {

ui::ColumnSpec column(const QString& field, const QString& heading,
                      std::function<QString(const QVariant&)> format) {
    return ui::ColumnSpec{field, heading, std::move(format), Qt::AlignLeft | Qt::AlignVCenter};
}

}  // namespace ledger
