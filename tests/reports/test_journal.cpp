// The journal listings of a café: which layout the dialog's ticks choose, the dates, the
// summary journal's exclusions and totals, the cash-only listing, the chart of accounts and
// the bank transaction audit dialog's dates and settings.
#include <gtest/gtest.h>

#include <QDir>

#include "book_fixture.h"
#include "reports/chartofaccounts.h"
#include "reports/journal.h"
#include "reports/transauditsettings.h"
#include "store/format.h"
#include "store/inifile.h"
#include "support/temp_folder.h"

using reports::JournalLayout;
using testbook::Book;

namespace {

const QDate kFrom(2025, 4, 1);
const QDate kTo(2026, 3, 31);

// ---- Which layout the ticks choose ----------------------------------------------------------

struct DispatchCase {
    const char* story;
    reports::JournalTicks ticks;
    JournalLayout expected;
};

// Ticks: audit, department, found, account, found, details, cash only.
const DispatchCase kDispatch[] = {
    {"audit for the company",
     {true, false, false, false, false, true, false},
     JournalLayout::Audit},
    {"audit for a department",
     {true, true, true, true, true, true, true},
     JournalLayout::DepartmentAudit},
    {"audit for an unknown department",
     {true, true, false, false, false, true, false},
     JournalLayout::None},
    {"cash only beats account and details",
     {false, false, false, true, true, true, true},
     JournalLayout::CashOnly},
    {"a found account",
     {false, false, false, true, true, false, false},
     JournalLayout::SelectedAccount},
    {"an unknown account falls back to details",
     {false, false, false, true, false, true, false},
     JournalLayout::All},
    {"no details: the summary",
     {false, false, false, false, false, false, false},
     JournalLayout::Summary},
    {"department, details and account",
     {false, true, true, true, true, true, false},
     JournalLayout::DepartmentAndAccount},
    {"department with details",
     {false, true, true, false, false, true, false},
     JournalLayout::Department},
    {"department summary", {false, true, true, true, true, false, false}, JournalLayout::Summary},
    {"an unknown department gives nothing",
     {false, true, false, false, false, true, false},
     JournalLayout::None},
};

class JournalDispatch : public ::testing::TestWithParam<DispatchCase> {};

TEST_P(JournalDispatch, theFirstMatchingRowChoosesTheLayout) {
    EXPECT_EQ(reports::chooseJournalLayout(GetParam().ticks), GetParam().expected)
        << GetParam().story;
}

INSTANTIATE_TEST_SUITE_P(Ticks, JournalDispatch, ::testing::ValuesIn(kDispatch));

TEST(JournalDates, withoutAFromDateTheReportStartsIn1900AndSaysOnlyTo) {
    EXPECT_EQ(reports::journalFromDate(false, QDate(2026, 1, 5)), QDate(1900, 1, 1));
    EXPECT_EQ(reports::journalFromDate(true, QDate(2026, 1, 5)), QDate(2026, 1, 5));
    const QString to = store::fmt::shortDate(kTo);
    EXPECT_EQ(reports::journalDateLabel(false, QDate(1900, 1, 1), kTo), "To : " + to);
    EXPECT_EQ(reports::journalDateLabel(true, kFrom, kTo),
              "From : " + store::fmt::shortDate(kFrom) + " to " + to);
}

// ---- The journal over a small book ----------------------------------------------------------

class JournalTest : public ::testing::Test {
protected:
    TempDataFolder folder;
    Book book{folder.connection};

    void SetUp() override {
        book.company("Harbour Cafe");
        book.bankAccount("1234567-00", "Cheque account", 1000, QDate(2025, 1, 1));
    }

    reports::JournalFigures prepare(JournalLayout layout, const QString& link = {},
                                    const QString& acct = {}) {
        reports::JournalRequest r;
        r.fromGiven = true;
        r.from = kFrom;
        r.to = kTo;
        r.linkCode = link;
        r.acctCode = acct;
        r.bankAcctNo = "1234567-00";
        reports::JournalReport report(folder.connection, layout, r);
        report.runToEnd();
        return report.figures();
    }

    // What only an outside import writes: a line carrying the entry link "1-1-1".
    void markLeftOut(const QString& acct) {
        folder.connection.exec("UPDATE QVACTTR SET BNKTRNLNK = '1-1-1' WHERE ACCTCODE = '" + acct +
                               "'");
    }

    static QStringList codes(const reports::JournalSection& s) {
        QStringList out;
        for (const auto& g : s.groups) out << g.code;
        return out;
    }
};

TEST_F(JournalTest, theSummaryLeavesOutPrivateAccountsImportedLinesAndQuietAccounts) {
    book.account("SALES", "INC");
    book.account("CATERING", "INC");
    book.account("IMPORTED", "INC");
    book.account("RENT", "EXP");
    book.account("PRIV", "EXP", 1, 100);  // wholly private
    book.account("QUIET", "EXP");         // first line in range has no amount
    book.line({"SALES", QDate(2025, 5, 1), 1150, {}, 150, "1234567-00"});
    book.line({"SALES", QDate(2025, 6, 1), 230.5, {}, 30.07, {}});
    book.line({"SALES", QDate(2024, 6, 1), 999, {}, 0, {}});    // before the range
    book.line({"CATERING", QDate(2026, 4, 1), 80, {}, 0, {}});  // after it: no band
    book.line({"IMPORTED", QDate(2025, 7, 1), 500, {}, 0, {}});
    markLeftOut("IMPORTED");
    book.line({"RENT", QDate(2025, 6, 1), 460, {}, 60, "1234567-00"});
    book.line({"PRIV", QDate(2025, 6, 1), 50, {}, 0, {}});
    book.line({"QUIET", QDate(2025, 5, 1), 0, {}, 0, {}});
    book.line({"QUIET", QDate(2025, 8, 1), 40, {}, 0, {}});

    const auto f = prepare(JournalLayout::Summary);
    ASSERT_EQ(f.sections.size(), 2u);
    EXPECT_EQ(codes(f.sections[0]), QStringList{"SALES"});
    EXPECT_EQ(codes(f.sections[1]), QStringList{"RENT"});
    EXPECT_DOUBLE_EQ(f.group("SALES")->amount, 1380.5);
    EXPECT_DOUBLE_EQ(f.group("SALES")->gst, 180.07);
    EXPECT_DOUBLE_EQ(f.sections[0].amount, 1380.5);
    // The quiet account's later line still counts in the section, as the section's sums do.
    EXPECT_DOUBLE_EQ(f.sections[1].amount, 500);
    ASSERT_EQ(f.summary.size(), 1u);
    EXPECT_EQ(f.summary[0].caption, "Net revenue : ");
    EXPECT_DOUBLE_EQ(f.summary[0].amount, 880.5);
    EXPECT_DOUBLE_EQ(f.summary[0].gst, 120.07);

    // The detailed journal keeps the private account and the imported line.
    const auto all = prepare(JournalLayout::All);
    EXPECT_EQ(codes(all.sections[0]), QStringList({"IMPORTED", "SALES"}));
    EXPECT_EQ(codes(all.sections[1]), QStringList({"PRIV", "RENT"}));
    EXPECT_EQ(all.group("SALES")->lines.size(), 2u);
}

// The preview shows the first pages while later accounts are read: the document grows by each
// account's bands, and a band once there never changes.
TEST_F(JournalTest, theDetailedJournalGrowsAccountByAccountAndEachSectionClosesWithItsTotal) {
    book.account("SALES", "INC");
    book.account("RENT", "EXP");
    book.line({"SALES", QDate(2025, 5, 1), 1150, {}, 150, "1234567-00"});
    book.line({"SALES", QDate(2025, 6, 1), 230.5, {}, 30.07, {}});
    book.line({"RENT", QDate(2025, 6, 1), 460, {}, 60, "1234567-00"});
    reports::JournalRequest r;
    r.fromGiven = true;
    r.from = kFrom;
    r.to = kTo;
    reports::TAllJournalEntriesReport report(folder.connection, r);
    report.restart();
    ASSERT_TRUE(report.step());  // the accounts listed
    ASSERT_TRUE(report.step());  // SALES read, RENT still to come
    const std::vector<reports::Band> early = report.document().bands;
    QStringList texts;
    for (const auto& b : early) texts << b.cells.join('|');
    EXPECT_TRUE(texts.filter("SALES   SALES account").size() == 1)
        << texts.join('\n').toStdString();
    EXPECT_EQ(report.document().bandsOf(reports::BandKind::Detail).size(), 2u);
    EXPECT_TRUE(texts.filter("Expenses").isEmpty()) << "the income section is not closed yet";

    report.runToEnd();
    const auto& whole = report.document().bands;
    ASSERT_GT(whole.size(), early.size());
    for (size_t i = 0; i < early.size(); ++i) EXPECT_EQ(whole[i].cells, early[i].cells) << i;
    QStringList after;
    for (size_t i = early.size(); i < whole.size(); ++i) after << whole[i].cells.join('|');
    const auto total = [](const QString& caption, double amount, double gst) {
        return "||" + caption + "||" + store::fmt::money(amount) + "|" + store::fmt::money(gst);
    };
    EXPECT_EQ(after.first(), total("Total Income :", 1380.5, 180.07));
    EXPECT_EQ(after[1], "Expenses :");
    EXPECT_EQ(after.last(), total("Net revenue : ", 920.5, 120.07));
}

TEST_F(JournalTest, anAccountWhoseFirstLineInRangeIsZeroPrintsNoBand) {
    book.account("SALES", "INC");
    book.line({"SALES", QDate(2025, 5, 1), 0, {}, 0, {}});
    book.line({"SALES", QDate(2025, 6, 1), 300, {}, 0, {}});
    EXPECT_TRUE(prepare(JournalLayout::All).sections[0].groups.empty());
}

TEST_F(JournalTest, cashOnlyListsTheLinesOfNoBankAccount) {
    book.account("SALES", "INC");
    book.account("PRIV", "INC", 1, 100);
    book.line({"SALES", QDate(2025, 5, 1), 1150, {}, 150, "1234567-00"});
    book.line({"SALES", QDate(2025, 6, 1), 20, {}, 0, {}});
    book.line({"PRIV", QDate(2025, 6, 1), 70, {}, 0, {}});
    const auto f = prepare(JournalLayout::CashOnly);
    EXPECT_EQ(codes(f.sections[0]), QStringList{"SALES"});
    ASSERT_EQ(f.group("SALES")->lines.size(), 1u);
    EXPECT_DOUBLE_EQ(f.group("SALES")->lines[0].amount, 20);
    EXPECT_EQ(f.title, "Cash Transactions (not banked)  Report - All Entries");
}

TEST_F(JournalTest, theAuditBalancesIncomeAgainstExpensesAndTheBankAuditTotalsByType) {
    book.account("SALES", "INC");
    book.account("RENT", "EXP");
    book.line({"SALES", QDate(2025, 5, 1), 1000000000.01, {}, 0, "1234567-00"});
    book.line({"RENT", QDate(2025, 6, 1), 460, {}, 60, "1234567-00"});
    book.line({"RENT", QDate(2025, 7, 1), 40, {}, 0, {}});  // cash: not the bank's
    const auto audit = prepare(JournalLayout::Audit);
    EXPECT_EQ(codes(audit.sections[0]), QStringList({"RENT", "SALES"}));
    EXPECT_DOUBLE_EQ(audit.summary[0].amount, 999999500.01);  // the cash line counts too

    const auto bank = prepare(JournalLayout::TransactionAudit);
    ASSERT_EQ(bank.summary.size(), 2u);
    EXPECT_DOUBLE_EQ(bank.summary[0].amount, 1000000000.01);
    EXPECT_DOUBLE_EQ(bank.summary[1].amount, 460);
    EXPECT_DOUBLE_EQ(bank.summary[1].gst, 60);
    EXPECT_EQ(bank.sections[0].groups[0].lines.size(), 2u);
}

TEST_F(JournalTest, theChartListsCompanyAccountsFirstThenEachDepartment) {
    book.department(1, "SHOP", "Corner shop");
    book.department(2, "WORKS", "Workshop");
    book.account("RENT", "EXP");
    book.account("SALES", "INC");
    book.account("PARTS", "EXP", 1, 0, 2);
    book.account("COUNTER", "INC", 1, 0, 1);
    book.account("BENCH", "EXP", 1, 0, 2);
    const reports::TAcctAudRptForm chart(folder.connection, 1);
    const auto& g = chart.figures().groups;
    ASSERT_EQ(g.size(), 3u);
    EXPECT_EQ(g[0].heading, "Company-level accounts");
    ASSERT_EQ(g[0].accounts.size(), 2u);
    EXPECT_EQ(g[0].accounts[0].code, "RENT");
    EXPECT_EQ(g[0].accounts[0].type, "Expense");
    EXPECT_EQ(g[1].heading, "Corner shop");
    EXPECT_EQ(g[2].heading, "Workshop");
    ASSERT_EQ(g[2].accounts.size(), 2u);
    EXPECT_EQ(g[2].accounts[0].code, "BENCH");
}

// ---- The bank transaction audit dialog's dates and settings ---------------------------------

struct RangeCase {
    int days;
    QDate to;
};

class TransAuditRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(TransAuditRange, theToDateFollowsTheFromDateAndTheDays) {
    EXPECT_EQ(reports::transAuditToDate(QDate(2026, 3, 1), GetParam().days), GetParam().to);
}

// Days below 1 are taken as 1: the range never ends before it starts.
INSTANTIATE_TEST_SUITE_P(Days, TransAuditRange,
                         ::testing::Values(RangeCase{7, QDate(2026, 3, 7)},
                                           RangeCase{1, QDate(2026, 3, 1)},
                                           RangeCase{0, QDate(2026, 3, 1)},
                                           RangeCase{-5, QDate(2026, 3, 1)},
                                           RangeCase{31, QDate(2026, 3, 31)}));

TEST(TransAuditSettings, theDaysAndLastDateComeBackAsWritten) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("NRVRpts.ini");
    EXPECT_EQ(reports::readTransAuditSettings(path).days, 1);  // nothing stored: 0 taken as 1
    reports::writeTransAuditSettings(path, 7, QDate(2026, 3, 1));
    const auto s = reports::readTransAuditSettings(path);
    EXPECT_EQ(s.days, 7);
    EXPECT_EQ(s.lastDate, QDate(2026, 3, 1));
    const auto dates = reports::transAuditOpeningDates(s, QDate(2026, 6, 30));
    EXPECT_EQ(dates.from, QDate(2026, 3, 1));
    EXPECT_EQ(dates.to, QDate(2026, 3, 7));
}

TEST(TransAuditSettings, aStoredLastDateThatIsNoDateIsIgnored) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("NRVRpts.ini");
    store::IniFile(path).writeString("QVDetailedTransAuditDiaForm", "Last_Date", "31/02/20x6");
    const auto s = reports::readTransAuditSettings(path);
    EXPECT_FALSE(s.lastDate.isValid());
    const auto dates = reports::transAuditOpeningDates(s, QDate(2026, 6, 30));
    EXPECT_EQ(dates.from, QDate(2026, 6, 30));
    EXPECT_EQ(dates.to, QDate(2026, 6, 30));
}

}  // namespace
