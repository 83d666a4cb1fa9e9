// The tax returns' rules on books posted through the bank, payment and cash rules: the period
// rule, the New Zealand boxes worked by hand, the audit's groups, finalising, and the Australian
// worksheet.
#include <gtest/gtest.h>

#include "payments/payment_delete.h"
#include "store/format.h"
#include "tax/aus_return.h"
#include "tax/finalise.h"
#include "tax/line_groups.h"
#include "tax/nz_return.h"
#include "tax/tax_company.h"
#include "tax_fixture.h"

namespace {

namespace sample = banking::sample;
using posting_test::kAcctA;
using posting_test::kBankA;
using tax_test::kNovDec;
using tax_test::TaxBookTest;

struct TaxPeriodCase {
    const char* story;
    QDate start;
    int months;
    QDate end;
};

class TaxPeriodEnds : public ::testing::TestWithParam<TaxPeriodCase> {};

TEST_P(TaxPeriodEnds, EndAtTheLastDayOfTheLastMonth) {
    EXPECT_EQ(tax::periodEnd(GetParam().start, GetParam().months), GetParam().end)
        << GetParam().story;
}

INSTANTIATE_TEST_SUITE_P(
    Periods, TaxPeriodEnds,
    ::testing::Values(
        TaxPeriodCase{"two-monthly from 1 Nov", QDate(2010, 11, 1), 2, QDate(2010, 12, 31)},
        TaxPeriodCase{"two-monthly from 1 Dec rolls the year", QDate(2010, 12, 1), 2,
                      QDate(2011, 1, 31)},
        TaxPeriodCase{"six-monthly from 1 Oct", QDate(2010, 10, 1), 6, QDate(2011, 3, 31)},
        TaxPeriodCase{"six-monthly from 1 Apr", QDate(2011, 4, 1), 6, QDate(2011, 9, 30)},
        TaxPeriodCase{"monthly February of a leap year", QDate(2024, 2, 1), 1, QDate(2024, 2, 29)},
        TaxPeriodCase{"a start in mid-month ends at a month end", QDate(2023, 2, 15), 1,
                      QDate(2023, 2, 28)}));

TEST(TaxPeriodRule, TheNextPeriodStartsTheMonthAfterTheLastEnd) {
    EXPECT_EQ(tax::nextPeriodStart(QDate(2011, 3, 31)), QDate(2011, 4, 1));
    EXPECT_EQ(tax::nextPeriodStart(QDate(2010, 12, 31)), QDate(2011, 1, 1));
    EXPECT_EQ(tax::paymentDueDate(QDate(2025, 12, 31)), QDate(2026, 1, 28));
}

TEST(TaxBoxes, BoxFifteenIsBoxTenLessBoxFourteenEvenWhenCreditsAreNegative) {
    tax::NzSums s;
    s.salesAndIncome = {11500, 1500};
    s.expenses = {-23000, -3000};  // credits reversed
    const tax::NzReturn r = tax::nzReturnFrom(s, 0);
    EXPECT_EQ(r.box14, -3000);
    EXPECT_EQ(r.box15, 1500 + 3000);
}

TEST(TaxBoxes, OnlyZeroRatedSalesLeaveBoxEightAtZero) {
    tax::NzSums s;
    s.zeroRated = {200000, 500};
    s.salesAndIncome = {0, 0};
    const tax::NzReturn r = tax::nzReturnFrom(s, 0);
    EXPECT_EQ(r.box7, 0);
    EXPECT_EQ(r.box8, 0);
    EXPECT_TRUE(tax::storedFigures(r).refund());  // box 15 exactly 0 is a refund
}

TEST(TaxBoxes, TypedFiguresAreRoundedOnceOrRefused) {
    EXPECT_EQ(tax::typedBoxCents(""), 0);
    EXPECT_EQ(tax::typedBoxCents(" 12.505 "), 1251);
    EXPECT_EQ(tax::typedBoxCents("-0.005"), -1);
    EXPECT_EQ(tax::typedBoxCents("99999999999.99"), 9999999999999);
    EXPECT_FALSE(tax::typedBoxCents("1e300").has_value());
    EXPECT_FALSE(tax::typedBoxCents("12,50").has_value());
}

TEST(TaxBoxes, GSeventeenIsGTwelveLessGSixteenEvenWhenSixteenIsNegative) {
    tax::AusSums s;
    s.g11 = 110000;
    const tax::AusReturn r = tax::ausReturnFrom(s, {0, -50000, 0}, 10);
    EXPECT_EQ(r.g16, -50000);
    EXPECT_EQ(r.g17, 160000);
    EXPECT_EQ(r.g20, 14545);  // 1600.00 / 11 = 145.4545...
}

TEST(TaxCaptions, FifteenPercentReadsAsThreeTwentyThirdsOtherRatesAsTheDivisor) {
    EXPECT_EQ(tax::nzBoxEightCaption(15),
              "Multiply Box 7 by three (3) and divide by twenty-three (23).");
    EXPECT_EQ(tax::nzBoxTwelveCaption(12.5), "Divide Box 11 by 9.00");
    EXPECT_EQ(tax::ausG9Caption(10), "G9    GST on sales (G8 divided by 11.00)");
}

TEST_F(TaxBookTest, BoxesFiveToFifteenMatchTheSumsWorkedByHand) {
    postNovemberDecember();
    const tax::NzReturn r = tax::computeNzReturn(c, 1, kNovDec, 1250);
    // 1150 + 230 taxable sales and a 2000 export; the 115 sale of 1 January is the next period's.
    EXPECT_EQ(r.box5, 338000);
    EXPECT_EQ(r.box6, 200000);
    EXPECT_EQ(r.box7, 138000);
    EXPECT_EQ(r.box8, 18000);
    EXPECT_EQ(r.box9, 1250);
    EXPECT_EQ(r.box10, 19250);
    EXPECT_EQ(r.box11, 57500);  // rent; the private home and the part-private car are not here
    EXPECT_EQ(r.box12, 7500);
    EXPECT_EQ(r.box13, 6000);  // the car's tax
    EXPECT_EQ(r.box14, 13500);
    EXPECT_EQ(r.box15, 5750);
    const tax::NzReturn january =
        tax::computeNzReturn(c, 1, {QDate(2026, 1, 1), QDate(2026, 2, 28)}, 0);
    EXPECT_EQ(january.box5, 11500);
}

TEST_F(TaxBookTest, TheAuditListsExactlyTheLinesOfTheBoxes) {
    postNovemberDecember();
    const tax::NzReturn r = tax::computeNzReturn(c, 1, kNovDec, 0);
    qint64 bus[4] = {}, gst[4] = {};
    for (int g = 0; g < 4; ++g)
        for (const tax::TaxLine& l : tax::linesOfGroup(c, 1, kNovDec, tax::kLineGroups[g])) {
            bus[g] += l.busCents;
            gst[g] += l.gstCents;
        }
    EXPECT_EQ(bus[0] + bus[1], r.box5);
    EXPECT_EQ(bus[1], r.box6);
    EXPECT_EQ(gst[0], r.box8);
    EXPECT_EQ(bus[2], r.box11);
    EXPECT_EQ(gst[2], r.box12);
    EXPECT_EQ(gst[3], r.box13);
    EXPECT_EQ(tax::linesOfGroup(c, 1, kNovDec, tax::LineGroup::ZeroRated).at(0).acctCode, "EXPORT");
}

TEST_F(TaxBookTest, FinalisingMarksLocksAndStoresOnceWithTheFiguresOfTheLines) {
    postNovemberDecember();
    const tax::NzReturn shown = tax::computeNzReturn(c, 1, kNovDec, 1250);
    cashSale(46.00, 6.00, QDate(2025, 12, 15));  // entered after the return was shown
    tax::NzReturn marked;
    const tax::FinaliseResult f = tax::finaliseNzReturn(c, 1, kNovDec, 1250, &marked);
    ASSERT_TRUE(f.ok()) << f.message.toStdString();
    EXPECT_EQ(marked.box5, shown.box5 + 4600);
    EXPECT_EQ(f.stored.gstAmount, shown.box15 + 600);

    // Stored once, with the figures of the lines marked.
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVGST"), 1);
    EXPECT_EQ(money("SELECT GSTAMOUNT FROM QVGST"), 63.50);
    EXPECT_EQ(money("SELECT INCOME FROM QVGST"), 3426.00);
    EXPECT_EQ(count("SELECT REFUND FROM QVGST"), 0);
    EXPECT_EQ(sql("SELECT GSTENDDATE FROM QVGST").toDate(), kNovDec.end);
    // Every counted line and the period's payment is marked; the wholly private home, the
    // untaxed interest and the sale of 1 January are not.
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVACTTR WHERE GSTCALC = 1 AND GSTDATE = '2025-12-31'"),
              6);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVACTTR WHERE GSTCALC = 1 AND ACCTCODE IN "
                    "('HOME', 'INTEREST', 'DRAWINGS') OR TRANDATE = '2026-01-01' AND GSTCALC = 1"),
              0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVCHHDR WHERE GSTCALC = 1"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVCHQDET WHERE GSTCALC = 1"), 1);

    // Locked, refused a second time, and the window proposes the next period.
    EXPECT_FALSE(cash::deleteCashLine(c, cashSaleEndDate).ok);
    EXPECT_FALSE(payments::deletePayment(c, 1, rentPayment).ok());
    const tax::FinaliseResult again = tax::finaliseNzReturn(c, 1, kNovDec, 0);
    EXPECT_EQ(again.outcome, tax::FinaliseOutcome::AlreadyFiled);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVGST"), 1);
    EXPECT_EQ(tax::computeNzReturn(c, 1, kNovDec, 0).box5, 0);
    const tax::TaxPeriod next = tax::proposedPeriod(c, 1, 2, QDate(2026, 6, 1));
    EXPECT_EQ(next.start, QDate(2026, 1, 1));
    EXPECT_EQ(next.end, QDate(2026, 2, 28));
    EXPECT_TRUE(tax::filedPeriodContaining(c, 1, QDate(2025, 12, 31)).has_value());
    EXPECT_FALSE(tax::filedPeriodContaining(c, 1, QDate(2026, 1, 1)).has_value());
}

TEST_F(TaxBookTest, EntriesInAFiledPeriodAskFirstAndCountedBankEntriesStayLocked) {
    postNovemberDecember();
    ASSERT_TRUE(tax::finaliseNzReturn(c, 1, kNovDec, 0).ok());
    questions.clear();
    answer = false;
    banking::BankEntry late =
        entry(banking::EntryType::Deposit, 50.00, "SALES", QDate(2025, 12, 10));
    EXPECT_EQ(add(late).outcome, banking::Outcome::Declined);
    EXPECT_EQ(questions, QStringList{tax::filedPeriodQuestion(kNovDec)});
    banking::BankEntry next = entry(banking::EntryType::Deposit, 50.00, "SALES", QDate(2026, 1, 5));
    EXPECT_TRUE(add(next).ok());
    EXPECT_EQ(questions.size(), 1);

    EXPECT_EQ(banking::editRefusal(c, 1, kBankA, kAcctA, salesDeposit),
              banking::Problem::TaxCalculated);
    const banking::SaveResult gone =
        banking::deleteBankEntry(c, 1, kBankA, kAcctA, salesDeposit, confirm());
    EXPECT_EQ(gone.problem, banking::Problem::TaxCalculatedDelete);
    EXPECT_EQ(gone.message, "Cannot delete, Tax has been calculated.");
}

TEST_F(TaxBookTest, AFailureWhileFinalisingLeavesNothingMarked) {
    postNovemberDecember();
    c.exec(
        "CREATE TRIGGER refuse_returns BEFORE INSERT ON QVGst "
        "BEGIN SELECT RAISE(ABORT, 'the disk was removed'); END");
    const tax::FinaliseResult f = tax::finaliseNzReturn(c, 1, kNovDec, 0);
    EXPECT_EQ(f.outcome, tax::FinaliseOutcome::Failed);
    EXPECT_TRUE(f.message.contains("the disk was removed"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVACTTR WHERE GSTCALC <> 0"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVCHHDR WHERE GSTCALC <> 0"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVCHQDET WHERE GSTCALC <> 0"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVGST"), 0);
}

// The Australian worksheet at 10 %: taxed sales 1100.00, an export 500.00, GST-free sales
// 200.00, taxed purchases 330.00, a capital purchase 2200.00, untaxed purchases 90.00, and
// purchases for input-taxed sales 55.00 (taxed).
class AusWorksheetTest : public TaxBookTest {
protected:
    const tax::AusAccountCodes codes{"EXPORT", "", "CAPEX", "INPUTP"};

    void SetUp() override {
        TaxBookTest::SetUp();
        sample::setCompany(c, QStringLiteral("Wattle Traders"), QStringLiteral("TT"), true, 10.0,
                           QStringLiteral("AUS"));
        sample::addLedgerAccount(c, 1, {"FREE", "GST-free sales", "INC", 0, false});
        sample::addLedgerAccount(c, 1, {"CAPEX", "Capital purchases", "EXP", 0, true});
        sample::addLedgerAccount(c, 1, {"WAGES", "Wages", "EXP", 0, false});
        sample::addLedgerAccount(c, 1, {"INPUTP", "Input-taxed purchases", "EXP", 0, true});
        const QDate d(2025, 11, 12);
        deposit("SALES", 1100.00, d);
        deposit("EXPORT", 500.00, d, banking::EntryType::Deposit, 0.0);
        deposit("FREE", 200.00, d);
        deposit("RENT", 330.00, d, banking::EntryType::Withdrawal);
        deposit("CAPEX", 2200.00, d, banking::EntryType::Withdrawal);
        deposit("WAGES", 90.00, d, banking::EntryType::Withdrawal);
        deposit("INPUTP", 55.00, d, banking::EntryType::Withdrawal);
    }
};

TEST_F(AusWorksheetTest, LabelsWithAndWithoutAccountCodes) {
    const tax::AusReturn r = tax::computeAusReturn(c, 1, kNovDec, codes, {1000, 0, 0}, 10);
    EXPECT_EQ(r.g1, 180000);
    EXPECT_EQ(r.g2, 50000);
    EXPECT_EQ(r.g3, 20000);  // untaxed sales, export excluded by its code
    EXPECT_EQ(r.g4, 0);      // no input-taxed sales account set
    EXPECT_EQ(r.g6, 110000);
    EXPECT_EQ(r.g8, 111000);
    EXPECT_EQ(r.g9, 10091);  // 1110.00 / 11
    EXPECT_EQ(r.g10, 220000);
    EXPECT_EQ(r.g11, 33000 + 5500);
    EXPECT_EQ(r.g13, 5500);
    EXPECT_EQ(r.g14, 9000);
    EXPECT_EQ(r.g17, 220000 + 38500 - 14500);
    EXPECT_EQ(r.g20, 22182);  // 2440.00 / 11 = 221.818...
    const tax::AusReturn bare = tax::computeAusReturn(c, 1, kNovDec, {}, {}, 10);
    EXPECT_EQ(bare.g2 + bare.g4 + bare.g10 + bare.g13, 0);
    EXPECT_EQ(bare.g3, 20000);
    EXPECT_EQ(bare.g11, 33000 + 220000 + 5500);
}

TEST_F(AusWorksheetTest, FinalisingStoresTheNetTaxWithRefundBySign) {
    tax::AusReturn r;
    const tax::FinaliseResult f =
        tax::finaliseAusReturn(c, 1, kNovDec, codes, {1000, 0, 0}, 10, &r);
    ASSERT_TRUE(f.ok()) << f.message.toStdString();
    EXPECT_EQ(f.stored.gstAmount, r.g9 - r.g20);
    EXPECT_EQ(money("SELECT GSTAMOUNT FROM QVGST"), double(r.g9 - r.g20) / 100);
    EXPECT_EQ(count("SELECT REFUND FROM QVGST"), 1);  // purchases' tax is larger
    EXPECT_EQ(money("SELECT GSTCREDIT FROM QVGST"), 55.00);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVACTTR WHERE GSTCALC = 0 AND TRANDATE = '2025-11-12'"
                    " AND ACCTCODE <> 'DRAWINGS'"),
              0);
}

}  // namespace
