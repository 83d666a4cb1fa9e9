#pragma once
// An SQL SELECT with named parameters (":iCoyCode"), stepped like a table.

#include "store/connection.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <vector>

namespace store {

class Query {
public:
    explicit Query(Connection& connection);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    // The statement: its lines joined by line breaks.
    void setSql(const QStringList& lines);
    void setSql(const QString& sql);
    QString sql() const { return sql_; }

    // Parameters, named without the colon. Dates bind as ISO text, texts without trailing
    // blanks, booleans as 1/0.
    void bind(const QString& name, const QVariant& value);
    void clearBindings() { params_.clear(); }
    const QVariantMap& params() const { return params_; }

    void open();
    void close();
    bool isOpen() const { return open_; }

    void first();
    void last();
    void next();
    void prior();
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    bool isEmpty() const { return rows_.empty() && done_; }
    qint64 recordCount();  // reads the whole result
    qint64 position() const { return pos_ + 1; }

    int fieldCount() const { return static_cast<int>(names_.size()); }
    QString fieldName(int index) const { return names_.at(index); }
    // Values of the current row: NULL reads as an empty text, 0 or an invalid date.
    QVariant value(const QString& field) const;
    QVariant value(int index) const;
    QString text(const QString& field) const;
    qint64 integer(const QString& field) const;
    double number(const QString& field) const;
    QDate date(const QString& field) const;
    double number(int index) const;

private:
    bool fetchRow();
    int column(const QString& field) const;

    Connection& connection_;
    QString sql_;
    QVariantMap params_;
    void* stmt_ = nullptr;
    bool open_ = false;
    bool done_ = false;
    std::vector<QString> names_;
    std::vector<std::vector<QVariant>> rows_;
    qint64 pos_ = -1;
    bool bof_ = true;
    bool eof_ = true;
};

// Binds named parameters to a prepared statement (shared by tables, queries and grids). A name
// the statement does not use, or a value the engine refuses, throws StoreError.
void bindParams(void* stmt, const QVariantMap& params);
// Binds one value by its 1-based position, converted as bindParams does.
void bindValue(void* stmt, int index, const QVariant& value);
// Reads column i of the current row of a stepped statement.
QVariant columnValue(void* stmt, int column);

}  // namespace store
