// Statements read whole: OFX/QFX files (bank and credit card, SGML and XML headers) through
// libofx, CSV files of any layout through the column layout saved for the bank account.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "exchange/csv_mapping.h"
#include "exchange/csv_statement.h"
#include "exchange/ofx_statement.h"
#include "exchange/statement_rows.h"

using namespace exchange;

namespace {

// The SGML header of OFX 1.x around a bank statement's transactions.
QByteArray sgmlBankOfx(const QByteArray& transactions) {
    return "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nSECURITY:NONE\r\nENCODING:USASCII\r\n"
           "CHARSET:1252\r\nCOMPRESSION:NONE\r\nOLDFILEUID:NONE\r\nNEWFILEUID:NONE\r\n\r\n"
           "<OFX><SIGNONMSGSRSV1><SONRS><STATUS><CODE>0<SEVERITY>INFO</STATUS>"
           "<DTSERVER>20260331<LANGUAGE>ENG</SONRS></SIGNONMSGSRSV1>"
           "<BANKMSGSRSV1><STMTTRNRS><TRNUID>1<STATUS><CODE>0<SEVERITY>INFO</STATUS>"
           "<STMTRS><CURDEF>NZD<BANKACCTFROM><BANKID>12<BRANCHID>0300<ACCTID>2222222-00"
           "<ACCTTYPE>CHECKING</BANKACCTFROM><BANKTRANLIST><DTSTART>20260301<DTEND>20260331\r\n" +
           transactions +
           "</BANKTRANLIST><LEDGERBAL><BALAMT>0<DTASOF>20260331</LEDGERBAL></STMTRS></STMTTRNRS>"
           "</BANKMSGSRSV1></OFX>\r\n";
}

// The XML header of OFX 2.x around a credit card statement's transactions.
QByteArray xmlCardOfx(const QByteArray& transactions) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
           "<?OFX OFXHEADER=\"200\" VERSION=\"211\" SECURITY=\"NONE\" OLDFILEUID=\"NONE\" "
           "NEWFILEUID=\"NONE\"?>\n<OFX><SIGNONMSGSRSV1><SONRS><STATUS><CODE>0</CODE>"
           "<SEVERITY>INFO</SEVERITY></STATUS><DTSERVER>20260331</DTSERVER><LANGUAGE>ENG"
           "</LANGUAGE></SONRS></SIGNONMSGSRSV1><CREDITCARDMSGSRSV1><CCSTMTTRNRS><TRNUID>1"
           "</TRNUID><STATUS><CODE>0</CODE><SEVERITY>INFO</SEVERITY></STATUS><CCSTMTRS>"
           "<CURDEF>NZD</CURDEF><CCACCTFROM><ACCTID>4111111111111234</ACCTID></CCACCTFROM>"
           "<BANKTRANLIST><DTSTART>20260301</DTSTART><DTEND>20260331</DTEND>\n" +
           transactions + "</BANKTRANLIST></CCSTMTRS></CCSTMTTRNRS></CREDITCARDMSGSRSV1></OFX>\n";
}

struct ExpectedLine {
    QDate date;
    qint64 cents;
    const char* narrative;
    const char* fitid;
    bool cheque;
    const char* reference;
};

struct OfxCase {
    const char* story;
    QByteArray file;
    const char* account;
    bool creditCard;
    std::vector<ExpectedLine> lines;
};

class OfxStatements : public ::testing::TestWithParam<OfxCase> {};

TEST_P(OfxStatements, giveEachTransactionWithItsIdAndTheirAccount) {
    const OfxCase& c = GetParam();
    const OfxStatement s = ofxStatementFromBytes(c.file);
    ASSERT_TRUE(s.ok()) << c.story << ": " << s.problem.toStdString();
    EXPECT_EQ(s.account, QString::fromUtf8(c.account)) << c.story;
    EXPECT_EQ(s.creditCard, c.creditCard) << c.story;
    ASSERT_EQ(s.lines.size(), c.lines.size()) << c.story;
    for (std::size_t i = 0; i < c.lines.size(); ++i) {
        const ExpectedLine& e = c.lines[i];
        const StatementLine& l = s.lines[i];
        EXPECT_EQ(l.date, e.date) << c.story << " line " << i;
        EXPECT_EQ(l.cents, e.cents) << c.story << " line " << i;
        EXPECT_EQ(l.narrative, QString::fromUtf8(e.narrative)) << c.story << " line " << i;
        EXPECT_EQ(l.fitid, QString::fromUtf8(e.fitid)) << c.story << " line " << i;
        EXPECT_EQ(l.cheque, e.cheque) << c.story << " line " << i;
        EXPECT_EQ(l.reference, QString::fromUtf8(e.reference)) << c.story << " line " << i;
    }
}

const OfxCase kOfxCases[] = {
    {"an SGML bank statement: payee first, memo when there is no payee, a cheque's number, "
     "entities, a half cent, billions, and the day the bank wrote whatever the time zone",
     sgmlBankOfx(
         "<STMTTRN><TRNTYPE>DEBIT<DTPOSTED>20260302<TRNAMT>-86.40<FITID>F1"
         "<NAME>COUNTDOWN PONSONBY<MEMO>EFTPOS 1234</STMTTRN>\r\n"
         "<STMTTRN><TRNTYPE>CHECK<DTPOSTED>20260303000500[+13:NZDT]<TRNAMT>-420.005<FITID>F2"
         "<CHECKNUM>000214</STMTTRN>\r\n"
         "<STMTTRN><TRNTYPE>CREDIT<DTPOSTED>20260331<TRNAMT>1234567890.12<FITID>F&amp;3"
         "<MEMO>TAKINGS &lt;MARCH&gt;</STMTTRN>\r\n"),
     "12-0300-2222222-00",
     false,
     {{QDate(2026, 3, 2), -8640, "COUNTDOWN PONSONBY", "F1", false, ""},
      {QDate(2026, 3, 3), -42001, "", "F2", true, "000214"},
      {QDate(2026, 3, 31), 123456789012, "TAKINGS <MARCH>", "F&3", false, ""}}},
    {"an XML credit card statement in UTF-8",
     xmlCardOfx("<STMTTRN><TRNTYPE>DEBIT</TRNTYPE><DTPOSTED>20260305120000</DTPOSTED>"
                "<TRNAMT>-19.99</TRNAMT><FITID>CC1</FITID><NAME>Café Ōtaki</NAME></STMTTRN>"
                "<STMTTRN><TRNTYPE>CREDIT</TRNTYPE><DTPOSTED>20260306</DTPOSTED>"
                "<TRNAMT>5</TRNAMT><FITID>CC2</FITID><NAME>REFUND</NAME></STMTTRN>\n"),
     "4111111111111234",
     true,
     {{QDate(2026, 3, 5), -1999, "Café Ōtaki", "CC1", false, ""},
      {QDate(2026, 3, 6), 500, "REFUND", "CC2", false, ""}}},
};
INSTANTIATE_TEST_SUITE_P(Files, OfxStatements, ::testing::ValuesIn(kOfxCases));

// Whatever is wrong, nothing is read, the reason is given and libofx prints nothing.
TEST(OfxStatements, aFileThatIsNoGoodStatementGivesItsReasonAndNoLines) {
    const QByteArray good = sgmlBankOfx(
        "<STMTTRN><TRNTYPE>DEBIT<DTPOSTED>20260302<TRNAMT>-1<FITID>F1<NAME>A</STMTTRN>");
    const std::pair<QByteArray, const char*> cases[] = {
        {"Date,Amount\n01/03/2026,5\n", "no OFX or QFX statement"},
        {good.left(good.size() / 2), "damaged or incomplete"},
        {sgmlBankOfx(""), "holds no transactions"},
        {sgmlBankOfx("<STMTTRN><TRNTYPE>DEBIT<DTPOSTED>20260302<FITID>F1<NAME>A</STMTTRN>"),
         "Transaction 1 of this file has no readable amount"},
        {QByteArray(), "no OFX or QFX statement"},
        {sgmlBankOfx("<STMTTRN><TRNTYPE>DEBIT<DTPOSTED>2026x302<TRNAMT>5<FITID>F1</STMTTRN>"),
         "Transaction 1 of this file has no readable date"},
    };
    std::fflush(stderr);
    QTemporaryDir dir;
    const QString errors = dir.filePath(QStringLiteral("stderr.txt"));
    const int saved = dup(2);
    ASSERT_TRUE(std::freopen(QFile::encodeName(errors).constData(), "w", stderr));
    std::vector<OfxStatement> read;
    for (const auto& c : cases) read.push_back(ofxStatementFromBytes(c.first));
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_TRUE(read[i].lines.empty()) << cases[i].second;
        EXPECT_TRUE(read[i].problem.contains(QString::fromUtf8(cases[i].second)))
            << read[i].problem.toStdString();
        EXPECT_TRUE(read[i].problem.endsWith(QStringLiteral("Nothing was imported.")));
    }
    EXPECT_EQ(QFileInfo(errors).size(), 0);
}

TEST(OfxStatements, theFilesAccountIsMatchedByItsDigits) {
    const struct {
        const char* file;
        const char* bank;
        const char* acct;
        bool same;
    } cases[] = {
        {"12-0300-2222222-00", "120300", "2222222-00", true},  // bank, branch and account
        {"2222222-00", "120300", "2222222-00", true},          // the account alone
        {"12 0300 02222222 000", "120300", "2222222-000", true},
        {"12-0300-3333333-00", "120300", "2222222-00", false},
        {"4111111111111234", "VISA", "1234", true},  // a card by its last digits
        {"XXXXXXXXXXXX1234", "VISA", "4111111111111234", true},
        {"00", "120300", "2222222-00", false},  // too few digits to tell
        {"", "120300", "2222222-00", true},     // the file names no account
    };
    for (const auto& c : cases)
        EXPECT_EQ(ofxAccountMatches(QString::fromUtf8(c.file), QString::fromUtf8(c.bank),
                                    QString::fromUtf8(c.acct)),
                  c.same)
            << c.file << " / " << c.acct;
}

// --- CSV -------------------------------------------------------------------------------------

TEST(CsvStatements, recordsAreSplitAsRfc4180HasThem) {
    const QString text = QStringLiteral(
        "\"Date\",Amount,Text\r\n"
        "01/03/2026,-5,\"A, \"\"quoted\"\" name\"\r\n"
        "02/03/2026,7,\"two\r\nlines\"\n"
        ",,\r"
        "03/03/2026 , 8 ,  \"spaced\" \n");
    const std::vector<QStringList> records = csvRecords(text, u',');
    const std::vector<QStringList> expected{
        {"Date", "Amount", "Text"},          {"01/03/2026", "-5", "A, \"quoted\" name"},
        {"02/03/2026", "7", "two\r\nlines"}, {"", "", ""},
        {"03/03/2026 ", " 8 ", "spaced "},
    };
    EXPECT_EQ(records, expected);
    EXPECT_EQ(csvRecords(text, u',', 2).size(), 2u);
    EXPECT_EQ(csvRecords(u"a;\"b;c\";d", u';'), (std::vector<QStringList>{{"a", "b;c", "d"}}));
    EXPECT_EQ(csvRecords(u"\"never closed,x", u','),
              (std::vector<QStringList>{{"never closed,x"}}));
}

TEST(CsvStatements, amountsAreExactToTheCentWhateverTheBanksWriting) {
    const struct {
        const char* text;
        bool decimalComma;
        std::optional<qint64> cents;
    } cases[] = {
        {"-1,234.56", false, -123456},
        {"$12.50", false, 1250},
        {"(12.50)", false, -1250},
        {"12.50-", false, -1250},
        {"+0.005", false, 1},  // half a cent away from zero
        {"-0.005", false, -1},
        {"1234567890123.45", false, 123456789012345},
        {"1.234,56", true, 123456},
        {"-0,5", true, -50},
        {"12.345", true, 1234500},  // with a decimal comma the point separates thousands
        {"abc", false, std::nullopt},
        {"", false, std::nullopt},
        {"--5", false, std::nullopt},
        {"12345678901234", false, std::nullopt},  // beyond 13 whole digits
    };
    for (const auto& c : cases)
        EXPECT_EQ(csvCents(QString::fromUtf8(c.text), c.decimalComma), c.cents) << c.text;
}

struct CsvCase {
    const char* story;
    CsvMapping mapping;
    const char* text;
    std::vector<ExpectedLine> lines;  // fitid unused; cheque always false
    std::vector<const char*> problems;
};

class CsvStatementFiles : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvStatementFiles, giveTheLinesTheirLayoutNames) {
    const CsvCase& c = GetParam();
    ASSERT_EQ(csvMappingProblem(c.mapping), QString()) << c.story;
    const std::vector<CsvRow> rows = readCsvStatement(QString::fromUtf8(c.text), c.mapping);
    std::vector<StatementLine> lines;
    QStringList problems;
    for (const CsvRow& r : rows) r.line ? lines.push_back(*r.line) : void(problems << r.problem);
    ASSERT_EQ(lines.size(), c.lines.size()) << c.story;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].date, c.lines[i].date) << c.story << " line " << i;
        EXPECT_EQ(lines[i].cents, c.lines[i].cents) << c.story << " line " << i;
        EXPECT_EQ(lines[i].narrative, QString::fromUtf8(c.lines[i].narrative)) << c.story;
        EXPECT_EQ(lines[i].reference, QString::fromUtf8(c.lines[i].reference)) << c.story;
        EXPECT_TRUE(lines[i].fitid.isEmpty() && !lines[i].cheque);
    }
    QStringList expected;
    for (const char* p : c.problems) expected << QString::fromUtf8(p);
    EXPECT_EQ(problems, expected) << c.story;
}

CsvMapping csvLayout(std::function<void(CsvMapping&)> change) {
    CsvMapping m;
    change(m);
    return m;
}

const CsvCase kCsvCases[] = {
    {"a header row, one signed amount, two description columns and a reference",
     csvLayout([](CsvMapping& m) {
         m.descriptionColumns = {3, 4};
         m.referenceColumn = 5;
     }),
     "Date,Amount,Payee,Particulars,Reference\n"
     "01/03/2026,-86.40,\"COUNTDOWN, PONSONBY\",EFTPOS,R1\n"
     "2/3/2026,\"1,250.00\",\"CAFE \"\"THE CUP\"\"\",,\n"
     "\n"
     "Closing balance,,,,\n",
     {{QDate(2026, 3, 1), -8640, "COUNTDOWN, PONSONBY EFTPOS", "", false, "R1"},
      {QDate(2026, 3, 2), 125000, "CAFE \"THE CUP\"", "", false, ""}},
     {"no date as dd/MM/yyyy in column 1"}},
    {"debit and credit columns, a debit written with or without its minus",
     csvLayout([](CsvMapping& m) {
         m.amounts = CsvAmounts::DebitCredit;
         m.debitColumn = 3;
         m.creditColumn = 4;
         m.descriptionColumns = {2};
         m.dateFormat = QStringLiteral("yyyy-MM-dd");
     }),
     "Date,Text,Debit,Credit\n"
     "2026-03-01,Rent,1150.00,\n"
     "2026-03-02,Fee,-12.50,\n"
     "2026-03-03,Takings,,980.255\n"
     "2026-03-04,Nothing,,\n",
     {{QDate(2026, 3, 1), -115000, "Rent", "", false, ""},
      {QDate(2026, 3, 2), -1250, "Fee", "", false, ""},
      {QDate(2026, 3, 3), 98026, "Takings", "", false, ""}},
     {"no amount in column 3 or 4"}},
    {"a decimal comma, semicolons, two header lines, a two-digit year and a quoted line break",
     csvLayout([](CsvMapping& m) {
         m.delimiter = u';';
         m.decimalComma = true;
         m.skipLines = 2;
         m.dateFormat = QStringLiteral("dd.MM.yy");
         m.amountColumn = 3;
         m.descriptionColumns = {2};
     }),
     "Account;12-0300-2222222-00\r\n"
     "Date;Text;Amount\r\n"
     "01.03.26;\"Two\nlines\";-1.234,56\r\n"
     "02.03.26;Interest;0,05\r\n",
     {{QDate(2026, 3, 1), -123456, "Two\nlines", "", false, ""},
      {QDate(2026, 3, 2), 5, "Interest", "", false, ""}},
     {}},
};
INSTANTIATE_TEST_SUITE_P(Layouts, CsvStatementFiles, ::testing::ValuesIn(kCsvCases));

// The layout chosen for one account is read back from the settings file for that account only,
// and a second save replaces the first.
TEST(CsvMappings, aLayoutIsSavedPerAccountAndReadBackFromTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ImpCsv.ini"));
    EXPECT_FALSE(savedCsvMapping(path, QStringLiteral("120300"), QStringLiteral("2222222-00")));
    CsvMapping m = csvLayout([](CsvMapping& m) {
        m.delimiter = u'\t';
        m.skipLines = 3;
        m.dateColumn = 2;
        m.dateFormat = QStringLiteral("d MMM yyyy");
        m.amounts = CsvAmounts::DebitCredit;
        m.debitColumn = 5;
        m.creditColumn = 6;
        m.descriptionColumns = {3, 4};
        m.referenceColumn = 7;
    });
    saveCsvMapping(path, QStringLiteral("120300"), QStringLiteral("2222222-00"), m);
    EXPECT_EQ(savedCsvMapping(path, QStringLiteral("120300"), QStringLiteral("2222222-00")), m);
    EXPECT_FALSE(savedCsvMapping(path, QStringLiteral("030100"), QStringLiteral("2222222-00")));
    m.delimiter = u';';
    m.decimalComma = true;
    saveCsvMapping(path, QStringLiteral("120300"), QStringLiteral("2222222-00"), m);
    EXPECT_EQ(savedCsvMapping(path, QStringLiteral(" 120300"), QStringLiteral("2222222-00 ")), m);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_EQ(text.count(QStringLiteral("[CSV '120300/2222222-00']")), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Delimiter=59")));
    EXPECT_TRUE(text.contains(QStringLiteral("DescriptionColumns=3 4")));
}

TEST(CsvMappings, aLayoutThatCannotReadAStatementSaysWhy) {
    const std::pair<std::function<void(CsvMapping&)>, const char*> cases[] = {
        {[](CsvMapping& m) { m.delimiter = u'"'; }, "delimiter"},
        {[](CsvMapping& m) { m.dateColumn = 0; }, "date"},
        {[](CsvMapping& m) { m.descriptionColumns.clear(); }, "description"},
        {[](CsvMapping& m) {
             m.amounts = CsvAmounts::DebitCredit;
             m.debitColumn = m.creditColumn = 4;
         },
         "debits and credits"},
        {[](CsvMapping& m) { m.decimalComma = true; }, "decimal comma"},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(csvMappingProblem(csvLayout(c.first)).contains(QString::fromUtf8(c.second)))
            << c.second;
    EXPECT_EQ(csvColumnsOf(QStringLiteral(" 3, 4 x 0 100 5")), (QList<int>{3, 4, 5}));
}

// Every input the CSV fuzzer kept is read without harm, in every layout the input chooses.
TEST(CsvFuzzCorpus, everyKeptInputIsReadWithoutHarm) {
    const QDir folder(QStringLiteral(QUORVEL_FUZZ_CORPUS "/csv"));
    int inputs = 0;
    for (const QString& name : folder.entryList(QDir::Files)) {
        QFile f(folder.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        for (const QChar delimiter : {u',', u';', u'\t'}) {
            CsvMapping m;
            m.delimiter = delimiter;
            for (const CsvRow& r : readCsvStatement(text, m))
                EXPECT_TRUE(!r.line || r.line->date.isValid()) << name.toStdString();
        }
        ++inputs;
    }
    EXPECT_GT(inputs, 2);
}

}  // namespace
