#pragma once
// What the payment list reads: a company's payments (or one supplier's) by date, ties in the
// order they were entered, paged by key through QVChHdr_COYDATE so that its last page and any
// far page open as fast as its first on a book of many payments. No widgets here.

#include <QString>

#include "store/table.h"

namespace payments {

// The rows are "SELECT rowid, CHQDATE, *, ... AS BANKACCOUNT" of QVChHdr in (CHQDATE, rowid)
// order; suppCode empty: every payment of the company.
store::Table::Selection paymentListSelection(int coyCode, const QString& suppCode);

}  // namespace payments
