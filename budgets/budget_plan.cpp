#include "budgets/budget_plan.h"

#include "store/format.h"

namespace budgets {
namespace {

using store::fmt::roundTo;

double typedNumber(const QString& text) {
    double value = 0;
    return store::fmt::parseMoney(text, &value) ? value : 0;
}

bool typedZero(const QString& text) {
    return !text.trimmed().isEmpty() && store::fmt::cents(typedNumber(text)) == 0;
}

double grown(double amount, double percent) {
    return roundTo(amount + amount * percent / 100.0, 2);
}

// Growth on the monthly base: B x P x (1 + percent / 100).
void appendOnBase(std::vector<PlannedPeriod>& out, const std::vector<Period>& periods,
                  double monthlyBase, PeriodLength length, double percent) {
    const double amount = roundTo(monthlyBase * monthsPer(length) * (1 + percent / 100.0), 2);
    for (const Period& p : periods) out.push_back({p.begin, p.end, amount});
}

// Actual figures: the same month a year earlier (or this year's), grown; nothing stays nothing.
void fillFromActuals(std::vector<PlannedPeriod>& periods, const BudgetPlan& plan,
                     const ActualsOf& actualsOf) {
    const bool split = plan.criterion == Criterion::SplitPercent;
    for (PlannedPeriod& p : periods) {
        const bool second = split && plan.per2Start.isValid() && p.begin >= plan.per2Start;
        const double percent = second ? plan.secondPercent() : plan.firstPercent();
        const QDate from = plan.currentYear ? p.begin : yearEarlier(p.begin);
        const QDate to = plan.currentYear ? p.end : yearEarlier(p.end);
        const double actual = roundTo(actualsOf(from, to), 2);
        p.amount = store::fmt::cents(actual) == 0 ? 0 : grown(actual, percent);
    }
}

}  // namespace

QString criterionCode(Criterion criterion) {
    switch (criterion) {
        case Criterion::FlatRate:
            return QStringLiteral("FR");
        case Criterion::SplitPercent:
            return QStringLiteral("SP");
        case Criterion::SetAmount:
            return QStringLiteral("SA");
        case Criterion::ManualEntry:
            return QStringLiteral("ME");
    }
    return QStringLiteral("ME");
}

Criterion criterionOf(const QString& code) {
    const QString c = code.trimmed().toUpper();
    if (c == QLatin1String("FR")) return Criterion::FlatRate;
    if (c == QLatin1String("SP")) return Criterion::SplitPercent;
    if (c == QLatin1String("SA")) return Criterion::SetAmount;
    return Criterion::ManualEntry;
}

double BudgetPlan::firstPercent() const { return typedNumber(percent1); }
double BudgetPlan::secondPercent() const { return typedNumber(percent2); }

bool BudgetPlan::onActuals() const {
    return basis == Basis::Actuals &&
           (criterion == Criterion::FlatRate || criterion == Criterion::SplitPercent);
}

BudgetPlan newBudgetPlan(const QString& acctCode, const QString& descr, const QDate& today,
                         bool hasHistory) {
    BudgetPlan plan;
    plan.code = acctCode.trimmed();
    plan.descr = descr;
    plan.start = store::fmt::financialYearStart(today);
    plan.finish = store::fmt::financialYearEnd(plan.start);
    plan.percent1 = QStringLiteral("0.00");
    followFirstSplit(plan, plan.start);
    plan.per2End = plan.finish;
    plan.criterion = hasHistory ? Criterion::FlatRate : Criterion::SetAmount;
    plan.basis = hasHistory ? Basis::Actuals : Basis::Average;
    return plan;
}

void followFirstSplit(BudgetPlan& plan, const QDate& per1Start) {
    plan.per1Start = per1Start;
    plan.per1End = per1Start.addDays(182);
    plan.per2Start = plan.per1End.addDays(1);
}

QString planProblemText(PlanProblem problem) {
    switch (problem) {
        case PlanProblem::None:
            return {};
        case PlanProblem::NotMonthly:
            return QStringLiteral(
                "Actual figures can only be calculated if the period is monthly.");
        case PlanProblem::NoHistory:
            return QStringLiteral(
                "There is no accounts history - select manual entry, or set amount.");
        case PlanProblem::NoPercent:
            return QStringLiteral("You must enter a percent amount!");
        case PlanProblem::NoSecondPercent:
            return QStringLiteral("You must enter a percent for the second split!");
        case PlanProblem::NoSetAmount:
            return QStringLiteral(
                "You must enter a set amount - a budget of 0 in every period "
                "is made with Manual Entry.");
    }
    return {};
}

PlanCheck checkPlan(BudgetPlan& plan, bool hasHistory) {
    const bool growth =
        plan.criterion == Criterion::FlatRate || plan.criterion == Criterion::SplitPercent;
    if (growth && plan.onActuals() && plan.length != PeriodLength::Monthly)
        return {PlanProblem::NotMonthly, false};
    if (growth && !hasHistory) {
        const bool goesOn = !plan.onActuals();
        plan.criterion = Criterion::SetAmount;
        if (!goesOn) return {PlanProblem::NoHistory, false};
        if (store::fmt::cents(plan.firstPercent()) == 0) return {PlanProblem::NoSetAmount, false};
        return {PlanProblem::NoHistory, true};
    }
    if (growth && typedZero(plan.percent1)) return {PlanProblem::NoPercent, false};
    if (plan.criterion == Criterion::SplitPercent && typedZero(plan.percent2))
        return {PlanProblem::NoSecondPercent, false};
    if (plan.criterion == Criterion::SetAmount && store::fmt::cents(plan.firstPercent()) == 0)
        return {PlanProblem::NoSetAmount, false};
    return {};
}

std::vector<PlannedPeriod> planPeriods(const BudgetPlan& plan, double monthlyBase,
                                       const ActualsOf& actualsOf) {
    std::vector<PlannedPeriod> out;
    const bool split = plan.criterion == Criterion::SplitPercent;
    const int count = periodCount(plan.length, split);
    const double base = plan.onActuals() ? 0 : roundTo(monthlyBase, 2);
    const QDate first = split ? plan.per1Start : plan.start;
    const auto firstPeriods = followingPeriods(first, plan.length, count);
    switch (plan.criterion) {
        case Criterion::FlatRate:
            appendOnBase(out, firstPeriods, base, plan.length, plan.firstPercent());
            break;
        case Criterion::SplitPercent:
            appendOnBase(out, firstPeriods, base, plan.length, plan.firstPercent());
            appendOnBase(out, followingPeriods(plan.per2Start, plan.length, count), base,
                         plan.length, plan.secondPercent());
            break;
        case Criterion::SetAmount:
            for (const Period& p : firstPeriods)
                out.push_back({p.begin, p.end, roundTo(plan.firstPercent(), 2)});
            break;
        case Criterion::ManualEntry:
            for (const Period& p : firstPeriods) out.push_back({p.begin, p.end, 0});
            break;
    }
    if (plan.onActuals() && actualsOf) fillFromActuals(out, plan, actualsOf);
    return out;
}

double totalOf(const std::vector<PlannedPeriod>& periods) {
    qint64 cents = 0;
    for (const PlannedPeriod& p : periods) cents += store::fmt::cents(p.amount);
    return static_cast<double>(cents) / 100.0;
}

}  // namespace budgets
