#include "ui/datagrid.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <algorithm>

#include "store/table.h"
#include "ui/errorhandler.h"

namespace ui {

namespace {

constexpr int kCellPadding = 12;
constexpr int kMaxFittedWidth = 400;

}  // namespace

DataGrid::DataGrid(QWidget* parent) : QTableView(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    // Fixed heights let the view place a million rows without asking for any of them.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column) {
        if (!sizing_) userSized_.insert(column);
    });

    // The selected row stays white on blue even when another control has the focus.
    QPalette p = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Highlight, QColor(0x00, 0x00, 0x80));
        p.setColor(group, QPalette::HighlightedText, Qt::white);
        p.setColor(group, QPalette::Base, Qt::white);
        p.setColor(group, QPalette::Text, Qt::black);
    }
    setPalette(p);

    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) emit activatedRow(index.row());
    });
}

void DataGrid::bindTable(store::Connection& connection, store::Table* table,
                         QList<ColumnSpec> columns, RowBlocks blocks) {
    auto* model =
        new LazyTableModel(connection, *table, std::move(columns), this, std::move(blocks));
    table_ = table;
    setModelOwned(model);
    syncToTable();
}

void DataGrid::bindQuery(store::Connection& connection, const QString& sql,
                         const QVariantMap& params, QList<ColumnSpec> columns) {
    auto* model = new LazyTableModel(connection, sql, params, std::move(columns), this);
    table_ = nullptr;
    setModelOwned(model);
    if (model->rowCount() > 0) selectRow(0);
}

void DataGrid::bindKeyedQuery(store::Connection& connection, store::Table::Selection keyed,
                              QList<ColumnSpec> columns, std::function<qint64(qint64)> rowIdAt) {
    auto* model = new LazyTableModel(connection, std::move(keyed), std::move(columns), this,
                                     std::move(rowIdAt));
    table_ = nullptr;
    setModelOwned(model);
    if (model->rowCount() > 0) selectRow(0);
}

void DataGrid::unbind() {
    table_ = nullptr;
    setModelOwned(nullptr);
}

void DataGrid::setModelOwned(LazyTableModel* model) {
    LazyTableModel* old = model_;
    model_ = model;
    setModel(model);
    delete old;
    if (!model) return;
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &DataGrid::rowChanged);
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        sizing_ = true;
        widths_.clear();
        for (int c = 0; c < model_->columnCount(); ++c) widths_.append(columnWidth(c));
    });
    // After a reload a column keeps its width, widened to new rows that need more room (an
    // account's first entries, a longer narrative) unless the user sized it.
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        // A stretched last column takes the room that is left; its kept width would only grow.
        const int kept = int(widths_.size()) - (horizontalHeader()->stretchLastSection() ? 1 : 0);
        for (int c = 0; c < kept; ++c)
            setWidthQuietly(
                c, userSized_.contains(c) ? widths_[c] : std::max(widths_[c], fittedWidth(c)));
        sizing_ = false;
    });
    userSized_.clear();
    fitColumns();
}

void DataGrid::fitColumns() {
    for (int c = 0; c < model_->columnCount(); ++c) setWidthQuietly(c, fittedWidth(c));
}

int DataGrid::fittedWidth(int column) const {
    // Sized from the heading and the first kPageSize rows only: measuring every row would read
    // them all. A running balance is measured on the last rows, which need no sums.
    int width =
        horizontalHeader()->fontMetrics().horizontalAdvance(model_->columns()[column].heading);
    const int count = model_->rowCount();
    const int rows = std::min(count, int(LazyTableModel::kPageSize));
    const int from = model_->columns()[column].running ? count - rows : 0;
    for (int r = from; r < from + rows; ++r)
        width = std::max(width, fontMetrics().horizontalAdvance(model_->textAt(r, column)));
    return std::min(width + kCellPadding, kMaxFittedWidth);
}

void DataGrid::setWidthQuietly(int column, int width) {
    const bool wasSizing = sizing_;
    sizing_ = true;
    setColumnWidth(column, width);
    sizing_ = wasSizing;
}

int DataGrid::currentRow() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.row() : -1;
}

void DataGrid::setCurrentRow(int row) {
    if (model_ && row >= 0 && row < model_->rowCount()) selectRow(row);
}

void DataGrid::selectRow(int row) {
    const int column = std::max(0, currentIndex().column());
    const QModelIndex index = model_->index(row, column);
    selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void DataGrid::rowChanged(const QModelIndex& current, const QModelIndex&) {
    if (!syncing_ && table_ && current.isValid()) {
        const qint64 rowId = model_->rowIdAt(current.row());
        bool moved = false;
        guarded(this, [&] { moved = table_->gotoRowId(rowId); });
        if (!moved) {
            // The table stayed (it is being edited, or the row is gone): show where it is.
            guarded(this, [this] { syncToTable(); });
            return;
        }
    }
    emit currentRecordChanged();
}

void DataGrid::syncToTable() {
    if (!model_ || !table_) return;
    qint64 position = model_->rowOfTableRecord() + 1;
    // Rows added or removed elsewhere shift positions; re-read before trusting ours.
    if (position > 0 && model_->rowIdAt(int(position - 1)) != table_->rowId()) {
        model_->reload();
        position = model_->rowOfTableRecord() + 1;
    }
    syncing_ = true;
    if (position > 0 && position <= model_->rowCount()) {
        if (currentRow() != position - 1) selectRow(int(position - 1));
    } else {
        selectionModel()->clear();
    }
    syncing_ = false;
}

void DataGrid::refreshChanged(qint64 rowsAdded) {
    if (!model_) return;
    model_->reloadChanged(rowsAdded);
    syncToTable();
}

void DataGrid::refresh() {
    if (!model_) return;
    const int row = currentRow();
    model_->reload();
    if (table_) {
        syncToTable();
    } else if (model_->rowCount() > 0) {
        selectRow(std::clamp(row, 0, model_->rowCount() - 1));
    }
}

namespace {

class GridTarget : public NavigationTarget {
public:
    explicit GridTarget(DataGrid& grid) : grid_(grid) {}
    void first() override { grid_.setCurrentRow(0); }
    void last() override { grid_.setCurrentRow(rows() - 1); }
    void next() override {
        if (grid_.currentRow() + 1 < rows()) grid_.setCurrentRow(grid_.currentRow() + 1);
    }
    void prior() override {
        if (grid_.currentRow() > 0) grid_.setCurrentRow(grid_.currentRow() - 1);
    }
    bool bof() const override { return grid_.currentRow() <= 0; }
    bool eof() const override { return grid_.currentRow() >= rows() - 1; }
    bool isEmpty() const override { return rows() == 0; }

private:
    int rows() const { return grid_.lazyModel() ? grid_.lazyModel()->rowCount() : 0; }
    DataGrid& grid_;
};

}  // namespace

std::unique_ptr<NavigationTarget> gridTarget(DataGrid& grid) {
    return std::make_unique<GridTarget>(grid);
}

}  // namespace ui
