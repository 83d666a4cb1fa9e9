#include "store/query.h"

#include "store/error.h"

#include <sqlite3.h>

namespace store {
namespace {

QString rightTrimmed(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1).isSpace()) --n;
    return s.left(n);
}

}  // namespace

void bindValue(void* stmtPtr, int index, const QVariant& v) {
    auto* stmt = static_cast<sqlite3_stmt*>(stmtPtr);
    int rc = SQLITE_OK;
    switch (v.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        rc = sqlite3_bind_null(stmt, index);
        break;
    case QMetaType::Bool:
        rc = sqlite3_bind_int(stmt, index, v.toBool() ? 1 : 0);
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::ULongLong:
        rc = sqlite3_bind_int64(stmt, index, v.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        rc = sqlite3_bind_double(stmt, index, v.toDouble());
        break;
    case QMetaType::QDate: {
        const QDate d = v.toDate();
        const QByteArray iso = d.isValid() ? d.toString(Qt::ISODate).toUtf8() : QByteArray();
        rc = sqlite3_bind_text(stmt, index, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        // Character columns hold no trailing blanks, so neither may a text compared to one.
        const QByteArray text = rightTrimmed(v.toString()).toUtf8();
        rc = sqlite3_bind_text(stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    }
    if (rc != SQLITE_OK) {
        const char* name = sqlite3_bind_parameter_name(stmt, index);
        throw StoreError(QStringLiteral("Cannot bind parameter %1 of \"%2\": %3")
                             .arg(name ? QString::fromUtf8(name) : QString::number(index),
                                  QString::fromUtf8(sqlite3_sql(stmt)),
                                  QString::fromUtf8(sqlite3_errstr(rc))));
    }
}

void bindParams(void* stmtPtr, const QVariantMap& params) {
    auto* stmt = static_cast<sqlite3_stmt*>(stmtPtr);
    for (auto it = params.begin(); it != params.end(); ++it) {
        const QByteArray name = ":" + it.key().toUtf8();
        const int index = sqlite3_bind_parameter_index(stmt, name.constData());
        // A name the statement does not use is a misspelt parameter, not one to skip.
        if (index == 0)
            throw StoreError(QStringLiteral("The statement \"%1\" has no parameter :%2.")
                                 .arg(QString::fromUtf8(sqlite3_sql(stmt)), it.key()));
        bindValue(stmt, index, it.value());
    }
}

QVariant columnValue(void* stmtPtr, int column) {
    auto* stmt = static_cast<sqlite3_stmt*>(stmtPtr);
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return qint64(sqlite3_column_int64(stmt, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(stmt, column);
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                                 sqlite3_column_bytes(stmt, column));
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, column)),
                          sqlite3_column_bytes(stmt, column));
    default:
        return QVariant();
    }
}

Query::Query(Connection& connection) : connection_(connection) {}

Query::~Query() { close(); }

void Query::setSql(const QStringList& lines) { setSql(lines.join(QLatin1Char('\n'))); }

void Query::setSql(const QString& sql) {
    close();
    sql_ = sql;
}

void Query::bind(const QString& name, const QVariant& value) {
    QString key = name;
    if (key.startsWith(QLatin1Char(':'))) key.remove(0, 1);
    params_.insert(key, value);
}

void Query::open() {
    close();
    sqlite3* db = connection_.handle();
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql_.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK)
        connection_.raise(QStringLiteral("Error in the statement \"%1\"").arg(sql_));
    if (!stmt) throw StoreError(QStringLiteral("The statement is empty."));
    stmt_ = stmt;
    try {
        bindParams(stmt, params_);
    } catch (...) {
        close();
        throw;
    }
    for (int i = 0; i < sqlite3_column_count(stmt); ++i)
        names_.push_back(QString::fromUtf8(sqlite3_column_name(stmt, i)));
    open_ = true;
    done_ = false;
    first();
}

void Query::close() {
    if (stmt_) sqlite3_finalize(static_cast<sqlite3_stmt*>(stmt_));
    stmt_ = nullptr;
    open_ = false;
    done_ = false;
    names_.clear();
    rows_.clear();
    pos_ = -1;
    bof_ = eof_ = true;
}

bool Query::fetchRow() {
    if (done_ || !stmt_) return false;
    auto* stmt = static_cast<sqlite3_stmt*>(stmt_);
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        std::vector<QVariant> row;
        row.reserve(names_.size());
        for (int i = 0; i < int(names_.size()); ++i) row.push_back(columnValue(stmt, i));
        rows_.push_back(std::move(row));
        return true;
    }
    done_ = true;
    // Reading is over: release the statement so it holds no snapshot of the store.
    sqlite3_finalize(stmt);
    stmt_ = nullptr;
    if (rc != SQLITE_DONE) connection_.raise(QStringLiteral("Error reading \"%1\"").arg(sql_));
    return false;
}

void Query::first() {
    if (!open_) throw StoreError(QStringLiteral("The query is not open."));
    if (rows_.empty()) fetchRow();
    pos_ = rows_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = rows_.empty();
}

void Query::last() {
    if (!open_) throw StoreError(QStringLiteral("The query is not open."));
    while (fetchRow()) {
    }
    pos_ = qint64(rows_.size()) - 1;
    eof_ = true;
    bof_ = rows_.empty();
}

void Query::next() {
    if (!open_ || rows_.empty()) return;
    if (pos_ + 1 < qint64(rows_.size()) || fetchRow()) {
        ++pos_;
        bof_ = false;
        eof_ = false;
    } else {
        eof_ = true;
    }
}

void Query::prior() {
    if (!open_ || rows_.empty()) return;
    if (pos_ > 0) {
        --pos_;
        eof_ = false;
        bof_ = false;
    } else {
        bof_ = true;
    }
}

qint64 Query::recordCount() {
    if (!open_) return 0;
    while (fetchRow()) {
    }
    return qint64(rows_.size());
}

int Query::column(const QString& field) const {
    QString name = field;
    const int dot = name.indexOf(QLatin1Char('.'));
    for (int i = 0; i < int(names_.size()); ++i)
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    if (dot > 0) {
        name = name.mid(dot + 1);
        for (int i = 0; i < int(names_.size()); ++i)
            if (names_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    throw StoreError(QStringLiteral("Field '%1' not found.").arg(field));
}

QVariant Query::value(int index) const {
    if (pos_ < 0 || pos_ >= qint64(rows_.size()))
        throw StoreError(QStringLiteral("The query has no current record."));
    if (index < 0 || index >= int(names_.size()))
        throw StoreError(QStringLiteral("Field number %1 not found.").arg(index));
    return rows_[size_t(pos_)][size_t(index)];
}

QVariant Query::value(const QString& field) const { return value(column(field)); }

QString Query::text(const QString& field) const {
    const QVariant v = value(field);
    return v.isNull() ? QString() : rightTrimmed(v.toString());
}

qint64 Query::integer(const QString& field) const { return value(field).toLongLong(); }

double Query::number(const QString& field) const { return value(field).toDouble(); }

double Query::number(int index) const { return value(index).toDouble(); }

QDate Query::date(const QString& field) const {
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QDate) return v.toDate();
    return QDate::fromString(v.toString(), Qt::ISODate);
}

}  // namespace store
