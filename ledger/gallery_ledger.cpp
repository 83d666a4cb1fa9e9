// The windows of the chart of accounts in the gallery, over a company with two departments and
// a few accounts (added through the ledger's own rules when the folder has none).
#include "ledger/accountlists.h"
#include "ledger/accounts.h"
#include "ledger/cashaccountform.h"
#include "ledger/companyform.h"
#include "ledger/departments.h"
#include "ledger/deptviewform.h"
#include "ledger/validationform.h"
#include "store/table.h"
#include "store/transaction.h"
#include "ui/gallery.h"

namespace gallery {

namespace {

void ensureSampleLedger(Context& ctx) {
    store::Connection& c = ctx.connection;
    if (!ledger::departmentsOf(c, ctx.coy).empty()) return;
    store::Transaction tx(c);
    store::Table coy(c, "QVCoy.DBF");
    coy.open();
    const struct { const char* code; const char* name; const char* manager; } depts[] = {
        {"SALES", "Sales and counter", "Ruth"}, {"WORKS", "Workshop", "Tama"}};
    for (const auto& d : depts) {
        ledger::DepartmentDetails details;
        details.deptCode = QString::fromLatin1(d.code);
        details.busName = QString::fromLatin1(d.name);
        details.manFName = QString::fromLatin1(d.manager);
        details.manLName = QStringLiteral("Walker");
        details.address1 = QStringLiteral("12 Quay Street");
        details.address2 = QStringLiteral("Auckland");
        details.phoneNo = QStringLiteral("09 555 0101");
        details.gstEnabled = true;
        ledger::addDepartment(coy, ctx.coy, QString(), details);
    }
    store::Table accounts(c, "QVAccDet.DBF");
    accounts.open();
    if (ledger::accountCodesOf(c, ctx.coy).isEmpty()) {
        const struct { const char* code; const char* dept; const char* type; const char* cat;
                       const char* descr; bool active; } list[] = {
            {"SALES", "SALES", "INC", "I", "Counter sales", true},
            {"REPAIRS", "WORKS", "INC", "I", "Repair work", true},
            {"PARTS", "WORKS", "EXP", "E", "Parts and materials", true},
            {"RENT", "", "EXP", "O", "Rent of the premises", true},
            {"POWER", "", "EXP", "O", "Electricity", true},
            {"ADVERT", "SALES", "EXP", "O", "Advertising", false},
        };
        for (const auto& a : list) {
            ledger::AccountDetails d;
            d.acctCode = QString::fromLatin1(a.code);
            d.deptCode = QString::fromLatin1(a.dept);
            d.typeCode = QString::fromLatin1(a.type);
            d.rptCat = QString::fromLatin1(a.cat);
            d.descr = QString::fromLatin1(a.descr);
            d.expCode = d.acctCode;
            d.inclPl = true;
            d.gstApplies = true;
            d.active = a.active;
            ledger::addAccount(accounts, ctx.coy, d);
        }
    }
    tx.commit();
}

}  // namespace

void registerLedgerWindows() {
    add(QStringLiteral("TQVCompanyForm"), [](Context&) -> QWidget* { return new TQVCompanyForm; });
    add(QStringLiteral("TQVValidationForm"), [](Context& ctx) -> QWidget* {
        ensureSampleLedger(ctx);
        return new TQVValidationForm;
    });
    add(QStringLiteral("TQVCashAccountForm"), [](Context& ctx) -> QWidget* {
        ensureSampleLedger(ctx);
        auto* w = new TQVCashAccountForm;
        w->coyCode = ctx.coy;
        return w;
    });
    add(QStringLiteral("TAcctsListForm"), [](Context& ctx) -> QWidget* {
        ensureSampleLedger(ctx);
        auto* w = new TAcctsListForm;
        w->coyCode = ctx.coy;
        w->selectEnabled = true;
        return w;
    });
    add(QStringLiteral("TDeptAcctListForm"), [](Context& ctx) -> QWidget* {
        ensureSampleLedger(ctx);
        auto* w = new TDeptAcctListForm;
        w->coyCode = ctx.coy;
        w->acctType = QStringLiteral("BOTH");
        w->selectEnabled = true;
        w->setWindowTitle(QStringLiteral("Select/View accounts of ") + ctx.coyName);
        return w;
    });
    add(QStringLiteral("TDeptViewForm"), [](Context& ctx) -> QWidget* {
        ensureSampleLedger(ctx);
        auto* w = new TDeptViewForm;
        w->coyCode = ctx.coy;
        return w;
    });
}

}  // namespace gallery
