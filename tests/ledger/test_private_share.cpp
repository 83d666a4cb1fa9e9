// The private share an account stores for what its "Private use" group holds.
#include <gtest/gtest.h>

#include "ledger/accounts.h"
#include "ledger/private_share.h"
#include "store/query.h"
#include "store/table.h"
#include "support/temp_folder.h"

namespace {

using ledger::PrivateShareFields;
using ledger::PrivateShareRefusal;
using ledger::PrivateTarget;

const PrivateTarget kHome{"HOME", "1-2", "2", "1-2-HOME", false};
const PrivateTarget kDrawings{"DRAWINGS", "0", "0", "1-DRAWINGS", false};
const PrivateTarget kCar{"CAR", "0", "0", "1-CAR", true};

struct Case {
    const char* story;
    int percent;
    const char* acctCode;
    std::optional<PrivateTarget> target;
    PrivateShareRefusal refusal;
    PrivateShareFields fields;
};

class PrivateShare : public ::testing::TestWithParam<Case> {};

TEST_P(PrivateShare, GivesTheStoredFields) {
    const Case& c = GetParam();
    const auto r = ledger::privateShareFields({c.percent, QString::fromLatin1(c.acctCode)},
                                              QStringLiteral("PHONE"), 1, c.target);
    EXPECT_EQ(r.refusal, c.refusal) << c.story;
    EXPECT_EQ(r.fields, c.fields) << c.story;
}

INSTANTIATE_TEST_SUITE_P(
    Table, PrivateShare,
    ::testing::Values(
        Case{"0 % is no private share", 0, "", std::nullopt, PrivateShareRefusal::None, {}},
        Case{"30 % to a department's account",
             30,
             "HOME",
             kHome,
             PrivateShareRefusal::None,
             {1, 30, "1-2", "HOME", "2", "1-2-HOME"}},
        Case{"30 % to a company level account takes the company's link",
             30,
             "DRAWINGS",
             kDrawings,
             PrivateShareRefusal::None,
             {1, 30, "1", "DRAWINGS", "0", "1-DRAWINGS"}},
        Case{"100 % is wholly private",
             100,
             "HOME",
             kHome,
             PrivateShareRefusal::None,
             {1, 100, "1-2", "HOME", "2", "1-2-HOME"}},
        Case{"a percent with no account keeps the share on no account",
             30,
             "",
             std::nullopt,
             PrivateShareRefusal::None,
             {1, 30}},
        Case{"above 100 %", 101, "HOME", kHome, PrivateShareRefusal::PercentOutOfRange, {}},
        Case{"below 0 %", -1, "", std::nullopt, PrivateShareRefusal::PercentOutOfRange, {}},
        Case{"an account but 0 %", 0, "HOME", kHome, PrivateShareRefusal::NoPercent, {}},
        Case{"an account the company lacks",
             30,
             "NOPE",
             std::nullopt,
             PrivateShareRefusal::UnknownAccount,
             {}},
        Case{"the account itself",
             30,
             "phone",
             PrivateTarget{"PHONE", "0", "0", "1-PHONE"},
             PrivateShareRefusal::OwnAccount,
             {}},
        Case{"an account that is itself private",
             30,
             "CAR",
             kCar,
             PrivateShareRefusal::PrivateAccount,
             {}}));

// A refused private share writes nothing; an edit that leaves the group out keeps the share.
TEST(PrivateShareSave, RefusalWritesNothingAndLaterSavesKeepTheShare) {
    TempDataFolder folder;
    store::Table accounts(folder.connection, "QVAccDet.DBF");
    accounts.setIndexName("COYCODE");
    accounts.open();
    ledger::AccountDetails home;
    home.acctCode = "HOME";
    ASSERT_EQ(ledger::addAccount(accounts, 1, home), ledger::AccountSave::Saved);

    ledger::AccountDetails phone;
    phone.acctCode = "PHONE";
    phone.privateUse = ledger::PrivateUse{30, "PHONE"};
    ledger::PrivateShareRefusal why{};
    EXPECT_EQ(ledger::addAccount(accounts, 1, phone, &why),
              ledger::AccountSave::PrivateShareRefused);
    EXPECT_EQ(why, PrivateShareRefusal::OwnAccount);
    EXPECT_FALSE(ledger::accountCodeUsed(folder.connection, 1, "PHONE"));

    phone.privateUse = ledger::PrivateUse{30, "HOME"};
    ASSERT_EQ(ledger::addAccount(accounts, 1, phone), ledger::AccountSave::Saved);
    phone.privateUse.reset();
    phone.descr = "Phone and internet";
    ASSERT_EQ(ledger::updateAccount(accounts, 1, phone), ledger::AccountSave::Saved);

    store::Query q(folder.connection);
    q.setSql(
        "SELECT DOMESTIC, ALLOCPER, DOMLINK, DOMACCT, DOMDEPT, DOMFULLCOD, DESCR "
        "FROM QVACCDET WHERE ACCTCODE = 'PHONE'");
    q.open();
    EXPECT_EQ(q.integer("DOMESTIC"), 1);
    EXPECT_EQ(q.integer("ALLOCPER"), 30);
    EXPECT_EQ(q.text("DOMLINK"), "1");
    EXPECT_EQ(q.text("DOMACCT"), "HOME");
    EXPECT_EQ(q.text("DOMDEPT"), "0");
    EXPECT_EQ(q.text("DOMFULLCOD"), "1-HOME");
    EXPECT_EQ(q.text("DESCR"), "Phone and internet");
}

}  // namespace
