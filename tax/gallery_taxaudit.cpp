// The international settings window, the Australian worksheet and the first page of the tax
// audit in the gallery. The settings and the worksheet are pictured for an Australian company:
// the gallery's company is made Australian with its settings file while the window lives.
#include "store/table.h"
#include "tax/ausgstcalcform.h"
#include "tax/gstauditrptform.h"
#include "tax/intsettings.h"
#include "tax/intsettingsform.h"
#include "ui/gallery.h"

namespace gallery {
namespace {

void setGalleryCountry(store::Connection& c, int coy, const QString& country) {
    store::Table control(c, "QVCntrl.DBF");
    control.setIndexName("COYCODE");
    control.open();
    if (!control.findKey(coy)) return;
    control.edit();
    control.setValue("COUNTRY", country);
    control.post();
}

// Makes the company Australian, with its tax settings, until `w` is destroyed.
QWidget* asAustralian(Context& ctx, QWidget* w) {
    store::Table control(ctx.connection, "QVCntrl.DBF");
    control.setIndexName("COYCODE");
    control.open();
    const QString before = control.findKey(ctx.coy) ? control.text("COUNTRY") : QString();
    setGalleryCountry(ctx.connection, ctx.coy, "AUS");
    if (!tax::intSettingsExist(ctx.dataFolder))
        tax::writeIntSettings(ctx.dataFolder, {tax::kAustralia, "GST", "", "", "", ""});
    store::Connection* c = &ctx.connection;
    const int coy = ctx.coy;
    QObject::connect(w, &QObject::destroyed,
                     [c, coy, before] { setGalleryCountry(*c, coy, before); });
    return w;
}

}  // namespace

void registerTaxSettingsAndAuditWindows() {
    add("TIntSettingsForm", [](Context& ctx) -> QWidget* {
        auto* w = new TIntSettingsForm;
        w->coyCode = ctx.coy;
        return asAustralian(ctx, w);
    });
    add("TAusGSTCalcForm", [](Context& ctx) -> QWidget* {
        auto* w = new TAusGSTCalcForm;
        w->coyCode = ctx.coy;
        return asAustralian(ctx, w);
    });
    add("TGSTAuditRptForm", [](Context& ctx) -> QWidget* {
        // The two months before this one, as a two-monthly return would propose them.
        const QDate thisMonth(QDate::currentDate().year(), QDate::currentDate().month(), 1);
        auto* w = new TGSTAuditRptForm;
        w->coyCode = QString::number(ctx.coy);
        w->startDate = thisMonth.addMonths(-2);
        w->endDate = thisMonth.addDays(-1);
        return w;
    });
}

}  // namespace gallery
