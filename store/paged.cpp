#include "store/paged.h"

#include <sqlite3.h>

#include "store/error.h"
#include "store/query.h"

namespace store {

PagedSelection::PagedSelection(Connection& connection, QString sql, QVariantMap params,
                               QString countSql)
    : connection_(connection),
      sql_(std::move(sql)),
      params_(std::move(params)),
      countSql_(std::move(countSql)) {}

qint64 PagedSelection::count() {
    if (count_ >= 0) return count_;
    Query q(connection_);
    q.setSql(countSql_.isEmpty()
                 ? QStringLiteral("SELECT COUNT(*) FROM (") + sql_ + QStringLiteral(")")
                 : countSql_);
    for (auto it = params_.begin(); it != params_.end(); ++it) q.bind(it.key(), it.value());
    q.open();
    count_ = q.isEmpty() ? 0 : q.value(0).toLongLong();
    return count_;
}

QStringList PagedSelection::columnNames() {
    if (names_.isEmpty()) {
        sqlite3_stmt* stmt = connection_.cachedStatement(sql_);
        for (int i = 0; i < sqlite3_column_count(stmt); ++i)
            names_ << QString::fromUtf8(sqlite3_column_name(stmt, i));
    }
    return names_;
}

std::vector<std::vector<QVariant>> PagedSelection::fetch(qint64 offset, int limit) {
    return fetchFrom(sql_, {}, limit, offset);
}

std::vector<std::vector<QVariant>> PagedSelection::fetchFrom(const QString& base,
                                                             const QVariantMap& extra, int limit,
                                                             qint64 offset) {
    const QString sql = base + QStringLiteral(" LIMIT :__limit OFFSET :__offset");
    sqlite3_stmt* stmt = connection_.cachedStatement(sql);
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    QVariantMap params = params_;
    params.insert(extra);
    params.insert(QStringLiteral("__limit"), limit);
    params.insert(QStringLiteral("__offset"), offset);
    std::vector<std::vector<QVariant>> rows;
    try {
        bindParams(stmt, params);
        const int columns = sqlite3_column_count(stmt);
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            std::vector<QVariant> row;
            row.reserve(size_t(columns));
            for (int i = 0; i < columns; ++i) row.push_back(columnValue(stmt, i));
            rows.push_back(std::move(row));
        }
        if (rc != SQLITE_DONE) connection_.raise(QStringLiteral("Error reading rows"));
    } catch (...) {
        sqlite3_reset(stmt);
        throw;
    }
    sqlite3_reset(stmt);
    return rows;
}

qint64 PagedSelection::find(int column, const std::function<bool(const QVariant&)>& matches) {
    sqlite3_stmt* stmt = connection_.cachedStatement(sql_);
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    qint64 found = -1;
    try {
        bindParams(stmt, params_);
        int rc;
        for (qint64 offset = 0; found < 0 && (rc = sqlite3_step(stmt)) == SQLITE_ROW; ++offset)
            if (matches(columnValue(stmt, column))) found = offset;
        if (found < 0 && rc != SQLITE_DONE) connection_.raise(QStringLiteral("Error reading rows"));
    } catch (...) {
        sqlite3_reset(stmt);
        throw;
    }
    sqlite3_reset(stmt);
    return found;
}

}  // namespace store
