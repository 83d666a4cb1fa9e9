// Statement lines already in the books, and "Accept all coded": what is matched, what a second
// load of the same file imports (nothing), and what a run over a long statement accepts, skips
// and refuses, read back from the books with plain SQL.

#include <QTemporaryDir>

#include "banking/bank_posting.h"
#include "exchange/statement_batch.h"
#include "exchange/statement_duplicates.h"
#include "payments/payment_fixture.h"
#include "tax/finalise.h"

// Named, so that its using-directive stays inside in the batched build.
namespace statement_duplicates_test {

using namespace exchange;
const QString kBankB = payment_test::kBankB;
const QString kAcctB = payment_test::kAcctB;

const QDate kJune3{2025, 6, 3};

StatementLine stLine(qint64 cents, const QDate& date, const char* narrative,
                     const char* fitid = "") {
    StatementLine l;
    l.cents = cents;
    l.date = date;
    l.narrative = QString::fromUtf8(narrative);
    l.fitid = QString::fromUtf8(fitid);
    return l;
}

// --- Matching, without the books ---------------------------------------------------------------

struct MatchCase {
    const char* story;
    std::vector<std::optional<StatementLine>> lines;
    std::vector<BookedLine> booked;
    std::vector<bool> inBooks;
};

class BookedMatching : public ::testing::TestWithParam<MatchCase> {};

TEST_P(BookedMatching, findsEachLineTheBooksHoldOnce) {
    EXPECT_EQ(matchBookedLines(GetParam().lines, GetParam().booked), GetParam().inBooks);
}

const BookedLine kCafe{{}, kJune3, 11500, QStringLiteral("CAFE TAKINGS")};
const BookedLine kFit7{QStringLiteral("FIT-7"), kJune3, 11500, QStringLiteral("CAFE TAKINGS")};

const MatchCase kMatches[] = {
    {"the same FITID, whatever the bank now calls it",
     {stLine(11500, kJune3, "Cafe takings - card", "FIT-7")},
     {kFit7},
     {true}},
    {"date, cents and description, spacing and letter case aside",
     {stLine(11500, kJune3, " cafe   Takings ")},
     {kCafe},
     {true}},
    {"a cent apart is another transaction",
     {stLine(11501, kJune3, "CAFE TAKINGS")},
     {kCafe},
     {false}},
    {"a day apart is another transaction",
     {stLine(11500, kJune3.addDays(1), "CAFE TAKINGS")},
     {kCafe},
     {false}},
    {"two equal lines and one entry: only the first is in the books",
     {stLine(11500, kJune3, "CAFE TAKINGS"), stLine(11500, kJune3, "CAFE TAKINGS")},
     {kCafe},
     {true, false}},
    {"another FITID is another transaction, however alike",
     {stLine(11500, kJune3, "CAFE TAKINGS", "FIT-8")},
     {kFit7},
     {false}},
    {"a line with a FITID matches an entry made by hand",
     {stLine(11500, kJune3, "CAFE TAKINGS", "FIT-8")},
     {kCafe},
     {true}},
    {"a FITID match does not use up the entry a plain line would match",
     {stLine(11500, kJune3, "CAFE TAKINGS"), stLine(11500, kJune3, "CAFE TAKINGS", "FIT-7")},
     {kFit7, kCafe},
     {true, true}},
    {"a line that reads as nothing is never in the books", {std::nullopt}, {kCafe}, {false}},
};

INSTANTIATE_TEST_SUITE_P(Lines, BookedMatching, ::testing::ValuesIn(kMatches));

// --- In the books ------------------------------------------------------------------------------

class StatementRuns : public payment_test::PaymentTest {
protected:
    QTemporaryDir dir;
    NarrativeMemory memory{dir.filePath(QStringLiteral("ImpNarr.ini"))};
    QDate lastDate;

    void SetUp() override {
        PaymentTest::SetUp();
        memory.ensureExists();
        memory.remember(QStringLiteral("CAFE TAKINGS"),
                        {QStringLiteral("SALES"), QStringLiteral("EFTPOS"), 0});
        memory.remember(QStringLiteral("COUNTER SALE"), {QStringLiteral("SALES"), {}, 0});
    }

    std::vector<bool> inBooks(const std::vector<std::optional<StatementLine>>& lines) {
        return linesInBooks(c, 1, kBankB, kAcctB, lines);
    }

    // "Accept all coded" over the lines, on account B, as the window runs it.
    BatchSummary run(const std::vector<std::optional<StatementLine>>& lines,
                     const BatchProgress& progress = {}) {
        BatchInput in;
        in.bankCode = kBankB;
        in.acctNo = kAcctB;
        in.lastDate = lastDate;
        const std::vector<bool> booked = inBooks(lines);
        for (std::size_t i = 0; i < lines.size(); ++i)
            in.lines.push_back({int(i), lines[i], booked[i]});
        return acceptAllCoded(
            c, in, memory,
            [this](const QString& q) {
                questions << q;
                return answer;
            },
            progress);
    }

    // The statement line accepted on account B as entry 1000001, a June 3 sale.
    AcceptInput cafeSaleAccepted(const StatementLine& line) {
        AcceptInput in;
        in.bankChosen = true;
        in.bankCode = kBankB;
        in.acctNo = kAcctB;
        in.details.reference = QStringLiteral("1000001");
        in.details.date = kJune3;
        in.details.amount = 115.00;
        in.details.purpose = QStringLiteral("SALES");
        in.statementLine = line;
        return in;
    }

    qint64 rows(const char* table) {
        return count(QStringLiteral("SELECT COUNT(*) FROM ") + table);
    }
    qint64 allRows() {
        return rows("QVBNKTR") + rows("QVACTTR") + rows("QVCHHDR") + rows("QVSTMTLN");
    }
    double balanceB() { return balance(kBankB, kAcctB); }
};

TEST_F(StatementRuns, theSameFileLoadedTwiceImportsNothingTheSecondTime) {
    const std::vector<std::optional<StatementLine>> file{
        stLine(11500, kJune3, "CAFE TAKINGS"), stLine(11500, kJune3, "CAFE TAKINGS"),
        stLine(2000, kJune3.addDays(1), "COUNTER SALE")};
    const BatchSummary first = run(file);
    EXPECT_EQ(first.count(BatchResult::Accepted), 3);
    const qint64 written = allRows();
    EXPECT_EQ(inBooks(file), (std::vector<bool>{true, true, true}));
    const BatchSummary second = run(file);
    EXPECT_EQ(second.count(BatchResult::Accepted), 0);
    EXPECT_EQ(second.count(BatchResult::Skipped), 3);
    EXPECT_EQ(second.lines.front().reason, kInBooksReason);
    EXPECT_EQ(allRows(), written);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBNKTR WHERE AMOUNT = 115"), 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVSTMTLN WHERE NARRATIVE = 'CAFE TAKINGS' AND CENTS = "
                    "11500 AND TRANDATE = '2025-06-03'"),
              2);
    EXPECT_EQ(balanceB(), 1250.00);
}

TEST_F(StatementRuns, aLineIsKnownByItsFitidUntilItsEntryIsDeleted) {
    const StatementLine line = stLine(11500, kJune3, "CAFE TAKINGS", "FIT-1");
    AcceptInput in = cafeSaleAccepted(line);
    in.details.narrative = QStringLiteral("Typed over on accepting");
    ASSERT_TRUE(acceptImportLine(c, in, confirm()).ok());
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVSTMTLN WHERE FITID = 'FIT-1' AND BNKTRNLNK = "
                    "'120300-2222222-00-1000001'"),
              1);
    StatementLine renamed = line;
    renamed.narrative = QStringLiteral("CAFE TAKINGS CARD 1234");
    const StatementLine otherFitid = stLine(11500, kJune3, "CAFE TAKINGS", "FIT-2");
    EXPECT_EQ(inBooks({renamed, otherFitid}), (std::vector<bool>{true, false}));
    ASSERT_TRUE(banking::deleteBankEntry(c, 1, kBankB, kAcctB, 1000001, confirm()).ok());
    EXPECT_EQ(inBooks({line}), std::vector<bool>{false});
}

// A bank that posts a line late gives it a later date in the next download: its FITID is still
// known weeks later, though not once it lies beyond the months looked through.
TEST_F(StatementRuns, aLatePostedLineIsKnownByItsFitidWithinTheWindow) {
    const StatementLine line = stLine(11500, kJune3, "CAFE TAKINGS", "FIT-1");
    ASSERT_TRUE(acceptImportLine(c, cafeSaleAccepted(line), confirm()).ok());
    const auto postedAfter = [&](int days) -> bool {
        StatementLine later = line;
        later.date = kJune3.addDays(days);
        return inBooks({later}).front();
    };
    EXPECT_TRUE(postedAfter(kFitidWindowDays));
    EXPECT_TRUE(postedAfter(-kFitidWindowDays));
    EXPECT_FALSE(postedAfter(kFitidWindowDays + 1));
}

// Five counter sales were entered by hand; the statement has six, a few lines the memory does not
// know, some it codes to accounts that refuse them, and lines of no statement.
TEST_F(StatementRuns, acceptAllCodedOverFiveHundredLinesSaysWhatBecameOfEach) {
    for (int i = 0; i < 5; ++i) {
        banking::BankEntry e = entry(banking::EntryType::Deposit, 20.00, "SALES", kJune3);
        e.bankCode = kBankB;
        e.acctNo = kAcctB;
        e.narrative = QStringLiteral("Counter sale");
        ASSERT_TRUE(add(e).ok());
    }
    questions.clear();  // the same-amount questions of the counter sales entered by hand
    // Five hundred commits: the disk's flushes are not what this test is about.
    c.exec(QStringLiteral("PRAGMA synchronous = OFF"));
    memory.remember(QStringLiteral("OLD CUSTOMER"), {QStringLiteral("NOPE"), {}, 0});
    memory.remember(QStringLiteral("INTEREST"), {QStringLiteral("INTEREST"), {}, 3});
    c.exec(QStringLiteral("UPDATE QVACCDET SET ACTACTIVE = 0 WHERE ACCTCODE = 'INTEREST'"));
    std::vector<std::optional<StatementLine>> file;
    for (int i = 0; i < 479; ++i)
        file.push_back(stLine(1000 + i, kJune3.addDays(i % 20), "CAFE TAKINGS"));
    for (int i = 0; i < 6; ++i) file.push_back(stLine(2000, kJune3, "COUNTER SALE"));
    for (int i = 0; i < 5; ++i) file.push_back(stLine(500, kJune3, "UNKNOWN PAYER"));
    for (int i = 0; i < 5; ++i) file.push_back(stLine(700, kJune3, "OLD CUSTOMER"));
    for (int i = 0; i < 2; ++i) file.push_back(stLine(3, kJune3, "INTEREST"));
    for (int i = 0; i < 3; ++i) file.push_back(std::nullopt);
    ASSERT_EQ(file.size(), 500u);
    const qint64 handRows = rows("QVBNKTR");
    int reported = 0;
    const BatchSummary s = run(file, [&](int done, int total) {
        EXPECT_EQ(total, 487);
        reported = done;
        return true;
    });
    EXPECT_EQ(reported, 487);
    EXPECT_EQ(s.count(BatchResult::Accepted), 480);
    EXPECT_EQ(s.count(BatchResult::Skipped), 13);
    EXPECT_EQ(s.count(BatchResult::Refused), 7);
    EXPECT_TRUE(questions.isEmpty());
    const QString text = batchSummaryText(s);
    for (const char* words : {"Accepted: 480", "    5 already in the books", "    5 not coded",
                              "    3 cannot be read as a statement line", "Refused: 7",
                              "    Record 491: Cannot find account!",
                              "    Record 496: Sorry.  This account is inactive."})
        EXPECT_TRUE(text.contains(QString::fromUtf8(words))) << words << "\n" << text.toStdString();
    EXPECT_EQ(rows("QVBNKTR") - handRows, 480);
    EXPECT_EQ(rows("QVSTMTLN"), 480);
    // 479 takings of 10.00 up to 14.78, and one more counter sale of 20.00, on 1100.00.
    EXPECT_EQ(store::fmt::cents(balanceB()), 110000 + (1000 + 1478) * 479 / 2 + 2000);
    EXPECT_EQ(store::fmt::cents(s.balance), store::fmt::cents(balanceB()));
    EXPECT_EQ(count("SELECT LASTREFNO FROM QVBNKACT WHERE ACCTNO = '2222222-00'"), 1000485);
}

TEST_F(StatementRuns, aStoppedRunKeepsWhatItAcceptedAndSaysWhereItStopped) {
    std::vector<std::optional<StatementLine>> file(20, stLine(1000, kJune3, "CAFE TAKINGS"));
    const BatchSummary s = run(file, [](int done, int) { return done < 5; });
    EXPECT_TRUE(s.stopped);
    EXPECT_EQ(s.count(BatchResult::Accepted), 5);
    EXPECT_EQ(s.lines.back().reason, kStoppedReason);
    EXPECT_EQ(rows("QVBNKTR"), 5);
    EXPECT_TRUE(batchSummaryText(s).contains(QStringLiteral("15 not reached")));
}

// A return was filed for June: accepting a June line asks first, and "No" leaves nothing, for
// one line and for a run, which asks once for all its June lines.
TEST_F(StatementRuns, theFiledPeriodQuestionAnsweredNoLeavesNothing) {
    const tax::TaxPeriod june{QDate(2025, 6, 1), QDate(2025, 6, 30)};
    ASSERT_TRUE(tax::finaliseNzReturn(c, 1, june, 0).ok());
    const qint64 before = allRows();
    answer = false;
    AcceptInput in;
    in.bankChosen = true;
    in.bankCode = kBankB;
    in.acctNo = kAcctB;
    in.details = {ImportType::Deposit,     QStringLiteral("1000001"),      kJune3, 115.0,
                  QStringLiteral("SALES"), QStringLiteral("CAFE TAKINGS"), {}};
    in.statementLine = stLine(11500, kJune3, "CAFE TAKINGS");
    EXPECT_EQ(acceptImportLine(c, in, confirm()).outcome, banking::Outcome::Declined);
    EXPECT_EQ(questions, QStringList{tax::filedPeriodQuestion(june)});

    questions.clear();
    const BatchSummary s =
        run({stLine(1000, kJune3, "CAFE TAKINGS"), stLine(2000, QDate(2025, 6, 30), "COUNTER SALE"),
             stLine(3000, QDate(2025, 7, 1), "CAFE TAKINGS")});
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions.front().startsWith(QStringLiteral("2 lines to accept")));
    EXPECT_TRUE(questions.front().endsWith(tax::filedPeriodQuestion(june)));
    EXPECT_EQ(s.count(BatchResult::Skipped), 2);
    EXPECT_EQ(s.lines.front().reason, kFiledPeriodReason);
    EXPECT_EQ(s.count(BatchResult::Accepted), 1);
    EXPECT_EQ(allRows() - before, 3);  // July's bank row, journal line and statement line
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBNKTR WHERE TRANDATE <= '2025-06-30'"), 0);
}

}  // namespace statement_duplicates_test
