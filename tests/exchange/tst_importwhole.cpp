// Statements read whole in the import window: an OFX file of another account asks before it is
// shown, and a CSV file asks for its column layout on the account's first CSV statement, saves
// it and reuses it on the next.

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>

#include "banking/bankentry_window.h"
#include "exchange/csv_mapping.h"
#include "exchange/csvmappingform.h"
#include "exchange/importtextform.h"
#include "exchange/ofx_statement.h"
#include "exchange/statement_grid.h"
#include "exchange/statement_memory.h"

using namespace bankentry_test;

namespace {

// An OFX 1.x statement of account 12-0300-<acctId> with a cheque and a deposit.
QByteArray ofxStatementOf(const char* acctId) {
    return QByteArray(
               "OFXHEADER:100\nDATA:OFXSGML\nVERSION:102\nSECURITY:NONE\nENCODING:USASCII\n"
               "CHARSET:1252\nCOMPRESSION:NONE\nOLDFILEUID:NONE\nNEWFILEUID:NONE\n\n"
               "<OFX><BANKMSGSRSV1><STMTTRNRS><TRNUID>1<STATUS><CODE>0<SEVERITY>INFO"
               "</STATUS><STMTRS><CURDEF>NZD<BANKACCTFROM><BANKID>12<BRANCHID>0300<ACCTID>") +
           acctId +
           "<ACCTTYPE>CHECKING</BANKACCTFROM><BANKTRANLIST><DTSTART>20250301<DTEND>20250331\n"
           "<STMTTRN><TRNTYPE>CHECK<DTPOSTED>20250314<TRNAMT>-230.00<FITID>F1<CHECKNUM>215"
           "<NAME>HARBOUR PROPERTIES</STMTTRN>\n"
           "<STMTTRN><TRNTYPE>CREDIT<DTPOSTED>20250315<TRNAMT>115.00<FITID>F2"
           "<NAME>CAFE TAKINGS<MEMO>EFTPOS 1234</STMTTRN>\n"
           "</BANKTRANLIST></STMTRS></STMTTRNRS></BANKMSGSRSV1></OFX>\n";
}

const QByteArray kCsvStatement =
    "Date;Details;Money out;Money in\r\n"
    "15.03.2025;\"CAFE; \"\"TAKINGS\"\"\";;1.150,50\r\n"
    "16.03.2025;RENT;230,00;\r\n";

}  // namespace

class TestImportWhole : public QObject {
    Q_OBJECT

    std::unique_ptr<Books> books;

    QString statement(const QString& name, const QByteArray& bytes) {
        const QString path = books->dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) qFatal("cannot write the statement");
        f.write(bytes);
        return path;
    }

    // The window on the Savings account (B), the format chosen and then the file loaded.
    std::unique_ptr<TImportTextForm> open(const QString& format, const QString& path) {
        auto w = std::make_unique<TImportTextForm>();
        w->coyCode = 1;
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get())) qWarning("window not shown");
        type(w.get(), "BankCodeEdit", kBankB);
        QTest::keyClick(child(w.get(), "BankCodeEdit"), Qt::Key_Return);
        type(w.get(), "AcctNoEdit", kAcctB);
        QTest::keyClick(child(w.get(), "AcctNoEdit"), Qt::Key_Return);
        child<QComboBox>(w.get(), "BankCombo")->setCurrentText(format);
        w->loadStatementFile(path);
        return w;
    }

    static void add(TImportTextForm& w, int row) {
        w.grid()->setCurrentIndex(w.gridModel()->index(row, 1));
        child<QPushButton>(&w, "NewButton")->click();
    }

private slots:
    void initTestCase() { testing_support::useTemporaryHome(); }
    void init() {
        books = std::make_unique<Books>();
        QFile::remove(exchange::NarrativeMemory().path());
        QFile::remove(exchange::csvMappingFile());
    }

    void anOfxFileOfAnotherAccountAsksFirst_data() {
        QTest::addColumn<QByteArray>("acctId");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("asked");
        QTest::newRow("the chosen account: nothing asked")
            << QByteArray("2222222-00") << true << false;
        QTest::newRow("another account, Yes: its lines are shown")
            << QByteArray("3333333-00") << true << true;
        QTest::newRow("another account, No: nothing to import")
            << QByteArray("3333333-00") << false << true;
    }
    void anOfxFileOfAnotherAccountAsksFirst() {
        QFETCH(QByteArray, acctId);
        QFETCH(bool, yes);
        QFETCH(bool, asked);
        ui::MessageScript script;
        script.answer(yes ? ui::MsgAnswer::Yes : ui::MsgAnswer::No);
        const QString path = statement(QStringLiteral("march.qfx"), ofxStatementOf(acctId));
        auto w = open(QString(), path);  // the .qfx file chooses the format itself
        QCOMPARE(child<QComboBox>(w.get(), "BankCombo")->currentText(), exchange::kOfxFormatName);
        const QString question = exchange::ofxAccountQuestion(
            QStringLiteral("12-0300-") + QString::fromLatin1(acctId), kBankB, kAcctB);
        QCOMPARE(script.texts(), asked ? QStringList{question} : QStringList{});
        script.clear();
        add(*w, 0);
        if (!yes) {
            QCOMPARE(script.texts().size(), 1);
            QVERIFY(script.texts().front().startsWith(QStringLiteral("Record 1 cannot be read")));
            return;
        }
        QCOMPARE(w->gridModel()->rowCount(), 2);
        QCOMPARE(script.texts(), QStringList{});
        QVERIFY(child<QRadioButton>(w.get(), "ChequeRadio")->isChecked());
        QCOMPARE(text(w.get(), "RefEdit"), QStringLiteral("215"));
        QCOMPARE(text(w.get(), "AmountEdit"), QStringLiteral("-230.00"));
        QCOMPARE(text(w.get(), "NarrativeEdit"), QStringLiteral("HARBOUR PROPERTIES"));
        QCOMPARE(text(w.get(), "DateEdit"), QStringLiteral("14/03/2025"));
        type(w.get(), "AcctEdit", QStringLiteral("RENT"));
        child<QPushButton>(w.get(), "SaveButton")->click();
        QCOMPARE(script.texts(), QStringList{});
        QCOMPARE(books->count("SELECT COUNT(*) FROM QVCHHDR WHERE CHEQUENO = '215' AND "
                              "AMOUNT = 230"),
                 1);
        QCOMPARE(w->gridModel()->line(0), QString());
    }

    // Only a CSV statement has a column layout: the button waits for the CSV format, whether
    // chosen in the list or taken from the file's name.
    void theCsvLayoutButtonServesCsvStatementsOnly_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("CSV chosen") << exchange::kCsvFormatName << "march.txt" << true;
        QTest::newRow("OFX chosen") << exchange::kOfxFormatName << "march.txt" << false;
        QTest::newRow("a .qfx file, no format chosen") << QString() << "march.qfx" << false;
        QTest::newRow("a bank's line format") << QStringLiteral("ANZ") << "march.txt" << false;
    }
    void theCsvLayoutButtonServesCsvStatementsOnly() {
        QFETCH(QString, format);
        QFETCH(QString, file);
        QFETCH(bool, enabled);
        ui::MessageScript script;
        auto noLayout =
            testing_support::whenShown<TCsvMappingForm>([](TCsvMappingForm* f) { f->reject(); });
        auto w = open(format, statement(file, ofxStatementOf("2222222-00")));
        const auto* button = child<QPushButton>(w.get(), "CsvLayoutButton");
        QCOMPARE(button->isEnabled(), enabled);
        // Switching to CSV in the list enables it; while a line is being added it waits.
        child<QComboBox>(w.get(), "BankCombo")->setCurrentText(exchange::kCsvFormatName);
        QVERIFY(button->isEnabled());
        child<QPushButton>(w.get(), "NewButton")->click();
        QVERIFY(!button->isEnabled());
    }

    // The first CSV statement of an account asks for its layout, which is saved and reused by the
    // next window without asking; "CSV layout" shows it again to change.
    void aCsvLayoutIsAskedOnceSavedAndReused() {
        ui::MessageScript script;
        const QString path = statement(QStringLiteral("march.csv"), kCsvStatement);
        QString previewAmount;
        auto asked = testing_support::whenShown<TCsvMappingForm>([&](TCsvMappingForm* f) {
            child<QComboBox>(f, "DelimiterCombo")->setCurrentIndex(1);  // semicolon
            child<QComboBox>(f, "DateFormatCombo")->setEditText(QStringLiteral("dd.MM.yyyy"));
            child<QRadioButton>(f, "DebitCreditRadio")->setChecked(true);
            child<QSpinBox>(f, "DebitColumnBox")->setValue(3);
            child<QSpinBox>(f, "CreditColumnBox")->setValue(4);
            child<QCheckBox>(f, "DecimalCommaBox")->setChecked(true);
            child(f, "DescriptionEdit")->setText(QStringLiteral("2"));
            const auto* preview = child<QTableWidget>(f, "PreviewTable");
            if (preview->rowCount() == 2) previewAmount = preview->item(0, 2)->text();
            child<QPushButton>(f, "SaveButton")->click();
        });
        auto w = open(exchange::kCsvFormatName, path);
        QVERIFY(asked->seen);
        QCOMPARE(previewAmount, QStringLiteral("1150.50"));  // the preview read as the layout says
        QCOMPARE(script.texts(), QStringList{});
        QCOMPARE(w->gridModel()->rowCount(), 2);
        QVERIFY(w->gridModel()->line(0).contains(QStringLiteral("CAFE; \"TAKINGS\"")));
        add(*w, 1);
        QCOMPARE(text(w.get(), "AmountEdit"), QStringLiteral("-230.00"));
        QVERIFY(child<QRadioButton>(w.get(), "WithdrawalRadio")->isChecked());
        child<QPushButton>(w.get(), "CancelButton")->click();
        const auto saved = exchange::savedCsvMapping(exchange::csvMappingFile(), kBankB, kAcctB);
        QVERIFY(saved);
        QCOMPARE(saved->delimiter, QChar(u';'));
        QCOMPARE(saved->amounts, exchange::CsvAmounts::DebitCredit);
        w.reset();

        // The next window reads with the saved layout, asking nothing.
        auto notAsked = testing_support::whenShown<TCsvMappingForm>(
            [](TCsvMappingForm* f) { f->reject(); }, 300);
        auto again = open(exchange::kCsvFormatName, path);
        QTest::qWait(400);
        QVERIFY(!notAsked->seen);
        QCOMPARE(again->gridModel()->rowCount(), 2);
        // "CSV layout" shows the saved layout; a change is saved and the file read again.
        int shownDebitColumn = 0;
        auto change = testing_support::whenShown<TCsvMappingForm>([&](TCsvMappingForm* f) {
            shownDebitColumn = child<QSpinBox>(f, "DebitColumnBox")->value();
            child<QSpinBox>(f, "SkipBox")->setValue(2);
            child<QPushButton>(f, "SaveButton")->click();
        });
        child<QPushButton>(again.get(), "CsvLayoutButton")->click();
        QVERIFY(change->seen);
        QCOMPARE(shownDebitColumn, 3);
        QCOMPARE(again->gridModel()->rowCount(), 1);
        QCOMPARE(exchange::savedCsvMapping(exchange::csvMappingFile(), kBankB, kAcctB)->skipLines,
                 2);
    }
};

QTEST_MAIN(TestImportWhole)
#include "tst_importwhole.moc"
