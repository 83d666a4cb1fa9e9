#pragma once
// A table object: one window's view of one catalogue table, navigated in the order of its
// current tag. Field values come from the record image fetched at the last move.

#include <QDate>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <optional>
#include <vector>

#include "store/catalogue.h"
#include "store/connection.h"

namespace store {

class TableLock;

enum class OpenMode { Shared, Exclusive };
enum class EditState { Browse, Insert, Edit };

class Table {
public:
    // name: the catalogue file name ("QVBnkTr.DBF") or its SQL name, in any case.
    Table(Connection& connection, const QString& name);
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const TableDef& def() const { return *def_; }
    Connection& connection() const { return connection_; }
    QString fileName() const { return QString::fromLatin1(def_->file); }

    // Opening. The tag may be set before or after opening; an empty tag means append order.
    void setIndexName(const QString& tag);
    QString indexName() const { return tag_; }
    void open(OpenMode mode = OpenMode::Shared);
    void close();
    bool isOpen() const { return open_; }
    bool isExclusive() const { return open_ && mode_ == OpenMode::Exclusive; }

    // Navigation over the visible records (master restriction and filter applied).
    void first();
    void last();
    void next();   // at the last record: stays there and sets eof()
    void prior();  // at the first record: stays there and sets bof()
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    bool isEmpty() const { return !hasRecord_; }
    bool hasRecord() const { return hasRecord_; }
    // Re-reads the current record image (changes made through other table objects show).
    void refresh();

    // Seek an exact key on the current tag; on failure the position is unchanged.
    bool findKey(const QVariant& key);
    // First record (in tag order) whose field equals the value: case-sensitive, whole value.
    bool locate(const QString& field, const QVariant& value);
    // Moves to the record with this row id (grids); false when it is not visible.
    bool gotoRowId(qint64 rowId);
    qint64 rowId() const { return rowId_; }
    // One-based position of the current record in tag order; 0 without a record. Counts every
    // record before it: grids that know their row count ask rowsAfter() first.
    qint64 position() const;
    // The visible records after the current one in tag order, counting no further than limit.
    qint64 rowsAfter(qint64 limit) const;

    // Restricts the table to the records whose field equals the value (master-detail).
    void setMasterRange(const QString& field, const QVariant& value);
    void clearMasterRange();
    // Filters by an SQL expression over the table's fields with named parameters, for example
    // setFilter("BNKLINKNO = :link AND REASON <> :reason", {{"link", k}, {"reason", "X"}}).
    void setFilter(const QString& expression, const QVariantMap& params = {});
    void clearFilter();

    qint64 recordCount() const;

    // Field access on the record image. Unknown field names throw StoreError.
    QVariant value(const QString& field) const;
    QString text(const QString& field) const;
    qint64 integer(const QString& field) const;
    double number(const QString& field) const;
    QDate date(const QString& field) const;
    // Sets a field of the record being inserted or edited; the value is converted to the
    // field's kind (text cut at width, numbers rounded to their decimals) when posted.
    void setValue(const QString& field, const QVariant& value);

    // Editing.
    EditState state() const { return state_; }
    void insert();  // a new blank record (appended on post)
    void append() { insert(); }
    void edit();  // re-reads the record first so the edit starts from the stored values
    void post();
    void cancel();
    void remove();  // deletes the current record and moves to the next (or prior) one

    // Maintenance: need exclusive use.
    void pack();
    void zap();
    void addTag(const QString& tag);
    void deleteTag(const QString& tag);

    // The statement that lists the visible records in order (row id first), for lazy grids.
    struct Selection {
        QString sql;
        QVariantMap params;
        QString countSql;  // counts the same records without reading them
        // Pages by key: the same records after (:__key, :__rowid) in order, before it in
        // reverse order, and all of them in reverse order; keyColumn is the column of the tag
        // field (-1 where only :__rowid counts: append order, or a master range on the tag).
        QString afterSql;
        QString beforeSql;
        QString reverseSql;
        int keyColumn = -1;
        // " FROM ... WHERE ..." of the records after (:__key, :__rowid), for sums over them;
        // fromBetween stops at (:__key2, :__rowid2), that record included.
        QString fromAfter;
        QString fromBetween;
        // The keys alone (row id, then the tag field's value where keyColumn >= 0) in order and
        // in reverse order: an index holds them, so skipping rows by offset reads no record.
        QString keySql;
        QString reverseKeySql;
    };
    Selection selection() const;

private:
    struct Position;
    QString whereClause(const QString& extra = {}) const;
    QString orderClause(bool descending = false) const;
    QString keysetCondition(bool after) const;
    bool rowIdOrdersKeys() const;
    QString selectList() const;
    bool fetchOne(const QString& extraWhere, const QVariantMap& extraParams, bool descending);
    void loadRecord(void* stmt);
    void clearRecord();
    const FieldDef& fieldDef(const QString& field) const;
    int fieldIndex(const QString& field) const;
    void requireOpen() const;
    void requireBrowse(const char* what) const;
    QVariantMap allParams() const;
    QVariantMap keysetParams(const QVariant& key, qint64 rowId) const;

    Connection& connection_;
    const TableDef* def_;
    QString tag_;
    bool open_ = false;
    OpenMode mode_ = OpenMode::Shared;
    TableLock* lock_ = nullptr;

    QString masterField_;
    QVariant masterValue_;
    QString filter_;
    QVariantMap filterParams_;

    bool hasRecord_ = false;
    bool bof_ = true;
    bool eof_ = true;
    qint64 rowId_ = 0;
    QVariant tagValue_;
    std::vector<QVariant> image_;   // current record, in field order
    std::vector<QVariant> stored_;  // image as fetched, to post only changed fields
    EditState state_ = EditState::Browse;
    std::vector<bool> changed_;
};

// Converts a value to what a field of this kind stores (text trimmed and cut, numbers
// rounded, dates as ISO text). Throws StoreError when the value does not convert.
QVariant toStored(const FieldDef& field, const QVariant& value);
// Converts a stored SQLite value back to what the field reads as.
QVariant fromStored(const FieldDef& field, const QVariant& stored);

}  // namespace store
