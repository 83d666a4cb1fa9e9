// Amounts as the store keeps them: rounded once, exactly, to cents at every size, read back
// from the file with plain SQL; amounts beyond what a field holds are refused.
#include "store/error.h"
#include "store/format.h"
#include "store/table.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <cmath>
#include <limits>

namespace {

struct StoredAmount {
    const char* story;
    double typed;
    double stored;      // the double nearest the two-decimal amount
    const char* shown;  // as reports show it
};

void PrintTo(const StoredAmount& c, std::ostream* os) { *os << c.story; }

// The AMOUNT of every bank row, read from the data file by a connection of its own.
std::vector<double> amountsInFile(const QString& folder) {
    sqlite3* db = nullptr;
    std::vector<double> amounts;
    if (sqlite3_open_v2((folder + "quorvel.db").toUtf8().constData(), &db, SQLITE_OPEN_READONLY,
                        nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT AMOUNT FROM QVBnkTr ORDER BY rowid", -1, &stmt, nullptr);
        while (stmt && sqlite3_step(stmt) == SQLITE_ROW)
            amounts.push_back(sqlite3_column_double(stmt, 0));
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return amounts;
}

class AmountInTheFile : public ::testing::TestWithParam<StoredAmount> {};

TEST_P(AmountInTheFile, IsTheTypedAmountRoundedHalfAwayFromZeroToTheCent) {
    const StoredAmount& c = GetParam();
    TempDataFolder folder;
    {
        store::Table rows(folder.connection, "QVBnkTr.DBF");
        rows.open();
        rows.insert();
        rows.setValue("AMOUNT", c.typed);
        rows.post();
        // Writing back what was read changes nothing: the amount is rounded once.
        rows.edit();
        rows.setValue("AMOUNT", rows.number("AMOUNT"));
        rows.post();
    }
    const std::vector<double> amounts = amountsInFile(folder.path());
    ASSERT_EQ(amounts.size(), 1u);
    EXPECT_EQ(amounts[0], c.stored);
    EXPECT_EQ(store::fmt::money(amounts[0]), QString::fromLatin1(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Store, AmountInTheFile,
    ::testing::Values(
        StoredAmount{"half a cent rounds up", 0.005, 0.01, "0.01"},
        StoredAmount{"minus half a cent rounds down", -0.005, -0.01, "-0.01"},
        StoredAmount{"less than half a cent is nothing", 0.0049, 0.0, "0.00"},
        StoredAmount{"1.005 is not exact in binary", 1.005, 1.01, "1.01"},
        StoredAmount{"nor is 2.675", 2.675, 2.68, "2.68"},
        StoredAmount{"nor minus 2.675", -2.675, -2.68, "-2.68"},
        StoredAmount{"a third", 10.0 / 3.0, 3.33, "3.33"},
        StoredAmount{"five million", 5000000.00, 5000000.00, "5000000.00"},
        StoredAmount{"a cent below five million", 4999999.99, 4999999.99, "4999999.99"},
        StoredAmount{"twelve million odd", 12345678.90, 12345678.90, "12345678.90"},
        StoredAmount{"minus twelve million odd", -12345678.90, -12345678.90, "-12345678.90"},
        StoredAmount{"a half cent in the millions", 1234567.895, 1234567.90, "1234567.90"},
        StoredAmount{"a half cent in the billions", 49999999999.995, 50000000000.00,
                     "50000000000.00"},
        StoredAmount{"the largest amount", 99999999999.99, 99999999999.99, "99999999999.99"},
        StoredAmount{"the largest withdrawal", -99999999999.99, -99999999999.99, "-99999999999.99"},
        StoredAmount{"below half a cent under the largest", 99999999999.994, 99999999999.99,
                     "99999999999.99"}));

struct TooLarge {
    const char* story;
    double typed;
};

void PrintTo(const TooLarge& c, std::ostream* os) { *os << c.story; }

class AmountBeyondTheField : public ::testing::TestWithParam<TooLarge> {};

TEST_P(AmountBeyondTheField, IsRefusedAsTooLargeAndNothingIsStored) {
    TempDataFolder folder;
    store::Table rows(folder.connection, "QVBnkTr.DBF");
    rows.open();
    rows.insert();
    try {
        rows.setValue("AMOUNT", GetParam().typed);
        FAIL() << "accepted";
    } catch (const store::StoreError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Amount too large."));
    }
    rows.cancel();
    EXPECT_TRUE(amountsInFile(folder.path()).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Store, AmountBeyondTheField,
    ::testing::Values(TooLarge{"a hundred billion", 100000000000.00},
                      TooLarge{"a withdrawal of a hundred billion", -100000000000.00},
                      TooLarge{"half a cent over the largest", 99999999999.995},
                      TooLarge{"1e17", 1e17},
                      TooLarge{"infinity", std::numeric_limits<double>::infinity()},
                      TooLarge{"minus infinity", -std::numeric_limits<double>::infinity()}));

TEST(Amounts, NotANumberIsRefusedAndABankBalanceHoldsWhatAnEntryMoves) {
    TempDataFolder folder;
    store::Table accounts(folder.connection, "QVBnkAct.DBF");
    accounts.open();
    accounts.insert();
    EXPECT_THROW(accounts.setValue("CURRBAL", std::nan("")), store::StoreError);
    accounts.setValue("CURRBAL", 99999999999.99);
    accounts.post();
    EXPECT_EQ(accounts.number("CURRBAL"), 99999999999.99);
}

}  // namespace
