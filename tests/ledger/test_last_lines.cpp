// The last line of each account in a period, found by walking back over the period's days,
// is the line a seek per account finds: the last date, and on it the line written last.
#include <cmath>

#include "../banking/posting_fixture.h"
#include "ledger/account_totals.h"
#include "ledger/last_lines.h"
#include "store/connection.h"

namespace {

using namespace posting_test;

TEST_F(PostingTest, TheWalkBackFindsEachAccountsLastLineAsASeekDoes) {
    addAll({
        {EntryType::Deposit, 1000000000.05, "SALES", {2025, 5, 20}},
        {EntryType::Deposit, 20.00, "SALES", {2025, 5, 20}},  // written last that day
        {EntryType::Withdrawal, 57.51, "MOTOR", {2025, 5, 3}},
        {EntryType::Withdrawal, 23.00, "RENT", {2025, 4, 1}},  // far back in the period
        {EntryType::Withdrawal, 0.01, "RENT", {2025, 3, 31}},  // before it
        {EntryType::Deposit, 99.00, "SALES", {2025, 6, 1}},    // after it
    });
    ASSERT_FALSE(HasFatalFailure());
    // A line whose FULLCODE is not its account's (written by an older release or an import)
    // is not in the index by account and date under that account: its amount still counts.
    store::execSql(c.handle(),
                   "UPDATE QVActTr SET FULLCODE = 'stale-MOTOR' WHERE ACCTCODE = 'MOTOR'");
    const QDate from(2025, 4, 1), to(2025, 5, 31);
    const ledger::AccountSums period =
        ledger::lineSumsByAccount(c, {"1", {}, {}, false}, ledger::DateSpan::between(from, to));
    for (const int walkLimit : {20000, 1}) {
        const std::map<QString, double> last =
            ledger::lastLineAmounts(c, "1", from, to, period, walkLimit);
        std::map<QString, double> sought;
        for (const auto& [acct, sums] : period)
            if (const auto amount = ledger::lastLineAmount(c, "1", acct, from, to))
                sought[acct] = *amount;
        EXPECT_EQ(last, sought) << "walking " << walkLimit << " lines";
        EXPECT_LT(std::abs(last.at("SALES")), 1000.0) << "the line written last, " << walkLimit;
        EXPECT_GT(std::abs(last.at("RENT")), 1.0) << "the period's own line, " << walkLimit;
        EXPECT_GT(std::abs(last.at("MOTOR")), 1.0) << "a line of another FULLCODE, " << walkLimit;
        EXPECT_EQ(last.count("HOME"), 0u);
    }
}

}  // namespace
