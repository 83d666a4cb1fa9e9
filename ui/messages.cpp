#include "ui/messages.h"

#include "ui/apptitle.h"

#include <QApplication>
#include <QMessageBox>

namespace ui {

namespace {

MessageScript* g_script = nullptr;

bool isPositive(MsgAnswer a) {
    return a == MsgAnswer::Ok || a == MsgAnswer::Yes;
}

QMessageBox::Icon iconFor(MsgKind kind) {
    switch (kind) {
    case MsgKind::Error:
        return QMessageBox::Critical;
    case MsgKind::Warning:
        return QMessageBox::Warning;
    case MsgKind::Information:
        return QMessageBox::Information;
    case MsgKind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsFor(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MsgAnswer answerFor(int button, MsgButtons buttons) {
    switch (button) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        // Closed by the window's close button: the box's negative answer.
        return fitAnswer(MsgAnswer::Cancel, buttons);
    }
}

}  // namespace

MsgAnswer fitAnswer(MsgAnswer answer, MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
        return isPositive(answer) ? MsgAnswer::Yes : MsgAnswer::No;
    case MsgButtons::OkCancel:
        return isPositive(answer) ? MsgAnswer::Ok : MsgAnswer::Cancel;
    case MsgButtons::YesNoCancel:
        return answer == MsgAnswer::Ok ? MsgAnswer::Yes : answer;
    }
    return answer;
}

MessageScript::MessageScript() : previous_(g_script) {
    g_script = this;
}

MessageScript::~MessageScript() {
    g_script = previous_;
}

MessageScript* MessageScript::current() {
    return g_script;
}

void MessageScript::answer(MsgAnswer answer) {
    queue_.append(answer);
}

void MessageScript::clear() {
    queue_.clear();
    texts_.clear();
    captions_.clear();
    kinds_.clear();
    buttons_.clear();
    beeps_ = 0;
}

MsgAnswer MessageScript::take(QWidget* parent, MsgKind kind, const QString& text,
                              MsgButtons buttons, const QString& caption) {
    texts_.append(text);
    captions_.append(caption);
    kinds_.append(kind);
    buttons_.append(buttons);
    if (onShow)
        onShow(parent, text);
    const MsgAnswer wanted = queue_.isEmpty() ? defaultAnswer_ : queue_.takeFirst();
    return fitAnswer(wanted, buttons);
}

MsgAnswer showMessage(QWidget* parent, MsgKind kind, const QString& text, MsgButtons buttons,
                      const QString& caption) {
    const QString title = caption.isEmpty() ? applicationTitle() : caption;
    if (g_script)
        return g_script->take(parent, kind, text, buttons, title);

    QMessageBox box(iconFor(kind), title, text, buttonsFor(buttons), parent);
    return answerFor(box.exec(), buttons);
}

void error(QWidget* parent, const QString& text) {
    showMessage(parent, MsgKind::Error, text);
}

void warning(QWidget* parent, const QString& text) {
    showMessage(parent, MsgKind::Warning, text);
}

void information(QWidget* parent, const QString& text) {
    showMessage(parent, MsgKind::Information, text);
}

bool confirm(QWidget* parent, const QString& text) {
    return showMessage(parent, MsgKind::Confirmation, text, MsgButtons::YesNo) == MsgAnswer::Yes;
}

bool confirmOkCancel(QWidget* parent, const QString& text) {
    return showMessage(parent, MsgKind::Confirmation, text, MsgButtons::OkCancel)
        == MsgAnswer::Ok;
}

void beep() {
    if (g_script) {
        ++g_script->beeps_;
        return;
    }
    QApplication::beep();
}

}  // namespace ui
