#pragma once
// The read-only grid every window shows tables and queries in.

#include <QSet>
#include <QTableView>
#include <memory>

#include "ui/lazymodel.h"
#include "ui/navigator.h"

namespace store {
class Connection;
class Table;
}  // namespace store

namespace ui {

class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);

    // Shows an open table's visible records and keeps the grid's row and the table's record in
    // step. The connection, the table's, must outlive the binding.
    void bindTable(store::Connection& connection, store::Table* table, QList<ColumnSpec> columns,
                   RowBlocks blocks = {});
    // Shows a query's result; the connection must outlive the binding.
    void bindQuery(store::Connection& connection, const QString& sql, const QVariantMap& params,
                   QList<ColumnSpec> columns);
    // Shows a query paged by key (see LazyTableModel, also for rowIdAt); the connection must
    // outlive the binding.
    void bindKeyedQuery(store::Connection& connection, store::Table::Selection keyed,
                        QList<ColumnSpec> columns,
                        std::function<qint64(qint64 position)> rowIdAt = {});
    // Drops the model (before the table or connection goes away).
    void unbind();

    LazyTableModel* lazyModel() const { return model_; }
    store::Table* table() const { return table_; }
    // The current row, -1 without one.
    int currentRow() const;
    void setCurrentRow(int row);

    // Re-reads after the data changed, then follows the table's current record (table grids)
    // or keeps the current row where it can (query grids).
    void refresh();
    // Re-reads after a change that added (removed, when negative) this many of the table's rows,
    // without counting them, and follows the table's current record.
    void refreshChanged(qint64 rowsAdded);
    // Selects the row of the table's current record, without moving the table.
    void syncToTable();

signals:
    // The record under the grid's cursor changed, by a click, a key or syncToTable().
    void currentRecordChanged();
    // The user double-clicked a row.
    void activatedRow(int row);

private:
    void setModelOwned(LazyTableModel* model);
    void fitColumns();
    void selectRow(int row);
    void rowChanged(const QModelIndex& current, const QModelIndex& previous);

    LazyTableModel* model_ = nullptr;
    store::Table* table_ = nullptr;
    bool syncing_ = false;
    int fittedWidth(int column) const;
    void setWidthQuietly(int column, int width);

    QList<int> widths_;    // kept across a reload, which would reset them
    QSet<int> userSized_;  // columns the user resized: a reload leaves them as they are
    bool sizing_ = false;  // the grid itself is setting widths
};

// Navigation over a grid's rows, for a navigator beside a query grid.
std::unique_ptr<NavigationTarget> gridTarget(DataGrid& grid);

}  // namespace ui
