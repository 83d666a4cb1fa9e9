#pragma once
// The tax of a payment line: whether the company and the line's department carry tax, whether
// the supplier lets it be claimed, and the tax proposed for a typed amount. The arithmetic is
// the bank entries' own (banking::taxContained, banking::taxAdded). No widgets.

#include <QString>
#include <optional>

#include "banking/journal_rules.h"
#include "payments/payment_records.h"
#include "store/connection.h"

namespace payments {

// What payment entry reads of the company it is opened for.
struct PaymentCompany {
    int coy = 1;
    QString busName;
    bool taxable = false;  // GSTENABLED 1
    double rate = 0.0;     // GSTPERCENT, 0 when not taxable
};
// The control record of company `coy`; nothing when there is none.
std::optional<PaymentCompany> readPaymentCompany(store::Connection& connection, int coy);

// The department a line's ledger account belongs to.
struct LineDepartment {
    QString linkCode;  // LINKCODE of the line: the department's, or the company number
    int branch = 0;
    bool companyLevel = true;
    bool found = true;  // a department account whose department exists
    bool gstEnabled = true;
    QString deptCode, busName;
    // "Company level account", "Account belongs to : " + code + " " + name, or
    // "Department Code does not exist!".
    QString text() const;
};
LineDepartment lineDepartment(store::Connection& connection, int coy,
                              const banking::LedgerAccount& account);

// Everything that decides a line's tax, for that line alone: the company, the line's own
// department (one without tax makes the line untaxed), the account and the supplier.
struct LineTax {
    bool companyTaxable = false;  // the company and the line's department carry tax
    bool claimable = false;       // and the supplier is registered (or miscellaneous)
    bool accountTaxable = false;  // GSTAPPLIES
    double rate = 0.0;
    // The tax box is shown: company, account and claim all allow tax.
    bool taxed() const { return claimable && accountTaxable; }
};
LineTax lineTax(const PaymentCompany& company, const LineDepartment& department,
                const banking::LedgerAccount& account, const PaymentSupplier& supplier);

// The tax proposed for a typed amount: added to it with "Add tax", contained in it otherwise;
// 0 when the line is not taxed or the amount is 0.
double proposedLineTax(const LineTax& tax, double amount, bool addTax);

}  // namespace payments
