// The checks of a resolved bank entry decided on the value alone: amounts, balances and
// transaction numbers the fields cannot hold are refused with their own words.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "banking/bank_entry_steps.h"
#include "banking/money_limits.h"
#include "posting_fixture.h"

using namespace banking;

namespace {

// A deposit of 10.00 from the cheque account (balance 100.00) to the sales account.
ResolvedEntry deposit() {
    ResolvedEntry r;
    r.entry.type = EntryType::Deposit;
    r.entry.reference = 1000001;
    r.entry.date = QDate(2026, 3, 2);
    r.entry.amount = 10.0;
    r.entry.source = QStringLiteral("EFTPOS");
    r.account.bankCode = QStringLiteral("030100");
    r.account.acctNo = QStringLiteral("1111111-00");
    r.account.currBal = 100.0;
    LedgerAccount sales;
    sales.acctCode = QStringLiteral("SALES");
    sales.linkCode = QStringLiteral("0");
    sales.typeCode = QStringLiteral("INC");
    r.ledger = sales;
    return r;
}

struct LimitCase {
    const char* story;
    EntryType type;
    double amount;
    double tax;
    double balanceBefore;  // CURRBAL
    bool openingMode;      // deposits not on statement: the balance stays
    qint64 reference;
    Problem problem;
};

void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.story; }

class EntryLimits : public ::testing::TestWithParam<LimitCase> {};

TEST_P(EntryLimits, AreCheckedBeforeAnythingIsWritten) {
    const LimitCase c = GetParam();
    ResolvedEntry r = deposit();
    r.entry.type = c.type;
    r.entry.amount = c.amount;
    r.entry.tax = c.tax;
    r.account.currBal = c.balanceBefore;
    r.entry.depositsNotOnStatement = c.openingMode;
    r.entry.reference = c.reference;
    if (c.type == EntryType::Withdrawal) r.ledger->typeCode = QStringLiteral("EXP");
    EXPECT_EQ(entryProblem(r), c.problem) << c.story;
    EXPECT_EQ(postingProblem(r), c.problem) << c.story;
}

const double kTop = 99'999'999'999.99;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
const double kBal = largestBalance();

INSTANTIATE_TEST_SUITE_P(
    Cases, EntryLimits,
    ::testing::Values(
        LimitCase{"the largest amount, balance untouched", EntryType::Deposit, kTop, 0, 0, true, 1,
                  Problem::None},
        LimitCase{"a hundred billion", EntryType::Deposit, 100'000'000'000.00, 0, 0, true, 1,
                  Problem::AmountTooLarge},
        LimitCase{"the largest amount and a half cent rounds past it", EntryType::Deposit,
                  kTop + 0.005, 0, 0, true, 1, Problem::AmountTooLarge},
        LimitCase{"1e17", EntryType::Withdrawal, 1e17, 0, 0, false, 1, Problem::AmountTooLarge},
        LimitCase{"not a number", EntryType::Deposit, kNaN, 0, 0, false, 1,
                  Problem::AmountTooLarge},
        LimitCase{"infinity", EntryType::Deposit, kInf, 0, 0, false, 1, Problem::AmountTooLarge},
        LimitCase{"a tax too large", EntryType::Deposit, 10, 1e12, 0, false, 1,
                  Problem::AmountTooLarge},
        LimitCase{"nothing typed", EntryType::Deposit, 0, 0, 0, false, 1, Problem::NoAmount},
        LimitCase{"less than half a cent", EntryType::Deposit, 0.004, 0, 0, false, 1,
                  Problem::NoAmount},
        LimitCase{"half a cent", EntryType::Deposit, 0.005, 0, 0, false, 1, Problem::None},
        LimitCase{"the largest withdrawal from an overdrawn account", EntryType::Withdrawal, kTop,
                  0, -100, false, 1, Problem::BalanceTooLarge},
        LimitCase{"a deposit to the fullest balance", EntryType::Deposit, 0.01, 0, kBal - 0.01,
                  false, 1, Problem::None},
        LimitCase{"one cent past the fullest balance", EntryType::Deposit, 0.01, 0, kBal, false, 1,
                  Problem::BalanceTooLarge},
        LimitCase{"an overdraft to the lowest balance", EntryType::Withdrawal, kBal, 0, 0, false, 1,
                  Problem::None},
        LimitCase{"one cent below the lowest balance", EntryType::Withdrawal, 0.01, 0, -kBal, false,
                  1, Problem::BalanceTooLarge},
        LimitCase{"number 0", EntryType::Deposit, 10, 0, 0, false, 0, Problem::BadReference},
        LimitCase{"a negative number", EntryType::Deposit, 10, 0, 0, false, -3,
                  Problem::BadReference},
        LimitCase{"the counter's limit", EntryType::Deposit, 10, 0, 0, false, 99'999'999'999,
                  Problem::None},
        LimitCase{"past the counter's limit", EntryType::Deposit, 10, 0, 0, false, 100'000'000'000,
                  Problem::BadReference}));

TEST(EntryLimits, HaveTheirOwnWords) {
    EXPECT_EQ(problemText(Problem::AmountTooLarge), "Amount too large.");
    EXPECT_EQ(problemText(Problem::BadReference),
              "The transaction number must be a whole number from 1 to 99999999999.");
    EXPECT_EQ(largestAmount(), kTop);
    EXPECT_EQ(largestReference(), 99'999'999'999);
}

using posting_test::PostingTest;

TEST_F(PostingTest, AnAmountTooLargeIsRefusedAndNothingIsWrittenOrNumberedTwice) {
    BankEntry e = entry(EntryType::Deposit, 100'000'000'000.00, QStringLiteral("SALES"));
    const SaveResult r = add(e);
    EXPECT_EQ(r.outcome, Outcome::Refused);
    EXPECT_EQ(r.message, "Amount too large.");
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVBNKTR")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVACTTR")), 0);
    EXPECT_DOUBLE_EQ(balance(posting_test::kBankA, posting_test::kAcctA), 100.0);
    EXPECT_TRUE(questions.isEmpty());
}

TEST_F(PostingTest, AnEntryIsResolvedOnceIntoOneValue) {
    BankEntry e = entry(EntryType::Transfer, 200.0, QString());
    e.destBank = posting_test::kBankB;
    e.destAcct = posting_test::kAcctB;
    e.reference = reserveReferenceNumber(c, 1, e.bankCode, e.acctNo);
    const Resolution res = resolveBankEntry(c, e, EntryMode::Add);
    ASSERT_EQ(res.problem, Problem::None);
    const ResolvedEntry& r = res.resolved;
    EXPECT_EQ(r.account.acctNo, posting_test::kAcctA);
    ASSERT_TRUE(r.destination);
    EXPECT_EQ(r.destination->acctNo, posting_test::kAcctB);
    EXPECT_EQ(r.accountCount, 2);
    EXPECT_EQ(entryProblem(r), Problem::None);
    const EntryBalances b = entryBalances(r);
    EXPECT_DOUBLE_EQ(b.balance, -100.0);
    EXPECT_DOUBLE_EQ(b.destinationBalance, 1200.0);
    // The rows the steps would write, before anything is written.
    const BankRow source = bankRowOf(r), dest = destinationRowOf(r, b.destinationNumber);
    EXPECT_DOUBLE_EQ(source.amount, -200.0);
    EXPECT_EQ(source.destAcct, posting_test::kAcctB);
    EXPECT_DOUBLE_EQ(dest.amount, 200.0);
    EXPECT_EQ(dest.sourceAcct, posting_test::kAcctA);
    EXPECT_EQ(dest.tranNum, b.destinationNumber);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVBNKTR")), 0);
}

}  // namespace
