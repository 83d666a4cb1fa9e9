// Ledger accounts: keys, unique codes across the company, the in-use rule and what saves write.
#include <gtest/gtest.h>

#include "ledger/accounts.h"
#include "store/error.h"
#include "store/query.h"
#include "store/table.h"
#include "support/temp_folder.h"

namespace {

class Accounts : public ::testing::Test {
protected:
    TempDataFolder folder;
    store::Table coy{folder.connection, "QVCoy.DBF"};
    store::Table accounts{folder.connection, "QVAccDet.DBF"};

    void SetUp() override {
        coy.open();
        accounts.setIndexName("COYCODE");
        accounts.open();
        accounts.setMasterRange("COYCODE", "1");
        for (const char* code : {"SHOP", "SALES"}) {
            ledger::DepartmentDetails d;
            d.deptCode = QString::fromLatin1(code);
            d.busName = QStringLiteral("Dept ") + QLatin1String(code);
            ASSERT_EQ(ledger::addDepartment(coy, 1, "B", d), ledger::DepartmentSave::Saved);
        }
    }
    ledger::AccountSave add(const QString& code, const QString& dept = {}) {
        ledger::AccountDetails d;
        d.acctCode = code;
        d.deptCode = dept;
        d.descr = code + " account";
        return ledger::addAccount(accounts, 1, d);
    }
    void journalLine(const QString& acctCode) {
        store::Table lines(folder.connection, "QVActTr.DBF");
        lines.open();
        lines.append();
        lines.setValue("COYCODE", "1");
        lines.setValue("ACCTCODE", acctCode);
        lines.post();
    }
    qint64 storedAccounts() {
        store::Query q(folder.connection);
        q.setSql("SELECT COUNT(*) FROM QVACCDET");
        q.open();
        return q.value(0).toLongLong();
    }
    void bankRow(const QString& fullCode) {
        store::Table rows(folder.connection, "QVBnkTr.DBF");
        rows.open();
        rows.append();
        rows.setValue("COYCODE", 1);
        rows.setValue("FULLCODE", fullCode);
        rows.post();
    }
};

TEST_F(Accounts, RentAtCompanyLevelAndAgainInADepartmentIsADuplicate) {
    ASSERT_EQ(add(" RENT "), ledger::AccountSave::Saved);
    EXPECT_EQ(accounts.text("COYCODE"), "1");
    EXPECT_EQ(accounts.text("ACCTCODE"), "RENT");
    EXPECT_EQ(accounts.text("LINKCODE"), "0");
    EXPECT_EQ(accounts.text("BRANCH"), "0");
    EXPECT_EQ(accounts.integer("COYACCT"), 1);
    EXPECT_EQ(accounts.text("FULLCODE"), "1-RENT");
    EXPECT_EQ(accounts.integer("ACTRANNO"), 1);
    EXPECT_EQ(accounts.integer("HASBUDGET"), 0);
    EXPECT_EQ(add("RENT", "SALES"), ledger::AccountSave::DuplicateCode);
    EXPECT_EQ(accounts.recordCount(), 1);
}

TEST_F(Accounts, ADepartmentAccountCarriesTheDepartmentKeys) {
    ASSERT_EQ(add("WAGES", " SALES "), ledger::AccountSave::Saved);
    EXPECT_EQ(accounts.text("LINKCODE"), "1-2");
    EXPECT_EQ(accounts.text("BRANCH"), "2");
    EXPECT_EQ(accounts.integer("COYACCT"), 0);
    EXPECT_EQ(accounts.text("FULLCODE"), "1-2-WAGES");
}

TEST_F(Accounts, AnUnknownDepartmentIsNeverStored) {
    EXPECT_EQ(add("WAGES", "NOPE"), ledger::AccountSave::UnknownDepartment);
    EXPECT_EQ(accounts.recordCount(), 0);
    ASSERT_EQ(add("WAGES"), ledger::AccountSave::Saved);
    ledger::AccountDetails d;
    d.deptCode = "NOPE";
    EXPECT_EQ(ledger::updateAccount(accounts, 1, d), ledger::AccountSave::UnknownDepartment);
    accounts.refresh();
    EXPECT_EQ(accounts.text("FULLCODE"), "1-WAGES");
}

TEST_F(Accounts, CodesAreUniqueAcrossTheCompanyOnly) {
    ASSERT_EQ(add("RENT", "SHOP"), ledger::AccountSave::Saved);
    EXPECT_TRUE(ledger::accountCodeUsed(folder.connection, 1, " RENT"));
    EXPECT_FALSE(ledger::accountCodeUsed(folder.connection, 1, "rent"));
    EXPECT_FALSE(ledger::accountCodeUsed(folder.connection, 2, "RENT"));
    EXPECT_EQ(add("   "), ledger::AccountSave::EmptyCode);
}

TEST_F(Accounts, MovingATransactionFreeAccountIntoADepartmentRewritesItsKeys) {
    ASSERT_EQ(add("RENT"), ledger::AccountSave::Saved);
    ledger::AccountDetails d;
    d.deptCode = "SALES";
    d.typeCode = "EXP";
    d.rptCat = "O";
    ASSERT_EQ(ledger::updateAccount(accounts, 1, d), ledger::AccountSave::Saved);
    EXPECT_EQ(accounts.text("BRANCH"), "2");
    EXPECT_EQ(accounts.text("LINKCODE"), "1-2");
    EXPECT_EQ(accounts.integer("COYACCT"), 0);
    EXPECT_EQ(accounts.text("FULLCODE"), "1-2-RENT");
    EXPECT_EQ(accounts.text("TYPECODE"), "EXP");
    EXPECT_EQ(accounts.text("RPTCAT"), "O");
    d.deptCode.clear();
    ASSERT_EQ(ledger::updateAccount(accounts, 1, d), ledger::AccountSave::Saved);
    EXPECT_EQ(accounts.text("LINKCODE"), "0");
    EXPECT_EQ(accounts.text("FULLCODE"), "1-RENT");
    EXPECT_EQ(accounts.integer("COYACCT"), 1);
}

struct InUseCase {
    const char* story;
    bool journal;
    bool bank;
    bool inUse;
};

class AccountInUse : public Accounts, public ::testing::WithParamInterface<InUseCase> {};

TEST_P(AccountInUse, KeepsItsDepartment) {
    ASSERT_EQ(add("RENT", "SHOP"), ledger::AccountSave::Saved);
    if (GetParam().journal) journalLine("RENT");
    if (GetParam().bank) bankRow("1-1-RENT");
    EXPECT_EQ(ledger::accountInUse(folder.connection, 1, "RENT", "1-1-RENT"), GetParam().inUse);
    ledger::AccountDetails d;
    d.deptCode = "SALES";
    EXPECT_EQ(ledger::updateAccount(accounts, 1, d), GetParam().inUse
                                                         ? ledger::AccountSave::DepartmentLocked
                                                         : ledger::AccountSave::Saved);
    // Other changes of an account in use are still saved while the department stays.
    d.deptCode = GetParam().inUse ? "SHOP" : "SALES";
    d.descr = "changed";
    EXPECT_EQ(ledger::updateAccount(accounts, 1, d), ledger::AccountSave::Saved);
    EXPECT_EQ(accounts.text("DESCR"), "changed");
    // And it is deleted only while nothing carries it.
    EXPECT_EQ(ledger::deleteAccount(folder.connection, 1, "RENT"),
              GetParam().inUse ? ledger::AccountDelete::InUse : ledger::AccountDelete::Deleted);
    EXPECT_EQ(storedAccounts(), GetParam().inUse ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Ledger, AccountInUse,
    ::testing::Values(InUseCase{"no transactions", false, false, false},
                      InUseCase{"a journal line of the company", true, false, true},
                      InUseCase{"a bank row on its FULLCODE", false, true, true}),
    [](const auto& info) {
        return std::string(info.param.journal ? "Journal" : "") + (info.param.bank ? "Bank" : "") +
               (info.param.inUse ? "" : "None");
    });

TEST_F(Accounts, DeletingNeedsTheCompanysOwnCodeAndAStoreFailureDeletesNothing) {
    ASSERT_EQ(add("RENT"), ledger::AccountSave::Saved);
    EXPECT_EQ(ledger::deleteAccount(folder.connection, 2, "RENT"), ledger::AccountDelete::Missing);
    EXPECT_EQ(ledger::deleteAccount(folder.connection, 1, "  "), ledger::AccountDelete::Missing);
    store::execSql(folder.connection.handle(),
                   "CREATE TRIGGER refuse BEFORE DELETE ON QVAccDet "
                   "BEGIN SELECT RAISE(ABORT, 'locked'); END");
    EXPECT_THROW(ledger::deleteAccount(folder.connection, 1, " RENT "), store::StoreError);
    EXPECT_EQ(storedAccounts(), 1);
    EXPECT_EQ(folder.connection.transactionDepth(), 0);
}

TEST_F(Accounts, AJournalLineOfAnotherCompanyDoesNotCount) {
    ASSERT_EQ(add("RENT"), ledger::AccountSave::Saved);
    store::Table lines(folder.connection, "QVActTr.DBF");
    lines.open();
    lines.append();
    lines.setValue("COYCODE", "2");
    lines.setValue("ACCTCODE", "RENT");
    lines.post();
    EXPECT_FALSE(ledger::accountInUse(folder.connection, 1, "RENT", "1-RENT"));
}

TEST_F(Accounts, EditingTheDescriptionOfAThirtyPercentPrivateAccountKeepsItsShare) {
    ASSERT_EQ(add("CAR"), ledger::AccountSave::Saved);
    store::execSql(folder.connection.handle(),
                   "UPDATE QVACCDET SET DOMESTIC = 1, ALLOCPER = 30, DOMLINK = '0', "
                   "DOMACCT = 'DRAW', DOMDEPT = '0', DOMFULLCOD = '1-DRAW' WHERE ACCTCODE = 'CAR'");
    accounts.refresh();
    ledger::AccountDetails d;
    d.descr = "Car running costs";
    ASSERT_EQ(ledger::updateAccount(accounts, 1, d), ledger::AccountSave::Saved);

    store::Query q(folder.connection);
    q.setSql(
        "SELECT DESCR, DOMESTIC, ALLOCPER, DOMLINK, DOMACCT, DOMDEPT, DOMFULLCOD "
        "FROM QVACCDET WHERE ACCTCODE = 'CAR'");
    q.open();
    EXPECT_EQ(q.text("DESCR"), "Car running costs");
    EXPECT_EQ(q.integer("DOMESTIC"), 1);
    EXPECT_EQ(q.integer("ALLOCPER"), 30);
    EXPECT_EQ(q.text("DOMLINK"), "0");
    EXPECT_EQ(q.text("DOMACCT"), "DRAW");
    EXPECT_EQ(q.text("DOMDEPT"), "0");
    EXPECT_EQ(q.text("DOMFULLCOD"), "1-DRAW");
}

TEST_F(Accounts, BalanceCodeIsWrittenOnlyWhenGiven) {
    ledger::AccountDetails d;
    d.acctCode = "SALES";
    d.balCode = QStringLiteral(" 1-1200 ");
    d.expCode = " 4-1000 ";
    ASSERT_EQ(ledger::addAccount(accounts, 1, d), ledger::AccountSave::Saved);
    EXPECT_EQ(accounts.text("BALCODE"), "1-1200");
    EXPECT_EQ(accounts.text("EXPCODE"), "4-1000");
    d.balCode.reset();
    ASSERT_EQ(ledger::updateAccount(accounts, 1, d), ledger::AccountSave::Saved);
    EXPECT_EQ(accounts.text("BALCODE"), "1-1200");
}

TEST_F(Accounts, PackingNeedsExclusiveUse) {
    EXPECT_FALSE(ledger::packAccounts(folder.connection));  // `accounts` holds the table open
    accounts.close();
    EXPECT_TRUE(ledger::packAccounts(folder.connection));
}

TEST_F(Accounts, CodesListInCodeOrder) {
    add("RENT");
    add("ADVERT", "SHOP");
    add("MOTOR");
    EXPECT_EQ(ledger::accountCodesOf(folder.connection, 1),
              (QStringList{"ADVERT", "MOTOR", "RENT"}));
}

}  // namespace
