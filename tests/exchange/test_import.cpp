// The import of the own export format: a month of a book moved into an empty copy of its company
// and compared by SQL, imported twice, and the mends of the import one by one.
#include <QFile>

#include "exchange/import_nrv.h"
#include "ledger/account_totals.h"
#include "exchange/import_records.h"
#include "exchange_fixture.h"
#include "store/datafolder.h"
#include "store/query.h"
#include "store/storecopy.h"

namespace exchange_test {
namespace {

class ImportTest : public ExchangeTest {
protected:
    TempDataFolder target;  // the same company, accounts and bank accounts, no entries
    TempDataFolder exportDir;

    void SetUp() override {
        ExchangeTest::SetUp();
        target.connection.disconnect();
        store::copyStoreToFile(c.handle(), store::storeFileOf(target.dir.path()));
        target.connection.connectToFolder(target.dir.path());
        makeBook();
    }
    std::vector<QStringList> file(const char* name) {
        return exchange::splitRecords(fileText(exportDir.path() + QLatin1String(name)));
    }
    exchange::ImportOutcome importInto(store::Connection& to) {
        EXPECT_TRUE(
            exchange::runExport(c, exchange::ExportFormat::Own, request(exportDir.path())).ok);
        const auto journal = file("NRVExp.txt"), bank = file("NRVBnk.txt");
        return exchange::importNrvFiles(to, 1, &journal, &bank, banking::alwaysYes);
    }
    static QStringList rows(store::Connection& on, const QString& sql) {
        store::Query q(on);
        q.setSql(sql);
        q.open();
        QStringList out;
        for (q.first(); !q.eof(); q.next()) {
            QStringList r;
            for (int i = 0; i < q.fieldCount(); ++i) r << q.value(i).toString();
            out << r.join('|');
        }
        return out;
    }
    // The same selection on the book and on the copy it was imported into.
    void expectSame(const QString& sql) {
        const QStringList from = rows(c, sql), to = rows(target.connection, sql);
        EXPECT_FALSE(from.isEmpty()) << sql.toStdString();
        EXPECT_EQ(to.join('\n').toStdString(), from.join('\n').toStdString()) << sql.toStdString();
    }
    void expectBooksMatch() {
        expectSame(
            "SELECT ACCTCODE, FULLCODE, LINKCODE, BRANCH, TRANNUM, REF, LINENO, BANKACCT, "
            "DESC, AMOUNT, BUSAMT, GSTAMT, TRANTYPE, REASON, TRANDATE, HASBNKACCT, SPLITDEST, "
            "SRCHCODE, BNKLINKNO, BNKTRNLNK FROM QVACTTR ORDER BY 1, 5, 7, 8, 10");
        expectSame(
            "SELECT TRANNUM, CHEQUENO, PAYTYPE, CHQDATE, AMOUNT, GSTAMT, NUMLINES, CHQBNKCOY "
            "FROM QVCHHDR WHERE AMOUNT <> 0 ORDER BY 1, 8");
        expectSame(
            "SELECT ACCTNO, LINENO, TOT_AMT, GSTAMT, NARRATIVE, CHQBNKCOY "
            "FROM QVCHQDET ORDER BY 6, 2");
        // Every bank row, the transfer's two rows too, with their links to each other.
        expectSame(
            "SELECT BANKACCT, TRANNUM, TRANDATE, AMOUNT, TRANTYPE, SOURCE, REASON, LINKCODE, "
            "TRANREF, DESTBANK, DESTACCT, SOURCEBANK, SOURCEACCT, FULLLINK FROM QVBNKTR "
            "ORDER BY 1, 2");
        expectSame(
            "SELECT BANKACCT, TRANNUM, BNKTRNLNK FROM QVBNKTR WHERE SOURCE <> 'TRNFR' "
            "ORDER BY 1, 2");
        expectSame("SELECT ACCTNO, CURRBAL, LASTREFNO, LASTCHQ FROM QVBNKACT ORDER BY 1");
    }
};

TEST_F(ImportTest, AMonthMovesIntoAnEmptyCopyOfTheCompany) {
    const auto out = importInto(target.connection);
    EXPECT_EQ(out.log, QStringList{});
    EXPECT_EQ(exchange::importMessage(out), "Import succeeded. There were  0 errors.");
    expectBooksMatch();
    EXPECT_EQ(ledger::totalsDifferences(target.connection), QStringList{});
    // Both accounts number from 1000001: each keeps its own row of that number.
    EXPECT_EQ(rows(target.connection,
                   "SELECT BANKACCT, AMOUNT FROM QVBNKTR WHERE TRANNUM = 1000001 "
                   "ORDER BY 1"),
              (QStringList{kAcctA + "|115", kAcctB + "|-115"}));
    // Bank-file rows met the rows the journal lines made: only the transfer's two are "TR".
    EXPECT_EQ(rows(target.connection,
                   "SELECT BANKACCT, AMOUNT FROM QVBNKTR WHERE TRANTYPE = 'TR' ORDER BY 1"),
              (QStringList{kAcctA + "|-20", kAcctB + "|20"}));
    // The two-line cheque counts its lines, so payment entry numbers the next one 3.
    EXPECT_EQ(rows(target.connection, "SELECT NUMLINES FROM QVCHHDR WHERE AMOUNT = 280"),
              QStringList{"2"});
}

TEST_F(ImportTest, ImportingTheSameFilesTwiceChangesNothingTheSecondTime) {
    importInto(target.connection);
    const auto second = importInto(target.connection);
    expectBooksMatch();
    EXPECT_EQ(second.errors, second.log.size());
    EXPECT_EQ(qint64(second.log.size()),
              qint64(file("NRVExp.txt").size() + file("NRVBnk.txt").size()));
    EXPECT_TRUE(second.log.filter(QStringLiteral("already in the books")).size() ==
                second.log.size());
    EXPECT_EQ(exchange::importMessage(second),
              "Import succeeded. There were  " + QString::number(second.errors) + " errors.");
}

TEST_F(ImportTest, AFailingLineLeavesNothingOfItsTransaction) {
    EXPECT_TRUE(exchange::runExport(c, exchange::ExportFormat::Own, request(exportDir.path())).ok);
    auto journal = file("NRVExp.txt");
    // The cheque's second line names an account the company does not have.
    int changed = 0;
    for (QStringList& r : journal)
        if (r.value(0) == "MOTOR" && r.value(19) == "CHQ") r[0] = "NOSUCH", ++changed;
    ASSERT_EQ(changed, 1);
    const auto out =
        exchange::importNrvFiles(target.connection, 1, &journal, nullptr, banking::alwaysYes);
    const QString ref = rows(c, "SELECT TRANNUM FROM QVCHHDR WHERE AMOUNT = 280").value(0);
    EXPECT_EQ(out.log, QStringList{"Could not import transaction no.  " + ref});
    EXPECT_EQ(rows(target.connection, "SELECT COUNT(*) FROM QVCHHDR WHERE TRANNUM = " + ref),
              QStringList{"0"});
    EXPECT_EQ(rows(target.connection,
                   "SELECT COUNT(*) FROM QVACTTR WHERE REASON = 'CHQ' AND REF = '" + ref + "'"),
              QStringList{"0"});
    EXPECT_EQ(rows(target.connection,
                   "SELECT COUNT(*) FROM QVBNKTR WHERE TRANTYPE = 'CHQ' AND TRANNUM = " + ref),
              QStringList{"0"});
    // The other payments came in whole.
    EXPECT_EQ(rows(target.connection, "SELECT COUNT(*) FROM QVCHHDR"), QStringList{"2"});
}

TEST_F(ImportTest, FilesReachingIntoAFiledTaxPeriodAskOnceAndNoImportsNothing) {
    target.connection.exec(
        "INSERT INTO QVGST (COYNO, GSTBEGDATE, GSTENDDATE) VALUES (1, '2025-05-01', '2025-06-30')");
    EXPECT_TRUE(exchange::runExport(c, exchange::ExportFormat::Own, request(exportDir.path())).ok);
    const auto journal = file("NRVExp.txt"), bank = file("NRVBnk.txt");
    for (const bool yes : {false, true}) {
        QStringList asked;
        const auto out = exchange::importNrvFiles(target.connection, 1, &journal, &bank,
                                                  [&](const banking::Confirmation& q) {
                                                      asked << q.text;
                                                      return yes;
                                                  });
        EXPECT_EQ(asked.size(), 1);
        EXPECT_EQ(out.declined, !yes);
        EXPECT_EQ(rows(target.connection, "SELECT COUNT(*) > 0 FROM QVACTTR"),
                  QStringList{yes ? "1" : "0"});
    }
}

TEST(ImportRecords, QuotedFieldsKeepCommasDoubledQuotesAndLineBreaks) {
    const auto r = exchange::splitRecords("\"a, \"\"b\"\"\r\nc\",12.5,\"\"\r\n\r\nx,y");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], (QStringList{"a, \"b\"\r\nc", "12.5", ""}));
    EXPECT_EQ(r[1], (QStringList{"x", "y"}));
    EXPECT_FALSE(exchange::parseJournalLine({"RENT", "1"}));
}

}  // namespace
}  // namespace exchange_test
