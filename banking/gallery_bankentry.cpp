// The bank entry windows in the gallery, over the demo company: the cheque account with its
// rows, a transfer shown from its source account, and the lines of an entry with details.
#include "banking/bank_entry_reads.h"
#include "banking/banktranform.h"
#include "banking/depositdetailsform.h"
#include "banking/sample_company.h"
#include "store/error.h"
#include "store/query.h"
#include "store/table.h"
#include "ui/gallery.h"

namespace gallery {

namespace {

// The company's default account, after giving an empty folder the demo company.
banking::BankAccount galleryAccount(Context& ctx) {
    if (!banking::defaultBankAccount(ctx.connection, ctx.coy)) {
        banking::sample::makeDemoCompany(ctx.connection, QDate::currentDate());
        banking::sample::postDemoEntries(ctx.connection, 60, QDate::currentDate(), 1, 60);
    }
    return *banking::defaultBankAccount(ctx.connection, ctx.coy);
}

qint64 lastRowOf(Context& ctx, const banking::BankAccount& a, const QString& condition) {
    store::Query q(ctx.connection);
    q.setSql(QStringList{QStringLiteral("SELECT MAX(TRANNUM) FROM QVBNKTR"),
                         QStringLiteral("WHERE BANKLINK = :sBankLink AND ") + condition});
    q.bind(QStringLiteral("sBankLink"), a.bankLink);
    q.open();
    return q.value(0).toLongLong();
}

// Detail lines on accounts the folder has: the demo company's own, else the company's first
// income and first expense account.
std::vector<banking::sample::DetailLineSpec> detailLines(Context& ctx) {
    if (banking::findLedgerAccount(ctx.connection, ctx.coy, QStringLiteral("SALESCAFE")))
        return {{QStringLiteral("SALESCAFE"), 1150.00, QStringLiteral("Market stall sales")},
                {QStringLiteral("OTHERINC"), 86.25, QStringLiteral("Cooking class fees")},
                {QStringLiteral("PURCHASES"), 42.50, QStringLiteral("Ice and cups from takings")}};
    std::vector<banking::sample::DetailLineSpec> lines;
    for (const char* type : {"INC", "EXP"}) {
        store::Query q(ctx.connection);
        q.setSql(QStringList{QStringLiteral("SELECT ACCTCODE FROM QVACCDET"),
                             QStringLiteral("WHERE COYCODE = :sCoyCode AND TYPECODE = :sType"),
                             QStringLiteral("ORDER BY FULLCODE")});
        q.bind(QStringLiteral("sCoyCode"), QString::number(ctx.coy));
        q.bind(QStringLiteral("sType"), QString::fromLatin1(type));
        q.open();
        if (!q.eof())
            lines.push_back({q.text(QStringLiteral("ACCTCODE")), lines.empty() ? 1150.00 : 42.50,
                             lines.empty() ? QStringLiteral("Market stall sales")
                                           : QStringLiteral("Ice and cups from takings")});
    }
    if (lines.empty())
        throw store::StoreError(QStringLiteral("The company has no ledger account for details."));
    return lines;
}

}  // namespace

void registerBankEntryWindows() {
    add(QStringLiteral("TQVBankTranForm"), [](Context& ctx) -> QWidget* {
        galleryAccount(ctx);
        auto* w = new TQVBankTranForm;
        w->coyCode = QString::number(ctx.coy);
        return w;
    });
    add(QStringLiteral("TQVBankTranForm-transfer"), [](Context& ctx) -> QWidget* {
        const banking::BankAccount a = galleryAccount(ctx);
        auto* w = new TQVBankTranForm;
        w->coyCode = QString::number(ctx.coy);
        w->tranNum = lastRowOf(
            ctx, a, QStringLiteral("TRANTYPE = 'TR' AND (SOURCEACCT = '' OR SOURCEACCT IS NULL)"));
        return w;
    });
    add(QStringLiteral("TDepositDetailsForm"), [](Context& ctx) -> QWidget* {
        const banking::BankAccount a = galleryAccount(ctx);
        qint64 number = lastRowOf(ctx, a, QStringLiteral("CSHACCDET = 1"));
        if (number == 0)
            number = banking::sample::addEntryWithDetails(
                ctx.connection, ctx.coy, a.bankCode, a.acctNo, banking::EntryType::Deposit,
                QDate::currentDate(), QStringLiteral("Saturday market takings"), detailLines(ctx));
        auto* w = new TDepositDetailsForm;
        w->coyCode = QString::number(ctx.coy);
        w->bankCode = a.bankCode;
        w->acctNo = a.acctNo;
        w->acctDesc = a.desc;
        w->tranNum = number;
        return w;
    });
}

}  // namespace gallery
