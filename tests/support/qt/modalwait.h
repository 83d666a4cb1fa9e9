#pragma once
// Answers a modal window that a test's action opens: waits for a visible window of type W,
// runs `act` on it (fill boxes, click buttons, close it). When no such window comes within the
// time limit, every modal window is rejected so that the test fails instead of hanging.

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace testing_support {

struct ModalWaitResult {
    bool seen = false;
};

template <class W>
std::shared_ptr<ModalWaitResult> whenShown(std::function<void(W*)> act, int timeoutMs = 5000) {
    auto result = std::make_shared<ModalWaitResult>();
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [=]() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* target = qobject_cast<W*>(w); target && target->isVisible()) {
                result->seen = true;
                act(target);
                return;
            }
        }
        if (clock->elapsed() > timeoutMs) {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible() && d->isModal())
                    d->reject();
            return;
        }
        QTimer::singleShot(20, *poll);
    };
    QTimer::singleShot(0, *poll);
    return result;
}

// Sets up the temporary settings and data folders every window test starts from.
void useTemporaryHome();

}  // namespace testing_support
