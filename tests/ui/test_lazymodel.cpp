// A grid model that reads its rows a page at a time.
#include <gtest/gtest.h>

#include <QColor>
#include <set>

#include "store/error.h"
#include "store/format.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"
#include "support/temp_folder.h"
#include "ui/lazymodel.h"

namespace {

constexpr int kCompanies = 3000;

QString busCode(int n) { return QStringLiteral("B%1").arg(n, 5, 10, QLatin1Char('0')); }

const QList<ui::ColumnSpec> kCoyColumns{
    {"BUSCODE", "Code", {}, Qt::AlignLeft | Qt::AlignVCenter},
    {"BUSNAME", "Business", {}, Qt::AlignLeft | Qt::AlignVCenter},
    {"COYCODE", "Company", {}, Qt::AlignRight | Qt::AlignVCenter},
};

// 3000 companies appended out of code order, so that append order and tag order differ.
class LazyModelOverTable : public ::testing::Test {
protected:
    void SetUp() override {
        store::Table coy(folder.connection, "QVCoy.DBF");
        coy.open();
        store::Transaction tx(folder.connection);
        for (int i = 0; i < kCompanies; ++i) {
            const int n = (i * 7919) % kCompanies;  // 7919 is prime to 3000: each n once
            coy.append();
            coy.setValue("COYCODE", n % 100);
            coy.setValue("BUSCODE", busCode(n));
            coy.setValue("BUSNAME", QStringLiteral("Business %1").arg(n));
            coy.post();
        }
        tx.commit();
        table.setIndexName("BUSCODE");
        table.open();
        table.first();
    }

    TempDataFolder folder;
    store::Table table{folder.connection, "QVCoy.DBF"};
};

TEST_F(LazyModelOverTable, OpensByCountingWithoutReadingRows) {
    ui::LazyTableModel model(folder.connection, table, kCoyColumns);
    EXPECT_EQ(model.rowCount(), kCompanies);
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.rowsFetched(), 0);
}

TEST_F(LazyModelOverTable, LastRowReadsOnlyItsOwnPage) {
    ui::LazyTableModel model(folder.connection, table, kCoyColumns);
    EXPECT_EQ(model.data(model.index(kCompanies - 1, 0)).toString(), busCode(kCompanies - 1));
    EXPECT_EQ(model.data(model.index(kCompanies - 1, 1)).toString(), "Business 2999");
    EXPECT_EQ(model.rowsFetched(), kCompanies % ui::LazyTableModel::kPageSize);
}

class LazyModelRows : public LazyModelOverTable, public ::testing::WithParamInterface<int> {};

TEST_P(LazyModelRows, RowsComeInTagOrderShadedByRecordNumber) {
    const int row = GetParam();
    ui::LazyTableModel model(folder.connection, table, kCoyColumns);
    EXPECT_EQ(model.data(model.index(row, 0)).toString(), busCode(row));
    EXPECT_EQ(model.data(model.index(row, 2)).toString(), QString::number(row % 100));
    // Record numbers count from 1: records 1, 3, 5 ... are the rows 0, 2, 4 ...
    const QColor expected = row % 2 == 0 ? QColor(0xA6, 0xCA, 0xF0) : QColor(Qt::white);
    EXPECT_EQ(model.data(model.index(row, 1), Qt::BackgroundRole).value<QColor>(), expected);
}

INSTANTIATE_TEST_SUITE_P(Lazy, LazyModelRows, ::testing::Values(0, 1, 255, 256, 257, 1500, 2999));

TEST_F(LazyModelOverTable, RowIdMatchesTheTableRecordAtThatPosition) {
    ui::LazyTableModel model(folder.connection, table, kCoyColumns);
    ASSERT_TRUE(table.findKey(busCode(1234)));
    EXPECT_EQ(table.position(), 1235);
    EXPECT_EQ(model.rowIdAt(1234), table.rowId());
    EXPECT_EQ(model.rowIdAt(kCompanies), 0);
    EXPECT_EQ(model.rowIdAt(-1), 0);
}

TEST_F(LazyModelOverTable, ReloadShowsADeletedRecordGone) {
    ui::LazyTableModel model(folder.connection, table, kCoyColumns);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), busCode(0));

    table.first();
    table.remove();
    EXPECT_EQ(model.rowCount(), kCompanies);  // until told, the model keeps what it read

    model.reload();
    EXPECT_EQ(model.rowCount(), kCompanies - 1);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), busCode(1));
}

TEST_F(LazyModelOverTable, ReloadFollowsTheTablesFilter) {
    ui::LazyTableModel model(folder.connection, table, kCoyColumns);
    table.setFilter("COYCODE = :coy", {{"coy", 7}});
    model.reload();
    EXPECT_EQ(model.rowCount(), kCompanies / 100);
    EXPECT_EQ(model.data(model.index(1, 0)).toString(), busCode(107));
}

TEST_F(LazyModelOverTable, PagesReadOnceStayCached) {
    ui::LazyTableModel model(folder.connection, table, kCoyColumns);
    for (int pass = 0; pass < 2; ++pass) {
        for (int row = 0; row < kCompanies; ++row) model.data(model.index(row, 0));
    }
    EXPECT_EQ(model.rowsFetched(), kCompanies);
}

TEST_F(LazyModelOverTable, UnknownFieldIsRefused) {
    EXPECT_THROW(ui::LazyTableModel(folder.connection, table, {{"NOSUCH", "x", {}, {}}}),
                 store::StoreError);
}

// A million generated rows: the grid must open at once and never read them all.
const QString kMillion = QStringLiteral(
    "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < :top)\n"
    "SELECT x AS NUM, x / 4.0 AS AMOUNT FROM n");

TEST(LazyModelOverQuery, MillionRowsOpenAndScrollToTheEndReadingOnePage) {
    TempDataFolder folder;
    ui::LazyTableModel model(folder.connection, kMillion, {{"top", 1000000}},
                             {{"NUM", "No.", {}, {}}, ui::moneyColumn("AMOUNT", "Amount")});
    ASSERT_EQ(model.rowCount(), 1000000);
    EXPECT_EQ(model.data(model.index(999999, 0)).toString(), "1000000");
    EXPECT_EQ(model.data(model.index(999999, 1)).toString(), "250000.00");
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), "0.25");
    // The last page holds the 64 rows past the last full page; the first page is full.
    EXPECT_EQ(model.rowsFetched(),
              1000000 % ui::LazyTableModel::kPageSize + ui::LazyTableModel::kPageSize);
    EXPECT_EQ(model.data(model.index(0, 1), Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(model.rowIdAt(0), 0);  // a query has no row ids
}

TEST(LazyModelOverQuery, LeastRecentlyUsedPageIsDroppedFirst) {
    TempDataFolder folder;
    ui::LazyTableModel model(folder.connection, kMillion, {{"top", 100000}},
                             {{"NUM", "No.", {}, {}}});
    const int page = ui::LazyTableModel::kPageSize;
    for (int p = 0; p < ui::LazyTableModel::kCachedPages; ++p) model.data(model.index(p * page, 0));
    model.data(model.index(0, 0));  // page 0 is now the most recent
    const qint64 before = model.rowsFetched();

    model.data(model.index(ui::LazyTableModel::kCachedPages * page, 0));  // evicts page 1
    model.data(model.index(0, 0));
    EXPECT_EQ(model.rowsFetched(), before + page);
    model.data(model.index(page, 0));
    EXPECT_EQ(model.rowsFetched(), before + 2 * page);
}

TEST(LazyModelOverQuery, ValueAtReadsColumnsThatAreNotShown) {
    TempDataFolder folder;
    ui::LazyTableModel model(folder.connection, kMillion, {{"top", 10}}, {{"NUM", "No.", {}, {}}});
    EXPECT_DOUBLE_EQ(model.valueAt(3, "amount").toDouble(), 1.0);
    EXPECT_FALSE(model.valueAt(10, "NUM").isValid());
}

struct CellCase {
    const char* name;
    QVariant value;
    QString (*format)(const QVariant&);
    QString expected;
};

class LazyCellText : public ::testing::TestWithParam<CellCase> {};

TEST_P(LazyCellText, ValueShowsAsExpected) {
    EXPECT_EQ(GetParam().format(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lazy, LazyCellText,
    ::testing::Values(CellCase{"MoneyRoundsToCents", 12.345, ui::moneyText, "12.35"},
                      CellCase{"MoneyNegative", -7.5, ui::moneyText, "-7.50"},
                      CellCase{"MoneyNullIsBlank", QVariant(), ui::moneyText, ""},
                      CellCase{"MoneyEmptyTextIsBlank", QString(), ui::moneyText, ""},
                      CellCase{"DateFromIsoText", QString("2024-04-01"), ui::dateText,
                               store::fmt::shortDate(QDate(2024, 4, 1))},
                      CellCase{"DateFromDate", QDate(2023, 12, 31), ui::plainText,
                               store::fmt::shortDate(QDate(2023, 12, 31))},
                      CellCase{"DateBlank", QString(), ui::dateText, ""},
                      CellCase{"PlainNumber", 42, ui::plainText, "42"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

// Pages read by key from a neighbour above or below, by a seek from either end and at the
// ends themselves hold the rows and running balances of the plain ordered query, ties on the
// tag broken by append order, and no page is read twice or in part.
struct KeysetCase {
    const char* name;
    const char* tag;     // COYCODE holds each of its 100 values 30 times
    const char* filter;  // a range the keyset must keep to
};

class LazyModelKeyset : public LazyModelOverTable,
                        public ::testing::WithParamInterface<KeysetCase> {};

TEST_P(LazyModelKeyset, PagesInAnyOrderHoldTheRowsOfThePlainOrderedQuery) {
    const KeysetCase c = GetParam();
    table.setIndexName(c.tag);
    if (*c.filter) table.setFilter(c.filter);
    const QString where = *c.filter ? QStringLiteral(" WHERE ") + c.filter : QString();
    const QString order = *c.tag ? QStringLiteral(" ORDER BY %1, rowid").arg(c.tag)
                                 : QStringLiteral(" ORDER BY rowid");
    store::Query q(folder.connection);
    q.setSql("SELECT rowid, COYCODE FROM QVCoy" + where + order);
    q.open();
    std::vector<qint64> ids, codes;
    for (; !q.eof(); q.next()) {
        ids.push_back(q.value(0).toLongLong());
        codes.push_back(q.value(1).toLongLong());
    }
    QList<ui::ColumnSpec> columns = kCoyColumns;
    columns << ui::runningColumn("COYCODE", "Balance");
    ui::LazyTableModel model(folder.connection, table, columns);
    ASSERT_EQ(model.rowCount(), int(ids.size()));
    model.setRunningEnd(100000000);
    const int last = model.rowCount() - 1;
    const int page = ui::LazyTableModel::kPageSize;
    std::set<int> pagesRead;
    qint64 expectedRows = 0;
    // Middle from the start, middle from the end, the last row, the first, a neighbour below
    // and above a cached page, and a page between two summed ones.
    for (int row : {last / 2, last * 3 / 4, last, 0, last / 2 + page, last / 2 - page, last / 4}) {
        SCOPED_TRACE(row);
        if (pagesRead.insert(row / page).second)
            expectedRows += std::min(page, last + 1 - row / page * page);
        EXPECT_EQ(model.rowIdAt(row), ids[size_t(row)]);
        qint64 after = 0;
        for (size_t j = size_t(row) + 1; j < codes.size(); ++j) after += codes[j] * 100;
        EXPECT_EQ(model.runningCentsAt(row), 100000000 - after);
    }
    EXPECT_EQ(model.rowsFetched(), expectedRows);
}

INSTANTIATE_TEST_SUITE_P(
    Lazy, LazyModelKeyset,
    ::testing::Values(KeysetCase{"TiesOnTheTag", "COYCODE", ""}, KeysetCase{"AppendOrder", "", ""},
                      KeysetCase{"TiesWithinAFilter", "COYCODE", "COYCODE BETWEEN 10 AND 69"},
                      KeysetCase{"UniqueTag", "BUSCODE", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LazyModelOverTable, ReloadAfterAKnownChangeShowsTheNewRowWithoutCounting) {
    ui::LazyTableModel model(folder.connection, table, kCoyColumns);
    store::Table coy(folder.connection, "QVCoy.DBF");
    coy.open();
    coy.append();
    coy.setValue("BUSCODE", "Z0000");
    coy.post();
    model.reloadChanged(1);
    ASSERT_EQ(model.rowCount(), kCompanies + 1);
    EXPECT_EQ(model.textAt(kCompanies, 0), "Z0000");
    EXPECT_EQ(model.textAt(kCompanies - 1, 0), busCode(kCompanies - 1));
    table.findKey("Z0000");
    EXPECT_EQ(model.rowOfTableRecord(), kCompanies);
}
