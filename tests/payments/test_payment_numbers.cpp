// Payment numbers: what a new payment proposes, what saving or cancelling it leaves in the
// account's counters, and the numbers a payment may not take.

#include "payment_fixture.h"
#include "payments/payment_header.h"

namespace payment_test {
namespace {

struct NumberCase {
    const char* story;
    std::optional<PayType> saved;  // nothing: the new payment is cancelled
    qint64 number;
    qint64 lastChq, lastRefNo;  // the counters afterwards
};

class PaymentNumbers : public PaymentTest, public ::testing::WithParamInterface<NumberCase> {};

// LASTREFNO 41 and LASTCHQ 100: a new payment proposes 42 as a transfer and 101 as a cheque.
TEST_P(PaymentNumbers, CountersAfterSaveOrCancel) {
    const NumberCase& k = GetParam();
    setCounters(kAcctB, 100, 41);
    const Reservation r = reserveNumbers(c, 1, kBankB, kAcctB);
    EXPECT_EQ(proposedNumber(r, PayType::Electronic), 42);
    EXPECT_EQ(proposedNumber(r, PayType::Cheque), 101);
    if (k.saved) {
        const HeaderInput h{1,      *k.saved, QString::number(k.number), QDate(2025, 6, 3), kBankB,
                            kAcctB, QString()};
        ASSERT_TRUE(saveNewPayment(c, h, r).ok());
    } else {
        cancelReservation(c, r);
    }
    EXPECT_EQ(sql("SELECT LASTCHQ FROM QVBNKACT WHERE ACCTNO = '2222222-00'").toLongLong(),
              k.lastChq)
        << k.story;
    EXPECT_EQ(sql("SELECT LASTREFNO FROM QVBNKACT WHERE ACCTNO = '2222222-00'").toLongLong(),
              k.lastRefNo)
        << k.story;
}

INSTANTIATE_TEST_SUITE_P(
    Table, PaymentNumbers,
    ::testing::Values(NumberCase{"transfer 42 takes LASTREFNO, gives the cheque back",
                                 PayType::Electronic, 42, 100, 42},
                      NumberCase{"cash 42 counts like a transfer", PayType::Cash, 42, 100, 42},
                      NumberCase{"cheque 101 keeps its reservation", PayType::Cheque, 101, 101, 41},
                      NumberCase{"cheque 105 raises LASTCHQ", PayType::Cheque, 105, 105, 41},
                      NumberCase{"cheque 90 below the counter keeps the reserved 101",
                                 PayType::Cheque, 90, 101, 41},
                      NumberCase{"cancelling gives the cheque back, not the reference",
                                 std::nullopt, 0, 100, 42}));

TEST_F(PaymentTest, ANumberUsedByAnyBankRowOfTheCompanyIsRefused) {
    banking::BankEntry deposit = entry(banking::EntryType::Deposit, 50.0, QStringLiteral("SALES"));
    ASSERT_TRUE(add(deposit).ok());  // in account A
    const Reservation r = reserveNumbers(c, 1, kBankB, kAcctB);
    const HeaderInput h{
        1,      PayType::Cheque, QString::number(deposit.reference), QDate(2025, 6, 3), kBankB,
        kAcctB, QString()};
    const PaymentResult result = saveNewPayment(c, h, r);
    EXPECT_EQ(result.problem, PaymentProblem::NumberInUse);
    EXPECT_EQ(result.message, QStringLiteral("This transaction number is in use.. enter another."));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVCHHDR")), 0);
}

TEST_F(PaymentTest, ADuplicatePaymentNumberIsRefusedAndNothingIsWritten) {
    setCounters(kAcctB, 100, 41);
    enter(payment(PayType::Electronic, {}));  // 42, no lines yet: no bank row
    const Reservation r = reserveNumbers(c, 1, kBankB, kAcctB);
    const HeaderInput h{1,      PayType::Cheque, QStringLiteral("42"), QDate(2025, 6, 3), kBankB,
                        kAcctB, QString()};
    const PaymentResult result = saveNewPayment(c, h, r);
    EXPECT_EQ(result.message, QStringLiteral("42 is a duplicate transaction number!"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVCHHDR")), 1);
    for (const char* bad : {"", "abc", "0", "-5", "1.5", "999999999999"})
        EXPECT_EQ(newPaymentProblem(c, {1, PayType::Cheque, QLatin1String(bad), QDate(2025, 6, 3),
                                        kBankB, kAcctB, QString()}),
                  PaymentProblem::BadNumber)
            << bad;
}

}  // namespace
}  // namespace payment_test
