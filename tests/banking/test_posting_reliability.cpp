// Posting stays whole when two programs post into one account at once and when a posting
// program is killed at any moment: balances, numbers and journal lines always agree.
#include "banking/recurring_sample.h"
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

qint64 scalar(store::Connection& c, const QString& sql)
{
    store::Query q(c);
    q.setSql(sql);
    q.open();
    return q.value(0).toLongLong();
}

// Every payment's total is the sum of its lines and its "CHQ" bank row carries minus that (none
// while it has no lines); every line has exactly one journal line of its amount.
void expectPaymentsAgree(store::Connection& c)
{
    EXPECT_EQ(scalar(c, "SELECT COUNT(*) FROM QVChHdr h WHERE ROUND(h.AMOUNT * 100) <> ROUND(("
                        "SELECT TOTAL(d.TOT_AMT) FROM QVChqDet d WHERE d.CHQBNKCOY = h.CHQBNKCOY)"
                        " * 100)"),
              0)
        << "a payment whose total is not the sum of its lines";
    EXPECT_EQ(scalar(c, "SELECT COUNT(*) FROM QVChHdr h WHERE (SELECT COUNT(*) FROM QVBnkTr t "
                        "WHERE t.TRANNUM = h.TRANNUM AND t.TRANTYPE = 'CHQ' AND t.BANKLINK = "
                        "h.COYCODE || '-' || h.BANKCODE || '-' || h.ACCTCODE AND "
                        "ROUND(t.AMOUNT * 100) = -ROUND(h.AMOUNT * 100)) <> (h.AMOUNT > 0)"),
              0)
        << "a payment without exactly one bank row of minus its total";
    EXPECT_EQ(scalar(c, "SELECT COUNT(*) FROM QVChqDet d WHERE (SELECT COUNT(*) FROM QVActTr a "
                        "WHERE a.REASON = 'CHQ' AND a.TRANNUM = CAST(d.CHEQUENO AS INTEGER) AND "
                        "a.SRCHCODE = d.LINKCODE || '-' || d.ACCTNO || '-' || d.CHEQUENO || '-' "
                        "|| d.LINENO AND ROUND(a.AMOUNT * 100) = ROUND(ABS(d.TOT_AMT) * 100)) <> 1"),
              0)
        << "a payment line without exactly one journal line of its amount";
}

// The books of every bank account agree with themselves.
void expectBooksAgree(const QString& folder)
{
    store::Connection c;  // a fresh connection, as the next start of the program would open
    c.connectToFolder(folder);
    store::Query q(c);
    q.setSql(QStringList{
        "SELECT b.BANKLINK, CAST(ROUND(b.CURRBAL * 100) AS INTEGER),",
        " CAST(ROUND((b.INITBAL + (SELECT TOTAL(t.AMOUNT) FROM QVBnkTr t",
        "  WHERE t.BANKLINK = b.BANKLINK)) * 100) AS INTEGER),",
        " b.LASTREFNO, (SELECT MAX(t.TRANNUM) FROM QVBnkTr t WHERE t.BANKLINK = b.BANKLINK)",
        "FROM QVBnkAct b"});
    q.open();
    for (; !q.eof(); q.next()) {
        EXPECT_EQ(q.value(1).toLongLong(), q.value(2).toLongLong())
            << "CURRBAL of " << q.text("BANKLINK").toStdString();
        EXPECT_GE(q.value(3).toLongLong(), q.value(4).toLongLong())
            << "LASTREFNO of " << q.text("BANKLINK").toStdString();
    }
    EXPECT_EQ(scalar(c, "SELECT COUNT(*) FROM (SELECT BANKLINK, TRANNUM FROM QVBnkTr "
                        "GROUP BY BANKLINK, TRANNUM HAVING COUNT(*) > 1)"),
              0)
        << "a transaction number is used twice in one account";
    EXPECT_EQ(scalar(c, "SELECT COUNT(*) FROM QVBnkTr t WHERE t.TRANTYPE IN ('DEP','WD','INT','FEES') "
                        "AND (SELECT COUNT(*) FROM QVActTr a WHERE a.BNKTRNLNK = t.BNKTRNLNK || '-1' "
                        "AND ROUND(a.AMOUNT * 100) = ROUND(ABS(t.AMOUNT) * 100)) <> 1"),
              0)
        << "a bank row without exactly one journal line of its amount";
    EXPECT_EQ(scalar(c, "SELECT COUNT(*) FROM QVActTr a WHERE NOT EXISTS (SELECT 1 FROM QVBnkTr t "
                        "WHERE t.BNKTRNLNK || '-1' = a.BNKTRNLNK)"),
              0)
        << "a journal line without its bank row";
    expectPaymentsAgree(c);
    EXPECT_EQ(scalar(c, "SELECT COUNT(*) FROM QVBnkTr WHERE TRANTYPE = 'TR' AND SOURCEACCT = ''"),
              scalar(c, "SELECT COUNT(*) FROM QVBnkTr WHERE TRANTYPE = 'TR' AND SOURCEACCT <> ''"))
        << "a transfer with one row";
}

class PostingReliability : public ::testing::Test {
protected:
    TempDataFolder folder;
    QString worker;

    void SetUp() override
    {
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

// A recurring run killed at any moment leaves whole runs only: the books agree, and every
// definition has exactly as many run lines as its count of runs, the last on its last run date.
TEST(RecurringReliability, ARunProgramKilledAtRandomMomentsLeavesWholeRunsOnly)
{
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
        EXPECT_EQ(scalar(c, "SELECT COUNT(*) FROM QVRecTr d WHERE d.TRANSNO <> (SELECT COUNT(*) "
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
