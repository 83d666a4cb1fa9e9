#pragma once
// Steps once through a SELECT's rows without keeping them, for a reader of more rows than should
// sit in memory at once (a year's export). Parameters bind as Query binds them.

#include <QByteArrayView>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <functional>
#include <vector>

#include "store/connection.h"

struct sqlite3_stmt;

namespace store {

// The current row of a walk, read straight from the engine without a QVariant per value; valid
// only while the walk's callback runs. Values read as Query's QVariant values convert.
class RowView {
public:
    explicit RowView(sqlite3_stmt* stmt) : stmt_(stmt) {}
    // The stored text as UTF-8 bytes (a number as its decimal text, NULL as nothing); the bytes
    // live until the next read of this column or the next row.
    QByteArrayView text(int column) const;
    qint64 whole(int column) const;   // as QVariant::toLongLong
    int small(int column) const;      // as QVariant::toInt
    double number(int column) const;  // as QVariant::toDouble
    QVariant value(int column) const;
    int columns() const;

private:
    sqlite3_stmt* stmt_;
};

// `row` gets each row; failures throw StoreError.
void walkRows(Connection& connection, const QString& sql, const QVariantMap& params,
              const std::function<void(const RowView& row)>& row);

// `row` gets each row's values in column order; failures throw StoreError.
void forEachRow(Connection& connection, const QString& sql, const QVariantMap& params,
                const std::function<void(const std::vector<QVariant>& row)>& row);

}  // namespace store
