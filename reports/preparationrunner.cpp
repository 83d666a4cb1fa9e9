#include "reports/preparationrunner.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <exception>

namespace reports {

bool prepareInSteps(QWidget* parent, Preparation& preparation, const QString& label) {
    preparation.restart();
    QProgressDialog progress(label, QStringLiteral("Cancel"), 0, 0, parent);
    progress.setObjectName(QStringLiteral("PreparationProgress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoClose(false);
    progress.setAutoReset(false);

    QEventLoop loop;
    bool cancelled = false;
    std::exception_ptr failure;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        try {
            QElapsedTimer slice;
            slice.start();
            bool more = true;
            while (more && slice.elapsed() < 30) more = preparation.step();
            if (!more) {
                loop.exit(0);
                return;
            }
            progress.setMaximum(qMax(1, preparation.total()));
            progress.setValue(preparation.done());
        } catch (...) {
            failure = std::current_exception();
            loop.exit(1);
        }
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&] {
        cancelled = true;
        loop.exit(2);
    });
    timer.start();
    loop.exec();
    timer.stop();
    // Closing the dialog emits canceled() too; only a cancel during the loop counts.
    QObject::disconnect(&progress, nullptr, &loop, nullptr);
    progress.close();
    if (failure) std::rethrow_exception(failure);
    return !cancelled;
}

}  // namespace reports
