#pragma once
// A café's book for the budget tests: accounts made as account set-up makes them and journal
// lines posted through the cash rules, then budgets made through the budget window's rules.

#include <gtest/gtest.h>

#include "../reports/book_fixture.h"
#include "budgets/budget_store.h"
#include "budgets/statistics.h"
#include "store/query.h"
#include "support/temp_folder.h"

namespace budgettest {

class BudgetBook : public ::testing::Test {
protected:
    TempDataFolder folder;
    testbook::Book book{folder.connection};

    void SetUp() override { book.company("Harbour Cafe"); }

    budgets::BudgetAccount account(const QString& code) {
        for (const auto& a : budgets::budgetAccountsOf(folder.connection, 1))
            if (a.acctCode == code) return a;
        ADD_FAILURE() << "no account " << code.toStdString();
        return {};
    }

    // A budget of the account from `start`: set amount per period unless the plan says more.
    QString budget(const QString& acct, const QString& status, double amount,
                   const QDate& start = QDate(2025, 4, 1),
                   budgets::PeriodLength length = budgets::PeriodLength::Monthly,
                   const QString& code = {}) {
        const auto a = account(acct);
        budgets::BudgetPlan plan = budgets::newBudgetPlan(a.acctCode, a.descr, start, false);
        plan.code = code.isEmpty() ? a.acctCode : code;
        plan.status = status;
        plan.start = start;
        plan.finish = start.addDays(364);
        plan.length = length;
        plan.criterion = budgets::Criterion::SetAmount;
        plan.percent1 = QString::number(amount, 'f', 2);
        const auto made =
            budgets::createBudget(folder.connection, a, plan, budgets::planPeriods(plan, 0, {}));
        EXPECT_EQ(made.result, budgets::BudgetSave::Saved);
        return made.link;
    }

    double sql(const QString& text) {
        store::Query q(folder.connection);
        q.setSql(text);
        q.open();
        return q.eof() ? 0 : q.number(0);
    }
    QString sqlText(const QString& text) {
        store::Query q(folder.connection);
        q.setSql(text);
        q.open();
        return q.eof() ? QString() : q.value(0).toString().trimmed();
    }
};

}  // namespace budgettest
