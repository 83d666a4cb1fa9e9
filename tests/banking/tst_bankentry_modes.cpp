// The bank transaction window's other modes: deposits not on statement for the opening-balance
// page, the details of an entry with several lines, the refusals of a company with one
// account, the running balance and finding a row.
#include "bankentry_window.h"

#include "banking/depositdetailsform.h"
#include "store/format.h"
#include "ui/datebox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

using namespace bankentry_test;
using banking::EntryType;

class TestBankEntryModes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testing_support::useTemporaryHome(); }
    void init() { books = std::make_unique<Books>(); }
    void cleanup() { books.reset(); }

    void depositsNotOnStatementReturnTheirTotalAndLeaveTheBalance_data();
    void depositsNotOnStatementReturnTheirTotalAndLeaveTheBalance();
    void removingADetailLineMovesRowAndBalanceOnce_data();
    void removingADetailLineMovesRowAndBalanceOnce();
    void aReconciledEntryKeepsItsDetails();
    void aTransferNeedsASecondAccount();
    void aChequeSourceNeedsTheWithdrawalType();
    void theRunningBalanceFollowsAnEditAndADelete();
    void findGoesForwardAndBackward();

private:
    qint64 detailsEntry();
    std::unique_ptr<Books> books;
};

void TestBankEntryModes::depositsNotOnStatementReturnTheirTotalAndLeaveTheBalance_data() {
    QTest::addColumn<bool>("update");
    QTest::addColumn<double>("total");
    QTest::newRow("UpDate Balance") << true << 155.0;
    QTest::newRow("Cancel") << false << 0.0;
}

void TestBankEntryModes::depositsNotOnStatementReturnTheirTotalAndLeaveTheBalance() {
    QFETCH(bool, update);
    QFETCH(double, total);
    ui::MessageScript script;
    auto w = openWindow(true);
    QCOMPARE(w->windowTitle(), QStringLiteral(" Entering deposits not on statement for : Test Traders"));
    QVERIFY(!child<QWidget>(w.get(), "TypeGroup")->isVisible());
    QVERIFY(!child<QWidget>(w.get(), "ExitButton")->isVisible());
    QVERIFY(!child(w.get(), "BankCodeEdit")->isEnabled());
    for (const char* amount : {"100", "55"}) {
        press(w.get(), Qt::Key_F2);
        QCOMPARE(child<ui::DateBox>(w.get(), "TranDateEdit")->dateValue(), QDate::currentDate());
        type(w.get(), "PurposeEdit", "SALES");
        child<QComboBox>(w.get(), "SourceCombo")->setEditText("Cash");
        type(w.get(), "AmountEdit", amount);
        press(w.get(), Qt::Key_F4);
    }
    QVERIFY2(script.texts().isEmpty(), qPrintable(script.texts().join("|")));
    QCOMPARE(text(w.get(), "TotalEdit"), QStringLiteral("155.00"));
    QCOMPARE(books->balance(), 100.0);
    child<QPushButton>(w.get(), update ? "UpdateBalanceButton" : "CancelModeButton")->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(w->result(), int(update ? QDialog::Accepted : QDialog::Rejected));
    QCOMPARE(w->depositsTotal, total);
    // The rows are the deposits: saved whichever button closed the window.
    QCOMPARE(books->count("SELECT COUNT(*) FROM QVBNKTR"), 2);
}

qint64 TestBankEntryModes::detailsEntry() {
    return banking::sample::addEntryWithDetails(
        books->c, 1, kBankA, kAcctA, EntryType::Deposit, QDate(2026, 3, 3), "Market day",
        {{"SALES", 100.0, "Stall"}, {"SALES", 50.0, "Classes"}, {"RENT", 20.0, "Stall fee"}});
}

void TestBankEntryModes::removingADetailLineMovesRowAndBalanceOnce_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<double>("rowAmount");
    QTest::addColumn<QString>("total");
    // 100 + 50 − 20 = 130 on a balance of 100.
    QTest::newRow("an income line") << 1 << 80.0 << "Total Transactions : 80.00";
    // Removing an expense line takes its amount off the row as well; the total rises to 150 and
    // the row then takes the total as its amount when the window closes.
    QTest::newRow("an expense line") << 2 << 150.0 << "Total Transactions : 150.00";
}

void TestBankEntryModes::removingADetailLineMovesRowAndBalanceOnce() {
    QFETCH(int, line);
    QFETCH(double, rowAmount);
    QFETCH(QString, total);
    const qint64 number = detailsEntry();
    QCOMPARE(books->balance(), 230.0);
    ui::MessageScript script;
    auto w = openWindow();
    QVERIFY(child<QCheckBox>(w.get(), "HasDetailsCheck")->isChecked());
    auto* details = child<QPushButton>(w.get(), "DetailsButton");
    QVERIFY(details->isEnabled());
    bool seen = false;
    auto waiter = testing_support::whenShown<TDepositDetailsForm>([&](TDepositDetailsForm* d) {
        seen = true;
        QCOMPARE(d->windowTitle(), "Details for : Cheque Transaction no : " + QString::number(number));
        auto* grid = child<ui::DataGrid>(d, "DetailsGrid");
        QCOMPARE(grid->lazyModel()->rowCount(), 3);
        QCOMPARE(child<QLabel>(d, "TotalLabel")->text(), QStringLiteral("Total Transactions : 130.00"));
        grid->setCurrentRow(line);
        child<QPushButton>(d, "RemoveButton")->click();
        QCOMPARE(grid->lazyModel()->rowCount(), 2);
        QCOMPARE(child<QLabel>(d, "TotalLabel")->text(), total);
        d->accept();
    });
    details->click();
    QVERIFY(seen);
    QVERIFY2(script.texts().isEmpty(), qPrintable(script.texts().join("|")));
    QCOMPARE(books->number("SELECT AMOUNT FROM QVBNKTR"), rowAmount);
    QCOMPARE(books->balance(), 100.0 + rowAmount);
    QCOMPARE(text(w.get(), "CurrBalEdit"), store::fmt::money(100.0 + rowAmount));
    // The removed line stays in the journal, detached from the bank.
    QCOMPARE(books->count("SELECT COUNT(*) FROM QVACTTR WHERE BNKTRNLNK = '0-0-0' AND TRANNUM = 0"), 1);
}

void TestBankEntryModes::aReconciledEntryKeepsItsDetails() {
    detailsEntry();
    store::execSql(books->c.handle(), "UPDATE QVBNKTR SET RECONCILED = 1");
    ui::MessageScript script;
    auto w = openWindow();
    bool seen = false;
    auto waiter = testing_support::whenShown<TDepositDetailsForm>([&](TDepositDetailsForm* d) {
        seen = true;
        QVERIFY(!child<QPushButton>(d, "RemoveButton")->isEnabled());
        d->accept();
    });
    child<QPushButton>(w.get(), "DetailsButton")->click();
    QVERIFY(seen);
    QCOMPARE(books->number("SELECT AMOUNT FROM QVBNKTR"), 130.0);
    QCOMPARE(books->count("SELECT COUNT(*) FROM QVACTTR WHERE BNKTRNLNK <> '0-0-0'"), 3);
}

void TestBankEntryModes::aTransferNeedsASecondAccount() {
    store::execSql(books->c.handle(), "DELETE FROM QVBNKACT WHERE ACCTNO = '2222222-00'");
    ui::MessageScript script;
    auto w = openWindow();
    press(w.get(), Qt::Key_F2);
    child<QRadioButton>(w.get(), "TransferRadio")->click();
    QCOMPARE(script.texts(), QStringList{"Only one bank account set up. Nothing to transfer to!"});
    QVERIFY(child<QRadioButton>(w.get(), "DepositRadio")->isChecked());
    QVERIFY(!child<QWidget>(w.get(), "DestGroup")->isVisible());
}

void TestBankEntryModes::aChequeSourceNeedsTheWithdrawalType() {
    ui::MessageScript script;
    auto w = openWindow();
    press(w.get(), Qt::Key_F2);
    auto* combo = child<QComboBox>(w.get(), "SourceCombo");
    combo->setFocus();
    combo->setCurrentIndex(-1);
    QTest::keyClicks(combo->lineEdit(), "CHEQUE");
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QCOMPARE(script.texts(), QStringList{"You must also select the 'Withdrawal' button!"});
    QCOMPARE(w->mode(), TQVBankTranForm::Mode::Add);
}

namespace {

QStringList runningBalances(QWidget* w) {
    const ui::LazyTableModel* model = child<ui::DataGrid>(w, "TranGrid")->lazyModel();
    QStringList balances;
    for (int row = 0; row < model->rowCount(); ++row) balances << model->textAt(row, 4);
    return balances;
}

}  // namespace

void TestBankEntryModes::theRunningBalanceFollowsAnEditAndADelete() {
    books->post(EntryType::Deposit, 10.0, "SALES");
    books->post(EntryType::Withdrawal, 50.0, "RENT");
    books->post(EntryType::Deposit, 25.0, "SALES");
    ui::MessageScript script;
    auto w = openWindow();
    QCOMPARE(runningBalances(w.get()), (QStringList{"110.00", "60.00", "85.00"}));

    child<ui::DataGrid>(w.get(), "TranGrid")->setCurrentRow(1);
    press(w.get(), Qt::Key_F3);
    type(w.get(), "AmountEdit", "80");
    press(w.get(), Qt::Key_F4);
    QCOMPARE(books->balance(), 55.0);
    QCOMPARE(runningBalances(w.get()), (QStringList{"110.00", "30.00", "55.00"}));

    child<ui::DataGrid>(w.get(), "TranGrid")->setCurrentRow(0);
    press(w.get(), Qt::Key_F6);
    QVERIFY2(script.texts().size() <= 1, qPrintable(script.texts().join("|")));
    QCOMPARE(books->balance(), 45.0);
    QCOMPARE(runningBalances(w.get()), (QStringList{"20.00", "45.00"}));
}

void TestBankEntryModes::findGoesForwardAndBackward() {
    for (double amount : {10.0, 50.0, 10.0, 25.0}) books->post(EntryType::Deposit, amount, "SALES");
    ui::MessageScript script;
    auto w = openWindow();
    auto* grid = child<ui::DataGrid>(w.get(), "TranGrid");
    QCOMPARE(grid->currentRow(), 3);
    QTest::keyClick(w->focusWidget(), Qt::Key_F, Qt::ControlModifier);
    QLineEdit* find = child(w.get(), "FindEdit");
    QCOMPARE(w->focusWidget(), find);
    QTest::keyClicks(find, "10");
    QTest::keyClick(find, Qt::Key_Return);  // round past the end to the first 10.00
    QCOMPARE(grid->currentRow(), 0);
    QCOMPARE(text(w.get(), "TranNumEdit"), QStringLiteral("42"));
    QTest::keyClick(find, Qt::Key_F3);
    QCOMPARE(grid->currentRow(), 2);
    QTest::keyClick(find, Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(grid->currentRow(), 0);
    QCOMPARE(w->mode(), TQVBankTranForm::Mode::Browse);  // F3 in the box finds, not edits

    find->selectAll();
    QTest::keyClicks(find, "43");  // a reference number
    QTest::keyClick(find, Qt::Key_F3);
    QCOMPARE(grid->currentRow(), 1);
    find->selectAll();
    QTest::keyClicks(find, "no such narrative");
    QTest::keyClick(find, Qt::Key_F3);
    QCOMPARE(grid->currentRow(), 1);
    QCOMPARE(script.beeps(), 1);
}

QTEST_MAIN(TestBankEntryModes)
#include "tst_bankentry_modes.moc"
