// The report engine: page breaks, repeated headings, text and CSV saves, and PDF files whose
// pages and text are what the report holds.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "book_fixture.h"
#include "reports/renderer.h"
#include "reports/revenue.h"
#include "reports/trialbalance.h"
#include "reports/writers.h"
#include "reports/xlsxsave.h"
#include "store/error.h"
#include "support/temp_folder.h"

namespace {

reports::ReportDocument listing(int rows, QPageLayout::Orientation orientation) {
    reports::ReportDocument doc;
    doc.orientation = orientation;
    doc.columns = {{"Code", 30}, {"Description", 90}, {"Amount", 30, Qt::AlignRight}};
    doc.addTitle("A listing");
    doc.addColumnHeader();
    for (int i = 0; i < rows; ++i)
        doc.addRow(reports::BandKind::Detail,
                   {QString("A%1").arg(i), QString("Row %1").arg(i), "1.00"});
    doc.addRow(reports::BandKind::Summary, {"", "Total", QString::number(rows) + ".00"}, true,
               true);
    return doc;
}

// The pages laid out while the report is appended band by band, as the preview does while the
// report is still being prepared.
reports::Pagination laidOutWhileAppended(const reports::ReportDocument& whole) {
    reports::ReportDocument growing = whole;
    growing.bands.clear();
    reports::Paginator paginator;
    for (const reports::Band& b : whole.bands) {
        growing.bands.push_back(b);
        paginator.extend(growing, false);
    }
    paginator.extend(growing, true);
    return paginator.pagination();
}

void expectSamePages(const reports::Pagination& a, const reports::Pagination& b) {
    ASSERT_EQ(a.pages.size(), b.pages.size());
    for (size_t i = 0; i < a.pages.size(); ++i) {
        EXPECT_EQ(a.pages[i].bands, b.pages[i].bands) << "page " << i + 1;
        EXPECT_EQ(a.pages[i].repeatHeader, b.pages[i].repeatHeader) << "page " << i + 1;
    }
}

struct PagesCase {
    int rows;
    QPageLayout::Orientation orientation;
    int pages;
};

class PaginationTest : public ::testing::TestWithParam<PagesCase> {};

TEST_P(PaginationTest, rowsFillPagesAndHeadingsRepeat) {
    const PagesCase c = GetParam();
    const reports::ReportDocument doc = listing(c.rows, c.orientation);
    const reports::Pagination p = reports::paginate(doc);
    ASSERT_EQ(int(p.pages.size()), c.pages);
    size_t placed = 0;
    for (size_t i = 0; i < p.pages.size(); ++i) {
        placed += p.pages[i].bands.size();
        EXPECT_EQ(p.pages[i].repeatHeader, i > 0) << "page " << i + 1;
    }
    EXPECT_EQ(placed, doc.bands.size()) << "every band on exactly one page";
    expectSamePages(laidOutWhileAppended(doc), p);
}

// Portrait: 297 - 12 - 14 - 9 = 262 mm for bands; title 8 and heading 7 on the first page,
// rows 5 mm, summary 6: 49 rows fit the first page, 51 each later page.
INSTANTIATE_TEST_SUITE_P(Pages, PaginationTest,
                         ::testing::Values(PagesCase{0, QPageLayout::Portrait, 1},
                                           PagesCase{48, QPageLayout::Portrait, 1},
                                           PagesCase{49, QPageLayout::Portrait, 2},
                                           PagesCase{200, QPageLayout::Portrait, 4},
                                           PagesCase{200, QPageLayout::Landscape, 7}));

TEST(ReportEngine, aHeadingIsNeverLeftAloneAtTheFootOfAPage) {
    reports::ReportDocument doc = listing(48, QPageLayout::Portrait);
    doc.bands.pop_back();
    doc.addSpan(reports::BandKind::GroupHeader, "Next group", true);
    doc.addRow(reports::BandKind::Detail, {"B", "After the heading", "2.00"});
    const reports::Pagination p = reports::paginate(doc);
    ASSERT_EQ(p.pages.size(), 2u);
    EXPECT_EQ(doc.bands[size_t(p.pages[1].bands.front())].cells.value(0), "Next group");
    // Appended one by one, the heading waits for its row before it is placed.
    expectSamePages(laidOutWhileAppended(doc), p);
}

TEST(ReportEngine, formPagesFollowAsPagesOfTheirOwn) {
    reports::ReportDocument doc;
    doc.pageHeader = false;
    doc.formPages.push_back({{{QRectF(20, 30, 60, 8), "Box 5", 10, false, Qt::AlignLeft, true}}});
    doc.formPages.push_back({});
    const reports::Pagination p = reports::paginate(doc);
    ASSERT_EQ(p.pages.size(), 2u);
    EXPECT_EQ(p.pages[0].formPage, 0);
    EXPECT_EQ(p.pages[1].formPage, 1);
}

TEST(ReportEngine, textLinesUpAmountsOnTheRight) {
    reports::ReportDocument doc;
    doc.columns = {{"Code", 20}, {"Amount", 24, Qt::AlignRight}};
    doc.addColumnHeader();
    doc.addRow(reports::BandKind::Detail, {"SALES", "1200.00"});
    doc.addRow(reports::BandKind::Detail, {"RENT", "5.50"});
    const QStringList lines = reports::reportText(doc).split('\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[2], "SALES           1200.00");
    EXPECT_EQ(lines[3], "RENT               5.50");
}

TEST(ReportEngine, csvQuotesFieldsThatNeedIt) {
    reports::ReportDocument doc;
    doc.columns = {{"Code", 20}, {"Description", 40}, {"Amount", 20, Qt::AlignRight}};
    doc.addTitle("Trial Balance for :  Smith, Jones \"& Co\"");
    doc.addRow(reports::BandKind::Detail, {"RENT", "Rent, shop", "5.50"});
    EXPECT_EQ(reports::reportCsv(doc),
              "\"Trial Balance for :  Smith, Jones \"\"& Co\"\"\"\r\nRENT,\"Rent, shop\",5.50\r\n");
}

TEST(ReportEngine, aSaveToAFolderThatDoesNotExistFailsAndLeavesNothing) {
    QTemporaryDir dir;
    for (auto save : {&reports::saveCsv, &reports::saveXlsx}) {
        const QString path = dir.filePath("missing/report");
        EXPECT_THROW(save(listing(3, QPageLayout::Portrait), path), store::StoreError);
        EXPECT_FALSE(QFile::exists(path));
    }
}

// The PDF's page count and text, read back with poppler's tools when they are installed.
class PdfTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    static QString tool(const char* name) {
        return QStandardPaths::findExecutable(QString::fromLatin1(name));
    }
    static QString run(const QString& program, const QStringList& args) {
        QProcess p;
        p.start(program, args);
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    int pdfPages(const QString& file) {
        const QString info = run(tool("pdfinfo"), {file});
        for (const QString& line : info.split('\n'))
            if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
        return -1;
    }
    void SetUp() override {
        if (tool("pdftotext").isEmpty() || tool("pdfinfo").isEmpty())
            GTEST_SKIP() << "poppler-utils is not installed";
    }
};

TEST_F(PdfTest, aLongTrialBalanceHasItsPagesAndReadableText) {
    TempDataFolder folder;
    testbook::Book book(folder.connection);
    book.company("Harbour Cafe");
    for (int i = 0; i < 120; ++i) {
        const QString code = QString("EXP%1").arg(i, 3, 10, QChar('0'));
        book.account(code, "EXP");
        book.line({code, QDate(2025, 6, 1), 10.0 + i, {}, 0, {}});
    }
    reports::TTrialBalanceReport report(folder.connection, 1, QDate(2025, 4, 1), QDate(2026, 3, 31),
                                        {});
    report.runToEnd();
    const reports::ReportDocument doc = report.document();
    ASSERT_GE(reports::pageCount(doc), 3);
    const QString file = dir.filePath("tb.pdf");
    reports::savePdf(doc, file);
    EXPECT_EQ(pdfPages(file), reports::pageCount(doc));
    const QString text = run(tool("pdftotext"), {"-layout", file, "-"});
    EXPECT_TRUE(text.contains("Trial Balance for : Harbour Cafe") ||
                text.contains("Trial Balance for :  Harbour Cafe"))
        << text.left(400).toStdString();
    EXPECT_TRUE(text.contains("EXP119")) << "the last account is on the last page";
    EXPECT_TRUE(text.contains("Balances"));
    EXPECT_TRUE(text.contains("Page No: 3"));
}

TEST_F(PdfTest, aRevenueStatementOnOnePage) {
    TempDataFolder folder;
    testbook::Book book(folder.connection);
    book.company("Harbour Cafe");
    book.account("SALES", "INC");
    book.line({"SALES", QDate(2025, 6, 1), 115, {}, 15, {}});
    reports::TBusinessRevenueReport report(folder.connection, 1, {}, QDate(2025, 4, 1),
                                           QDate(2026, 3, 31), {});
    report.runToEnd();
    const QString file = dir.filePath("revenue.pdf");
    reports::savePdf(report.document(), file);
    EXPECT_EQ(pdfPages(file), 1);
    const QString text = run(tool("pdftotext"), {"-layout", file, "-"});
    EXPECT_TRUE(text.contains("Net revenue")) << text.toStdString();
    EXPECT_TRUE(text.contains("115.00"));
}

}  // namespace
