// Banks and bank accounts as the bank set-up window saves, checks and deletes them.
#include <gtest/gtest.h>

#include "banking/bank_setup.h"
#include "banking/opening_balance.h"
#include "banking/sample_company.h"
#include "store/error.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"
#include "support/temp_folder.h"

namespace {

using banking::AccountSave;
using banking::BankAccountDetails;
using banking::EntryMode;

class BankSetup : public ::testing::Test {
protected:
    TempDataFolder folder;
    store::Table banks{folder.connection, "QVBkHdr.DBF"};
    store::Table accounts{folder.connection, "QVBnkAct.DBF"};

    void SetUp() override {
        banking::sample::setCompany(folder.connection, "Kiwi Tiles", "KT", true, 15.0);
        banking::sample::addDepartment(folder.connection, 1, 1, "SHOP", "KT", "Shop");
        banks.setIndexName("BANKCODE");
        banks.open();
        accounts.setIndexName("COYCODE");
        accounts.open();
        accounts.setMasterRange("COYCODE", "1");
        addBank("030100", "Westpac");
        addBank("120300", "ASB");
    }
    void addBank(const QString& code, const QString& name) {
        banking::BankDetails d;
        d.bankCode = code;
        d.name = name;
        ASSERT_EQ(banking::addBank(banks, d), banking::BankSave::Saved);
    }
    BankAccountDetails account(const QString& bank, const QString& acct) {
        BankAccountDetails d;
        d.bankCode = bank;
        d.acctNo = acct;
        d.desc = "Cheque account";
        return d;
    }
    AccountSave add(const BankAccountDetails& d, int coy = 1) {
        return banking::saveBankAccount(accounts, coy, "KT", d, EntryMode::Add);
    }
    void addBankRow(const QString& bankLink) {
        store::Table rows(folder.connection, "QVBnkTr.DBF");
        rows.open();
        rows.insert();
        rows.setValue("COYCODE", 1);
        rows.setValue("BANKLINK", bankLink);
        rows.setValue("AMOUNT", 10.0);
        rows.post();
    }
};

TEST_F(BankSetup, ABankIsSavedWithItsTrimmedCodeAndRefusedWhenEmptyOrTaken) {
    banking::BankDetails d;
    d.bankCode = "  ";
    EXPECT_EQ(banking::addBank(banks, d), banking::BankSave::EmptyCode);
    d.bankCode = " 030100 ";
    EXPECT_EQ(banking::addBank(banks, d), banking::BankSave::DuplicateCode);
    d.bankCode = " 020200 ";
    d.name = "BNZ";
    d.contact = "Mere Smith";
    d.postAddr2 = "PO Box 1";
    ASSERT_EQ(banking::addBank(banks, d), banking::BankSave::Saved);
    EXPECT_EQ(banks.text("BANKCODE"), "020200");
    EXPECT_EQ(banking::bankName(folder.connection, "020200"), QString("BNZ"));
    EXPECT_EQ(banking::bankDetailsAt(banks).postAddr2, "PO Box 1");

    d.name = "Bank of New Zealand";
    d.bankCode = "999999";  // the code is never rewritten
    banking::updateBank(banks, d);
    EXPECT_EQ(banks.text("BANKCODE"), "020200");
    EXPECT_EQ(*banking::bankName(folder.connection, "020200"), "Bank of New Zealand");
    EXPECT_FALSE(banking::bankCodeUsed(folder.connection, "999999"));
}

TEST_F(BankSetup, ANewAccountSavedWithItsDefaultsHasZeroBalancesAndNoDepartment) {
    ASSERT_EQ(add(account("030100", " 1234567-00 ")), AccountSave::Saved);
    EXPECT_EQ(accounts.text("ACCTNO"), "1234567-00");
    EXPECT_EQ(accounts.text("BANKLINK"), "1-030100-1234567-00");
    EXPECT_EQ(accounts.text("COYCODE"), "1");
    EXPECT_EQ(accounts.text("BUSCODE"), "KT");
    EXPECT_EQ(accounts.integer("LASTREFNO"), 1000000);
    EXPECT_EQ(accounts.integer("LASTCHQ"), 0);
    EXPECT_EQ(accounts.number("ODAMOUNT"), 0.0);
    EXPECT_EQ(accounts.integer("ALLOWOD"), 0);
    EXPECT_EQ(accounts.integer("DEFAULT"), 0);
    EXPECT_EQ(accounts.integer("BRALLOC"), 0);
    EXPECT_EQ(accounts.text("BRANCH"), "0");
    EXPECT_EQ(accounts.text("LINKCODE"), "1-0");
    for (const char* field : {"OPENBAL", "INITBAL", "CURRBAL", "RUNBAL"})
        EXPECT_EQ(accounts.number(field), 0.0) << field;
}

struct CounterCase {
    const char* lastRef;
    const char* lastChq;
    AccountSave expected;
};

class Counters : public BankSetup, public ::testing::WithParamInterface<CounterCase> {};

TEST_P(Counters, TheTwoCountersAreComparedAsTrimmedText) {
    BankAccountDetails d = account("030100", "1234567-00");
    d.lastRefNo = GetParam().lastRef;
    d.lastChq = GetParam().lastChq;
    EXPECT_EQ(add(d), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(BankSetup, Counters,
                         ::testing::Values(CounterCase{"500", "500", AccountSave::SameCounters},
                                           CounterCase{" 500 ", "500", AccountSave::SameCounters},
                                           CounterCase{"500", "500.0", AccountSave::Saved},
                                           CounterCase{"1000000", "100", AccountSave::Saved},
                                           CounterCase{"abc", "0", AccountSave::Failed},
                                           CounterCase{"1000000", "-5", AccountSave::Failed}));

TEST_F(BankSetup, FiveHundredAgainstFiveHundredPointNoughtStoresBothAsFiveHundred) {
    BankAccountDetails d = account("030100", "1234567-00");
    d.lastRefNo = "500";
    d.lastChq = "500.0";
    ASSERT_EQ(add(d), AccountSave::Saved);
    EXPECT_EQ(accounts.integer("LASTREFNO"), 500);
    EXPECT_EQ(accounts.integer("LASTCHQ"), 500);
}

TEST_F(BankSetup, KeysMustBeTypedAndTheBankMustExist) {
    EXPECT_EQ(add(account("", "1234567-00")), AccountSave::MissingKey);
    EXPECT_EQ(add(account("030100", "  ")), AccountSave::MissingKey);
    EXPECT_EQ(add(account("777777", "1234567-00")), AccountSave::BankNotFound);
    EXPECT_EQ(accounts.recordCount(), 0);
}

TEST_F(BankSetup, AnAccountNumberUsedByAnotherCompanyIsRefused) {
    ASSERT_EQ(add(account("030100", "1234567-00"), 2), AccountSave::Saved);
    EXPECT_TRUE(banking::accountNumberUsed(folder.connection, " 1234567-00"));
    EXPECT_EQ(add(account("120300", "1234567-00")), AccountSave::DuplicateAccount);
    EXPECT_EQ(accounts.recordCount(), 0);  // company 1 still has none
}

TEST_F(BankSetup, OnlyOneAccountOfACompanyIsItsDefault) {
    BankAccountDetails first = account("030100", "1111111-00");
    first.isDefault = true;
    ASSERT_EQ(add(first), AccountSave::Saved);
    // Another company's default does not count.
    BankAccountDetails other = account("030100", "3333333-00");
    other.isDefault = true;
    ASSERT_EQ(add(other, 2), AccountSave::Saved);

    EXPECT_FALSE(banking::otherDefaultAccount(folder.connection, 1, "1111111-00"));
    EXPECT_TRUE(banking::otherDefaultAccount(folder.connection, 1, "2222222-00"));
    BankAccountDetails second = account("030100", "2222222-00");
    second.isDefault = true;
    EXPECT_EQ(add(second), AccountSave::DefaultAlreadySet);
    second.isDefault = false;
    ASSERT_EQ(add(second), AccountSave::Saved);

    // Saving the default account again as the default is accepted.
    ASSERT_TRUE(accounts.locate("ACCTNO", "1111111-00"));
    first.desc = "Main account";
    EXPECT_EQ(banking::saveBankAccount(accounts, 1, "KT", first, EntryMode::Edit),
              AccountSave::Saved);
    EXPECT_EQ(accounts.text("DESC"), "Main account");
}

TEST_F(BankSetup, OverdraftAmountIsKeptOnlyWithTheProvision) {
    BankAccountDetails d = account("030100", "1234567-00");
    d.odAmount = "500";
    ASSERT_EQ(add(d), AccountSave::Saved);
    EXPECT_EQ(accounts.number("ODAMOUNT"), 0.0);
    d.allowOd = true;
    d.odAmount = "500.456";
    ASSERT_EQ(banking::saveBankAccount(accounts, 1, "KT", d, EntryMode::Edit), AccountSave::Saved);
    EXPECT_EQ(accounts.integer("ALLOWOD"), 1);
    EXPECT_DOUBLE_EQ(accounts.number("ODAMOUNT"), 500.46);
    d.odAmount = "lots";
    EXPECT_EQ(banking::saveBankAccount(accounts, 1, "KT", d, EntryMode::Edit), AccountSave::Failed);
    EXPECT_EQ(accounts.state(), store::EditState::Browse);
    EXPECT_DOUBLE_EQ(accounts.number("ODAMOUNT"), 500.46);
}

TEST_F(BankSetup, AnAccountOfOneDepartmentCarriesItsNumberAndLinkCode) {
    BankAccountDetails d = account("030100", "1234567-00");
    d.deptOnly = true;
    d.department = ledger::Department{1, "1-1", "SHOP", "Shop"};
    ASSERT_EQ(add(d), AccountSave::Saved);
    EXPECT_EQ(accounts.integer("BRALLOC"), 1);
    EXPECT_EQ(accounts.text("BRANCH"), "1");
    EXPECT_EQ(accounts.text("LINKCODE"), "1-1");

    // Edited without choosing again: the department stays.
    d.department.reset();
    d.desc = "Shop takings";
    ASSERT_EQ(banking::saveBankAccount(accounts, 1, "KT", d, EntryMode::Edit), AccountSave::Saved);
    EXPECT_EQ(accounts.text("LINKCODE"), "1-1");
    EXPECT_EQ(accounts.text("BRANCH"), "1");

    d.deptOnly = false;
    ASSERT_EQ(banking::saveBankAccount(accounts, 1, "KT", d, EntryMode::Edit), AccountSave::Saved);
    EXPECT_EQ(accounts.integer("BRALLOC"), 0);
    EXPECT_EQ(accounts.text("BRANCH"), "0");
    EXPECT_EQ(accounts.text("LINKCODE"), "1-0");
}

TEST_F(BankSetup, EditingRewritesTheBankLinkButNotTheNumberAndKeepsTheBalances) {
    ASSERT_EQ(add(account("030100", "1234567-00")), AccountSave::Saved);
    accounts.edit();
    accounts.setValue("CURRBAL", 75.0);
    accounts.post();
    BankAccountDetails d = account("120300", "9999999-99");
    ASSERT_EQ(banking::saveBankAccount(accounts, 1, "KT", d, EntryMode::Edit), AccountSave::Saved);
    EXPECT_EQ(accounts.text("ACCTNO"), "1234567-00");
    EXPECT_EQ(accounts.text("BANKLINK"), "1-120300-1234567-00");
    EXPECT_EQ(accounts.number("CURRBAL"), 75.0);
}

TEST_F(BankSetup, TheBankOfAnAccountWithTransactionsCannotChange) {
    ASSERT_EQ(add(account("030100", "1234567-00")), AccountSave::Saved);
    addBankRow("1-030100-1234567-00");
    EXPECT_EQ(banking::saveBankAccount(accounts, 1, "KT", account("120300", ""), EntryMode::Edit),
              AccountSave::BankCodeLocked);
    EXPECT_EQ(accounts.text("BANKLINK"), "1-030100-1234567-00");
    EXPECT_EQ(banking::saveBankAccount(accounts, 1, "KT", account("030100", ""), EntryMode::Edit),
              AccountSave::Saved);
}

TEST_F(BankSetup, ABankWithAccountsAndAnAccountWithTransactionsAreInUse) {
    EXPECT_FALSE(banking::bankHasAccounts(folder.connection, "030100"));
    ASSERT_EQ(add(account("030100", "1234567-00"), 2), AccountSave::Saved);
    EXPECT_TRUE(banking::bankHasAccounts(folder.connection, "030100"));
    EXPECT_FALSE(banking::bankHasAccounts(folder.connection, "120300"));

    EXPECT_FALSE(banking::bankAccountInUse(folder.connection, "2-030100-1234567-00"));
    addBankRow("2-030100-1234567-00");
    EXPECT_TRUE(banking::bankAccountInUse(folder.connection, "2-030100-1234567-00"));
    EXPECT_FALSE(banking::bankAccountInUse(folder.connection, "1-030100-1234567-00"));
    EXPECT_EQ(banking::accountInUseText("030100"),
              "Cannot Delete!  Bank account 030100 is in use.");
}

// A delete of a bank or a bank account, and what is left in the file afterwards as
// "bank codes/account numbers".
struct DeleteCase {
    const char* story;
    bool bank;           // deleteBank(code), else deleteBankAccount(code)
    const char* code;    // BANKCODE or BANKLINK
    bool withRow;        // a bank transaction on 2-030100-1234567-00
    const char* refuse;  // a table whose trigger refuses every delete, or nullptr
    int expected;        // BankDelete / BankAccountDelete as int; -1 for a store failure
    const char* left;
};

class Deleting : public BankSetup, public ::testing::WithParamInterface<DeleteCase> {
protected:
    QString stored() {
        store::Query q(folder.connection);
        q.setSql(
            "SELECT COALESCE((SELECT GROUP_CONCAT(BANKCODE) FROM QVBkHdr), '') || '/' || "
            "COALESCE((SELECT GROUP_CONCAT(ACCTNO) FROM QVBnkAct), '')");
        q.open();
        return q.value(0).toString();
    }
};

TEST_P(Deleting, RefusesWhatIsInUseAndChangesNothingThen) {
    const DeleteCase& k = GetParam();
    ASSERT_EQ(add(account("030100", "1234567-00"), 2), AccountSave::Saved);
    if (k.withRow) addBankRow("2-030100-1234567-00");
    if (k.refuse)
        store::execSql(folder.connection.handle(),
                       QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON %1 "
                                      "BEGIN SELECT RAISE(ABORT, 'locked'); END")
                           .arg(k.refuse));
    auto run = [&] {
        return k.bank ? int(banking::deleteBank(folder.connection, k.code))
                      : int(banking::deleteBankAccount(folder.connection, k.code));
    };
    if (k.expected < 0)
        EXPECT_THROW(run(), store::StoreError);
    else
        EXPECT_EQ(run(), k.expected);
    EXPECT_EQ(stored(), k.left);
    EXPECT_EQ(folder.connection.transactionDepth(), 0);
}

constexpr const char* kAll = "030100,120300/1234567-00";
constexpr const char* kLink = "2-030100-1234567-00";

INSTANTIATE_TEST_SUITE_P(
    BankSetup, Deleting,
    ::testing::Values(
        DeleteCase{"BankWithAnAccountOfAnotherCompany", true, "030100", false, nullptr,
                   int(banking::BankDelete::HasAccounts), kAll},
        DeleteCase{"BankWithoutAccounts", true, " 120300 ", false, nullptr,
                   int(banking::BankDelete::Deleted), "030100/1234567-00"},
        DeleteCase{"BankTheStoreWillNotDelete", true, "120300", false, "QVBkHdr", -1, kAll},
        DeleteCase{"BankNotThere", true, "777777", false, nullptr,
                   int(banking::BankDelete::Missing), kAll},
        DeleteCase{"AccountWithATransaction", false, kLink, true, nullptr,
                   int(banking::BankAccountDelete::InUse), kAll},
        DeleteCase{"AccountWithoutTransactions", false, kLink, false, nullptr,
                   int(banking::BankAccountDelete::Deleted), "030100,120300/"},
        DeleteCase{"AccountTheStoreWillNotDelete", false, kLink, false, "QVBnkAct", -1, kAll},
        DeleteCase{"AccountOfAnotherCompany", false, "1-030100-1234567-00", false, nullptr,
                   int(banking::BankAccountDelete::Missing), kAll}),
    [](const auto& info) { return std::string(info.param.story); });

TEST_F(BankSetup, AStoreFailureWhileSavingAnAccountIsThrownWithNothingSaved) {
    store::execSql(folder.connection.handle(),
                   "CREATE TRIGGER refuse BEFORE INSERT ON QVBnkAct "
                   "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    EXPECT_THROW(add(account("030100", "1234567-00")), store::StoreError);
    EXPECT_EQ(accounts.state(), store::EditState::Browse);
    EXPECT_FALSE(banking::accountNumberUsed(folder.connection, "1234567-00"));
}

}  // namespace
