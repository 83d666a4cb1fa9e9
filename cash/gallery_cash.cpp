// The cash windows in the gallery, over the demo company with its cash lines: the company's
// cash transactions, the cash details of a new deposit, and one attached line being edited.
#include "banking/bank_entry_reads.h"
#include "banking/sample_company.h"
#include "cash/cashtranform.h"
#include "cash/csheditform.h"
#include "cash/cshtrnform.h"
#include "cash/sample_cash.h"
#include "store/query.h"
#include "ui/gallery.h"

namespace gallery {

namespace {

// The default bank account, after giving an empty folder the demo company and its cash lines.
banking::BankAccount cashGalleryAccount(Context& ctx) {
    if (!banking::defaultBankAccount(ctx.connection, ctx.coy)) {
        banking::sample::makeDemoCompany(ctx.connection, QDate::currentDate());
        banking::sample::postDemoEntries(ctx.connection, 60, QDate::currentDate(), 1, 60);
    }
    if (cash::nextCashNumber(ctx.connection, ctx.coy) == 1 &&
        banking::findLedgerAccount(ctx.connection, ctx.coy, QStringLiteral("SALESCAFE")))
        cash::sample::addDemoCashLines(ctx.connection, QDate::currentDate());
    return *banking::defaultBankAccount(ctx.connection, ctx.coy);
}

qint64 attachedCashLine(Context& ctx) {
    store::Query q(ctx.connection);
    q.setSql(QStringList{QStringLiteral("SELECT rowid FROM QVACTTR"),
                         QStringLiteral("WHERE REASON = 'CSH' AND HASBNKACCT = 1"),
                         QStringLiteral("AND BNKTRNLNK <> '0-0-0' ORDER BY rowid LIMIT 1")});
    q.open();
    return q.eof() ? 0 : q.value(0).toLongLong();
}

}  // namespace

void registerCashWindows() {
    add(QStringLiteral("TQVCashTranForm"), [](Context& ctx) -> QWidget* {
        cashGalleryAccount(ctx);
        auto* w = new TQVCashTranForm;
        w->coyCode = ctx.coy;
        return w;
    });
    add(QStringLiteral("TQVCshTrnForm"), [](Context& ctx) -> QWidget* {
        const banking::BankAccount a = cashGalleryAccount(ctx);
        const banking::Company company = banking::readCompany(ctx.connection);
        auto* w = new TQVCshTrnForm;
        const qint64 reference = a.lastRefNo + 1;
        w->setWindowTitle(QStringLiteral("Miscellaneous transaction details (deposit) for: ") +
                          company.busName + QStringLiteral(" Bank a/c : ") + a.bankCode +
                          QLatin1Char('-') + a.acctNo);
        w->coyCode = ctx.coy;
        w->acctNo = a.acctNo;
        w->reference = reference;
        w->bnkLinkNo = banking::entryBnkLinkNo(a.bankCode, a.acctNo, reference);
        w->bnkTrnLnk = banking::entryBnkTrnLnk(a.bankCode, a.acctNo, reference, ctx.coy);
        w->taxable = company.gstEnabled;
        w->rate = company.gstPercent;
        return w;
    });
    add(QStringLiteral("TQVCshEditForm"), [](Context& ctx) -> QWidget* {
        cashGalleryAccount(ctx);
        const banking::Company company = banking::readCompany(ctx.connection);
        auto* w = new TQVCshEditForm;
        w->coyCode = ctx.coy;
        w->lineRowId = attachedCashLine(ctx);
        w->taxable = company.gstEnabled;
        w->rate = company.gstPercent;
        return w;
    });
}

}  // namespace gallery
