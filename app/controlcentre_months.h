#pragma once
// The control centre's charts as figures: income and expenditure of every month of the
// profit/loss range, and the total of the bank accounts at the end of each of those months.
// Income and expenditure come from the rows the profit and loss is added up from, so the
// charts cost no second reading of the journal. No widgets here.

#include <QDate>
#include <map>
#include <vector>

#include "app/controlcentre_figures.h"

namespace store {
class Connection;
}

namespace app::controlcentre {

struct MonthFigures {
    QDate month;               // the first day of the month
    double income = 0.0;       // rounded to cents; a month without lines is 0
    double expenditure = 0.0;  // every account whose TYPECODE is not "INC"
    double bankTotal = 0.0;    // the bank accounts' total at the month's end (the last: at `to`)
};

// The first day of every month from `from`'s to `to`'s, both included; none for an empty range.
std::vector<QDate> monthsOf(const QDate& from, const QDate& to);

// Income and expenditure of each month, the accounts' month sums added as the profit and loss
// adds them (an account listed twice counts twice, a line of an unlisted account not at all).
std::vector<MonthFigures> monthlyProfitAndLoss(const std::vector<LedgerAccountRef>& accounts,
                                               const std::vector<AccountMonthSum>& monthSums,
                                               const QDate& from, const QDate& to);

// Bank rows summed by month ("yyyy-MM"), and those dated after `to` under kAfterRange.
inline const QString kAfterRange = QStringLiteral("after");
std::map<QString, double> readBankMovements(store::Connection& c, int coy, const QDate& from,
                                            const QDate& to);
// Fills bankTotal: the current total less every movement after the month (after `to` for the
// last month).
void setBankTotals(std::vector<MonthFigures>& months, double currentTotal,
                   const std::map<QString, double>& movements);

}  // namespace app::controlcentre
