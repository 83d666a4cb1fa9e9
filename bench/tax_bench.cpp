// The New Zealand return over the reports benchmark's book: finalising a two-month period
// (marking its lines, payments and payment lines and storing the return), undone afterwards so
// the cached book stays as written.
#include <ctime>

#include "bench.h"
#include "store/transaction.h"
#include "tax/finalise.h"

namespace bench {

int taxReturnBench(store::Connection& c, const QDate& from) {
    const tax::TaxPeriod period{from, tax::periodEnd(from, 2)};
    // Processor time beside wall time: on a busy machine the wall time mostly waits.
    auto cpuMsSince = [](std::clock_t t) {
        return 1000.0 * double(std::clock() - t) / CLOCKS_PER_SEC;
    };
    store::Transaction undo(c);  // never committed: the marks are rolled back
    const std::clock_t cpu = std::clock();
    const auto start = Clock::now();
    const tax::FinaliseResult f = tax::finaliseNzReturn(c, 1, period, 0);
    figure("nz_return_finalise", msSince(start), "ms");
    figure("nz_return_finalise_cpu", cpuMsSince(cpu), "ms");
    figure("nz_return_finalise_lines", double(f.journalLines), "lines");
    return f.ok() ? 0 : 1;
}

}  // namespace bench
