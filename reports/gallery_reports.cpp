// The report windows in the gallery: both selection windows and a preview of each report over
// the gallery's data folder (a small café's year is written first when it has no accounts).
#include "banking/bank_entry_reads.h"
#include "ledger/departments.h"
#include "reports/alljournalentries.h"
#include "reports/actualincomeexpensediaform.h"
#include "reports/balancesheet.h"
#include "reports/balancesheetform.h"
#include "reports/incomeexpensediaform.h"
#include "reports/profitandlostform.h"
#include "reports/reportpreview.h"
#include "reports/revenue.h"
#include "reports/trialbalance.h"
#include "reports/chartofaccounts.h"
#include "reports/journal.h"
#include "reports/transauditdiaform.h"
#include "reports/trialbalanceform.h"
#include "reports/worktables.h"
#include "reports/ytdfigures.h"
#include "reports/ytdreports.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"
#include "ui/gallery.h"

namespace gallery {
namespace {

struct SampleAccount {
    const char* code;
    const char* type;
    int inclPl;
    const char* descr;
    double monthly;  // amount of each month's line
};

const SampleAccount kAccounts[] = {
    {"SALES", "INC", 1, "Cafe sales", 9200},     {"CATERING", "INC", 1, "Catering", 1450},
    {"INTEREST", "INC", 1, "Bank interest", 12}, {"RENT", "EXP", 1, "Shop rent", 2300},
    {"WAGES", "EXP", 1, "Wages", 4100},          {"POWER", "EXP", 1, "Electricity", 380},
    {"SUPPLIES", "EXP", 1, "Food and coffee", 2650}, {"PHONE", "EXP", 1, "Phone and internet", 120},
    {"CAPITAL", "INC", 0, "Capital introduced", 0},  {"EQUIP", "EXP", 0, "Kitchen equipment", 0},
};

void writeSampleBook(store::Connection& c, Context& ctx) {
    store::Table accounts(c, "QVAccDet.DBF");
    accounts.setIndexName("COYCODE");
    accounts.setMasterRange("COYCODE", QString::number(ctx.coy));
    accounts.open();
    if (!accounts.isEmpty()) return;

    store::Transaction tx(c);
    store::Table control(c, "QVCntrl.DBF");
    control.setIndexName("COYCODE");
    control.open();
    if (control.findKey(ctx.coy) && control.text("BUSNAME") == "Name") {
        control.edit();
        control.setValue("BUSNAME", "Harbour Cafe");
        control.setValue("GSTENABLED", 1);
        control.setValue("GSTPERCENT", 15);
        control.post();
        ctx.coyName = "Harbour Cafe";
    }
    const QString coy = QString::number(ctx.coy);
    for (const SampleAccount& a : kAccounts) {
        accounts.insert();
        accounts.setValue("COYCODE", coy);
        accounts.setValue("BRANCH", "0");
        accounts.setValue("LINKCODE", store::keys::kCompanyLevelLinkCode);
        accounts.setValue("ACCTCODE", a.code);
        accounts.setValue("FULLCODE", store::keys::accountFullCode(ctx.coy, 0, a.code));
        accounts.setValue("COYACCT", 1);
        accounts.setValue("TYPECODE", a.type);
        accounts.setValue("RPTCAT", QString(a.type) == "INC" ? "I" : "E");
        accounts.setValue("DESCR", a.descr);
        accounts.setValue("INCLPL", a.inclPl);
        accounts.setValue("GSTAPPLIES", 1);
        accounts.setValue("ACTACTIVE", 1);
        accounts.setValue("EXPCODE", a.code);
        accounts.post();
    }

    const QString bank = "030100", acctNo = "1234567-00";
    const QDate start = store::fmt::financialYearStart(QDate::currentDate());
    store::Table banks(c, "QVBnkAct.DBF");
    banks.open();
    banks.insert();
    banks.setValue("COYCODE", coy);
    banks.setValue("BANKCODE", bank);
    banks.setValue("ACCTNO", acctNo);
    banks.setValue("BANKLINK", store::keys::bankLink(ctx.coy, bank, acctNo));
    banks.setValue("DESC", "Cheque account");
    banks.setValue("BRANCH", "0");
    banks.setValue("LINKCODE", store::keys::linkCode(ctx.coy, 0));
    banks.setValue("OPENBAL", 8500);
    banks.setValue("INITBAL", 8500);
    banks.setValue("CURRBAL", 8500);
    banks.setValue("STARTDATE", start.addYears(-1));
    banks.setValue("LASTREFNO", 1000000);
    banks.post();

    store::Table rows(c, "QVBnkTr.DBF");
    rows.open();
    store::Table lines(c, "QVActTr.DBF");
    lines.open();
    int ref = 1000000;
    auto post = [&](const SampleAccount& a, const QDate& date, double amount, bool banked) {
        const bool income = QString(a.type) == "INC";
        const double gst = store::fmt::roundTo(amount / (100.0 / 15.0 + 1.0), 2);
        QString link = store::keys::kNoBankEntry, entry = store::keys::kNoBankEntry;
        const QString refText = QString::number(++ref);
        if (banked) {
            rows.insert();
            rows.setValue("COYCODE", ctx.coy);
            rows.setValue("BANKCODE", bank);
            rows.setValue("BANKACCT", acctNo);
            rows.setValue("BANKLINK", store::keys::bankLink(ctx.coy, bank, acctNo));
            rows.setValue("LINKCODE", coy);
            rows.setValue("FULLCODE", store::keys::accountFullCode(ctx.coy, 0, a.code));
            rows.setValue("BNKTRNLNK", store::keys::bankEntryKey(bank, acctNo, refText));
            rows.setValue("TRANNUM", ref);
            rows.setValue("TRANDATE", date);
            rows.setValue("TRANTYPE", income ? "DEP" : "WD");
            rows.setValue("AMOUNT", income ? amount : -amount);
            rows.setValue("PURPOSE", a.code);
            rows.setValue("REASON", a.descr);
            rows.post();
            link = store::keys::bnkLinkNo(bank, acctNo, refText);
            entry = store::keys::journalBankEntryKey(bank, acctNo, refText, ctx.coy);
        }
        lines.insert();
        lines.setValue("COYCODE", coy);
        lines.setValue("LINKCODE", coy);
        lines.setValue("ACCTCODE", a.code);
        lines.setValue("FULLCODE", store::keys::fullCodeFromLink(coy, a.code));
        lines.setValue("TRANNUM", banked ? ref : 0);
        lines.setValue("REF", banked ? refText : "0");
        lines.setValue("TRANDATE", date);
        lines.setValue("DESC", QString(a.descr));
        lines.setValue("AMOUNT", amount);
        lines.setValue("BUSAMT", QString(a.code) == "INTEREST" ? 0.0 : amount);
        lines.setValue("GSTAMT", QString(a.code) == "INTEREST" ? 0.0 : gst);
        lines.setValue("HASGST", 1);
        lines.setValue("GSTTYPE", "N");
        lines.setValue("TRANTYPE", income ? "I" : "E");
        lines.setValue("REASON", banked ? (income ? "DEP" : "WD") : "CSH");
        lines.setValue("BNKLINKNO", link);
        lines.setValue("BNKTRNLNK", entry);
        lines.setValue("HASBNKACCT", banked ? 1 : 0);
        lines.setValue("BANKACCT", banked ? acctNo : QString());
        lines.post();
    };
    const QDate today = QDate::currentDate();
    for (QDate month = start.addYears(-1); month <= today; month = month.addMonths(1)) {
        for (const SampleAccount& a : kAccounts) {
            if (a.monthly <= 0) continue;
            const double amount = store::fmt::roundTo(a.monthly * (0.85 + 0.03 * month.month()), 2);
            post(a, month.addDays(14), amount, QString(a.code) != "CATERING");
        }
    }
    post(kAccounts[8], start.addYears(-1).addDays(3), 20000, true);
    post(kAccounts[9], start.addDays(40), 6325, true);
    tx.commit();
}

reports::ReportDocument trialBalance(Context& ctx) {
    const QDate from = store::fmt::financialYearStart(QDate::currentDate());
    const reports::BroughtForward carried =
        reports::broughtForward(ctx.connection, ctx.coy, from, QDate::currentDate());
    reports::TTrialBalanceReport report(ctx.connection, ctx.coy, from, QDate::currentDate(),
                                        carried);
    report.runToEnd();
    return report.document();
}

reports::ReportDocument revenue(Context& ctx) {
    reports::TBusinessRevenueReport report(
        ctx.connection, ctx.coy, {}, store::fmt::financialYearStart(QDate::currentDate()),
        QDate::currentDate(), {});
    report.runToEnd();
    return report.document();
}

reports::ReportDocument balanceSheet(Context& ctx) {
    reports::TBalanceSheetReport report(ctx.connection, ctx.coy,
                                        store::fmt::financialYearStart(QDate::currentDate()),
                                        QDate::currentDate());
    report.runToEnd();
    return report.document();
}

// A journal layout over the year to date, for the first department and account there are.
reports::ReportDocument journal(Context& ctx, reports::JournalLayout layout) {
    reports::JournalRequest r;
    r.coy = ctx.coy;
    r.fromGiven = true;
    r.from = store::fmt::financialYearStart(QDate::currentDate());
    r.to = QDate::currentDate();
    const auto departments = ledger::departmentsOf(ctx.connection, ctx.coy);
    if (!departments.empty()) r.linkCode = departments.front().linkCode;
    r.acctCode = QStringLiteral("SALES");
    if (const auto bank = banking::defaultBankAccount(ctx.connection, ctx.coy)) {
        r.bankAcctNo = bank->acctNo;
        r.bankTitle = bank->bankCode + "-" + bank->acctNo + " : " + bank->desc;
    }
    reports::JournalReport report(ctx.connection, layout, r);
    report.runToEnd();
    return report.document();
}

// A monthly budget for the year on each of the café's trading accounts, 5 % above its usual
// month; rent, power and phone reported as overheads.
void writeSampleBudgets(store::Connection& c, const Context& ctx) {
    store::Query has(c);
    has.setSql("SELECT COUNT(*) FROM QVBUDCNTR WHERE COYCODE =:c");
    has.bind("c", QString::number(ctx.coy));
    has.open();
    if (has.number(0) > 0) return;
    store::Transaction tx(c);
    const QDate start = store::fmt::financialYearStart(QDate::currentDate());
    const QString coy = QString::number(ctx.coy);
    store::Table heads(c, "QVBudCntr.DBF");
    heads.open();
    store::Table periods(c, "QVAccBud.DBF");
    periods.open();
    for (const SampleAccount& a : kAccounts) {
        if (a.monthly <= 0) continue;
        const QString link = store::keys::budgetLink(a.code, "0", 1);
        const QString full = store::keys::accountFullCode(ctx.coy, 0, a.code);
        const double each = store::fmt::roundTo(a.monthly * 1.05, 0);
        heads.insert();
        heads.setValue("BUDGCODE", a.code);
        heads.setValue("LINKCODE", "0");
        heads.setValue("COYCODE", coy);
        heads.setValue("ACCTCODE", a.code);
        heads.setValue("FULLCODE", full);
        heads.setValue("DESCR", a.descr);
        heads.setValue("STATUS", "A");
        heads.setValue("BUD_START", start);
        heads.setValue("BUD_FIN", store::fmt::financialYearEnd(start));
        heads.setValue("TOTAMOUNT", each * 12);
        heads.setValue("BUSAMOUNT", each * 12);
        heads.setValue("BUDGLINK", link);
        heads.setValue("PERIODBRK", "M");
        heads.setValue("BCRITERIA1", "SA");
        heads.setValue("PERCENT1", each);
        heads.post();
        for (const reports::DateRange& m : reports::reportMonths(start, 12)) {
            periods.insert();
            periods.setValue("BUDGCODE", a.code);
            periods.setValue("BUDGLINK", link);
            periods.setValue("LINKCODE", "0");
            periods.setValue("COYCODE", coy);
            periods.setValue("ACCTCODE", a.code);
            periods.setValue("FULLCODE", full);
            periods.setValue("PERIOD_BEG", m.from);
            periods.setValue("PERIOD_END", m.to);
            periods.setValue("BAMOUNT", each);
            periods.setValue("TAMOUNT", each);
            periods.post();
        }
        c.exec(QString("UPDATE QVACCDET SET BUDGLINK = '%1', HASBUDGET = 1, LASTBNO = 1, RPTCAT = "
                       "CASE WHEN ACCTCODE IN ('RENT', 'POWER', 'PHONE') THEN 'O' ELSE RPTCAT END "
                       "WHERE COYCODE = '%2' AND ACCTCODE = '%3'")
                   .arg(link, coy, a.code));
    }
    tx.commit();
}

reports::ReportDocument ytdComparison(Context& ctx, int months) {
    writeSampleBook(ctx.connection, ctx);
    writeSampleBudgets(ctx.connection, ctx);
    reports::ComparisonSelection s;
    s.coy = ctx.coy;
    const QDate lastMonth = QDate::currentDate().addMonths(-1);
    s.firstMonth = QDate(lastMonth.year(), lastMonth.month(), 1).addMonths(1 - months);
    s.months = months;
    s.yearStart = store::fmt::financialYearStart(s.firstMonth);
    s.periodEnd = store::fmt::financialYearEnd(s.yearStart);
    reports::ComparisonFigures figures(ctx.connection, s);
    figures.runToEnd();
    const reports::ReportDocument doc = reports::comparisonReport(ctx.connection, figures);
    reports::emptyWorkTables(ctx.connection, reports::comparisonWorkTables());
    return doc;
}

reports::ReportDocument ytdActuals(Context& ctx) {
    writeSampleBook(ctx.connection, ctx);
    const QDate from = store::fmt::financialYearStart(QDate::currentDate());
    reports::ActualsFigures figures(ctx.connection,
                                    {ctx.coy, {}, from, store::fmt::financialYearEnd(from), false});
    figures.runToEnd();
    const reports::ReportDocument doc = reports::actualsReport(ctx.connection, figures);
    reports::emptyWorkTables(ctx.connection, reports::actualsWorkTables());
    return doc;
}

QWidget* preview(const reports::ReportDocument& doc, const QString& title) {
    auto* w = new reports::TReportPreviewForm;
    w->setWindowTitle(title);
    w->document = doc;
    return w;
}

}  // namespace

void registerReportsWindows() {
    add("TTrialBalanceForm", [](Context& ctx) -> QWidget* {
        writeSampleBook(ctx.connection, ctx);
        auto* w = new reports::TTrialBalanceForm;
        w->coyCode = ctx.coy;
        return w;
    });
    add("TProfitandLostForm", [](Context& ctx) -> QWidget* {
        writeSampleBook(ctx.connection, ctx);
        auto* w = new reports::TProfitandLostForm;
        w->coyCode = ctx.coy;
        return w;
    });
    add("TTrialBalanceReport", [](Context& ctx) -> QWidget* {
        writeSampleBook(ctx.connection, ctx);
        return preview(trialBalance(ctx), "Trial balance");
    });
    add("TBalanceDiaForm", [](Context& ctx) -> QWidget* {
        writeSampleBook(ctx.connection, ctx);
        auto* w = new reports::TBalanceDiaForm;
        w->coyCode = ctx.coy;
        return w;
    });
    add("TBalanceSheetReport", [](Context& ctx) -> QWidget* {
        writeSampleBook(ctx.connection, ctx);
        return preview(balanceSheet(ctx), "Balance sheet");
    });
    add("TBusinessRevenueReport", [](Context& ctx) -> QWidget* {
        writeSampleBook(ctx.connection, ctx);
        return preview(revenue(ctx), "Revenue statement");
    });
    add("TAllJournalEntries", [](Context& ctx) -> QWidget* {
        writeSampleBook(ctx.connection, ctx);
        auto* w = new reports::TAllJournalEntries;
        w->coyCode = ctx.coy;
        return w;
    });
    add("TQVDetailedTransAuditDiaForm", [](Context& ctx) -> QWidget* {
        auto* w = new TQVDetailedTransAuditDiaForm;
        w->titleText = QStringLiteral("030100-1234567-00 : Cheque account");
        w->coyCode = ctx.coy;
        w->acctNo = QStringLiteral("1234567-00");
        return w;
    });
    add("TAcctAudRptForm", [](Context& ctx) -> QWidget* {
        writeSampleBook(ctx.connection, ctx);
        return preview(reports::TAcctAudRptForm(ctx.connection, ctx.coy).document(),
                       "Account audit report");
    });
    using L = reports::JournalLayout;
    const std::pair<const char*, L> layouts[] = {
        {"TSummaryJournalEntriesReport", L::Summary},
        {"TAllJournalEntriesReport", L::All},
        {"TDptJournalEntriesReport", L::Department},
        {"TCashEntriesOnlyReport", L::CashOnly},
        {"TSelAcctTranRptForm", L::SelectedAccount},
        {"TSelDeptandJournalRptForm", L::DepartmentAndAccount},
        {"TAllJournalAuditRptForm", L::Audit},
        {"TDeptAudRptForm", L::DepartmentAudit},
        {"TTransactionAuditRptForm", L::TransactionAudit}};
    for (const auto& [name, layout] : layouts) {
        add(name, [layout](Context& ctx) -> QWidget* {
            writeSampleBook(ctx.connection, ctx);
            return preview(journal(ctx, layout), "Journal report");
        });
    }
    add("TIncomeExpenseDiaForm", [](Context& ctx) -> QWidget* {
        writeSampleBook(ctx.connection, ctx);
        auto* w = new reports::TIncomeExpenseDiaForm;
        w->coyCode = ctx.coy;
        return w;
    });
    add("TActualIncomeExpenseDiaForm", [](Context& ctx) -> QWidget* {
        writeSampleBook(ctx.connection, ctx);
        auto* w = new reports::TActualIncomeExpenseDiaForm;
        w->coyCode = ctx.coy;
        return w;
    });
    add("TYTDBudget_Vs_ActualsForm", [](Context& ctx) -> QWidget* {
        return preview(ytdComparison(ctx, 1), "Actuals vs Budget");
    });
    add("TYTDActuals_Vs_Budgets_2mth", [](Context& ctx) -> QWidget* {
        return preview(ytdComparison(ctx, 2), "Actuals vs Budget");
    });
    add("TYTDActuals",
        [](Context& ctx) -> QWidget* { return preview(ytdActuals(ctx), "Actuals to Date"); });
}

}  // namespace gallery
