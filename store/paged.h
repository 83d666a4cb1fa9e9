#pragma once
// Reads a selection a page at a time, so a grid over a million rows opens at once.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <functional>
#include <vector>

#include "store/connection.h"

namespace store {

class PagedSelection {
public:
    // countSql counts the selection's rows; without it the selection is counted as a subquery,
    // which reads every row.
    PagedSelection(Connection& connection, QString sql, QVariantMap params, QString countSql = {});

    qint64 count();  // cached after the first call
    QStringList columnNames();
    // Rows [offset, offset + limit) in the selection's order.
    std::vector<std::vector<QVariant>> fetch(qint64 offset, int limit);
    // Up to limit rows of another statement over the same records (a keyset page), with the
    // selection's parameters and these.
    std::vector<std::vector<QVariant>> fetchFrom(const QString& sql, const QVariantMap& extra,
                                                 int limit, qint64 offset = 0);
    // The offset of the first row whose column matches, read in one pass; -1 when none does.
    qint64 find(int column, const std::function<bool(const QVariant&)>& matches);
    void invalidate() { count_ = -1; }  // after the data changed
    void setCount(qint64 count) { count_ = count; }

private:
    Connection& connection_;
    QString sql_;
    QVariantMap params_;
    QString countSql_;
    qint64 count_ = -1;
    QStringList names_;
};

}  // namespace store
