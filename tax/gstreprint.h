#pragma once
// The reprint of a stored return: the stored returns whose period starts inside the chosen
// return's period, each on its GST 101 page with the payment due date of the original return
// (period end + 28 days). No widgets here.

#include <QDate>
#include <vector>

#include "reports/report.h"
#include "tax/stored_return.h"
#include "tax/tax_company.h"
#include "tax/tax_period.h"

namespace store {
class Connection;
}

namespace tax {

struct StoredReturnRecord {
    TaxPeriod period;
    StoredReturn figures;
};

// The company's stored returns whose GSTBEGDATE lies in `chosen`, in the order they were stored.
std::vector<StoredReturnRecord> returnsToReprint(store::Connection& connection, int coy,
                                                 const TaxPeriod& chosen);

// The reprint's captions of boxes 8 and 12.
QString reprintBoxEightCaption(double percent);
QString reprintBoxTwelveCaption(double percent);

// The GST 101 page of one stored return, its payment slip at the foot: the company's details
// from its control record, the boxes from the stored figures, the due date given.
reports::FormPage gst101ReprintPage(const TaxCompany& company, const StoredReturnRecord& stored,
                                    const QDate& due);

// Every page the reprint of `chosen` prints (none when no stored return starts in it).
reports::ReportDocument gstReprintDocument(store::Connection& connection, int coy,
                                           const TaxPeriod& chosen);

}  // namespace tax
