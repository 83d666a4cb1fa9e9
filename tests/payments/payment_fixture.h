#pragma once
// The posting tests' small company (GST 15 %, account A with an overdraft limit of 500 and 100
// in it, account B without overdraft holding 1000) with two suppliers: ACME, registered for
// tax, and BOB, not registered.

#include "banking/posting_fixture.h"
#include "payments/payment_entry.h"
#include "payments/payment_numbers.h"
#include "store/format.h"
#include "store/keys.h"

namespace payment_test {

using namespace payments;
namespace sample = banking::sample;
using posting_test::kAcctA;
using posting_test::kAcctB;
using posting_test::kBankA;
using posting_test::kBankB;

class PaymentTest : public posting_test::PostingTest {
protected:
    void SetUp() override {
        PostingTest::SetUp();
        addSupplier(QStringLiteral("ACME"), QStringLiteral("Acme Supplies Ltd"), true);
        addSupplier(QStringLiteral("BOB"), QStringLiteral("Bob the Builder"), false);
    }

    void addSupplier(const QString& code, const QString& name, bool gstReg) {
        store::Table t(c, QStringLiteral("QVSupp.DBF"));
        t.open();
        t.insert();
        t.setValue(QStringLiteral("SUPPCODE"), code);
        t.setValue(QStringLiteral("COYNO"), 1);
        t.setValue(QStringLiteral("SUPPCOY"), store::keys::supplierKey(1, code));
        t.setValue(QStringLiteral("BUSNAME"), name);
        t.setValue(QStringLiteral("GSTREG"), gstReg ? 1 : 0);
        t.post();
    }

    void setCounters(const QString& acct, qint64 lastChq, qint64 lastRefNo) {
        c.exec(
            QStringLiteral("UPDATE QVBNKACT SET LASTCHQ = %1, LASTREFNO = %2 WHERE ACCTNO = '%3'")
                .arg(lastChq)
                .arg(lastRefNo)
                .arg(acct));
    }

    // A payment from account B (no overdraft, 1000 in it) unless told otherwise.
    NewPayment payment(PayType type, std::vector<NewPaymentLine> lines,
                       const QString& supplier = QStringLiteral("ACME")) {
        NewPayment p;
        p.bankCode = kBankB;
        p.acctNo = kAcctB;
        p.type = type;
        p.date = QDate(2025, 6, 3);
        p.supplier = supplier;
        p.lines = std::move(lines);
        return p;
    }

    qint64 enter(const NewPayment& p) {
        const EnteredPayment e = enterPayment(c, p, confirm());
        EXPECT_TRUE(e.result.ok()) << e.result.message.toStdString();
        return e.number;
    }

    // One value read back by plain SQL.
    QVariant sql(const QString& statement) {
        store::Query q(c);
        q.setSql(statement);
        q.open();
        return q.eof() ? QVariant() : q.value(0);
    }
    double money(const QString& statement) { return sql(statement).toDouble(); }
};

}  // namespace payment_test
