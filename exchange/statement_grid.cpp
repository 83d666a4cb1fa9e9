#include "exchange/statement_grid.h"

#include <QColor>

namespace exchange {

void StatementGridModel::setLines(QStringList lines) {
    beginResetModel();
    lines_ = std::move(lines);
    endResetModel();
}

void StatementGridModel::blankLine(int row) {
    if (row < 0 || row >= lines_.size()) return;
    lines_[row].clear();
    emit dataChanged(index(row, 1), index(row, 1));
}

int StatementGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(lines_.size());
}

int StatementGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant StatementGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= lines_.size()) return {};
    const int record = index.row() + 1;
    if (role == Qt::DisplayRole)
        return index.column() == 0 ? QVariant(QString::number(record))
                                   : QVariant(lines_[index.row()]);
    // Odd records are shaded as every grid of the program shades them.
    if (role == Qt::BackgroundRole && record % 2 == 1) return QColor(0xA6, 0xCA, 0xF0);
    return {};
}

QVariant StatementGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return section == 0 ? QStringLiteral("Record No.") : QStringLiteral("Data to import");
}

}  // namespace exchange
