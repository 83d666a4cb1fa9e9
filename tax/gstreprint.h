#pragma once
// The reprint of a stored return: the company's stored returns whose period starts inside the
// chosen return's period, each on the GST 101 page of the return window with the payment due
// date of the original return (period end + 28 days). No widgets here.

#include "reports/report.h"
#include "tax/tax_period.h"

namespace store {
class Connection;
}

namespace tax {

reports::ReportDocument gstReprintDocument(store::Connection& connection, int coy,
                                           const TaxPeriod& chosen);

}  // namespace tax
