#include "ui/datebox.h"

#include "store/format.h"

namespace ui {

DateBox::DateBox(QWidget* parent) : DateBox(QDate::currentDate(), parent) {}

DateBox::DateBox(const QDate& date, QWidget* parent) : QDateEdit(date, parent) {
    setCalendarPopup(true);
    setDisplayFormat(store::fmt::shortDateFormat());
}

void DateBox::setDateValue(const QDate& date) {
    if (date.isValid())
        setDate(date);
}

}  // namespace ui
