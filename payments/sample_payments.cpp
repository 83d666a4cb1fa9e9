#include "payments/sample_payments.h"

#include <QRandomGenerator>
#include <QStringList>

#include "banking/journal_rules.h"
#include "payments/payment_entry.h"
#include "payments/suppliers.h"
#include "store/query.h"
#include "store/table.h"

namespace payments::sample {

namespace {

struct DemoPayee {
    const char* code;
    const char* name;
    bool gstReg;
};
const DemoPayee kSuppliers[] = {
    {"WHOLEFOOD", "Wholefood Distributors Ltd", true},
    {"CITYPOWER", "City Power and Gas", true},
    {"HARBOURPRO", "Harbour Properties", true},
    {"SPARKY", "Sparky Electrical", false},
    {"INKWELL", "Inkwell Printing", true},
};
const char* const kPayees[] = {"", "Market stallholder", "Window cleaner"};
const char* const kCompanyLines[] = {"RENT",   "POWER",      "PHONE", "INSURANCE", "REPAIRS",
                                     "ADVERT", "STATIONERY", "MOTOR", "ACCFEES",   "PURCHASES"};
const char* const kCateringLines[] = {"CATFOOD", "CATHIRE", "CATFEES"};

void addDemoSuppliers(store::Connection& c, int coy) {
    store::Table t(c, QStringLiteral("QVSupp.DBF"));
    t.open();
    for (const DemoPayee& s : kSuppliers) {
        SupplierDetails d;
        d.suppCode = QLatin1String(s.code);
        d.busName = QLatin1String(s.name);
        d.gstReg = s.gstReg;
        addSupplier(t, coy, d);
    }
}

qint64 largestNumber(store::Connection& c, int coy) {
    store::Query q(c);
    q.setSql(QStringLiteral("SELECT MAX(TRANNUM) FROM QVBNKTR WHERE COYCODE = :iCoy"));
    q.bind(QStringLiteral("iCoy"), coy);
    q.open();
    return q.value(0).toLongLong();
}

NewPayment demoPayment(QRandomGenerator& rng, int coy, const QDate& date) {
    NewPayment p;
    p.coy = coy;
    p.date = date;
    const int kind = int(rng.bounded(10));
    p.type = kind < 5 ? PayType::Cheque : kind < 8 ? PayType::Electronic : PayType::Cash;
    const bool catering = rng.bounded(6) == 0;
    p.bankCode = QStringLiteral("030100");
    p.acctNo = catering ? QStringLiteral("0123456-02") : QStringLiteral("0123456-00");
    if (!catering && rng.bounded(5) == 0) {
        p.bankCode = QStringLiteral("120300");
        p.acctNo = QStringLiteral("7654321-01");
    }
    const int who = int(rng.bounded(8));
    p.supplier = who < 5 ? QLatin1String(kSuppliers[who].code) : QLatin1String(kPayees[who - 5]);
    const int lines = 1 + int(rng.bounded(4));
    for (int i = 0; i < lines; ++i) {
        NewPaymentLine l;
        l.acctCode = catering ? QLatin1String(kCateringLines[rng.bounded(3)])
                              : QLatin1String(kCompanyLines[rng.bounded(10)]);
        l.amount = double(rng.bounded(500, 150000)) / 100.0;
        l.addTax = rng.bounded(4) == 0;
        p.lines.push_back(l);
    }
    return p;
}

}  // namespace

int postDemoPayments(store::Connection& c, int count, const QDate& today, quint32 seed) {
    QRandomGenerator rng(seed);
    const int coy = banking::readCompany(c).coy;
    {
        store::Query q(c);
        q.setSql(QStringLiteral("SELECT COUNT(*) FROM QVSUPP WHERE COYNO = :iCoy"));
        q.bind(QStringLiteral("iCoy"), coy);
        q.open();
        if (q.value(0).toLongLong() == 0) addDemoSuppliers(c, coy);
    }
    const QDate start = today.addYears(-3);
    const qint64 days = start.daysTo(today);
    int entered = 0;
    for (int i = 0; i < count; ++i) {
        NewPayment p = demoPayment(rng, coy, start.addDays(1 + qint64(i) * (days - 1) / count));
        EnteredPayment e = enterPayment(c, p, banking::alwaysYes);
        // Every account counts its references from the same start, so a proposed number may
        // already be another account's; the next free one of the company is taken instead.
        if (e.result.problem == PaymentProblem::NumberInUse ||
            e.result.problem == PaymentProblem::DuplicateNumber) {
            p.number = largestNumber(c, coy) + 1;
            e = enterPayment(c, p, banking::alwaysYes);
        }
        if (e.result.ok()) ++entered;
    }
    return entered;
}

}  // namespace payments::sample
