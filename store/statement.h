#pragma once
// A statement that changes rows (UPDATE, INSERT, DELETE) with named parameters, for rules that
// change many rows at once inside a transaction.

#include <QString>
#include <QStringList>
#include <QVariantMap>

#include "store/connection.h"

namespace store {

// Runs the statement (its lines joined by line breaks) with the parameters bound as Query binds
// them, and gives the number of rows it changed. Refuses to run outside a transaction; failures
// throw StoreError.
qint64 execute(Connection& connection, const QStringList& lines, const QVariantMap& params);

}  // namespace store
