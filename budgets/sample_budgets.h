#pragma once
// Budgets for the demo company, made through the budget window's rules: every profit-and-loss
// account gets an active monthly budget for this financial year (10 % on last year's actual
// figures where it has them, else this year's monthly average as a set amount), and the first
// few a trial quarterly one.

#include <QDate>

namespace store {
class Connection;
}

namespace budgets::sample {

// Returns the number of budgets made. Accounts that already have budgets are left alone.
int addDemoBudgets(store::Connection& connection, int coy, const QDate& today);

}  // namespace budgets::sample
