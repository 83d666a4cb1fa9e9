#pragma once
// Cash lines for the demo company of quorvel-sample and the gallery, written through the cash
// rules: a cash transaction a month for the last year, a few unattached detail lines, and one
// deposit whose details were attached as the cash details window attaches them.

#include <QDate>

#include "store/connection.h"

namespace cash::sample {

// Returns the number of cash lines written. Expects the demo company (banking/sample_company.h).
int addDemoCashLines(store::Connection& c, const QDate& today);

}  // namespace cash::sample
