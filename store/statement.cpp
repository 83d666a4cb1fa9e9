#include "store/statement.h"

#include <sqlite3.h>

#include "store/error.h"
#include "store/query.h"

namespace store {

qint64 execute(Connection& connection, const QStringList& lines, const QVariantMap& params) {
    const QString sql = lines.join(QLatin1Char('\n'));
    if (connection.transactionDepth() == 0)
        throw StoreError(QStringLiteral("A change of many rows needs an open transaction: ") + sql);
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(connection.handle(), text.constData(), -1, &stmt, nullptr) != SQLITE_OK)
        connection.raise(sql);
    try {
        bindParams(stmt, params);
    } catch (...) {
        sqlite3_finalize(stmt);
        throw;
    }
    const int rc = sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) connection.raise(sql);
    return sqlite3_changes64(connection.handle());
}

}  // namespace store
