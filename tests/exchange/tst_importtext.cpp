// The statement import window driven as a user drives it: a statement loaded through the file
// chooser, a bank chosen, lines taken in with "Add", coded and accepted, and what the books and
// the narrative memory then hold.

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTableView>

#include "banking/bankentry_window.h"
#include "exchange/getbankasciifile.h"
#include "exchange/importtextform.h"
#include "exchange/statement_duplicates.h"
#include "exchange/statement_grid.h"
#include "exchange/statement_import.h"
#include "exchange/statement_memory.h"

using namespace bankentry_test;

class TestImportText : public QObject {
    Q_OBJECT

    std::unique_ptr<Books> books;

    // A statement file of the given lines, in the test's folder.
    QString statement(const QStringList& lines, const QByteArray& raw = {}) {
        const QString path = books->dir.filePath(QStringLiteral("statement.csv"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) qFatal("cannot write the statement");
        f.write(raw.isEmpty() ? lines.join(QStringLiteral("\r\n")).toUtf8() : raw);
        return path;
    }

    // The window on the Savings account (B) with the statement loaded through "Get File".
    std::unique_ptr<TImportTextForm> open(const QStringList& lines, const QString& bank) {
        auto w = std::make_unique<TImportTextForm>();
        w->coyCode = 1;
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get())) qWarning("window not active");
        const QString path = statement(lines);
        auto chooser = testing_support::whenShown<TGetBankAsciiFile>([&](TGetBankAsciiFile* c) {
            child(c, "FileEdit")->setText(QStringLiteral("  ") + path + QStringLiteral(" "));
            child<QPushButton>(c, "ConfirmButton")->click();
        });
        child<QPushButton>(w.get(), "GetFileButton")->click();
        if (!chooser->seen) qWarning("the chooser was not shown");
        type(w.get(), "BankCodeEdit", kBankB);
        QTest::keyClick(child(w.get(), "BankCodeEdit"), Qt::Key_Return);
        type(w.get(), "AcctNoEdit", kAcctB);
        QTest::keyClick(child(w.get(), "AcctNoEdit"), Qt::Key_Return);
        child<QComboBox>(w.get(), "BankCombo")->setCurrentText(bank);
        return w;
    }

    static void pick(TImportTextForm& w, int row) {
        w.grid()->setCurrentIndex(w.gridModel()->index(row, 1));
    }
    static QPushButton* button(QWidget* w, const char* name) { return child<QPushButton>(w, name); }

private slots:
    void initTestCase() { testing_support::useTemporaryHome(); }
    void init() {
        books = std::make_unique<Books>();
        QFile::remove(exchange::NarrativeMemory().path());
    }

    // A Westpac deposit taken in, coded and accepted; its line blanked, its narrative remembered,
    // and the next line of the same narrative coded from the memory.
    void anAcceptedLineIsPostedBlankedAndRemembered() {
        ui::MessageScript script;
        auto w = open({QStringLiteral("Date,Amount,Other Party,Reference"),
                       QStringLiteral("15/03/2025,115.00,\"CAFE TAKINGS, EFTPOS\",\"S1\""),
                       QStringLiteral("16/03/2025,230.00,\"CAFE TAKINGS, EFTPOS\",\"S2\"")},
                      QStringLiteral("Westpac"));
        QCOMPARE(w->gridModel()->rowCount(), 3);
        QCOMPARE(text(w.get(), "CurrBalEdit"), QStringLiteral("1000.00"));
        pick(*w, 1);
        button(w.get(), "NewButton")->click();
        QCOMPARE(child<QLabel>(w.get(), "ModePanel")->text(),
                 QStringLiteral("Importing transaction."));
        QCOMPARE(text(w.get(), "AmountEdit"), QStringLiteral("115.00"));
        QCOMPARE(text(w.get(), "NarrativeEdit"), QStringLiteral("CAFE TAKINGS, EFTPOS"));
        QCOMPARE(text(w.get(), "DateEdit"), QStringLiteral("15/03/2025"));
        QCOMPARE(text(w.get(), "RefEdit"), QStringLiteral("8"));
        QVERIFY(!button(w.get(), "SaveButton")->isEnabled());
        type(w.get(), "AcctEdit", QStringLiteral("SALES"));
        QCOMPARE(text(w.get(), "TaxEdit"), QStringLiteral("15.00"));
        child<QComboBox>(w.get(), "SourceCombo")->setEditText(QStringLiteral("EFTPOS"));
        button(w.get(), "SaveButton")->click();
        QCOMPARE(script.texts(), QStringList{});
        QCOMPARE(child<QLabel>(w.get(), "ModePanel")->text(),
                 QStringLiteral("Viewing import file."));
        QCOMPARE(w->gridModel()->line(1), QString());
        QCOMPARE(books->balance(kAcctB), 1115.0);
        QCOMPARE(books->count("SELECT COUNT(*) FROM QVACTTR WHERE ACCTCODE = 'SALES' AND "
                              "GSTAMT = 15 AND TRANNUM = 8"),
                 1);
        QCOMPARE(books->lastRefNo(kAcctB), 8);
        // The second line codes itself; its date is after the first, so nothing is asked.
        pick(*w, 2);
        button(w.get(), "NewButton")->click();
        QCOMPARE(text(w.get(), "AcctEdit"), QStringLiteral("SALES"));
        QCOMPARE(child<QComboBox>(w.get(), "SourceCombo")->currentText(), QStringLiteral("EFTPOS"));
        QCOMPARE(text(w.get(), "RefEdit"), QStringLiteral("9"));
        QVERIFY(button(w.get(), "SaveButton")->isEnabled());
        QCOMPARE(script.texts(), QStringList{});
        // Closing is refused while a line is being imported.
        w->close();
        QCOMPARE(script.texts(), QStringList{exchange::kFinishFirstText});
        button(w.get(), "CancelButton")->click();
        // "Last Date" moves on to the line accepted once the window closes.
        QCOMPARE(exchange::NarrativeMemory().lastDateText(), QString());
        button(w.get(), "ExitButton")->click();
        QCOMPARE(exchange::NarrativeMemory().lastDate(), QDate(2025, 3, 15));
    }

    // An ASB cheque becomes a one-line payment with the cheque's own number.
    void anAsbChequeBecomesAPayment() {
        ui::MessageScript script;
        auto w = open(
            {QStringLiteral("2025/03/15,202503150,CHQ,214,\"HARBOUR PROPERTIES\",\"\",-230.00")},
            QStringLiteral("ASB"));
        pick(*w, 0);
        button(w.get(), "NewButton")->click();
        QVERIFY(child<QRadioButton>(w.get(), "ChequeRadio")->isChecked());
        QCOMPARE(text(w.get(), "RefEdit"), QStringLiteral("214"));
        QCOMPARE(text(w.get(), "AmountEdit"), QStringLiteral("-230.00"));
        type(w.get(), "AcctEdit", QStringLiteral("RENT"));
        QCOMPARE(text(w.get(), "TaxEdit"), QStringLiteral("-30.00"));
        button(w.get(), "SaveButton")->click();
        QCOMPARE(script.texts(), QStringList{});
        QCOMPARE(books->count("SELECT COUNT(*) FROM QVCHHDR WHERE CHEQUENO = '214' AND "
                              "SUPPLIER = 'MISC' AND AMOUNT = 230"),
                 1);
        QCOMPARE(books->balance(kAcctB), 770.0);
    }

    // What the window refuses or asks, each in its words.
    void refusalsAndQuestions() {
        ui::MessageScript script;
        auto w = open({QStringLiteral("05 MAR 2025,EFTPOS COUNTDOWN,,-50.00,")}, QString());
        child<QComboBox>(w.get(), "BankCombo")->setCurrentIndex(-1);
        pick(*w, 0);
        button(w.get(), "NewButton")->click();
        QCOMPARE(script.texts(), QStringList{exchange::kNoBankChosenText});
        button(w.get(), "CancelButton")->click();
        // A "Last Date" on or after the line's date asks; "No" keeps Accept off.
        exchange::NarrativeMemory().writeLastDate(QStringLiteral("31/03/2025"));
        child<QComboBox>(w.get(), "BankCombo")->setCurrentText(QStringLiteral("KiwiBank"));
        script.clear();
        script.answer(ui::MsgAnswer::No);
        pick(*w, 0);
        button(w.get(), "NewButton")->click();
        QCOMPARE(script.texts(), QStringList{exchange::kOverlapQuestion});
        QVERIFY(child<QRadioButton>(w.get(), "WithdrawalRadio")->isChecked());
        type(w.get(), "AcctEdit", QStringLiteral("RENT"));
        QVERIFY(!button(w.get(), "SaveButton")->isEnabled());
        // Choosing Cheque/Payment for a format without cheque numbers proposes the next cheque.
        child<QRadioButton>(w.get(), "ChequeRadio")->click();
        QCOMPARE(text(w.get(), "RefEdit"), QStringLiteral("1"));
        button(w.get(), "CancelButton")->click();
        // A file that is no text is refused and the grid keeps its statement.
        script.clear();
        QVERIFY(!w->loadStatementFile(statement({}, QByteArray("\x89PNG\r\n\x1a\n\0\0", 10))));
        QCOMPARE(script.kinds(), QList<ui::MsgKind>{ui::MsgKind::Error});
        QCOMPARE(w->gridModel()->rowCount(), 1);
    }

    // F7 accepts the lines the memory codes and says so; the same statement loaded again shows
    // them "already in the books", F7 then accepts nothing, and "Add" on such a line asks first.
    void acceptAllCodedAndTheSameFileAgain() {
        exchange::NarrativeMemory().remember(
            QStringLiteral("CAFE TAKINGS"), {QStringLiteral("SALES"), QStringLiteral("EFTPOS"), 0});
        const QStringList lines{QStringLiteral("15/03/2025,115.00,\"CAFE TAKINGS\",\"S1\""),
                                QStringLiteral("16/03/2025,-20.00,\"UNKNOWN\",\"\""),
                                QStringLiteral("17/03/2025,230.00,\"CAFE TAKINGS\",\"S2\"")};
        ui::MessageScript script;
        auto w = open(lines, QStringLiteral("Westpac"));
        const auto status = [&](int row) {
            return w->gridModel()->data(w->gridModel()->index(row, 2), Qt::DisplayRole).toString();
        };
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTest::keyClick(w.get(), Qt::Key_F7);
        QCOMPARE(script.texts().size(), 1);
        QVERIFY(script.texts().front().startsWith(
            QStringLiteral("Accepted: 2\nSkipped: 1\n    1 not coded\nRefused: 0")));
        QCOMPARE(status(0), exchange::kAcceptedText);
        QCOMPARE(w->gridModel()->line(2), QString());
        QCOMPARE(w->gridModel()->line(1), lines[1]);
        QCOMPARE(books->balance(kAcctB), 1345.0);
        QCOMPARE(text(w.get(), "CurrBalEdit"), QStringLiteral("1345.00"));

        script.clear();
        QVERIFY(w->loadStatementFile(statement(lines)));
        QCOMPARE(status(0), exchange::kInBooksText);
        QCOMPARE(status(1), QString());
        QCOMPARE(status(2), exchange::kInBooksText);
        button(w.get(), "AcceptAllButton")->click();
        QVERIFY(script.texts().front().contains(QStringLiteral("    2 already in the books")));
        QCOMPARE(books->count("SELECT COUNT(*) FROM QVBNKTR"), 2);
        script.clear();
        script.answer(ui::MsgAnswer::No);
        pick(*w, 2);
        button(w.get(), "NewButton")->click();
        QCOMPARE(script.texts(), QStringList{exchange::kImportAgainQuestion});
        QCOMPARE(child<QLabel>(w.get(), "ModePanel")->text(),
                 QStringLiteral("Viewing import file."));
        script.answer(ui::MsgAnswer::Yes);
        button(w.get(), "NewButton")->click();
        QCOMPARE(text(w.get(), "AcctEdit"), QStringLiteral("SALES"));
        QCOMPARE(text(w.get(), "AmountEdit"), QStringLiteral("230.00"));
    }

    // A statement far longer than 149 lines is shown whole.
    void aLongStatementIsShownWhole() {
        QStringList lines;
        for (int i = 0; i < 500; ++i)
            lines << QStringLiteral("01/04/2025,-1.00,\"FEE %1\",\"\"").arg(i);
        ui::MessageScript script;
        auto w = open(lines, QStringLiteral("Westpac"));
        QCOMPARE(w->gridModel()->rowCount(), 500);
        QCOMPARE(w->gridModel()->data(w->gridModel()->index(499, 0), Qt::DisplayRole).toString(),
                 QStringLiteral("500"));
    }
};

QTEST_MAIN(TestImportText)
#include "tst_importtext.moc"
