// quorvel-bench NAME [ARGS]: runs one benchmark and prints its figures.
#include "bench.h"

#include <QApplication>
#include <functional>
#include <map>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const std::map<QString, std::function<int(const QStringList&)>> benches = {
        {"store", bench::storeBench},
        {"reports", bench::reportsBench},
        {"reportruns", bench::reportRunsBench},
        {"prepare", bench::prepareReportBench},
        {"cashwindow", bench::cashWindowBench},
        {"journal", bench::journalBench},
        {"posting", bench::postingBench},
        {"bankwindow", [](const QStringList& a) { return bench::bankWindowBench(a.value(0, "200000").toInt()); }},
        {"importwindow", [](const QStringList& a) { return bench::importWindowBench(a.value(0, "20000").toInt()); }},
        {"control", bench::controlBench},
        {"bankbook", bench::bankBookBench},
        {"duplicates", [](const QStringList& a) { return bench::duplicatesBench(a.value(0, "200000").toInt()); }},
        {"exchange", bench::exchangeBench},
        {"paymentwindow", [](const QStringList& a) { return bench::paymentWindowBench(a.value(0, "50000").toInt()); }},
        {"reconcile", [](const QStringList& a) { return bench::reconcileBench(a.value(0, "200000").toInt(), a.value(1, "20000").toInt()); }},
    };
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || !benches.count(args.first())) {
        std::fprintf(stderr, "usage: quorvel-bench NAME [ARGS]\nnames:");
        for (const auto& [name, run] : benches) std::fprintf(stderr, " %s", qPrintable(name));
        std::fprintf(stderr, "\n");
        return 2;
    }
    const QString name = args.takeFirst();
    return benches.at(name)(args);
}
