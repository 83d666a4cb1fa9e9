// The New Zealand return window driven by its controls: the proposed period and its boxes, box 9
// typed and refused, the printed form before and after "Finalise", and a second finalising
// refused.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "reports/book_fixture.h"
#include "store/query.h"
#include "support/qt/modalwait.h"
#include "tax/gstcalcform.h"
#include "ui/datebox.h"
#include "ui/messages.h"

class TestGstCalcForm : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void theProposedPeriodShowsItsBoxesAndTakesBoxNine();
    void aNewStartDateMovesTheEndDate();
    void finalisingStoresWhatThePrintedFormThenShows();

private:
    store::Connection c_;
};

namespace {

template <class T>
T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    if (!c) qFatal("no control %s", name);
    return c;
}

QString box(QWidget* w, const char* name) { return child<QLineEdit>(w, name)->text(); }

void click(QWidget* w, const char* name) {
    QTest::mouseClick(child<QPushButton>(w, name), Qt::LeftButton);
}

std::unique_ptr<TGSTCalcForm> shownReturn() {
    auto w = std::make_unique<TGSTCalcForm>();
    w->coyCode = 1;
    w->today = QDate(2026, 1, 15);
    w->show();
    return w;
}

// Every text of the printed pages.
QStringList pageTexts(const reports::ReportDocument& doc) {
    QStringList texts;
    for (const reports::FormPage& p : doc.formPages)
        for (const reports::FormField& f : p.fields) texts << f.text;
    return texts;
}

}  // namespace

void TestGstCalcForm::initTestCase() {
    testing_support::useTemporaryHome();
    c_.connect("NRV");
    testbook::Book book(c_);
    book.company("Harbour Cafe");
    book.account("SALES", "INC");
    book.account("RENT", "EXP");
    book.bankAccount("1234567-00", "Cheque account", 5000, QDate(2025, 4, 1));
    book.line({"SALES", QDate(2025, 11, 3), 1150.00, {}, 150.00, "1234567-00"});
    book.line({"RENT", QDate(2025, 11, 5), 575.00, {}, 75.00, "1234567-00"});
    book.line({"SALES", QDate(2025, 12, 31), 230.00, {}, 30.00});
}

void TestGstCalcForm::theProposedPeriodShowsItsBoxesAndTakesBoxNine() {
    ui::MessageScript script;
    auto w = shownReturn();
    QCOMPARE(child<ui::DateBox>(w.get(), "StartDate")->dateValue(), QDate(2025, 11, 1));
    QCOMPARE(child<ui::DateBox>(w.get(), "EndDate")->dateValue(), QDate(2025, 12, 31));
    QCOMPARE(child<ui::DateBox>(w.get(), "DueDate")->dateValue(), QDate(2026, 1, 28));
    QCOMPARE(box(w.get(), "TotSalesEdit"), "1380.00");
    QCOMPARE(box(w.get(), "SubTot2Edit"), "180.00");
    QCOMPARE(box(w.get(), "TotExpEdit"), "575.00");
    QCOMPARE(box(w.get(), "TotPaymentEdit"), "105.00");

    child<QLineEdit>(w.get(), "AdjustmentsEdit")->setText("10.00");
    click(w.get(), "CalcButton");
    QCOMPARE(box(w.get(), "TotGSTCollEdit"), "190.00");
    QCOMPARE(box(w.get(), "TotPaymentEdit"), "115.00");

    child<QLineEdit>(w.get(), "AdjustmentsEdit")->setText("ten");
    click(w.get(), "CalcButton");
    QCOMPARE(script.texts().size(), 1);
    QCOMPARE(box(w.get(), "TotPaymentEdit"), "115.00");  // kept
    QVERIFY(!child<QPushButton>(w.get(), "TransAuditButton")->isEnabled());
}

void TestGstCalcForm::aNewStartDateMovesTheEndDate() {
    auto w = shownReturn();
    child<ui::DateBox>(w.get(), "StartDate")->setDateValue(QDate(2025, 12, 1));
    QCOMPARE(child<ui::DateBox>(w.get(), "EndDate")->dateValue(), QDate(2026, 1, 31));
}

void TestGstCalcForm::finalisingStoresWhatThePrintedFormThenShows() {
    ui::MessageScript script;
    auto w = shownReturn();
    reports::ReportDocument printed;
    w->showReturn = [&](const reports::ReportDocument& d) { printed = d; };
    click(w.get(), "PrintReturnButton");
    QCOMPARE(printed.formPages.size(), size_t(1));
    QVERIFY(!pageTexts(printed).contains("$1380.00"));  // not finalised: no figures

    click(w.get(), "FinaliseButton");  // "Yes" to the question
    QVERIFY(script.texts().first().startsWith("This will prevent any further changes"));
    store::Query q(c_);
    q.setSql("SELECT COUNT(*), SUM(GSTAMOUNT), MAX(REFUND) FROM QVGST");
    q.open();
    QCOMPARE(q.number(0), 1.0);
    QCOMPARE(q.number(1), 105.00);
    QCOMPARE(q.number(2), 0.0);

    click(w.get(), "PrintReturnButton");
    QVERIFY(pageTexts(printed).contains("$1380.00"));
    QVERIFY(pageTexts(printed).contains("$105.00"));

    script.clear();
    click(w.get(), "FinaliseButton");
    QVERIFY(script.texts().last().contains("already been finalised"));
}

QTEST_MAIN(TestGstCalcForm)
#include "tst_gstcalcform.moc"
