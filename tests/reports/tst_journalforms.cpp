// The journal report dialog and the bank transaction audit dialog, driven by their controls:
// the from date's tick, the layout the ticks choose, and the audit dialog's days and last from
// date kept in "NRVRpts.ini".
#include <QCheckBox>
#include <QSpinBox>
#include <QtTest>

#include "book_fixture.h"
#include "reports/alljournalentries.h"
#include "reports/reportpreview.h"
#include "reports/transauditdiaform.h"
#include "reports/transauditsettings.h"
#include "store/format.h"
#include "store/inifile.h"
#include "support/qt/modalwait.h"
#include "ui/datebox.h"

using reports::ReportDocument;

class TestJournalForms : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void theTicksChooseTheReportAndItsDates_data();
    void theTicksChooseTheReportAndItsDates();
    void theAuditDialogKeepsItsDaysAndFromDate_data();
    void theAuditDialogKeepsItsDaysAndFromDate();
    void theAuditPreviewPreparesTheReportWhileShowingIt();
};

namespace {

template <class T>
T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    if (!c) qFatal("no control %s", name);
    return c;
}

void clickBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

QString title(const ReportDocument& doc, int i) {
    const auto titles = doc.bandsOf(reports::BandKind::Title);
    return int(titles.size()) > i ? titles[size_t(i)]->cells.value(0) : QString();
}

}  // namespace

void TestJournalForms::initTestCase() {
    testing_support::useTemporaryHome();
    store::Connection c;
    c.connect("NRV");
    testbook::Book book(c);
    book.company("Harbour Cafe");
    book.account("SALES", "INC");
    book.bankAccount("1234567-00", "Cheque account", 1000, QDate(2020, 1, 1));
    book.line({"SALES", QDate::currentDate().addDays(-40), 115, {}, 15, "1234567-00"});
    book.line({"SALES", QDate::currentDate().addDays(-3), 46, {}, 6, "1234567-00"});
}

void TestJournalForms::theTicksChooseTheReportAndItsDates_data() {
    QTest::addColumn<bool>("tickFrom");
    QTest::addColumn<bool>("untickDetails");
    QTest::addColumn<QString>("reportTitle");
    QTest::addColumn<int>("salesLines");
    QTest::newRow("no from date: every line since 1900")
        << false << false << "Income & Expense Report - All Journal Entries" << 2;
    QTest::newRow("from date: the last 30 days")
        << true << false << "Income & Expense Report - All Journal Entries" << 1;
    QTest::newRow("no details: the summary")
        << false << true << "Income & Expense Report - Summary of all Journal Entries" << 0;
}

void TestJournalForms::theTicksChooseTheReportAndItsDates() {
    QFETCH(bool, tickFrom);
    QFETCH(bool, untickDetails);
    QFETCH(QString, reportTitle);
    QFETCH(int, salesLines);
    reports::TAllJournalEntries form;
    form.coyCode = 1;
    ReportDocument shown;
    form.showReport = [&](const ReportDocument& d) { shown = d; };
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.windowTitle(), QString("Cash journal transaction reports for : Harbour Cafe"));
    auto* from = child<ui::DateBox>(&form, "FromDate");
    QVERIFY(!from->isVisible());
    const QDate today = QDate::currentDate();
    QCOMPARE(child<ui::DateBox>(&form, "ToDate")->dateValue(), today);
    if (tickFrom) {
        clickBox(child<QCheckBox>(&form, "FromCheckBox"));
        QVERIFY(from->isVisible());
        QCOMPARE(from->dateValue(), today.addDays(-30));
    }
    if (untickDetails) clickBox(child<QCheckBox>(&form, "DetailsCheckBox"));
    form.PreViewButtonClick();
    QCOMPARE(title(shown, 0), reportTitle);
    const QString dateLabel = tickFrom ? "From : " + store::fmt::shortDate(today.addDays(-30)) +
                                             " to " + store::fmt::shortDate(today)
                                       : "To : " + store::fmt::shortDate(today);
    QCOMPARE(title(shown, 2), dateLabel);
    QCOMPARE(int(shown.bandsOf(reports::BandKind::Detail).size()), salesLines);
    form.close();
}

void TestJournalForms::theAuditDialogKeepsItsDaysAndFromDate_data() {
    QTest::addColumn<QString>("storedDate");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    const QDate march(2026, 3, 1);
    QTest::newRow("a stored date and 7 days")
        << store::fmt::shortDate(march) << march << QDate(2026, 3, 7);
    // Not a date: the dialog opens on today, as it does the first time.
    QTest::newRow("a stored text that is no date")
        << "next Tuesday" << QDate::currentDate() << QDate::currentDate();
}

void TestJournalForms::theAuditDialogKeepsItsDaysAndFromDate() {
    QFETCH(QString, storedDate);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    const QString path = reports::reportSettingsPath();
    store::IniFile(path).writeStrings("QVDetailedTransAuditDiaForm",
                                      {{"Days_Between", "7"}, {"Last_Date", storedDate}});
    TQVDetailedTransAuditDiaForm dialog;
    dialog.titleText = "030100-1234567-00 : Cheque account";
    dialog.acctNo = "1234567-00";
    ReportDocument shown;
    dialog.showReport = [&](const ReportDocument& d) { shown = d; };
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(),
             QString("Bank transaction audit for : 030100-1234567-00 : Cheque account"));
    auto* fromBox = child<ui::DateBox>(&dialog, "FromDate");
    QCOMPARE(fromBox->dateValue(), from);
    QCOMPARE(child<ui::DateBox>(&dialog, "ToDate")->dateValue(), to);

    // Ticked with three days: the to date follows; the report runs to it.
    clickBox(child<QCheckBox>(&dialog, "FromCheckBox"));
    child<QSpinBox>(&dialog, "DaysSpinBox")->setValue(3);
    QCOMPARE(child<ui::DateBox>(&dialog, "ToDate")->dateValue(), from.addDays(2));
    dialog.PreViewButtonClick();
    QCOMPARE(title(shown, 1), QString("Transactions for : 030100-1234567-00 : Cheque account"));
    dialog.close();

    const auto kept = reports::readTransAuditSettings(path);
    QCOMPARE(kept.days, 3);
    QCOMPARE(kept.lastDate, from);
}

// The preview opens on the report still to be read and shows it whole once read.
void TestJournalForms::theAuditPreviewPreparesTheReportWhileShowingIt() {
    TQVDetailedTransAuditDiaForm dialog;
    dialog.titleText = "030100-1234567-00 : Cheque account";
    dialog.acctNo = "1234567-00";
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    if (child<QCheckBox>(&dialog, "FromCheckBox")->isChecked())
        clickBox(child<QCheckBox>(&dialog, "FromCheckBox"));
    child<ui::DateBox>(&dialog, "ToDate")->setDateValue(QDate::currentDate());
    bool streamed = false;
    int details = 0;
    auto preview = testing_support::whenShown<reports::TReportPreviewForm>(
        [&](reports::TReportPreviewForm* p) {
            streamed = p->preparing() || p->document.bands.empty();
            QTRY_VERIFY(!p->preparing());
            details = int(p->document.bandsOf(reports::BandKind::Detail).size());
            p->accept();
        });
    child<QPushButton>(&dialog, "PreViewButton")->click();
    QVERIFY(preview->seen);
    QVERIFY(streamed);
    QCOMPARE(details, 2);
    dialog.close();
}

QTEST_MAIN(TestJournalForms)
#include "tst_journalforms.moc"
