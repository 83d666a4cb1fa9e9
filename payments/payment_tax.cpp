#include "payments/payment_tax.h"

#include <cmath>

#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"

namespace payments {

namespace keys = store::keys;

std::optional<PaymentCompany> readPaymentCompany(store::Connection& connection, int coy) {
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT BUSNAME, GSTENABLED, GSTPERCENT FROM QVCNTRL"),
                         QStringLiteral("WHERE COYCODE = :iCoyCode")});
    q.bind(QStringLiteral("iCoyCode"), coy);
    q.open();
    if (q.eof()) return std::nullopt;
    PaymentCompany c;
    c.coy = coy;
    c.busName = q.text(QStringLiteral("BUSNAME")).trimmed();
    c.taxable = q.integer(QStringLiteral("GSTENABLED")) == 1;
    c.rate = c.taxable ? q.number(QStringLiteral("GSTPERCENT")) : 0.0;
    return c;
}

QString LineDepartment::text() const {
    if (companyLevel) return QStringLiteral("Company level account");
    if (!found) return QStringLiteral("Department Code does not exist!");
    return QStringLiteral("Account belongs to : ") + deptCode + QLatin1Char(' ') + busName;
}

LineDepartment lineDepartment(store::Connection& connection, int coy,
                              const banking::LedgerAccount& account) {
    LineDepartment d;
    d.linkCode = banking::journalLinkOf(account, coy);
    const QString stored = account.linkCode.trimmed();
    if (stored.isEmpty() || stored == QLatin1String(keys::kCompanyLevelLinkCode)) return d;
    d.companyLevel = false;
    d.branch = account.branch;
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT DEPTCODE, BUSNAME, BRANCH, GSTENABLED FROM QVCOY"),
                         QStringLiteral("WHERE LINKCODE = :sLinkCode")});
    q.bind(QStringLiteral("sLinkCode"), stored);
    q.open();
    if (q.eof()) {
        d.found = false;
        return d;
    }
    d.deptCode = q.text(QStringLiteral("DEPTCODE")).trimmed();
    d.busName = q.text(QStringLiteral("BUSNAME")).trimmed();
    d.branch = int(q.integer(QStringLiteral("BRANCH")));
    d.gstEnabled = q.integer(QStringLiteral("GSTENABLED")) != 0;
    return d;
}

LineTax lineTax(const PaymentCompany& company, const LineDepartment& department,
                const banking::LedgerAccount& account, const PaymentSupplier& supplier) {
    LineTax t;
    t.companyTaxable = company.taxable && (department.companyLevel || department.gstEnabled);
    t.claimable = t.companyTaxable && (!supplier.regular || supplier.gstRegistered);
    t.accountTaxable = account.gstApplies;
    t.rate = company.rate;
    return t;
}

double proposedLineTax(const LineTax& tax, double amount, bool addTax) {
    if (!tax.taxed() || store::fmt::cents(amount) == 0) return 0.0;
    // A negative amount is taxed as its size, with its sign.
    const double size = std::abs(amount);
    const double t =
        addTax ? banking::taxAdded(size, tax.rate) : banking::taxContained(size, tax.rate);
    return amount < 0 ? -t : t;
}

}  // namespace payments
