#pragma once
// The four groups of open journal lines a New Zealand return counts, as conditions shared by the
// return's sums, the marking on finalising and the tax audit's listing, so the audit's totals are
// the return's boxes. No widgets here.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <vector>

#include "tax/tax_period.h"

namespace store {
class Connection;
}

namespace tax {

// Lines of taxable accounts (GSTAPPLIES 1) not yet in a filed return (GSTCALC 0), in the period:
// - SalesAndIncome: income lines with tax, except zero-rated lines of wholly business accounts
//   (lines of partly or wholly private income accounts count here, zero-rated or not);
// - ZeroRated: zero-rated income lines with tax of wholly business accounts;
// - Expenses: standard-rated expense lines with tax of wholly business accounts;
// - PrivateUse: standard-rated expense lines of partly private accounts (their tax is box 13).
// Box 5 is SalesAndIncome + ZeroRated, box 6 ZeroRated, box 11 Expenses, box 13 PrivateUse tax.
enum class LineGroup { SalesAndIncome, ZeroRated, Expenses, PrivateUse };
inline constexpr LineGroup kLineGroups[] = {LineGroup::SalesAndIncome, LineGroup::ZeroRated,
                                            LineGroup::Expenses, LineGroup::PrivateUse};

// The group's own condition over a journal line named D (without the company, GSTCALC and period
// tests), naming the parameter sCoyCode.
QString lineGroupCondition(LineGroup group);
// "FROM ..." naming the journal lines D, read through the index of the lines not yet in a filed
// return (GSTCALC 0) in date order; the clause must test D.GSTCALC = 0 as lineGroupWhere does.
QString openLinesSource();
// The WHERE clause over journal lines named D ("WHERE ...", "AND ..." lines) of a group, with
// the parameters of lineGroupParams.
QStringList lineGroupWhere(LineGroup group);
// Parameters of every group's clause: sCoyCode, StartDate, EndDate.
QVariantMap lineGroupParams(int coy, const TaxPeriod& period);

struct GroupTotals {
    qint64 busCents = 0;  // SUM(BUSAMT)
    qint64 gstCents = 0;  // SUM(GSTAMT)
    qint64 lines = 0;
};
GroupTotals totalsOfGroup(store::Connection& connection, int coy, const TaxPeriod& period,
                          LineGroup group);

// One journal line of a group, as the tax audit lists it.
struct TaxLine {
    QString acctCode;
    QString desc;
    QDate date;
    qint64 busCents = 0;
    qint64 gstCents = 0;
};
// The group's lines in date order (then in the order they were written).
std::vector<TaxLine> linesOfGroup(store::Connection& connection, int coy, const TaxPeriod& period,
                                  LineGroup group);

}  // namespace tax
