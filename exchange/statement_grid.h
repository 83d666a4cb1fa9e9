#pragma once
// The statement's lines as the import window's grid shows them: "Record No.", "Data to import"
// and what became of the line, every line of the file however long it is. Rows are drawn only
// when seen, so a statement of many thousand lines shows at once.

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

namespace exchange {

// What became of a statement line.
enum class LineState {
    Open,     // still to be imported
    InBooks,  // the books already hold it: offered only when the user insists
    Accepted,
    Deleted
};

class StatementGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setLines(QStringList lines);
    const QStringList& lines() const { return lines_; }
    QString line(int row) const {
        return row >= 0 && row < lines_.size() ? lines_[row] : QString();
    }
    // The line as the file gave it, also once it is blanked.
    QString originalLine(int row) const {
        return row >= 0 && row < original_.size() ? original_[row] : QString();
    }
    LineState state(int row) const;
    // An accepted or deleted line is blanked: it cannot be imported twice.
    void blankLine(int row, LineState state = LineState::Deleted);
    // Marks the open lines the books hold (inBooks[row]) and opens the others again; accepted and
    // deleted lines stay as they are.
    void markInBooks(const std::vector<bool>& inBooks);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList lines_;
    QStringList original_;
    std::vector<LineState> states_;
};

// The words of the grid's last column.
inline const QString kInBooksText = QStringLiteral("already in the books");
inline const QString kAcceptedText = QStringLiteral("accepted");

}  // namespace exchange
