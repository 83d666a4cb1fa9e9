// Payment entry driven from the keyboard: a two-line cheque entered, a line and the payment
// deleted, the close refusal, and the opening-balance mode handing back its sum.
#include <QCheckBox>
#include <QLabel>

#include "banking/bankentry_window.h"
#include "payments/chqentryform.h"
#include "payments/payment_entry.h"

using namespace bankentry_test;

class TestChqEntry : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testing_support::useTemporaryHome(); }
    void init() {
        books = std::make_unique<Books>();
        store::execSql(books->c.handle(), "UPDATE QVBNKACT SET LASTCHQ = 100");
    }
    void cleanup() { books.reset(); }

    void aChequeIsEnteredAndDeletedFromTheKeyboard();
    void theOpeningBalanceModeHandsBackItsSum();
    void theBankWindowEditsAPaymentRowInPaymentEntry();

private:
    std::unique_ptr<TChqEntryForm> open(bool openingBalance = false) {
        auto w = std::make_unique<TChqEntryForm>();
        w->coyCode = QStringLiteral("1");
        if (openingBalance) {
            w->openingBalanceMode = true;
            w->bankCode = kBankB;
            w->acctNo = kAcctB;
        }
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get())) qWarning("window not active");
        return w;
    }
    // An Alt letter presses its button after the button's short press animation.
    static void alt(QWidget* w, Qt::Key key) {
        QTest::keyClick(w->focusWidget(), key, Qt::AltModifier);
        QTest::qWait(150);
    }
    // A line typed into the details group and saved with F4.
    static void line(QWidget* w, const char* account, const char* amount, bool addTax = false) {
        press(w, Qt::Key_F2);
        QTest::keyClicks(w->focusWidget(), QLatin1String(account));
        type(w, "AmountEdit", QLatin1String(amount));
        if (addTax) alt(w, Qt::Key_X);
        press(w, Qt::Key_F4);
    }
    std::unique_ptr<Books> books;
};

void TestChqEntry::aChequeIsEnteredAndDeletedFromTheKeyboard() {
    ui::MessageScript script;
    auto w = open();
    alt(w.get(), Qt::Key_A);
    QCOMPARE(w->mode(), TChqEntryForm::Mode::AddPayment);
    QCOMPARE(text(w.get(), "NumberEdit"), QStringLiteral("42"));  // an electronic transfer
    alt(w.get(), Qt::Key_Q);
    QCOMPARE(text(w.get(), "NumberEdit"), QStringLiteral("101"));  // a cheque
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QCOMPARE(script.texts(), QStringList{"Must save or cancel before exiting!"});
    type(w.get(), "SupplierEdit", "Jo Bloggs");
    QCOMPARE(child<QLabel>(w.get(), "SupplierName")->text(),
             QStringLiteral("Miscellaneous supplier."));
    alt(w.get(), Qt::Key_S);
    QCOMPARE(w->mode(), TChqEntryForm::Mode::Browse);

    line(w.get(), "RENT", "115");
    QCOMPARE(text(w.get(), "NarrativeEdit"), QStringLiteral("Rent"));
    line(w.get(), "MOTOR", "46", true);
    QCOMPARE(text(w.get(), "TaxEdit"), QStringLiteral("6.90"));
    QCOMPARE(script.texts(), QStringList{"Must save or cancel before exiting!"});
    QCOMPARE(text(w.get(), "TotalEdit"), QStringLiteral("167.90"));
    QCOMPARE(text(w.get(), "TaxTotalEdit"), QStringLiteral("21.90"));
    QCOMPARE(child<ui::DataGrid>(w.get(), "LineGrid")->lazyModel()->rowCount(), 2);
    QCOMPARE(books->number("SELECT AMOUNT FROM QVBNKTR WHERE TRANNUM = 101"), -167.90);
    QCOMPARE(books->balance(), -67.90);
    QCOMPARE(books->number("SELECT LASTCHQ FROM QVBNKACT WHERE ACCTNO = '1111111-00'"), 101.0);

    child<ui::DataGrid>(w.get(), "LineGrid")->setCurrentRow(0);
    press(w.get(), Qt::Key_F6);
    QCOMPARE(text(w.get(), "TotalEdit"), QStringLiteral("52.90"));
    QCOMPARE(books->balance(), 47.10);
    alt(w.get(), Qt::Key_D);
    QCOMPARE(books->count("SELECT COUNT(*) FROM QVCHHDR"), 0);
    QCOMPARE(books->count("SELECT COUNT(*) FROM QVACTTR"), 0);
    QCOMPARE(books->balance(), 100.0);
    QCOMPARE(script.texts().size(), 1);
}

void TestChqEntry::theOpeningBalanceModeHandsBackItsSum() {
    ui::MessageScript script;
    auto w = open(true);
    QVERIFY(!child<QPushButton>(w.get(), "ExitButton")->isVisible());
    alt(w.get(), Qt::Key_A);
    QCOMPARE(text(w.get(), "AcctNoEdit"), kAcctB);
    QVERIFY(!child(w.get(), "AcctNoEdit")->isEnabled());
    alt(w.get(), Qt::Key_S);
    line(w.get(), "RENT", "250");
    QCOMPARE(books->balance(kAcctB), 1000.0);
    child<QPushButton>(w.get(), "UpdateBalanceButton")->click();
    QCOMPARE(w->result(), int(QDialog::Accepted));
    QCOMPARE(w->paymentsTotal, 250.0);
    QVERIFY2(script.texts().isEmpty(), qPrintable(script.texts().join("|")));
}

void TestChqEntry::theBankWindowEditsAPaymentRowInPaymentEntry() {
    payments::NewPayment p;
    p.bankCode = kBankA;
    p.acctNo = kAcctA;
    p.type = payments::PayType::Cheque;
    p.date = QDate(2026, 3, 2);
    p.lines = {{QStringLiteral("RENT"), 40.0}};
    const qint64 number = payments::enterPayment(books->c, p, banking::alwaysYes).number;
    books->post(banking::EntryType::Deposit, 10.0, "SALES");  // the payment is not the last row
    ui::MessageScript script;
    auto bank = openWindow();
    auto* grid = child<ui::DataGrid>(bank.get(), "TranGrid");
    grid->setCurrentRow(0);
    qint64 shown = 0;
    auto opened = testing_support::whenShown<TChqEntryForm>([&](TChqEntryForm* w) {
        shown = w->payment() ? w->payment()->tranNum : -1;
        w->close();
    });
    press(bank.get(), Qt::Key_F3);
    QVERIFY(opened->seen);
    QCOMPARE(shown, number);
    QCOMPARE(bank->mode(), TQVBankTranForm::Mode::Browse);
    QCOMPARE(grid->currentRow(), 0);
    QVERIFY2(script.texts().isEmpty(), qPrintable(script.texts().join("|")));
}

QTEST_MAIN(TestChqEntry)
#include "tst_chqentry.moc"
