#include "store/table.h"

#include <sqlite3.h>

#include <QStringList>

#include "store/error.h"
#include "store/query.h"
#include "store/tablelock.h"

namespace store {
namespace {

QString quoted(const QString& name) { return QLatin1Char('"') + name + QLatin1Char('"'); }

// Steps a cached statement once and always resets it, whatever happens.
class StatementRun {
public:
    StatementRun(Connection& c, const QString& sql, const QVariantMap& params)
        : connection_(c), stmt_(c.cachedStatement(sql)), sql_(sql) {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        bindParams(stmt_, params);
    }
    ~StatementRun() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    bool step() {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        connection_.raise(QStringLiteral("Error in \"%1\"").arg(sql_));
    }
    sqlite3_stmt* stmt() const { return stmt_; }

private:
    Connection& connection_;
    sqlite3_stmt* stmt_;
    QString sql_;
};

}  // namespace

Table::Table(Connection& connection, const QString& name) : connection_(connection) {
    def_ = findTable(name);
    if (!def_) throw StoreError(QStringLiteral("Table %1 does not exist.").arg(name));
}

Table::~Table() { close(); }

void Table::setIndexName(const QString& tag) {
    QString t = tag.trimmed().toUpper();
    if (!t.isEmpty()) {
        bool known = false;
        for (const char* name : def_->allTags()) known = known || t == QLatin1String(name);
        // Tags made with addTag are not in the catalogue but are still fields of the table.
        if (!known && !def_->field(t))
            throw StoreError(QStringLiteral("Index tag %1 not found in %2.").arg(tag, fileName()));
    }
    if (t == tag_) return;
    tag_ = t;
    if (open_ && hasRecord_) {
        tagValue_ = tag_.isEmpty() ? QVariant()
                                   : toStored(fieldDef(tag_), image_[size_t(fieldIndex(tag_))]);
    }
}

void Table::open(OpenMode mode) {
    close();
    lock_ = new TableLock(connection_.path(), def_->sqlName(), mode == OpenMode::Exclusive);
    open_ = true;
    mode_ = mode;
    first();
}

void Table::close() {
    if (!open_) return;
    state_ = EditState::Browse;
    open_ = false;
    delete lock_;
    lock_ = nullptr;
    clearRecord();
}

void Table::clearRecord() {
    hasRecord_ = false;
    bof_ = eof_ = true;
    rowId_ = 0;
    tagValue_ = QVariant();
    image_.assign(def_->fields.size(), QVariant());
    for (size_t i = 0; i < def_->fields.size(); ++i)
        image_[i] = fromStored(def_->fields[i], QVariant());
    stored_ = image_;
    changed_.assign(def_->fields.size(), false);
}

void Table::requireOpen() const {
    if (!open_) throw StoreError(QStringLiteral("Table %1 is not open.").arg(fileName()));
}

void Table::requireBrowse(const char* what) const {
    requireOpen();
    if (state_ != EditState::Browse)
        throw StoreError(QStringLiteral("Cannot %1 %2 while a record is being edited.")
                             .arg(QLatin1String(what), fileName()));
}

const FieldDef& Table::fieldDef(const QString& field) const {
    const FieldDef* f = def_->field(field);
    if (!f) throw StoreError(QStringLiteral("Field '%1' not found in %2.").arg(field, fileName()));
    return *f;
}

int Table::fieldIndex(const QString& field) const {
    const FieldDef& f = fieldDef(field);
    return int(&f - def_->fields.data());
}

QString Table::selectList() const {
    QStringList cols{QStringLiteral("rowid")};
    for (const FieldDef& f : def_->fields) cols << quoted(QLatin1String(f.name));
    return cols.join(QStringLiteral(", "));
}

QString Table::whereClause(const QString& extra) const {
    QStringList parts;
    if (!masterField_.isEmpty()) parts << quoted(masterField_) + QStringLiteral(" = :__master");
    if (!filter_.isEmpty()) parts << QLatin1Char('(') + filter_ + QLatin1Char(')');
    if (!extra.isEmpty()) parts << extra;
    return parts.isEmpty() ? QString() : QStringLiteral(" WHERE ") + parts.join(" AND ");
}

// The records after (or before) the current position in tag order, ties broken by append order.
// Within a master range on the tag field itself every tag value is the same, so the row id alone
// orders the records, and a seek on (tag, rowid) finds the start through the index.
QString Table::keysetCondition(bool after) const {
    const char* op = after ? ">" : "<";
    if (rowIdOrdersKeys()) return QStringLiteral("rowid %1 :__rowid").arg(QLatin1String(op));
    return QStringLiteral("(%1, rowid) %2 (:__key, :__rowid)").arg(quoted(tag_), QLatin1String(op));
}

QString Table::orderClause(bool descending) const {
    const QString dir = descending ? QStringLiteral(" DESC") : QString();
    if (tag_.isEmpty()) return QStringLiteral(" ORDER BY rowid") + dir;
    return QStringLiteral(" ORDER BY ") + quoted(tag_) + dir + QStringLiteral(", rowid") + dir;
}

// The values keysetCondition compares with: the tag value only when there is a tag.
QVariantMap Table::keysetParams(const QVariant& key, qint64 rowId) const {
    QVariantMap params{{QStringLiteral("__rowid"), rowId}};
    if (!rowIdOrdersKeys()) params.insert(QStringLiteral("__key"), key);
    return params;
}

bool Table::rowIdOrdersKeys() const { return tag_.isEmpty() || tag_ == masterField_; }

QVariantMap Table::allParams() const {
    QVariantMap params = filterParams_;
    if (!masterField_.isEmpty()) params.insert(QStringLiteral("__master"), masterValue_);
    return params;
}

bool Table::fetchOne(const QString& extraWhere, const QVariantMap& extraParams, bool descending) {
    const QString sql = QStringLiteral("SELECT ") + selectList() + QStringLiteral(" FROM ") +
                        quoted(def_->sqlName()) + whereClause(extraWhere) +
                        orderClause(descending) + QStringLiteral(" LIMIT 1");
    QVariantMap params = allParams();
    for (auto it = extraParams.begin(); it != extraParams.end(); ++it)
        params.insert(it.key(), it.value());
    StatementRun run(connection_, sql, params);
    if (!run.step()) return false;
    loadRecord(run.stmt());
    return true;
}

void Table::loadRecord(void* stmtPtr) {
    auto* stmt = static_cast<sqlite3_stmt*>(stmtPtr);
    rowId_ = sqlite3_column_int64(stmt, 0);
    image_.resize(def_->fields.size());
    for (size_t i = 0; i < def_->fields.size(); ++i)
        image_[i] = fromStored(def_->fields[i], columnValue(stmt, int(i) + 1));
    stored_ = image_;
    changed_.assign(def_->fields.size(), false);
    hasRecord_ = true;
    tagValue_ =
        tag_.isEmpty() ? QVariant() : toStored(fieldDef(tag_), image_[size_t(fieldIndex(tag_))]);
}

void Table::first() {
    requireBrowse("move in");
    if (fetchOne({}, {}, false)) {
        bof_ = true;
        eof_ = false;
    } else {
        clearRecord();
    }
}

void Table::last() {
    requireBrowse("move in");
    if (fetchOne({}, {}, true)) {
        eof_ = true;
        bof_ = false;
    } else {
        clearRecord();
    }
}

void Table::next() {
    requireBrowse("move in");
    if (!hasRecord_) return;
    const QString cond = keysetCondition(true);
    if (fetchOne(cond, keysetParams(tagValue_, rowId_), false)) {
        bof_ = false;
        eof_ = false;
    } else {
        eof_ = true;
    }
}

void Table::prior() {
    requireBrowse("move in");
    if (!hasRecord_) return;
    const QString cond = keysetCondition(false);
    if (fetchOne(cond, keysetParams(tagValue_, rowId_), true)) {
        bof_ = false;
        eof_ = false;
    } else {
        bof_ = true;
    }
}

void Table::refresh() {
    requireBrowse("refresh");
    if (!hasRecord_) {
        first();
        return;
    }
    if (!fetchOne(QStringLiteral("rowid = :__rowid"), {{"__rowid", rowId_}}, false)) {
        // Deleted meanwhile by another table object: move on as a delete would.
        const QVariant key = tagValue_;
        const qint64 id = rowId_;
        const QString cond = keysetCondition(true);
        if (!fetchOne(cond, keysetParams(key, id), false)) last();
    }
}

bool Table::findKey(const QVariant& key) {
    requireBrowse("seek in");
    if (tag_.isEmpty())
        throw StoreError(
            QStringLiteral("Table %1 has no index tag set for a seek.").arg(fileName()));
    const QVariant stored = toStored(fieldDef(tag_), key);
    if (!fetchOne(quoted(tag_) + QStringLiteral(" = :__seek"), {{"__seek", stored}}, false))
        return false;
    bof_ = eof_ = false;
    return true;
}

bool Table::locate(const QString& field, const QVariant& value) {
    requireBrowse("search");
    const FieldDef& f = fieldDef(field);
    const QVariant stored = toStored(f, value);
    if (!fetchOne(quoted(QLatin1String(f.name)) + QStringLiteral(" = :__locate"),
                  {{"__locate", stored}}, false))
        return false;
    bof_ = eof_ = false;
    return true;
}

bool Table::gotoRowId(qint64 id) {
    requireBrowse("move in");
    if (!fetchOne(QStringLiteral("rowid = :__rowid"), {{"__rowid", id}}, false)) return false;
    bof_ = eof_ = false;
    return true;
}

qint64 Table::position() const {
    if (!open_ || !hasRecord_) return 0;
    const QString cond =
        rowIdOrdersKeys() ? QStringLiteral("rowid <= :__rowid")
                          : QStringLiteral("(%1, rowid) <= (:__key, :__rowid)").arg(quoted(tag_));
    QVariantMap params = allParams();
    params.insert(keysetParams(tagValue_, rowId_));
    StatementRun run(
        connection_,
        QStringLiteral("SELECT COUNT(*) FROM ") + quoted(def_->sqlName()) + whereClause(cond),
        params);
    return run.step() ? sqlite3_column_int64(run.stmt(), 0) : 0;
}

qint64 Table::rowsAfter(qint64 limit) const {
    if (!open_ || !hasRecord_) return 0;
    QVariantMap params = allParams();
    params.insert(keysetParams(tagValue_, rowId_));
    params.insert(QStringLiteral("__limit"), limit);
    StatementRun run(connection_,
                     QStringLiteral("SELECT COUNT(*) FROM (SELECT 1 FROM ") +
                         quoted(def_->sqlName()) + whereClause(keysetCondition(true)) +
                         QStringLiteral(" LIMIT :__limit)"),
                     params);
    return run.step() ? sqlite3_column_int64(run.stmt(), 0) : 0;
}

void Table::setMasterRange(const QString& field, const QVariant& value) {
    const FieldDef& f = fieldDef(field);
    masterField_ = QLatin1String(f.name);
    masterValue_ = toStored(f, value);
    if (open_ && state_ == EditState::Browse) first();
}

void Table::clearMasterRange() {
    masterField_.clear();
    masterValue_ = QVariant();
    if (open_ && state_ == EditState::Browse) first();
}

void Table::setFilter(const QString& expression, const QVariantMap& params) {
    filter_ = expression.trimmed();
    filterParams_ = params;
    if (open_ && state_ == EditState::Browse) first();
}

void Table::clearFilter() { setFilter(QString()); }

qint64 Table::recordCount() const {
    requireOpen();
    StatementRun run(
        connection_,
        QStringLiteral("SELECT COUNT(*) FROM ") + quoted(def_->sqlName()) + whereClause(),
        allParams());
    return run.step() ? sqlite3_column_int64(run.stmt(), 0) : 0;
}

QVariant Table::value(const QString& field) const { return image_[size_t(fieldIndex(field))]; }

QString Table::text(const QString& field) const { return value(field).toString(); }

qint64 Table::integer(const QString& field) const { return value(field).toLongLong(); }

double Table::number(const QString& field) const { return value(field).toDouble(); }

QDate Table::date(const QString& field) const { return value(field).toDate(); }

void Table::setValue(const QString& field, const QVariant& value) {
    requireOpen();
    if (state_ == EditState::Browse)
        throw StoreError(QStringLiteral("Table %1 is not in edit or insert mode.").arg(fileName()));
    const int i = fieldIndex(field);
    // Converted now, so a bad value fails where it is set and reads back as it will be stored.
    image_[size_t(i)] =
        fromStored(def_->fields[size_t(i)], toStored(def_->fields[size_t(i)], value));
    changed_[size_t(i)] = true;
}

void Table::insert() {
    requireBrowse("insert into");
    const qint64 previous = hasRecord_ ? rowId_ : 0;
    for (size_t i = 0; i < def_->fields.size(); ++i)
        image_[i] = fromStored(def_->fields[i], QVariant());
    changed_.assign(def_->fields.size(), false);
    state_ = EditState::Insert;
    rowId_ = previous;  // kept so that cancel can return to it
}

void Table::edit() {
    requireBrowse("edit");
    if (!hasRecord_)
        throw StoreError(QStringLiteral("Table %1 has no record to edit.").arg(fileName()));
    if (!fetchOne(QStringLiteral("rowid = :__rowid"), {{"__rowid", rowId_}}, false))
        throw StoreError(QStringLiteral("The record has been deleted by another user."));
    state_ = EditState::Edit;
}

void Table::post() {
    requireOpen();
    if (state_ == EditState::Browse) return;
    sqlite3* db = connection_.handle();
    if (state_ == EditState::Insert) {
        QStringList names, marks;
        for (const FieldDef& f : def_->fields) {
            names << quoted(QLatin1String(f.name));
            marks << QStringLiteral("?");
        }
        const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(quoted(def_->sqlName()), names.join(", "), marks.join(", "));
        StatementRun run(connection_, sql, {});
        for (size_t i = 0; i < def_->fields.size(); ++i)
            bindValue(run.stmt(), int(i) + 1, toStored(def_->fields[i], image_[i]));
        run.step();
        rowId_ = sqlite3_last_insert_rowid(db);
        // The image already holds what was written, so the new record need not be read back.
        state_ = EditState::Browse;
        stored_ = image_;
        changed_.assign(def_->fields.size(), false);
        hasRecord_ = true;
        tagValue_ = tag_.isEmpty() ? QVariant()
                                   : toStored(fieldDef(tag_), image_[size_t(fieldIndex(tag_))]);
        bof_ = eof_ = false;
        return;
    } else {
        QStringList sets;
        QVariantMap params;
        for (size_t i = 0; i < def_->fields.size(); ++i) {
            if (!changed_[i]) continue;
            const QString name = QLatin1String(def_->fields[i].name);
            sets << quoted(name) + QStringLiteral(" = :") + name;
            params.insert(name, toStored(def_->fields[i], image_[i]));
        }
        if (!sets.isEmpty()) {
            params.insert(QStringLiteral("__rowid"), rowId_);
            // Only the fields this window changed are written, so a second program's changes
            // to other fields of the record are kept.
            StatementRun run(connection_,
                             QStringLiteral("UPDATE %1 SET %2 WHERE rowid = :__rowid")
                                 .arg(quoted(def_->sqlName()), sets.join(", ")),
                             params);
            run.step();
            if (sqlite3_changes(db) == 0)
                throw StoreError(QStringLiteral("The record has been deleted by another user."));
        }
    }
    state_ = EditState::Browse;
    if (!fetchOne(QStringLiteral("rowid = :__rowid"), {{"__rowid", rowId_}}, false)) {
        // The new record lies outside the master range or filter; keep its image current.
        StatementRun run(connection_,
                         QStringLiteral("SELECT ") + selectList() + QStringLiteral(" FROM ") +
                             quoted(def_->sqlName()) + QStringLiteral(" WHERE rowid = :__rowid"),
                         {{"__rowid", rowId_}});
        if (run.step()) loadRecord(run.stmt());
    }
    bof_ = eof_ = false;
}

void Table::cancel() {
    requireOpen();
    if (state_ == EditState::Browse) return;
    const EditState was = state_;
    state_ = EditState::Browse;
    if (rowId_ != 0 && fetchOne(QStringLiteral("rowid = :__rowid"), {{"__rowid", rowId_}}, false)) {
        bof_ = eof_ = false;
        return;
    }
    if (was == EditState::Insert || rowId_ == 0)
        first();
    else
        refresh();
}

void Table::remove() {
    requireBrowse("delete from");
    if (!hasRecord_)
        throw StoreError(QStringLiteral("Table %1 has no record to delete.").arg(fileName()));
    const QVariant key = tagValue_;
    const qint64 id = rowId_;
    StatementRun run(
        connection_,
        QStringLiteral("DELETE FROM %1 WHERE rowid = :__rowid").arg(quoted(def_->sqlName())),
        {{"__rowid", id}});
    run.step();
    const QString after = keysetCondition(true);
    if (fetchOne(after, keysetParams(key, id), false)) {
        bof_ = eof_ = false;
        return;
    }
    const QString before = keysetCondition(false);
    if (fetchOne(before, keysetParams(key, id), true)) {
        bof_ = false;
        eof_ = true;
        return;
    }
    clearRecord();
}

void Table::pack() {
    requireBrowse("pack");
    if (!isExclusive())
        throw StoreError(
            QStringLiteral("Table %1 must be opened exclusively to pack it.").arg(fileName()));
    // Deleted rows are gone already; packing gives their space back to the file system.
    connection_.exec(QStringLiteral("PRAGMA incremental_vacuum"));
    first();
}

void Table::zap() {
    requireBrowse("empty");
    if (!isExclusive())
        throw StoreError(
            QStringLiteral("Table %1 must be opened exclusively to empty it.").arg(fileName()));
    connection_.exec(QStringLiteral("DELETE FROM %1").arg(quoted(def_->sqlName())));
    clearRecord();
}

void Table::addTag(const QString& tag) {
    requireBrowse("index");
    if (!isExclusive())
        throw StoreError(
            QStringLiteral("Table %1 must be opened exclusively to index it.").arg(fileName()));
    const FieldDef& f = fieldDef(tag);
    const QString index = def_->sqlName() + QLatin1Char('_') + QLatin1String(f.name);
    connection_.exec(
        QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
            .arg(quoted(index), quoted(def_->sqlName()), quoted(QLatin1String(f.name))));
}

void Table::deleteTag(const QString& tag) {
    requireBrowse("index");
    if (!isExclusive())
        throw StoreError(
            QStringLiteral("Table %1 must be opened exclusively to index it.").arg(fileName()));
    const QString index = def_->sqlName() + QLatin1Char('_') + tag.trimmed().toUpper();
    connection_.exec(QStringLiteral("DROP INDEX IF EXISTS %1").arg(quoted(index)));
}

Table::Selection Table::selection() const {
    const QString select = QStringLiteral("SELECT ") + selectList();
    const QString from = QStringLiteral(" FROM ") + quoted(def_->sqlName());
    Selection s{select + from + whereClause() + orderClause(), allParams(),
                QStringLiteral("SELECT COUNT(*)") + from + whereClause()};
    s.fromAfter = from + whereClause(keysetCondition(true));
    s.afterSql = select + s.fromAfter + orderClause();
    s.beforeSql = select + from + whereClause(keysetCondition(false)) + orderClause(true);
    s.reverseSql = select + from + whereClause() + orderClause(true);
    s.keyColumn = rowIdOrdersKeys() ? -1 : fieldIndex(tag_) + 1;
    const QString upTo =
        rowIdOrdersKeys() ? QStringLiteral("rowid <= :__rowid2")
                          : QStringLiteral("(%1, rowid) <= (:__key2, :__rowid2)").arg(quoted(tag_));
    s.fromBetween = from + whereClause(keysetCondition(true) + QStringLiteral(" AND ") + upTo);
    const QString keys = QStringLiteral("SELECT rowid") +
                         (rowIdOrdersKeys() ? QString() : QStringLiteral(", ") + quoted(tag_)) +
                         from + whereClause();
    s.keySql = keys + orderClause();
    s.reverseKeySql = keys + orderClause(true);
    return s;
}

}  // namespace store
