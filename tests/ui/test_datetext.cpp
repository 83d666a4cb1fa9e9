// Dates as people type them into a date box, read day, month, year, on 9 December 2026.
#include <gtest/gtest.h>

#include "ui/datetext.h"

namespace {

const QDate kToday(2026, 12, 9);

struct Typed {
    const char* text;
    QDate date;  // invalid: refused
};

void PrintTo(const Typed& t, std::ostream* os) { *os << '"' << t.text << '"'; }

class TypedDate : public ::testing::TestWithParam<Typed> {};

TEST_P(TypedDate, ReadsAsTheDateOrIsRefused) {
    const std::optional<QDate> read =
        ui::parseTypedDate(QString::fromUtf8(GetParam().text), kToday);
    if (GetParam().date.isValid()) {
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(*read, GetParam().date);
    } else {
        EXPECT_FALSE(read.has_value()) << qPrintable(read->toString(Qt::ISODate));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, TypedDate,
    ::testing::Values(Typed{"5/12/2026", {2026, 12, 5}}, Typed{"05/12/26", {2026, 12, 5}},
                      Typed{"5-12-26", {2026, 12, 5}}, Typed{"5.12.2026", {2026, 12, 5}},
                      Typed{"05122026", {2026, 12, 5}}, Typed{"051226", {2026, 12, 5}},
                      Typed{"5122026", {2026, 12, 5}}, Typed{"5 Dec 2026", {2026, 12, 5}},
                      Typed{"5 december 26", {2026, 12, 5}}, Typed{"5dec26", {2026, 12, 5}},
                      Typed{"  5 DECEMBER  ", {2026, 12, 5}}, Typed{"5 Dec, 2026", {2026, 12, 5}},
                      // What is left out is this month and this year.
                      Typed{"5", {2026, 12, 5}}, Typed{"28/2", {2026, 2, 28}},
                      Typed{"2802", {2026, 2, 28}}, Typed{"512", {2026, 12, 5}},
                      Typed{"1 apr", {2026, 4, 1}}, Typed{"t", {2026, 12, 9}},
                      Typed{"T", {2026, 12, 9}},
                      // Two-digit years: up to twenty years ahead, otherwise the century before.
                      Typed{"1/1/46", {2046, 1, 1}}, Typed{"1/1/47", {1947, 1, 1}},
                      Typed{"1/1/99", {1999, 1, 1}}, Typed{"1/1/0", {2000, 1, 1}},
                      Typed{"29/2/2028", {2028, 2, 29}},
                      // Refused: impossible dates and texts that are not dates.
                      Typed{"31/2", {}}, Typed{"29/2/2027", {}}, Typed{"0/5", {}}, Typed{"32", {}},
                      Typed{"5/13", {}}, Typed{"5/0/2026", {}}, Typed{"", {}}, Typed{"   ", {}},
                      Typed{"de", {}}, Typed{"5 de", {}}, Typed{"5 xyz", {}}, Typed{"Dec 5", {}},
                      Typed{"5/12/202", {}}, Typed{"5/12/20266", {}}, Typed{"5/12/2026/1", {}},
                      Typed{"12345", {}}, Typed{"123456789", {}}, Typed{"5?12", {}},
                      Typed{"tt", {}}, Typed{"99999999999999999999", {}}, Typed{"5/12/0000", {}}));

}  // namespace
