#include "budgets/budget_store.h"

#include "store/connection.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"

namespace budgets {
namespace {

using store::fmt::roundTo;

BudgetAccount budgetAccountFrom(const store::Query& q) {
    BudgetAccount a;
    a.coy = q.text("COYCODE").trimmed().toInt();
    a.acctCode = q.text("ACCTCODE").trimmed();
    a.fullCode = q.text("FULLCODE").trimmed();
    a.linkCode = q.text("LINKCODE").trimmed();
    a.descr = q.text("DESCR");
    a.typeCode = q.text("TYPECODE").trimmed();
    a.active = q.integer("ACTACTIVE") == 1;
    a.lastBno = static_cast<int>(q.integer("LASTBNO"));
    a.budgLink = q.text("BUDGLINK").trimmed();
    return a;
}

const QStringList kAccountSelect = {
    "SELECT COYCODE, ACCTCODE, FULLCODE, LINKCODE, DESCR, TYPECODE, ACTACTIVE, LASTBNO, "
    "BUDGLINK FROM QVACCDET"};

BudgetHeader headerFrom(const store::Query& q) {
    BudgetHeader h;
    h.link = q.text("BUDGLINK").trimmed();
    h.coy = q.text("COYCODE").trimmed().toInt();
    h.code = q.text("BUDGCODE").trimmed();
    h.descr = q.text("DESCR");
    h.status = q.text("STATUS").trimmed();
    h.fullCode = q.text("FULLCODE").trimmed();
    h.acctCode = q.text("ACCTCODE").trimmed();
    h.linkCode = q.text("LINKCODE").trimmed();
    h.start = q.date("BUD_START");
    h.finish = q.date("BUD_FIN");
    h.total = q.number("TOTAMOUNT");
    h.business = q.number("BUSAMOUNT");
    h.criterion = criterionOf(q.text("BCRITERIA1"));
    h.length = periodLengthOf(q.text("PERIODBRK"));
    h.percent1 = q.number("PERCENT1");
    h.percent2 = q.number("PERCENT2");
    h.per1Start = q.date("PER1START");
    h.per1End = q.date("PER1END");
    h.per2Start = q.date("PER2START");
    h.per2End = q.date("PER2END");
    h.currentYear = q.integer("CURRYR") == 1;
    return h;
}

// The account's record in QVAccDet, positioned for an edit.
bool openAccountRecord(store::Table& t, int coy, const QString& fullCode) {
    t.setIndexName(QStringLiteral("FULLCODE"));
    t.setFilter(QStringLiteral("FULLCODE = :f AND COYCODE = :c"),
                {{"f", fullCode}, {"c", QString::number(coy)}});
    t.open();
    t.first();
    return t.hasRecord();
}

// Points the account at its active budget, or clears it.
void pointAccountAt(store::Connection& c, int coy, const QString& fullCode, const QString& link,
                    std::optional<int> lastBno = {}) {
    store::Table t(c, QStringLiteral("QVAccDet.DBF"));
    if (!openAccountRecord(t, coy, fullCode)) return;
    t.edit();
    if (lastBno) t.setValue("LASTBNO", *lastBno);
    if (!link.isNull()) {
        t.setValue("BUDGLINK", link);
        t.setValue("HASBUDGET", link.isEmpty() ? 0 : 1);
    }
    t.post();
}

void writeHeader(store::Connection& c, const BudgetAccount& a, const BudgetPlan& plan,
                 const QString& link, double total) {
    store::Table t(c, QStringLiteral("QVBudCntr.DBF"));
    t.open();
    t.insert();
    t.setValue("BUDGCOY", store::keys::budgetCompanyKey(plan.code.trimmed(), a.coy));
    t.setValue("BUDGCODE", plan.code.trimmed());
    t.setValue("LINKCODE", a.linkCode);
    t.setValue("COYCODE", QString::number(a.coy));
    t.setValue("FULLCODE", a.fullCode);
    t.setValue("DESCR", plan.descr);
    t.setValue("STATUS", plan.status);
    t.setValue("BUD_START", plan.start);
    t.setValue("BUD_FIN", plan.finish);
    t.setValue("TOTAMOUNT", total);
    t.setValue("BUSAMOUNT", total);
    t.setValue("PERCENT1", plan.firstPercent());
    t.setValue("PERCENT2", plan.secondPercent());
    if (plan.criterion == Criterion::SplitPercent) {
        t.setValue("PER1START", plan.per1Start);
        t.setValue("PER1END", plan.per1End);
        t.setValue("PER2START", plan.per2Start);
        t.setValue("PER2END", plan.per2End);
    }
    t.setValue("BUDGLINK", link);
    t.setValue("CURRYR", plan.currentYear ? 1 : 0);
    t.setValue("PERIODBRK", periodCode(plan.length));
    t.setValue("BCRITERIA1", criterionCode(plan.criterion));
    t.post();
}

void writePeriods(store::Connection& c, const BudgetAccount& a, const QString& code,
                  const QString& link, const std::vector<PlannedPeriod>& periods) {
    store::Table t(c, QStringLiteral("QVAccBud.DBF"));
    t.open();
    for (const PlannedPeriod& p : periods) {
        t.insert();
        t.setValue("BUDGCODE", code);
        t.setValue("BUDGLINK", link);
        t.setValue("LINKCODE", a.linkCode);
        t.setValue("COYCODE", QString::number(a.coy));
        t.setValue("ACCTCODE", a.acctCode);
        t.setValue("FULLCODE", a.fullCode);
        t.setValue("PERIOD_BEG", p.begin);
        t.setValue("PERIOD_END", p.end);
        t.setValue("BAMOUNT", roundTo(p.amount, 2));
        t.setValue("DAMOUNT", 0.0);
        t.setValue("TAMOUNT", roundTo(p.amount, 2));
        t.setValue("EXP_MAX", 0.0);
        t.setValue("EXP_MIN", 0.0);
        t.post();
    }
}

bool openHeaderRecord(store::Table& t, const QString& link) {
    t.setIndexName(QStringLiteral("BUDGLINK"));
    t.open();
    return t.findKey(link);
}

}  // namespace

std::vector<BudgetAccount> budgetAccountsOf(store::Connection& connection, int coy) {
    store::Query q(connection);
    q.setSql(QStringList(kAccountSelect) << "WHERE COYCODE =:sCoy"
                                         << "ORDER BY ACCTCODE");
    q.bind("sCoy", QString::number(coy));
    q.open();
    std::vector<BudgetAccount> out;
    for (; !q.eof(); q.next()) out.push_back(budgetAccountFrom(q));
    return out;
}

std::optional<BudgetAccount> budgetAccountOf(store::Connection& connection, int coy,
                                             const QString& fullCode) {
    store::Query q(connection);
    q.setSql(QStringList(kAccountSelect) << "WHERE COYCODE =:sCoy AND FULLCODE =:sFullCode");
    q.bind("sCoy", QString::number(coy));
    q.bind("sFullCode", fullCode.trimmed());
    q.open();
    if (q.eof()) return std::nullopt;
    return budgetAccountFrom(q);
}

std::vector<BudgetHeader> budgetsOf(store::Connection& connection, int coy,
                                    const QString& fullCode) {
    store::Query q(connection);
    q.setSql({"SELECT * FROM QVBUDCNTR", "WHERE FULLCODE =:sFullCode AND COYCODE =:sCoy",
              "ORDER BY rowid"});
    q.bind("sFullCode", fullCode.trimmed());
    q.bind("sCoy", QString::number(coy));
    q.open();
    std::vector<BudgetHeader> out;
    for (; !q.eof(); q.next()) out.push_back(headerFrom(q));
    return out;
}

std::vector<BudgetHeader> budgetsOfCompany(store::Connection& connection, int coy,
                                           const QString& linkCode) {
    store::Query q(connection);
    q.setSql({"SELECT * FROM QVBUDCNTR",
              linkCode.isEmpty() ? "WHERE COYCODE =:sKey" : "WHERE LINKCODE =:sKey",
              "ORDER BY rowid"});
    q.bind("sKey", linkCode.isEmpty() ? QString::number(coy) : linkCode.trimmed());
    q.open();
    std::vector<BudgetHeader> out;
    for (; !q.eof(); q.next()) out.push_back(headerFrom(q));
    return out;
}

std::optional<BudgetHeader> budgetByLink(store::Connection& connection, const QString& link) {
    store::Query q(connection);
    q.setSql({"SELECT * FROM QVBUDCNTR", "WHERE BUDGLINK =:sLink"});
    q.bind("sLink", link.trimmed());
    q.open();
    if (q.eof()) return std::nullopt;
    return headerFrom(q);
}

std::vector<StoredPeriod> periodsOf(store::Connection& connection, const QString& link) {
    store::Query q(connection);
    q.setSql({"SELECT rowid, PERIOD_BEG, PERIOD_END, TAMOUNT FROM QVACCBUD",
              "WHERE BUDGLINK =:sLink", "ORDER BY PERIOD_BEG, rowid"});
    q.bind("sLink", link.trimmed());
    q.open();
    std::vector<StoredPeriod> out;
    for (; !q.eof(); q.next())
        out.push_back(
            {q.integer("rowid"), q.date("PERIOD_BEG"), q.date("PERIOD_END"), q.number("TAMOUNT")});
    return out;
}

QString nextBudgetLink(const BudgetAccount& account, const QString& code) {
    return store::keys::budgetLink(code.trimmed(), account.linkCode, account.lastBno + 1);
}

bool budgetLinkUsed(store::Connection& connection, const QString& link) {
    return budgetByLink(connection, link).has_value();
}

bool otherActiveBudget(store::Connection& connection, const BudgetAccount& account,
                       const QString& exceptLink) {
    store::Query q(connection);
    q.setSql({"SELECT COUNT(*) FROM QVBUDCNTR",
              "WHERE FULLCODE =:sFullCode AND COYCODE =:sCoy AND STATUS = 'A'",
              "AND BUDGLINK <> :sLink"});
    q.bind("sFullCode", account.fullCode);
    q.bind("sCoy", QString::number(account.coy));
    q.bind("sLink", exceptLink.trimmed());
    q.open();
    return q.number(0) > 0;
}

QString budgetSaveText(BudgetSave result) {
    switch (result) {
        case BudgetSave::Saved:
            return {};
        case BudgetSave::EmptyCode:
            return QStringLiteral("Enter a code for the budget.");
        case BudgetSave::CodeInUse:
            return QStringLiteral("This code is already in use.. cannot use again!");
        case BudgetSave::AnotherActive:
            return QStringLiteral(
                "There can only be one active budget for each account..make it a "
                "trial or inactivate it.");
        case BudgetSave::Missing:
            return QStringLiteral("Save not successful, try again!");
    }
    return {};
}

CreatedBudget createBudget(store::Connection& connection, const BudgetAccount& account,
                           const BudgetPlan& plan, const std::vector<PlannedPeriod>& periods) {
    if (plan.code.trimmed().isEmpty()) return {BudgetSave::EmptyCode, {}};
    store::Transaction tx(connection);
    // Re-read inside the transaction: the sequence number and the active rule must hold now.
    const auto current = budgetAccountOf(connection, account.coy, account.fullCode);
    if (!current) return {BudgetSave::Missing, {}};
    const QString link = nextBudgetLink(*current, plan.code);
    if (budgetLinkUsed(connection, link)) return {BudgetSave::CodeInUse, {}};
    if (plan.status == kActive && otherActiveBudget(connection, *current))
        return {BudgetSave::AnotherActive, {}};
    writeHeader(connection, *current, plan, link, totalOf(periods));
    pointAccountAt(connection, current->coy, current->fullCode,
                   plan.status == kActive ? link : QString(), current->lastBno + 1);
    writePeriods(connection, *current, plan.code.trimmed(), link, periods);
    tx.commit();
    return {BudgetSave::Saved, link};
}

BudgetSave saveBudgetHeader(store::Connection& connection, const BudgetAccount& account,
                            const QString& link, const QString& descr, const QString& status) {
    store::Transaction tx(connection);
    const auto stored = budgetByLink(connection, link);
    if (!stored) return BudgetSave::Missing;
    if (status == kActive && otherActiveBudget(connection, account, link))
        return BudgetSave::AnotherActive;
    store::Table t(connection, QStringLiteral("QVBudCntr.DBF"));
    if (!openHeaderRecord(t, link)) return BudgetSave::Missing;
    t.edit();
    t.setValue("DESCR", descr);
    t.setValue("STATUS", status);
    t.post();
    const auto acct = budgetAccountOf(connection, account.coy, account.fullCode);
    if (status == kActive)
        pointAccountAt(connection, account.coy, account.fullCode, link);
    else if (acct && acct->budgLink == link.trimmed())
        pointAccountAt(connection, account.coy, account.fullCode, QStringLiteral(""));
    tx.commit();
    return BudgetSave::Saved;
}

BudgetSave savePeriodAmount(store::Connection& connection, const QString& link, qint64 periodRow,
                            double amount) {
    store::Transaction tx(connection);
    store::Table periods(connection, QStringLiteral("QVAccBud.DBF"));
    periods.open();
    if (!periods.gotoRowId(periodRow) || periods.text("BUDGLINK").trimmed() != link.trimmed())
        return BudgetSave::Missing;
    const qint64 difference =
        store::fmt::cents(amount) - store::fmt::cents(periods.number("TAMOUNT"));
    periods.edit();
    periods.setValue("BAMOUNT", roundTo(amount, 2));
    periods.setValue("DAMOUNT", 0.0);
    periods.setValue("TAMOUNT", roundTo(amount, 2));
    periods.post();
    store::Table header(connection, QStringLiteral("QVBudCntr.DBF"));
    if (!openHeaderRecord(header, link)) return BudgetSave::Missing;
    header.edit();
    header.setValue("TOTAMOUNT",
                    (store::fmt::cents(header.number("TOTAMOUNT")) + difference) / 100.0);
    header.setValue("BUSAMOUNT",
                    (store::fmt::cents(header.number("BUSAMOUNT")) + difference) / 100.0);
    header.post();
    tx.commit();
    return BudgetSave::Saved;
}

BudgetSave deleteBudget(store::Connection& connection, const QString& link) {
    store::Transaction tx(connection);
    const auto stored = budgetByLink(connection, link);
    if (!stored) return BudgetSave::Missing;
    store::Table periods(connection, QStringLiteral("QVAccBud.DBF"));
    periods.setFilter(QStringLiteral("BUDGLINK = :l"), {{"l", link.trimmed()}});
    periods.open();
    for (periods.first(); periods.hasRecord(); periods.first()) periods.remove();
    const auto acct = budgetAccountOf(connection, stored->coy, stored->fullCode);
    if (stored->status == kActive && acct && acct->budgLink == link.trimmed())
        pointAccountAt(connection, stored->coy, stored->fullCode, QStringLiteral(""));
    store::Table header(connection, QStringLiteral("QVBudCntr.DBF"));
    if (openHeaderRecord(header, link)) header.remove();
    tx.commit();
    return BudgetSave::Saved;
}

}  // namespace budgets
