// The key codes that join the tables, built from trimmed parts.
#include "store/keys.h"

#include <gtest/gtest.h>

#include <functional>

using namespace store::keys;

namespace {

struct KeyCase {
    const char* story;
    std::function<QString()> build;
    const char* expected;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.story; }

class KeyBuilding : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyBuilding, BuildsTheKeyTheTablesCarry)
{
    EXPECT_EQ(GetParam().build(), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyBuilding,
    ::testing::Values(
        KeyCase{"department 2 of company 1 links as 1-2", [] { return linkCode(1, 2); }, "1-2"},
        KeyCase{"a company-level account carries link code 0",
                [] { return accountLinkCode(1, 0); }, "0"},
        KeyCase{"a department account carries its department's link code",
                [] { return accountLinkCode(12, 3); }, "12-3"},
        KeyCase{"company-level RENT of company 1 is 1-RENT",
                [] { return accountFullCode(1, 0, "RENT"); }, "1-RENT"},
        KeyCase{"RENT in department 2 of company 1 is 1-2-RENT",
                [] { return accountFullCode(1, 2, "RENT"); }, "1-2-RENT"},
        KeyCase{"a typed code loses its surrounding blanks and keeps inner ones",
                [] { return accountFullCode(1, 0, "  OFFICE RENT "); }, "1-OFFICE RENT"},
        KeyCase{"a company-level account posts under the company number",
                [] { return journalLinkCode("0", 1); }, "1"},
        KeyCase{"a blank link code is treated as company level",
                [] { return journalLinkCode("  ", 4); }, "4"},
        KeyCase{"a department account posts under its link code",
                [] { return journalLinkCode("1-2 ", 1); }, "1-2"},
        KeyCase{"a journal FULLCODE joins the link code and the account",
                [] { return fullCodeFromLink("1-2", " RENT"); }, "1-2-RENT"},
        KeyCase{"bank 030100 account 1234567-00 of company 1",
                [] { return bankLink(1, " 030100", "1234567-00 "); }, "1-030100-1234567-00"},
        KeyCase{"a recurring definition's bank account gives the same BANKLINK",
                [] { return recurringBankLink(1, bankAccountText("030100", "1234567-00")); },
                "1-030100-1234567-00"},
        KeyCase{"a bank row's key has three parts",
                [] { return bankEntryKey("030100", "1234567-00", "57"); },
                "030100-1234567-00-57"},
        KeyCase{"its journal line adds the company",
                [] { return journalBankEntryKey("030100", "1234567-00", "57", 1); },
                "030100-1234567-00-57-1"},
        KeyCase{"the journal key is the bank row's key followed by the company",
                [] { return journalBankEntryKey(bankEntryKey("030100", "99", " 57 "), 3); },
                "030100-99-57-3"},
        KeyCase{"a recurring run's bank row ends with the definition's link code",
                [] { return recurringBankEntryKey("030100-99", 58, "1-2"); },
                "030100-99-58-1-2"},
        KeyCase{"BNKLINKNO of a bank entry line",
                [] { return bnkLinkNo("030100", "99", "57"); }, "030100-99-57"},
        KeyCase{"BNKLINKNO of a recurring run line",
                [] { return recurringBnkLinkNo("030100-99", 58); }, "030100-99-58"},
        KeyCase{"a bank entry line is searched by link, account and reference",
                [] { return journalSearchCode("1", "RENT", "57"); }, "1-RENT-57"},
        KeyCase{"a payment line's journal line adds its line number",
                [] { return paymentLineSearchCode("1-2", "RENT", "1001", 3); },
                "1-2-RENT-1001-3"},
        KeyCase{"a cash line is searched by account, number and company",
                [] { return cashSearchCode("SALES", " 12", 1); }, "SALES-12-1"},
        KeyCase{"a cash private share finds its line by link, DOMACCT and reference",
                [] { return splitLink("1", "PRIVATE", "7"); }, "1-PRIVATE-7"},
        KeyCase{"a recurring private share carries the main line's search key",
                [] { return recurringSplitLink("1-2", "CAR", 58); }, "1-2-CAR-58"},
        KeyCase{"FULLLINK of a bank row", [] { return fullLink("030100", "99", "1-2"); },
                "030100-99-1-2"},
        KeyCase{"FULLLINK of a transfer row ends with the company",
                [] { return transferFullLink("030100", "99", 1); }, "030100-99-1"},
        KeyCase{"FULLLINK of a recurring run's row",
                [] { return recurringFullLink("030100-99", "1"); }, "030100-99-1"},
        KeyCase{"a transfer row's TRANREF", [] { return tranRef("57", "1234567-00"); },
                "57-1234567-00"},
        KeyCase{"a recurring definition's TRANCODE and TRANLINK",
                [] { return tranLink(tranCode("HO", "RENT", " ACME "), 12); },
                "HO-RENT-ACME-12"},
        KeyCase{"company 3 with supplier ACME", [] { return supplierKey(3, "ACME"); }, "3-ACME"},
        KeyCase{"a supplier saved without a code", [] { return supplierKey(3, "  "); }, "3-"},
        KeyCase{"a payment to a regular supplier",
                [] { return paymentSupplierCoy(1, "ACME"); }, "1-ACME"},
        KeyCase{"a payment without a supplier is MISC",
                [] { return paymentSupplierCoy(1, " "); }, "1-MISC"},
        KeyCase{"the payment key", [] { return paymentKey("1001", " 1234567-00", 1); },
                "1001-1234567-00-1"},
        KeyCase{"the payment supplier link", [] { return paymentSupplierKey("1001", "ACME", 1); },
                "1001-ACME-1"},
        KeyCase{"the payment supplier link without a supplier",
                [] { return paymentSupplierKey("1001", "", 1); }, "1001-MISC-1"},
        KeyCase{"a budget of company 1", [] { return budgetCompanyKey("4100", 1); }, "4100-1"},
        KeyCase{"code 4100, link code 1 and no earlier budget",
                [] { return budgetLink("4100", "1", 1); }, "4100-1-1"},
        KeyCase{"a report row's account key", [] { return reportAccountKey("A1B2C", "RENT"); },
                "A1B2C-RENT"}));

struct WidthCase {
    const char* story;
    QString key;
    int width;
    const char* expected;
};

void PrintTo(const WidthCase& c, std::ostream* os) { *os << c.story; }

class KeyWidths : public ::testing::TestWithParam<WidthCase> {};

TEST_P(KeyWidths, TheStoreKeepsOnlyTheFieldWidth)
{
    EXPECT_EQ(cutToWidth(GetParam().key, GetParam().width), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyWidths,
    ::testing::Values(
        WidthCase{"a short key is kept whole", linkCode(1, 2), kLinkCodeWidth, "1-2"},
        WidthCase{"a key of exactly the width is kept whole",
                  QStringLiteral("123456789"), kLinkCodeWidth, "123456789"},
        WidthCase{"a long link code is cut at 9", linkCode(12345, 67890), kLinkCodeWidth,
                  "12345-678"},
        WidthCase{"the budget tables keep 10 of a link code", linkCode(12345, 67890),
                  kBudgetLinkCodeWidth, "12345-6789"},
        WidthCase{"a supplier key is cut at 16", supplierKey(1, "ABCDEFGHIJKLMNOPQR"),
                  kSupplierKeyWidth, "1-ABCDEFGHIJKLMN"},
        WidthCase{"the payments keep 20 of it", supplierKey(1, "ABCDEFGHIJKLMNOPQR"),
                  kPaymentSupplierCoyWidth, "1-ABCDEFGHIJKLMNOPQR"},
        WidthCase{"a budget company key is cut at 14", budgetCompanyKey("ABCDEFGHIJKLMN", 1),
                  kBudgetCompanyKeyWidth, "ABCDEFGHIJKLMN"},
        WidthCase{"a split link is cut at 37",
                  splitLink("1-2", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "1234567890"), kSplitLinkWidth,
                  "1-2-ABCDEFGHIJKLMNOPQRSTUVWXYZ-123456"},
        WidthCase{"an emoji across the width is dropped whole", QString::fromUtf8("abc\U0001F600"),
                  4, "abc"},
        WidthCase{"an emoji that fits is kept", QString::fromUtf8("abc\U0001F600"), 5,
                  "abc\U0001F600"},
        WidthCase{"a letter keeps its accent or goes with it", QString::fromUtf8("cafe\u0301"),
                  4, "caf"}));

TEST(KeyConstants, ALineWithoutABankEntryAndAMiscSupplierHaveFixedKeys)
{
    EXPECT_EQ(QString::fromLatin1(kNoBankEntry), QStringLiteral("0-0-0"));
    EXPECT_EQ(QString::fromLatin1(kMiscSupplier), QStringLiteral("MISC"));
}

}  // namespace
