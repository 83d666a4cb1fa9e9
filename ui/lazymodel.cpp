#include "ui/lazymodel.h"

#include <QDate>
#include <algorithm>
#include <climits>
#include <cmath>

#include "store/error.h"
#include "store/format.h"
#include "store/query.h"
#include "store/table.h"

namespace ui {

QColor gridShadeColour() { return QColor(0xA6, 0xCA, 0xF0); }

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
    if (value.typeId() == QMetaType::QDate) return dateText(value);
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
                               QList<ColumnSpec> columns, QObject* parent, RowBlocks blocks)
    : QAbstractTableModel(parent),
      connection_(connection),
      table_(&table),
      def_(&table.def()),
      columns_(std::move(columns)),
      blocks_(std::move(blocks)) {
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

LazyTableModel::LazyTableModel(store::Connection& connection, store::Table::Selection keyed,
                               QList<ColumnSpec> columns, QObject* parent,
                               std::function<qint64(qint64)> rowIdAt)
    : QAbstractTableModel(parent),
      connection_(connection),
      sql_(keyed.sql),
      params_(keyed.params),
      columns_(std::move(columns)),
      pageRows_(kKeyedPageSize),
      countSql_(keyed.countSql),
      keyed_(std::move(keyed)) {
    blocks_.rowIdAt = std::move(rowIdAt);
    reload();
}

LazyTableModel::~LazyTableModel() = default;

void LazyTableModel::reload() {
    resetPages([this] {
        if (!byBlocks()) {
            count_ = selection_->count();
            return;
        }
        count_ = blocks_.count();
        selection_->setCount(count_);
    });
}

void LazyTableModel::reloadChanged(qint64 rowsAdded) {
    const qint64 known = std::max<qint64>(0, count_ + rowsAdded);
    resetPages([this, known] {
        selection_->setCount(known);
        count_ = known;
    });
}

void LazyTableModel::resetPages(const std::function<void()>& count) {
    beginResetModel();
    pages_.clear();
    recent_.clear();
    runningAfter_.clear();
    try {
        if (table_) {
            keyed_ = table_->selection();
            sql_ = keyed_.sql;
            params_ = keyed_.params;
            countSql_ = keyed_.countSql;
        }
        selection_ = std::make_unique<store::PagedSelection>(connection_, sql_, params_, countSql_);
        resolveColumns();
        count();
    } catch (...) {
        count_ = 0;
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
        for (int i = 1; i < names_.size(); ++i) fields_[i] = def_->field(names_[i]);
    }
    columnIndex_.clear();
    runningField_ = -1;
    for (const ColumnSpec& column : columns_) {
        int found = -1;
        for (int i = 0; i < names_.size() && found < 0; ++i) {
            if (names_[i].compare(column.field, Qt::CaseInsensitive) == 0) found = i;
        }
        if (found < 0)
            throw store::StoreError(QStringLiteral("Field %1 not found.").arg(column.field));
        columnIndex_.push_back(found);
        if (column.running && runningField_ < 0) runningField_ = found;
    }
}

int LazyTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
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
        rows = readPage(index);
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

// The tag value and row id of a table-backed row, as the keyset statements take them.
QVariantMap LazyTableModel::keyOf(const Row& row) const {
    QVariantMap key{{QStringLiteral("__rowid"), row.front()}};
    if (keyed_.keyColumn >= 0) key.insert(QStringLiteral("__key"), row[size_t(keyed_.keyColumn)]);
    return key;
}

// A page of a model paged by key is read by key from a cached neighbour, else by a seek from
// the nearer end; a plain query's by offset.
LazyTableModel::Page LazyTableModel::readPage(qint64 index) const {
    const qint64 start = index * pageRows_;
    const int size = int(std::min<qint64>(pageRows_, count_ - start));
    if (!pagedByKey() || size <= 0) return selection_->fetch(start, pageRows_);
    const auto before = pages_.constFind(index - 1);
    if (before != pages_.constEnd() && before->size() == size_t(pageRows_))
        return selection_->fetchFrom(keyed_.afterSql, keyOf(before->back()), size);
    const auto after = pages_.constFind(index + 1);
    if (after != pages_.constEnd() && !after->empty()) {
        Page rows = selection_->fetchFrom(keyed_.beforeSql, keyOf(after->front()), size);
        std::reverse(rows.begin(), rows.end());
        return rows;
    }
    return readPageBySeek(start, size);
}

// The key next to the page is found by skipping rows of the key statements, which an index
// answers without reading a record; the page is then read by key from it.
LazyTableModel::Page LazyTableModel::readPageBySeek(qint64 start, int size) const {
    const qint64 fromEnd = count_ - start - size;
    Page rows;
    if (start == 0) return selection_->fetch(0, size);
    if (seeksByRowId() && fromEnd > 0) {
        // Totals that know no such row fall back on skipping keys rather than show none.
        const qint64 id = blocks_.rowIdAt(start - 1);
        if (id > 0) return selection_->fetchFrom(keyed_.afterSql, {{"__rowid", id}}, size);
    }
    if (start <= fromEnd) {
        const QVariantMap key = keyAt(keyed_.keySql, start - 1);
        return key.isEmpty() ? rows : selection_->fetchFrom(keyed_.afterSql, key, size);
    }
    if (fromEnd == 0) {
        rows = selection_->fetchFrom(keyed_.reverseSql, {}, size);
    } else {
        const QVariantMap key = keyAt(keyed_.reverseKeySql, fromEnd - 1);
        if (!key.isEmpty()) rows = selection_->fetchFrom(keyed_.beforeSql, key, size);
    }
    std::reverse(rows.begin(), rows.end());
    return rows;
}

QVariantMap LazyTableModel::keyAt(const QString& keySql, qint64 offset) const {
    const auto keys = selection_->fetchFrom(keySql, {}, 1, offset);
    if (keys.empty()) return {};
    QVariantMap key{{QStringLiteral("__rowid"), keys.front().front()}};
    if (keyed_.keyColumn >= 0) key.insert(QStringLiteral("__key"), keys.front().at(1));
    return key;
}

int LazyTableModel::rowOfTableRecord() const {
    if (!table_ || !table_->hasRecord()) return -1;
    const qint64 id = table_->rowId();
    for (auto it = pages_.constBegin(); it != pages_.constEnd(); ++it) {
        for (size_t i = 0; i < it->size(); ++i)
            if ((*it)[i].front().toLongLong() == id) return int(it.key() * pageRows_ + qint64(i));
    }
    if (byBlocks()) return int(std::clamp<qint64>(blocks_.rowsBefore(id), -1, count_ - 1));
    // Counting the rows after it reads no further than half the rows.
    const qint64 half = count_ / 2 + 1;
    const qint64 after = table_->rowsAfter(half);
    const qint64 position = after < half ? count_ - after : table_->position();
    return int(std::clamp<qint64>(position - 1, -1, count_ - 1));
}

const LazyTableModel::Row* LazyTableModel::rowAt(int row) const {
    if (row < 0 || row >= count_ || !selection_) return nullptr;
    const Page& rows = page(row / pageRows_);
    const auto offset = static_cast<size_t>(row % pageRows_);
    return offset < rows.size() ? &rows[offset] : nullptr;
}

QVariant LazyTableModel::converted(int selectionColumn, const QVariant& stored) const {
    const store::FieldDef* field = fields_[selectionColumn];
    if (!field) return stored;
    try {
        return store::fromStored(*field, stored);
    } catch (const std::exception&) {
        return stored;
    }
}

qint64 LazyTableModel::rowIdAt(int row) const {
    if (!table_) return 0;
    const Row* r = rowAt(row);
    return r && !r->empty() ? r->front().toLongLong() : 0;
}

QVariant LazyTableModel::valueAt(int row, const QString& field) const {
    const Row* r = rowAt(row);
    if (!r) return {};
    for (int i = 0; i < names_.size() && i < static_cast<int>(r->size()); ++i) {
        if (names_[i].compare(field, Qt::CaseInsensitive) == 0) return converted(i, (*r)[i]);
    }
    return {};
}

int LazyTableModel::findRow(const QString& field,
                            const std::function<bool(const QVariant&)>& matches) const {
    if (!selection_) return -1;
    int column = -1;
    for (int i = 0; i < names_.size() && column < 0; ++i)
        if (names_[i].compare(field, Qt::CaseInsensitive) == 0) column = i;
    if (column < 0) throw store::StoreError(QStringLiteral("Field %1 not found.").arg(field));
    const qint64 row = selection_->find(
        column, [&](const QVariant& stored) { return matches(converted(column, stored)); });
    return row < count_ ? int(row) : -1;
}

void LazyTableModel::setRunningEnd(qint64 cents) {
    runningEnd_ = cents;
    if (count_ > 0 && runningField_ >= 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

qint64 LazyTableModel::runningCents(const Row& row) const {
    return std::llround(row[size_t(runningField_)].toDouble() * 100.0);
}

// The running field summed over the rows after a page: from the next page when it is cached,
// else over the rows up to the nearest later page whose sum is known.
qint64 LazyTableModel::runningAfterPage(qint64 index) const {
    if ((index + 1) * pageRows_ >= count_) return 0;
    const auto known = runningAfter_.constFind(index);
    if (known != runningAfter_.constEnd()) return known->after;
    qint64 sum = 0;
    if (!byBlocks()) {
        sum = summedAfter(index);
    } else if (const Page& own = page(index); !own.empty()) {
        sum = blocks_.runningAfter(own.back().front().toLongLong());
    }
    // Read again: summing may have read other pages, which can push this one out.
    const Page& rows = page(index);
    runningAfter_.insert(index, {sum, rows.empty() ? QVariantMap() : keyOf(rows.back())});
    return sum;
}

qint64 LazyTableModel::summedAfter(qint64 index) const {
    const auto next = runningAfter_.constFind(index + 1);
    if (next != runningAfter_.constEnd() && pages_.contains(index + 1)) {
        qint64 sum = next->after;
        for (const Row& row : pages_.value(index + 1)) sum += runningCents(row);
        return sum;
    }
    const Page& rows = page(index);
    if (!pagedByKey() || rows.empty())
        return sumOver(
            QStringLiteral(" FROM (%1 LIMIT -1 OFFSET %2)").arg(sql_).arg((index + 1) * pageRows_),
            {});
    // From the nearest page whose later rows are summed, before or after this one, else from
    // the end; only the rows in between are read.
    const QVariantMap own = keyOf(rows.back());
    const qint64 lastPage = (count_ - 1) / pageRows_;
    auto later = runningAfter_.upperBound(index);
    auto earlier = runningAfter_.lowerBound(index);
    const bool hasEarlier = earlier != runningAfter_.constBegin();
    if (hasEarlier) --earlier;
    const qint64 toLater = later != runningAfter_.constEnd() ? later.key() - index : LLONG_MAX;
    const qint64 toEarlier = hasEarlier ? index - earlier.key() : LLONG_MAX;
    const qint64 toEnd = lastPage - index;
    const auto between = [&](const QVariantMap& from, const QVariantMap& to) {
        QVariantMap params = from;
        for (auto it = to.begin(); it != to.end(); ++it)
            params.insert(it.key() + QLatin1Char('2'), it.value());
        return sumOver(keyed_.fromBetween, params);
    };
    if (toEarlier < std::min(toLater, toEnd) && !earlier->lastKey.isEmpty())
        return earlier->after - between(earlier->lastKey, own);
    if (toLater < toEnd && !later->lastKey.isEmpty())
        return later->after + between(own, later->lastKey);
    return sumOver(keyed_.fromAfter, own);
}

// The running field summed in cents over " FROM ... WHERE ...", with the selection's
// parameters and these.
qint64 LazyTableModel::sumOver(const QString& from, const QVariantMap& extra) const {
    const QString field = QLatin1Char('"') + names_[runningField_] + QLatin1Char('"');
    store::Query q(connection_);
    q.setSql(QStringLiteral("SELECT SUM(ROUND(%1 * 100))").arg(field) + from);
    QVariantMap params = params_;
    params.insert(extra);
    for (auto it = params.begin(); it != params.end(); ++it) q.bind(it.key(), it.value());
    q.open();
    return q.isEmpty() ? 0 : std::llround(q.number(0));
}

qint64 LazyTableModel::runningCentsAt(int row) const {
    if (row < 0 || row >= count_ || runningField_ < 0 || !selection_) return 0;
    const qint64 index = row / pageRows_;
    try {
        qint64 after = runningAfterPage(index);
        const Page& rows = page(index);
        for (size_t i = size_t(row % pageRows_) + 1; i < rows.size(); ++i)
            after += runningCents(rows[i]);
        // The balance after a row is the end less what the rows after it added.
        return runningEnd_ - after;
    } catch (const std::exception& e) {
        qWarning("Running balances could not be read: %s", e.what());
        return 0;
    }
}

QString LazyTableModel::textAt(int row, int column) const {
    if (column < 0 || column >= columns_.size()) return {};
    if (columns_[column].running)
        return row >= 0 && row < count_ ? store::fmt::money(double(runningCentsAt(row)) / 100.0)
                                        : QString();
    const Row* r = rowAt(row);
    const int at = columnIndex_[column];
    if (!r || at >= static_cast<int>(r->size())) return {};
    const QVariant value = converted(at, (*r)[at]);
    const ColumnSpec& shown = columns_[column];
    return shown.format ? shown.format(value) : plainText(value);
}

QVariant LazyTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
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
        if (role == Qt::DisplayRole) return columns_[section].heading;
        if (role == Qt::TextAlignmentRole) return static_cast<int>(columns_[section].align);
    }
    if (orientation == Qt::Vertical && role == Qt::DisplayRole) return section + 1;
    return {};
}

}  // namespace ui
