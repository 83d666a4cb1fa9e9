#include "store/rowwalk.h"

#include <sqlite3.h>

#include <memory>

#include "store/query.h"

namespace store {

void forEachRow(Connection& connection, const QString& sql, const QVariantMap& params,
                const std::function<void(const std::vector<QVariant>& row)>& row) {
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(connection.handle(), text.constData(), int(text.size()), &stmt,
                           nullptr) != SQLITE_OK)
        connection.raise(QStringLiteral("Error in the statement \"%1\"").arg(sql));
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> owned(stmt, sqlite3_finalize);
    bindParams(stmt, params);
    const int columns = sqlite3_column_count(stmt);
    std::vector<QVariant> values(static_cast<size_t>(columns));
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int i = 0; i < columns; ++i) values[size_t(i)] = columnValue(stmt, i);
        row(values);
    }
    if (rc != SQLITE_DONE) connection.raise(QStringLiteral("Error reading \"%1\"").arg(sql));
}

}  // namespace store
