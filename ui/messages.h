#pragma once
// The one way windows show message boxes and beep, so that tests can answer them by script.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace ui {

enum class MsgKind { Error, Warning, Information, Confirmation };
enum class MsgButtons { Ok, YesNo, OkCancel, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// Shows a modal box over parent; the caption defaults to the application's name.
MsgAnswer showMessage(QWidget* parent, MsgKind kind, const QString& text,
                      MsgButtons buttons = MsgButtons::Ok, const QString& caption = {});

void error(QWidget* parent, const QString& text);
void warning(QWidget* parent, const QString& text);
void information(QWidget* parent, const QString& text);
// Yes/No confirmation: true on Yes.
bool confirm(QWidget* parent, const QString& text);
// OK/Cancel confirmation: true on OK.
bool confirmOkCancel(QWidget* parent, const QString& text);
void beep();

// While a script exists no box is shown and no sound is made: each box takes the next queued
// answer, or the default answer once the queue is empty, and everything shown is recorded.
// Answers are fitted to the box's buttons: Yes and Ok are the positive answer, No and Cancel the
// negative one, so "No" on an OK/Cancel box reads as Cancel and anything on an OK box as Ok.
// The default answer starts as the positive one (Ok or Yes). Scripts nest; the newest wins.
class MessageScript {
public:
    MessageScript();
    ~MessageScript();
    MessageScript(const MessageScript&) = delete;
    MessageScript& operator=(const MessageScript&) = delete;

    void answer(MsgAnswer answer);
    void setDefaultAnswer(MsgAnswer answer) { defaultAnswer_ = answer; }
    MsgAnswer defaultAnswer() const { return defaultAnswer_; }
    // Queued answers no box has taken yet.
    int pending() const { return static_cast<int>(queue_.size()); }

    QStringList texts() const { return texts_; }
    QStringList captions() const { return captions_; }
    QList<MsgKind> kinds() const { return kinds_; }
    QList<MsgButtons> buttons() const { return buttons_; }
    int beeps() const { return beeps_; }
    // Forgets what was recorded and the queued answers.
    void clear();

    // Called for every box before it is answered, for tests that check the parent.
    std::function<void(QWidget* parent, const QString& text)> onShow;

    // The innermost live script, or nullptr.
    static MessageScript* current();

private:
    friend MsgAnswer showMessage(QWidget*, MsgKind, const QString&, MsgButtons, const QString&);
    friend void beep();
    MsgAnswer take(QWidget* parent, MsgKind kind, const QString& text, MsgButtons buttons,
                   const QString& caption);

    MessageScript* previous_;
    QList<MsgAnswer> queue_;
    MsgAnswer defaultAnswer_ = MsgAnswer::Ok;
    QStringList texts_;
    QStringList captions_;
    QList<MsgKind> kinds_;
    QList<MsgButtons> buttons_;
    int beeps_ = 0;
};

// Fits an answer to the buttons a box has (see MessageScript).
MsgAnswer fitAnswer(MsgAnswer answer, MsgButtons buttons);

}  // namespace ui
