// The windows of bank set-up in the gallery, over two banks and three accounts of the company
// (added through the set-up rules when the folder has none).
#include "banking/acctselform.h"
#include "banking/bank_setup.h"
#include "banking/bankmainform.h"
#include "banking/bankvuform.h"
#include "banking/gallery_recurring.h"
#include "banking/opening_balance.h"
#include "ledger/departments.h"
#include "store/table.h"
#include "store/transaction.h"
#include "ui/gallery.h"

namespace gallery {

namespace {

void ensureSampleBanks(Context& ctx) {
    store::Connection& c = ctx.connection;
    store::Transaction tx(c);
    store::Table banks(c, "QVBkHdr.DBF");
    banks.setIndexName("BANKCODE");
    banks.open();
    if (banks.isEmpty()) {
        const struct { const char* code; const char* name; const char* branch; const char* contact; } list[] = {
            {"030100", "Westpac", "Queen Street", "Aroha Ngata"},
            {"120300", "ASB Bank", "Newmarket", "Peter Chan"},
        };
        for (const auto& b : list) {
            banking::BankDetails d;
            d.bankCode = QString::fromLatin1(b.code);
            d.name = QString::fromLatin1(b.name);
            d.branch = QString::fromLatin1(b.branch);
            d.contact = QString::fromLatin1(b.contact);
            d.postAddr1 = QStringLiteral("PO Box 912");
            d.postAddr2 = QStringLiteral("Auckland");
            d.phoneNo = QStringLiteral("0800 400 600");
            banking::addBank(banks, d);
        }
    }
    store::Table accounts(c, "QVBnkAct.DBF");
    accounts.setIndexName("COYCODE");
    accounts.open();
    accounts.setMasterRange("COYCODE", QString::number(ctx.coy));
    if (accounts.isEmpty()) {
        QString busCode;
        {
            store::Table control(c, "QVCntrl.DBF");
            control.setIndexName("COYCODE");
            control.open();
            busCode = control.text("BUSCODE");
        }
        const auto depts = ledger::departmentsOf(c, ctx.coy);
        banking::BankAccountDetails main;
        main.bankCode = QStringLiteral("030100");
        main.acctNo = QStringLiteral("0123456-00");
        main.desc = QStringLiteral("Cheque account");
        main.isDefault = true;
        main.allowOd = true;
        main.odAmount = QStringLiteral("2500.00");
        banking::saveBankAccount(accounts, ctx.coy, busCode, main, banking::EntryMode::Add);
        banking::BankAccountDetails savings;
        savings.bankCode = QStringLiteral("120300");
        savings.acctNo = QStringLiteral("7654321-01");
        savings.desc = QStringLiteral("Savings");
        banking::saveBankAccount(accounts, ctx.coy, busCode, savings, banking::EntryMode::Add);
        if (!depts.empty()) {
            banking::BankAccountDetails shop;
            shop.bankCode = QStringLiteral("030100");
            shop.acctNo = QStringLiteral("0123456-02");
            shop.desc = QStringLiteral("Takings of ") + depts.front().name;
            shop.deptOnly = true;
            shop.department = depts.front();
            banking::saveBankAccount(accounts, ctx.coy, busCode, shop, banking::EntryMode::Add);
        }
        banking::updateOpeningBalance(
            c, ctx.coy, QStringLiteral("120300"), QStringLiteral("7654321-01"), 4210.55,
            QDate::currentDate().addMonths(-1), [](banking::OpeningQuestion, const QString&) { return true; },
            [](const QString&) {});
    }
    tx.commit();
}

QWidget* bankMainFormAt(Context& ctx, int page) {
    ensureSampleBanks(ctx);
    auto* w = new TBankMainForm;
    w->coyActive = true;
    w->initialPage = page;
    w->setWindowTitle(QStringLiteral("Maintain Bank details."));
    return w;
}

}  // namespace

void registerBankingWindows() {
    add(QStringLiteral("TBankMainForm"),
        [](Context& ctx) { return bankMainFormAt(ctx, TBankMainForm::BankPage); });
    add(QStringLiteral("TBankMainForm-accounts"),
        [](Context& ctx) { return bankMainFormAt(ctx, TBankMainForm::AccountsPage); });
    add(QStringLiteral("TBankMainForm-opening"),
        [](Context& ctx) { return bankMainFormAt(ctx, TBankMainForm::OpeningPage); });
    add(QStringLiteral("TBankVuForm"), [](Context& ctx) -> QWidget* {
        ensureSampleBanks(ctx);
        return new TBankVuForm;
    });
    add(QStringLiteral("TAcctSelForm"), [](Context& ctx) -> QWidget* {
        ensureSampleBanks(ctx);
        auto* w = new TAcctSelForm;
        w->coyCode = QString::number(ctx.coy);
        return w;
    });
    registerRecurringWindows();
}

}  // namespace gallery
