// The cash windows driven by their controls: entering a cash transaction with its proposed tax,
// attaching detail lines to a deposit with "Select", and leaving a withdrawal's details.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "banking/banktranform.h"
#include "banking/journal_rules.h"
#include "cash/cash_lines.h"
#include "cash/cashtranform.h"
#include "cash/cshtrnform.h"
#include "reports/book_fixture.h"
#include "store/query.h"
#include "support/qt/controls.h"
#include "support/qt/modalwait.h"
#include "ui/messages.h"

class TestCashWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void aCashSaleIsSavedWithItsProposedTax();
    void selectAttachesLinesToADepositUntilTheValueWouldGoNegative();
    void aWithdrawalWithAPositiveValueCannotBeLeft();
    void miscInTheBankWindowPostsTheSelectedLinesAsOneDeposit();

private:
    store::Connection c_;
};

namespace {

using testing_support::child;
using testing_support::click;

void detailLine(store::Connection& c, const QString& acct, double amount) {
    cash::CashEntry e;
    e.kind = cash::CashKind::DetailLine;
    e.number = cash::nextDetailLineNumber(c, 1);
    e.acctCode = acct;
    e.date = QDate(2026, 5, 1);
    e.amount = amount;
    const cash::CashResult r = cash::saveCashLine(c, e);
    if (!r.ok) qFatal("detail line not saved");
}

void clearCashLines(store::Connection& c) {
    store::Table t(c, "QVActTr.DBF");
    t.open();
    while (!t.isEmpty()) {
        t.first();
        t.remove();
    }
}

// The details window of a new entry, shown.
std::unique_ptr<TQVCshTrnForm> detailsOf(cash::BankSide side) {
    auto w = std::make_unique<TQVCshTrnForm>();
    w->coyCode = 1;
    w->acctNo = "1234567-00";
    w->reference = 1000001;
    w->side = side;
    w->bnkLinkNo = banking::entryBnkLinkNo("030100", "1234567-00", 1000001);
    w->bnkTrnLnk = banking::entryBnkTrnLnk("030100", "1234567-00", 1000001, 1);
    w->show();
    return w;
}

}  // namespace

void TestCashWindows::initTestCase() {
    testing_support::useTemporaryHome();
    c_.connect("NRV");
    testbook::Book book(c_);
    book.company("Harbour Cafe");
    book.account("SALES", "INC");
    book.account("RENT", "EXP");
    book.bankAccount("1234567-00", "Cheque account", 1000, QDate(2020, 1, 1));
}

void TestCashWindows::aCashSaleIsSavedWithItsProposedTax() {
    clearCashLines(c_);
    ui::MessageScript script;
    TQVCashTranForm w;
    w.coyCode = 1;
    w.show();
    QVERIFY(w.windowTitle().startsWith("Cash transactions of :  Harbour Cafe"));
    click(&w, "NewButton");
    QTest::keyClicks(child<QLineEdit>(&w, "AcctEdit"), "sales");
    auto* amount = child<QLineEdit>(&w, "AmountEdit");
    amount->selectAll();
    QTest::keyClicks(amount, "115");
    QCOMPARE(child<QLineEdit>(&w, "TaxEdit")->text(), QString("15.00"));
    click(&w, "SaveButton");
    QVERIFY2(script.texts().isEmpty(), qPrintable(script.texts().join('|')));

    store::Query q(c_);
    q.setSql("SELECT TRANNUM, AMOUNT, GSTAMT, BUSAMT, REASON, TRANTYPE FROM QVACTTR");
    q.open();
    QVERIFY(!q.eof());
    QCOMPARE(q.integer("TRANNUM"), 1);
    QCOMPARE(q.number("AMOUNT"), 115.0);
    QCOMPARE(q.number("GSTAMT"), 15.0);
    QCOMPARE(q.number("BUSAMT"), 115.0);
    QCOMPARE(q.text("REASON"), QString("CSH"));
    QCOMPARE(q.text("TRANTYPE"), QString("I"));
    click(&w, "ExitButton");
    QVERIFY(!w.isVisible());
}

void TestCashWindows::selectAttachesLinesToADepositUntilTheValueWouldGoNegative() {
    clearCashLines(c_);
    detailLine(c_, "RENT", 100);
    detailLine(c_, "RENT", 30);
    detailLine(c_, "SALES", 100);  // listed last: shown first
    ui::MessageScript script;
    auto w = detailsOf(cash::BankSide::Deposit);
    click(w.get(), "SelectButton");  // income 100
    click(w.get(), "SelectButton");  // expense 30
    QCOMPARE(child<QLabel>(w.get(), "SelectedLabel")->text(), QString("70.00"));
    click(w.get(), "SelectButton");  // expense 100: refused
    QCOMPARE(script.texts(),
             QStringList{"This transaction will result in a negative amount.  Select an income "
                         "transaction."});
    QCOMPARE(w->incomeSum(), 100.0);
    QCOMPARE(w->expenseSum(), 30.0);
    // The refused line (line 1) is still listed.
    QCOMPARE(cash::nextDetailLineNumber(c_, 1), 2);
    click(w.get(), "ExitButton");
    QVERIFY(!w->isVisible());
}

void TestCashWindows::aWithdrawalWithAPositiveValueCannotBeLeft() {
    clearCashLines(c_);
    detailLine(c_, "SALES", 20);
    ui::MessageScript script;
    auto w = detailsOf(cash::BankSide::Withdrawal);
    click(w.get(), "SelectButton");
    click(w.get(), "ExitButton");
    QCOMPARE(script.texts(),
             QStringList{"You cannot exit. The value of the transation is positive. It is a "
                         "withdrawal."});
    QVERIFY(w->isVisible());
}

void TestCashWindows::miscInTheBankWindowPostsTheSelectedLinesAsOneDeposit() {
    clearCashLines(c_);
    detailLine(c_, "RENT", 30);
    detailLine(c_, "SALES", 100);
    ui::MessageScript script;
    TQVBankTranForm w;
    w.coyCode = "1";
    w.show();
    click(&w, "NewButton");
    auto* details = child<QCheckBox>(&w, "HasDetailsCheck");
    QTest::mouseClick(details, Qt::LeftButton, {}, QPoint(6, details->height() / 2));
    QVERIFY(details->isChecked());
    const auto seen = testing_support::whenShown<TQVCshTrnForm>([](TQVCshTrnForm* d) {
        click(d, "SelectButton");  // income 100
        click(d, "SelectButton");  // expense 30
        click(d, "ExitButton");
    });
    QVERIFY2(child<QPushButton>(&w, "MiscButton")->isEnabled(),
             qPrintable(child<QLabel>(&w, "ModePanel")->text() + "|" + script.texts().join('|')));
    click(&w, "MiscButton");
    QVERIFY(seen->seen);
    QVERIFY2(script.texts().isEmpty(), qPrintable(script.texts().join('|')));

    store::Query row(c_);
    row.setSql("SELECT AMOUNT, CSHACCDET, SOURCE, BNKTRNLNK FROM QVBNKTR WHERE TRANTYPE = 'DEP'");
    row.open();
    QVERIFY(!row.eof());
    QCOMPARE(row.number("AMOUNT"), 70.0);
    QCOMPARE(row.integer("CSHACCDET"), 1);
    QCOMPARE(row.text("SOURCE"), QString("DETAILS"));
    store::Query lines(c_);
    lines.setSql("SELECT COUNT(*) FROM QVACTTR WHERE BNKTRNLNK = :k");
    lines.bind("k", row.text("BNKTRNLNK") + "-1");
    lines.open();
    QCOMPARE(lines.value(0).toLongLong(), 2);
    QCOMPARE(child<QLabel>(&w, "ModePanel")->text(), QString("Browsing transactions."));
}

QTEST_MAIN(TestCashWindows)
#include "tst_cashwindows.moc"
