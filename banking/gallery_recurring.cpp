// The recurring transaction windows in the gallery, over the demo definitions (rent, wages and a
// loan repayment, added when the company has none): the set-up page, the schedule window and
// the run window with definitions due.
#include "banking/gallery_recurring.h"

#include "banking/bank_entry_reads.h"
#include "banking/bankmainform.h"
#include "banking/rectransdetform.h"
#include "banking/rectransform.h"
#include "banking/recurring_run.h"
#include "banking/recurring_sample.h"
#include "banking/sample_company.h"
#include "store/table.h"
#include "ui/gallery.h"

namespace gallery {

namespace {

// The TRANLINK of the company's first definition, after giving the folder the demo ones.
QString ensureDefinitions(Context& ctx) {
    store::Connection& c = ctx.connection;
    if (!banking::defaultBankAccount(c, ctx.coy))
        banking::sample::makeDemoCompany(c, QDate::currentDate());
    store::Table definitions(c, QStringLiteral("QVRecTr.DBF"));
    definitions.setIndexName(QStringLiteral("COYNO"));
    definitions.open();
    definitions.setMasterRange(QStringLiteral("COYNO"), ctx.coy);
    definitions.first();
    if (definitions.isEmpty()) {
        banking::sample::addDemoDefinitions(c, QDate::currentDate());
        definitions.refresh();
        definitions.first();
    }
    return definitions.text(QStringLiteral("TRANLINK")).trimmed();
}

}  // namespace

void registerRecurringWindows() {
    add(QStringLiteral("TBankMainForm-recurring"), [](Context& ctx) -> QWidget* {
        ensureDefinitions(ctx);
        auto* w = new TBankMainForm;
        w->coyActive = true;
        w->initialPage = TBankMainForm::RecurringPage;
        w->setWindowTitle(QStringLiteral("Maintain Bank details."));
        return w;
    });
    add(QStringLiteral("TRecTransDetForm"), [](Context& ctx) -> QWidget* {
        const QString link = ensureDefinitions(ctx);
        auto* w = new TRecTransDetForm;
        w->tranLink = link;
        w->setWindowTitle(QStringLiteral("Edit recurring trans. schedule : ") +
                          banking::findDefinition(ctx.connection, link)->descr);
        return w;
    });
    add(QStringLiteral("TRecTransForm"), [](Context& ctx) -> QWidget* {
        ensureDefinitions(ctx);
        auto* w = new TRecTransForm;
        w->coyCode = QString::number(ctx.coy);
        w->coyName = ctx.coyName;
        w->setWindowTitle(QStringLiteral("Run recurring transactions for : ") + ctx.coyName);
        return w;
    });
}

}  // namespace gallery
