// Posting stays whole when two programs post into one account at once and when a posting
// program is killed at any moment: balances, numbers and journal lines always agree.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include "banking/books_agree.h"
#include "banking/recurring_sample.h"
#include "banking/sample_company.h"
#include "store/query.h"
#include "support/temp_folder.h"

namespace {

using banking_test::expectBooksAgree;
using banking_test::scalar;

class PostingReliability : public ::testing::Test {
protected:
    TempDataFolder folder;
    QString worker;

    void SetUp() override {
        banking::sample::makeDemoCompany(folder.connection, QDate(2026, 3, 31));
        // Ample money: the two programs' withdrawals and cheques never overdraw the account, so
        // no save stops at the overdraft question the other program's writes would raise.
        store::execSql(folder.connection.handle(),
                       "UPDATE QVBnkAct SET INITBAL = INITBAL + 10000000, "
                       "OPENBAL = OPENBAL + 10000000, CURRBAL = CURRBAL + 10000000");
        folder.connection.disconnect();
        worker = QCoreApplication::applicationDirPath() + "/quorvel-posting-worker";
        ASSERT_TRUE(QFileInfo(worker).isExecutable()) << worker.toStdString();
    }

    void start(QProcess& p, int count, int seed) {
        p.setProgram(worker);
        p.setArguments({folder.dir.path(), QString::number(count), QString::number(seed)});
        p.start();
        ASSERT_TRUE(p.waitForStarted(10000));
    }
};

TEST_F(PostingReliability, TwoProgramsPosting300EntriesEachIntoOneAccountKeepItsBooksWhole) {
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
    EXPECT_EQ(scalar(c, "SELECT COUNT(*) FROM QVBnkTr WHERE BANKLINK = '1-030100-0123456-00'"),
              600);
}

TEST_F(PostingReliability, AProgramKilledAtRandomMomentsLeavesWholeEntriesOnly) {
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

// A recurring run killed at any moment leaves whole runs only: the books agree, and every
// definition has exactly as many run lines as its count of runs, the last on its last run date.
TEST(RecurringReliability, ARunProgramKilledAtRandomMomentsLeavesWholeRunsOnly) {
    TempDataFolder folder;
    const QDate today = QDate::currentDate();
    banking::sample::makeDemoCompany(folder.connection, today.addDays(-400));
    banking::ScheduleChoice weekly;
    weekly.frequency = banking::Frequency{1, 1, 1};
    for (const char* acct : {"RENT", "POWER", "PHONE", "MOTOR"}) {
        banking::DefinitionInput in;
        in.descr = QString::fromLatin1(acct).toLower();
        in.purpose = QString::fromLatin1(acct);
        in.bankAccount = "030100-0123456-00";
        in.amount = 123.45;
        in.nextRun = today.addDays(-350);
        banking::sample::addDefinition(folder.connection, in, weekly);
    }
    folder.connection.disconnect();
    const QString worker = QCoreApplication::applicationDirPath() + "/quorvel-recurring-worker";
    ASSERT_TRUE(QFileInfo(worker).isExecutable()) << worker.toStdString();
    QRandomGenerator rng(2026);
    int ran = 0;
    for (int round = 0; round < 22; ++round) {
        QProcess p;
        p.start(worker, {folder.dir.path()});
        ASSERT_TRUE(p.waitForStarted(10000));
        const int wanted = 1 + int(rng.bounded(3));
        int seen = 0;
        while (seen < wanted && p.waitForReadyRead(20000)) seen += int(p.readAll().count('\n'));
        ASSERT_GE(seen, 1) << p.readAllStandardError().toStdString();
        ran += seen;
        QThread::usleep(rng.bounded(8000));
        p.kill();
        ASSERT_TRUE(p.waitForFinished(10000));
        expectBooksAgree(folder.dir.path());
        store::Connection c;
        c.connectToFolder(folder.dir.path());
        EXPECT_EQ(scalar(c,
                         "SELECT COUNT(*) FROM QVRecTr d WHERE d.TRANSNO <> (SELECT COUNT(*) "
                         "FROM QVActTr a WHERE a.REASON = 'AP' AND a.ACCTCODE = d.ACCTCODE) "
                         "OR (d.TRANSNO > 0 AND d.RUNDATE <> (SELECT MAX(a.TRANDATE) FROM "
                         "QVActTr a WHERE a.REASON = 'AP' AND a.ACCTCODE = d.ACCTCODE))"),
                  0)
            << "a definition advanced without its rows, or rows without the advance";
        if (::testing::Test::HasFailure()) break;
    }
    EXPECT_GE(ran, 22);
}

}  // namespace
