#pragma once
// The one way a command opens a window: create it with its owner, set its inputs, show it
// modally, read its result, destroy it.

#include <QDialog>
#include <QPointer>
#include <type_traits>

namespace ui {

struct NoInputs {
    template <class W>
    void operator()(W&) const {}
};

// Returns what `read` makes of the window after it closed, or the dialog's result code when
// there is nothing to read.
template <class W, class Setup = NoInputs>
int openWindow(QWidget* owner, Setup&& setup = {}) {
    W window(owner);
    setup(window);
    return window.exec();
}

template <class W, class Setup, class Read>
auto openWindow(QWidget* owner, Setup&& setup, Read&& read) {
    W window(owner);
    setup(window);
    const int code = window.exec();
    return read(window, code);
}

}  // namespace ui
