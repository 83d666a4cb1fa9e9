// Departments: their numbers, keys and codes as the department page adds them.
#include <gtest/gtest.h>

#include "ledger/accounts.h"
#include "ledger/departments.h"
#include "store/error.h"
#include "store/query.h"
#include "store/table.h"
#include "support/temp_folder.h"

namespace {

ledger::DepartmentDetails details(const QString& code,
                                  const QString& name = QStringLiteral("Dept")) {
    ledger::DepartmentDetails d;
    d.deptCode = code;
    d.busName = name;
    return d;
}

class Departments : public ::testing::Test {
protected:
    TempDataFolder folder;
    store::Table coy{folder.connection, "QVCoy.DBF"};

    void SetUp() override {
        coy.setIndexName("COYCODE");
        coy.open();
        coy.setMasterRange("COYCODE", 1);
    }
    int add(const QString& code) {
        EXPECT_EQ(ledger::addDepartment(coy, 1, "BUS1", details(code)),
                  ledger::DepartmentSave::Saved);
        return int(coy.integer("BRANCH"));
    }
    void removeBranch(int branch) {
        ASSERT_TRUE(coy.locate("BRANCH", branch));
        coy.remove();
    }
};

TEST_F(Departments, TheFirstDepartmentOfCompanyOneIsBranchOneLinkedOneDashOne) {
    EXPECT_EQ(ledger::nextDepartmentNumber(folder.connection, 1), 1);
    ledger::DepartmentDetails d = details("  SALES ", "Sales team");
    d.manFName = " Ann ";
    d.gstEnabled = true;
    ASSERT_EQ(ledger::addDepartment(coy, 1, "BUS1", d), ledger::DepartmentSave::Saved);
    EXPECT_EQ(coy.integer("BRANCH"), 1);
    EXPECT_EQ(coy.text("LINKCODE"), "1-1");
    EXPECT_EQ(coy.text("DEPTCODE"), "SALES");
    EXPECT_EQ(coy.text("BUSCODE"), "BUS1");
    EXPECT_EQ(coy.integer("COYCODE"), 1);
    EXPECT_EQ(coy.text("MANFNAME"), "Ann");
    EXPECT_EQ(coy.integer("GSTENABLED"), 1);
}

TEST_F(Departments, DeletingTheLastDepartmentFreesItsNumber) {
    add("A");
    add("B");
    add("C");
    removeBranch(3);
    EXPECT_EQ(add("D"), 3);
    EXPECT_EQ(coy.text("LINKCODE"), "1-3");
}

TEST_F(Departments, DeletingAMiddleDepartmentLeavesAGap) {
    add("A");
    add("B");
    add("C");
    removeBranch(2);
    EXPECT_EQ(add("D"), 4);
}

TEST_F(Departments, NumbersAreCountedPerCompany) {
    add("A");
    store::Table other(folder.connection, "QVCoy.DBF");
    other.open();
    ASSERT_EQ(ledger::addDepartment(other, 2, "BUS2", details("A")), ledger::DepartmentSave::Saved);
    EXPECT_EQ(other.integer("BRANCH"), 1);
    EXPECT_EQ(other.text("LINKCODE"), "2-1");
    EXPECT_EQ(ledger::nextDepartmentNumber(folder.connection, 1), 2);
}

TEST_F(Departments, CodesAreComparedTrimmedAndRefusedTwiceOrBlank) {
    add("SALES");
    EXPECT_TRUE(ledger::departmentCodeUsed(folder.connection, 1, "  SALES  "));
    EXPECT_FALSE(ledger::departmentCodeUsed(folder.connection, 1, "sales"));
    EXPECT_FALSE(ledger::departmentCodeUsed(folder.connection, 2, "SALES"));
    EXPECT_EQ(ledger::addDepartment(coy, 1, "BUS1", details(" SALES")),
              ledger::DepartmentSave::DuplicateCode);
    EXPECT_EQ(ledger::addDepartment(coy, 1, "BUS1", details("   ")),
              ledger::DepartmentSave::EmptyCode);
    EXPECT_EQ(coy.recordCount(), 1);
}

TEST_F(Departments, FoundByCodeAndByLinkCode) {
    add("SALES");
    add("WORKS");
    const auto works = ledger::findDepartment(folder.connection, 1, " WORKS ");
    ASSERT_TRUE(works.has_value());
    EXPECT_EQ(works->branch, 2);
    EXPECT_EQ(works->linkCode, "1-2");
    EXPECT_FALSE(ledger::findDepartment(folder.connection, 1, "NONE").has_value());
    EXPECT_EQ(ledger::departmentByLinkCode(folder.connection, 1, "1-1")->deptCode, "SALES");
    EXPECT_EQ(ledger::departmentsOf(folder.connection, 1).size(), 2u);
}

TEST_F(Departments, ADepartmentWithAccountsIsReported) {
    add("SALES");
    store::Table accounts(folder.connection, "QVAccDet.DBF");
    accounts.open();
    EXPECT_FALSE(ledger::departmentHasAccounts(folder.connection, 1, "1-1"));
    ledger::AccountDetails a;
    a.acctCode = "RENT";
    a.deptCode = "SALES";
    ASSERT_EQ(ledger::addAccount(accounts, 1, a), ledger::AccountSave::Saved);
    EXPECT_TRUE(ledger::departmentHasAccounts(folder.connection, 1, "1-1"));
    EXPECT_EQ(ledger::departmentHasAccountsText("Sales team"),
              "Cannot Delete!  Department Sales team has accounts.  Remove them first.");
}

TEST_F(Departments, IsDeletedOnlyWithoutAccountsAndNeverByAFailedStore) {
    add("SALES");
    add("WORKS");
    ledger::AccountDetails a;
    a.acctCode = "RENT";
    a.deptCode = "SALES";
    store::Table accounts(folder.connection, "QVAccDet.DBF");
    accounts.open();
    ASSERT_EQ(ledger::addAccount(accounts, 1, a), ledger::AccountSave::Saved);
    const auto stored = [&] {
        store::Query q(folder.connection);
        q.setSql("SELECT GROUP_CONCAT(DEPTCODE) FROM QVCoy");
        q.open();
        return q.value(0).toString();
    };
    EXPECT_EQ(ledger::deleteDepartment(folder.connection, 1, "1-1"),
              ledger::DepartmentDelete::HasAccounts);
    EXPECT_EQ(ledger::deleteDepartment(folder.connection, 2, "1-2"),
              ledger::DepartmentDelete::Missing);
    store::execSql(folder.connection.handle(),
                   "CREATE TRIGGER refuse BEFORE DELETE ON QVCoy "
                   "BEGIN SELECT RAISE(ABORT, 'locked'); END");
    EXPECT_THROW(ledger::deleteDepartment(folder.connection, 1, "1-2"), store::StoreError);
    EXPECT_EQ(stored(), "SALES,WORKS");
    store::execSql(folder.connection.handle(), "DROP TRIGGER refuse");
    EXPECT_EQ(ledger::deleteDepartment(folder.connection, 1, "1-2"),
              ledger::DepartmentDelete::Deleted);
    EXPECT_EQ(stored(), "SALES");
}

TEST(DepartmentSignatory, JoinsTheNamesAsTyped) {
    EXPECT_EQ(ledger::signatory("Ann", "B", "Cole"), "Ann B Cole");
    EXPECT_EQ(ledger::signatory("Ann", "", "Cole"), "Ann  Cole");
}

}  // namespace
