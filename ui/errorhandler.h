#pragma once
// The general error handler: an error no window caught is shown with its own text and the
// operation in progress is abandoned, while the program keeps running.

#include <QApplication>
#include <QString>
#include <exception>
#include <stdexcept>
#include <utility>

class QWidget;

namespace ui {

class QuorvelApplication : public QApplication {
public:
    QuorvelApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The text a user sees for an error: a store error's own text, otherwise what().
QString errorText(const std::exception& e);
// Beeps and shows the error's text in an error box over parent.
void reportError(QWidget* parent, const std::exception& e);

// Runs f; any exception is reported over parent. Returns false when f threw. Handlers use it so
// that they behave the same with or without QuorvelApplication around them.
template <class F>
bool guarded(QWidget* parent, F&& f) {
    try {
        std::forward<F>(f)();
        return true;
    } catch (const std::exception& e) {
        reportError(parent, e);
    } catch (...) {
        reportError(parent, std::runtime_error("Unexpected error."));
    }
    return false;
}

}  // namespace ui
