// Money, dates and the financial year as reports and windows show them.
#include "store/format.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <optional>

namespace fmt = store::fmt;

namespace {

struct RoundCase {
    double value;
    int decimals;
    double expected;
};

class Rounding : public ::testing::TestWithParam<RoundCase> {};

TEST_P(Rounding, RoundsHalfAwayFromZeroAsTheNumberWasWritten)
{
    EXPECT_EQ(fmt::roundTo(GetParam().value, GetParam().decimals), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Format, Rounding,
    ::testing::Values(RoundCase{2.675, 2, 2.68}, RoundCase{1.005, 2, 1.01},
                      RoundCase{-1.005, 2, -1.01}, RoundCase{1.004999, 2, 1.0},
                      RoundCase{0.125, 2, 0.13}, RoundCase{-0.125, 2, -0.13},
                      RoundCase{2.5, 0, 3.0}, RoundCase{-2.5, 0, -3.0}, RoundCase{0.5, 0, 1.0},
                      RoundCase{1234567.895, 2, 1234567.9}, RoundCase{1.15 * 100, 0, 115.0},
                      RoundCase{-0.004, 2, 0.0}, RoundCase{8.345, 1, 8.3},
                      RoundCase{5000000.00, 2, 5000000.00}, RoundCase{4999999.99, 2, 4999999.99},
                      RoundCase{12345678.90, 2, 12345678.90},
                      RoundCase{99999999999.994, 2, 99999999999.99},
                      RoundCase{-49999999999.995, 2, -50000000000.00}, RoundCase{1e17, 2, 1e17},
                      RoundCase{-1e300, 2, -1e300}));

struct MoneyCase {
    double value;
    const char* money;
    const char* twoDigits;
    qint64 cents;
};

class MoneyText : public ::testing::TestWithParam<MoneyCase> {};

TEST_P(MoneyText, ShowsAmountsWithTwoDecimals)
{
    const MoneyCase& c = GetParam();
    EXPECT_EQ(fmt::money(c.value), QString(c.money));
    EXPECT_EQ(fmt::twoDigits(c.value), QString(c.twoDigits));
    EXPECT_EQ(fmt::cents(c.value), c.cents);
}

INSTANTIATE_TEST_SUITE_P(Format, MoneyText,
                         ::testing::Values(MoneyCase{0.0, "0.00", "00.00", 0},
                                           MoneyCase{-0.0, "0.00", "00.00", 0},
                                           MoneyCase{-0.004, "0.00", "00.00", 0},
                                           MoneyCase{-0.005, "-0.01", "-00.01", -1},
                                           MoneyCase{5.0, "5.00", "05.00", 500},
                                           MoneyCase{-12.5, "-12.50", "-12.50", -1250},
                                           MoneyCase{1234567.891, "1234567.89", "1234567.89",
                                                     123456789},
                                           MoneyCase{2.675, "2.68", "02.68", 268},
                                           MoneyCase{0.07, "0.07", "00.07", 7},
                                           MoneyCase{99.999, "100.00", "100.00", 10000}));

struct HugeCase {
    const char* story;
    double value;
    const char* money;
    std::optional<qint64> checkedCents;
    qint64 cents;
};

void PrintTo(const HugeCase& c, std::ostream* os) { *os << c.story; }

class HugeAmounts : public ::testing::TestWithParam<HugeCase> {};

TEST_P(HugeAmounts, AreShownExactlyAndTheirCentsAreCheckedOrSaturate) {
    const HugeCase& c = GetParam();
    EXPECT_EQ(fmt::money(c.value), QString::fromLatin1(c.money));
    EXPECT_EQ(fmt::checkedCents(c.value), c.checkedCents);
    EXPECT_EQ(fmt::cents(c.value), c.cents);
}

constexpr qint64 kMaxCents = std::numeric_limits<qint64>::max();
constexpr qint64 kMinCents = std::numeric_limits<qint64>::min();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Format, HugeAmounts,
    ::testing::Values(
        HugeCase{"the largest amount a field holds", 99999999999.99, "99999999999.99",
                 9999999999999, 9999999999999},
        HugeCase{"ninety quadrillion still fits in cents", 9e16, "90000000000000000.00",
                 9000000000000000000, 9000000000000000000},
        HugeCase{"1e17 does not", 1e17, "100000000000000000.00", std::nullopt, kMaxCents},
        HugeCase{"nor minus 1e17", -1e17, "-100000000000000000.00", std::nullopt, kMinCents},
        HugeCase{"infinity", kInf, "inf", std::nullopt, kMaxCents},
        HugeCase{"minus infinity", -kInf, "-inf", std::nullopt, kMinCents},
        HugeCase{"not a number", std::nan(""), "nan", std::nullopt, 0}));

TEST(Money, AmountsThatDifferBelowACentAreTheSameMoney)
{
    EXPECT_TRUE(fmt::sameMoney(0.1 + 0.2, 0.3));
    EXPECT_TRUE(fmt::sameMoney(115.0 / (100.0 / 15.0 + 1.0), 15.0));
    EXPECT_TRUE(fmt::sameMoney(100.0, 100.004));
    EXPECT_FALSE(fmt::sameMoney(10.00, 10.01));
    EXPECT_FALSE(fmt::sameMoney(-2.675, 2.675));
}

struct ParseCase {
    const char* text;
    bool ok;
    double value;
};

class MoneyParsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(MoneyParsing, AcceptsOnlyPlainDecimalNumbers)
{
    double value = -777.0;
    EXPECT_EQ(fmt::parseMoney(GetParam().text, &value), GetParam().ok);
    EXPECT_EQ(value, GetParam().ok ? GetParam().value : -777.0);
}

INSTANTIATE_TEST_SUITE_P(Format, MoneyParsing,
                         ::testing::Values(ParseCase{"12", true, 12.0},
                                           ParseCase{"12.5", true, 12.5},
                                           ParseCase{" 1234.56 ", true, 1234.56},
                                           ParseCase{"-3", true, -3.0},
                                           ParseCase{"+4.10", true, 4.1},
                                           ParseCase{".5", true, 0.5},
                                           ParseCase{"", false, 0}, ParseCase{"  ", false, 0},
                                           ParseCase{"abc", false, 0},
                                           ParseCase{"1,2.3", false, 0},
                                           ParseCase{"1,234.56", false, 0},
                                           ParseCase{"12.5.1", false, 0},
                                           ParseCase{"1e3", false, 0},
                                           ParseCase{"-", false, 0}));

struct YearCase {
    QDate today;
    QDate start;
    QDate end;
};

class FinancialYear : public ::testing::TestWithParam<YearCase> {};

TEST_P(FinancialYear, BeginsOnTheFirstOfAprilThatHoldsToday)
{
    const QDate start = fmt::financialYearStart(GetParam().today);
    EXPECT_EQ(start, GetParam().start);
    EXPECT_EQ(fmt::financialYearEnd(start), GetParam().end);
}

INSTANTIATE_TEST_SUITE_P(
    Format, FinancialYear,
    ::testing::Values(YearCase{QDate(2026, 1, 15), QDate(2025, 4, 1), QDate(2026, 3, 31)},
                      YearCase{QDate(2026, 3, 31), QDate(2025, 4, 1), QDate(2026, 3, 31)},
                      YearCase{QDate(2026, 4, 1), QDate(2026, 4, 1), QDate(2027, 3, 31)},
                      YearCase{QDate(2026, 12, 31), QDate(2026, 4, 1), QDate(2027, 3, 31)},
                      // 364 days past a start before a leap day end on 30 March.
                      YearCase{QDate(2027, 6, 1), QDate(2027, 4, 1), QDate(2028, 3, 30)}));

struct LongDateCase {
    QDate date;
    const char* longDate;
    const char* longDate2;
};

class LongDates : public ::testing::TestWithParam<LongDateCase> {};

TEST_P(LongDates, WritesTheMonthInEnglishWhateverTheLocale)
{
    EXPECT_EQ(fmt::longDate(GetParam().date), QString(GetParam().longDate));
    EXPECT_EQ(fmt::longDate2(GetParam().date), QString(GetParam().longDate2));
}

INSTANTIATE_TEST_SUITE_P(
    Format, LongDates,
    ::testing::Values(LongDateCase{QDate(2026, 4, 1), "1 April 2026", "01 April 2026"},
                      LongDateCase{QDate(2024, 2, 9), "9 February 2024", "09 February 2024"},
                      LongDateCase{QDate(), "", ""}));

struct FormatCase {
    const char* localeFormat;
    const char* used;
};

class ShortDateFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(ShortDateFormat, AlwaysShowsFourDigitsOfTheYear)
{
    EXPECT_EQ(fmt::withFourDigitYear(GetParam().localeFormat), QString(GetParam().used));
}

INSTANTIATE_TEST_SUITE_P(Format, ShortDateFormat,
                         ::testing::Values(FormatCase{"d/MM/yy", "d/MM/yyyy"},
                                           FormatCase{"M/d/yy", "M/d/yyyy"},
                                           FormatCase{"dd.MM.yyyy", "dd.MM.yyyy"},
                                           FormatCase{"yy-MM-dd", "yyyy-MM-dd"},
                                           FormatCase{"d MMM y", "d MMM yyyy"},
                                           FormatCase{"d 'day' MM/yy", "d 'day' MM/yyyy"},
                                           FormatCase{"dd/MM", "dd/MM"}));

TEST(ShortDates, ADateWrittenInTheShortFormatReadsBackAsTheSameDate)
{
    for (const QDate& date : {QDate(2026, 4, 1), QDate(1999, 12, 31), QDate(2031, 1, 9)}) {
        const QString text = fmt::shortDate(date);
        EXPECT_TRUE(text.contains(QString::number(date.year()))) << text.toStdString();
        EXPECT_EQ(fmt::parseShortDate(text), date) << text.toStdString();
        EXPECT_EQ(fmt::parseShortDate(" " + text + " "), date);
    }
    EXPECT_FALSE(fmt::parseShortDate("not a date").isValid());
}

}  // namespace
