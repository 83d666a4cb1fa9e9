// The six export formats on a small book whose first deposit's description holds a comma, a
// quote and a line break: each file read back field by field.
#include <shapefil.h>

#include <QFile>

#include "exchange/export_accomplish.h"
#include "exchange/export_text.h"
#include "exchange/import_records.h"
#include "exchange_fixture.h"
#include "store/format.h"

namespace exchange_test {
namespace {

using exchange::ExportFormat;

class ExportTest : public ExchangeTest {
protected:
    void SetUp() override {
        ExchangeTest::SetUp();
        // The cheque payment has two lines; every account but INTEREST has an export code.
        makeBook();
        c.exec(
            QStringLiteral("UPDATE QVACCDET SET EXPCODE = CASE ACCTCODE WHEN 'INTEREST' THEN '' "
                           "ELSE 'X' || ACCTCODE END"));
    }
    exchange::ExportOutcome run(ExportFormat f) {
        return exchange::runExport(c, f, request(folder.path()));
    }
    QString text(const char* name) { return fileText(folder.path() + QLatin1String(name)); }
    // The file's records split as the import splits them.
    std::vector<QStringList> records(const char* name) {
        return exchange::splitRecords(text(name));
    }
    qint64 journalCount() {
        return count(QStringLiteral(
            "SELECT COUNT(*) FROM QVACTTR WHERE TRANDATE BETWEEN '2025-06-01' AND '2025-06-30'"));
    }
    QString salesDesc() { return QStringLiteral("EFTPOS-") + kAwkward; }
    static const QStringList* find(const std::vector<QStringList>& rs, int field,
                                   const QString& v) {
        for (const QStringList& r : rs)
            if (r.value(field) == v) return &r;
        return nullptr;
    }
};

TEST(ExportText, NumbersMoneyAndTheEmptyDate) {
    EXPECT_EQ(exchange::numberText(12.5), "12.5");
    EXPECT_EQ(exchange::numberText(100), "100");
    EXPECT_EQ(exchange::numberText(-3.75), "-3.75");
    EXPECT_EQ(exchange::numberText(1234567890.12), "1234567890.12");
    // Whole cents take a quicker path than other figures; both write the general form.
    for (const double v : {0.01, -0.05, 0.1, -0.5, 7.0, 99999999999.99, -123456.78, 0.125, 1e-7,
                           2.5e14, -1e16, 1.0 / 3.0})
        EXPECT_EQ(exchange::numberText(v), QString::number(v, 'g', 15)) << v;
    for (qint64 cents = -100000; cents <= 100000; cents += 7)
        ASSERT_EQ(
            exchange::numberText(double(cents) / 100.0),
            cents == 0 ? QStringLiteral("0") : QString::number(double(cents) / 100.0, 'g', 15))
            << cents;
    EXPECT_EQ(exchange::myobMoney(999.99), "$999.99");
    EXPECT_EQ(exchange::myobMoney(1234.5), "\"$1234.50\"");
    EXPECT_EQ(exchange::myobMoney(-5), "$-5.00");
    EXPECT_EQ(exchange::exportDate(QDate()), store::fmt::shortDate(QDate(1899, 12, 30)));
    EXPECT_EQ(exchange::csvField(QStringLiteral("a,\"b\"")), "\"a,\"\"b\"\"\"");
    EXPECT_EQ(exchange::plainField(kAwkward), "Paid; 'in full' thanks");
}

TEST_F(ExportTest, OwnFormatReadsBackAsItself) {
    const auto out = run(ExportFormat::Own);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.files, (QStringList{"NRVExp.txt", "NRVBnk.txt"}));
    EXPECT_TRUE(text("NRVExp.txt").contains(QStringLiteral("\"\"in full\"\"")));
    const auto journal = records("NRVExp.txt");
    ASSERT_EQ(qint64(journal.size()), journalCount());
    const QStringList* sales = find(journal, 7, salesDesc());
    ASSERT_NE(sales, nullptr);
    ASSERT_EQ(sales->size(), 21);
    EXPECT_EQ(sales->at(0), "SALES");
    EXPECT_EQ(sales->at(8), "115");
    EXPECT_EQ(sales->at(11), "15");
    EXPECT_EQ(sales->at(12), store::fmt::shortDate(QDate(1899, 12, 30)));
    EXPECT_EQ(sales->at(14), store::fmt::shortDate(QDate(2025, 6, 2)));
    EXPECT_EQ(sales->at(16), "I");
    const auto line = exchange::parseJournalLine(*sales);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->desc, salesDesc());
    // Every bank row is in the bank file, a transfer's two rows too, so the import moves them;
    // its dates are quoted.
    const auto bank = records("NRVBnk.txt");
    ASSERT_GT(count("SELECT COUNT(*) FROM QVBNKTR WHERE SOURCE = 'TRNFR'"), 0);
    EXPECT_EQ(qint64(bank.size()), count("SELECT COUNT(*) FROM QVBNKTR"));
    EXPECT_TRUE(text("NRVBnk.txt")
                    .contains(QLatin1Char('"') + store::fmt::shortDate(QDate(2025, 6, 2)) +
                              QLatin1Char('"')));
    for (const QStringList& r : bank) EXPECT_EQ(r.size(), 16);
}

// The own format is written from the stored bytes: every field reads back as the general readers
// read it, for texts with trailing blanks, characters beyond ASCII or bytes that are not UTF-8,
// dates that are no dates and a transaction number past what a double holds exactly.
TEST_F(ExportTest, OwnFormatFieldsAreTheStoredValuesAsTheProgramReadsThem) {
    c.exec(QStringLiteral(
        "UPDATE QVACTTR SET DESC = 'Café “Ω” ' || DESC || '   ', REF = CAST(X'41C3' AS TEXT),"
        " GSTDATE = '2025-02-30', TRANNUM = 9007199254740993 WHERE ACCTCODE = 'RENT'"));
    c.exec(QStringLiteral("UPDATE QVACTTR SET GSTDATE = 'soon' WHERE ACCTCODE = 'MOTOR'"));
    c.exec(QStringLiteral("UPDATE QVBNKTR SET REASON = 'Zoë ' || REASON || '  '"));
    ASSERT_TRUE(run(ExportFormat::Own).ok);
    using exchange::exportDate, exchange::numberText;
    const auto n = [](qint64 v) { return QString::number(v); };
    std::vector<QStringList> expected;
    exchange::forEachJournalRow(c, request(folder.path()).range, [&](const auto& j) {
        expected.push_back({j.acctCode,
                            j.ref,
                            j.suppCode,
                            j.clientCode,
                            j.gstType,
                            n(j.lineNo),
                            j.bankAcct,
                            j.desc,
                            numberText(j.amount),
                            numberText(j.busAmt),
                            n(j.zeroRated),
                            numberText(j.gstAmt),
                            exportDate(j.gstDate),
                            numberText(double(j.tranNum)),
                            exportDate(j.tranDate),
                            n(j.hasBnkAcct),
                            j.tranType,
                            j.splitDest,
                            j.splitSourc,
                            j.reason,
                            j.cliJobNo});
    });
    EXPECT_EQ(records("NRVExp.txt"), expected);
    EXPECT_TRUE(text("NRVExp.txt").contains(QStringLiteral("\"A\uFFFD\"")));
    expected.clear();
    exchange::forEachBankTranRow(
        c, request(folder.path()).range,
        [&](const auto& b) {
            expected.push_back({b.bankCode, b.bankAcct, b.source, b.destBank, b.destAcct,
                                b.sourceBank, b.sourceAcct, b.reason, numberText(b.amount),
                                n(b.confirmed), n(b.reconciled), exportDate(b.tranDate),
                                numberText(double(b.tranNum)), b.tranType, b.tranRef,
                                n(b.cshAccDet)});
        },
        exchange::Transfers::Included);
    EXPECT_EQ(records("NRVBnk.txt"), expected);
}

TEST_F(ExportTest, CsvFollowsRfc4180) {
    ASSERT_TRUE(run(ExportFormat::Csv).ok);
    const auto rows = records("MRGExcel.csv");
    ASSERT_EQ(qint64(rows.size()), journalCount() + 1);
    EXPECT_EQ(rows.front().join(','),
              "Tran No.,Date,Ledger Code,Supplier,Client,Bank acct,Description,Amount,Tax, Reason");
    const QStringList* sales = find(rows, 6, salesDesc());
    ASSERT_NE(sales, nullptr);
    EXPECT_EQ(sales->size(), 10);
    EXPECT_EQ(sales->at(7), "115");
    EXPECT_EQ(sales->at(9), "DEP");
}

TEST_F(ExportTest, BurgeAndQuickenKeepEachRecordWholeAndLeaveWhollyPrivateLinesOut) {
    const qint64 wholly = count(
        "SELECT COUNT(*) FROM QVACTTR T JOIN QVACCDET A ON A.FULLCODE = "
        "T.FULLCODE WHERE A.DOMESTIC = 1 AND A.ALLOCPER = 100");
    ASSERT_GT(wholly, 0);
    ASSERT_TRUE(run(ExportFormat::Burge).ok);
    const QStringList burge = text("CashMan.txt").split("\r\n", Qt::SkipEmptyParts);
    EXPECT_EQ(burge.size(), journalCount() - wholly);
    for (const QString& l : burge) EXPECT_EQ(l.count(','), 6) << l.toStdString();
    EXPECT_EQ(burge.filter(QStringLiteral(",RENT,-100,-15,0,EFTPOS-Rent received")).size(), 1);
    EXPECT_EQ(burge.filter(QStringLiteral("EFTPOS-Paid; 'in full' thanks")).size(), 1);

    ASSERT_TRUE(run(ExportFormat::Quicken).ok);
    const QStringList qif = text("NRVQuik.qif").split("\r\n", Qt::SkipEmptyParts);
    EXPECT_EQ(qif.front(), "!Type:Cash");
    EXPECT_EQ(qif.size() - 1, (journalCount() - wholly) * 7);
    const qsizetype rent = qif.indexOf(QStringLiteral("T-115.00"));
    ASSERT_GE(rent, 0);
    EXPECT_EQ(qif.mid(rent + 2, 3), (QStringList{"MEFTPOS-Rent received", "S[Cash]", "$115.00"}));
    EXPECT_TRUE(qif.contains(QStringLiteral("MEFTPOS-Paid, \"in full\" thanks")));
}

TEST_F(ExportTest, MyobSpendMoneyHasEveryPaymentWithTheChequeCode) {
    const auto out = run(ExportFormat::Myob);
    ASSERT_TRUE(out.ok);
    const QStringList journal = text("JOURNAL.txt").split("\r\n");
    EXPECT_EQ(journal.front(),
              "Journal Number, Date, Memo, Account No, Debit Amount, Credit Amount, Job");
    EXPECT_FALSE(journal.filter(QStringLiteral(",BNK2,$115.00,,")).isEmpty());
    // The transfer of 20.00 between the company's own accounts is no spending or income.
    EXPECT_TRUE(journal.filter(QStringLiteral("$20.00")).isEmpty());
    const auto spend = records("SPENDMONEY.txt");
    EXPECT_EQ(spend.front().join(','),
              "Cheque Account, Cheque No., Date, Co./Last Name, Memo, "
              "Allocation Account, Amount, GST Amount, Job");
    int firsts = 0;
    for (const QStringList& r : spend) firsts += r.value(0) == "CHQ1";
    EXPECT_NE(find(spend, 4, "$280.00"), nullptr);  // the cheque's two lines
    EXPECT_EQ(firsts, 3);                           // cheque, electronic and cash
    EXPECT_NE(find(spend, 6, "$230.00"), nullptr);
    EXPECT_NE(find(spend, 6, "$57.50"), nullptr);
    EXPECT_NE(find(spend, 6, "$11.50"), nullptr);
}

TEST_F(ExportTest, MyobWithoutPaymentsFailsAndKeepsTheJournal) {
    c.exec("DELETE FROM QVCHHDR");
    const auto out = run(ExportFormat::Myob);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.problem, exchange::kNoCheques);
    EXPECT_TRUE(QFile::exists(folder.path() + "JOURNAL.txt"));
}

TEST_F(ExportTest, AccomplishFillsTheTableTheDbaseFileAndTheErrorList) {
    const auto out = run(ExportFormat::Accomplish);
    ASSERT_TRUE(out.ok) << out.problem.toStdString();
    const QString err = text("NRVErr.txt");
    SCOPED_TRACE(err.toStdString());
    EXPECT_TRUE(err.startsWith("Account code INTEREST has no export account defined.\r\n"));
    const qint64 lines = journalCount();
    const qint64 wholly = count("SELECT COUNT(*) FROM QVACTTR WHERE ACCTCODE = 'HOME'");
    EXPECT_TRUE(err.endsWith(QString::number(lines - wholly - 1) +
                             " transactions were copied.\r\n"
                             "1 were not copied because of errors.\r\n"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM CASHMAN WHERE ACCOUNT = 'XHOME'"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM CASHMAN WHERE ACCOUNT = 'XRENT' AND AMOUNT = -100 "
                    "AND GSTAMOUNT = -15 AND SOURCE = 'C' AND QUANTITY = 0"),
              1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM CASHMAN WHERE REF = '999999' AND DATE = '2025-07-01'"),
              4);
    EXPECT_EQ(count("SELECT COUNT(*) FROM CASHMAN WHERE ACCOUNT = 'CHQ1' "
                    "AND DETAILS = 'G.S.T. on Cash receipts - Bank #1'"),
              1);

    DBFHandle h = DBFOpen(QFile::encodeName(folder.path() + "CASHMAN.DBF").constData(), "rb");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(DBFGetRecordCount(h), int(count("SELECT COUNT(*) FROM CASHMAN")));
    EXPECT_EQ(DBFGetFieldCount(h), 8);
    EXPECT_EQ(DBFGetNativeFieldType(h, 0), 'D');
    bool sawSales = false;
    for (int i = 0; i < DBFGetRecordCount(h); ++i) {
        if (QString::fromUtf8(DBFReadStringAttribute(h, i, 6)) != salesDesc()) continue;
        sawSales = true;
        EXPECT_STREQ(DBFReadStringAttribute(h, i, 0), "20250602");
        EXPECT_EQ(DBFReadDoubleAttribute(h, i, 3), 100.0);
        EXPECT_EQ(DBFReadDoubleAttribute(h, i, 4), 15.0);
        EXPECT_STREQ(DBFReadStringAttribute(h, i, 7), "D");
    }
    DBFClose(h);
    EXPECT_TRUE(sawSales);
}

TEST_F(ExportTest, AnEmptyRangeFailsWithItsMessage) {
    auto r = request(folder.path());
    r.range.start = r.range.end = QDate(2030, 1, 1);
    for (ExportFormat f : {ExportFormat::Own, ExportFormat::Csv, ExportFormat::Accomplish}) {
        const auto out = exchange::runExport(c, f, r);
        EXPECT_FALSE(out.ok);
        EXPECT_EQ(out.problem, exchange::kNoEntries);
    }
}

}  // namespace
}  // namespace exchange_test
