#pragma once
// The AMOUNT of each account's last journal line in a range of dates (date order, the lines of
// one date in the order written): the reports print an account only when that line has an
// amount. One backward walk over the range's last days finds it for nearly every account at
// once, reading a few contiguous pages of the date index instead of seeking once per account.

#include <QDate>
#include <QString>
#include <map>
#include <optional>

#include "ledger/account_totals.h"

namespace store {
class Connection;
}

namespace ledger {

// The last line's AMOUNT of every account of the company (COYCODE `coy`) that has lines
// between `from` and `to` (both inclusive); `period` holds the range's sums by account (from
// lineSumsByAccount), which tell the accounts that have lines. Accounts without lines are
// missing. The walk reads about `walkLimit` lines before seeking the accounts it has not met
// one by one: an account whose last line lies far back costs a seek, not a walk over the
// whole range.
std::map<QString, double> lastLineAmounts(store::Connection& c, const QString& coy,
                                          const QDate& from, const QDate& to,
                                          const AccountSums& period, int walkLimit = 20000);

// One account's last line in the range, sought alone; nullopt when it has none.
std::optional<double> lastLineAmount(store::Connection& c, const QString& coy,
                                     const QString& acctCode, const QDate& from, const QDate& to);

}  // namespace ledger
