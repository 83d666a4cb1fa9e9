// The tax split and the private share of a journal line, without the data store.
#include "banking/journal_rules.h"

#include <gtest/gtest.h>

using namespace banking;

namespace {

struct TaxCase {
    double amount, rate, tax;
};

class TaxContained : public ::testing::TestWithParam<TaxCase> {};

TEST_P(TaxContained, IsRoundedToCentsAsTheTaxBoxShowsIt)
{
    const TaxCase t = GetParam();
    EXPECT_DOUBLE_EQ(taxContained(t.amount, t.rate), t.tax) << t.amount << " at " << t.rate;
}

INSTANTIATE_TEST_SUITE_P(Examples, TaxContained,
                         ::testing::Values(TaxCase{115.00, 15, 15.00}, TaxCase{100.00, 15, 13.04},
                                           TaxCase{50.00, 15, 6.52}, TaxCase{10.01, 15, 1.31},
                                           TaxCase{112.50, 12.5, 12.50},
                                           TaxCase{0.23, 15, 0.03}, TaxCase{0.00, 15, 0.00},
                                           TaxCase{-115.00, 15, 0.00}, TaxCase{115.00, 0, 0.00}));

TEST(TaxAdded, IsTheRateOfTheAmountInCents)
{
    EXPECT_DOUBLE_EQ(taxAdded(100.00, 15), 15.00);
    EXPECT_DOUBLE_EQ(taxAdded(10.01, 15), 1.50);  // 1.5015
    EXPECT_DOUBLE_EQ(taxAdded(33.33, 12.5), 4.17);  // 4.16625
}

LedgerAccount account(bool gst, bool domestic = false, int allocPer = 0,
                      const QString& domLink = {})
{
    LedgerAccount a;
    a.acctCode = QStringLiteral("MOTOR");
    a.linkCode = QStringLiteral("0");
    a.typeCode = QStringLiteral("EXP");
    a.descr = QStringLiteral("Motor vehicle");
    a.gstApplies = gst;
    a.domestic = domestic;
    a.allocPer = allocPer;
    a.domLink = domLink;
    a.domAcct = domLink.isEmpty() ? QString() : QStringLiteral("DRAWINGS");
    return a;
}

TEST(BusinessShare, FollowsThePrivateShareOfTheAccount)
{
    EXPECT_EQ(businessShare(account(true)), 100);
    EXPECT_EQ(shareDescription(account(true)), "Motor vehicle");
    EXPECT_EQ(businessShare(account(true, true, 30)), 70);
    EXPECT_EQ(shareDescription(account(true, true, 30)), "Motor vehicle 30 percent is domestic.");
    EXPECT_EQ(businessShare(account(true, true, 100)), 0);
    EXPECT_EQ(shareDescription(account(true, true, 100)), "Motor vehicle is wholly domestic.");
    // ALLOCPER without DOMESTIC is no private share.
    EXPECT_EQ(businessShare(account(true, false, 30)), 100);
}

TEST(PrivateShareDestination, NeedsTheDomesticFlagAndALinkCode)
{
    EXPECT_TRUE(hasPrivateShareDestination(account(true, true, 30, "1")));
    EXPECT_FALSE(hasPrivateShareDestination(account(true, true, 30)));
    EXPECT_FALSE(hasPrivateShareDestination(account(true, false, 30, "1")));
}

struct AmountCase {
    const char* story;
    EntryType type;
    LedgerAccount account;
    double amount, tax;
    double busAmt, gstAmt;
    int hasGst;
};

void PrintTo(const AmountCase& c, std::ostream* os) { *os << c.story; }

class LineAmountRules : public ::testing::TestWithParam<AmountCase> {};

TEST_P(LineAmountRules, GiveTheBusinessAmountAndTax)
{
    const AmountCase& k = GetParam();
    EntryLine line;
    line.type = k.type;
    line.account = k.account;
    line.amount = k.amount;
    line.tax = k.tax;
    const LineAmounts a = lineAmounts(line);
    EXPECT_DOUBLE_EQ(a.amount, k.amount);
    EXPECT_DOUBLE_EQ(a.busAmt, k.busAmt);
    EXPECT_DOUBLE_EQ(a.gstAmt, k.gstAmt);
    EXPECT_EQ(a.hasGst, k.hasGst);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineAmountRules,
    ::testing::Values(
        AmountCase{"a taxable withdrawal keeps its tax", EntryType::Withdrawal, account(true),
                   115.00, 15.00, 115.00, 15.00, 1},
        AmountCase{"an untaxed account carries no tax whatever the box says",
                   EntryType::Deposit, account(false), 115.00, 15.00, 115.00, 0.00, 0},
        AmountCase{"the tax box at 0 (company without tax) still marks a taxable account",
                   EntryType::Deposit, account(true), 115.00, 0.00, 115.00, 0.00, 1},
        AmountCase{"30 % private: the whole amount is the business amount",
                   EntryType::Withdrawal, account(true, true, 30, "1"), 200.00, 26.09, 200.00,
                   26.09, 1},
        AmountCase{"wholly private: no business amount, the tax stays",
                   EntryType::Withdrawal, account(true, true, 100, "1"), 200.00, 26.09, 0.00,
                   26.09, 1},
        AmountCase{"interest carries its business amount", EntryType::Interest, account(false),
                   12.34, 0.00, 12.34, 0.00, 0},
        AmountCase{"fees on a taxable account keep a typed tax", EntryType::Fees,
                   account(true, true, 30, "1"), 23.00, 3.00, 23.00, 3.00, 1},
        AmountCase{"fees on a wholly private account carry neither tax nor business amount",
                   EntryType::Fees, account(true, true, 100, "1"), 23.00, 3.00, 0.00, 0.00, 0}));

TEST(ProposedTax, IsOnlyForDepositsAndWithdrawalsOfATaxedCompanyAndAccount)
{
    Company taxed{1, "T", "T", true, 15.0};
    Company untaxed{1, "T", "T", false, 15.0};
    EXPECT_DOUBLE_EQ(proposedTax(EntryType::Deposit, taxed, account(true), 115.0), 15.0);
    EXPECT_DOUBLE_EQ(proposedTax(EntryType::Withdrawal, taxed, account(true, true, 100), 115.0),
                     15.0);
    EXPECT_DOUBLE_EQ(proposedTax(EntryType::Deposit, untaxed, account(true), 115.0), 0.0);
    EXPECT_DOUBLE_EQ(proposedTax(EntryType::Deposit, taxed, account(false), 115.0), 0.0);
    EXPECT_DOUBLE_EQ(proposedTax(EntryType::Interest, taxed, account(true), 115.0), 0.0);
    EXPECT_DOUBLE_EQ(proposedTax(EntryType::Fees, taxed, account(true), 115.0), 0.0);
}

TEST(EntryKinds, SignTheBankAmountAndNameTheLine)
{
    EXPECT_DOUBLE_EQ(signedAmount(EntryType::Deposit, 50), 50);
    EXPECT_DOUBLE_EQ(signedAmount(EntryType::Interest, 50), 50);
    EXPECT_DOUBLE_EQ(signedAmount(EntryType::Withdrawal, 50), -50);
    EXPECT_DOUBLE_EQ(signedAmount(EntryType::Fees, 50), -50);
    EXPECT_DOUBLE_EQ(signedAmount(EntryType::Transfer, 50), -50);
    EXPECT_EQ(journalReason(EntryType::Transfer), "TRAN");
    EXPECT_EQ(bankRowType(EntryType::Transfer), "TR");
    EXPECT_EQ(*entryTypeOfRow("FEES"), EntryType::Fees);
    EXPECT_FALSE(entryTypeOfRow("XYZ").has_value());
}

}  // namespace
