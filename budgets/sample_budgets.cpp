#include "budgets/sample_budgets.h"

#include <cmath>

#include "budgets/budget_store.h"
#include "budgets/statistics.h"
#include "store/connection.h"
#include "store/format.h"
#include "store/query.h"

namespace budgets::sample {
namespace {

bool profitAndLoss(store::Connection& c, const QString& fullCode) {
    store::Query q(c);
    q.setSql({"SELECT INCLPL FROM QVACCDET", "WHERE FULLCODE =:sFullCode"});
    q.bind("sFullCode", fullCode);
    q.open();
    return !q.eof() && q.integer("INCLPL") == 1;
}

bool makeDemoBudget(store::Connection& c, const BudgetAccount& a, const QDate& today,
                    PeriodLength length, const QString& status, const QString& code) {
    const AccountStatistics stats = accountStatistics(c, a.fullCode, defaultStatisticsDates(today));
    // Last year's figures when there are any, else this year's monthly average as a set amount.
    const bool lastYear = store::fmt::cents(stats.previousYearTotal) != 0;
    BudgetPlan plan = newBudgetPlan(code, a.descr.trimmed(), today, lastYear);
    plan.status = status;
    plan.length = length;
    if (lastYear && length != PeriodLength::Monthly) plan.basis = Basis::Average;
    const double monthly =
        std::abs(stats.monthlyAverageToDate) > 0.005 ? stats.monthlyAverageToDate : 250.0;
    plan.percent1 = lastYear
                        ? QStringLiteral("10")
                        : store::fmt::money(store::fmt::roundTo(monthly * monthsPer(length), 2));
    if (checkPlan(plan, stats.hasHistory()).problem != PlanProblem::None) return false;
    const auto periods = planPeriods(plan, stats.base(false), [&](const QDate& f, const QDate& t) {
        return journalTotal(c, a.fullCode, f, t);
    });
    return createBudget(c, a, plan, periods).result == BudgetSave::Saved;
}

}  // namespace

int addDemoBudgets(store::Connection& c, int coy, const QDate& today) {
    int made = 0;
    for (const BudgetAccount& a : budgetAccountsOf(c, coy)) {
        if (a.lastBno > 0 || !profitAndLoss(c, a.fullCode)) continue;
        if (makeDemoBudget(c, a, today, PeriodLength::Monthly, kActive, a.acctCode)) ++made;
        if (made < 6 &&
            makeDemoBudget(c, *budgetAccountOf(c, coy, a.fullCode), today, PeriodLength::Quarterly,
                           kTrial, QStringLiteral("T") + a.acctCode))
            ++made;
    }
    return made;
}

}  // namespace budgets::sample
