// Entering, editing and deleting bank entries in the bank transaction window from the keyboard.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <cmath>

#include "bankentry_window.h"

using namespace bankentry_test;
using banking::EntryType;

class TestBankEntry : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testing_support::useTemporaryHome(); }
    void init() { books = std::make_unique<Books>(); }
    void cleanup() { books.reset(); }

    void aDepositTypedFromTheKeyboardIsSavedWithItsTaxAndShown();
    void cancellingANewEntryLeavesItsNumberUsed();
    void aWithdrawalLowersTheBalance();
    void aTransferWritesTwoRowsAndIsDeletedOnlyFromItsSource();
    void editingAWithdrawalMovesTheBalanceByTheDifference();
    void refusedDeletesChangeNothing_data();
    void refusedDeletesChangeNothing();
    void aNumberInUseIsRefusedWhileTyping();
    void anAmountTheBooksCannotHoldIsNotSaved_data();
    void anAmountTheBooksCannotHoldIsNotSaved();
    void answeringNoToAnOverdraftKeepsEverything_data();
    void answeringNoToAnOverdraftKeepsEverything();
    void interestAndFeesFillSourceAndNarrative_data();
    void interestAndFeesFillSourceAndNarrative();
    void aDepositToAnExpenseAccountCannotBeSaved();
    void functionKeysActAsTheirButtons_data();
    void functionKeysActAsTheirButtons();
    void closingWhileAddingIsRefused();
    void opensOnTheGivenTransaction();
    void savesRefreshTheGridInPlace();

private:
    std::unique_ptr<Books> books;
};

void TestBankEntry::aDepositTypedFromTheKeyboardIsSavedWithItsTaxAndShown() {
    ui::MessageScript script;
    auto w = openWindow();
    QCOMPARE(w->windowTitle(), QStringLiteral(" Bank Transaction maintenance for : Test Traders"));
    QCOMPARE(text(w.get(), "CurrBalEdit"), QStringLiteral("100.00"));
    press(w.get(), Qt::Key_F2);
    QCOMPARE(w->mode(), TQVBankTranForm::Mode::Add);
    QCOMPARE(child<QLabel>(w.get(), "ModePanel")->text(),
             QStringLiteral("Creating new transaction."));
    QCOMPARE(text(w.get(), "TranNumEdit"), QStringLiteral("42"));
    QCOMPARE(books->lastRefNo(), 42);
    QCOMPARE(w->focusWidget(), child(w.get(), "PurposeEdit"));
    QTest::keyClicks(w->focusWidget(), "SALES");
    QCOMPARE(text(w.get(), "ReasonEdit"), QStringLiteral("Sales"));
    QCOMPARE(child<QLabel>(w.get(), "AcctDeptLabel")->text(),
             QStringLiteral("Company level account."));
    type(w.get(), "AmountEdit", "115");
    QCOMPARE(text(w.get(), "TaxEdit"), QStringLiteral("15.00"));
    child<QComboBox>(w.get(), "SourceCombo")->setEditText("EFTPOS");
    press(w.get(), Qt::Key_F4);
    QVERIFY2(script.texts().isEmpty(), qPrintable(script.texts().join("|")));
    QCOMPARE(w->mode(), TQVBankTranForm::Mode::Browse);
    QCOMPARE(child<QLabel>(w.get(), "ModePanel")->text(), QStringLiteral("Browsing transactions."));
    QCOMPARE(text(w.get(), "CurrBalEdit"), QStringLiteral("215.00"));
    QCOMPARE(books->balance(), 215.0);
    QCOMPARE(gridRows(w.get()), 1);
    QCOMPARE(child<ui::DataGrid>(w.get(), "TranGrid")->lazyModel()->textAt(0, 3),
             QStringLiteral("115.00"));
    QCOMPARE(books->number("SELECT GSTAMT FROM QVACTTR WHERE TRANNUM = 42"), 15.0);
    QCOMPARE(books->number("SELECT AMOUNT FROM QVBNKTR WHERE TRANNUM = 42"), 115.0);
    // The saved row is shown again from the books.
    QCOMPARE(text(w.get(), "TaxEdit"), QStringLiteral("15.00"));
    QCOMPARE(child<QComboBox>(w.get(), "SourceCombo")->currentText(), QStringLiteral("EFTPOS"));
}

void TestBankEntry::cancellingANewEntryLeavesItsNumberUsed() {
    ui::MessageScript script;
    auto w = openWindow();
    press(w.get(), Qt::Key_F2);
    press(w.get(), Qt::Key_F5);
    QCOMPARE(w->mode(), TQVBankTranForm::Mode::Browse);
    QCOMPARE(books->lastRefNo(), 42);
    QCOMPARE(books->count("SELECT COUNT(*) FROM QVBNKTR"), 0);
    press(w.get(), Qt::Key_F2);
    QCOMPARE(text(w.get(), "TranNumEdit"), QStringLiteral("43"));
}

void TestBankEntry::aWithdrawalLowersTheBalance() {
    ui::MessageScript script;
    auto w = openWindow();
    press(w.get(), Qt::Key_F2);
    child<QRadioButton>(w.get(), "WithdrawalRadio")->click();
    type(w.get(), "PurposeEdit", "RENT");
    child<QComboBox>(w.get(), "SourceCombo")->setEditText("ATM");
    type(w.get(), "AmountEdit", "50");
    QCOMPARE(text(w.get(), "TaxEdit"), QStringLiteral("6.52"));
    press(w.get(), Qt::Key_F4);
    QVERIFY2(script.texts().isEmpty(), qPrintable(script.texts().join("|")));
    QCOMPARE(books->number("SELECT AMOUNT FROM QVBNKTR"), -50.0);
    QCOMPARE(books->balance(), 50.0);
    QCOMPARE(text(w.get(), "CurrBalEdit"), QStringLiteral("50.00"));
    QCOMPARE(books->number("SELECT AMOUNT FROM QVACTTR WHERE TRANTYPE = 'E'"), 50.0);
}

void TestBankEntry::aTransferWritesTwoRowsAndIsDeletedOnlyFromItsSource() {
    ui::MessageScript script;
    auto w = openWindow();
    press(w.get(), Qt::Key_F2);
    child<QRadioButton>(w.get(), "TransferRadio")->click();
    QVERIFY(child<QWidget>(w.get(), "DestGroup")->isVisible());
    QVERIFY(!child<QWidget>(w.get(), "PurposeRow")->isVisible());
    type(w.get(), "DestBankEdit", kBankB);
    type(w.get(), "DestAcctEdit", kAcctB);
    QCOMPARE(child<QLabel>(w.get(), "DestDescLabel")->text(), QStringLiteral("Savings"));
    QCOMPARE(text(w.get(), "ReasonEdit"), QStringLiteral("Transfer to: 120300 2222222-00"));
    QVERIFY(!child<QPushButton>(w.get(), "SaveButton")->isEnabled());  // no amount yet
    type(w.get(), "AmountEdit", "200");
    press(w.get(), Qt::Key_F4);
    QVERIFY2(script.texts().isEmpty(), qPrintable(script.texts().join("|")));
    QCOMPARE(books->balance(kAcctA), -100.0);
    QCOMPARE(books->balance(kAcctB), 1200.0);
    QCOMPARE(books->count("SELECT COUNT(*) FROM QVBNKTR WHERE TRANTYPE = 'TR'"), 2);
    QCOMPARE(books->count("SELECT TRANNUM FROM QVBNKTR WHERE BANKACCT = '2222222-00'"), 8);
    QCOMPARE(books->count("SELECT COUNT(*) FROM QVACTTR"), 0);

    // From the destination account the transfer cannot be deleted.
    child<ui::Navigator>(w.get(), "AccountNavigator")->nextButton()->click();
    QCOMPARE(text(w.get(), "AcctNoEdit"), kAcctB);
    QCOMPARE(child<QLabel>(w.get(), "BankAcctLabel")->text(), QStringLiteral("To :"));
    QCOMPARE(text(w.get(), "DestAcctEdit"), kAcctA);
    press(w.get(), Qt::Key_F6);
    QCOMPARE(script.texts(), QStringList{"Must delete from the source account!"});
    QCOMPARE(books->count("SELECT COUNT(*) FROM QVBNKTR"), 2);

    // From the source both rows go and both balances return.
    child<ui::Navigator>(w.get(), "AccountNavigator")->firstButton()->click();
    QCOMPARE(child<QLabel>(w.get(), "BankAcctLabel")->text(), QStringLiteral("From :"));
    press(w.get(), Qt::Key_F6);
    QCOMPARE(books->count("SELECT COUNT(*) FROM QVBNKTR"), 0);
    QCOMPARE(books->balance(kAcctA), 100.0);
    QCOMPARE(books->balance(kAcctB), 1000.0);
    QCOMPARE(gridRows(w.get()), 0);
}

void TestBankEntry::editingAWithdrawalMovesTheBalanceByTheDifference() {
    books->post(EntryType::Withdrawal, 50.0, "RENT");
    ui::MessageScript script;
    auto w = openWindow();
    QCOMPARE(text(w.get(), "AmountEdit"), QStringLiteral("50.00"));
    press(w.get(), Qt::Key_F3);
    QCOMPARE(w->mode(), TQVBankTranForm::Mode::Edit);
    QVERIFY(child(w.get(), "TranNumEdit")->isReadOnly());
    QVERIFY(!child<QRadioButton>(w.get(), "DepositRadio")->isEnabled());
    type(w.get(), "AmountEdit", "80");
    QCOMPARE(text(w.get(), "TaxEdit"), QStringLiteral("10.43"));
    press(w.get(), Qt::Key_F4);
    QVERIFY2(script.texts().isEmpty(), qPrintable(script.texts().join("|")));
    QCOMPARE(books->balance(), 20.0);
    QCOMPARE(books->count("SELECT COUNT(*) FROM QVACTTR"), 1);
    QCOMPARE(books->number("SELECT AMOUNT FROM QVACTTR"), 80.0);
    QCOMPARE(books->number("SELECT GSTAMT FROM QVACTTR"), 10.43);
    QCOMPARE(books->number("SELECT AMOUNT FROM QVBNKTR"), -80.0);
}

void TestBankEntry::refusedDeletesChangeNothing_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("message");
    QTest::newRow("reconciled") << "RECONCILED = 1"
                                << "Entry has been reconciled....cannot delete!";
    QTest::newRow("cheque") << "TRANTYPE = 'CHQ'"
                            << "Transaction is a cheque... delete in cheques maintenance!";
}

void TestBankEntry::refusedDeletesChangeNothing() {
    QFETCH(QString, change);
    QFETCH(QString, message);
    books->post(EntryType::Deposit, 60.0, "SALES");
    store::execSql(books->c.handle(), "UPDATE QVBNKTR SET " + change);
    ui::MessageScript script;
    auto w = openWindow();
    press(w.get(), Qt::Key_F6);
    QCOMPARE(script.texts(), QStringList{message});
    QCOMPARE(script.beeps(), 1);
    QCOMPARE(books->count("SELECT COUNT(*) FROM QVBNKTR"), 1);
    QCOMPARE(books->count("SELECT COUNT(*) FROM QVACTTR"), 1);
    QCOMPARE(books->balance(), 160.0);
}

void TestBankEntry::aNumberInUseIsRefusedWhileTyping() {
    const qint64 used = books->post(EntryType::Deposit, 10.0, "SALES");
    ui::MessageScript script;
    auto w = openWindow();
    press(w.get(), Qt::Key_F2);
    type(w.get(), "PurposeEdit", "SALES");
    QVERIFY(child<QPushButton>(w.get(), "SaveButton")->isEnabled());
    type(w.get(), "TranNumEdit", QString::number(used));
    QVERIFY(!child<QPushButton>(w.get(), "SaveButton")->isEnabled());
    QTest::keyClick(child(w.get(), "TranNumEdit"), Qt::Key_Tab);
    QCOMPARE(script.texts(), QStringList{"This transaction number is in use.. enter another."});
    // A number that is no number gets its own words.
    type(w.get(), "TranNumEdit", "12a");
    QVERIFY(!child<QPushButton>(w.get(), "SaveButton")->isEnabled());
    QTest::keyClick(child(w.get(), "TranNumEdit"), Qt::Key_Tab);
    QCOMPARE(
        script.texts().last(),
        QStringLiteral("The transaction number must be a whole number from 1 to 99999999999."));
    type(w.get(), "TranNumEdit", "77");
    QVERIFY(child<QPushButton>(w.get(), "SaveButton")->isEnabled());
}

void TestBankEntry::anAmountTheBooksCannotHoldIsNotSaved_data() {
    QTest::addColumn<bool>("withdrawal");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("message");
    QTest::newRow("no amount") << false << ""
                               << "Transaction amount must be entered!";
    QTest::newRow("a hundred billion") << false << "100000000000.00"
                                       << "Amount too large.";
}

void TestBankEntry::anAmountTheBooksCannotHoldIsNotSaved() {
    QFETCH(bool, withdrawal);
    QFETCH(QString, amount);
    QFETCH(QString, message);
    ui::MessageScript script;
    auto w = openWindow();
    press(w.get(), Qt::Key_F2);
    if (withdrawal) child<QRadioButton>(w.get(), "WithdrawalRadio")->click();
    type(w.get(), "PurposeEdit", withdrawal ? "RENT" : "SALES");
    child<QComboBox>(w.get(), "SourceCombo")->setEditText("Cash");
    type(w.get(), "AmountEdit", amount);
    press(w.get(), Qt::Key_F4);
    QCOMPARE(script.texts(), QStringList{message});
    QCOMPARE(w->mode(), TQVBankTranForm::Mode::Add);
    QCOMPARE(text(w.get(), "AmountEdit"), amount);  // nothing typed is lost
    QCOMPARE(books->count("SELECT COUNT(*) FROM QVBNKTR"), 0);
    QCOMPARE(books->balance(), 100.0);
}

void TestBankEntry::answeringNoToAnOverdraftKeepsEverything_data() {
    QTest::addColumn<bool>("onDelete");
    QTest::newRow("saving a withdrawal of 700 past the limit of 500") << false;
    QTest::newRow("deleting a deposit the balance rests on") << true;
}

void TestBankEntry::answeringNoToAnOverdraftKeepsEverything() {
    QFETCH(bool, onDelete);
    if (onDelete) {
        books->post(EntryType::Deposit, 1000.0, "SALES");
        books->post(EntryType::Withdrawal, 1000.0, "RENT");
    }
    const double before = books->balance();
    const qint64 rows = books->count("SELECT COUNT(*) FROM QVBNKTR");
    const qint64 lines = books->count("SELECT COUNT(*) FROM QVACTTR");
    ui::MessageScript script;
    auto w = openWindow();
    script.answer(ui::MsgAnswer::No);
    if (onDelete) {
        child<ui::Navigator>(w.get(), "TranNavigator")->firstButton()->click();
        press(w.get(), Qt::Key_F6);
        QCOMPARE(script.texts(), QStringList{"Transaction exceeds overdraft limit...proceed?"});
    } else {
        press(w.get(), Qt::Key_F2);
        child<QRadioButton>(w.get(), "WithdrawalRadio")->click();
        type(w.get(), "PurposeEdit", "RENT");
        child<QComboBox>(w.get(), "SourceCombo")->setEditText("ATM");
        type(w.get(), "AmountEdit", "700");
        press(w.get(), Qt::Key_F4);
        QCOMPARE(script.texts(), (QStringList{"Transaction exceeds overdraft limit...proceed?",
                                              "Transaction not saved!"}));
        QCOMPARE(w->mode(), TQVBankTranForm::Mode::Add);
    }
    QCOMPARE(books->balance(), before);
    QCOMPARE(books->count("SELECT COUNT(*) FROM QVBNKTR"), rows);
    QCOMPARE(books->count("SELECT COUNT(*) FROM QVACTTR"), lines);
}

void TestBankEntry::interestAndFeesFillSourceAndNarrative_data() {
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("account");
    QTest::addColumn<double>("signedAmount");
    QTest::newRow("interest") << "InterestRadio"
                              << "INT"
                              << "INTEREST" << 12.34;
    QTest::newRow("fees") << "FeesRadio"
                          << "FEES"
                          << "BANKFEES" << -12.34;
    // Interest may be coded to an expense account.
    QTest::newRow("interest to expense") << "InterestRadio"
                                         << "INT"
                                         << "BANKFEES" << 12.34;
}

void TestBankEntry::interestAndFeesFillSourceAndNarrative() {
    QFETCH(QString, radio);
    QFETCH(QString, source);
    QFETCH(QString, account);
    QFETCH(double, signedAmount);
    ui::MessageScript script;
    auto w = openWindow();
    press(w.get(), Qt::Key_F2);
    child(w.get(), "PurposeEdit")->clear();
    child<QRadioButton>(w.get(), radio.toLatin1())->click();
    auto* combo = child<QComboBox>(w.get(), "SourceCombo");
    QCOMPARE(combo->currentText(), source);
    QVERIFY(!combo->isEnabled());
    QVERIFY(!child<QPushButton>(w.get(), "SaveButton")->isEnabled());
    QVERIFY(!child(w.get(), "AmountEdit")->isVisible());  // until a ledger account is chosen
    type(w.get(), "PurposeEdit", account);
    QVERIFY(child(w.get(), "AmountEdit")->isVisible());
    type(w.get(), "AmountEdit", "12.34");
    press(w.get(), Qt::Key_F4);
    QVERIFY2(script.texts().isEmpty(), qPrintable(script.texts().join("|")));
    QCOMPARE(books->number("SELECT AMOUNT FROM QVBNKTR"), signedAmount);
    QCOMPARE(books->number("SELECT BUSAMT FROM QVACTTR"), 12.34);
    QCOMPARE(books->number("SELECT GSTAMT FROM QVACTTR"), 0.0);
}

void TestBankEntry::aDepositToAnExpenseAccountCannotBeSaved() {
    ui::MessageScript script;
    auto w = openWindow();
    press(w.get(), Qt::Key_F2);
    type(w.get(), "PurposeEdit", "RENT");
    QCOMPARE(child<QLabel>(w.get(), "JournalLabel")->text(),
             QStringLiteral("Journal account for a deposit must be income."));
    QVERIFY(!child<QPushButton>(w.get(), "SaveButton")->isEnabled());
    type(w.get(), "AmountEdit", "10");
    press(w.get(), Qt::Key_F4);
    QCOMPARE(books->count("SELECT COUNT(*) FROM QVBNKTR"), 0);
}

void TestBankEntry::functionKeysActAsTheirButtons_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("mode");
    QTest::addColumn<qint64>("rows");
    using M = TQVBankTranForm::Mode;
    QTest::newRow("F2 adds") << QList<int>{Qt::Key_F2} << int(M::Add) << qint64(1);
    QTest::newRow("F5 cancels") << QList<int>{Qt::Key_F2, Qt::Key_F5} << int(M::Browse)
                                << qint64(1);
    QTest::newRow("F3 edits") << QList<int>{Qt::Key_F3} << int(M::Edit) << qint64(1);
    QTest::newRow("F4 saves an edit")
        << QList<int>{Qt::Key_F3, Qt::Key_F4} << int(M::Browse) << qint64(1);
    QTest::newRow("F4 while browsing does nothing")
        << QList<int>{Qt::Key_F4} << int(M::Browse) << qint64(1);
    QTest::newRow("F6 deletes") << QList<int>{Qt::Key_F6} << int(M::Browse) << qint64(0);
    QTest::newRow("F6 while adding does nothing")
        << QList<int>{Qt::Key_F2, Qt::Key_F6} << int(M::Add) << qint64(1);
}

void TestBankEntry::functionKeysActAsTheirButtons() {
    QFETCH(QList<int>, keys);
    QFETCH(int, mode);
    QFETCH(qint64, rows);
    books->post(EntryType::Deposit, 25.0, "SALES");
    ui::MessageScript script;
    auto w = openWindow();
    for (int key : keys) press(w.get(), Qt::Key(key));
    QCOMPARE(int(w->mode()), mode);
    QCOMPARE(books->count("SELECT COUNT(*) FROM QVBNKTR"), rows);
    QCOMPARE(books->balance(), rows == 1 ? 125.0 : 100.0);
    QVERIFY2(script.texts().isEmpty(), qPrintable(script.texts().join("|")));
}

void TestBankEntry::closingWhileAddingIsRefused() {
    ui::MessageScript script;
    auto w = openWindow();
    press(w.get(), Qt::Key_F2);
    w->close();
    QVERIFY(w->isVisible());
    QCOMPARE(script.texts(), QStringList{"Must save or cancel before exiting!"});
    press(w.get(), Qt::Key_F5);
    child<QPushButton>(w.get(), "ExitButton")->click();
    QVERIFY(!w->isVisible());
}

void TestBankEntry::opensOnTheGivenTransaction() {
    const qint64 first = books->post(EntryType::Deposit, 11.0, "SALES");
    books->post(EntryType::Deposit, 22.0, "SALES");
    ui::MessageScript script;
    auto w = openWindow(false, first);
    QCOMPARE(text(w.get(), "TranNumEdit"), QString::number(first));
    QCOMPARE(text(w.get(), "AmountEdit"), QStringLiteral("11.00"));
    QCOMPARE(child<ui::DataGrid>(w.get(), "TranGrid")->currentRow(), 0);
    auto later = openWindow();
    QCOMPARE(text(later.get(), "AmountEdit"), QStringLiteral("22.00"));
}

// Over more than a page of rows: an edit in the middle, an added entry and a delete each show
// at once in the grid, on the same row, with the balances after every row from the books.
void TestBankEntry::savesRefreshTheGridInPlace() {
    constexpr int kRows = 260;  // a full page and a few rows
    for (int i = 0; i < kRows; ++i) books->post(EntryType::Deposit, 1.0, "INTEREST");
    ui::MessageScript script;
    auto w = openWindow();
    auto* grid = child<ui::DataGrid>(w.get(), "TranGrid");
    const ui::LazyTableModel* model = grid->lazyModel();
    const auto balanceAfter = [&](int row) {
        return books->number(QStringLiteral("SELECT 100 + SUM(AMOUNT) FROM QVBNKTR WHERE rowid "
                                            "<= (SELECT rowid FROM QVBNKTR ORDER BY rowid "
                                            "LIMIT 1 OFFSET %1)")
                                 .arg(row));
    };
    const auto gridAgrees = [&](int rows, int current) {
        QCOMPARE(gridRows(w.get()), rows);
        QCOMPARE(grid->currentRow(), current);
        for (int row : {0, current - 1, current, rows - 1})
            QCOMPARE(model->runningCentsAt(row), std::llround(balanceAfter(row) * 100));
        QCOMPARE(model->runningCentsAt(rows - 1), std::llround(books->balance() * 100));
    };
    grid->setCurrentRow(100);
    press(w.get(), Qt::Key_F3);
    type(w.get(), "AmountEdit", "5");
    press(w.get(), Qt::Key_F4);
    gridAgrees(kRows, 100);
    QCOMPARE(model->textAt(100, 3), QStringLiteral("5.00"));

    press(w.get(), Qt::Key_F2);
    QTest::keyClicks(w->focusWidget(), "INTEREST");
    type(w.get(), "AmountEdit", "7");
    press(w.get(), Qt::Key_F4);
    gridAgrees(kRows + 1, kRows);
    QCOMPARE(model->textAt(kRows, 3), QStringLiteral("7.00"));

    grid->setCurrentRow(100);
    grid->setFocus();
    press(w.get(), Qt::Key_F6);
    gridAgrees(kRows, 100);
    QCOMPARE(model->textAt(100, 3), QStringLiteral("1.00"));
    QVERIFY2(script.texts().isEmpty(), qPrintable(script.texts().join("|")));
}

QTEST_MAIN(TestBankEntry)
#include "tst_bankentry.moc"
