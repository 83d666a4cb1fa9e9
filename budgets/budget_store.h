#pragma once
// The stored budgets: an account's budget fields (LASTBNO, BUDGLINK, HASBUDGET), the budget
// headers (QVBudCntr) and periods (QVAccBud), and every save of the budget window, each one
// database transaction. The rule that an account has at most one active budget lives here.

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "budgets/budget_plan.h"

namespace store {
class Connection;
}

namespace budgets {

// A ledger account as the budget window needs it.
struct BudgetAccount {
    int coy = 1;
    QString acctCode, fullCode, linkCode, descr, typeCode;
    bool active = true;  // ACTACTIVE
    int lastBno = 0;     // budgets created so far
    QString budgLink;    // the active budget, empty when none
    bool income() const { return typeCode.trimmed() != QLatin1String("EXP"); }
};

// The company's accounts by ACCTCODE.
std::vector<BudgetAccount> budgetAccountsOf(store::Connection& connection, int coy);
std::optional<BudgetAccount> budgetAccountOf(store::Connection& connection, int coy,
                                             const QString& fullCode);

struct BudgetHeader {
    QString link, code, descr, status, fullCode, acctCode, linkCode;
    int coy = 1;
    QDate start, finish;
    double total = 0, business = 0;
    Criterion criterion = Criterion::ManualEntry;
    PeriodLength length = PeriodLength::Monthly;
    double percent1 = 0, percent2 = 0;
    QDate per1Start, per1End, per2Start, per2End;
    bool currentYear = false;
};
// The account's budgets in the order they were made.
std::vector<BudgetHeader> budgetsOf(store::Connection& connection, int coy,
                                    const QString& fullCode);
// The company's budgets (by COYCODE), or a department's (by LINKCODE when given), as stored.
std::vector<BudgetHeader> budgetsOfCompany(store::Connection& connection, int coy,
                                           const QString& linkCode = {});
std::optional<BudgetHeader> budgetByLink(store::Connection& connection, const QString& link);

struct StoredPeriod {
    qint64 rowId = 0;
    QDate begin, end;
    double amount = 0;  // TAMOUNT
};
// The budget's periods by PERIOD_BEG.
std::vector<StoredPeriod> periodsOf(store::Connection& connection, const QString& link);

// BUDGLINK of the account's next budget with this code: code-LINKCODE-(LASTBNO + 1).
QString nextBudgetLink(const BudgetAccount& account, const QString& code);
bool budgetLinkUsed(store::Connection& connection, const QString& link);
// Whether a budget of the account other than `exceptLink` is active, whatever its code.
bool otherActiveBudget(store::Connection& connection, const BudgetAccount& account,
                       const QString& exceptLink = {});

enum class BudgetSave {
    Saved,
    EmptyCode,      // no code typed
    CodeInUse,      // "This code is already in use.. cannot use again!"
    AnotherActive,  // "There can only be one active budget for each account..."
    Missing         // the budget or period is no longer stored
};
QString budgetSaveText(BudgetSave result);

struct CreatedBudget {
    BudgetSave result = BudgetSave::Saved;
    QString link;
};
// Stores a new budget: its header, its periods, and on the account LASTBNO + 1 and, when
// active, BUDGLINK and HASBUDGET 1 - all in one transaction, so a failure (thrown on) leaves
// nothing.
CreatedBudget createBudget(store::Connection& connection, const BudgetAccount& account,
                           const BudgetPlan& plan, const std::vector<PlannedPeriod>& periods);
// A header edit: only the description and status change; the account follows the status.
BudgetSave saveBudgetHeader(store::Connection& connection, const BudgetAccount& account,
                            const QString& link, const QString& descr, const QString& status);
// A period edit: the period takes the amount and the totals move by the difference.
BudgetSave savePeriodAmount(store::Connection& connection, const QString& link, qint64 periodRow,
                            double amount);
// Deletes the periods and the header; an active budget the account points at is cleared.
BudgetSave deleteBudget(store::Connection& connection, const QString& link);

}  // namespace budgets
