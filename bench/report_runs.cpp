// The four reports a user waits for after starting the program: the trial balance, the revenue
// statement, the balance sheet and the New Zealand return. Each run prepares one whole report in
// a new process of this program, warm (the book in the page cache) and cold (the book dropped
// from it first), beside the ledger program's balance report over the same journal, warm and
// cold, in the same invocation.
#include <sqlite3.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <cstdlib>
#include <ctime>
#include <map>
#include <vector>

#include "bench.h"
#include "reports/balancesheet.h"
#include "reports/revenue.h"
#include "reports/trialbalance.h"
#include "tax/nz_return.h"
#include "timing.h"

namespace bench {
namespace {

const char* const kReports[] = {"trial_balance", "revenue_statement", "balance_sheet",
                                "gst_return"};

// The report's figures that show two runs prepared the same report.
std::optional<QString> prepareReport(store::Connection& c, const QString& report) {
    if (report == QLatin1String("trial_balance")) {
        const reports::BroughtForward carried = reports::broughtForward(c, 1, kReportFrom);
        reports::TTrialBalanceReport r(c, 1, kReportFrom, kReportTo, carried);
        r.runToEnd();
        return QStringLiteral("debits %1").arg(r.figures().debitTotal, 0, 'f', 2);
    }
    if (report == QLatin1String("revenue_statement")) {
        reports::TBusinessRevenueReport r(c, 1, {}, kReportFrom, kReportTo, {});
        r.runToEnd();
        return QStringLiteral("net revenue %1").arg(r.figures().netRevenue(), 0, 'f', 2);
    }
    if (report == QLatin1String("balance_sheet")) {
        reports::TBalanceSheetReport r(c, 1, kReportFrom, kReportTo);
        r.runToEnd();
        return QStringLiteral("owner's equity %1").arg(r.figures().ownersEquity, 0, 'f', 2);
    }
    if (report == QLatin1String("gst_return")) {
        const tax::TaxPeriod period{kTaxFrom, tax::periodEnd(kTaxFrom, 2)};
        const tax::NzReturn r = tax::computeNzReturn(c, 1, period, 0);
        return QStringLiteral("box 5 %1, box 15 %2")
            .arg(double(r.box5) / 100, 0, 'f', 2)
            .arg(double(r.box15) / 100, 0, 'f', 2);
    }
    return std::nullopt;
}

// The ledger program, installed through the package manager when missing.
QString ledgerProgram() {
    QString ledger = QStandardPaths::findExecutable(QStringLiteral("ledger"));
    if (!ledger.isEmpty()) return ledger;
    std::printf("installing ledger (apt-get install ledger) for the comparison\n");
    std::fflush(stdout);
    const QString install = QStringLiteral(
        "env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends ledger");
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(
        QStringLiteral("sh"),
        {QStringLiteral("-c"), (::geteuid() == 0 ? QString() : QStringLiteral("sudo ")) + install});
    p.waitForFinished(-1);
    return QStandardPaths::findExecutable(QStringLiteral("ledger"));
}

// The bytes of the data file's pages that hold data: its size less the free pages the index
// rebuild would give back.
double bytesInUse(const QString& file) {
    sqlite3* db = nullptr;
    double bytes = 0;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        const char* sql =
            "SELECT (SELECT page_count FROM pragma_page_count) - (SELECT freelist_count FROM "
            "pragma_freelist_count), (SELECT page_size FROM pragma_page_size)";
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            bytes = double(sqlite3_column_int64(st, 0)) * double(sqlite3_column_int64(st, 1));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return bytes;
}

// The size of the store as compacting leaves it: a copy written page by page into a temporary
// file (filing the returns grows every line by its tax date, which splits pages).
double compactedBytes(const QString& file) {
    const QString copy = QDir::temp().filePath(QStringLiteral("quorvel-bench-compacted.db"));
    QFile::remove(copy);
    sqlite3* db = nullptr;
    double bytes = 0;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "VACUUM INTO ?", -1, &st, nullptr) == SQLITE_OK) {
            const QByteArray target = QFile::encodeName(copy);
            sqlite3_bind_text(st, 1, target.constData(), int(target.size()), SQLITE_TRANSIENT);
            if (sqlite3_step(st) == SQLITE_DONE) bytes = double(QFileInfo(copy).size());
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    QFile::remove(copy);
    return bytes;
}

struct WarmCold {
    Spread warm, cold, warmCpu, coldCpu;
};

// One untimed run first: it fills the cache for the warm runs and shows the result.
std::optional<WarmCold> reportRuns(const QString& folder, const char* report) {
    const QStringList args{QStringLiteral("prepare"), QLatin1String(report), folder};
    std::vector<double> warmCpu, coldCpu;
    std::vector<double>* cpu = &warmCpu;
    const auto run = [&]() -> std::optional<double> {
        const std::optional<QByteArray> out = childOutput(args);
        if (!out) return std::nullopt;
        if (const auto ms = figureIn(*out, QStringLiteral("prepare_cpu_ms"))) cpu->push_back(*ms);
        return figureIn(*out, QStringLiteral("prepare_ms"));
    };
    const std::optional<QByteArray> first = childOutput(args);
    if (!first) return std::nullopt;
    for (const QByteArray& line : first->split('\n'))
        if (line.startsWith("result ")) std::printf("%s %s\n", report, line.constData() + 7);
    const auto warm = timeRuns(kRuns, run);
    cpu = &coldCpu;
    const auto cold = timeRuns(kRuns, run, [&] { dropFolderFromPageCache(folder); });
    if (!warm || !cold) return std::nullopt;
    return WarmCold{*warm, *cold, spreadOf(warmCpu), spreadOf(coldCpu)};
}

std::optional<WarmCold> ledgerRuns(const QString& ledger, const QString& journal) {
    const auto run = [&] {
        return timeProgram(ledger, {QStringLiteral("-f"), journal, QStringLiteral("balance")});
    };
    if (!run()) return std::nullopt;
    const auto warm = timeRuns(kRuns, run);
    const auto cold = timeRuns(kRuns, run, [&] { dropFromPageCache(journal); });
    if (!warm || !cold) return std::nullopt;
    return WarmCold{*warm, *cold, {}, {}};
}

void printRatios(const char* report, const WarmCold& r, const WarmCold& ledger) {
    const QByteArray name = QByteArray("ratio_ledger_to_") + report;
    figure((name + "_warm").constData(), ledger.warm.median / r.warm.median, "x");
    figure((name + "_cold").constData(), ledger.cold.median / r.cold.median, "x");
}

}  // namespace

int prepareReportBench(const QStringList& args) {
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: quorvel-bench prepare REPORT FOLDER\n");
        return 2;
    }
    const std::clock_t cpu = std::clock();
    const auto start = Clock::now();
    store::Connection c;
    c.connectToFolder(args[1]);
    c.readScattered();  // as the report windows read
    const std::optional<QString> result = prepareReport(c, args[0]);
    if (!result) {
        std::fprintf(stderr, "no report %s\n", qPrintable(args[0]));
        return 2;
    }
    figure("prepare_ms", msSince(start), "ms");
    // Processor time beside it tells a busy machine from slow code.
    figure("prepare_cpu_ms", 1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC, "ms");
    std::printf("result %s\n", qPrintable(*result));
    return 0;
}

int reportRunFigures(const QString& folder, const QString& journal) {
    // The machine's load beside the figures: other work on it slows the wall times.
    if (double load[3]; ::getloadavg(load, 3) == 3)
        std::printf("load average %.2f %.2f %.2f\n", load[0], load[1], load[2]);
    const QString file = QDir(folder).filePath(QStringLiteral("quorvel.db"));
    figure("data_file_size", double(QFileInfo(file).size()) / 1e6, "MB");
    figure("data_file_in_use", bytesInUse(file) / 1e6, "MB");
    figure("data_file_compacted", compactedBytes(file) / 1e6, "MB");
    dropFolderFromPageCache(folder);
    figure("data_file_resident_after_drop",
           100 * residentShare(QDir(folder).filePath(QStringLiteral("quorvel.db"))), "%");
    std::map<QString, WarmCold> runs;
    for (const char* report : kReports) {
        const std::optional<WarmCold> r = reportRuns(folder, report);
        if (!r) return 1;
        printSpread((QByteArray(report) + "_warm").constData(), r->warm, "ms");
        printSpread((QByteArray(report) + "_cold").constData(), r->cold, "ms");
        printSpread((QByteArray(report) + "_warm_cpu").constData(), r->warmCpu, "ms");
        printSpread((QByteArray(report) + "_cold_cpu").constData(), r->coldCpu, "ms");
        runs[QLatin1String(report)] = *r;
    }
    const QString ledger = ledgerProgram();
    if (ledger.isEmpty()) {
        std::printf("ledger could not be installed: comparison skipped\n");
        return 0;
    }
    const std::optional<WarmCold> l = ledgerRuns(ledger, journal);
    if (!l) return 1;
    printSpread("ledger_balance_warm", l->warm, "ms");
    printSpread("ledger_balance_cold", l->cold, "ms");
    for (const char* report : kReports) printRatios(report, runs[QLatin1String(report)], *l);
    return 0;
}

}  // namespace bench
