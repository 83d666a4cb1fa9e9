// The reconciliation window driven from its controls (present, cancel, "Up Date"), and the
// transaction picker's "Go to" and "Select".
#include <QPushButton>

#include "bankentry_window.h"
#include "banking/bankrecform.h"
#include "banking/bnktranlistform.h"
#include "store/keys.h"

using namespace bankentry_test;

class TestBankRec : public QObject {
    Q_OBJECT
    std::unique_ptr<Books> books;

    QVariant accountField(const char* name) {
        store::Query q(books->c);
        q.setSql(QStringLiteral("SELECT %1 FROM QVBNKACT WHERE ACCTNO = :a").arg(name));
        q.bind("a", kAcctA);
        q.open();
        return q.value(0);
    }

private slots:
    void initTestCase() { testing_support::useTemporaryHome(); }
    void init() { books = std::make_unique<Books>(); }

    void presentCancelAndUpDate() {
        books->post(banking::EntryType::Deposit, 200.00, "SALES");
        books->post(banking::EntryType::Withdrawal, 50.00, "RENT");
        ui::MessageScript script;
        TQVBankRecForm w;
        w.coyCode = 1;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* grid = child<ui::DataGrid>(&w, "RecGrid");
        auto* present = child<QPushButton>(&w, "PresentButton");
        QCOMPARE(grid->lazyModel()->rowCount(), 2);
        QCOMPARE(text(&w, "OpenBalEdit"), QStringLiteral("100.00"));

        // No statement balance: refused, nothing marked.
        type(&w, "StatBalEdit", QString());
        present->click();
        QCOMPARE(script.texts().value(0), QStringLiteral("Please enter the statement balance."));
        QCOMPARE(books->count("SELECT COUNT(*) FROM QVBNKTR WHERE CONFIRMED = 1"), 0);

        type(&w, "StatBalEdit", "250.00");
        grid->setCurrentRow(0);
        present->click();
        QCOMPARE(present->text(), QStringLiteral("&Cancel"));
        QCOMPARE(text(&w, "RecAmountEdit"), QStringLiteral("200.00"));
        present->click();  // cancel
        QCOMPARE(present->text(), QStringLiteral("&Present"));
        QCOMPARE(text(&w, "RecBalEdit"), QStringLiteral("100.00"));
        for (int row : {0, 1}) {
            grid->setCurrentRow(row);
            present->click();
        }
        QCOMPARE(text(&w, "RecBalEdit"), QStringLiteral("250.00"));

        script.clear();
        type(&w, "StatBalEdit", "250.01");
        child<QPushButton>(&w, "UpDateButton")->click();
        QCOMPARE(script.texts().value(0),
                 QStringLiteral("Statement balance does not equal reconciled balance!"));
        QCOMPARE(books->count("SELECT COUNT(*) FROM QVBNKTR WHERE RECONCILED = 1"), 0);

        type(&w, "StatBalEdit", "250.00");
        child<QPushButton>(&w, "UpDateButton")->click();
        QCOMPARE(books->count("SELECT COUNT(*) FROM QVBNKTR WHERE RECONCILED = 1"), 2);
        QCOMPARE(grid->lazyModel()->rowCount(), 0);
        QCOMPARE(text(&w, "OpenBalEdit"), QStringLiteral("250.00"));
        QCOMPARE(text(&w, "RecAmountEdit"), QStringLiteral("0.00"));

        // A statement balance typed and left is there when the window opens again.
        type(&w, "StatBalEdit", "312.40");
        child<QPushButton>(&w, "ExitButton")->click();
        QCOMPARE(accountField("PREVBAL").toDouble(), 312.40);
        TQVBankRecForm again;
        again.coyCode = 1;
        again.show();
        QCOMPARE(text(&again, "StatBalEdit"), QStringLiteral("312.40"));
    }

    void goToAndSelect() {
        books->post(banking::EntryType::Deposit, 10.00, "SALES");  // 42
        books->post(banking::EntryType::Deposit, 20.00, "SALES");  // 43
        books->post(banking::EntryType::Deposit, 30.00, "SALES");  // 44
        ui::MessageScript script;
        TQVBnkTranListForm w;
        w.coyCode = "1";
        w.bankLink = store::keys::bankAccountLink(1, kBankA, kAcctA);
        w.accountLabel = "Cheque";
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(),
                 QStringLiteral("Bank transactions list for:  Test Traders Cheque"));
        auto* grid = child<ui::DataGrid>(&w, "TranListGrid");
        QCOMPARE(grid->currentRow(), 0);

        type(&w, "NumberEdit", "43");
        child<QPushButton>(&w, "GoToButton")->click();
        QCOMPARE(grid->currentRow(), 1);
        for (const char* typed : {"4x", "99"}) {  // not a number beeps; no such number stays
            type(&w, "NumberEdit", typed);
            child<QPushButton>(&w, "GoToButton")->click();
            QCOMPARE(grid->currentRow(), 1);
        }
        QCOMPARE(script.beeps(), 1);

        child<QPushButton>(&w, "SelectButton")->click();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(w.tranNum, QStringLiteral("43"));
    }

    void bankEntryMovesToTheRowChosenInTheList() {
        books->post(banking::EntryType::Deposit, 10.00, "SALES");  // 42
        books->post(banking::EntryType::Deposit, 20.00, "SALES");  // 43
        auto w = openWindow();
        QCOMPARE(text(w.get(), "TranNumEdit"), QStringLiteral("43"));
        auto seen = testing_support::whenShown<TQVBnkTranListForm>([](TQVBnkTranListForm* list) {
            type(list, "NumberEdit", "42");
            child<QPushButton>(list, "GoToButton")->click();
            child<QPushButton>(list, "SelectButton")->click();
        });
        child<QPushButton>(w.get(), "ViewButton")->click();
        QVERIFY(seen->seen);
        QCOMPARE(text(w.get(), "TranNumEdit"), QStringLiteral("42"));
    }
};

QTEST_MAIN(TestBankRec)
#include "tst_bankrec.moc"
