// quorvel-recurring-worker FOLDER: a second program for the reliability tests. Runs the demo
// company's due recurring transactions one at a time, as "Run" in the run window does, printing
// "ran" after each, until none is due.
#include <QCoreApplication>
#include <cstdio>

#include "banking/recurring_run.h"
#include "store/error.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: quorvel-recurring-worker FOLDER\n");
        return 2;
    }
    try {
        store::Connection c;
        c.connectToFolder(args[1]);
        for (;;) {
            const auto due = banking::dueDefinitions(c, 1, QDate::currentDate());
            if (due.empty()) return 0;
            const auto run = banking::runDefinition(c, due.front().tranLink);
            if (!run.ok()) {
                std::fprintf(stderr, "%s %s\n", qPrintable(run.message), qPrintable(run.detail));
                return 1;
            }
            std::printf("ran\n");
            std::fflush(stdout);
        }
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
}
