// A backup taken while another program posts is a whole book, and a restore killed at any
// moment leaves the old book or the restored one, whole, never a mixture.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include "banking/books_agree.h"
#include "store/backup.h"
#include "store/backup_fixture.h"
#include "store/exclusiveuse.h"
#include "store/restore.h"

namespace {

using namespace backup_test;

QString programBeside(const char* name) {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
}

qint64 bankRowsIn(const QString& folder) { return tableRows(folder, "QVBnkTr").size(); }

TEST(BackupReliability, ABackupTakenWhileAnotherProgramPostsRestoresToWholeBooks) {
    TempDataFolder folder;
    banking::sample::makeDemoCompany(folder.connection, QDate(2026, 3, 31));
    QProcess poster;
    poster.start(programBeside("quorvel-posting-worker"), {folder.path(), "100000", "5"});
    ASSERT_TRUE(poster.waitForStarted(10000));
    int seen = 0;
    while (seen < 20 && poster.waitForReadyRead(20000)) seen += int(poster.readAll().count('\n'));
    ASSERT_GE(seen, 20) << poster.readAllStandardError().toStdString();
    // The posting program uses the data folder: maintenance is refused meanwhile.
    EXPECT_TRUE(store::otherProgramUses(folder.path()));

    QTemporaryDir media;
    const auto out = store::backupDataFolder(folder.path(), media.path());
    poster.kill();
    poster.waitForFinished(10000);
    ASSERT_TRUE(out.ok) << out.detail.toStdString();

    TempDataFolder fresh;
    const auto restored = store::restoreDataFolder(fresh.path(), media.path());
    ASSERT_TRUE(restored.ok()) << restored.problem.toStdString();
    EXPECT_GE(bankRowsIn(fresh.path()), 20);
    banking_test::expectBooksAgree(fresh.path());
}

TEST(BackupReliability, ARestoreKilledAtRandomMomentsLeavesTheOldOrTheNewBookWhole) {
    TempDataFolder folder;
    makeBook(folder, 400);
    QTemporaryDir older, newer;
    ASSERT_TRUE(store::backupDataFolder(folder.path(), older.path()).ok);
    banking::sample::postDemoEntries(folder.connection, 100, kToday, 3, 100);
    ASSERT_TRUE(store::backupDataFolder(folder.path(), newer.path()).ok);
    const qint64 olderRows = bankRowsIn(older.path()), newerRows = bankRowsIn(newer.path());
    folder.connection.disconnect();
    const QString data = folder.dir.path();

    // How long one restore takes here, so that the kills fall inside restores.
    QElapsedTimer timer;
    timer.start();
    const auto first = store::restoreDataFolder(data, newer.path());
    ASSERT_TRUE(first.ok()) << first.problem.toStdString();
    const qint64 span = std::max<qint64>(timer.elapsed(), 5);

    QRandomGenerator rng(13);
    int interrupted = 0;
    for (int round = 0; round < 22; ++round) {
        SCOPED_TRACE(round);
        QProcess p;
        p.start(programBeside("quorvel-restore-worker"),
                {data, round % 2 ? older.path() : newer.path()});
        ASSERT_TRUE(p.waitForStarted(10000));
        ASSERT_TRUE(p.waitForReadyRead(10000));
        QThread::usleep(rng.bounded(quint32(span * 1000)));
        p.kill();
        p.waitForFinished(10000);
        if (!p.readAll().contains("restored")) ++interrupted;
        const qint64 rows = bankRowsIn(data);
        EXPECT_TRUE(rows == olderRows || rows == newerRows) << rows;
        banking_test::expectBooksAgree(data);
        if (::testing::Test::HasFailure()) break;
    }
    // Most kills fall inside a restore, not after it.
    EXPECT_GE(interrupted, 11) << "restores killed before they finished";
}

}  // namespace
