// The tax audit over the reports benchmark's book: the lines of a two-monthly period (about one
// in thirty of the book's million), read in the return's four groups and made into the report.
#include <QDate>
#include <algorithm>
#include <ctime>

#include "bench.h"
#include "tax/gstaudit.h"

namespace bench {

int taxAuditBench(store::Connection& c, const QDate& from) {
    const tax::TaxPeriod period{from, tax::periodEnd(from, 2)};
    double best = 1e300, bestCpu = 1e300;
    size_t lines = 0, bands = 0;
    for (int run = 0; run < 3; ++run) {
        const std::clock_t cpu = std::clock();
        const auto start = Clock::now();
        const tax::GstAudit audit = tax::readGstAudit(c, 1, period);
        const reports::ReportDocument doc = tax::gstAuditDocument(audit, period.end);
        best = std::min(best, msSince(start));
        bestCpu = std::min(bestCpu, 1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC);
        lines = 0;
        for (const tax::AuditGroup& g : audit.groups) lines += g.lines.size();
        bands = doc.bands.size();
    }
    figure("tax_audit_two_months", best, "ms");
    figure("tax_audit_two_months_cpu", bestCpu, "ms");
    std::printf("tax audit lists %zu lines in %zu bands\n", lines, bands);
    return lines > 0 ? 0 : 1;
}

}  // namespace bench
