// Statement import: what each bank's lines fill, the files refused, the narrative memory, and
// accepted lines read back from the books as bank entries and payments.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "banking/money_limits.h"
#include "exchange/statement_file.h"
#include "exchange/statement_formats.h"
#include "exchange/statement_import.h"
#include "exchange/statement_memory.h"
#include "payments/payment_fixture.h"

namespace {

using namespace exchange;

// --- What each bank's lines fill ---------------------------------------------------------------

struct LineCase {
    const char* story;
    const char* bank;
    const char* line;
    bool filled;
    qint64 cents = 0;
    QDate date = {};
    const char* narrative = "";
    const char* reference = "";
    bool cheque = false;
};

// BNZ lines are read only for the chosen account.
const QString kBnzAccount = QStringLiteral("02-0100-0123456-00");

class StatementLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(StatementLines, fillWhatTheirBankWrote) {
    const LineCase& c = GetParam();
    const StatementFormat* format = findStatementFormat(QString::fromLatin1(c.bank));
    ASSERT_NE(format, nullptr);
    const auto line = format->parse(QString::fromUtf8(c.line), LineContext{kBnzAccount});
    ASSERT_EQ(line.has_value(), c.filled);
    if (!line) return;
    EXPECT_EQ(line->cents, c.cents);
    EXPECT_EQ(line->date, c.date);
    EXPECT_EQ(line->narrative, QString::fromUtf8(c.narrative));
    EXPECT_EQ(line->reference, QString::fromUtf8(c.reference));
    EXPECT_EQ(line->cheque, c.cheque);
}

const LineCase kLines[] = {
    {"ANZ: the rest of the line is the narrative, commas and all", "ANZ",
     R"(15/03/2011,"-50.00",EFTPOS PURCHASE, COUNTDOWN AUCKLAND)", true, -5000, QDate(2011, 3, 15),
     "EFTPOS PURCHASE, COUNTDOWN AUCKLAND"},
    {"ANZ: a two-digit year is this century", "ANZ", R"(1/4/11,"1234.56",SALARY)", true, 123456,
     QDate(2011, 4, 1), "SALARY"},
    {"ANZ: a heading fills nothing", "ANZ", "Date,Amount,Details", false},
    {"BNZ: a record 3 line of the chosen account", "BNZ",
     R"(3,0,"02-0100-0123456-00",-50.00,,,"EFTPOS","COUNTDOWN","AUCKLAND","","15/03/11")", true,
     -5000, QDate(2011, 3, 15), "EFTPOS COUNTDOWN AUCKLAND"},
    {"BNZ: a four-digit year stays", "BNZ",
     R"(3,0,"02-0100-0123456-00",250.5,,,"DEPOSIT","","","","5/3/2011")", true, 25050,
     QDate(2011, 3, 5), "DEPOSIT"},
    {"BNZ: another account's line fills nothing", "BNZ",
     R"(3,0,"02-0100-9999999-00",-50.00,,,"EFTPOS","X","","","15/03/11")", false},
    {"BNZ: a header record fills nothing", "BNZ",
     R"(1,0,"02-0100-0123456-00",-50.00,,,"EFTPOS","X","","","15/03/11")", false},
    {"Westpac: a CHEQUE brings its number", "Westpac", R"(15/03/2011,-120.00,"CHEQUE","000123")",
     true, -12000, QDate(2011, 3, 15), "CHEQUE", "000123", true},
    {"Westpac: a quoted text keeps its comma", "Westpac",
     R"(16/03/2011,250.00,"DEPOSIT, BRANCH","REF 9")", true, 25000, QDate(2011, 3, 16),
     "DEPOSIT, BRANCH"},
    {"ASB: CHQ with cheque number 123", "ASB",
     R"(2011/03/15,201103150,CHQ,123,"CHEQUE 123","",-250.00)", true, -25000, QDate(2011, 3, 15),
     "CHEQUE 123", "123", true},
    {"ASB: a payee with a comma", "ASB", R"(2011/03/16,201103160,D/C,,"ACME, LTD","INV 5",1500.00)",
     true, 150000, QDate(2011, 3, 16), "ACME, LTD"},
    {"ASB: a date the wrong way round fills nothing", "ASB", R"(15/03/2011,1,CHQ,123,"X","",-1.00)",
     false},
    {"TSB: month names", "TSB", R"(05-Mar-11,-50.00,"","EFTPOS COUNTDOWN","")", true, -5000,
     QDate(2011, 3, 5), "EFTPOS COUNTDOWN"},
    {"TSB: an upper-case month is not TSB's", "TSB", R"(05-MAR-11,-50.00,"","X","")", false},
    {"KiwiBank: upper-case months", "KiwiBank", "05 MAR 2011,EFTPOS COUNTDOWN,,-50.00,", true,
     -5000, QDate(2011, 3, 5), "EFTPOS COUNTDOWN"},
    {"KiwiBank: 31 February is no date", "KiwiBank", "31 FEB 2011,X,,-5.00,", false},
    {"National Bank: its two texts joined", "National Bank",
     "EFTPOS,COUNTDOWN,x,y,z,-50.00,15/03/2011,", true, -5000, QDate(2011, 3, 15),
     "EFTPOS COUNTDOWN"},
    {"National Bank: half a cent rounds away from zero", "National Bank",
     "INTEREST,,x,y,z,0.125,31/03/2011,", true, 13, QDate(2011, 3, 31), "INTEREST"},
    {"National Bank: a text for the amount fills nothing", "National Bank",
     "A,B,x,y,z,fifty,15/03/2011,", false},
};

INSTANTIATE_TEST_SUITE_P(Banks, StatementLines, ::testing::ValuesIn(kLines));

TEST(StatementAmounts, billionsAndHalfCentsAreExact) {
    EXPECT_EQ(statementCents(u"-99999999999.995"), -10000000000000);
    EXPECT_EQ(statementCents(u"+.5"), 50);
    EXPECT_EQ(statementCents(u"12.344"), 1234);
    EXPECT_FALSE(statementCents(u"12345678901234"));  // beyond 13 whole digits
    EXPECT_FALSE(statementCents(u"1,000.00"));
    EXPECT_FALSE(statementCents(u"-"));
}

// Every input the fuzzers kept is read by every format without harm.
TEST(StatementFuzzCorpus, everyKeptInputIsReadByEveryFormat) {
    const QDir root(QStringLiteral(QUORVEL_FUZZ_CORPUS));
    int inputs = 0;
    for (const QString& dir : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QDir folder(root.filePath(dir));
        for (const QString& name : folder.entryList(QDir::Files)) {
            QFile f(folder.filePath(name));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            const QString input = QString::fromUtf8(f.readAll());
            const qsizetype nl = input.indexOf(u'\n');
            const LineContext context{nl < 0 ? QString() : input.first(nl)};
            for (const StatementFormat& format : statementFormats()) {
                if (!format.parse) continue;  // read whole, not line by line
                const auto line = format.parse(QStringView(input).mid(nl + 1), context);
                EXPECT_TRUE(!line || line->date.isValid()) << name.toStdString();
            }
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 7);
}

// --- Files that are no statement ---------------------------------------------------------------

TEST(StatementFiles, textIsSplitIntoItsLinesWhateverTheLineEnds) {
    const StatementFile f = statementFromBytes(
        "\xEF\xBB\xBF"
        "a,1\r\nb,2\rc,3\nd,4\n");
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(f.lines, (QStringList{"a,1", "b,2", "c,3", "d,4"}));
}

TEST(StatementFiles, whatIsNoStatementIsRefusedWithItsReason) {
    const std::pair<QByteArray, const char*> refused[] = {
        {QByteArray("PK\x03\x04\0\0", 6), "not a text file"},
        {QByteArray("\xFF\xFE"
                    "a\0,\0",
                    6),
         "UTF-16"},
        {QByteArray("Caf\xE9,12.00\n"), "UTF-8"},
        {QByteArray(5000, 'x'), "longer than 4096"},
    };
    for (const auto& [bytes, words] : refused) {
        const StatementFile f = statementFromBytes(bytes);
        EXPECT_FALSE(f.ok()) << words;
        EXPECT_TRUE(f.problem.contains(QLatin1String(words))) << f.problem.toStdString();
        EXPECT_TRUE(f.problem.endsWith(QLatin1String("Nothing was imported.")));
        EXPECT_TRUE(f.lines.isEmpty());
    }
}

// --- The narrative memory ----------------------------------------------------------------------

TEST(NarrativeMemory, anyNarrativeReadsBackAsItselfAndLeavesTheOthersAlone) {
    QTemporaryDir dir;
    NarrativeMemory memory(dir.filePath(QStringLiteral("ImpNarr.ini")));
    memory.ensureExists();
    memory.writeLastDate(QStringLiteral("15/03/2011"));
    const QStringList narratives{
        QStringLiteral("EFTPOS COUNTDOWN"),   QStringLiteral("[Last Date]"),
        QStringLiteral("A=B; #1 \"quoted\""), QStringLiteral("O'Brien's ]["),
        QStringLiteral("two\nlines\r"),       QStringLiteral("Café Māori 寿司 🍣"),
        QStringLiteral("100% %41"),           QStringLiteral("  padded  ")};
    for (int i = 0; i < narratives.size(); ++i)
        memory.remember(narratives[i], {QStringLiteral("CODE%1").arg(i),
                                        QStringLiteral("Src = [%1]\n").arg(i), i % 5});
    for (int i = 0; i < narratives.size(); ++i) {
        const auto r = memory.recall(narratives[i]);
        ASSERT_TRUE(r) << narratives[i].toStdString();
        EXPECT_EQ(r->code, QStringLiteral("CODE%1").arg(i));
        EXPECT_EQ(r->source, QStringLiteral("Src = [%1]\n").arg(i));
        EXPECT_EQ(r->type, i % 5);
    }
    EXPECT_FALSE(memory.recall(QStringLiteral("never seen")));
    EXPECT_EQ(memory.lastDate(), QDate(2011, 3, 15));
    memory.advanceLastDate(QDate(2011, 3, 1));  // earlier: stays
    EXPECT_EQ(memory.lastDate(), QDate(2011, 3, 15));
    memory.advanceLastDate(QDate(2011, 4, 2));
    EXPECT_EQ(memory.lastDateText(), QStringLiteral("02/04/2011"));
}

TEST(ImportDetails, theMemoryComesFirstAndTheFormatsOwnRulesWin) {
    ImportBankAccount bank;
    bank.account.lastRefNo = 1000041;
    bank.lastChq = 0;
    ImportDetails d = resetDetails(bank, QDate(2026, 1, 1));
    EXPECT_EQ(d.reference, QStringLiteral("1000042"));
    StatementLine cheque{-12000, QDate(2011, 3, 15), QStringLiteral("CHEQUE"),
                         QStringLiteral("123"), true};
    fillFromStatement(d, cheque,
                      RememberedNarrative{QStringLiteral("RENT"), QStringLiteral("AP"), 0});
    EXPECT_EQ(d.type, ImportType::Cheque);
    EXPECT_EQ(d.reference, QStringLiteral("123"));
    EXPECT_EQ(d.purpose, QStringLiteral("RENT"));
    EXPECT_EQ(d.source, QStringLiteral("AP"));
    EXPECT_EQ(d.amount, -120.0);
    // A remembered fee stays a fee; money out never stays a deposit.
    ImportDetails fee = resetDetails(bank, QDate(2026, 1, 1));
    fillFromStatement(fee, {-500, QDate(2011, 3, 15), QStringLiteral("FEE")},
                      RememberedNarrative{{}, {}, int(ImportType::Fees)});
    EXPECT_EQ(fee.type, ImportType::Fees);
    ImportDetails out = resetDetails(bank, QDate(2026, 1, 1));
    fillFromStatement(out, {-500, QDate(2011, 3, 15), QStringLiteral("X")}, std::nullopt);
    EXPECT_EQ(out.type, ImportType::Withdrawal);
    // A format without cheque numbers proposes the next cheque; ASB and Westpac bring theirs.
    EXPECT_EQ(proposedReference(bank, ImportType::Cheque, false), QStringLiteral("1"));
    EXPECT_EQ(proposedReference(bank, ImportType::Cheque, true), QString());
    EXPECT_TRUE(overlapsLastDate(QDate(2011, 3, 15), QDate(2011, 3, 15)));
    EXPECT_FALSE(overlapsLastDate(QDate(2011, 3, 16), QDate(2011, 3, 15)));
    EXPECT_FALSE(overlapsLastDate(QDate(2011, 3, 1), QDate()));
    EXPECT_EQ(importTax(true, 15.0, -115.0), -15.0);
    EXPECT_EQ(importTax(false, 15.0, 115.0), 0.0);
}

// --- Accepting lines -----------------------------------------------------------------------------

class ImportAccept : public payment_test::PaymentTest {
protected:
    AcceptInput line(ImportType type, double amount, const QString& purpose,
                     const QString& reference) {
        AcceptInput in;
        in.coy = 1;
        in.bankChosen = true;
        in.bankCode = payment_test::kBankB;
        in.acctNo = payment_test::kAcctB;
        in.details.type = type;
        in.details.reference = reference;
        in.details.date = QDate(2025, 6, 3);
        in.details.amount = amount;
        in.details.purpose = purpose;
        in.details.narrative = QStringLiteral("EFTPOS COUNTDOWN");
        in.details.source = QStringLiteral("EFTPOS");
        return in;
    }
    AcceptResult accept(const AcceptInput& in) { return acceptImportLine(c, in, confirm()); }
    qint64 rows(const QString& table) { return count("SELECT COUNT(*) FROM " + table); }
    qint64 allRows() {
        return rows("QVBNKTR") + rows("QVACTTR") + rows("QVCHHDR") + rows("QVCHQDET");
    }
};

TEST_F(ImportAccept, aDepositIsABankEntryWithItsJournalLineAndCounter) {
    const AcceptResult r = accept(line(ImportType::Deposit, 115.00, "SALES", "1000001"));
    ASSERT_TRUE(r.ok()) << r.message.toStdString() << r.detail.toStdString();
    EXPECT_EQ(r.balance, 1115.00);
    EXPECT_EQ(sql("SELECT TRANTYPE||'|'||AMOUNT||'|'||SOURCE||'|'||PURPOSE||'|'||REASON||'|'||"
                  "BNKTRNLNK||'|'||FULLCODE||'|'||TRANNUM||'|'||TRANDATE FROM QVBNKTR")
                  .toString(),
              QStringLiteral("DEP|115.0|EFTPOS|SALES|EFTPOS COUNTDOWN|120300-2222222-00-1000001|"
                             "1-SALES|1000001|2025-06-03"));
    EXPECT_EQ(sql("SELECT TRANTYPE||'|'||AMOUNT||'|'||BUSAMT||'|'||GSTAMT||'|'||HASGST||'|'||"
                  "REASON||'|'||GSTCALC||'|'||SRCHCODE||'|'||BNKTRNLNK||'|'||ACCTCODE FROM QVACTTR")
                  .toString(),
              QStringLiteral("I|115.0|115.0|15.0|1|DEP|0|1-SALES-1000001|"
                             "120300-2222222-00-1000001-1|SALES"));
    EXPECT_EQ(money("SELECT CURRBAL FROM QVBNKACT WHERE ACCTNO = '2222222-00'"), 1115.00);
    EXPECT_EQ(sql("SELECT LASTREFNO FROM QVBNKACT WHERE ACCTNO = '2222222-00'").toLongLong(),
              1000001);
}

TEST_F(ImportAccept, aWithdrawalReadAsMinusFiftyStoresFiftyOnTheExpenseLine) {
    const AcceptResult r = accept(line(ImportType::Withdrawal, -50.00, "RENT", "1000001"));
    ASSERT_TRUE(r.ok()) << r.detail.toStdString();
    EXPECT_EQ(money("SELECT AMOUNT FROM QVBNKTR"), -50.00);
    EXPECT_EQ(
        sql("SELECT TRANTYPE||'|'||AMOUNT||'|'||BUSAMT||'|'||GSTAMT||'|'||REASON FROM QVACTTR")
            .toString(),
        QStringLiteral("E|50.0|50.0|6.52|WD"));
    EXPECT_EQ(money("SELECT CURRBAL FROM QVBNKACT WHERE ACCTNO = '2222222-00'"), 950.00);
}

TEST_F(ImportAccept, aChequeIsAOneLineMiscPaymentWithReasonChq) {
    setCounters(payment_test::kAcctB, 122, 1000000);
    const AcceptResult r = accept(line(ImportType::Cheque, -250.00, "RENT", "123"));
    ASSERT_TRUE(r.ok()) << r.message.toStdString() << r.detail.toStdString();
    EXPECT_EQ(
        sql("SELECT NUMLINES||'|'||TRANTYPE||'|'||CHEQUENO||'|'||PAYTYPE||'|'||SUPPLIER||'|'||"
            "AMOUNT||'|'||GSTAMT||'|'||CHQBNKCOY FROM QVCHHDR")
            .toString(),
        QStringLiteral("1|CHQ|123|CHQ|MISC|250.0|32.61|123-2222222-00-1"));
    EXPECT_EQ(sql("SELECT SUPPCODE||'|'||ACCTNO||'|'||NARRATIVE||'|'||TOT_AMT||'|'||GSTAMT||'|'||"
                  "STATUS FROM QVCHQDET")
                  .toString(),
              QStringLiteral("MISC|RENT|EFTPOS COUNTDOWN|250.0|32.61|P"));
    EXPECT_EQ(sql("SELECT TRANTYPE||'|'||AMOUNT||'|'||SOURCE FROM QVBNKTR").toString(),
              QStringLiteral("CHQ|-250.0|CHEQUE"));
    EXPECT_EQ(sql("SELECT TRANTYPE||'|'||AMOUNT||'|'||BUSAMT||'|'||REASON FROM QVACTTR").toString(),
              QStringLiteral("E|250.0|250.0|CHQ"));
    EXPECT_EQ(money("SELECT CURRBAL FROM QVBNKACT WHERE ACCTNO = '2222222-00'"), 750.00);
    EXPECT_EQ(
        sql("SELECT LASTCHQ||'|'||LASTREFNO FROM QVBNKACT WHERE ACCTNO = '2222222-00'").toString(),
        QStringLiteral("123|1000000"));
}

TEST_F(ImportAccept, everyRefusalHasItsWordsAndWritesNothing) {
    accept(line(ImportType::Deposit, 10.00, "SALES", "1000001"));
    c.exec(QStringLiteral("UPDATE QVACCDET SET ACTACTIVE = 0 WHERE ACCTCODE = 'RENT'"));
    const qint64 before = allRows();
    struct Refusal {
        const char* story;
        std::function<void(AcceptInput&)> change;
        QString words;
    };
    const Refusal refusals[] = {
        {"reference already used", [](AcceptInput&) {},
         QStringLiteral("Cannot import! Reference number 1000001 already exists!")},
        {"inactive account", [](AcceptInput& in) { in.details.purpose = "RENT"; },
         kLedgerInactiveText},
        {"no bank chosen", [](AcceptInput& in) { in.bankChosen = false; }, kNoSourceText},
        {"no amount",
         [](AcceptInput& in) {
             in.details.reference = "1000002";
             in.details.amount = 0.004;
         },
         kNoAmountText},
        {"unknown account", [](AcceptInput& in) { in.details.purpose = "NOPE"; },
         kLedgerNotFoundText},
        {"not a whole number", [](AcceptInput& in) { in.details.reference = "12a"; },
         banking::referenceRangeText()},
    };
    for (const Refusal& f : refusals) {
        AcceptInput in = line(ImportType::Deposit, 10.00, "SALES", "1000001");
        f.change(in);
        const AcceptResult r = accept(in);
        EXPECT_EQ(r.outcome, banking::Outcome::Refused) << f.story;
        EXPECT_EQ(r.message, f.words) << f.story;
    }
    c.exec(QStringLiteral("UPDATE QVBNKACT SET OPENBAL = 0 WHERE ACCTNO = '2222222-00'"));
    EXPECT_EQ(accept(line(ImportType::Deposit, 10.00, "SALES", "1000005")).message,
              kOpeningMissingError);
    EXPECT_EQ(allRows(), before);
}

// One transaction: a journal line that cannot be written takes the bank row and balance with it.
TEST_F(ImportAccept, aFailureAtTheJournalLineLeavesNothingWritten) {
    c.exec(
        QStringLiteral("CREATE TRIGGER refuse_lines BEFORE INSERT ON QVACTTR "
                       "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    const AcceptResult r = accept(line(ImportType::Deposit, 115.00, "SALES", "1000001"));
    EXPECT_EQ(r.outcome, banking::Outcome::Failed);
    EXPECT_EQ(r.message, kNotImportedText);
    EXPECT_EQ(allRows(), 0);
    EXPECT_EQ(money("SELECT CURRBAL FROM QVBNKACT WHERE ACCTNO = '2222222-00'"), 1000.00);
    EXPECT_EQ(sql("SELECT LASTREFNO FROM QVBNKACT WHERE ACCTNO = '2222222-00'").toLongLong(),
              1000000);
    // A cheque's payment goes the same way.
    setCounters(payment_test::kAcctB, 0, 1000000);
    EXPECT_FALSE(accept(line(ImportType::Cheque, -20.00, "RENT", "77")).ok());
    EXPECT_EQ(allRows(), 0);
    EXPECT_EQ(sql("SELECT LASTCHQ FROM QVBNKACT WHERE ACCTNO = '2222222-00'").toLongLong(), 0);
}

TEST_F(ImportAccept, anOverdraftIsAskedBeforeAndNoWritesNothing) {
    answer = false;
    AcceptInput in = line(ImportType::Withdrawal, -1500.00, "RENT", "1000001");
    EXPECT_EQ(accept(in).outcome, banking::Outcome::Declined);
    EXPECT_EQ(questions, QStringList{"Overdraft not permitted...proceed anyway?"});
    EXPECT_EQ(allRows(), 0);
    answer = true;
    EXPECT_TRUE(accept(in).ok());
    EXPECT_EQ(money("SELECT CURRBAL FROM QVBNKACT WHERE ACCTNO = '2222222-00'"), -500.00);
}

TEST_F(ImportAccept, theReferenceChecksOfTheRefNoBox) {
    accept(line(ImportType::Deposit, 10.00, "SALES", "1000001"));
    setCounters(payment_test::kAcctB, 0, 1000001);
    accept(line(ImportType::Cheque, -10.00, "RENT", "55"));
    EXPECT_TRUE(importReferenceInUse(c, 1, ImportType::Deposit, payment_test::kBankB,
                                     payment_test::kAcctB, "1000001"));
    EXPECT_FALSE(importReferenceInUse(c, 1, ImportType::Deposit, payment_test::kBankB,
                                      payment_test::kAcctB, "1000002"));
    EXPECT_TRUE(importReferenceInUse(c, 1, ImportType::Cheque, payment_test::kBankB,
                                     payment_test::kAcctB, "55"));
    EXPECT_FALSE(importReferenceInUse(c, 1, ImportType::Cheque, payment_test::kBankB,
                                      payment_test::kAcctB, "56"));
    EXPECT_EQ(referenceInUseText("55"), QStringLiteral("Reference number  55 is in use."));
}

}  // namespace
