// Clearing previous years takes the old entries of every company away and leaves every bank
// account's balance where it was: the cleared sums move into the opening balances.
#include "banking/books_agree.h"
#include "store/backup_fixture.h"
#include "store/clearprevyears.h"
#include "store/table.h"

namespace {

using namespace backup_test;

class ClearPrevYears : public ::testing::Test {
protected:
    TempDataFolder folder;
    store::Connection& c = folder.connection;
    // The first of the demo book's three years.
    const store::ClearRange firstYear{QDate(2023, 4, 1), QDate(2024, 3, 31)};

    void SetUp() override { makeBook(folder, 400); }

    qint64 count(const QString& sql) { return banking_test::scalar(c, sql); }
    std::map<QString, qint64> balances() {
        std::map<QString, qint64> b;
        store::Query q(c);
        q.setSql("SELECT BANKLINK, CAST(ROUND(CURRBAL * 100) AS INTEGER) FROM QVBnkAct");
        q.open();
        for (; !q.eof(); q.next()) b[q.text("BANKLINK")] = q.value(1).toLongLong();
        return b;
    }
};

TEST_F(ClearPrevYears, ClearingAYearKeepsEveryBalanceAndEveryLaterEntry) {
    const auto before = balances();
    const qint64 later = count("SELECT COUNT(*) FROM QVBnkTr WHERE TRANDATE > '2024-03-31'");
    const qint64 laterLines = count("SELECT COUNT(*) FROM QVActTr WHERE TRANDATE > '2024-03-31'");
    const store::ClearCounts n = store::countRowsToClear(c, firstYear);
    ASSERT_GT(n.bankRows, 0);
    EXPECT_EQ(n.bankRows, count("SELECT COUNT(*) FROM QVBnkTr WHERE TRANDATE <= '2024-03-31'"));

    const auto out = store::clearPreviousYears(c, firstYear, true);
    ASSERT_TRUE(out.ok()) << out.failedStep.toStdString() << out.detail.toStdString();
    EXPECT_EQ(balances(), before);
    banking_test::expectBooksAgree(folder.path());
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBnkTr"), later);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVActTr"), laterLines);
    // OPENBAL moved with INITBAL.
    EXPECT_EQ(
        count("SELECT COUNT(*) FROM QVBnkAct WHERE ROUND(OPENBAL * 100) <> ROUND(INITBAL * 100)"),
        0);
}

TEST_F(ClearPrevYears, UnsettledRowsAreClearedOnlyAfterTheSecondQuestion) {
    const store::ClearCounts n = store::countRowsToClear(c, firstYear);
    ASSERT_TRUE(n.unsettled());
    EXPECT_EQ(n.unreconciledRows, n.bankRows);  // nothing of the demo book is reconciled
    const qint64 rows = count("SELECT COUNT(*) FROM QVBnkTr");
    const auto refused = store::clearPreviousYears(c, firstYear, false);
    EXPECT_EQ(refused.detail, store::unsettledQuestionText(n));
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBnkTr"), rows);

    c.exec("UPDATE QVBnkTr SET RECONCILED = 1");
    c.exec("UPDATE QVActTr SET GSTCALC = 1");
    EXPECT_FALSE(store::countRowsToClear(c, firstYear).unsettled());
    EXPECT_TRUE(store::clearPreviousYears(c, firstYear, false).ok());
}

TEST_F(ClearPrevYears, TheConfirmationCountsEachKindAndTheDatesStartAtTheBooksOwnYears) {
    const store::ClearCounts n = store::countRowsToClear(c, firstYear);
    const QString text = store::clearConfirmationText(firstYear, n);
    EXPECT_TRUE(text.startsWith("Clear every company's transactions")) << text.toStdString();
    EXPECT_TRUE(text.contains(
        QString("%1 bank transactions, %2 journal lines").arg(n.bankRows).arg(n.journalLines)));
    store::Query first(c);
    first.setSql("SELECT MIN(TRANDATE) FROM QVBnkTr");
    first.open();
    EXPECT_EQ(store::earliestEntryDate(c, kToday),
              QDate::fromString(first.value(0).toString(), Qt::ISODate));
    EXPECT_EQ(store::defaultClearTo(QDate(2026, 12, 9)), QDate(2026, 3, 31));
    EXPECT_EQ(store::defaultClearTo(QDate(2027, 2, 1)), QDate(2026, 3, 31));
    TempDataFolder empty;
    EXPECT_EQ(store::earliestEntryDate(empty.connection, kToday), kToday);
}

TEST_F(ClearPrevYears, ATableInUseStopsTheClearBeforeAnythingIsDeleted) {
    const auto before = balances();
    const qint64 rows = count("SELECT COUNT(*) FROM QVBnkTr");
    store::Table cheques(c, "QVChHdr.DBF");
    cheques.open();
    const auto out = store::clearPreviousYears(c, firstYear, true);
    EXPECT_EQ(out.failedStep, "Cheques");
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBnkTr"), rows);
    EXPECT_EQ(balances(), before);
}

}  // namespace
