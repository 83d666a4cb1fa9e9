// The tax audit over the reports benchmark's book: the lines of a two-monthly period (about one
// in thirty of the book's million), read in the return's four groups and made into the report.
#include <QDate>
#include <algorithm>

#include "bench.h"
#include "tax/gstaudit.h"

namespace bench {

int taxAuditBench(store::Connection& c, int coy, const QDate& end) {
    const tax::TaxPeriod period{QDate(end.year(), end.month(), 1).addMonths(-1), end};
    double best = 1e300;
    size_t lines = 0, bands = 0;
    for (int run = 0; run < 3; ++run) {
        const auto start = Clock::now();
        const tax::GstAudit audit = tax::readGstAudit(c, coy, period);
        const reports::ReportDocument doc = tax::gstAuditDocument(audit, end);
        best = std::min(best, msSince(start));
        lines = 0;
        for (const tax::AuditGroup& g : audit.groups) lines += g.lines.size();
        bands = doc.bands.size();
    }
    figure("tax_audit_two_months", best, "ms");
    std::printf("tax audit lists %zu lines in %zu bands\n", lines, bands);
    return lines > 0 ? 0 : 1;
}

}  // namespace bench
