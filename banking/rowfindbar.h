#pragma once
// The find bar of the bank transaction window (Ctrl+F): a box for a reference, amount, date or
// narrative text. Enter and F3 find the next row, Shift+F3 the prior one, going round past the
// end; Escape closes the bar. The row is found by one query on the store and the grid lands
// on it, however many rows the account holds.

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QToolButton;

namespace store {
class Connection;
}
namespace ui {
class DataGrid;
}

namespace banking {

class RowFindBar : public QWidget {
    Q_OBJECT
public:
    // `bankLink` gives the shown account's BANKLINK as its rows carry it (empty: none shown).
    RowFindBar(store::Connection& connection, ui::DataGrid& grid, std::function<QString()> bankLink,
               QWidget* parent = nullptr);

    void open();  // shows the bar with the box's text selected
    void findNext() { find(true); }
    void findPrior() { find(false); }
    QLineEdit* edit() const { return edit_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void find(bool forward);
    void close();

    store::Connection& connection_;
    ui::DataGrid& grid_;
    std::function<QString()> bankLink_;
    QLineEdit* edit_;
    QToolButton* priorButton_;
    QToolButton* nextButton_;
    QLabel* status_;
};

}  // namespace banking
