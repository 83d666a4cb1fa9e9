// The time until the statement import window shows a statement of `lines` lines: a Westpac
// file written to a temporary folder, the window opened on a demo company through its own
// alias, the file loaded as "Get File" loads it. Then "Add" on the last line.
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include "banking/sample_company.h"
#include "bench.h"
#include "exchange/importtextform.h"
#include "exchange/statement_grid.h"
#include "store/error.h"
#include "store/paths.h"
#include "ui/messages.h"

namespace bench {

namespace {

bool writeStatement(const QString& path, int lines) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    const QDate start(2025, 4, 1);
    for (int i = 0; i < lines; ++i) {
        const QString line = QStringLiteral("%1,%2,\"EFTPOS PURCHASE %3, AUCKLAND\",\"REF %4\"\r\n")
                                 .arg(start.addDays(i % 365).toString(QStringLiteral("dd/MM/yyyy")))
                                 .arg(double((i * 7919) % 500000 - 250000) / 100.0, 0, 'f', 2)
                                 .arg(i % 97)
                                 .arg(i);
        f.write(line.toUtf8());
    }
    return true;
}

}  // namespace

int importWindowBench(int lines) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    int code = 0;
    try {
        const QString folder = home.path() + QStringLiteral("/data");
        {
            store::Connection c;
            c.connectToFolder(folder);
            banking::sample::makeDemoCompany(c, QDate(2026, 3, 31));
        }
        QFile aliases(store::paths::aliasFile());
        if (!aliases.open(QIODevice::WriteOnly))
            throw store::StoreError(QStringLiteral("Cannot write the alias file."));
        aliases.write((QStringLiteral("[NRV]\nPath=") + folder + QLatin1Char('\n')).toUtf8());
        aliases.close();
        const QString statement = home.path() + QStringLiteral("/statement.csv");
        if (!writeStatement(statement, lines)) return 1;

        ui::MessageScript quiet;
        TImportTextForm w;
        w.coyCode = 1;
        w.show();
        QApplication::processEvents();
        auto t = Clock::now();
        const bool loaded = w.loadStatementFile(statement);
        QApplication::processEvents();
        figure("import_window_show_statement", msSince(t), "ms");
        const int shown = w.gridModel()->rowCount();
        figure("import_window_lines", double(shown), "lines");
        if (!loaded || shown != lines) code = 1;
        w.grid()->setCurrentIndex(w.gridModel()->index(lines - 1, 1));
        w.grid()->scrollToBottom();
        t = Clock::now();
        QApplication::processEvents();
        figure("import_window_scroll_to_last_line", msSince(t), "ms");
        if (!quiet.texts().isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(quiet.texts().join(u'\n')));
            code = 1;
        }
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        code = 1;
    }
    return code;
}

}  // namespace bench
