// Changing and deleting payments: renumbering, a new supplier, deleting lines and payments with
// every refusal, and the opening-balance mode.

#include "payment_fixture.h"
#include "payments/payment_delete.h"
#include "payments/payment_header.h"

namespace payment_test {
namespace {

class PaymentChanges : public PaymentTest {
protected:
    qint64 twoLines(const QString& supplier = QStringLiteral("ACME")) {
        setCounters(kAcctB, 100, 41);
        return enter(payment(PayType::Electronic,
                             {{QStringLiteral("RENT"), 115.0}, {QStringLiteral("MOTOR"), 46.0}},
                             supplier));
    }
    HeaderInput edited(qint64 number, const QString& supplier = QStringLiteral("ACME")) {
        return {1,
                PayType::Electronic,
                QString::number(number),
                QDate(2025, 7, 1),
                kBankB,
                kAcctB,
                supplier};
    }
    std::vector<PaymentLine> lines(qint64 n) {
        return paymentLines(c, findPayment(c, 1, n)->key());
    }
};

TEST_F(PaymentChanges, ANewNumberMovesEveryLineJournalLineAndTheBankRow) {
    ASSERT_EQ(twoLines(), 42);
    ASSERT_TRUE(saveEditedPayment(c, edited(60), 42).ok());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVCHQDET WHERE CHEQUENO = '60' AND "
                                   "CHQBNKCOY = '60-2222222-00-1' AND CHQDATE = '2025-07-01'")),
              2);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVACTTR WHERE TRANNUM = 60 AND REF = '60' "
                                   "AND BNKLINKNO = '120300-2222222-00-60' AND SRCHCODE LIKE "
                                   "'%-60-_' AND TRANDATE = '2025-07-01'")),
              2);
    EXPECT_EQ(sql("SELECT TRANNUM || ' ' || TRANDATE || ' ' || AMOUNT FROM QVBNKTR").toString(),
              QStringLiteral("60 2025-07-01 -161.0"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVCHHDR WHERE TRANNUM = 60")), 1);
}

TEST_F(PaymentChanges, AMissingJournalLineStopsTheRenumberingAndNothingChanges) {
    twoLines();
    c.exec(QStringLiteral("DELETE FROM QVACTTR WHERE ACCTCODE = 'MOTOR'"));
    const PaymentResult r = saveEditedPayment(c, edited(60), 42);
    EXPECT_EQ(r.message, QStringLiteral("Could not update transaction number in details!"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVCHQDET WHERE CHEQUENO = '42'")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVBNKTR WHERE TRANNUM = 42")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVCHHDR WHERE TRANNUM = 42")), 1);
}

// mend: the new tax comes from the tax-inclusive TOT_AMT.
TEST_F(PaymentChanges, ARegisteredSupplierInsteadOfAnUnregisteredOneClaimsTheTaxInTheLines) {
    twoLines(QStringLiteral("BOB"));
    EXPECT_DOUBLE_EQ(money("SELECT GSTAMT FROM QVCHHDR"), 0.0);
    ASSERT_TRUE(saveEditedPayment(c, edited(42, QStringLiteral("ACME")), 42).ok());
    EXPECT_DOUBLE_EQ(money("SELECT GSTAMT FROM QVCHQDET WHERE ACCTNO = 'RENT'"), 15.0);
    EXPECT_DOUBLE_EQ(money("SELECT GSTAMT FROM QVCHQDET WHERE ACCTNO = 'MOTOR'"), 6.0);
    EXPECT_DOUBLE_EQ(money("SELECT GSTAMT FROM QVCHHDR"), 21.0);
    EXPECT_DOUBLE_EQ(money("SELECT SUM(GSTAMT) FROM QVACTTR"), 21.0);
    EXPECT_EQ(count(QStringLiteral("SELECT SUM(HASGST) FROM QVACTTR WHERE SUPPCODE = 'ACME'")), 2);
    // And back: a supplier not registered takes the tax away again.
    ASSERT_TRUE(saveEditedPayment(c, edited(42, QStringLiteral("BOB")), 42).ok());
    EXPECT_DOUBLE_EQ(money("SELECT SUM(GSTAMT) FROM QVACTTR"), 0.0);
    EXPECT_DOUBLE_EQ(money("SELECT GSTAMT FROM QVCHHDR"), 0.0);
}

TEST_F(PaymentChanges, APaymentWhoseTaxWasCalculatedKeepsItsDate) {
    twoLines();
    c.exec(QStringLiteral("UPDATE QVCHHDR SET GSTCALC = 1"));
    const PaymentResult r = saveEditedPayment(c, edited(42), 42);
    EXPECT_EQ(r.problem, PaymentProblem::TaxedDate);
    EXPECT_EQ(r.message,
              QStringLiteral("Its sales tax has been calculated: the date cannot be changed."));
    const std::pair<const char*, int> kept[] = {
        {"SELECT COUNT(*) FROM QVCHHDR WHERE CHQDATE = '2025-06-03'", 1},
        {"SELECT COUNT(*) FROM QVCHQDET WHERE CHQDATE = '2025-06-03'", 2},
        {"SELECT COUNT(*) FROM QVACTTR WHERE TRANDATE = '2025-06-03'", 2},
        {"SELECT COUNT(*) FROM QVBNKTR WHERE TRANDATE = '2025-06-03'", 1}};
    for (const auto& [q, n] : kept) EXPECT_EQ(count(QLatin1String(q)), n) << q;
    // The same date with a new number is still saved.
    HeaderInput sameDate = edited(60);
    sameDate.date = QDate(2025, 6, 3);
    EXPECT_TRUE(saveEditedPayment(c, sameDate, 42).ok());
}

TEST_F(PaymentChanges, DeletingEveryLineRemovesTheBankRowAndGivesTheBalanceBack) {
    const qint64 n = twoLines();
    EXPECT_DOUBLE_EQ(balance(kBankB, kAcctB), 839.0);
    for (const PaymentLine& l : lines(n)) ASSERT_TRUE(deletePaymentLine(c, 1, n, l.rowId).ok());
    EXPECT_DOUBLE_EQ(money("SELECT AMOUNT FROM QVCHHDR"), 0.0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVBNKTR")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVACTTR")), 0);
    EXPECT_DOUBLE_EQ(balance(kBankB, kAcctB), 1000.0);
    EXPECT_EQ(deletePaymentLine(c, 1, n, 12345).message, QStringLiteral("No entries to delete."));
}

TEST_F(PaymentChanges, DeletingAPaymentRemovesItAllAndKeepsTheCounters) {
    const qint64 n = twoLines();
    ASSERT_TRUE(deletePayment(c, 1, n).ok());
    for (const char* t : {"QVCHHDR", "QVCHQDET", "QVACTTR", "QVBNKTR"})
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(t))), 0) << t;
    EXPECT_DOUBLE_EQ(balance(kBankB, kAcctB), 1000.0);
    EXPECT_EQ(sql("SELECT LASTREFNO FROM QVBNKACT WHERE ACCTNO = '2222222-00'").toLongLong(), 42);
}

TEST_F(PaymentChanges, AReconciledPaymentCannotBeDeletedNorLoseALine) {
    const qint64 n = twoLines();
    c.exec(QStringLiteral("UPDATE QVCHHDR SET CONFIRMED = 1"));
    EXPECT_EQ(deletePayment(c, 1, n).message,
              QStringLiteral("Cannot delete ... has been reconciled!"));
    EXPECT_EQ(deletePaymentLine(c, 1, n, lines(n).front().rowId).problem, PaymentProblem::Locked);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVCHQDET")), 2);
    EXPECT_DOUBLE_EQ(balance(kBankB, kAcctB), 839.0);
}

TEST_F(PaymentChanges, APaymentWithoutItsBankRowIsNotDeleted) {
    const qint64 n = twoLines();
    c.exec(QStringLiteral("DELETE FROM QVBNKTR"));
    EXPECT_EQ(deletePayment(c, 1, n).message,
              QStringLiteral("Could not delete bank transaction  42"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVCHQDET")), 2);
}

// mend: a line that cannot be deleted keeps the header, the other lines and the bank row.
TEST_F(PaymentChanges, ALineThatCannotBeDeletedKeepsThePaymentWhole) {
    const qint64 n = twoLines();
    c.exec(
        QStringLiteral("CREATE TRIGGER keep_motor BEFORE DELETE ON QVCHQDET WHEN "
                       "OLD.ACCTNO = 'MOTOR' BEGIN SELECT RAISE(ABORT, 'in use'); END"));
    EXPECT_EQ(deletePayment(c, 1, n).message,
              QStringLiteral("Could not delete details..may be in use."));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVCHHDR")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVCHQDET")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVACTTR")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVBNKTR")), 1);
    EXPECT_DOUBLE_EQ(balance(kBankB, kAcctB), 839.0);
}

TEST_F(PaymentChanges, TheOpeningBalanceModeLeavesTheBalanceAndSumsTheAccountsPayments) {
    NewPayment p = payment(PayType::Cheque, {{QStringLiteral("RENT"), 115.0}});
    p.openingBalanceMode = true;
    const qint64 first = enter(p);
    p.lines = {{QStringLiteral("RENT"), 20.0}, {QStringLiteral("MOTOR"), 5.5}};
    enter(p);
    EXPECT_DOUBLE_EQ(balance(kBankB, kAcctB), 1000.0);
    EXPECT_DOUBLE_EQ(accountPaymentsTotal(c, 1, kAcctB), 140.5);
    ASSERT_TRUE(deletePayment(c, 1, first, true).ok());
    EXPECT_DOUBLE_EQ(accountPaymentsTotal(c, 1, kAcctB), 25.5);
    EXPECT_DOUBLE_EQ(balance(kBankB, kAcctB), 1000.0);
}

}  // namespace
}  // namespace payment_test
