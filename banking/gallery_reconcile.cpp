// Reconciliation, the bank statement and the transaction lists in the gallery, over the demo
// company's cheque account with a few rows marked presented.
#include "banking/bank_entry_reads.h"
#include "banking/bankrecform.h"
#include "banking/bankstatementdiaform.h"
#include "banking/bankstatementrpt.h"
#include "banking/banktransviewform.h"
#include "banking/bnktranlistform.h"
#include "banking/reconciliation.h"
#include "banking/sample_company.h"
#include "reports/reportpreview.h"
#include "store/query.h"
#include "ui/gallery.h"

namespace gallery {

namespace {

// The company's default account, after giving an empty folder the demo company, with three of
// its unreconciled rows presented.
banking::BankAccount reconcileAccount(Context& ctx) {
    if (!banking::defaultBankAccount(ctx.connection, ctx.coy)) {
        banking::sample::makeDemoCompany(ctx.connection, QDate::currentDate());
        banking::sample::postDemoEntries(ctx.connection, 60, QDate::currentDate(), 1, 60);
    }
    const banking::BankAccount a = *banking::defaultBankAccount(ctx.connection, ctx.coy);
    store::Query q(ctx.connection);
    q.setSql(banking::unreconciledRowsSql());
    const QVariantMap params = banking::unreconciledRowsParams(a.bankLink);
    for (auto it = params.begin(); it != params.end(); ++it) q.bind(it.key(), it.value());
    q.open();
    std::vector<qint64> rows;
    bool presented = false;
    for (; !q.eof() && rows.size() < 3; q.next()) {
        presented = presented || q.integer(QStringLiteral("CONFIRMED")) == 1;
        rows.push_back(q.value(0).toLongLong());
    }
    if (!presented)
        for (qint64 id : rows) banking::togglePresented(ctx.connection, ctx.coy, id, "0.00");
    return a;
}

}  // namespace

void registerReconciliationWindows() {
    add(QStringLiteral("TQVBankRecForm"), [](Context& ctx) -> QWidget* {
        reconcileAccount(ctx);
        auto* w = new TQVBankRecForm;
        w->coyCode = ctx.coy;
        w->setWindowTitle(QStringLiteral("Bank reconciliation for :  ") + ctx.coyName);
        return w;
    });
    add(QStringLiteral("TQVBankTransViewForm"), [](Context& ctx) -> QWidget* {
        reconcileAccount(ctx);
        auto* w = new TQVBankTransViewForm;
        w->coyCode = ctx.coy;
        w->setWindowTitle(QStringLiteral("Bank transactions view for  ") + ctx.coyName);
        return w;
    });
    add(QStringLiteral("TQVBnkTranListForm"), [](Context& ctx) -> QWidget* {
        const banking::BankAccount a = reconcileAccount(ctx);
        auto* w = new TQVBnkTranListForm;
        w->coyCode = QString::number(ctx.coy);
        w->bankLink = a.bankLink;
        w->accountLabel = a.desc;
        return w;
    });
    add(QStringLiteral("TBankStatementDiaForm"), [](Context& ctx) -> QWidget* {
        reconcileAccount(ctx);
        auto* w = new TBankStatementDiaForm;
        w->coyCode = QString::number(ctx.coy);
        return w;
    });
    add(QStringLiteral("TQVBankStatementRptForm"), [](Context& ctx) -> QWidget* {
        const banking::BankAccount a = reconcileAccount(ctx);
        TQVBankStatementRptForm r{ctx.coy, a.acctNo, QDate::currentDate().addDays(-90),
                                  QDate::currentDate()};
        auto* w = new reports::TReportPreviewForm;
        w->setWindowTitle(QStringLiteral("Bank statement"));
        w->document = r.document(ctx.connection);
        return w;
    });
}

}  // namespace gallery
