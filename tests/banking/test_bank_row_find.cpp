// What the bank transaction window's find bar looks for, from what is typed.
#include <gtest/gtest.h>

#include "banking/bank_row_find.h"

namespace {

using Kind = banking::RowFind::Kind;

struct Case {
    const char* typed;
    bool found;
    Kind kind;
    qint64 reference;  // -1: not a reference
    qint64 cents;
    QDate date;
    const char* text;
};

class RowFindText : public ::testing::TestWithParam<Case> {};

TEST_P(RowFindText, ReadsNumbersDatesAndNarrative) {
    const Case& c = GetParam();
    const auto f = banking::rowFind(QString::fromUtf8(c.typed), QDate(2026, 12, 9));
    ASSERT_EQ(f.has_value(), c.found) << c.typed;
    if (!f) return;
    EXPECT_EQ(f->kind, c.kind) << c.typed;
    EXPECT_EQ(f->reference.value_or(-1), c.reference) << c.typed;
    EXPECT_EQ(f->cents, c.cents) << c.typed;
    EXPECT_EQ(f->date, c.date) << c.typed;
    EXPECT_EQ(f->text, QString::fromUtf8(c.text)) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Table, RowFindText,
    ::testing::Values(Case{"", false}, Case{"   ", false},
                      Case{"1000042", true, Kind::Number, 1000042, 100004200, {}, ""},
                      Case{" 80 ", true, Kind::Number, 80, 8000, {}, ""},
                      Case{"12.5", true, Kind::Number, -1, 1250, {}, ""},
                      Case{"-50.00", true, Kind::Number, -1, 5000, {}, ""},
                      Case{"$1,234.56", true, Kind::Number, -1, 123456, {}, ""},
                      Case{"1,234,567,890.01", true, Kind::Number, -1, 123456789001, {}, ""},
                      Case{"0.005", true, Kind::Number, -1, 1, {}, ""},
                      Case{"5/12/2026", true, Kind::Date, -1, 0, QDate(2026, 12, 5), ""},
                      Case{"5 Dec", true, Kind::Date, -1, 0, QDate(2026, 12, 5), ""},
                      Case{"31/2/2026", true, Kind::Narrative, -1, 0, {}, "31/2/2026"},
                      Case{"t", true, Kind::Narrative, -1, 0, {}, "t"},
                      Case{"Cafe sales", true, Kind::Narrative, -1, 0, {}, "Cafe sales"},
                      Case{"50% off_", true, Kind::Narrative, -1, 0, {}, "50% off_"}));

// Wildcards typed into the narrative are looked for as themselves.
TEST(RowFindText, NarrativeWildcardsAreEscaped) {
    const auto f = banking::rowFind(QStringLiteral("50% off_"), QDate(2026, 12, 9));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->params().value(QStringLiteral("sFindText")).toString(),
              QStringLiteral("%50\\% off\\_%"));
}

}  // namespace
