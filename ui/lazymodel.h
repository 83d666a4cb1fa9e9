#pragma once
// A read-only table model over a selection that is read a page at a time, so that a grid over
// a million rows opens at once and scrolls smoothly.

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <functional>
#include <list>
#include <memory>
#include <vector>

#include "store/catalogue.h"
#include "store/connection.h"
#include "store/paged.h"
#include "store/table.h"

namespace ui {

struct ColumnSpec {
    QString field;  // a column of the selection, any case
    QString heading;
    // Turns the field's value into the cell's text; empty: the value's own text (dates in the
    // short date format).
    std::function<QString(const QVariant&)> format;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    // A running balance: the column shows, on each row, the model's running end less the sum
    // of `field` over the rows after it, so the last row shows the running end.
    bool running = false;
};

// Ready-made cell texts: amounts as "0.00", dates (QDate or ISO text) in the short date format.
QString moneyText(const QVariant& value);
QString dateText(const QVariant& value);
QString plainText(const QVariant& value);
// Right-aligned "0.00" column.
ColumnSpec moneyColumn(const QString& field, const QString& heading);
ColumnSpec dateColumn(const QString& field, const QString& heading);
// Right-aligned "0.00" running balance of an amount field (see ColumnSpec::running).
ColumnSpec runningColumn(const QString& field, const QString& heading);

// What a table-backed model in append order (row id order) asks of totals kept beside its
// table instead of counting rows, so a far position and its running balance cost the same on
// a million rows as on a thousand. Each answers for the table's visible records.
struct RowBlocks {
    std::function<qint64()> count;
    std::function<qint64(qint64 position)> rowIdAt;  // zero-based; 0 past the end
    std::function<qint64(qint64 rowId)> rowsBefore;
    std::function<qint64(qint64 rowId)> runningAfter;  // the running field's cents after the row
};

// Light blue of grid rows with an odd record number and of the focused edit box.
QColor gridShadeColour();

class LazyTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kPageSize = 256;
    // Rows per page of a query paged by key: in index order its rows lie scattered over the
    // file, each a read of its own when cold, so a far row costs the few rows around it.
    static constexpr int kKeyedPageSize = 64;
    static constexpr int kCachedPages = 16;

    // Over a table's visible records in its tag order. The table's selection is taken again on
    // every reload, so a changed tag, range or filter shows after reload().
    // With blocks, a model in append order counts, seeks and sums through them.
    LazyTableModel(store::Connection& connection, const store::Table& table,
                   QList<ColumnSpec> columns, QObject* parent = nullptr, RowBlocks blocks = {});
    // Over a query's result, in the query's own order.
    LazyTableModel(store::Connection& connection, const QString& sql, const QVariantMap& params,
                   QList<ColumnSpec> columns, QObject* parent = nullptr);
    // Over a query paged by key: the statements as a table's selection gives them, column 0
    // of every row the row id and keyColumn the ordering field's, so that a far page costs
    // what a near one does. Where the keys are row ids alone, rowIdAt may give the row id at
    // a zero-based position in the query's order (0 past the end) from totals kept beside the
    // rows, so a far page is reached without skipping the index entries before it.
    LazyTableModel(store::Connection& connection, store::Table::Selection keyed,
                   QList<ColumnSpec> columns, QObject* parent = nullptr,
                   std::function<qint64(qint64 position)> rowIdAt = {});
    ~LazyTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Counts again and forgets every cached page (after the data changed).
    void reload();
    // Forgets every cached page after a change that added (or removed, when negative) this many
    // rows, without counting them again.
    void reloadChanged(qint64 rowsAdded);
    // The row of a table-backed record: found among the cached pages, else counted from the
    // nearer end through the table (standing on that record). -1 when the table has none.
    int rowOfTableRecord() const;

    // The first row whose field, as valueAt gives it, matches; read in one pass of the
    // selection rather than page by page. -1 when no row does.
    int findRow(const QString& field, const std::function<bool(const QVariant&)>& matches) const;

    bool isTableBacked() const { return table_ != nullptr; }
    // The row id of a table-backed row; 0 for query models and rows out of range.
    qint64 rowIdAt(int row) const;
    // Any column of the selection by name, displayed or not; invalid when out of range.
    QVariant valueAt(int row, const QString& field) const;
    // The cell text as the grid shows it.
    QString textAt(int row, int column) const;
    const QList<ColumnSpec>& columns() const { return columns_; }

    // The balance after the last row, in cents, for running columns; forgets what was summed.
    void setRunningEnd(qint64 cents);
    // The running balance after a row, in cents (the first running column's field).
    qint64 runningCentsAt(int row) const;

    // Rows read from the store since construction (tests check that paging holds).
    qint64 rowsFetched() const { return rowsFetched_; }
    int pageRows() const { return pageRows_; }

private:
    using Row = std::vector<QVariant>;
    using Page = std::vector<Row>;

    void resolveColumns();
    bool pagedByKey() const { return !keyed_.afterSql.isEmpty(); }
    bool byBlocks() const { return blocks_.count && table_ && keyed_.keyColumn < 0; }
    bool seeksByRowId() const { return blocks_.rowIdAt && keyed_.keyColumn < 0; }
    const Row* rowAt(int row) const;
    const Page& page(qint64 index) const;
    Page readPage(qint64 index) const;
    Page readPageBySeek(qint64 start, int size) const;
    QVariantMap keyOf(const Row& row) const;
    QVariantMap keyAt(const QString& keySql, qint64 offset) const;
    void resetPages(const std::function<void()>& count);
    qint64 runningAfterPage(qint64 index) const;
    qint64 summedAfter(qint64 index) const;
    qint64 sumOver(const QString& from, const QVariantMap& extra) const;
    qint64 runningCents(const Row& row) const;
    QVariant converted(int selectionColumn, const QVariant& stored) const;

    store::Connection& connection_;
    const store::Table* table_ = nullptr;
    const store::TableDef* def_ = nullptr;
    QString sql_;
    QVariantMap params_;
    QList<ColumnSpec> columns_;
    RowBlocks blocks_;
    int pageRows_ = kPageSize;

    std::unique_ptr<store::PagedSelection> selection_;
    QString countSql_;
    store::Table::Selection keyed_;               // the statements that page by key, if any
    QStringList names_;                           // the selection's columns
    std::vector<int> columnIndex_;                // per ColumnSpec, into names_
    std::vector<const store::FieldDef*> fields_;  // per selection column; nullptr: raw value
    qint64 count_ = 0;

    mutable QHash<qint64, Page> pages_;
    mutable std::list<qint64> recent_;  // page numbers, most recently used first
    mutable qint64 rowsFetched_ = 0;

    qint64 runningEnd_ = 0;
    int runningField_ = -1;  // selection column the running columns sum
    // Per page: the sum of the running field over the rows after it, in cents, and the key of
    // its last row; found from the next page's, else summed up to the nearest later page known.
    struct RunningMark {
        qint64 after = 0;
        QVariantMap lastKey;
    };
    mutable QMap<qint64, RunningMark> runningAfter_;
};

}  // namespace ui
