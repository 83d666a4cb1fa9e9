#include "ui/lazymodel.h"

#include "store/error.h"
#include "store/format.h"
#include "store/query.h"
#include "store/table.h"

#include <QDate>
#include <algorithm>
#include <climits>
#include <cmath>

namespace ui {

QColor gridShadeColour() {
    return QColor(0xA6, 0xCA, 0xF0);
}

QString moneyText(const QVariant& value) {
    if (value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty()))
        return {};
    return store::fmt::money(value.toDouble());
}

QString dateText(const QVariant& value) {
    QDate date = value.typeId() == QMetaType::QDate
        ? value.toDate()
        : QDate::fromString(value.toString().left(10), Qt::ISODate);
    return store::fmt::shortDate(date);
}

QString plainText(const QVariant& value) {
    if (value.typeId() == QMetaType::QDate)
        return dateText(value);
    return value.toString();
}

ColumnSpec moneyColumn(const QString& field, const QString& heading) {
    return {field, heading, moneyText, Qt::AlignRight | Qt::AlignVCenter};
}

ColumnSpec dateColumn(const QString& field, const QString& heading) {
    return {field, heading, dateText, Qt::AlignLeft | Qt::AlignVCenter};
}

ColumnSpec runningColumn(const QString& field, const QString& heading) {
    ColumnSpec c = moneyColumn(field, heading);
    c.running = true;
    return c;
}

LazyTableModel::LazyTableModel(store::Connection& connection, const store::Table& table,
                               QList<ColumnSpec> columns, QObject* parent)
    : QAbstractTableModel(parent),
      connection_(connection),
      table_(&table),
      def_(&table.def()),
      columns_(std::move(columns)) {
    reload();
}

LazyTableModel::LazyTableModel(store::Connection& connection, const QString& sql,
                               const QVariantMap& params, QList<ColumnSpec> columns,
                               QObject* parent)
    : QAbstractTableModel(parent),
      connection_(connection),
      sql_(sql),
      params_(params),
      columns_(std::move(columns)) {
    reload();
}

LazyTableModel::~LazyTableModel() = default;

void LazyTableModel::reload() {
    beginResetModel();
    pages_.clear();
    recent_.clear();
    runningSums_.clear();
    runningRead_ = false;
    count_ = 0;
    try {
        if (table_) {
            const store::Table::Selection s = table_->selection();
            sql_ = s.sql;
            params_ = s.params;
            countSql_ = s.countSql;
        }
        selection_ = std::make_unique<store::PagedSelection>(connection_, sql_, params_, countSql_);
        resolveColumns();
        count_ = selection_->count();
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

void LazyTableModel::resolveColumns() {
    names_ = selection_->columnNames();
    fields_.assign(names_.size(), nullptr);
    if (def_) {
        // Column 0 of a table's selection is the row id, the rest are its fields.
        for (int i = 1; i < names_.size(); ++i)
            fields_[i] = def_->field(names_[i]);
    }
    columnIndex_.clear();
    runningField_ = -1;
    for (const ColumnSpec& column : columns_) {
        int found = -1;
        for (int i = 0; i < names_.size() && found < 0; ++i) {
            if (names_[i].compare(column.field, Qt::CaseInsensitive) == 0)
                found = i;
        }
        if (found < 0)
            throw store::StoreError(QStringLiteral("Field %1 not found.").arg(column.field));
        columnIndex_.push_back(found);
        if (column.running && runningField_ < 0)
            runningField_ = found;
    }
}

int LazyTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return static_cast<int>(std::min<qint64>(count_, INT_MAX));
}

int LazyTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

const LazyTableModel::Page& LazyTableModel::page(qint64 index) const {
    auto found = pages_.find(index);
    if (found != pages_.end()) {
        recent_.remove(index);
        recent_.push_front(index);
        return found.value();
    }
    Page rows;
    try {
        rows = selection_->fetch(index * kPageSize, kPageSize);
    } catch (const std::exception& e) {
        // Cells are drawn while painting, where an exception has nowhere sensible to go; the
        // page stays empty until the next reload rather than failing on every repaint.
        qWarning("Grid page %lld could not be read: %s", index, e.what());
    }
    rowsFetched_ += static_cast<qint64>(rows.size());
    while (static_cast<int>(recent_.size()) >= kCachedPages) {
        pages_.remove(recent_.back());
        recent_.pop_back();
    }
    recent_.push_front(index);
    return pages_.insert(index, std::move(rows)).value();
}

const LazyTableModel::Row* LazyTableModel::rowAt(int row) const {
    if (row < 0 || row >= count_ || !selection_)
        return nullptr;
    const Page& rows = page(row / kPageSize);
    const auto offset = static_cast<size_t>(row % kPageSize);
    return offset < rows.size() ? &rows[offset] : nullptr;
}

QVariant LazyTableModel::converted(int selectionColumn, const QVariant& stored) const {
    const store::FieldDef* field = fields_[selectionColumn];
    if (!field)
        return stored;
    try {
        return store::fromStored(*field, stored);
    } catch (const std::exception&) {
        return stored;
    }
}

qint64 LazyTableModel::rowIdAt(int row) const {
    if (!table_)
        return 0;
    const Row* r = rowAt(row);
    return r && !r->empty() ? r->front().toLongLong() : 0;
}

QVariant LazyTableModel::valueAt(int row, const QString& field) const {
    const Row* r = rowAt(row);
    if (!r)
        return {};
    for (int i = 0; i < names_.size() && i < static_cast<int>(r->size()); ++i) {
        if (names_[i].compare(field, Qt::CaseInsensitive) == 0)
            return converted(i, (*r)[i]);
    }
    return {};
}

void LazyTableModel::setRunningEnd(qint64 cents) {
    runningEnd_ = cents;
    if (count_ > 0 && runningField_ >= 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void LazyTableModel::readRunningSums() const {
    runningRead_ = true;
    runningSums_.clear();
    const QString field = QLatin1Char('"') + names_[runningField_] + QLatin1Char('"');
    // A table's selection reads only the field, in the same order; a query's is wrapped.
    const qsizetype from = sql_.indexOf(QStringLiteral(" FROM "));
    const QString sql = table_ && from > 0
        ? QStringLiteral("SELECT ROUND(") + field + QStringLiteral(" * 100)") + sql_.mid(from)
        : QStringLiteral("SELECT ROUND(%1 * 100) FROM (%2)").arg(field, sql_);
    try {
        store::Query q(connection_);
        q.setSql(sql);
        for (auto it = params_.begin(); it != params_.end(); ++it)
            q.bind(it.key(), it.value());
        q.open();
        runningSums_.reserve(static_cast<size_t>(count_));
        qint64 sum = 0;
        for (q.first(); !q.eof(); q.next()) {
            sum += std::llround(q.number(0));
            runningSums_.push_back(sum);
        }
    } catch (const std::exception& e) {
        runningSums_.clear();
        qWarning("Running balances could not be read: %s", e.what());
    }
}

qint64 LazyTableModel::runningCentsAt(int row) const {
    if (row < 0 || row >= count_ || runningField_ < 0 || !selection_)
        return 0;
    if (!runningRead_)
        readRunningSums();
    if (runningSums_.empty() || static_cast<size_t>(row) >= runningSums_.size())
        return 0;
    // The balance after a row is the end less what the rows after it added.
    return runningEnd_ - (runningSums_.back() - runningSums_[static_cast<size_t>(row)]);
}

QString LazyTableModel::textAt(int row, int column) const {
    if (column < 0 || column >= columns_.size())
        return {};
    if (columns_[column].running)
        return row >= 0 && row < count_ ? store::fmt::money(double(runningCentsAt(row)) / 100.0)
                                        : QString();
    const Row* r = rowAt(row);
    const int at = columnIndex_[column];
    if (!r || at >= static_cast<int>(r->size()))
        return {};
    const QVariant value = converted(at, (*r)[at]);
    const ColumnSpec& shown = columns_[column];
    return shown.format ? shown.format(value) : plainText(value);
}

QVariant LazyTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return textAt(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return static_cast<int>(columns_[index.column()].align);
    case Qt::BackgroundRole:
        // Record numbers count from 1, so the odd ones sit at even row indexes.
        return index.row() % 2 == 0 ? gridShadeColour() : QColor(Qt::white);
    case Qt::ForegroundRole:
        return QColor(Qt::black);
    default:
        return {};
    }
}

QVariant LazyTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section >= 0 && section < columns_.size()) {
        if (role == Qt::DisplayRole)
            return columns_[section].heading;
        if (role == Qt::TextAlignmentRole)
            return static_cast<int>(columns_[section].align);
    }
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return {};
}

}  // namespace ui
