// Saving payment lines: what a line, its journal line, the header and the bank row hold, the
// tax proposed, the suppliers, and the refusals.

#include "payment_fixture.h"
#include "payments/payment_lines.h"
#include "payments/payment_tax.h"

namespace payment_test {
namespace {

struct FieldCase {
    const char* table;
    const char* field;
    const char* expected;
};

// A one-line cheque 101 to ACME from account B: rent of 115.00 including 15.00 tax.
TEST_F(PaymentTest, AOneLineChequeWritesEveryFieldOfItsHeaderLineJournalLineAndBankRow) {
    setCounters(kAcctB, 100, 41);
    NewPayment p = payment(PayType::Cheque, {{QStringLiteral("RENT"), 115.0}});
    EXPECT_EQ(enter(p), 101);
    const std::vector<FieldCase> fields = {
        {"QVCHHDR", "COYCODE", "1"},
        {"QVCHHDR", "TRANNUM", "101"},
        {"QVCHHDR", "CHEQUENO", "101"},
        {"QVCHHDR", "PAYTYPE", "CHQ"},
        {"QVCHHDR", "TRANTYPE", "CHQ"},
        {"QVCHHDR", "BANKCODE", "120300"},
        {"QVCHHDR", "ACCTCODE", "2222222-00"},
        {"QVCHHDR", "FULLCODE", "1-2222222-00"},
        {"QVCHHDR", "CHQBNKCOY", "101-2222222-00-1"},
        {"QVCHHDR", "SUPPTYPE", "REG"},
        {"QVCHHDR", "SUPPLIER", "ACME"},
        {"QVCHHDR", "SUPPCOY", "1-ACME"},
        {"QVCHHDR", "CHQSUPLNK", "101-ACME-1"},
        {"QVCHHDR", "CHQDATE", "2025-06-03"},
        {"QVCHHDR", "AMOUNT", "115.0"},
        {"QVCHHDR", "GSTAMT", "15.0"},
        {"QVCHHDR", "BUSAMT", "0.0"},
        {"QVCHHDR", "NUMLINES", "1"},
        {"QVCHHDR", "CONFIRMED", "0"},
        {"QVCHHDR", "GSTCALC", "0"},
        {"QVCHQDET", "CHQBNKCOY", "101-2222222-00-1"},
        {"QVCHQDET", "COYCODE", "1"},
        {"QVCHQDET", "CHEQUENO", "101"},
        {"QVCHQDET", "LINENO", "1"},
        {"QVCHQDET", "LINKCODE", "1"},
        {"QVCHQDET", "ACCTNO", "RENT"},
        {"QVCHQDET", "BANKACCT", "2222222-00"},
        {"QVCHQDET", "CHQDATE", "2025-06-03"},
        {"QVCHQDET", "NARRATIVE", "Rent"},
        {"QVCHQDET", "TOT_AMT", "115.0"},
        {"QVCHQDET", "GSTAMT", "15.0"},
        {"QVCHQDET", "DOM_AMT", "0.0"},
        {"QVCHQDET", "HASGST", "1"},
        {"QVCHQDET", "GSTCALC", "0"},
        {"QVCHQDET", "STATUS", "P"},
        {"QVCHQDET", "SUPPCODE", "ACME"},
        {"QVCHQDET", "SUPPCOY", "1-ACME"},
        {"QVCHQDET", "CHQSUPLNK", "101-ACME-1"},
        {"QVACTTR", "TRANNUM", "101"},
        {"QVACTTR", "LINENO", "1"},
        {"QVACTTR", "COYCODE", "1"},
        {"QVACTTR", "REF", "101"},
        {"QVACTTR", "BANKACCT", "2222222-00"},
        {"QVACTTR", "BRANCH", "0"},
        {"QVACTTR", "LINKCODE", "1"},
        {"QVACTTR", "TRANTYPE", "E"},
        {"QVACTTR", "GSTTYPE", "N"},
        {"QVACTTR", "BNKLINKNO", "120300-2222222-00-101"},
        {"QVACTTR", "SRCHCODE", "1-RENT-101-1"},
        {"QVACTTR", "ACCTCODE", "RENT"},
        {"QVACTTR", "FULLCODE", "1-RENT"},
        {"QVACTTR", "DESC", "Rent"},
        {"QVACTTR", "TRANDATE", "2025-06-03"},
        {"QVACTTR", "HASBNKACCT", "1"},
        {"QVACTTR", "ZERORATED", "0"},
        {"QVACTTR", "REASON", "CHQ"},
        {"QVACTTR", "SUPPCODE", "ACME"},
        {"QVACTTR", "AMOUNT", "115.0"},
        {"QVACTTR", "BUSAMT", "115.0"},
        {"QVACTTR", "GSTAMT", "15.0"},
        {"QVACTTR", "GSTCALC", "0"},
        {"QVACTTR", "HASGST", "1"},
        {"QVBNKTR", "BANKLINK", "1-120300-2222222-00"},
        {"QVBNKTR", "FULLLINK", "120300-2222222-00-1"},
        {"QVBNKTR", "FULLCODE", ""},
        {"QVBNKTR", "LINKCODE", "1"},
        {"QVBNKTR", "BANKCODE", "120300"},
        {"QVBNKTR", "COYCODE", "1"},
        {"QVBNKTR", "BRANCH", "0"},
        {"QVBNKTR", "TRANDATE", "2025-06-03"},
        {"QVBNKTR", "TRANTYPE", "CHQ"},
        {"QVBNKTR", "AMOUNT", "-115.0"},
        {"QVBNKTR", "BANKACCT", "2222222-00"},
        {"QVBNKTR", "PURPOSE", ""},
        {"QVBNKTR", "CONFIRMED", "0"},
        {"QVBNKTR", "RECONCILED", "0"},
        {"QVBNKTR", "CSHACCDET", "0"},
        {"QVBNKTR", "SOURCE", "CHEQUE"},
        {"QVBNKTR", "TRANNUM", "101"},
        {"QVBNKTR", "REASON", "Acme Supplies Ltd  Cheque No : 101"},
    };
    for (const FieldCase& f : fields)
        EXPECT_EQ(sql(QStringLiteral("SELECT TRIM(%1) FROM %2")
                          .arg(QLatin1String(f.field), QLatin1String(f.table)))
                      .toString(),
                  QLatin1String(f.expected))
            << f.table << "." << f.field;
    EXPECT_DOUBLE_EQ(balance(kBankB, kAcctB), 885.0);
}

struct TaxCase {
    const char* story;
    bool addTax;
    double amount;
    double tax, totAmt;
};

class PaymentTax : public PaymentTest, public ::testing::WithParamInterface<TaxCase> {};

TEST_P(PaymentTax, TheLineCarriesTheProposedTax) {
    const TaxCase& k = GetParam();
    const qint64 n =
        enter(payment(PayType::Electronic, {{QStringLiteral("RENT"), k.amount, k.addTax}}));
    EXPECT_DOUBLE_EQ(proposedPaymentLineTax(c, 1, n, QStringLiteral("RENT"), k.amount, k.addTax),
                     k.tax)
        << k.story;
    EXPECT_DOUBLE_EQ(money("SELECT GSTAMT FROM QVCHQDET"), k.tax) << k.story;
    EXPECT_DOUBLE_EQ(money("SELECT TOT_AMT FROM QVCHQDET"), k.totAmt) << k.story;
    EXPECT_DOUBLE_EQ(money("SELECT AMOUNT FROM QVACTTR"), k.totAmt) << k.story;
    EXPECT_DOUBLE_EQ(money("SELECT AMOUNT FROM QVBNKTR"), -k.totAmt) << k.story;
}

INSTANTIATE_TEST_SUITE_P(
    Table, PaymentTax,
    ::testing::Values(TaxCase{"Add tax: 100.00 plus 15 %", true, 100.0, 15.0, 115.0},
                      TaxCase{"tax contained in 115.00", false, 115.0, 15.0, 115.0},
                      TaxCase{"contained, half a cent rounds up", false, 10.01, 1.31, 10.01},
                      TaxCase{"Add tax on a billion", true, 1e9, 1.5e8, 1.15e9},
                      TaxCase{"a cent carries no tax to add", true, 0.01, 0.0, 0.01}));

TEST_F(PaymentTest, ASupplierNotRegisteredForTaxGivesNoTaxToClaim) {
    const PaymentSupplier bob = resolvePaymentSupplier(c, 1, QStringLiteral(" BOB "));
    EXPECT_EQ(bob.nameLine(), QStringLiteral("Bob the Builder is not G.S.T. registered."));
    enter(payment(PayType::Cheque, {{QStringLiteral("RENT"), 115.0}}, QStringLiteral("BOB")));
    EXPECT_DOUBLE_EQ(money("SELECT GSTAMT FROM QVCHQDET"), 0.0);
    EXPECT_EQ(sql("SELECT HASGST FROM QVCHQDET").toInt(), 0);
    EXPECT_EQ(sql("SELECT HASGST FROM QVACTTR").toInt(), 0);
    EXPECT_DOUBLE_EQ(money("SELECT GSTAMT FROM QVCHHDR"), 0.0);
}

TEST_F(PaymentTest, APayeeWhoIsNoSupplierMakesAMiscellaneousPayment) {
    setCounters(kAcctB, 100, 41);
    enter(payment(PayType::Electronic, {{QStringLiteral("RENT"), 115.0}},
                  QStringLiteral(" Jo Bloggs ")));
    EXPECT_EQ(sql("SELECT SUPPTYPE || '|' || SUPPLIER || '|' || SUPPCOY FROM QVCHHDR").toString(),
              QStringLiteral("MISC|Jo Bloggs|1-Jo Bloggs"));
    EXPECT_EQ(sql("SELECT SUPPCODE || '|' || SUPPCOY || '|' || CHQSUPLNK FROM QVCHQDET").toString(),
              QStringLiteral("MISC|1-MISC|42-MISC-1"));
    EXPECT_EQ(sql("SELECT SUPPCODE FROM QVACTTR").toString(), QStringLiteral("MISC"));
    EXPECT_EQ(sql("SELECT REASON FROM QVBNKTR").toString(),
              QStringLiteral("Electronic Transfer : 42"));
    EXPECT_DOUBLE_EQ(money("SELECT GSTAMT FROM QVCHQDET"), 15.0);  // claimable as for a company
}

TEST_F(PaymentTest, NewPaymentsAreInNoTaxReturnYet)  // mend: GSTCALC 0
{
    enter(
        payment(PayType::Cash, {{QStringLiteral("RENT"), 50.0}, {QStringLiteral("MOTOR"), 20.0}}));
    EXPECT_EQ(count(QStringLiteral("SELECT SUM(GSTCALC) FROM QVCHHDR")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT SUM(GSTCALC) FROM QVCHQDET")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT SUM(GSTCALC) FROM QVACTTR")), 0);
    EXPECT_EQ(sql("SELECT REASON FROM QVBNKTR").toString(),
              QStringLiteral("Acme Supplies Ltd Cash transaction : 1000001"));
}

TEST_F(PaymentTest, TheBusinessAmountFollowsTheAccountsBusinessShare)  // mend: BUSAMT
{
    enter(payment(PayType::Electronic,
                  {{QStringLiteral("MOTOR"), 100.0}, {QStringLiteral("HOME"), 40.0}}));
    EXPECT_DOUBLE_EQ(money("SELECT BUSAMT FROM QVACTTR WHERE ACCTCODE = 'MOTOR'"), 100.0);
    EXPECT_DOUBLE_EQ(money("SELECT BUSAMT FROM QVACTTR WHERE ACCTCODE = 'HOME'"), 0.0);
}

TEST_F(PaymentTest, ALineOfZeroOrLessIsRefusedAndWritesNothing)  // mend: amount above 0
{
    const qint64 n = enter(payment(PayType::Electronic, {}));
    for (double amount : {0.0, -10.0, 0.004}) {
        LineInput in{1, n, 0, QStringLiteral("RENT"), QStringLiteral("x"), amount};
        const PaymentResult r = savePaymentLine(c, in, confirm());
        EXPECT_EQ(r.message, QStringLiteral("Amount must be greater than 0!")) << amount;
    }
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVCHQDET")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVACTTR")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVBNKTR")), 0);
}

struct OverdraftCase {
    const char* story;
    QString acct;
    double amount;
    const char* question;
};

class PaymentOverdraft : public PaymentTest, public ::testing::WithParamInterface<OverdraftCase> {};

// mend: the question comes first; "No" leaves no line, journal line, bank row or balance change.
TEST_P(PaymentOverdraft, NoToTheQuestionWritesNothing) {
    const OverdraftCase& k = GetParam();
    NewPayment p = payment(PayType::Electronic, {{QStringLiteral("RENT"), k.amount}});
    p.bankCode = k.acct == kAcctA ? kBankA : kBankB;
    p.acctNo = k.acct;
    const double before = balance(p.bankCode, p.acctNo);
    answer = false;
    const EnteredPayment e = enterPayment(c, p, confirm());
    EXPECT_EQ(e.result.message, QStringLiteral("Unable to save bank transaction.")) << k.story;
    EXPECT_EQ(questions, QStringList{QLatin1String(k.question)}) << k.story;
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVCHQDET")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVACTTR")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVBNKTR")), 0);
    EXPECT_DOUBLE_EQ(money("SELECT AMOUNT FROM QVCHHDR"), 0.0);
    EXPECT_DOUBLE_EQ(balance(p.bankCode, p.acctNo), before);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PaymentOverdraft,
    ::testing::Values(OverdraftCase{"no overdraft allowed", kAcctB, 1000.01,
                                    "Overdraft not permitted in this account...proceed?"},
                      OverdraftCase{"past the limit of 500", kAcctA, 600.01,
                                    "Transaction exceeds overdraft limit...proceed?"}));

TEST_F(PaymentTest, EachLinesTaxFollowsItsOwnDepartment)  // mend: not an earlier line's
{
    sample::addLedgerAccount(c, 1, {"SHOPRENT", "Shop rent", "EXP", 1, true});
    c.exec(QStringLiteral("UPDATE QVCOY SET GSTENABLED = 0 WHERE BRANCH = 1"));
    enter(payment(PayType::Electronic, {{QStringLiteral("SHOPRENT"), 115.0},
                                        {QStringLiteral("RENT"), 115.0},
                                        {QStringLiteral("SHOPRENT"), 23.0}}));
    store::Query q(c);
    q.setSql(
        QStringLiteral("SELECT ACCTNO, GSTAMT, LINKCODE, LINENO FROM QVCHQDET ORDER BY LINENO"));
    q.open();
    QStringList lines;
    for (; !q.eof(); q.next())
        lines << q.text(QStringLiteral("ACCTNO")).trimmed() + QLatin1Char(' ') +
                     store::fmt::money(q.number(QStringLiteral("GSTAMT"))) + QLatin1Char(' ') +
                     q.text(QStringLiteral("LINKCODE")).trimmed();
    EXPECT_EQ(lines,
              (QStringList{QStringLiteral("SHOPRENT 0.00 1-1"), QStringLiteral("RENT 15.00 1"),
                           QStringLiteral("SHOPRENT 0.00 1-1")}));
    EXPECT_DOUBLE_EQ(money("SELECT GSTAMT FROM QVCHHDR"), 15.0);
}

TEST_F(PaymentTest, EditingALineMovesTheTotalsTheBankRowAndTheBalanceByTheDifference) {
    const qint64 n = enter(payment(PayType::Electronic, {{QStringLiteral("RENT"), 100.0},
                                                         {QStringLiteral("BANKFEES"), 20.0}}));
    const std::vector<PaymentLine> lines = paymentLines(c, findPayment(c, 1, n)->key());
    LineInput in{1,     n,   lines[0].rowId, QStringLiteral("MOTOR"), QStringLiteral("Fuel"),
                 230.0, 30.0};
    ASSERT_TRUE(savePaymentLine(c, in, confirm()).ok());
    EXPECT_DOUBLE_EQ(money("SELECT AMOUNT FROM QVCHHDR"), 250.0);
    EXPECT_DOUBLE_EQ(money("SELECT GSTAMT FROM QVCHHDR"), 30.0);
    EXPECT_DOUBLE_EQ(money("SELECT AMOUNT FROM QVBNKTR"), -250.0);
    EXPECT_DOUBLE_EQ(balance(kBankB, kAcctB), 750.0);
    EXPECT_EQ(sql("SELECT SRCHCODE FROM QVACTTR WHERE ACCTCODE = 'MOTOR'").toString(),
              QStringLiteral("1-MOTOR-%1-1").arg(n));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM QVACTTR")), 2);
}

TEST_F(PaymentTest, AnUnknownLedgerAccountOrOneOfAnotherDepartmentIsRefused) {
    sample::addBankAccount(c, 1, QStringLiteral("TT"),
                           {kBankA, QStringLiteral("3333333-00"), "Shop", false, 1, false, 0.0,
                            500.0, QDate(2025, 4, 1)});
    NewPayment p = payment(PayType::Electronic, {});
    p.bankCode = kBankA;
    p.acctNo = QStringLiteral("3333333-00");
    const qint64 n = enter(p);
    LineInput in{1, n, 0, QStringLiteral("NOSUCH"), QString(), 10.0};
    EXPECT_EQ(savePaymentLine(c, in, confirm()).message,
              QStringLiteral("Cannot find this cash account!"));
    in.acctCode = QStringLiteral("RENT");
    EXPECT_EQ(savePaymentLine(c, in, confirm()).problem, PaymentProblem::DepartmentMismatch);
}

}  // namespace
}  // namespace payment_test
