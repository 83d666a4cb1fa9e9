#pragma once
// What a new budget is made from (status, dates, criterion, basis, period length, percents)
// and the amounts of its periods: a flat rate or split percent on a monthly average or on the
// actual figures of the same months, a set amount, or manual entry. No database, no widgets.

#include <QDate>
#include <QString>
#include <functional>
#include <vector>

#include "budgets/periods.h"

namespace budgets {

enum class Criterion { FlatRate, SplitPercent, SetAmount, ManualEntry };
enum class Basis { Actuals, Average };

// BCRITERIA1: "FR", "SP", "SA", "ME".
QString criterionCode(Criterion criterion);
Criterion criterionOf(const QString& code);

// STATUS: "T" trial, "A" active, "I" inactive.
inline const QString kTrial = QStringLiteral("T");
inline const QString kActive = QStringLiteral("A");
inline const QString kInactive = QStringLiteral("I");

struct BudgetPlan {
    QString code;
    QString descr;
    QString status = kTrial;
    QDate start, finish;
    Criterion criterion = Criterion::SetAmount;
    Basis basis = Basis::Average;
    PeriodLength length = PeriodLength::Monthly;
    bool currentYear = false;  // "Use current year "
    // The percent boxes as typed: an empty box and a 0 are told apart.
    QString percent1, percent2;
    QDate per1Start, per1End, per2Start, per2End;  // split percent

    double firstPercent() const;
    double secondPercent() const;
    // The basis counts only for the two growth criteria.
    bool onActuals() const;
};

// A new budget's boxes: the account's code and description, trial, monthly, a year from the
// financial year's 1 April, the splits as two halves, flat rate on actuals with history, else a
// set amount.
BudgetPlan newBudgetPlan(const QString& acctCode, const QString& descr, const QDate& today,
                         bool hasHistory);
// Splits follow the first split's start: its end 182 days on, the second split the day after.
void followFirstSplit(BudgetPlan& plan, const QDate& per1Start);

enum class PlanProblem {
    None,
    NotMonthly,       // actuals with periods other than monthly
    NoHistory,        // a growth criterion on an account without history
    NoPercent,        // "You must enter a percent amount!"
    NoSecondPercent,  // "You must enter a percent for the second split!"
    NoSetAmount       // a set amount of 0
};
QString planProblemText(PlanProblem problem);

// The checks of "Save". A growth criterion without history becomes a set amount: on actuals
// saving stops (NoHistory), on the average the message is shown and `plan` is saved as a set
// amount (NoHistory with `goesOn`).
struct PlanCheck {
    PlanProblem problem = PlanProblem::None;
    bool goesOn = true;
};
PlanCheck checkPlan(BudgetPlan& plan, bool hasHistory);

struct PlannedPeriod {
    QDate begin, end;
    double amount = 0;
};
// The journal total of the account between two dates (inclusive).
using ActualsOf = std::function<double(const QDate& from, const QDate& to)>;

// The periods and their amounts. `monthlyBase` is the monthly average as shown (two decimals);
// `actualsOf` is asked only on actuals, for each month one year earlier (or the month itself
// with "Use current year ").
std::vector<PlannedPeriod> planPeriods(const BudgetPlan& plan, double monthlyBase,
                                       const ActualsOf& actualsOf);
double totalOf(const std::vector<PlannedPeriod>& periods);

}  // namespace budgets
