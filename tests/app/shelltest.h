#pragma once
// What the shell's window tests share: a fresh settings and data folder per test, the control
// record set as a test needs it, and a watcher that answers the set-up wizard.

#include "app/wizardform.h"
#include "store/connection.h"
#include "store/paths.h"
#include "store/table.h"
#include "store/transaction.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariantMap>
#include <functional>
#include <memory>

namespace shelltest {

// Points the settings and data folders at a new temporary folder, so the alias NRV names a data
// folder that does not exist yet (created with a control record "Name" on first connection).
class FreshHome {
public:
    FreshHome()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath("config")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir_.filePath("data")));
    }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

// Sets fields of the first control record.
inline void setControl(const QVariantMap& values)
{
    store::Connection c;
    c.connect();
    store::Table control(c, "QVCntrl.DBF");
    control.setIndexName("COYCODE");
    control.open();
    control.edit();
    for (auto it = values.begin(); it != values.end(); ++it) control.setValue(it.key(), it.value());
    control.post();
}

inline void emptyControlTable()
{
    store::Connection c;
    c.connect();
    store::Table control(c, "QVCntrl.DBF");
    control.open();
    while (!control.isEmpty()) control.remove();
}

template <class W>
W* child(QWidget* parent, const QString& name)
{
    return parent->findChild<W*>(name);
}

inline void click(QWidget* parent, const char* name)
{
    auto* b = parent->findChild<QAbstractButton*>(QLatin1String(name));
    Q_ASSERT_X(b, "click", name);
    b->click();
}

// While it lives, answers each set-up wizard that becomes visible with `act` (which must close
// it) and counts them. A wizard that `act` left open is cancelled after a few seconds, so a wrong
// expectation fails instead of hanging.
class WizardWatcher {
public:
    explicit WizardWatcher(std::function<void(TQVWizardForm*)> act) : act_(std::move(act))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* wizard = qobject_cast<TQVWizardForm*>(w);
                if (!wizard || !wizard->isVisible()) continue;
                if (wizard != last_) {
                    last_ = wizard;
                    ++seen_;
                    clock_.start();
                    act_(wizard);
                } else if (clock_.elapsed() > 3000) {
                    qWarning("The set-up wizard was left open; cancelled.");
                    wizard->reject();
                }
            }
        });
        timer_.start(10);
    }
    int seen() const { return seen_; }

private:
    std::function<void(TQVWizardForm*)> act_;
    QTimer timer_;
    QPointer<TQVWizardForm> last_;
    QElapsedTimer clock_;
    int seen_ = 0;
};

// The visible top-level windows, to check that a command opened nothing.
inline QList<QWidget*> visibleWindows()
{
    QList<QWidget*> list;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) list << w;
    return list;
}

}  // namespace shelltest
