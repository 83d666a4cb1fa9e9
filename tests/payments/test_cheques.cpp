// Cheques: the amount in words, the cheque report's payments and totals by selection, the
// dialog's description line and dispatch, and a printed cheque's items at their places.

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <limits>

#include "payment_fixture.h"
#include "payments/amount_words.h"
#include "payments/cheque_choice.h"
#include "payments/cheque_print.h"
#include "payments/cheque_report.h"
#include "reports/writers.h"

namespace payment_test {
namespace {

// --- The amount in words ----------------------------------------------------------------------

struct WordsCase {
    double amount;
    const char* words;
};

class AmountWords : public ::testing::TestWithParam<WordsCase> {};

TEST_P(AmountWords, ReadsAsWritten) {
    EXPECT_EQ(amountInWords(GetParam().amount), QString::fromLatin1(GetParam().words))
        << GetParam().amount;
}

INSTANTIATE_TEST_SUITE_P(
    Table, AmountWords,
    ::testing::Values(
        WordsCase{1220.30, "One Thousand, Two Hundred and Twenty dollars and Thirty cents."},
        WordsCase{1000.00, "One Thousand dollars and zero cents."},
        WordsCase{2000000.00, "Two Million dollars and zero cents."},
        WordsCase{1005.00, "One Thousand, Five dollars and zero cents."},
        WordsCase{100.05, "One Hundred dollars and Five cents."},
        WordsCase{0.45, "Forty Five cents."}, WordsCase{0.00, ""},
        WordsCase{-15.00, "Fifteen dollars and zero cents."},
        WordsCase{115.10, "One Hundred and Fifteen dollars and Ten cents."},
        WordsCase{0.005, "One cents."},  // half a cent rounds away from zero
        WordsCase{19.995, "Twenty dollars and zero cents."},
        WordsCase{1234567890.12,
                  "One Billion, Two Hundred and Thirty Four Million, Five Hundred and Sixty Seven "
                  "Thousand, Eight Hundred and Ninety dollars and Twelve cents."},
        WordsCase{1000000001.01, "One Billion, One dollars and One cents."},
        WordsCase{999999999999.99,
                  "Nine Hundred and Ninety Nine Billion, Nine Hundred and Ninety Nine Million, "
                  "Nine Hundred and Ninety Nine Thousand, Nine Hundred and Ninety Nine dollars "
                  "and Ninety Nine cents."},
        WordsCase{2000000000000.00, "Two Trillion dollars and zero cents."},
        WordsCase{1e18, "ERROR:"}, WordsCase{std::numeric_limits<double>::quiet_NaN(), "ERROR:"},
        WordsCase{std::numeric_limits<double>::infinity(), "ERROR:"}));

// --- The report and the cheque over a small book ------------------------------------------------

// Three payments from account B: a miscellaneous cheque in March, a two-line cheque to ACME in
// June (115.00 with 15.00 tax and 10.00 of fees without) and a transfer to BOB in July.
class Cheques : public PaymentTest {
protected:
    void SetUp() override {
        PaymentTest::SetUp();
        NewPayment misc =
            payment(PayType::Cheque, {{QStringLiteral("RENT"), 23.0}}, QStringLiteral("Jo Bloggs"));
        misc.date = QDate(2025, 3, 1);
        jo = enter(misc);
        acme = enter(payment(PayType::Cheque, {{QStringLiteral("RENT"), 115.0},
                                               {QStringLiteral("BANKFEES"), 10.0}}));
        NewPayment transfer =
            payment(PayType::Electronic, {{QStringLiteral("RENT"), 50.0}}, QStringLiteral("BOB"));
        transfer.date = QDate(2025, 7, 10);
        bob = enter(transfer);
    }
    qint64 jo = 0, acme = 0, bob = 0;
};

struct ReportCase {
    const char* story;
    bool fromTicked;
    bool details;
    const char* supplier;
    bool onePayment;            // the ACME cheque by its number
    std::vector<int> payments;  // 0 Jo, 1 ACME, 2 BOB, in order
    const char* subtitle;
    const char* totalPaid;
    const char* tax;
};

class ChequeReports : public Cheques, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(ChequeReports, SelectsAndTotals) {
    const ReportCase& k = GetParam();
    ChequeReportRequest r;
    r.tranNum = k.onePayment ? std::optional<qint64>(acme) : std::nullopt;
    r.supplier = QLatin1String(k.supplier);
    r.fromTicked = k.fromTicked;
    r.from = QDate(2025, 6, 1);
    r.to = QDate(2025, 12, 31);
    r.details = k.details;
    const ChequeReport report = readChequeReport(c, r);
    const qint64 numbers[] = {jo, acme, bob};
    std::vector<qint64> expected, got;
    for (int i : k.payments) expected.push_back(numbers[i]);
    for (const ChequeReportPayment& p : report.payments) got.push_back(p.tranNum);
    EXPECT_EQ(got, expected) << k.story;
    EXPECT_EQ(chequeReportSubtitle(r), QString::fromLatin1(k.subtitle)) << k.story;
    const reports::ReportDocument doc = chequeReportDocument(report, QDate(2026, 1, 5));
    EXPECT_EQ(doc.bands.front().cells.value(0), QStringLiteral("Cheques for :  Test Traders"));
    const auto summary = doc.bandsOf(reports::BandKind::Summary);
    ASSERT_EQ(summary.size(), 1u);
    EXPECT_EQ(summary[0]->cells, (QStringList{QString(), QStringLiteral("Total Paid : "),
                                              QLatin1String(k.totalPaid), QLatin1String(k.tax)}))
        << k.story;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ChequeReports,
    ::testing::Values(
        ReportCase{"no From: every payment up to To, totals of the lines",
                   false,
                   true,
                   "",
                   false,
                   {0, 1, 2},
                   "Issued to : 31 December 2025",
                   "198.00",
                   "18.00"},
        ReportCase{"From without details: the payments' amounts, tax 0.00",
                   true,
                   false,
                   "",
                   false,
                   {1, 2},
                   "Issued between : 1 June 2025  and 31 December 2025",
                   "175.00",
                   "0.00"},
        ReportCase{"one supplier",
                   false,
                   true,
                   "ACME",
                   false,
                   {1},
                   "Issued to : 31 December 2025",
                   "125.00",
                   "15.00"},
        ReportCase{
            "one payment has no subtitle", true, true, "", true, {1}, "", "125.00", "15.00"}));

TEST_F(Cheques, AReportWithDetailsListsEachPaymentsLinesUnderItsSupplier) {
    ChequeReportRequest r;
    r.tranNum = acme;
    const ChequeReport report = readChequeReport(c, r);
    ASSERT_EQ(report.payments.size(), 1u);
    const ChequeReportPayment& p = report.payments[0];
    EXPECT_EQ(p.supplierName, QStringLiteral("Acme Supplies Ltd"));
    ASSERT_EQ(p.lines.size(), 2u);
    EXPECT_EQ(store::fmt::cents(p.lines[0].totAmt), 11500);
    EXPECT_EQ(store::fmt::cents(p.lines[0].gstAmt), 1500);
    EXPECT_EQ(p.lines[1].narrative, QStringLiteral("Bank fees"));
}

// --- The dialog's rules ------------------------------------------------------------------------

TEST(ChequeDescription, NamesThePayeeTheRefundOrTheAmount) {
    const QDate d(2025, 6, 3);
    const QString on = QStringLiteral("  On : ") + store::fmt::shortDate(d);
    EXPECT_EQ(chequeDescription(ChequeSummary{7, QStringLiteral("ACME"), {}, 115.0, d}),
              QStringLiteral("Supplier : ACME Amount 115.00") + on);
    EXPECT_EQ(chequeDescription(ChequeSummary{7, {}, QStringLiteral("CLI9"), 5.5, d}),
              QStringLiteral("Refund : CLI9 Amount 5.50") + on);
    EXPECT_EQ(chequeDescription(ChequeSummary{7, {}, {}, 1234567890.12, d}),
              QStringLiteral("Cheque for : 1234567890.12") + on);
    EXPECT_EQ(chequeDescription(std::nullopt), QStringLiteral("Cannot find cheque."));
}

TEST(ChequeDispatch, PrintAndPreviewMakeTheReportOrTheCheque) {
    EXPECT_EQ(chequeOutput(false, true, true), ChequeOutput::NoCheques);
    EXPECT_EQ(chequeOutput(true, true, true), ChequeOutput::PaymentReport);
    EXPECT_EQ(chequeOutput(true, true, false), ChequeOutput::ChequePrint);
    EXPECT_EQ(chequeOutput(true, false, false), ChequeOutput::DateRangeReport);
}

// --- The printed cheque ------------------------------------------------------------------------

TEST_F(Cheques, TheChequesPayeeIsThePaymentsOwnSupplier) {
    EXPECT_EQ(readChequeFace(c, 1, acme)->payee, QStringLiteral("Acme Supplies Ltd"));
    EXPECT_EQ(readChequeFace(c, 1, jo)->payee, QStringLiteral("Jo Bloggs"));
    EXPECT_FALSE(readChequeFace(c, 1, acme + 1000).has_value());
}

// A word's box on the page, in millimetres, as pdftotext reads it.
struct WordBox {
    QString word;
    double left, top, right;
};

std::vector<WordBox> pdfWords(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    p.waitForFinished(20000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"[\\d.]+\">([^<]*)</word>"));
    std::vector<WordBox> out;
    constexpr double kMmPerPoint = 25.4 / 72.0;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        out.push_back({m.captured(4), m.captured(1).toDouble() * kMmPerPoint,
                       m.captured(2).toDouble() * kMmPerPoint,
                       m.captured(3).toDouble() * kMmPerPoint});
    }
    return out;
}

const WordBox* findWord(const std::vector<WordBox>& words, const QString& text) {
    for (const WordBox& w : words)
        if (w.word == text) return &w;
    return nullptr;
}

TEST_F(Cheques, APrintedChequeCarriesDateAmountAndWordsAtTheirPlaces) {
    const auto face = readChequeFace(c, 1, acme);
    ASSERT_TRUE(face);
    EXPECT_EQ(face->date, QDate(2025, 6, 3));
    EXPECT_EQ(store::fmt::cents(face->amount), 12500);
    EXPECT_EQ(face->words, QStringLiteral("One Hundred and Twenty Five dollars and zero cents."));
    const reports::ReportDocument doc = chequeDocument(*face);
    ASSERT_EQ(doc.formPages.size(), 1u);
    const auto& f = doc.formPages[0].fields;
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[0].text, QStringLiteral("03 06 2025"));
    EXPECT_EQ(f[0].mm.topLeft(), QPointF(149.2, 12.7));
    EXPECT_EQ(f[2].text, QStringLiteral("125.00"));
    EXPECT_EQ(f[2].mm.topLeft(), QPointF(147.9, 27.5));
    EXPECT_EQ(f[3].mm, QRectF(21.2, 29.6, 106.1, 13.0));

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("cheque.pdf"));
    reports::savePdf(doc, pdf);
    const std::vector<WordBox> words = pdfWords(pdf);
    const WordBox* date = findWord(words, QStringLiteral("2025"));
    const WordBox* amount = findWord(words, QStringLiteral("125.00"));
    const WordBox* first = findWord(words, QStringLiteral("One"));
    const WordBox* last = findWord(words, QStringLiteral("cents."));
    ASSERT_TRUE(date && amount && first && last);
    // Right-aligned items end at the right of their boxes; the words start at theirs.
    EXPECT_NEAR(date->right, 178.0, 1.5);
    EXPECT_NEAR(date->top, 12.7, 2.0);
    EXPECT_NEAR(amount->right, 178.0, 1.5);
    EXPECT_NEAR(amount->top, 27.5, 2.0);
    EXPECT_NEAR(first->left, 21.2, 1.0);
    EXPECT_NEAR(first->top, 29.6, 2.0);
    EXPECT_LE(last->right, 21.2 + 106.1 + 0.5);  // wrapped within its width
    EXPECT_GT(last->top, first->top);            // onto a second line
}

}  // namespace
}  // namespace payment_test
