// Posting stays whole when two programs post into one account at once and when a posting
// program is killed at any moment: balances, numbers and journal lines always agree.
#include "banking/books_agree.h"
#include "banking/sample_company.h"
#include "store/query.h"
#include "support/temp_folder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using banking_test::expectBooksAgree;
using banking_test::scalar;

class PostingReliability : public ::testing::Test {
protected:
    TempDataFolder folder;
    QString worker;

    void SetUp() override
    {
        banking::sample::makeDemoCompany(folder.connection, QDate(2026, 3, 31));
        folder.connection.disconnect();
        worker = QCoreApplication::applicationDirPath() + "/quorvel-posting-worker";
        ASSERT_TRUE(QFileInfo(worker).isExecutable()) << worker.toStdString();
    }

    void start(QProcess& p, int count, int seed)
    {
        p.setProgram(worker);
        p.setArguments({folder.dir.path(), QString::number(count), QString::number(seed)});
        p.start();
        ASSERT_TRUE(p.waitForStarted(10000));
    }
};

TEST_F(PostingReliability, TwoProgramsPosting300EntriesEachIntoOneAccountKeepItsBooksWhole)
{
    QProcess one, two;
    start(one, 300, 11);
    start(two, 300, 12);
    for (QProcess* p : {&one, &two}) {
        ASSERT_TRUE(p->waitForFinished(300000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    }
    expectBooksAgree(folder.dir.path());
    store::Connection c;
    c.connectToFolder(folder.dir.path());
    EXPECT_EQ(scalar(c, "SELECT COUNT(*) FROM QVBnkTr WHERE BANKLINK = '1-030100-0123456-00'"), 600);
}

TEST_F(PostingReliability, AProgramKilledAtRandomMomentsLeavesWholeEntriesOnly)
{
    QRandomGenerator rng(2024);
    int saved = 0;
    for (int round = 0; round < 22; ++round) {
        QProcess p;
        start(p, 100000, 100 + round);
        // Let it save a few entries, then kill it somewhere inside the next ones.
        const int wanted = 1 + int(rng.bounded(4));
        int seen = 0;
        while (seen < wanted && p.waitForReadyRead(20000)) seen += int(p.readAll().count('\n'));
        ASSERT_GE(seen, 1) << p.readAllStandardError().toStdString();
        saved += seen;
        QThread::usleep(rng.bounded(15000));
        p.kill();
        ASSERT_TRUE(p.waitForFinished(10000));
        expectBooksAgree(folder.dir.path());
        if (::testing::Test::HasFailure()) break;
    }
    EXPECT_GE(saved, 22);
}

}  // namespace
