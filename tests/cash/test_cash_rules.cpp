// Cash transactions and the cash details of a bank entry, on books posted through the rules:
// numbering, the tax proposal, what a saved line holds, attaching lines to a deposit or a
// withdrawal, and the private-share line of an edited entry line.
#include <gtest/gtest.h>

#include "banking/bank_entry_steps.h"
#include "cash/attach.h"
#include "cash/cash_lines.h"
#include "cash/details_entry.h"
#include "cash/line_edit.h"
#include "ledger/account_totals.h"
#include "reports/book_fixture.h"
#include "store/format.h"
#include "store/query.h"
#include "store/table.h"
#include "support/temp_folder.h"

namespace {

const QString kBank = QStringLiteral("030100");
const QString kAcct = QStringLiteral("1234567-00");

class CashRulesTest : public ::testing::Test {
protected:
    TempDataFolder folder;
    store::Connection& c = folder.connection;
    testbook::Book book{c};

    void SetUp() override {
        book.company("Harbour Cafe");
        book.account("SALES", "INC");
        book.account("RENT", "EXP");
        book.bankAccount(kAcct, "Cheque account", 500, QDate(2025, 4, 1));
    }

    void TearDown() override { EXPECT_EQ(ledger::totalsDifferences(c), QStringList{}); }

    cash::CashEntry entry(const QString& acct, double amount, double tax = 0,
                          cash::CashKind kind = cash::CashKind::Transaction) {
        cash::CashEntry e;
        e.kind = kind;
        e.number = kind == cash::CashKind::Transaction ? cash::nextCashNumber(c, 1)
                                                       : cash::nextDetailLineNumber(c, 1);
        e.acctCode = acct;
        e.date = QDate(2025, 6, 1);
        e.narrative = "Counter sales";
        e.amount = amount;
        e.tax = tax;
        e.companyTaxable = true;
        return e;
    }

    qint64 save(const cash::CashEntry& e) {
        const cash::CashResult r = cash::saveCashLine(c, e);
        EXPECT_TRUE(r.ok) << r.message.toStdString();
        return r.rowId;
    }

    QVariant field(qint64 rowId, const QString& name) {
        store::Query q(c);
        q.setSql("SELECT " + name + " FROM QVACTTR WHERE rowid = :id");
        q.bind("id", rowId);
        q.open();
        return q.eof() ? QVariant() : q.value(0);
    }
};

TEST_F(CashRulesTest, cashNumbersCountFromOneWhateverTheBankNumbersAre) {
    book.line({"SALES", QDate(2025, 5, 1), 100, {}, 0, kAcct});  // a bank entry: number 1...
    EXPECT_EQ(cash::nextCashNumber(c, 1), 1) << "bank entry lines are not in the cash list";
    const qint64 first = save(entry("SALES", 10));
    EXPECT_EQ(field(first, "TRANNUM").toLongLong(), 1);
    EXPECT_EQ(cash::nextCashNumber(c, 1), 2);
    EXPECT_EQ(cash::nextDetailLineNumber(c, 1), 1) << "a cash transaction has no line number";
}

// The cash list keeps append order without payment lines, and its count and pages read the
// store's partial index of cash lines alone (a company's 100,000 lines open at once).
TEST_F(CashRulesTest, theCashListReadsItsIndexInAppendOrderWithoutPaymentLines) {
    const qint64 a = save(entry("SALES", 10)), b = save(entry("RENT", 20)),
                 pay = save(entry("SALES", 30)), d = save(entry("RENT", 40));
    store::execSql(c.handle(), QStringLiteral("UPDATE QVACTTR SET REASON = 'PAY' WHERE rowid = %1")
                                   .arg(pay));
    store::Table lines(c, QStringLiteral("QVActTr.DBF"));
    cash::openCashList(lines, 1);
    std::vector<qint64> listed;
    for (; !lines.eof(); lines.next()) listed.push_back(lines.rowId());
    EXPECT_EQ(listed, (std::vector<qint64>{a, b, d}));
    const store::Table::Selection s = lines.selection();
    for (const QString& sql : {s.sql, s.countSql}) {
        store::Query q(c);
        q.setSql(QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
        for (auto it = s.params.begin(); it != s.params.end(); ++it) q.bind(it.key(), it.value());
        q.open();
        QString plan;
        for (; !q.eof(); q.next()) plan += q.text(QStringLiteral("detail")) + QLatin1Char(';');
        EXPECT_TRUE(plan.contains(QStringLiteral("QVActTr_CASH_LIST"))) << plan.toStdString();
        EXPECT_FALSE(plan.contains(QStringLiteral("TEMP B-TREE"))) << plan.toStdString();
    }
}

TEST_F(CashRulesTest, aSavedCashLineHoldsTheCashKeysAndItsAccountsType) {
    struct Case {
        const char* story;
        QString acct;
        double amount, tax;
        const char* type;
        double busAmt, gstAmt;
    };
    banking::sample::LedgerSpec priv{"HOME", "Home phone", "EXP"};
    priv.allocPer = 100;
    banking::sample::addLedgerAccount(c, 1, priv);
    const Case cases[] = {
        {"income", "SALES", 115.00, 15.00, "I", 115.00, 15.00},
        {"expense", "RENT", 30.00, 0, "E", 30.00, 0},
        {"billions and a half cent", "SALES", 12345678901.235, 0, "I", 12345678901.24, 0},
        {"wholly private: no business amount, no tax", "HOME", 50, 6.52, "E", 0, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.story);
        const qint64 id = save(entry(k.acct, k.amount, k.tax));
        const qint64 n = field(id, "TRANNUM").toLongLong();
        EXPECT_EQ(field(id, "REASON").toString(), "CSH");
        EXPECT_EQ(field(id, "BNKLINKNO").toString(), "0-0-0");
        EXPECT_EQ(field(id, "HASBNKACCT").toInt(), 0);
        EXPECT_EQ(field(id, "GSTCALC").toInt(), 0);
        EXPECT_EQ(field(id, "TRANTYPE").toString(), k.type);
        EXPECT_EQ(field(id, "REF").toString(), QString::number(n));
        EXPECT_EQ(field(id, "SRCHCODE").toString(), k.acct + "-" + QString::number(n) + "-1");
        EXPECT_EQ(field(id, "FULLCODE").toString(), "1-" + k.acct);
        EXPECT_EQ(store::fmt::cents(field(id, "BUSAMT").toDouble()), store::fmt::cents(k.busAmt));
        EXPECT_EQ(store::fmt::cents(field(id, "GSTAMT").toDouble()), store::fmt::cents(k.gstAmt));
    }
}

TEST_F(CashRulesTest, theTaxBoxProposesTheTaxContainedForATaxableAccountOnly) {
    banking::sample::LedgerSpec untaxed{"TIPS", "Tips", "INC"};
    untaxed.gstApplies = false;
    banking::sample::addLedgerAccount(c, 1, untaxed);
    book.department(1, "NTH", "North shop");
    book.account("NSALES", "INC", 1, 0, 1);
    const auto sales = cash::resolveCashAccount(c, 1, "SALES");
    const auto tips = cash::resolveCashAccount(c, 1, "TIPS");
    ASSERT_TRUE(sales && tips);
    EXPECT_DOUBLE_EQ(cash::proposedCashTax(true, 15, *sales, 115), 15.00);
    EXPECT_DOUBLE_EQ(cash::proposedCashTax(true, 15, *tips, 115), 0);
    EXPECT_DOUBLE_EQ(cash::proposedCashTax(false, 15, *sales, 115), 0);
    EXPECT_DOUBLE_EQ(cash::proposedCashTax(true, 0, *sales, 115), 0);
    // A department without tax makes its accounts' lines untaxed.
    store::Table d(c, "QVCoy.DBF");
    d.open();
    ASSERT_TRUE(d.locate("DEPTCODE", "NTH"));
    d.edit();
    d.setValue("GSTENABLED", 0);
    d.post();
    const auto north = cash::resolveCashAccount(c, 1, "NSALES");
    ASSERT_TRUE(north);
    EXPECT_EQ(north->linkCode, "1-1");
    EXPECT_FALSE(north->deptTaxable);
    EXPECT_DOUBLE_EQ(cash::proposedCashTax(true, 15, *north, 115), 0);
    EXPECT_FALSE(cash::resolveCashAccount(c, 1, "NOSUCH"));
}

TEST_F(CashRulesTest, refusalsLeaveTheJournalAsItWas) {
    EXPECT_EQ(cash::saveCashLine(c, entry("SALES", 0)).message,
              "You must enter a transaction amount greater than zero.");
    EXPECT_EQ(cash::saveCashLine(c, entry("NOSUCH", 10)).message, "Cannot find account!");
    const qint64 id = save(entry("SALES", 10));
    // A line counted in a finalised tax return stays.
    store::Table t(c, "QVActTr.DBF");
    t.open();
    ASSERT_TRUE(t.gotoRowId(id));
    t.edit();
    t.setValue("GSTCALC", 1);
    t.post();
    EXPECT_EQ(cash::deleteCashLine(c, id).message, "Cannot delete, Tax has been calculated.");
    EXPECT_TRUE(field(id, "ACCTCODE").isValid());
}

struct AttachCase {
    const char* story;
    cash::BankSide side;
    double start;
    std::vector<std::pair<QString, double>> lines;  // account type, amount
    double value, selected;
    const char* lastRefusal;
    const char* exitRefusal;
};

class AttachTest : public ::testing::TestWithParam<AttachCase> {};

TEST_P(AttachTest, theRunningValueFollowsTheAttachRules) {
    const AttachCase& k = GetParam();
    cash::RunningValue v = cash::RunningValue::startingAt(k.start);
    QString refusal;
    for (const auto& [type, amount] : k.lines) {
        const cash::AttachStep s = cash::attachStep(k.side, type, v, amount);
        refusal = s.refusal;
        EXPECT_EQ(s.accepted, s.refusal.isEmpty());
        v = s.after;
    }
    EXPECT_EQ(v.value, store::fmt::cents(k.value));
    EXPECT_EQ(store::fmt::cents(v.selectedAmount()), store::fmt::cents(k.selected));
    EXPECT_EQ(refusal, QString(k.lastRefusal));
    EXPECT_EQ(cash::exitRefusal(k.side, v), QString(k.exitRefusal));
}

const char* const kNegative =
    "This transaction will result in a negative amount.  Select an income transaction.";
const char* const kPositive =
    "This transaction will result in a positive amount.  Select an expense transaction.";

INSTANTIATE_TEST_SUITE_P(
    Stories, AttachTest,
    ::testing::Values(
        AttachCase{"deposit: income 100, expense 30",
                   cash::BankSide::Deposit,
                   0,
                   {{"INC", 100}, {"EXP", 30}},
                   70,
                   70,
                   "",
                   ""},
        AttachCase{"deposit: then an expense of 100 is refused",
                   cash::BankSide::Deposit,
                   0,
                   {{"INC", 100}, {"EXP", 30}, {"EXP", 100}},
                   70,
                   70,
                   kNegative,
                   ""},
        AttachCase{"deposit: an expense first makes the value negative",
                   cash::BankSide::Deposit,
                   0,
                   {{"EXP", 30}},
                   -30,
                   -30,
                   "",
                   "You cannot exit. The value of the transaction is negative. It is a deposit."},
        AttachCase{"withdrawal: expense 50 then income 20",
                   cash::BankSide::Withdrawal,
                   0,
                   {{"EXP", 50}, {"INC", 20}},
                   -30,
                   -30,
                   "",
                   ""},
        AttachCase{"withdrawal: income first is positive and may not be left",
                   cash::BankSide::Withdrawal,
                   0,
                   {{"INC", 20}},
                   20,
                   20,
                   "",
                   "You cannot exit. The value of the transation is positive. It is a withdrawal."},
        AttachCase{"withdrawal of -40.00 being edited: income 40 refused",
                   cash::BankSide::Withdrawal,
                   -40,
                   {{"INC", 40}},
                   -40,
                   0,
                   kPositive,
                   ""},
        AttachCase{"half cents and billions",
                   cash::BankSide::Deposit,
                   0,
                   {{"INC", 9999999999.995}, {"EXP", 0.005}},
                   9999999999.99,
                   9999999999.99,
                   "",
                   ""}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(CashRulesTest, selectingLinesIntoANewDepositPostsItAsARowWithDetails) {
    const qint64 income = save(entry("SALES", 100, 0, cash::CashKind::DetailLine));
    const qint64 expense = save(entry("RENT", 30, 0, cash::CashKind::DetailLine));
    EXPECT_EQ(field(expense, "LINENO").toInt(), 2);
    EXPECT_EQ(field(expense, "BNKTRNLNK").toString(), "0-0-0");

    banking::BankEntry e;
    e.bankCode = kBank;
    e.acctNo = kAcct;
    e.type = banking::EntryType::Deposit;
    e.reference = banking::reserveReferenceNumber(c, 1, kBank, kAcct);
    e.date = QDate(2025, 6, 2);
    e.narrative = "Market day";
    const cash::BankEntryKeys k{kAcct, e.reference,
                                banking::entryBnkLinkNo(kBank, kAcct, e.reference),
                                banking::entryBnkTrnLnk(kBank, kAcct, e.reference, 1)};
    cash::RunningValue v;
    for (const auto& [id, type, amount] :
         {std::tuple{income, "INC", 100.0}, std::tuple{expense, "EXP", 30.0}}) {
        const cash::AttachStep s = cash::attachStep(cash::BankSide::Deposit, type, v, amount);
        ASSERT_TRUE(s.accepted);
        ASSERT_TRUE(cash::attachLine(c, id, k).ok);
        v = s.after;
    }
    EXPECT_EQ(cash::nextDetailLineNumber(c, 1), 1) << "attached lines leave the cash list";
    EXPECT_EQ(field(income, "TRANNUM").toLongLong(), e.reference);
    EXPECT_EQ(field(income, "HASBNKACCT").toInt(), 1);

    const banking::SaveResult r =
        cash::postDetailsEntry(c, e, banking::EntryMode::Add, 0, v, banking::alwaysYes);
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    EXPECT_DOUBLE_EQ(r.balance, 570.00);
    const auto row = banking::findStoredBankRow(c, 1, kBank, kAcct, e.reference);
    ASSERT_TRUE(row);
    EXPECT_TRUE(row->details);
    EXPECT_DOUBLE_EQ(row->amount, 70.00);
    EXPECT_DOUBLE_EQ(cash::detailsEntryAmount(banking::EntryType::Withdrawal, 10, v), -60);
}

TEST_F(CashRulesTest, editingAnEntryLineKeepsOnePrivateShareLineWithThePrivatePart) {
    book.account("DRAWINGS", "EXP", 0);
    banking::sample::LedgerSpec car{"CAR", "Car costs", "EXP"};
    car.allocPer = 30;
    car.domAcct = "DRAWINGS";
    banking::sample::addLedgerAccount(c, 1, car);
    const qint64 id = save(entry("CAR", 200, 0, cash::CashKind::DetailLine));
    const qint64 reference = 1000007;
    ASSERT_TRUE(
        cash::attachLine(c, id,
                         {kAcct, reference, banking::entryBnkLinkNo(kBank, kAcct, reference),
                          banking::entryBnkTrnLnk(kBank, kAcct, reference, 1)})
            .ok);
    for (const double amount : {200.0, 333.35}) {
        const cash::LineEditResult r =
            cash::saveJournalLine(c, {1, id, "CAR", QDate(2025, 6, 3), "Fuel", amount, 0, true});
        ASSERT_TRUE(r.line.ok) << r.line.message.toStdString();
        EXPECT_TRUE(r.privateShareProblem.isEmpty());
    }
    store::Query q(c);
    q.setSql(
        "SELECT AMOUNT, BUSAMT, ACCTCODE, SPLITSOURC, SPLITLINK, LINKCODE FROM QVACTTR "
        "WHERE SPLITSOURC <> ''");
    q.open();
    ASSERT_FALSE(q.eof());
    EXPECT_DOUBLE_EQ(q.number("AMOUNT"), 100.01) << "30 % of 333.35, rounded half away";
    EXPECT_DOUBLE_EQ(q.number("BUSAMT"), 0);
    EXPECT_EQ(q.text("ACCTCODE"), "DRAWINGS");
    EXPECT_EQ(q.text("SPLITSOURC"), "CAR");
    EXPECT_EQ(q.text("SPLITLINK"), banking::entrySplitLink("1", "DRAWINGS", reference))
        << "keyed by the bank entry's reference";
    EXPECT_EQ(q.text("LINKCODE"), "1") << "company level: the company number";
    q.next();
    EXPECT_TRUE(q.eof()) << "one private-share line, however often the line is saved";
    EXPECT_DOUBLE_EQ(field(id, "BUSAMT").toDouble(), 333.35);
    EXPECT_EQ(field(id, "LINKCODE").toString(), "1");
}

}  // namespace
