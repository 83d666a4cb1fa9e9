#include "ui/datebox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include "store/format.h"
#include "ui/datetext.h"
#include "ui/messages.h"

namespace ui {

DateBox::DateBox(QWidget* parent) : DateBox(QDate::currentDate(), parent) {}

DateBox::DateBox(const QDate& date, QWidget* parent) : QDateEdit(date, parent) {
    setCalendarPopup(true);
    setDisplayFormat(store::fmt::shortDateFormat());
}

void DateBox::setDateValue(const QDate& date) {
    if (!date.isValid()) return;
    typed_.clear();
    setDate(date);
}

QDate DateBox::today() const { return today_.isValid() ? today_ : QDate::currentDate(); }

QValidator::State DateBox::validate(QString& input, int& pos) const {
    // While a date is being typed the text is free; it is read as a whole when the box is left.
    if (!typed_.isEmpty()) return QValidator::Intermediate;
    return QDateEdit::validate(input, pos);
}

bool DateBox::event(QEvent* event) {
    // Tab reaches a date edit before keyPressEvent and would move between its sections.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            const bool forward =
                key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
            if (commitTyped()) QWidget::focusNextPrevChild(forward);
            return true;
        }
    }
    return QDateEdit::event(event);
}

bool DateBox::focusNextPrevChild(bool next) {
    return commitTyped() && QWidget::focusNextPrevChild(next);
}

void DateBox::keyPressEvent(QKeyEvent* event) {
    if (isReadOnly()) {
        QDateEdit::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!commitTyped()) return;  // refused: the Enter does not reach the window either
            break;
        case Qt::Key_Escape:
            if (!typed_.isEmpty()) {
                cancelTyped();
                return;
            }
            break;
        default:
            if (typeKey(event)) return;
    }
    QDateEdit::keyPressEvent(event);
}

// Printable keys go into the typed text; "t", "+" and "-" at its start act at once.
bool DateBox::typeKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace && !typed_.isEmpty()) {
        typed_.chop(1);
        if (typed_.isEmpty())
            cancelTyped();
        else
            showTyped();
        return true;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    const QString text = event->text();
    if (text.size() != 1 || !text[0].isPrint()) return false;
    const QChar c = text[0];
    if (typed_.isEmpty() && c == u' ') return false;
    if (typed_.isEmpty() && (c == u'+' || c == u'=' || c == u'-')) {
        stepDays(c == u'-' ? -1 : 1);
        return true;
    }
    if (typed_.isEmpty() && (c == u't' || c == u'T')) {
        setDate(today());
        selectAll();
        return true;
    }
    typed_.append(c);
    showTyped();
    return true;
}

void DateBox::showTyped() {
    // Quietly: the spin box would otherwise read the text as it changes.
    const QSignalBlocker quiet(lineEdit());
    lineEdit()->setText(typed_);
    lineEdit()->setCursorPosition(int(typed_.size()));
}

bool DateBox::commitTyped() {
    if (typed_.isEmpty()) return true;
    const std::optional<QDate> read = parseTypedDate(typed_, today());
    if (!read) {
        beep();
        return false;
    }
    typed_.clear();
    setDate(*read);
    lineEdit()->setText(textFromDateTime(dateTime()));
    return true;
}

void DateBox::cancelTyped() {
    typed_.clear();
    lineEdit()->setText(textFromDateTime(dateTime()));
    selectAll();
}

void DateBox::stepDays(int days) {
    setDate(date().addDays(days));
    selectAll();
}

void DateBox::focusOutEvent(QFocusEvent* event) {
    // Left by the mouse: a date that cannot be read is given up rather than keeping the focus.
    if (!commitTyped()) cancelTyped();
    QDateEdit::focusOutEvent(event);
}

}  // namespace ui
