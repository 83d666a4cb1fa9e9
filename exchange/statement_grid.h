#pragma once
// The statement's lines as the import window's grid shows them: "Record No." and "Data to
// import", every line of the file however long it is. Rows are drawn only when seen, so a
// statement of many thousand lines shows at once.

#include <QAbstractTableModel>
#include <QStringList>

namespace exchange {

class StatementGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setLines(QStringList lines);
    const QStringList& lines() const { return lines_; }
    QString line(int row) const {
        return row >= 0 && row < lines_.size() ? lines_[row] : QString();
    }
    // An accepted or deleted line is blanked: it cannot be imported twice.
    void blankLine(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList lines_;
};

}  // namespace exchange
