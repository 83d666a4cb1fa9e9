// The Australian worksheet at 10 %: taxed and untaxed sales and purchases posted through the
// cash rules, with the tax settings missing (a message, "Finalise" disabled, every line counted
// by type alone) and with the four account codes set; finalising stores the net tax.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/shelltest.h"
#include "banking/sample_company.h"
#include "cash/cash_lines.h"
#include "store/query.h"
#include "support/qt/modalwait.h"
#include "tax/ausgstcalcform.h"
#include "tax/gstauditrptform.h"
#include "tax/intsettings.h"
#include "ui/datebox.h"
#include "ui/messages.h"

namespace {

const char* const kLabels[] = {
    "TotSalesEdit",    "ZeroRatedEdit",   "GSTFreeSalesEdit", "InptaxSalesEdit", "SubTot1Edit",
    "TotalSalesEdit",  "AdjustmentsEdit", "SalesTotalEdit",   "SubTot2Edit",     "CapExpEdit",
    "TotGSTCollEdit",  "SubTot3Edit",     "SubTot4Edit",      "PurNoGSTEdit",    "CreditAdjEdit",
    "TotPurNoGSTEdit", "TotPaymentEdit",  "TotExpEdit",       "G19Edit",         "G20Edit"};

QStringList shownLabels(QWidget* w) {
    QStringList out;
    for (const char* name : kLabels) out << w->findChild<QLineEdit*>(name)->text();
    return out;
}

void openOnNovember(TAusGSTCalcForm& w) {
    w.coyCode = 1;
    w.show();
    w.findChild<ui::DateBox*>("StartDate")->setDateValue(QDate(2026, 11, 1));
    w.findChild<QPushButton*>("RecalcButton")->click();
}

}  // namespace

class TestAusGstCalcForm : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void theWorksheetShowsTheLabelsWorkedOutByHand_data();
    void theWorksheetShowsTheLabelsWorkedOutByHand();
    void aTypedAdjustmentThatIsNoNumberIsRefusedAndTheBoxesStay();
    void finalisingStoresTheNetTaxAndTheAuditThenListsNothing();

private:
    std::unique_ptr<shelltest::FreshHome> home_;
};

void TestAusGstCalcForm::init() {
    home_ = std::make_unique<shelltest::FreshHome>();
    store::Connection c;
    c.connect();
    banking::sample::setCompany(c, "Outback Traders", "OT", true, 10.0, "AUS");
    shelltest::setControl({{"GSTPERIOD", 2}});
    struct Account {
        const char* code;
        const char* type;
        bool taxed;
        double amount, tax;
    };
    qint64 number = 1;
    for (const Account& a :
         {Account{"SALES", "INC", true, 1100, 100}, Account{"EXPORT", "INC", false, 500, 0},
          Account{"RENTRES", "INC", false, 200, 0}, Account{"PLANT", "EXP", true, 2200, 200},
          Account{"STOCK", "EXP", true, 330, 30}, Account{"RESCOST", "EXP", true, 110, 10},
          Account{"FEES", "EXP", false, 50, 0}}) {
        banking::sample::LedgerSpec s;
        s.code = a.code;
        s.typeCode = a.type;
        s.gstApplies = a.taxed;
        banking::sample::addLedgerAccount(c, 1, s);
        cash::CashEntry e;
        e.number = number++;
        e.acctCode = a.code;
        e.date = QDate(2026, 11, 10);
        e.narrative = QStringLiteral("November ") + a.code;
        e.amount = a.amount;
        e.tax = a.tax;
        e.companyTaxable = true;
        QVERIFY(cash::saveCashLine(c, e).ok);
    }
}

void TestAusGstCalcForm::cleanup() { home_.reset(); }

void TestAusGstCalcForm::theWorksheetShowsTheLabelsWorkedOutByHand_data() {
    QTest::addColumn<bool>("settings");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("finalise");
    QTest::addColumn<QStringList>("labels");
    // Without codes the export and input-taxed sales are GST-free sales (G3) and the plant a
    // non-capital purchase (G11).
    QTest::newRow("settings missing")
        << false << QStringList{"Please set up your tax.  Settings -> Sales tax."} << false
        << QStringList{"1800.00", "0.00",   "700.00",  "0.00",    "700.00",  "1100.00", "0.00",
                       "1100.00", "100.00", "0.00",    "2640.00", "2640.00", "0.00",    "50.00",
                       "0.00",    "50.00",  "2590.00", "0.00",    "2590.00", "235.45"};
    QTest::newRow("codes set") << true << QStringList{} << true
                               << QStringList{"1800.00", "500.00",  "200.00", "200.00",  "900.00",
                                              "900.00",  "0.00",    "900.00", "81.82",   "2200.00",
                                              "440.00",  "2640.00", "110.00", "50.00",   "0.00",
                                              "160.00",  "2480.00", "0.00",   "2480.00", "225.45"};
}

void TestAusGstCalcForm::theWorksheetShowsTheLabelsWorkedOutByHand() {
    QFETCH(bool, settings);
    QFETCH(QStringList, messages);
    QFETCH(bool, finalise);
    QFETCH(QStringList, labels);
    store::Connection c;
    c.connect();
    if (settings)
        tax::writeIntSettings(c.path(),
                              {"Australia", "GST", "EXPORT", "RENTRES", "PLANT", "RESCOST"});
    ui::MessageScript script;
    TAusGSTCalcForm w;
    openOnNovember(w);
    QCOMPARE(script.texts(), messages);
    QCOMPARE(w.findChild<QPushButton*>("FinaliseButton")->isEnabled(), finalise);
    QCOMPARE(w.windowTitle(), QStringLiteral("G.S.T. calculation worksheet : Outback Traders"));
    QCOMPARE(w.period().end, QDate(2026, 12, 31));
    QCOMPARE(shownLabels(&w), labels);
    w.close();
}

void TestAusGstCalcForm::aTypedAdjustmentThatIsNoNumberIsRefusedAndTheBoxesStay() {
    ui::MessageScript script;
    TAusGSTCalcForm w;
    openOnNovember(w);
    w.findChild<QLineEdit*>("AdjustmentsEdit")->setText("1O0");
    const QStringList before = shownLabels(&w);
    script.clear();
    w.findChild<QPushButton*>("RecalcButton")->click();
    QCOMPARE(script.texts(), QStringList{"'1O0' is not a valid amount."});
    QCOMPARE(shownLabels(&w), before);
    // A typed 0 is taken as 0.
    w.findChild<QLineEdit*>("AdjustmentsEdit")->setText("0");
    w.findChild<QPushButton*>("RecalcButton")->click();
    QCOMPARE(w.findChild<QLineEdit*>("SalesTotalEdit")->text(), QStringLiteral("1100.00"));
    w.close();
}

void TestAusGstCalcForm::finalisingStoresTheNetTaxAndTheAuditThenListsNothing() {
    store::Connection c;
    c.connect();
    tax::writeIntSettings(c.path(), {"Australia", "GST", "EXPORT", "RENTRES", "PLANT", "RESCOST"});
    ui::MessageScript script;
    TAusGSTCalcForm w;
    openOnNovember(w);
    w.findChild<QLineEdit*>("AdjustmentsEdit")->setText("11");
    w.findChild<QPushButton*>("FinaliseButton")->click();
    QCOMPARE(script.texts(),
             QStringList{"This will prevent any further changes to transactions.  Continue?"});

    store::Query q(c);
    q.setSql(
        "SELECT INCOME, ZERORATED, TOTSALES, INCOMEGST, SALEADJGST, GSTCOLLECT, EXPGST, "
        "GSTCREDIT, GSTAMOUNT, REFUND, GSTBEGDATE, GSTENDDATE FROM QVGST");
    q.open();
    QVERIFY(!q.eof());
    // G8 = 900 + 11 = 911, G9 = 82.82; G20 = 225.45; net tax 82.82 - 225.45.
    const QList<double> expected{1800.00, 500.00,  900.00, 82.82,  11.00,
                                 440.00,  2640.00, 110.00, -142.63};
    for (int i = 0; i < expected.size(); ++i) QCOMPARE(q.number(i), expected[i]);
    QCOMPARE(q.integer("REFUND"), 1);
    QCOMPARE(q.date("GSTENDDATE"), QDate(2026, 12, 31));

    bool empty = true;
    auto audit = testing_support::whenShown<TGSTAuditRptForm>([&](TGSTAuditRptForm* a) {
        for (const tax::AuditGroup& g : a->audit().groups) empty = empty && g.lines.empty();
        a->accept();
    });
    w.findChild<QPushButton*>("TransAuditButton")->click();
    QVERIFY(audit->seen);
    QVERIFY(empty);
    w.close();
}

QTEST_MAIN(TestAusGstCalcForm)
#include "tst_ausgstcalcform.moc"
