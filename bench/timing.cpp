#include "timing.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <cstdio>

#include "bench.h"

namespace bench {

Spread spreadOf(std::vector<double> values) {
    Spread s;
    if (values.empty()) return s;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    s.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    s.low = values.front();
    s.high = values.back();
    s.runs = int(n);
    return s;
}

void printSpread(const char* name, const Spread& s, const char* unit) {
    std::printf("%s %.3f %s %.3f..%.3f n=%d\n", name, s.median, unit, s.low, s.high, s.runs);
    std::fflush(stdout);
}

std::optional<Spread> timeRuns(int runs, const std::function<std::optional<double>()>& run,
                               const std::function<void()>& beforeRun) {
    std::vector<double> values;
    for (int i = 0; i < runs; ++i) {
        if (beforeRun) beforeRun();
        const std::optional<double> ms = run();
        if (!ms) return std::nullopt;
        values.push_back(*ms);
    }
    return spreadOf(values);
}

bool dropFromPageCache(const QString& path) {
    if (!QFile::exists(path)) return true;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0) return false;
    ::fdatasync(fd);  // dirty pages would stay in the cache
    const bool ok = ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0;
    ::close(fd);
    return ok;
}

void dropFolderFromPageCache(const QString& folder) {
    for (const char* name : {"quorvel.db", "quorvel.db-wal"})
        if (!dropFromPageCache(QDir(folder).filePath(QLatin1String(name))))
            std::fprintf(stderr, "cannot drop %s from the page cache\n", name);
}

double residentShare(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0) return 0;
    struct stat st {};
    double share = 0;
    if (::fstat(fd, &st) == 0 && st.st_size > 0) {
        void* map = ::mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_SHARED, fd, 0);
        if (map != MAP_FAILED) {
            const long page = ::sysconf(_SC_PAGESIZE);
            const size_t pages = (size_t(st.st_size) + size_t(page) - 1) / size_t(page);
            std::vector<unsigned char> in(pages);
            if (::mincore(map, size_t(st.st_size), in.data()) == 0)
                share = double(std::count_if(in.begin(), in.end(),
                                             [](unsigned char c) { return c & 1; })) /
                        double(pages);
            ::munmap(map, size_t(st.st_size));
        }
    }
    ::close(fd);
    return share;
}

std::optional<QByteArray> childOutput(const QStringList& args) {
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(), args);
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(args.join(' ')),
                     p.readAllStandardError().constData());
        return std::nullopt;
    }
    return p.readAllStandardOutput();
}

std::optional<double> figureIn(const QByteArray& output, const QString& name) {
    for (const QByteArray& line : output.split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() >= 2 && QString::fromUtf8(words[0]) == name) return words[1].toDouble();
    }
    return std::nullopt;
}

std::optional<double> childFigure(const QStringList& args, const QString& name) {
    const std::optional<QByteArray> out = childOutput(args);
    return out ? figureIn(*out, name) : std::nullopt;
}

std::optional<double> timeProgram(const QString& program, const QStringList& args) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    const auto start = Clock::now();
    p.start(program, args);
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     p.readAllStandardError().constData());
        return std::nullopt;
    }
    return msSince(start);
}

}  // namespace bench
