// Recurring transactions: what a definition stores when saved, when it runs next, and what one
// run leaves in the books (read back with plain SQL).
#include "banking/recurring_run.h"
#include "banking/recurring_sample.h"
#include "posting_fixture.h"
#include "store/connection.h"
#include "store/format.h"

namespace {

using namespace posting_test;
namespace fmt = store::fmt;

// --- Next-run dates ----------------------------------------------------------------------------

struct NextRunCase {
    const char* story;
    QDate nextRun;
    Frequency frequency;
    QDate expected;  // invalid: no date can be computed
};

class NextRunDates : public ::testing::TestWithParam<NextRunCase> {};

TEST_P(NextRunDates, FollowTheSchedule) {
    const NextRunCase& c = GetParam();
    const auto next = followingRunDate(c.nextRun, c.frequency);
    EXPECT_EQ(next.value_or(QDate()), c.expected) << c.story;
}

INSTANTIATE_TEST_SUITE_P(
    Table, NextRunDates,
    ::testing::Values(
        NextRunCase{"10 Mar, day 15, monthly", {2026, 3, 10}, {0, 15, 1}, {2026, 4, 15}},
        NextRunCase{"20 Dec, day 5, monthly", {2026, 12, 20}, {0, 5, 1}, {2027, 1, 5}},
        NextRunCase{"20 Nov, day 15, 3 months", {2026, 11, 20}, {0, 15, 3}, {2027, 2, 15}},
        NextRunCase{"weekly", {2026, 6, 25}, {1, 0, 0}, {2026, 7, 2}},
        NextRunCase{"every two weeks", {2026, 6, 25}, {2, 0, 0}, {2026, 7, 9}},
        NextRunCase{"every three weeks", {2026, 6, 25}, {3, 0, 0}, {2026, 7, 16}},
        NextRunCase{"day 31 into a 30-day month", {2026, 3, 31}, {0, 31, 1}, {2026, 4, 30}},
        NextRunCase{"day 30 into February", {2026, 1, 30}, {0, 30, 1}, {2026, 2, 28}},
        NextRunCase{"day 29 into a leap February", {2028, 1, 29}, {0, 29, 1}, {2028, 2, 29}},
        NextRunCase{"12 months on", {2026, 5, 1}, {0, 1, 12}, {2027, 5, 1}},
        NextRunCase{"schedule never completed", {2026, 5, 1}, {0, 0, 0}, {}}));

struct AdvanceCase {
    const char* story;
    EndRule rule;
    int transNo, numTrans;
    QDate newNext, stopDate;
    Advance expected;
};

class Advances : public ::testing::TestWithParam<AdvanceCase> {};

TEST_P(Advances, CountAndStop) {
    const AdvanceCase& c = GetParam();
    const Advance a = advanceAfterRun(c.rule, c.transNo, c.numTrans, c.newNext, c.stopDate);
    EXPECT_EQ(a.transNo, c.expected.transNo) << c.story;
    EXPECT_EQ(a.active, c.expected.active) << c.story;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Advances,
    ::testing::Values(
        AdvanceCase{"no set end counts on", EndRule::Continuous, 41, 0, {}, {}, {42, true}},
        AdvanceCase{"stop date not yet passed",
                    EndRule::StopDate,
                    2,
                    0,
                    {2026, 6, 30},
                    {2026, 6, 30},
                    {3, true}},
        AdvanceCase{
            "stop date passed", EndRule::StopDate, 2, 0, {2026, 7, 2}, {2026, 6, 30}, {0, false}},
        AdvanceCase{"second of three", EndRule::FixedNumber, 1, 3, {}, {}, {2, true}},
        AdvanceCase{"third of three ends it", EndRule::FixedNumber, 2, 3, {}, {}, {3, false}},
        AdvanceCase{"one of one", EndRule::FixedNumber, 0, 1, {}, {}, {1, false}}));

// --- Definitions and runs ----------------------------------------------------------------------

class Recurring : public PostingTest {
protected:
    DefinitionInput input(const QString& purpose, double amount, bool deposit = false) {
        DefinitionInput in;
        in.coy = 1;
        in.deposit = deposit;
        in.descr = QStringLiteral("Monthly ") + purpose.toLower();
        in.purpose = purpose;
        in.bankAccount = kBankA + QLatin1Char('-') + kAcctA;
        in.amount = amount;
        in.who = QStringLiteral("LANDLORD");
        in.nextRun = QDate(2026, 3, 10);
        return in;
    }
    static ScheduleChoice monthlyOn(int day, int months = 1) {
        ScheduleChoice s;
        s.frequency = Frequency{0, day, months};
        return s;
    }
    QString define(const DefinitionInput& in) { return define(in, monthlyOn(15)); }
    QString define(const DefinitionInput& in, const ScheduleChoice& s) {
        return sample::addDefinition(c, in, s);
    }
    static ScheduleChoice weekly(EndRule rule = EndRule::Continuous) {
        ScheduleChoice s;
        s.rule = rule;
        s.frequency = Frequency{1, 1, 1};
        return s;
    }
    QVariant field(const QString& table, const QString& field, const QString& where) {
        store::Query q(c);
        q.setSql(QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(field, table, where));
        q.open();
        return q.eof() ? QVariant() : q.value(0);
    }
    qint64 lastRefNo() { return findBankAccount(c, 1, kBankA, kAcctA)->lastRefNo; }
    Definition stored(const QString& link) { return *findDefinition(c, link); }
};

TEST_F(Recurring, EachSaveUsesOneCounterNumberAndRewritesTheKey) {
    const qint64 before = lastRefNo();
    const QString first = define(input("RENT", 200.00));
    EXPECT_EQ(first, QStringLiteral("SHOP-RENT-LANDLORD-%1").arg(before + 1));
    EXPECT_EQ(lastRefNo(), before + 1);
    const DefinitionResult again = saveDefinition(c, input("RENT", 200.00), first);
    ASSERT_TRUE(again.ok()) << again.message.toStdString();
    EXPECT_EQ(again.tranLink, QStringLiteral("SHOP-RENT-LANDLORD-%1").arg(before + 2));
    EXPECT_EQ(lastRefNo(), before + 2);
    EXPECT_FALSE(findDefinition(c, first));
    EXPECT_EQ(balance(kBankA, kAcctA), 100.00) << "saving a definition moves no money";
}

TEST_F(Recurring, ASaveStoresTaxBusinessAndPrivatePartsOfTheAccount) {
    const Definition rent = stored(define(input("RENT", 200.00)));
    EXPECT_EQ(fmt::cents(rent.gstAmt), 2609) << "200.00 at 15 % contains 26.09";
    EXPECT_TRUE(rent.hasGst);
    EXPECT_EQ(rent.linkCode, "1");
    EXPECT_EQ(rent.tranType, "E");
    const Definition motor = stored(define(input("MOTOR", 200.01)));
    EXPECT_EQ(fmt::cents(motor.busAmt), 14001) << "70 % of 200.01 rounds to 140.01";
    EXPECT_EQ(fmt::cents(motor.domAmt), 6000) << "the private part is the rest";
    EXPECT_TRUE(motor.hasSplit);
    EXPECT_EQ(motor.domAcct, "DRAWINGS");
    const Definition home = stored(define(input("HOME", 80.00)));
    EXPECT_EQ(fmt::cents(home.busAmt), 0);
    EXPECT_EQ(fmt::cents(home.domAmt), 8000);
    EXPECT_EQ(fmt::cents(home.gstAmt), 0) << "a wholly private account carries no tax";
}

TEST_F(Recurring, EditingMovesTheLinkCodeWithTheAccount) {
    const QString link = define(input("SALES", 500.00, true));
    EXPECT_EQ(stored(link).linkCode, "1");
    const DefinitionResult moved = saveDefinition(c, input("SHOPSALES", 500.00, true), link);
    ASSERT_TRUE(moved.ok());
    EXPECT_EQ(stored(moved.tranLink).linkCode, "1-1");
    EXPECT_EQ(stored(moved.tranLink).branch, 1);
    EXPECT_TRUE(stored(moved.tranLink).hasGst) << "a deposit's tax follows the account";
}

TEST_F(Recurring, RefusedSavesSayWhyAndChangeNothing) {
    const qint64 before = lastRefNo();
    EXPECT_EQ(saveDefinition(c, input("RENT", 0.004)).message,
              "Transaction amount must be entered.");
    EXPECT_EQ(saveDefinition(c, input("SALES", 10.00)).message,
              "Journal account for a withdrawal must be expense.");
    const QString link = define(input("RENT", 100.00));
    ASSERT_TRUE(runDefinition(c, link).ok());
    DefinitionInput earlier = input("RENT", 100.00);
    earlier.nextRun = QDate(2026, 3, 10);
    EXPECT_EQ(saveDefinition(c, earlier, link).message,
              "Next run date cannot be earlier than last run " + fmt::shortDate({2026, 3, 10}));
    EXPECT_EQ(lastRefNo(), before + 2) << "one save and one run";
}

TEST_F(Recurring, AWithdrawalRunPostsTheBankRowAndLineAsTheBankWindowWould) {
    const QString link = define(input("RENT", 100.00));
    const qint64 n = lastRefNo() + 1;
    const RunResult run = runDefinition(c, link);
    ASSERT_TRUE(run.ok()) << run.detail.toStdString();
    EXPECT_EQ(run.reference, n);
    EXPECT_EQ(balance(kBankA, kAcctA), 0.00);
    EXPECT_EQ(lastRefNo(), n);
    const QString row = QStringLiteral("TRANNUM = %1 AND BANKLINK = '1-030100-1111111-00'").arg(n);
    const QStringList rowFields{"TRANTYPE",  "AMOUNT",    "SOURCE",    "PURPOSE",
                                "FULLCODE",  "LINKCODE",  "REASON",    "TRANDATE",
                                "BNKTRNLNK", "CSHACCDET", "RECONCILED"};
    const QStringList rowValues{"WD",
                                "-100",
                                "AP",
                                "RENT",
                                "1-RENT",
                                "1",
                                "Monthly rent",
                                "2026-03-10",
                                "030100-1111111-00-" + QString::number(n),
                                "0",
                                "0"};
    for (int i = 0; i < rowFields.size(); ++i)
        EXPECT_EQ(field("QVBnkTr", rowFields[i], row).toString().trimmed(), rowValues[i])
            << rowFields[i].toStdString();
    const QString line = QStringLiteral("TRANNUM = %1 AND ACCTCODE = 'RENT'").arg(n);
    const QStringList lineFields{"REF",      "AMOUNT",   "BUSAMT", "GSTAMT",   "HASGST",
                                 "TRANTYPE", "REASON",   "DESC",   "SUPPCODE", "SRCHCODE",
                                 "FULLCODE", "TRANDATE", "GSTCALC"};
    const QStringList lineValues{QString::number(n),
                                 "100",
                                 "100",
                                 "13.04",
                                 "1",
                                 "E",
                                 "AP",
                                 "AP - Monthly rent",
                                 "LANDLORD",
                                 "1-RENT-" + QString::number(n),
                                 "1-RENT",
                                 "2026-03-10",
                                 "0"};
    for (int i = 0; i < lineFields.size(); ++i)
        EXPECT_EQ(field("QVActTr", lineFields[i], line).toString().trimmed(), lineValues[i])
            << lineFields[i].toStdString();
    const Definition after = stored(link);
    EXPECT_EQ(after.runDate, QDate(2026, 3, 10));
    EXPECT_EQ(after.nextRun, QDate(2026, 4, 15));
    EXPECT_EQ(after.transNo, 1);
}

TEST_F(Recurring, AnOverdueWeeklyDefinitionCatchesUpOneClickAtATime) {
    const QDate today(2026, 6, 30);
    DefinitionInput in = input("RENT", 10.00);
    in.nextRun = today.addDays(-21);
    const QString link = define(in, weekly());
    QList<QDate> posted;
    while (!dueDefinitions(c, 1, today).empty()) {
        const RunResult run = runDefinition(c, dueDefinitions(c, 1, today).front().tranLink);
        ASSERT_TRUE(run.ok());
        posted << run.posted;
        ASSERT_LE(posted.size(), 5);
    }
    EXPECT_EQ(posted,
              (QList<QDate>{today.addDays(-21), today.addDays(-14), today.addDays(-7), today}));
    EXPECT_EQ(stored(link).nextRun, today.addDays(7));
}

TEST_F(Recurring, AStopDateScheduleEndsAfterItsLastRun) {
    DefinitionInput in = input("RENT", 10.00);
    in.nextRun = QDate(2026, 6, 25);
    ScheduleChoice s = weekly(EndRule::StopDate);
    s.stopDate = QDate(2026, 6, 30);
    const QString link = define(in, s);
    ASSERT_TRUE(runDefinition(c, link).ok());
    const Definition after = stored(link);
    EXPECT_FALSE(after.active);
    EXPECT_EQ(after.transNo, 0);
    EXPECT_TRUE(dueDefinitions(c, 1, QDate(2026, 12, 31)).empty());
}

TEST_F(Recurring, AFixedNumberScheduleOfThreePostsThree) {
    ScheduleChoice s = monthlyOn(10);
    s.rule = EndRule::FixedNumber;
    s.numTrans = 3;
    const QString link = define(input("RENT", 10.00), s);
    int runs = 0;
    while (!dueDefinitions(c, 1, QDate(2027, 1, 1)).empty() && runs < 5)
        runs += runDefinition(c, link).ok() ? 1 : 100;
    EXPECT_EQ(runs, 3);
}

TEST_F(Recurring, APrivateShareDefinitionWritesItsTwoLines) {
    const QString link = define(input("MOTOR", 200.00));
    const RunResult run = runDefinition(c, link);
    ASSERT_TRUE(run.ok());
    const QString n = QString::number(run.reference);
    EXPECT_EQ(field("QVActTr", "AMOUNT", "ACCTCODE = 'MOTOR' AND REF = '" + n + "'").toDouble(),
              200.00);
    EXPECT_EQ(field("QVActTr", "SPLITDEST", "ACCTCODE = 'MOTOR' AND REF = '" + n + "'")
                  .toString()
                  .trimmed(),
              "DRAWINGS");
    const QString priv = "ACCTCODE = 'DRAWINGS' AND REF = '" + n + "'";
    EXPECT_EQ(field("QVActTr", "AMOUNT", priv).toDouble(), 60.00);
    EXPECT_EQ(field("QVActTr", "BUSAMT", priv).toDouble(), 0.00);
    EXPECT_EQ(field("QVActTr", "SPLITSOURC", priv).toString().trimmed(), "MOTOR");
    EXPECT_EQ(field("QVActTr", "SPLITLINK", priv).toString().trimmed(), "1-DRAWINGS-" + n);
    // The bank transaction window deletes the run's entry whole, private share included.
    ASSERT_TRUE(deleteBankEntry(c, 1, kBankA, kAcctA, run.reference, confirm()).ok());
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVActTr"), 0);
}

TEST_F(Recurring, AChangedAmountIsKeptAndPostedWithItsTaxInCents) {
    const QString link = define(input("RENT", 100.00));
    const RunResult run = runDefinition(c, link, 250.00);
    ASSERT_TRUE(run.ok());
    const Definition after = stored(link);
    EXPECT_EQ(fmt::cents(after.actAmt), 25000);
    EXPECT_EQ(fmt::cents(after.gstAmt), 3261) << "250.00 at 15 % contains 32.61";
    EXPECT_EQ(field("QVActTr", "GSTAMT", "ACCTCODE = 'RENT'").toDouble(), 32.61);
    EXPECT_EQ(balance(kBankA, kAcctA), -150.00);
}

TEST_F(Recurring, AChangedAmountOfAWhollyPrivateAccountPostsAllOfItPrivately) {
    const QString link = define(input("HOME", 80.00));
    const RunResult run = runDefinition(c, link, 90.00);
    ASSERT_TRUE(run.ok());
    EXPECT_EQ(fmt::cents(stored(link).domAmt), 9000);
    EXPECT_EQ(field("QVActTr", "AMOUNT", "ACCTCODE = 'DRAWINGS'").toDouble(), 90.00);
    EXPECT_EQ(field("QVActTr", "BUSAMT", "ACCTCODE = 'HOME'").toDouble(), 0.00);
}

TEST_F(Recurring, ADefinitionWithoutACompletedScheduleIsRefused) {
    const DefinitionResult saved = saveDefinition(c, input("RENT", 10.00));
    ASSERT_TRUE(saved.ok());
    const qint64 before = lastRefNo();
    const RunResult run = runDefinition(c, saved.tranLink);
    EXPECT_EQ(run.outcome, RunOutcome::NoSchedule);
    EXPECT_TRUE(run.message.contains("never completed"));
    EXPECT_EQ(lastRefNo(), before);
    EXPECT_EQ(runDefinition(c, "NO-SUCH-1").message, "Could not find transaction information.");
}

TEST_F(Recurring, ARunInterruptedByAStoreFailureLeavesNothingChanged) {
    const QString link = define(input("MOTOR", 200.00));
    const qint64 before = lastRefNo();
    store::execSql(c.handle(),
                   "CREATE TRIGGER refuse BEFORE INSERT ON QVActTr "
                   "WHEN NEW.ACCTCODE = 'DRAWINGS' BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    const RunResult run = runDefinition(c, link);
    EXPECT_EQ(run.message, "Unable to update bank transactions. Run discontinued.");
    EXPECT_EQ(balance(kBankA, kAcctA), 100.00);
    EXPECT_EQ(lastRefNo(), before);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBnkTr"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVActTr"), 0);
    EXPECT_EQ(stored(link).nextRun, QDate(2026, 3, 10));
    EXPECT_FALSE(stored(link).runDate.isValid());
}

TEST(ScheduleChoices, NeedADayAMonthAndACount) {
    ScheduleChoice s;
    s.frequency = Frequency{0, 15, 1};
    EXPECT_TRUE(scheduleProblem(s).isEmpty());
    s.rule = EndRule::FixedNumber;
    for (int n : {0, 32768}) {
        s.numTrans = n;
        EXPECT_EQ(scheduleProblem(s), "Must enter valid values to save!") << n;
    }
}

}  // namespace
