#pragma once
// Figures as the user waits for them: the median of several runs with their spread, warm
// (the data file in the page cache) and cold (dropped from it before each run), each run a
// whole operation, in a new process when the cold start is part of the wait.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace bench {

constexpr int kRuns = 5;

struct Spread {
    double median = 0, low = 0, high = 0;
    int runs = 0;
};

Spread spreadOf(std::vector<double> values);

// "name median unit low..high n=runs", one line.
void printSpread(const char* name, const Spread& s, const char* unit);

// Times `run` (milliseconds) `runs` times; before each, `beforeRun` (a cache drop for cold
// figures). A run returning nullopt failed: the whole measurement fails.
std::optional<Spread> timeRuns(int runs, const std::function<std::optional<double>()>& run,
                               const std::function<void()>& beforeRun = {});

// Writes back and drops the file from the page cache (posix_fadvise POSIX_FADV_DONTNEED);
// false when the file cannot be opened. A missing file is nothing to drop.
bool dropFromPageCache(const QString& path);
// The data file of the folder and its write-ahead log.
void dropFolderFromPageCache(const QString& folder);
// The share (0..1) of the file's pages in the page cache, to show that a drop took.
double residentShare(const QString& path);

// Runs this program again with `args`: its output, nullopt when it failed.
std::optional<QByteArray> childOutput(const QStringList& args);
// The value of the figure `name` in a program's output, nullopt when it printed none.
std::optional<double> figureIn(const QByteArray& output, const QString& name);
// The value of the figure `name` a run of this program printed, nullopt when it failed or
// printed none.
std::optional<double> childFigure(const QStringList& args, const QString& name);

// Runs a program and returns its wall time in milliseconds; nullopt when it failed.
std::optional<double> timeProgram(const QString& program, const QStringList& args);

}  // namespace bench
