// The report selection windows and the preview, driven by their controls: default dates,
// the department selector, previewing twice, saving from the preview and printing directly.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "book_fixture.h"
#include "reports/actualincomeexpensediaform.h"
#include "reports/incomeexpensediaform.h"
#include "reports/pageview.h"
#include "reports/profitandlostform.h"
#include "reports/renderer.h"
#include "reports/reportpreview.h"
#include "reports/selection.h"
#include "reports/trialbalanceform.h"
#include "store/format.h"
#include "store/query.h"
#include "support/qt/modalwait.h"
#include "ui/datebox.h"
#include "ui/messages.h"
#include "ui/navigator.h"

using reports::ReportDocument;

class TestReportForms : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void trialBalanceOpensOnTheFinancialYearToDate();
    void previewingTwiceGivesTheSameTrialBalance();
    void thePreviewSavesTextCsvAndPdf_data();
    void thePreviewSavesTextCsvAndPdf();
    void thePreviewSavesASpreadsheetWithFiguresAsNumbers();
    void departmentSelection_data();
    void departmentSelection();
    void printGoesStraightToThePrinter();
    void yearToDateWindowsEmptyTheirWorkTables_data();
    void yearToDateWindowsEmptyTheirWorkTables();
    void thePreviewShowsPagesWhileTheReportIsPrepared_data();
    void thePreviewShowsPagesWhileTheReportIsPrepared();

private:
    QDate from_, to_;
    QTemporaryDir files_;
};

namespace {

template <class T>
T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    if (!c) qFatal("no control %s", name);
    return c;
}

// Clicks a check box on its indicator: a box stretched across the window does not take a
// click in the empty middle.
void clickBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

QString titleOf(const ReportDocument& doc) {
    const auto titles = doc.bandsOf(reports::BandKind::Title);
    return titles.empty() ? QString() : titles[0]->cells.value(0);
}

QStringList lastRow(const ReportDocument& doc) { return doc.bands.back().cells; }

// A report of ten slow steps of a page and a half each, telling how far it got and whether it
// still exists.
struct SlowReportLog {
    int steps = 0;
    bool alive = false;
};

class SlowReport : public reports::StreamedReport {
public:
    explicit SlowReport(SlowReportLog& log) : log_(log) { log_.alive = true; }
    ~SlowReport() override { log_.alive = false; }
    const ReportDocument& document() const override { return doc_; }

protected:
    void begin() override {
        doc_ = ReportDocument{};
        doc_.columns = {{"Row", 60}};
        doc_.addTitle("A slow report");
        doc_.addColumnHeader();
        for (int i = 0; i < 10; ++i) addTask([this] { oneStep(); });
    }
    void finish() override { doc_.addRow(reports::BandKind::Summary, {"The end"}, true); }

private:
    void oneStep() {
        QElapsedTimer busy;
        busy.start();
        while (busy.elapsed() < 40) {
        }  // longer than a slice: one step between events
        for (int i = 0; i < 75; ++i)
            doc_.addRow(reports::BandKind::Detail, {QString::number(log_.steps * 75 + i)});
        ++log_.steps;
    }
    SlowReportLog& log_;
    ReportDocument doc_;
};

// Saves the trial balance from its preview with the given button, to `path`.
void saveFromPreview(const char* button, const QString& path) {
    reports::TTrialBalanceForm form;
    form.coyCode = 1;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto seen = testing_support::whenShown<reports::TReportPreviewForm>(
        [&](reports::TReportPreviewForm* preview) {
            preview->askSaveFile = [&](const QString&, const QString&, const QString&) {
                return path;
            };
            QTest::mouseClick(child<QToolButton>(preview, button), Qt::LeftButton);
            QTest::mouseClick(child<QToolButton>(preview, "CloseButton"), Qt::LeftButton);
        });
    QTest::mouseClick(child<QPushButton>(&form, "PreViewButton"), Qt::LeftButton);
    QVERIFY(seen->seen);
    form.close();
}

QString unzipped(const QString& unzip, const QString& file, const char* part) {
    QProcess p;
    p.start(unzip, {"-p", file, QString::fromLatin1(part)});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

void TestReportForms::initTestCase() {
    testing_support::useTemporaryHome();
    store::Connection c;
    c.connect("NRV");
    testbook::Book book(c);
    book.company("Harbour Cafe");
    book.department(1, "SHOP", "Corner shop");
    book.department(2, "VAN", "Coffee van");
    book.account("SALES", "INC");
    book.account("SHOPSALES", "INC", 1, 0, 1);
    book.account("RENT", "EXP");
    book.bankAccount("1234567-00", "Cheque account", 1000, QDate(2020, 1, 1));
    to_ = QDate::currentDate();
    from_ = store::fmt::financialYearStart(to_);
    book.line({"SALES", from_, 115, {}, 15, "1234567-00"});
    book.line({"SHOPSALES", from_, 46, {}, 6, "1234567-00"});
    book.line({"RENT", from_, 23, {}, 3, {}});
}

void TestReportForms::trialBalanceOpensOnTheFinancialYearToDate() {
    reports::TTrialBalanceForm form;
    form.coyCode = 1;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.windowTitle(), QString("Trial balance for : Harbour Cafe"));
    QCOMPARE(child<ui::DateBox>(&form, "FromDate")->dateValue(), from_);
    QCOMPARE(child<ui::DateBox>(&form, "ToDate")->dateValue(), to_);
    form.close();
}

void TestReportForms::previewingTwiceGivesTheSameTrialBalance() {
    reports::TTrialBalanceForm form;
    form.coyCode = 1;
    std::vector<ReportDocument> shown;
    form.showReport = [&](const ReportDocument& d) { shown.push_back(d); };
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(child<QPushButton>(&form, "PreViewButton"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(&form, "PrintButton"), Qt::LeftButton);
    QCOMPARE(int(shown.size()), 2);
    QCOMPARE(titleOf(shown[0]), QString("Trial Balance for :  Harbour Cafe"));
    // Opening 1000.00; sales 140.00 credit, rent 20.00 debit; cash -23.00 credit; bank 1161.00;
    // tax 21.00 / 3.00; profit 120.00.
    QCOMPARE(lastRow(shown[0]), QStringList({"", "Balances", "1304.00", "1304.00"}));
    QCOMPARE(lastRow(shown[1]), lastRow(shown[0]));
    QCOMPARE(shown[1].bands.size(), shown[0].bands.size());
    form.close();
}

void TestReportForms::thePreviewSavesTextCsvAndPdf_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("text") << "SaveTextButton"
                          << "tb.txt" << QByteArray("Balances");
    QTest::newRow("csv") << "SaveCsvButton"
                         << "tb.csv" << QByteArray(",Balances,1304.00,1304.00");
    QTest::newRow("pdf") << "SavePdfButton"
                         << "tb" << QByteArray("%PDF");
}

void TestReportForms::thePreviewSavesTextCsvAndPdf() {
    QFETCH(QString, button);
    QFETCH(QString, file);
    QFETCH(QByteArray, expected);
    const QString path = files_.filePath(file);
    reports::TTrialBalanceForm form;
    form.coyCode = 1;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    int pages = 0;
    auto seen = testing_support::whenShown<reports::TReportPreviewForm>(
        [&](reports::TReportPreviewForm* preview) {
            pages = preview->pageCount();
            preview->askSaveFile = [&](const QString&, const QString&, const QString&) {
                return path;
            };
            QTest::mouseClick(child<QToolButton>(preview, qPrintable(button)), Qt::LeftButton);
            QTest::mouseClick(child<QToolButton>(preview, "CloseButton"), Qt::LeftButton);
        });
    QTest::mouseClick(child<QPushButton>(&form, "PreViewButton"), Qt::LeftButton);
    QVERIFY(seen->seen);
    QCOMPARE(pages, 1);
    // A name without an extension gets the format's own.
    QFile saved(file == "tb" ? path + ".pdf" : path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    QVERIFY2(bytes.contains(expected), bytes.left(300).constData());
    form.close();
}

void TestReportForms::thePreviewSavesASpreadsheetWithFiguresAsNumbers() {
    const QString unzip = QStandardPaths::findExecutable("unzip");
    if (unzip.isEmpty()) QSKIP("unzip is not installed");
    const QString path = files_.filePath("tb");
    saveFromPreview("SaveXlsxButton", path);
    const QString file = path + ".xlsx";
    const QString sheet = unzipped(unzip, file, "xl/worksheets/sheet1.xml");
    const QString strings = unzipped(unzip, file, "xl/sharedStrings.xml");
    QVERIFY2(strings.contains("Trial Balance for :  Harbour Cafe"), qPrintable(strings));
    QVERIFY(strings.contains("Debits") && strings.contains("Balances"));
    // The totals 1304.00 / 1304.00 are numbers in two-decimal cells, never text.
    const QRegularExpression number(R"(<c r="[CD]\d+" s="\d+"><v>1304</v></c>)");
    int numbers = 0;
    for (auto it = number.globalMatch(sheet); it.hasNext(); it.next()) ++numbers;
    QCOMPARE(numbers, 2);
    QVERIFY(!strings.contains("1304"));
    QVERIFY(unzipped(unzip, file, "xl/styles.xml").contains("formatCode=\"#,##0.00\""));
    // Nothing of the temporary file is left beside the saved one.
    QVERIFY(QDir(files_.path()).entryList({"tb.xlsx.*"}, QDir::Files).isEmpty());
}

void TestReportForms::departmentSelection_data() {
    QTest::addColumn<bool>("tick");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("untickAfter");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("totalIncome");
    const QString whole = "Revenue Statement for :  Harbour Cafe";
    QTest::newRow("whole company") << false << "" << false << "" << whole << "161.00";
    QTest::newRow("ticked: the first department")
        << true << "" << false << "Corner shop" << whole + " and :  Corner shop"
        << "46.00";
    QTest::newRow("typed code") << true << "VAN" << false << "Coffee van"
                                << whole + " and :  Coffee van"
                                << "0.00";
    QTest::newRow("unknown code") << true << "NOPE" << false << "Cannot find this department."
                                  << whole << "161.00";
    QTest::newRow("unticked after choosing")
        << true << "SHOP" << true << "Corner shop" << whole << "161.00";
}

void TestReportForms::departmentSelection() {
    QFETCH(bool, tick);
    QFETCH(QString, typed);
    QFETCH(bool, untickAfter);
    QFETCH(QString, label);
    QFETCH(QString, title);
    QFETCH(QString, totalIncome);
    reports::TProfitandLostForm form;
    form.coyCode = 1;
    ReportDocument shown;
    form.showReport = [&](const ReportDocument& d) { shown = d; };
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.windowTitle(), QString("Revenue statement for : Harbour Cafe"));
    auto* code = child<QLineEdit>(&form, "DeptEdit");
    QVERIFY(!code->isVisible());
    if (tick) {
        clickBox(child<QCheckBox>(&form, "DeptCheckBox"));
        QVERIFY(code->isVisible());
        QCOMPARE(code->text(), QString("SHOP"));
    }
    if (!typed.isEmpty()) {
        code->selectAll();
        QTest::keyClicks(code, typed);
    }
    if (tick) QCOMPARE(child<QLabel>(&form, "DeptNameLabel")->text(), label);
    if (untickAfter) clickBox(child<QCheckBox>(&form, "DeptCheckBox"));
    QTest::mouseClick(child<QPushButton>(&form, "PreViewButton"), Qt::LeftButton);
    QCOMPARE(titleOf(shown), title);
    const auto footers = shown.bandsOf(reports::BandKind::GroupFooter);
    QCOMPARE(int(footers.size()), 2);
    QCOMPARE(footers[0]->cells.value(2), totalIncome);
    form.close();
}

void TestReportForms::printGoesStraightToThePrinter() {
    const QString path = files_.filePath("printed.pdf");
    reports::TProfitandLostForm form;
    form.coyCode = 1;
    bool previewed = false;
    form.showReport = [&](const ReportDocument&) { previewed = true; };
    form.askPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    };
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    clickBox(child<QCheckBox>(&form, "ExcludeTaxCheckBox"));
    QTest::mouseClick(child<QPushButton>(&form, "PrintButton"), Qt::LeftButton);
    QVERIFY(!previewed);
    QFile printed(path);
    QVERIFY(printed.open(QIODevice::ReadOnly));
    QVERIFY(printed.readAll().startsWith("%PDF"));
    form.close();
}

void TestReportForms::yearToDateWindowsEmptyTheirWorkTables_data() {
    QTest::addColumn<bool>("budget");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("tables");
    QTest::newRow("actuals vs budget")
        << true << "Income and expediture (actual/budget) report for : Harbour Cafe"
        << "Company - Actuals vs Budget for:  Harbour Cafe"
        << QStringList{"QVRPTHDR", "XTAB1MTH", "XTAB2MTH"};
    QTest::newRow("actuals to date")
        << false << "Define summarised actual expediture report for : Harbour Cafe"
        << "Income/expenditure summary for:  Harbour Cafe" << QStringList{"QVHDRACT", "XTABACT1"};
}

// The run's rows are gone once the report closes; a new year start moves the end with it.
void TestReportForms::yearToDateWindowsEmptyTheirWorkTables() {
    QFETCH(bool, budget);
    QFETCH(QString, caption);
    QFETCH(QString, title);
    QFETCH(QStringList, tables);
    std::unique_ptr<QWidget> window;
    reports::SelectionForm* form = nullptr;
    if (budget)
        form = new reports::TIncomeExpenseDiaForm;
    else
        form = new reports::TActualIncomeExpenseDiaForm;
    window.reset(form);
    form->coyCode = 1;
    ReportDocument shown;
    form->showReport = [&](const ReportDocument& d) { shown = d; };
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QCOMPARE(form->windowTitle(), caption);
    QTest::mouseClick(child<QPushButton>(form, "PreViewButton"), Qt::LeftButton);
    QCOMPARE(titleOf(shown), title);
    QCOMPARE(int(shown.bandsOf(reports::BandKind::Detail).size()), 3);
    store::Connection c;
    c.connect("NRV");
    for (const QString& t : tables) {
        store::Query q(c);
        q.setSql("SELECT COUNT(*) FROM " + t);
        q.open();
        QCOMPARE(q.number(0), 0.0);
    }
    child<ui::DateBox>(form, "FromDate")->setDateValue(QDate(2024, 4, 1));
    QCOMPARE(child<ui::DateBox>(form, "ToDate")->dateValue(), QDate(2025, 3, 31));
    form->close();
}

void TestReportForms::thePreviewShowsPagesWhileTheReportIsPrepared_data() {
    QTest::addColumn<QString>("ending");
    QTest::newRow("left to finish: the whole report to print") << "finish";
    QTest::newRow("Cancel stops it and closes the preview") << "CancelPreparationButton";
    QTest::newRow("closing the preview stops it") << "CloseButton";
}

void TestReportForms::thePreviewShowsPagesWhileTheReportIsPrepared() {
    QFETCH(QString, ending);
    SlowReportLog log;
    reports::TReportPreviewForm preview;
    preview.prepareWhileShowing(std::make_unique<SlowReport>(log), "Preparing a slow report...");
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QTRY_VERIFY(preview.pageCount() >= 2);
    QVERIFY2(preview.preparing() && log.steps < 10, "the first pages show before the last step");
    QVERIFY(!child<QToolButton>(&preview, "PrintButton")->isEnabled());
    QVERIFY(child<QWidget>(&preview, "PreparationProgress")->isVisible());
    if (ending == "finish") {
        QTRY_VERIFY(!preview.preparing());
        QCOMPARE(log.steps, 10);
        QCOMPARE(lastRow(preview.document), QStringList{"The end"});
        QCOMPARE(preview.pageCount(), reports::pageCount(preview.document));
        QVERIFY(child<QToolButton>(&preview, "PrintButton")->isEnabled());
        QVERIFY(!child<QWidget>(&preview, "PreparationProgress")->isVisible());
        child<QToolButton>(&preview, "LastPageButton")->click();
        QCOMPARE(preview.pageView()->currentPage(), preview.pageCount());
        return;
    }
    QTest::mouseClick(child<QToolButton>(&preview, qPrintable(ending)), Qt::LeftButton);
    QVERIFY(!preview.isVisible());
    QVERIFY2(!log.alive, "the report is gone with its preparation");
    const int stopped = log.steps;
    QTest::qWait(100);  // the event loop runs on: no step of a report that is gone
    QCOMPARE(log.steps, stopped);
    QVERIFY(preview.document.bands.empty());
}

QTEST_MAIN(TestReportForms)
#include "tst_reportforms.moc"
