#pragma once
// An account's statistics from its journal lines: this year's and last year's totals and their
// monthly averages, which a budget's growth criteria start from.

#include <QDate>
#include <QString>

namespace store {
class Connection;
}

namespace budgets {

struct StatisticsDates {
    QDate previousFrom, previousTo, currentFrom, currentTo;
};
// The financial year holding `today` and the 365 days before it.
StatisticsDates defaultStatisticsDates(const QDate& today);

struct AccountStatistics {
    double transactionTotal = 0;      // "Transaction Total :"
    double monthlyAverageToDate = 0;  // "Monthly average to date :", as shown
    double previousYearTotal = 0;     // "Prev year total :"
    double monthlyAverage = 0;        // "Monthly average : ", as shown
    // An account has history when either average, as shown, is not 0.
    bool hasHistory() const;
    // The base a growth criterion starts from: this year's average with "Use current year ".
    double base(bool currentYear) const {
        return currentYear ? monthlyAverageToDate : monthlyAverage;
    }
};

// SUM(AMOUNT) of the account's journal lines from `from` to `to` (inclusive), in cents.
double journalTotal(store::Connection& connection, const QString& fullCode, const QDate& from,
                    const QDate& to);
AccountStatistics accountStatistics(store::Connection& connection, const QString& fullCode,
                                    const StatisticsDates& dates);

}  // namespace budgets
