// The tax windows in the gallery, over the demo company and its entries: the New Zealand return
// and the first page of its printed form with the figures of the proposed period.
#include "banking/bank_entry_reads.h"
#include "banking/sample_company.h"
#include "tax/gst101_page.h"
#include "tax/gst101form.h"
#include "tax/gstcalcform.h"
#include "tax/nz_return.h"
#include "ui/gallery.h"

namespace gallery {

namespace {

// The period the return window proposes, after giving an empty folder the demo company.
tax::TaxPeriod taxGalleryPeriod(Context& ctx) {
    if (!banking::defaultBankAccount(ctx.connection, ctx.coy)) {
        banking::sample::makeDemoCompany(ctx.connection, QDate::currentDate());
        banking::sample::postDemoEntries(ctx.connection, 60, QDate::currentDate(), 1, 60);
    }
    const tax::TaxCompany co = tax::readTaxCompany(ctx.connection, ctx.coy);
    return tax::proposedPeriod(ctx.connection, ctx.coy, co.gstPeriod, QDate::currentDate());
}

}  // namespace

void registerTaxWindows() {
    add(QStringLiteral("TGSTCalcForm"), [](Context& ctx) -> QWidget* {
        taxGalleryPeriod(ctx);
        auto* w = new TGSTCalcForm;
        w->coyCode = ctx.coy;
        return w;
    });
    // The page as it prints once the proposed period is finalised (nothing is stored here).
    add(QStringLiteral("TGST101Form"), [](Context& ctx) -> QWidget* {
        const tax::TaxPeriod period = taxGalleryPeriod(ctx);
        const tax::NzReturn r = tax::computeNzReturn(ctx.connection, ctx.coy, period, 0);
        auto* w = new TGST101Form;
        w->document = tax::gst101Document(tax::readTaxCompany(ctx.connection, ctx.coy),
                                          {{period, tax::storedFigures(r)}}, period);
        w->document.printedOn = QDate::currentDate();
        return w;
    });
}

}  // namespace gallery
