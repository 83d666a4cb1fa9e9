// reportonce FOLDER [cold]: the trial balance, the revenue statement and the balance sheet of
// the reports benchmark's book, each prepared once in this new process, as the user waits for
// the first report after starting the program. "cold" drops the data file from the page cache
// first. Run it several times and take the median.
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <ctime>

#include "bench.h"
#include "reports/balancesheet.h"
#include "reports/revenue.h"
#include "reports/trialbalance.h"
#include "store/paths.h"

namespace bench {
namespace {

const QDate kOnceFrom(2025, 4, 1);
const QDate kOnceTo(2026, 3, 31);

void dropFromPageCache(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0) return;
    ::fdatasync(fd);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

}  // namespace

int reportOnceBench(const QStringList& args) {
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: quorvel-bench reportonce FOLDER [cold]\n");
        return 2;
    }
    const QString folder = args.first();
    if (args.value(1) == QLatin1String("cold")) {
        for (const QString& name : QDir(folder).entryList({"*.db", "*.db-wal"}, QDir::Files))
            dropFromPageCache(QDir(folder).filePath(name));
    }
    // Processor time beside wall time: on a busy machine the wall time mostly waits.
    auto cpuMs = [](std::clock_t t) { return 1000.0 * double(std::clock() - t) / CLOCKS_PER_SEC; };
    std::clock_t cpu = std::clock();
    const auto start = Clock::now();
    store::Connection c;
    c.connectToFolder(folder);
    figure("connect_once", msSince(start), "ms");
    const reports::BroughtForward carried = reports::broughtForward(c, 1, kOnceFrom);
    reports::TTrialBalanceReport trial(c, 1, kOnceFrom, kOnceTo, carried);
    trial.runToEnd();
    figure("trial_balance_once", msSince(start), "ms");
    figure("trial_balance_once_cpu", cpuMs(cpu), "ms");
    cpu = std::clock();
    auto t = Clock::now();
    reports::TBusinessRevenueReport revenue(c, 1, {}, kOnceFrom, kOnceTo, {});
    revenue.runToEnd();
    figure("revenue_statement_once", msSince(t), "ms");
    figure("revenue_statement_once_cpu", cpuMs(cpu), "ms");
    cpu = std::clock();
    t = Clock::now();
    reports::TBalanceSheetReport sheet(c, 1, kOnceFrom, kOnceTo);
    sheet.runToEnd();
    figure("balance_sheet_once", msSince(t), "ms");
    figure("balance_sheet_once_cpu", cpuMs(cpu), "ms");
    // The same report again in this process: what a second report costs once the program runs.
    t = Clock::now();
    reports::TTrialBalanceReport again(c, 1, kOnceFrom, kOnceTo,
                                       reports::broughtForward(c, 1, kOnceFrom));
    again.runToEnd();
    figure("trial_balance_again", msSince(t), "ms");
    std::printf("trial balance debits %.2f, net revenue %.2f, owner's equity %.2f\n",
                trial.figures().rows.back().debit.value_or(0), revenue.figures().netRevenue(),
                sheet.figures().ownersEquity);
    return 0;
}

}  // namespace bench
