// Opening balances: what the page shows for an account, its arithmetic and the update.
#include "banking/opening_balance.h"
#include "banking/sample_company.h"
#include "store/table.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using banking::OpeningQuestion;
using banking::OpeningState;
using banking::OpeningUpdate;

TEST(OpeningView, ShowsTheOpeningBalanceReadOnlyOnceItIsSet) {
    const QDate today(2025, 6, 30);
    banking::BankAccount a;
    banking::OpeningView v = banking::openingView(a, today);
    EXPECT_EQ(v.state, OpeningState::NoBalance);
    EXPECT_EQ(v.date, today);
    EXPECT_EQ(v.statement, "00.00");
    EXPECT_EQ(v.result, "00.00");
    EXPECT_EQ(v.resultCaption, "Opening Balance :");
    EXPECT_TRUE(v.entryEnabled);
    EXPECT_FALSE(v.updateEnabled);

    a.currBal = -42.5;
    v = banking::openingView(a, today);
    EXPECT_EQ(v.state, OpeningState::CurrentBalance);
    EXPECT_EQ(v.result, "-42.50");
    EXPECT_EQ(v.resultCaption, "Current balance is :");
    EXPECT_FALSE(v.entryEnabled);
    EXPECT_TRUE(v.updateEnabled);

    a.initBal = 850.0;
    v = banking::openingView(a, today);
    EXPECT_EQ(v.state, OpeningState::OpeningBalance);
    EXPECT_EQ(v.result, "850.00");
    EXPECT_EQ(v.resultCaption, "Opening Balance :");
    EXPECT_EQ(v.deposits, "00.00");
    EXPECT_FALSE(v.entryEnabled);
    EXPECT_FALSE(v.updateEnabled);
}

struct ResultCase {
    const char* statement;
    const char* deposits;
    const char* cheques;
    const char* result;  // nullptr: the result stays
};

class OpeningResult : public ::testing::TestWithParam<ResultCase> {};

TEST_P(OpeningResult, IsStatementPlusDepositsMinusCheques) {
    QString deposits = GetParam().deposits, cheques = GetParam().cheques;
    const auto result = banking::openingResult(GetParam().statement, &deposits, &cheques);
    if (!GetParam().result) {
        EXPECT_FALSE(result.has_value());
    } else {
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(*result, GetParam().result);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Opening, OpeningResult,
    ::testing::Values(ResultCase{"1000.00", "250.00", "400.00", "850.00"},
                      ResultCase{"1000", "00.00", "00.00", "1000.00"},
                      ResultCase{"0.1", "0.2", "0", "0.30"},
                      ResultCase{"-100", "", "", "-100.00"},
                      ResultCase{"0", "250.00", "10", "0.00"},
                      ResultCase{"", "250.00", "0", nullptr},
                      ResultCase{"-", "250.00", "0", nullptr},
                      ResultCase{"12a", "0", "0", nullptr}));

TEST(OpeningResultTotals, AnEmptyTotalBecomesNought) {
    QString deposits, cheques = "5";
    EXPECT_EQ(banking::openingResult("20", &deposits, &cheques), QString("15.00"));
    EXPECT_EQ(deposits, "0");
    EXPECT_EQ(cheques, "5");
    EXPECT_TRUE(banking::updateAllowed("15.00"));
    EXPECT_FALSE(banking::updateAllowed("0.00"));
    EXPECT_FALSE(banking::updateAllowed("00.00"));
    EXPECT_FALSE(banking::updateAllowed(""));
}

struct OverdraftCase {
    bool allowOd;
    double odAmount;
    double result;
    const char* question;  // nullptr: none
};

class OpeningOverdraft : public ::testing::TestWithParam<OverdraftCase> {};

TEST_P(OpeningOverdraft, AsksOnlyBeyondWhatTheAccountAllows) {
    banking::BankAccount a;
    a.allowOd = GetParam().allowOd;
    a.odAmount = GetParam().odAmount;
    const auto q = banking::openingOverdraftQuestion(a, GetParam().result);
    if (!GetParam().question) {
        EXPECT_FALSE(q.has_value());
    } else {
        ASSERT_TRUE(q.has_value());
        EXPECT_EQ(*q, GetParam().question);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Opening, OpeningOverdraft,
    ::testing::Values(OverdraftCase{true, 500, -300, nullptr},
                      OverdraftCase{true, 500, -500, nullptr},
                      OverdraftCase{true, 500, -500.01, "Balance exceeds overdraft limit....proceed?"},
                      OverdraftCase{true, 500, -600, "Balance exceeds overdraft limit....proceed?"},
                      OverdraftCase{false, 0, -0.01, "Overdraft not permitted....proceed?"},
                      OverdraftCase{false, 0, -600, "Overdraft not permitted....proceed?"},
                      OverdraftCase{false, 0, 0, nullptr},
                      OverdraftCase{false, 0, 850, nullptr}));

class OpeningUpdateTest : public ::testing::Test {
protected:
    TempDataFolder folder;
    QStringList asked, notices;
    QList<bool> answers;  // taken in order; Yes once empty

    void SetUp() override {
        banking::sample::setCompany(folder.connection, "Kiwi Tiles", "KT", true, 15.0);
        banking::sample::addBank(folder.connection, "030100", "Westpac", "Queen St");
        banking::sample::BankAccountSpec s;
        s.bankCode = "030100";
        s.acctNo = "1111111-00";
        banking::sample::addBankAccount(folder.connection, 1, "KT", s);
        s.acctNo = "2222222-00";
        s.allowOd = true;
        s.odAmount = 500;
        banking::sample::addBankAccount(folder.connection, 1, "KT", s);
    }
    OpeningUpdate update(const QString& acct, double result) {
        return banking::updateOpeningBalance(
            folder.connection, 1, "030100", acct, result, QDate(2025, 4, 1),
            [this](OpeningQuestion, const QString& text) {
                asked << text;
                return answers.isEmpty() ? true : answers.takeFirst();
            },
            [this](const QString& text) { notices << text; });
    }
    double stored(const QString& acct, const QString& field) {
        store::Table t(folder.connection, "QVBnkAct.DBF");
        t.setIndexName("ACCTNO");
        t.open();
        EXPECT_TRUE(t.findKey(acct));
        return t.number(field);
    }
};

TEST_F(OpeningUpdateTest, EightHundredAndFiftyBecomesOpeningInitialAndCurrentBalance) {
    QString deposits = "250.00", cheques = "400.00";
    const QString result = *banking::openingResult("1000.00", &deposits, &cheques);
    ASSERT_EQ(update("1111111-00", result.toDouble()), OpeningUpdate::Saved);
    EXPECT_EQ(asked, QStringList{"Confirm saving opening balances."});
    store::Table other(folder.connection, "QVBnkAct.DBF");
    other.setIndexName("ACCTNO");
    other.open();
    ASSERT_TRUE(other.findKey("1111111-00"));
    for (const char* field : {"OPENBAL", "INITBAL", "CURRBAL"})
        EXPECT_DOUBLE_EQ(other.number(field), 850.0) << field;
    EXPECT_EQ(other.date("STARTDATE"), QDate(2025, 4, 1));
    EXPECT_EQ(other.date("REC_DATE"), QDate(2025, 4, 1));
    EXPECT_EQ(other.integer("RECOK"), 1);
    // The other account is untouched.
    ASSERT_TRUE(other.findKey("2222222-00"));
    EXPECT_EQ(other.number("INITBAL"), 0.0);
    EXPECT_FALSE(other.date("STARTDATE").isValid());
}

TEST_F(OpeningUpdateTest, MinusThreeHundredWithinTheProvisionAsksOnlyToConfirm) {
    ASSERT_EQ(update("2222222-00", -300), OpeningUpdate::Saved);
    EXPECT_EQ(asked, QStringList{"Confirm saving opening balances."});
}

TEST_F(OpeningUpdateTest, MinusSixHundredBeyondTheProvisionAsksAndNoStops) {
    answers = {false};
    ASSERT_EQ(update("2222222-00", -600), OpeningUpdate::Declined);
    EXPECT_EQ(asked, QStringList{"Balance exceeds overdraft limit....proceed?"});
    EXPECT_EQ(stored("2222222-00", "CURRBAL"), 0.0);
}

TEST_F(OpeningUpdateTest, WithoutAProvisionYesWarnsAndStillAsksToConfirm) {
    ASSERT_EQ(update("1111111-00", -20), OpeningUpdate::Saved);
    EXPECT_EQ(asked, (QStringList{"Overdraft not permitted....proceed?",
                                  "Confirm saving opening balances."}));
    EXPECT_EQ(notices, QStringList{"Change account to allow overdraft!"});
    EXPECT_DOUBLE_EQ(stored("1111111-00", "INITBAL"), -20.0);
}

TEST_F(OpeningUpdateTest, NoToTheConfirmationChangesNothing) {
    answers = {false};
    ASSERT_EQ(update("1111111-00", 100), OpeningUpdate::Declined);
    EXPECT_EQ(stored("1111111-00", "OPENBAL"), 0.0);
}

TEST_F(OpeningUpdateTest, AnAccountThatDoesNotExistIsNeverReplacedByAnother) {
    ASSERT_EQ(update("3333333-00", 100), OpeningUpdate::AccountNotFound);
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(stored("1111111-00", "OPENBAL"), 0.0);
    EXPECT_EQ(stored("2222222-00", "OPENBAL"), 0.0);
}

}  // namespace
