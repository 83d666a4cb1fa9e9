#pragma once
// The printed New Zealand return: one A4 page per stored return, laid out like the tax office's
// GST 101 form with its payment slip, as report data for the preview, the printer and PDF.

#include <vector>

#include "reports/report.h"
#include "tax/stored_return.h"
#include "tax/tax_company.h"

namespace tax {

// One page per record; with no record one page of the period without figures (the period is
// not finalised yet). The due date is the period end + 28 days.
reports::ReportDocument gst101Document(const TaxCompany& company,
                                       const std::vector<StoredReturnRecord>& records,
                                       const TaxPeriod& period);

// "$0.00".
QString formMoney(qint64 cents);

}  // namespace tax
