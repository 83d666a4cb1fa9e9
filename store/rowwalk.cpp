#include "store/rowwalk.h"

#include <sqlite3.h>

#include <climits>
#include <memory>

#include "store/query.h"

namespace store {

QByteArrayView RowView::text(int column) const {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return {bytes, bytes ? qsizetype(sqlite3_column_bytes(stmt_, column)) : 0};
}

// Stored numbers are read directly; anything else converts as its QVariant would, since the
// engine reads "12abc" as 12 where QVariant gives 0.
qint64 RowView::whole(int column) const {
    if (sqlite3_column_type(stmt_, column) == SQLITE_INTEGER)
        return sqlite3_column_int64(stmt_, column);
    return value(column).toLongLong();
}

int RowView::small(int column) const {
    if (sqlite3_column_type(stmt_, column) == SQLITE_INTEGER) {
        const qint64 n = sqlite3_column_int64(stmt_, column);
        if (n >= INT_MIN && n <= INT_MAX) return int(n);
    }
    return value(column).toInt();
}

double RowView::number(int column) const {
    const int type = sqlite3_column_type(stmt_, column);
    if (type == SQLITE_FLOAT || type == SQLITE_INTEGER) return sqlite3_column_double(stmt_, column);
    return value(column).toDouble();
}

QVariant RowView::value(int column) const { return columnValue(stmt_, column); }

int RowView::columns() const { return sqlite3_column_count(stmt_); }

void walkRows(Connection& connection, const QString& sql, const QVariantMap& params,
              const std::function<void(const RowView& row)>& row) {
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(connection.handle(), text.constData(), int(text.size()), &stmt,
                           nullptr) != SQLITE_OK)
        connection.raise(QStringLiteral("Error in the statement \"%1\"").arg(sql));
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> owned(stmt, sqlite3_finalize);
    bindParams(stmt, params);
    const RowView view(stmt);
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) row(view);
    if (rc != SQLITE_DONE) connection.raise(QStringLiteral("Error reading \"%1\"").arg(sql));
}

void forEachRow(Connection& connection, const QString& sql, const QVariantMap& params,
                const std::function<void(const std::vector<QVariant>& row)>& row) {
    std::vector<QVariant> values;
    walkRows(connection, sql, params, [&](const RowView& view) {
        if (values.empty()) values.resize(size_t(view.columns()));
        for (size_t i = 0; i < values.size(); ++i) values[i] = view.value(int(i));
        row(values);
    });
}

}  // namespace store
