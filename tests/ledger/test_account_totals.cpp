// The totals per account and month: they move with every line and row written, edited or
// deleted; sums read from them over any range of dates equal the sums of the lines; the index
// rebuild and the opening of an older folder make them from the lines.
#include <sqlite3.h>

#include "../banking/posting_fixture.h"
#include "ledger/account_totals.h"
#include "store/keys.h"
#include "store/rebuild.h"
#include "store/schema.h"

namespace {

using namespace posting_test;
using ledger::DateSpan;

struct SpanCase {
    const char* story;
    DateSpan span;
    const char* lineCondition;  // the same range over the lines
};

class AccountTotals : public PostingTest {
protected:
    // Deposits and withdrawals on the first and last days of months, mid-month, a billion, a
    // transfer, and a cash line without a date.
    void SetUp() override {
        PostingTest::SetUp();
        addAll({
            {EntryType::Deposit, 115.00, "SALES", {2025, 4, 30}},
            {EntryType::Deposit, 1000000000.05, "SHOPSALES", {2025, 5, 1}},
            {EntryType::Withdrawal, 57.51, "MOTOR", {2025, 5, 16}},
            {EntryType::Withdrawal, 23.00, "RENT", {2025, 5, 31}},
            {EntryType::Deposit, 0.01, "INTEREST", {2025, 6, 1}},
            {EntryType::Withdrawal, 99.99, "HOME", {2025, 7, 15}},
        });
        if (HasFatalFailure()) return;
        BankEntry t = entry(EntryType::Transfer, 40.00, QString(), {2025, 6, 30});
        t.destBank = kBankB;
        t.destAcct = kAcctB;
        ASSERT_TRUE(add(t).ok());
        c.exec("UPDATE QVActTr SET TRANDATE = '' WHERE ACCTCODE = 'INTEREST'");
    }

    ledger::LineSums linesSummed(const QString& where) {
        store::Query q(c);
        q.setSql("SELECT " + store::lineSumsOfLinesSql() + " FROM QVActTr WHERE " + where);
        q.open();
        auto at = [&](int i) { return q.value(i).toLongLong(); };
        return {at(0), at(1), at(2), at(3), at(4), at(5), at(6), at(7), at(8)};
    }

    qint64 rowsSummed(const QString& where) {
        return count("SELECT SUM(CAST(ROUND(AMOUNT * 100) AS INTEGER)) FROM QVBnkTr WHERE " +
                     where);
    }
};

TEST_F(AccountTotals, AnyRangeSumsAsTheLinesDo) {
    const QDate d(2025, 5, 1);
    const SpanCase cases[] = {
        {"whole months", DateSpan::between({2025, 4, 1}, {2025, 6, 30}),
         "TRANDATE BETWEEN '2025-04-01' AND '2025-06-30'"},
        {"cut at both ends", DateSpan::between({2025, 4, 30}, {2025, 6, 1}),
         "TRANDATE BETWEEN '2025-04-30' AND '2025-06-01'"},
        {"inside one month", DateSpan::between({2025, 5, 2}, {2025, 5, 30}),
         "TRANDATE BETWEEN '2025-05-02' AND '2025-05-30'"},
        {"two cut months", DateSpan::between({2025, 4, 30}, {2025, 5, 16}),
         "TRANDATE BETWEEN '2025-04-30' AND '2025-05-16'"},
        {"most of two months: each read whole less a day or two",
         DateSpan::between({2025, 5, 2}, {2025, 6, 29}),
         "TRANDATE BETWEEN '2025-05-02' AND '2025-06-29'"},
        {"a few days mid-month", DateSpan::between({2025, 5, 14}, {2025, 5, 17}),
         "TRANDATE BETWEEN '2025-05-14' AND '2025-05-17'"},
        {"backwards", DateSpan::between({2025, 7, 1}, {2025, 4, 1}), "0"},
        {"to a month's end, undated too", DateSpan::upTo({2025, 5, 31}),
         "TRANDATE <= '2025-05-31'"},
        {"to mid-month", DateSpan::upTo({2025, 5, 16}), "TRANDATE <= '2025-05-16'"},
        {"before a first day", DateSpan::before(d), "TRANDATE < '2025-05-01'"},
        {"before mid-month", DateSpan::before({2025, 7, 16}), "TRANDATE < '2025-07-16'"},
        {"before no date", DateSpan::before({}), "0"},
        {"to no date: the undated", DateSpan::upTo({}), "TRANDATE <= ''"},
        {"from no date", DateSpan::between({}, {2025, 6, 1}),
         "TRANDATE BETWEEN '' AND '2025-06-01'"},
    };
    for (const SpanCase& k : cases) {
        const QString lines = QString::fromLatin1(k.lineCondition);
        for (const char* acct : {"", "SALES", "SHOPSALES", "MOTOR", "INTEREST"}) {
            const ledger::LineSelection which{"1", acct, {}, false};
            const QString where =
                QStringLiteral("COYCODE = '1' AND (%1)%2")
                    .arg(lines,
                         *acct ? QStringLiteral(" AND ACCTCODE = '%1'").arg(QLatin1String(acct))
                               : QString());
            EXPECT_EQ(ledger::lineSums(c, which, k.span), linesSummed(where))
                << k.story << " " << acct;
        }
        const QString bankA = store::keys::bankRowLink(1, kBankA, kAcctA);
        EXPECT_EQ(ledger::bankRowSum(c, bankA, k.span),
                  rowsSummed(QStringLiteral("BANKLINK = '%1' AND (%2)").arg(bankA, lines)))
            << k.story;
        EXPECT_EQ(
            ledger::bankRowSum(c, "1-", "1.", k.span),
            rowsSummed(QStringLiteral("BANKLINK >= '1-' AND BANKLINK < '1.' AND (%1)").arg(lines)))
            << k.story;
    }
    // Every span at once, by FULLCODE alone as the account reports ask: the months read once.
    std::vector<DateSpan> spans;
    for (const SpanCase& k : cases) spans.push_back(k.span);
    for (const char* acct : {"SALES", "SHOPSALES", "MOTOR"}) {
        store::Query code(c);
        code.setSql(QStringLiteral("SELECT FULLCODE FROM QVActTr WHERE ACCTCODE = '%1' LIMIT 1")
                        .arg(QLatin1String(acct)));
        code.open();
        const QString full = code.text(QStringLiteral("FULLCODE"));
        const std::vector<ledger::LineSums> sums =
            ledger::lineSumsOfSpans(c, {{}, {}, full, false}, spans);
        ASSERT_EQ(sums.size(), spans.size());
        qint64 linesSeen = 0;
        for (size_t i = 0; i < spans.size(); ++i) {
            linesSeen += sums[i].lines;
            EXPECT_EQ(sums[i], linesSummed(QStringLiteral("FULLCODE = '%1' AND (%2)")
                                               .arg(full, QLatin1String(cases[i].lineCondition))))
                << cases[i].story << " " << acct;
        }
        EXPECT_GT(linesSeen, 0) << acct;
    }
    EXPECT_EQ(ledger::lineSums(c, {"1", "SHOPSALES", {}, false}, DateSpan::upTo(d)).amount,
              100000000005)
        << "a billion to the cent";
}

TEST_F(AccountTotals, EditsAndDeletesTakeTheOldLineAway) {
    const auto rent = [&] {
        return ledger::lineSums(c, {"1", "RENT", {}, false}, DateSpan::upTo({2025, 12, 31}));
    };
    const qint64 rentRef = count("SELECT TRANNUM FROM QVBnkTr WHERE PURPOSE = 'RENT'");
    BankEntry moved = entry(EntryType::Withdrawal, 46.00, "MOTOR", {2025, 8, 3});
    moved.reference = rentRef;
    ASSERT_TRUE(saveBankEntry(c, moved, EntryMode::Edit, confirm()).ok());
    EXPECT_EQ(rent().lines, 0) << "the line moved to another account";
    const qint64 motorRef = count("SELECT MIN(TRANNUM) FROM QVBnkTr WHERE PURPOSE = 'MOTOR'");
    ASSERT_TRUE(deleteBankEntry(c, 1, kBankA, kAcctA, motorRef, confirm()).ok());
    EXPECT_EQ(ledger::totalsDifferences(c), QStringList());
}

TEST_F(AccountTotals, TheRebuildAndAnOlderFolderMakeThemFromTheLines) {
    c.exec("UPDATE QVActTot SET AMOUNT = AMOUNT + 1 WHERE ACCTCODE = 'SALES'");
    c.exec("DELETE FROM QVBnkTot");
    EXPECT_EQ(ledger::totalsDifferences(c).size(), 7)
        << "the sales row seen from both sides, and the five months of the two bank accounts";
    store::rebuildTableIndexes(c, "QVActTr.dbf");
    store::rebuildTableIndexes(c, "QVBnkTr.dbf");
    EXPECT_EQ(ledger::totalsDifferences(c), QStringList());

    // A folder written before the totals: no tables, no triggers, data version 2.
    c.exec("DROP TABLE QVActTot");
    c.exec("DROP TRIGGER QVBnkTot_ADD");
    c.exec("PRAGMA user_version = 2");
    store::Connection reopened;
    reopened.connectToFolder(folder.path());
    EXPECT_EQ(ledger::totalsDifferences(reopened), QStringList());
    EXPECT_EQ(ledger::lineSums(reopened, {"1", "SALES", {}, false}, DateSpan::upTo({2025, 12, 31}))
                  .amount,
              11500);
    BankEntry later = entry(EntryType::Deposit, 5.00, "SALES", {2025, 9, 1});
    later.reference = reserveReferenceNumber(reopened, 1, kBankA, kAcctA);
    ASSERT_TRUE(saveBankEntry(reopened, later, EntryMode::Add, confirm()).ok());
    EXPECT_EQ(ledger::totalsDifferences(reopened), QStringList()) << "the triggers are back";
}

}  // namespace
