#pragma once
// A date entry box with a calendar, in the user's short date format with a four-digit year.

#include <QDate>
#include <QDateEdit>

namespace ui {

class DateBox : public QDateEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget* parent = nullptr);
    explicit DateBox(const QDate& date, QWidget* parent = nullptr);

    // An invalid date leaves the box unchanged.
    void setDateValue(const QDate& date);
    QDate dateValue() const { return date(); }
};

}  // namespace ui
