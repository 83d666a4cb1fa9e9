#pragma once
// Reads a selection a page at a time, so a grid over a million rows opens at once.

#include "store/connection.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <vector>

namespace store {

class PagedSelection {
public:
    // countSql counts the selection's rows; without it the selection is counted as a subquery,
    // which reads every row.
    PagedSelection(Connection& connection, QString sql, QVariantMap params, QString countSql = {});

    qint64 count();                     // cached after the first call
    QStringList columnNames();
    // Rows [offset, offset + limit) in the selection's order.
    std::vector<std::vector<QVariant>> fetch(qint64 offset, int limit);
    void invalidate() { count_ = -1; }  // after the data changed

private:
    Connection& connection_;
    QString sql_;
    QVariantMap params_;
    QString countSql_;
    qint64 count_ = -1;
    QStringList names_;
};

}  // namespace store
