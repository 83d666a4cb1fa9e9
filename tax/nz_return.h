#pragma once
// The figures of a New Zealand GST return (boxes 5 to 15), in whole cents. No widgets here.

#include <QString>
#include <optional>

#include "tax/line_groups.h"
#include "tax/stored_return.h"

namespace store {
class Connection;
}

namespace tax {

struct NzSums {
    GroupTotals salesAndIncome, zeroRated, expenses, privateUse;
};
NzSums readNzSums(store::Connection& connection, int coy, const TaxPeriod& period);

struct NzReturn {
    qint64 box5 = 0, box6 = 0, box7 = 0, box8 = 0, box9 = 0, box10 = 0;
    qint64 box11 = 0, box12 = 0, box13 = 0, box14 = 0, box15 = 0;
};

// Boxes from the sums and the typed box 9: box 8 is the tax of the standard-rated sales (0 when
// box 7 is 0), box 12 the tax of the expenses (0 when box 11 is 0), box 15 = box 10 - box 14.
NzReturn nzReturnFrom(const NzSums& sums, qint64 box9Cents);
// The return of the period's open lines.
NzReturn computeNzReturn(store::Connection& connection, int coy, const TaxPeriod& period,
                         qint64 box9Cents);

// The record a finalised return stores: INCOME from box 5 ... GSTAMOUNT from box 15.
StoredReturn storedFigures(const NzReturn& r);

// A figure typed into an editable box: empty counts as 0; nothing when the text is not a plain
// number or is beyond any money the store holds.
std::optional<qint64> typedBoxCents(const QString& text);

}  // namespace tax
