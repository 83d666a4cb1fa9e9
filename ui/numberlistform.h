#pragma once
// A list of numbered rows to pick from: the grid, its navigator, a "Go to" number box, and
// "Select" returning the chosen row's TRANNUM. Its placement is kept in the file the bare name
// "NRVCash.ini" reaches. A window of this kind names its parts and binds its rows on first
// showing; the searching, selecting and closing are the same for all.

#include <QSize>
#include <optional>

#include "store/connection.h"
#include "ui/formbase.h"

class QLineEdit;
class QPushButton;

namespace ui {
class DataGrid;
class Navigator;

class NumberListForm : public FormBase {
    Q_OBJECT
public:
    struct Parts {
        QString section;  // the placement section and the window's object name
        int helpContext = 0;
        QString title;
        QString gridName;
        QString navigatorName;
        QString searchCaption;
        QSize size;
    };
    NumberListForm(QWidget* owner, const Parts& parts);
    ~NumberListForm() override;

    bool selectEnabled = true;  // the caller enables "Select" only while it can use a row

    // Result of "Select": the row's TRANNUM as text.
    QString tranNum;

    void GoToButtonClick();
    void SelectButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    // Binds the grid to the window's rows over the open connection (and sets the title).
    virtual void bindRows() = 0;
    // The number typed in the box, or nothing when there is none to look for (the window says
    // why, if it should).
    virtual std::optional<qint64> typedNumber() = 0;

    store::Connection connection_;
    DataGrid* grid_;
    QLineEdit* numberEdit_;

private:
    void FormShow();

    bool shown_ = false;
    Navigator* navigator_;
    QPushButton* goToButton_;
    QPushButton* selectButton_;
    QPushButton* exitButton_;
};

// The column texts every numbered list shows: a whole number, and a stored date as a long date
// (empty when there is none).
QString numberListNumber(const QVariant& v);
QString numberListDate(const QVariant& v);

}  // namespace ui
