// What the bank transaction window decides by itself, without the window: which boxes a kind
// of entry shows, what it fills in, when "Save" may be pressed and what the number box says.
#include <gtest/gtest.h>

#include "banking/bank_entry_choices.h"
#include "banking/money_limits.h"

using namespace banking;

namespace {

LedgerAccount ledger(bool gst, int allocPer = 0) {
    LedgerAccount a;
    a.acctCode = QStringLiteral("SALES");
    a.typeCode = QStringLiteral("INC");
    a.gstApplies = gst;
    a.domestic = allocPer > 0;
    a.allocPer = allocPer;
    return a;
}

struct TaxBoxCase {
    const char* story;
    TaxBoxState state;
    bool shown;
};

class TaxBox : public ::testing::TestWithParam<TaxBoxCase> {};

TEST_P(TaxBox, ShowsOnlyWhenTheEntryCanCarryTax) {
    EXPECT_EQ(taxBoxShown(GetParam().state), GetParam().shown) << GetParam().story;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TaxBox,
    ::testing::Values(
        TaxBoxCase{
            "a deposit to a taxed account", {EntryType::Deposit, false, true, ledger(true)}, true},
        TaxBoxCase{"fees to a taxed account", {EntryType::Fees, false, true, ledger(true)}, true},
        TaxBoxCase{
            "a 30 % private account", {EntryType::Withdrawal, false, true, ledger(true, 30)}, true},
        TaxBoxCase{"a wholly private account",
                   {EntryType::Withdrawal, false, true, ledger(true, 100)},
                   false},
        TaxBoxCase{
            "an account without tax", {EntryType::Deposit, false, true, ledger(false)}, false},
        TaxBoxCase{
            "a company without tax", {EntryType::Deposit, false, false, ledger(true)}, false},
        TaxBoxCase{"no account chosen", {EntryType::Deposit, false, true, std::nullopt}, false},
        TaxBoxCase{"a transfer", {EntryType::Transfer, false, true, ledger(true)}, false},
        TaxBoxCase{"a row with details", {EntryType::Deposit, true, true, ledger(true)}, false},
        TaxBoxCase{
            "a reconciled row", {EntryType::Deposit, false, true, ledger(true), true}, false}));

TEST(TypeDefaults, InterestAndFeesFillAndLockTheSourceOthersLeaveTheBoxes) {
    const TypeDefaults interest = typeDefaults(EntryType::Interest);
    EXPECT_EQ(interest.source, QStringLiteral("INT"));
    EXPECT_EQ(interest.narrative, QStringLiteral("Interest."));
    EXPECT_TRUE(interest.sourceLocked);
    const TypeDefaults fees = typeDefaults(EntryType::Fees);
    EXPECT_EQ(fees.source, QStringLiteral("FEES"));
    EXPECT_EQ(fees.narrative, QStringLiteral("Bank fees."));
    EXPECT_TRUE(fees.sourceLocked);
    for (EntryType t : {EntryType::Deposit, EntryType::Withdrawal, EntryType::Transfer}) {
        const TypeDefaults d = typeDefaults(t);
        EXPECT_FALSE(d.source || d.narrative || d.sourceLocked) << bankRowType(t).toStdString();
    }
}

TEST(KindOfEntry, DecidesDetailsThePickerAndTheAmountBox) {
    EXPECT_TRUE(detailsAllowed(EntryType::Deposit) && detailsAllowed(EntryType::Withdrawal));
    EXPECT_FALSE(detailsAllowed(EntryType::Interest) || detailsAllowed(EntryType::Transfer));
    EXPECT_EQ(ledgerPickerType(EntryType::Interest), "INC");
    EXPECT_EQ(ledgerPickerType(EntryType::Fees), "EXP");
    // Interest waits for its ledger account before the amount shows; details hide it always.
    EXPECT_FALSE(amountBoxShown(EntryType::Interest, false, false, false));
    EXPECT_TRUE(amountBoxShown(EntryType::Interest, false, true, false));
    EXPECT_TRUE(amountBoxShown(EntryType::Fees, false, false, true));
    EXPECT_FALSE(amountBoxShown(EntryType::Deposit, true, true, true));
    EXPECT_EQ(sourceForNewEntry(QStringLiteral("CHEQUE")), "Misc");
    EXPECT_EQ(sourceForNewEntry(QStringLiteral("DETAILS")), "Misc");
    EXPECT_EQ(sourceForNewEntry(QStringLiteral("EFTPOS")), "EFTPOS");
}

TEST(TaxToPropose, IsTheContainedTaxOfADepositOrWithdrawalOnly) {
    Company company;
    company.gstEnabled = true;
    company.gstPercent = 15;
    EXPECT_EQ(taxToPropose(EntryType::Deposit, company, ledger(true), 115.0), 15.0);
    EXPECT_EQ(taxToPropose(EntryType::Interest, company, ledger(true), 115.0), std::nullopt);
    EXPECT_EQ(taxToPropose(EntryType::Deposit, company, ledger(false), 115.0), std::nullopt);
    EXPECT_EQ(taxToPropose(EntryType::Deposit, company, ledger(true), 0.0), std::nullopt);
    EXPECT_EQ(taxToPropose(EntryType::Deposit, company, ledger(true), 1e17), std::nullopt);
    company.gstEnabled = false;
    EXPECT_EQ(taxToPropose(EntryType::Deposit, company, ledger(true), 115.0), std::nullopt);
}

struct SaveCase {
    const char* story;
    SaveState state;
    bool allowed;
};

class SaveButton : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveButton, IsEnabledOnlyWhileTheChecksHold) {
    EXPECT_EQ(saveAllowed(GetParam().state), GetParam().allowed) << GetParam().story;
}

// editing, account, number, type, details, ledger usable, ledger chosen, destination, amount
INSTANTIATE_TEST_SUITE_P(
    Cases, SaveButton,
    ::testing::Values(
        SaveCase{"a deposit with its account",
                 {true, true, true, EntryType::Deposit, false, true, false},
                 true},
        SaveCase{"browsing", {false, true, true, EntryType::Deposit, false, true, true}, false},
        SaveCase{
            "no bank account", {true, false, true, EntryType::Deposit, false, true, true}, false},
        SaveCase{
            "a number in use", {true, true, false, EntryType::Deposit, false, true, true}, false},
        SaveCase{"a refused ledger account",
                 {true, true, true, EntryType::Deposit, false, false, true},
                 false},
        SaveCase{"interest without its account",
                 {true, true, true, EntryType::Interest, false, true, false},
                 false},
        SaveCase{"fees with their account",
                 {true, true, true, EntryType::Fees, false, true, true},
                 true},
        SaveCase{"details need no account",
                 {true, true, true, EntryType::Deposit, true, false, false},
                 true},
        SaveCase{"a transfer without amount",
                 {true, true, true, EntryType::Transfer, false, false, false, true, false},
                 false},
        SaveCase{"a transfer ready",
                 {true, true, true, EntryType::Transfer, false, false, false, true, true},
                 true},
        SaveCase{"a transfer to nowhere",
                 {true, true, true, EntryType::Transfer, false, false, false, false, true},
                 false}));

struct ReferenceCase {
    const char* typed;
    bool inUse;
    bool range;  // the range message
};

class ReferenceBox : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(ReferenceBox, NamesWhatIsWrongWithTheNumber) {
    const ReferenceCase c = GetParam();
    const QString message = referenceMessage(QString::fromLatin1(c.typed), c.inUse);
    const QString expected = c.range   ? referenceRangeText()
                             : c.inUse ? referenceInUseText()
                                       : QString();
    EXPECT_EQ(message, expected) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceBox,
    ::testing::Values(ReferenceCase{"1000042", false, false}, ReferenceCase{" 7 ", false, false},
                      ReferenceCase{"1000042", true, false},
                      ReferenceCase{"99999999999", false, false},
                      ReferenceCase{"100000000000", false, true}, ReferenceCase{"0", true, true},
                      ReferenceCase{"-5", false, true}, ReferenceCase{"12.5", false, true},
                      ReferenceCase{"abc", false, true}, ReferenceCase{"", false, true}));

TEST(ReferenceBox, TheRangeMessageNamesTheLimit) {
    EXPECT_EQ(referenceRangeText(),
              "The transaction number must be a whole number from 1 to 99999999999.");
}

}  // namespace
