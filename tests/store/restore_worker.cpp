// quorvel-restore-worker FOLDER BACKUP: a second program for the restore reliability test.
// Prints "restoring" just before it restores the backup into the data folder (the test kills it
// somewhere inside), then "restored" or the problem.
#include <QCoreApplication>
#include <cstdio>

#include "store/restore.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: quorvel-restore-worker FOLDER BACKUP\n");
        return 2;
    }
    std::printf("restoring\n");
    std::fflush(stdout);
    const store::RestoreOutcome out = store::restoreDataFolder(args[1], args[2]);
    if (!out.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(out.problem));
        return 1;
    }
    std::printf("restored\n");
    return 0;
}
