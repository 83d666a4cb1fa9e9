// Payment entry in the gallery, over the demo company: a three-line cheque to a supplier.
#include "banking/bank_entry_reads.h"
#include "banking/sample_company.h"
#include "payments/chqentryform.h"
#include "payments/payment_entry.h"
#include "payments/suppliers.h"
#include "store/table.h"
#include "ui/gallery.h"

namespace gallery {

namespace {

// The company's last payment is a three-line cheque from its default account.
void galleryCheque(Context& ctx) {
    if (!banking::defaultBankAccount(ctx.connection, ctx.coy))
        banking::sample::makeDemoCompany(ctx.connection, QDate::currentDate());
    const banking::BankAccount account = *banking::defaultBankAccount(ctx.connection, ctx.coy);
    if (!payments::findSupplier(ctx.connection, ctx.coy, QStringLiteral("HARBOURPRO"))) {
        store::Table t(ctx.connection, QStringLiteral("QVSupp.DBF"));
        t.open();
        payments::SupplierDetails d;
        d.suppCode = QStringLiteral("HARBOURPRO");
        d.busName = QStringLiteral("Harbour Properties");
        payments::addSupplier(t, ctx.coy, d);
    }
    payments::NewPayment p;
    p.coy = ctx.coy;
    p.bankCode = account.bankCode;
    p.acctNo = account.acctNo;
    p.type = payments::PayType::Cheque;
    p.date = QDate::currentDate();
    p.supplier = QStringLiteral("HARBOURPRO");
    for (const char* code : {"RENT", "POWER", "REPAIRS"})
        if (banking::findLedgerAccount(ctx.connection, ctx.coy, QLatin1String(code)))
            p.lines.push_back({QLatin1String(code), 0.0});
    const double amounts[] = {2300.00, 412.85, 86.25};
    for (size_t i = 0; i < p.lines.size(); ++i) p.lines[i].amount = amounts[i];
    payments::enterPayment(ctx.connection, p, banking::alwaysYes);
}

}  // namespace

void registerPaymentEntryWindows() {
    add(QStringLiteral("TChqEntryForm"), [](Context& c) {
        galleryCheque(c);
        auto* w = new TChqEntryForm;
        w->coyCode = QString::number(c.coy);
        return w;
    });
}

}  // namespace gallery
