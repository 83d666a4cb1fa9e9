#pragma once
// Benchmarks print one line per figure: "name value unit".

#include <QDate>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

#include "store/connection.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Points XDG_CONFIG_HOME at a temporary folder while a benchmark runs (windows connect through
// the NRV alias kept there) and gives the user's own value back afterwards.
class ScratchConfig {
public:
    ScratchConfig() : saved_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", (home() + QStringLiteral("/config")).toLocal8Bit());
    }
    ~ScratchConfig() {
        if (saved_.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", saved_);
    }
    ScratchConfig(const ScratchConfig&) = delete;
    ScratchConfig& operator=(const ScratchConfig&) = delete;
    // A temporary folder of the benchmark's own, removed afterwards.
    QString home() const { return home_.path(); }

private:
    QTemporaryDir home_;
    QByteArray saved_;
};

inline void figure(const char* name, double value, const char* unit) {
    std::printf("%s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

// The reports benchmark's book: the year its reports cover and the two months of its return.
inline const QDate kReportFrom{2025, 4, 1};
inline const QDate kReportTo{2026, 3, 31};
inline const QDate kTaxFrom{2026, 1, 1};

// Each benchmark: arguments after its name; returns the exit code.
int storeBench(const QStringList& args);
// reports [CACHEFOLDER]: trial balance, revenue statement, balance sheet and the year-to-date
// budget comparison (300 accounts budgeted monthly) over a million
// journal lines, and the cash transactions window on its 100,000 cash lines.
int reportsBench(const QStringList& args);
// journal [CACHEFOLDER]: the detailed journal of a year in the preview and the chart of accounts
// alone, on the reports benchmark's book (also part of reports).
int journalBench(const QStringList& args);
// prepare REPORT FOLDER: one whole report prepared in this process (a run of the figures below).
int prepareReportBench(const QStringList& args);
// The trial balance, revenue statement, balance sheet and tax return on the book in `folder`,
// each the median of five runs in new processes, warm and cold, beside the ledger program's
// balance of `journal`, warm and cold, with both ratios. The folder must not be open.
int reportRunFigures(const QString& folder, const QString& journal);
// reportruns [CACHEFOLDER]: those figures alone, on the reports benchmark's book (written into
// the folder once and kept; the first part of reports).
int reportRunsBench(const QStringList& args);
// cashwindow [CACHEFOLDER]: the cash transactions window alone, on the reports benchmark's book.
int cashWindowBench(const QStringList& args);
// posting [FOLDER [LINES [SAVES]]]: saving bank entries over a million journal lines.
int postingBench(const QStringList& args);
// The time until the bank transaction window shows an account holding `rows` rows.
int bankWindowBench(int rows);
// Writes the million-line book of the report benchmarks into the folder unless it is there
// (its busiest bank account about 643,000 rows); false for a folder holding another book.
bool ensureBigBook(const QString& folder);
// bankbook FOLDER [RUNS]: the bank transaction window on the book's largest bank account: open
// (cold and warm), save with refresh, and moves to a few positions; the book is made when the
// folder is empty.
int bankBookBench(const QStringList& args);
// Saving three-line cheques on an open book (from the posting benchmark), and the time until
// payment entry shows a company holding `count` payments.
int paymentSaveBench(store::Connection& c, int coy, int saves);
int paymentWindowBench(int count);
// The reconciliation window over an account of `rows` rows of which `unreconciled` are: showing
// it, presenting one row, "Up Date" over all of them presented.
int reconcileBench(int rows, int unreconciled);
// The time until the statement import window shows a statement file of `lines` lines.
int importWindowBench(int lines);
// Finding the statement lines already in the books on an account of `rows` rows.
int duplicatesBench(int rows);
// control [CACHEFOLDER]: opening the control centre over a million journal lines.
int controlBench(const QStringList& args);
// Finalising the New Zealand return of the two months from `from` on an open book (rolled back
// afterwards); the return's own figures come from reportRunFigures.
int taxReturnBench(store::Connection& c, const QDate& from);
// The tax audit of the two months from `from`, read and made into its report.
int taxAuditBench(store::Connection& c, const QDate& from);
// exchange [FOLDER [LINES]]: exporting a year in the own format and as CSV, and importing half
// a year of the own format into an empty company with the same accounts.
int exchangeBench(const QStringList& args);

}  // namespace bench
