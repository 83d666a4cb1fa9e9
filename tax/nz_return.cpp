#include "tax/nz_return.h"

#include "banking/money_limits.h"
#include "store/format.h"

namespace tax {

NzSums readNzSums(store::Connection& connection, int coy, const TaxPeriod& period) {
    return {totalsOfGroup(connection, coy, period, LineGroup::SalesAndIncome),
            totalsOfGroup(connection, coy, period, LineGroup::ZeroRated),
            totalsOfGroup(connection, coy, period, LineGroup::Expenses),
            totalsOfGroup(connection, coy, period, LineGroup::PrivateUse)};
}

NzReturn nzReturnFrom(const NzSums& s, qint64 box9Cents) {
    NzReturn r;
    r.box5 = s.salesAndIncome.busCents + s.zeroRated.busCents;
    r.box6 = s.zeroRated.busCents;
    r.box7 = r.box5 - r.box6;
    // Sales tax less the zero-rated lines' tax is the standard-rated lines' tax.
    r.box8 = r.box7 != 0 ? s.salesAndIncome.gstCents : 0;
    r.box9 = box9Cents;
    r.box10 = r.box8 + r.box9;
    r.box11 = s.expenses.busCents;
    r.box12 = r.box11 != 0 ? s.expenses.gstCents : 0;
    r.box13 = s.privateUse.gstCents;
    r.box14 = r.box12 + r.box13;
    r.box15 = r.box10 - r.box14;
    return r;
}

NzReturn computeNzReturn(store::Connection& connection, int coy, const TaxPeriod& period,
                         qint64 box9Cents) {
    return nzReturnFrom(readNzSums(connection, coy, period), box9Cents);
}

StoredReturn storedFigures(const NzReturn& r) {
    return {r.box5,  r.box6,  r.box7,  r.box8,  r.box9, r.box10,
            r.box11, r.box12, r.box13, r.box14, r.box15};
}

std::optional<qint64> typedBoxCents(const QString& text) {
    if (text.trimmed().isEmpty()) return 0;
    double value = 0;
    if (!store::fmt::parseMoney(text, &value)) return std::nullopt;
    if (!banking::fitsField(value, banking::largestValue("QVGst.DBF", "SALEADJGST")))
        return std::nullopt;
    return store::fmt::checkedCents(value);
}

}  // namespace tax
