#pragma once
// Steps once through a SELECT's rows without keeping them, for a reader of more rows than should
// sit in memory at once (a year's export). Parameters bind as Query binds them.

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <functional>
#include <vector>

#include "store/connection.h"

namespace store {

// `row` gets each row's values in column order; failures throw StoreError.
void forEachRow(Connection& connection, const QString& sql, const QVariantMap& params,
                const std::function<void(const std::vector<QVariant>& row)>& row);

}  // namespace store
