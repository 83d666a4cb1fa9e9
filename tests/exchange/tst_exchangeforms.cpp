// The export and import windows driven by their controls: default dates, the messages of a
// failed and a successful export, the copy, the file checks of the import and its error log.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "app/commands.h"
#include "ui/folderchooser.h"
#include "exchange/exportnrvform.h"
#include "exchange/importnrvform.h"
#include "reports/book_fixture.h"
#include "support/qt/controls.h"
#include "support/qt/modalwait.h"
#include "ui/datebox.h"
#include "ui/messages.h"

class TestExchangeForms : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void datesStartOnTheFirstOfAprilAndRunAYear();
    void exportRefusesWithoutAFormatOrCodes();
    void anEmptyPeriodFailsWithoutSayingComplete();
    void aSuccessfulExportCompletesAndCopies();
    void importChecksTheFileNamesAndShowsItsLog();
    void theMainWindowCommandsOpenBothWindows();

private:
    store::Connection c_;
};

namespace {

using testing_support::child;
using testing_support::click;

// An export window over the book, shown, for the period of the book's entries.
std::unique_ptr<TExportNRVForm> exportWindow(int format, const QDate& from = QDate(2025, 5, 1)) {
    auto w = std::make_unique<TExportNRVForm>();
    w->today = QDate(2025, 6, 30);
    w->show();
    w->startDate()->setDateValue(from);
    w->endDate()->setDateValue(from.addMonths(2));
    child<QComboBox>(w.get(), "FormatList")->setCurrentIndex(format);
    return w;
}

}  // namespace

void TestExchangeForms::initTestCase() {
    testing_support::useTemporaryHome();
    c_.connect("NRV");
    testbook::Book book(c_);
    book.company("Harbour Cafe");
    book.account("SALES", "INC");
    book.account("RENT", "EXP");
    book.bankAccount("1234567-00", "Cheque account", 1000, QDate(2020, 1, 1));
    book.line({"SALES", QDate(2025, 6, 2), 115, {}, 15, "1234567-00"});
    book.line({"RENT", QDate(2025, 6, 3), 57.5, {}, 7.5, "1234567-00"});
}

void TestExchangeForms::datesStartOnTheFirstOfAprilAndRunAYear() {
    TExportNRVForm w;
    w.today = QDate(2025, 2, 10);
    w.show();
    QCOMPARE(w.startDate()->dateValue(), QDate(2024, 4, 1));
    QCOMPARE(w.endDate()->dateValue(), QDate(2025, 2, 10));
    w.startDate()->setDateValue(QDate(2025, 4, 1));
    QCOMPARE(w.endDate()->dateValue(), QDate(2026, 3, 31));
    QVERIFY(!child<QGroupBox>(&w, "CodeGroup")->isVisible());
    QVERIFY(!child<QGroupBox>(&w, "CopyPanel")->isVisible());
    QCOMPARE(child<QComboBox>(&w, "FormatList")->currentIndex(), -1);
}

void TestExchangeForms::exportRefusesWithoutAFormatOrCodes() {
    ui::MessageScript script;
    TExportNRVForm w;
    w.show();
    click(&w, "ExportButton");
    QCOMPARE(script.texts(), QStringList{"Please select an export format."});
    auto myob = exportWindow(3);
    QVERIFY(child<QGroupBox>(myob.get(), "CodeGroup")->isVisible());
    QVERIFY(!child<QCheckBox>(myob.get(), "BalanceCheck")->isVisible());
    click(myob.get(), "ExportButton");
    QCOMPARE(script.texts().last(), QString("You must enter Cheque and Bank account codes."));
    QVERIFY(child<QPushButton>(myob.get(), "ExportButton")->isEnabled());
    auto accomplish = exportWindow(5);
    QVERIFY(!child<QLineEdit>(accomplish.get(), "CodeEdit1")->isVisible());
    child<QCheckBox>(accomplish.get(), "BalanceCheck")->setChecked(true);
    QVERIFY(child<QLineEdit>(accomplish.get(), "CodeEdit1")->isVisible());
    click(accomplish.get(), "ExportButton");
    QCOMPARE(script.texts().last(), QString("You must enter Receipts and Payments account codes."));
}

void TestExchangeForms::anEmptyPeriodFailsWithoutSayingComplete() {
    ui::MessageScript script;
    auto w = exportWindow(0, QDate(2030, 1, 1));
    click(w.get(), "ExportButton");
    QCOMPARE(script.texts(),
             (QStringList{"Not able to build the transactions record. Or there are no entries in "
                          "the selected period.",
                          "Export failed."}));
    QVERIFY(!child<QPushButton>(w.get(), "ExportButton")->isEnabled());
    QVERIFY(child<QPushButton>(w.get(), "ExitButton")->isEnabled());
    QVERIFY(!child<QGroupBox>(w.get(), "CopyPanel")->isVisible());
}

void TestExchangeForms::aSuccessfulExportCompletesAndCopies() {
    ui::MessageScript script;
    auto w = exportWindow(0);
    click(w.get(), "ExportButton");
    QCOMPARE(script.texts(), QStringList{"Export is complete."});
    QVERIFY(child<QGroupBox>(w.get(), "CopyPanel")->isVisible());
    QCOMPARE(child<QLabel>(w.get(), "CopyFilesLabel")->text(),
             QString("Copying NRVExp.txt and NRVBnk.txt"));
    QTemporaryDir stick;
    w->findChild<ui::MediaFolderChooser*>()->setFolder(stick.path());
    click(w.get(), "CopyButton");
    QVERIFY(QFile::exists(stick.filePath("NRVExp.txt")));
    QVERIFY(QFile::exists(stick.filePath("NRVBnk.txt")));
    QVERIFY(!child<QGroupBox>(w.get(), "CopyPanel")->isVisible());
}

void TestExchangeForms::importChecksTheFileNamesAndShowsItsLog() {
    ui::MessageScript script;
    TImportNRVForm w;
    QStringList answers{"/tmp/Other.txt", ""};
    QStringList titles;
    w.chooseFile = [&](QWidget*, const QString& title, const QString&) {
        titles << title;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    };
    w.show();
    QCOMPARE(child<QLabel>(&w, "CompanyLabel")->text(), QString("Company : HC Harbour Cafe"));
    click(&w, "ImportButton");
    QCOMPARE(titles, (QStringList{"Open journal  NRVExp.txt File", "Open bank  NRVBnk.txt File"}));
    QCOMPARE(script.texts(),
             (QStringList{"Journal import file must be named NRVExp.txt", "Import failed."}));

    // The book's own export, read back into the same book: every line is already there.
    script.clear();
    auto ex = exportWindow(0);
    click(ex.get(), "ExportButton");
    const QString folder = c_.path();
    answers = QStringList{folder + "NRVExp.txt", folder + "NRVBnk.txt"};
    script.clear();
    click(&w, "ImportButton");
    QCOMPARE(script.texts().size(), 1);
    QVERIFY2(script.texts().first().startsWith("Import succeeded. There were  "),
             qPrintable(script.texts().first()));
    auto log = testing_support::whenShown<TErrorLogForm>([](TErrorLogForm* f) {
        QVERIFY(f->grid()->rowCount() >= 2);
        QCOMPARE(f->grid()->item(0, 0)->text(), QString("1"));
        QVERIFY(f->grid()->item(f->grid()->rowCount() - 1, 1)->text().startsWith("Total errors. "));
        f->reject();
    });
    click(&w, "ErrorLogButton");
    QVERIFY(log->seen);
}

void TestExchangeForms::theMainWindowCommandsOpenBothWindows() {
    int coy = 0;
    auto ex = testing_support::whenShown<TExportNRVForm>([&](TExportNRVForm* f) {
        coy = f->coyCode;
        f->reject();
    });
    app::commands::openExport(nullptr, 1);
    QVERIFY(ex->seen);
    QCOMPARE(coy, 1);
    auto im = testing_support::whenShown<TImportNRVForm>([](TImportNRVForm* f) { f->reject(); });
    app::commands::openQuorvelImport(nullptr);
    QVERIFY(im->seen);
}

QTEST_MAIN(TestExchangeForms)
#include "tst_exchangeforms.moc"
