// The supplier windows in the gallery, over the demo suppliers of the company (added through
// the supplier rules when it has none).
#include "payments/addeditsuppform.h"
#include "payments/sample_suppliers.h"
#include "payments/supplierlistform.h"
#include "payments/suppliers.h"
#include "payments/supplierviewform.h"
#include "store/query.h"
#include "ui/gallery.h"

namespace gallery {

namespace {

void ensureDemoSuppliers(Context& ctx) {
    store::Query q(ctx.connection);
    q.setSql(QStringLiteral("SELECT COUNT(*) AS N FROM QVSupp WHERE COYNO =:iCoyNo"));
    q.bind("iCoyNo", ctx.coy);
    q.open();
    if (q.integer("N") == 0) payments::sample::addDemoSuppliers(ctx.connection, ctx.coy);
}

}  // namespace

void registerSupplierWindows() {
    add(QStringLiteral("TAddEditSuppForm"), [](Context& ctx) -> QWidget* {
        ensureDemoSuppliers(ctx);
        auto* w = new TAddEditSuppForm;
        w->coyNo = ctx.coy;
        w->startSuppCoy = payments::supplierCoy(ctx.coy, QStringLiteral("COFFEE"));
        return w;
    });
    add(QStringLiteral("TSupplierViewForm"), [](Context& ctx) -> QWidget* {
        ensureDemoSuppliers(ctx);
        auto* w = new TSupplierViewForm;
        w->coyNo = ctx.coy;
        w->setWindowTitle(QStringLiteral("View/Select Suppliers for : ") + ctx.coyName);
        return w;
    });
    add(QStringLiteral("TSupplierListForm"), [](Context& ctx) -> QWidget* {
        ensureDemoSuppliers(ctx);
        auto* w = new TSupplierListForm;
        w->coyNo = ctx.coy;
        w->setWindowTitle(QStringLiteral("Selecting Supplier to import : ") + ctx.coyName);
        return w;
    });
}

}  // namespace gallery
