#include "exchange/statement_grid.h"

#include <QColor>

namespace exchange {

void StatementGridModel::setLines(QStringList lines) {
    beginResetModel();
    lines_ = std::move(lines);
    original_ = lines_;
    states_.assign(std::size_t(lines_.size()), LineState::Open);
    endResetModel();
}

LineState StatementGridModel::state(int row) const {
    return row >= 0 && row < lines_.size() ? states_[std::size_t(row)] : LineState::Deleted;
}

void StatementGridModel::blankLine(int row, LineState state) {
    if (row < 0 || row >= lines_.size()) return;
    lines_[row].clear();
    states_[std::size_t(row)] = state;
    emit dataChanged(index(row, 1), index(row, 2));
}

void StatementGridModel::markInBooks(const std::vector<bool>& inBooks) {
    for (std::size_t row = 0; row < states_.size(); ++row) {
        LineState& s = states_[row];
        if (s != LineState::Open && s != LineState::InBooks) continue;
        s = row < inBooks.size() && inBooks[row] ? LineState::InBooks : LineState::Open;
    }
    if (!states_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 2));
}

int StatementGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(lines_.size());
}

int StatementGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant StatementGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= lines_.size()) return {};
    const int record = index.row() + 1;
    const LineState s = states_[std::size_t(index.row())];
    if (role == Qt::DisplayRole) {
        if (index.column() == 0) return QString::number(record);
        if (index.column() == 1) return lines_[index.row()];
        if (s == LineState::InBooks) return kInBooksText;
        if (s == LineState::Accepted) return kAcceptedText;
        return {};
    }
    // A line the books hold is greyed: it is not there to be imported.
    if (role == Qt::ForegroundRole && s == LineState::InBooks) return QColor(Qt::darkGray);
    // Odd records are shaded as every grid of the program shades them.
    if (role == Qt::BackgroundRole && record % 2 == 1) return QColor(0xA6, 0xCA, 0xF0);
    return {};
}

QVariant StatementGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    switch (section) {
        case 0:
            return QStringLiteral("Record No.");
        case 1:
            return QStringLiteral("Data to import");
        default:
            return QStringLiteral("Status");
    }
}

}  // namespace exchange
