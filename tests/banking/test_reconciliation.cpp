// Reconciling an account against its statement, the statement listing and the transaction
// lists, on books made through the posting of bank entries.
#include "banking/bank_entry_steps.h"
#include "banking/bank_statement.h"
#include "banking/bankstatementrpt.h"
#include "banking/reconciliation.h"
#include "banking/transaction_lists.h"
#include "posting_fixture.h"
#include "store/error.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/transaction.h"

namespace {

using namespace posting_test;

class ReconcileTest : public PostingTest {
protected:
    // Posts an entry in the account and returns its rowid.
    qint64 post(EntryType type, double amount, const QString& ledger, const QString& bank,
                const QString& acct, const QDate& date = QDate(2025, 6, 2)) {
        BankEntry e = entry(type, amount, ledger, date);
        e.bankCode = bank;
        e.acctNo = acct;
        const SaveResult r = add(e);
        EXPECT_TRUE(r.ok()) << r.message.toStdString();
        return rowIdOf(e.reference, acct);
    }
    qint64 rowIdOf(qint64 tranNum, const QString& acct) {
        return count(
            QStringLiteral("SELECT rowid FROM QVBNKTR WHERE TRANNUM = :n AND BANKACCT = :a"),
            {{QStringLiteral("n"), tranNum}, {QStringLiteral("a"), acct}});
    }
    QVariant field(const QString& sql, const QVariantMap& params = {}) {
        store::Query q(c);
        q.setSql(sql);
        for (auto it = params.begin(); it != params.end(); ++it) q.bind(it.key(), it.value());
        q.open();
        return q.value(0);
    }
    QVariant accountField(const QString& name, const QString& acct = kAcctB) {
        return field(
            QStringLiteral("SELECT ") + name + QStringLiteral(" FROM QVBNKACT WHERE ACCTNO = :a"),
            {{QStringLiteral("a"), acct}});
    }
    ReconciliationFigures figures(const QString& bank = kBankB, const QString& acct = kAcctB) {
        return *reconciliationFigures(c, 1, bank, acct);
    }
    // A payment as payment entry leaves it: its "CHQ" bank row and its header.
    qint64 postPayment(qint64 number, double amount) {
        store::Transaction tx(c);
        BankRow row;
        row.bankCode = kBankA;
        row.acctNo = kAcctA;
        row.tranNum = number;
        row.date = QDate(2025, 6, 3);
        row.tranType = QStringLiteral("CHQ");
        row.amount = -amount;
        row.linkCode = QStringLiteral("1");
        row.narrative = QStringLiteral("Cheque No : ") + QString::number(number);
        row.source = QStringLiteral("CHEQUE");
        const qint64 id = writeBankRow(c, row);
        store::Table h(c, QStringLiteral("QVChHdr.DBF"));
        h.open();
        h.insert();
        h.setValue(QStringLiteral("COYCODE"), QStringLiteral("1"));
        h.setValue(QStringLiteral("TRANNUM"), number);
        h.setValue(QStringLiteral("TRANTYPE"), QStringLiteral("CHQ"));
        h.setValue(QStringLiteral("AMOUNT"), amount);
        h.setValue(QStringLiteral("CONFIRMED"), 0);
        h.post();
        tx.commit();
        return id;
    }
    qint64 headerConfirmed(qint64 number) {
        return count(QStringLiteral("SELECT CONFIRMED FROM QVCHHDR WHERE TRANNUM = :n"),
                     {{QStringLiteral("n"), number}});
    }
};

TEST_F(ReconcileTest, aDepositAndAWithdrawalPresentedReconcileWithAnEqualStatementOnly) {
    const QString recDateBefore = accountField("REC_DATE").toString();
    const qint64 deposit = post(EntryType::Deposit, 200.00, "SALES", kBankB, kAcctB);
    const qint64 withdrawal = post(EntryType::Withdrawal, 50.00, "RENT", kBankB, kAcctB);
    const qint64 other = post(EntryType::Deposit, 9.99, "SALES", kBankB, kAcctB);
    EXPECT_TRUE(togglePresented(c, 1, deposit, "1150.00").presented);
    EXPECT_TRUE(togglePresented(c, 1, withdrawal, "1150.00").presented);
    // Presented then cancelled leaves the reconciled amount as it was.
    EXPECT_TRUE(togglePresented(c, 1, other, "1150.00").presented);
    EXPECT_FALSE(togglePresented(c, 1, other, "1150.00").presented);
    EXPECT_EQ(figures().opening, 100000);
    EXPECT_EQ(figures().reconciled, 15000);
    EXPECT_EQ(figures().balance(), 115000);

    // Unequal by a cent: refused, nothing written.
    rememberStatementBalance(c, 1, kBankB, kAcctB, "1149.99");
    EXPECT_EQ(completeReconciliation(c, 1, kBankB, kAcctB, "1149.99", QDate(2025, 7, 1)),
              ReconcileOutcome::BalancesDiffer);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBNKTR WHERE CONFIRMED = 1 AND RECONCILED = 0"), 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBNKTR WHERE RECONCILED = 1"), 0);
    EXPECT_DOUBLE_EQ(accountField("OPENBAL").toDouble(), 1000.00);
    EXPECT_DOUBLE_EQ(accountField("PREVBAL").toDouble(), 1149.99);
    EXPECT_EQ(accountField("REC_DATE").toString(), recDateBefore);

    EXPECT_EQ(completeReconciliation(c, 1, kBankB, kAcctB, "1150.00", QDate(2025, 7, 1)),
              ReconcileOutcome::Done);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBNKTR WHERE RECONCILED = 1 AND CONFIRMED = 0 AND "
                    "rowid IN (:d, :w)",
                    {{"d", deposit}, {"w", withdrawal}}),
              2);
    EXPECT_EQ(count("SELECT RECONCILED FROM QVBNKTR WHERE rowid = :o", {{"o", other}}), 0);
    EXPECT_DOUBLE_EQ(accountField("OPENBAL").toDouble(), 1150.00);
    EXPECT_DOUBLE_EQ(accountField("RECAMOUNT").toDouble(), 150.00);
    EXPECT_EQ(accountField("REC_DATE").toString(), "2025-07-01");
    EXPECT_EQ(accountField("RECOK").toInt(), 1);
    EXPECT_DOUBLE_EQ(accountField("PREVBAL").toDouble(), 0.0);
    EXPECT_EQ(figures().reconciled, 0);
    // The next reconciliation starts from the statement balance.
    EXPECT_EQ(figures().balance(), 115000);
}

TEST_F(ReconcileTest, tenAndTwentyCentsReconcileWithThirtyCents) {
    post(EntryType::Deposit, 0.10, "INTEREST", kBankA, kAcctA);
    post(EntryType::Deposit, 0.20, "INTEREST", kBankA, kAcctA);
    store::Query q(c);
    q.setSql("SELECT rowid FROM QVBNKTR WHERE BANKACCT = :a");
    q.bind("a", kAcctA);
    q.open();
    for (; !q.eof(); q.next()) togglePresented(c, 1, q.value(0).toLongLong(), "100.30");
    EXPECT_EQ(completeReconciliation(c, 1, kBankA, kAcctA, "100.30", QDate(2025, 7, 1)),
              ReconcileOutcome::Done);
    EXPECT_DOUBLE_EQ(accountField("RECAMOUNT", kAcctA).toDouble(), 0.30);
}

struct StatementText {
    const char* story;
    const char* typed;
    std::optional<qint64> cents;
};
class StatementBalanceTest : public ::testing::TestWithParam<StatementText> {};
TEST_P(StatementBalanceTest, readsTheBox) {
    const auto got = statementBalance(QString::fromUtf8(GetParam().typed));
    ASSERT_EQ(got.has_value(), GetParam().cents.has_value()) << GetParam().story;
    if (got) {
        EXPECT_EQ(store::fmt::cents(*got), *GetParam().cents) << GetParam().story;
    }
}
INSTANTIATE_TEST_SUITE_P(
    Reconciliation, StatementBalanceTest,
    ::testing::Values(StatementText{"an account paid down to nothing", "0.00", 0},
                      StatementText{"an overdrawn statement", "-12.5", -1250},
                      StatementText{"a half cent rounds away from zero", "10.005", 1001},
                      StatementText{"billions", "9999999999.99", 999999999999},
                      StatementText{"an empty box", "", std::nullopt},
                      StatementText{"blanks only", "   ", std::nullopt},
                      StatementText{"not a number", "abc", std::nullopt},
                      StatementText{"thousands separators", "1,000.00", std::nullopt}));

TEST_F(ReconcileTest, presentingWithoutAStatementBalanceChangesNothing) {
    const qint64 id = post(EntryType::Deposit, 200.00, "SALES", kBankB, kAcctB);
    EXPECT_EQ(togglePresented(c, 1, id, "").outcome, ReconcileOutcome::NoStatementBalance);
    EXPECT_EQ(togglePresented(c, 1, id, "abc").outcome, ReconcileOutcome::NoStatementBalance);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBNKTR WHERE CONFIRMED = 1"), 0);
    EXPECT_EQ(togglePresented(c, 1, id, "0.00").outcome, ReconcileOutcome::Done);
}

TEST_F(ReconcileTest, aChequeRowsMarkIsMirroredOnItsPayment) {
    const qint64 id = postPayment(500, 40.00);
    togglePresented(c, 1, id, "60.00");
    EXPECT_EQ(headerConfirmed(500), 1);
    togglePresented(c, 1, id, "60.00");
    EXPECT_EQ(headerConfirmed(500), 0);
    togglePresented(c, 1, id, "60.00");
    EXPECT_EQ(completeReconciliation(c, 1, kBankA, kAcctA, "60.00", QDate(2025, 7, 1)),
              ReconcileOutcome::Done);
    EXPECT_EQ(headerConfirmed(500), 1);
    EXPECT_EQ(count("SELECT RECONCILED FROM QVBNKTR WHERE rowid = :i", {{"i", id}}), 1);
}

TEST_F(ReconcileTest, aFailedWriteLeavesRowsPaymentAndAccountTogether) {
    const qint64 id = postPayment(500, 40.00);
    // The payment header refuses to change: the row's mark is not left half written.
    store::execSql(c.handle(),
                   "CREATE TRIGGER refuse_header BEFORE UPDATE ON QVChHdr "
                   "BEGIN SELECT RAISE(ABORT, 'forced'); END");
    EXPECT_THROW(togglePresented(c, 1, id, "60.00"), store::StoreError);
    EXPECT_EQ(count("SELECT CONFIRMED FROM QVBNKTR WHERE rowid = :i", {{"i", id}}), 0);
    store::execSql(c.handle(), "DROP TRIGGER refuse_header");
    togglePresented(c, 1, id, "60.00");
    // The account refuses to change: no row is closed and the payment keeps its mark.
    store::execSql(c.handle(),
                   "CREATE TRIGGER refuse_account BEFORE UPDATE ON QVBnkAct "
                   "BEGIN SELECT RAISE(ABORT, 'forced'); END");
    store::execSql(c.handle(), "UPDATE QVChHdr SET CONFIRMED = 0");
    EXPECT_THROW(completeReconciliation(c, 1, kBankA, kAcctA, "60.00", QDate(2025, 7, 1)),
                 store::StoreError);
    EXPECT_EQ(count("SELECT RECONCILED FROM QVBNKTR WHERE rowid = :i", {{"i", id}}), 0);
    EXPECT_EQ(headerConfirmed(500), 0);
}

TEST_F(ReconcileTest, theStatementBalanceIsRememberedPerAccount) {
    rememberStatementBalance(c, 1, kBankA, kAcctA, "523.45");
    rememberStatementBalance(c, 1, kBankB, kAcctB, "0.00");
    EXPECT_EQ(figures(kBankA, kAcctA).prevBal, 52345);
    EXPECT_EQ(figures().prevBal, 0);
    rememberStatementBalance(c, 1, kBankA, kAcctA, "not a number");  // kept as it was
    EXPECT_EQ(figures(kBankA, kAcctA).prevBal, 52345);
    rememberStatementBalance(c, 1, kBankA, kAcctA, "");
    EXPECT_EQ(figures(kBankA, kAcctA).prevBal, 0);
}

TEST_F(ReconcileTest, theStatementListsBothEndDatesInDebitsAndCredits) {
    post(EntryType::Deposit, 1.00, "SALES", kBankB, kAcctB, QDate(2025, 3, 31));
    post(EntryType::Deposit, 100.00, "SALES", kBankB, kAcctB, QDate(2025, 4, 1));
    post(EntryType::Withdrawal, 25.50, "RENT", kBankB, kAcctB, QDate(2025, 5, 1));
    post(EntryType::Deposit, 2.00, "SALES", kBankB, kAcctB, QDate(2025, 5, 2));
    EXPECT_EQ(statementDefaultFrom(QDate(2026, 2, 10)), QDate(2025, 4, 1));
    EXPECT_EQ(statementDefaultTo(QDate(2025, 4, 1)), QDate(2025, 5, 1));

    const BankStatement s = bankStatement(c, 1, kAcctB, QDate(2025, 4, 1), QDate(2025, 5, 1));
    ASSERT_EQ(s.rows.size(), 2u);
    EXPECT_EQ(s.creditTotal, 10000);
    EXPECT_EQ(s.debitTotal, 2550);
    const auto doc = statementDocument(s, QDate(2025, 6, 1));
    EXPECT_EQ(doc.orientation, QPageLayout::Landscape);
    const auto titles = doc.bandsOf(reports::BandKind::Title);
    ASSERT_EQ(titles.size(), 3u);
    EXPECT_EQ(titles[0]->cells.value(0), "Bank transactions for :  Test Traders");
    EXPECT_EQ(titles[1]->cells.value(0), "Between  01 April 2025 and 01 May 2025");
    EXPECT_EQ(titles[2]->cells.value(0), "Account : Savings " + kBankB + "-" + kAcctB);
    const auto rows = doc.bandsOf(reports::BandKind::Detail);
    EXPECT_EQ(rows[0]->cells, (QStringList{"01 April", rows[0]->cells[1], "Rent received", "EFTPOS",
                                           "", "$100.00"}));
    EXPECT_EQ(rows[1]->cells.mid(4), (QStringList{"$25.50", ""}));
    EXPECT_EQ(doc.bandsOf(reports::BandKind::Summary)[0]->cells.mid(4),
              (QStringList{"$25.50", "$100.00"}));
}

TEST_F(ReconcileTest, theViewerListsTheLast31DaysAndThePickerEveryRow) {
    const QDate today(2025, 6, 30);
    post(EntryType::Deposit, 1.00, "SALES", kBankB, kAcctB, today.addDays(-31));
    post(EntryType::Deposit, 2.00, "SALES", kBankB, kAcctB, today.addDays(-30));
    post(EntryType::Deposit, 3.00, "SALES", kBankB, kAcctB, today);
    const auto range = transactionViewDefaultRange(today);
    const QString link = store::keys::bankRowLink(1, kBankB, kAcctB);
    auto amounts = [&](const QStringList& sql, const QVariantMap& params) {
        store::Query q(c);
        q.setSql(sql);
        for (auto it = params.begin(); it != params.end(); ++it) q.bind(it.key(), it.value());
        q.open();
        QStringList list;
        for (; !q.eof(); q.next()) list << store::fmt::money(q.number("AMOUNT"));
        return list;
    };
    EXPECT_EQ(
        amounts(transactionViewSql(), transactionViewParams(1, link, range.first, range.second)),
        (QStringList{"2.00", "3.00"}));
    const store::Table::Selection list = transactionListSelection(link);
    EXPECT_EQ(amounts({list.sql}, list.params), (QStringList{"1.00", "2.00", "3.00"}));
}

struct GoTo {
    const char* typed;
    std::optional<qint64> number;
};
class GoToTest : public ::testing::TestWithParam<GoTo> {};
TEST_P(GoToTest, readsAWholeNumberOnly) {
    EXPECT_EQ(goToNumber(QString::fromUtf8(GetParam().typed)), GetParam().number)
        << GetParam().typed;
}
INSTANTIATE_TEST_SUITE_P(TransactionList, GoToTest,
                         ::testing::Values(GoTo{"42", 42}, GoTo{" 1000042 ", 1000042},
                                           GoTo{"0", std::nullopt}, GoTo{"", std::nullopt},
                                           GoTo{"4.5", std::nullopt}, GoTo{"abc", std::nullopt},
                                           GoTo{"99999999999999999999", std::nullopt}));

}  // namespace
