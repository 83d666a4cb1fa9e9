#pragma once
// A date entry box with a calendar, in the user's short date format with a four-digit year.
//
// Besides the calendar and the arrow keys, a date can be typed whole ("5/12/26", "5 Dec",
// "05122026"; see parseTypedDate) and is read when the box is left, with Enter or Tab; "t" is
// today and "+" / "-" step a day. A typed text that is not a real date is refused with a beep
// and the focus stays in the box. Tab always leaves the box, never moves between its sections.

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

    // The date for "t" and for filling in a month or year left out; today unless a test fixes it.
    QDate today() const;
    void setToday(const QDate& today) { today_ = today; }

    QValidator::State validate(QString& input, int& pos) const override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    bool typeKey(QKeyEvent* event);
    void showTyped();
    // Reads what was typed into the date; false (after a beep) when it is not a date.
    bool commitTyped();
    void cancelTyped();
    void stepDays(int days);

    QString typed_;  // the text typed since the box last showed a date; empty when not typing
    QDate today_;
};

}  // namespace ui
