// The bank transaction window on a big book's largest bank account, as the user waits for it:
// opening it on its last row (cold after dropping the data file from the page cache, and warm),
// saving an unchanged edit of the last entry including the window's refresh, and moving the
// grid to far positions with the rows painted; then the account's transaction list opened on its
// last row and moved to a far one, cold (each step after dropping the file from the page cache)
// and warm. Medians of `runs` runs with the spread.
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <ctime>
#include <vector>

#include "banking/bank_entry_reads.h"
#include "banking/banktranform.h"
#include "banking/bnktranlistform.h"
#include "banking/sample_company.h"
#include "bench.h"
#include "store/error.h"
#include "store/paths.h"
#include "store/query.h"
#include "ui/datagrid.h"
#include "ui/messages.h"

namespace bench {
namespace {

struct BigAccount {
    QString coy, bank, acct;
    qint64 rows = 0;
    QString link;
};

BigAccount largestBankAccount(const QString& folder) {
    store::Connection c;
    c.connectToFolder(folder);
    store::Query q(c);
    q.setSql(
        QStringLiteral("SELECT COYCODE, BANKCODE, BANKACCT, COUNT(*), BANKLINK FROM QVBnkTr "
                       "GROUP BY BANKLINK ORDER BY 4 DESC LIMIT 1"));
    q.open();
    if (q.isEmpty()) throw store::StoreError(QStringLiteral("The book holds no bank rows."));
    const BigAccount a{q.value(0).toString().trimmed(), q.value(1).toString().trimmed(),
                       q.value(2).toString().trimmed(), q.value(3).toLongLong(),
                       q.value(4).toString()};
    // A book made from a journal holds rows without their bank: give it one to open.
    if (!banking::bankExists(c, a.bank)) banking::sample::addBank(c, a.bank, "Bench bank", "Main");
    if (!banking::findBankAccount(c, a.coy.toInt(), a.bank, a.acct))
        banking::sample::addBankAccount(
            c, a.coy.toInt(), QStringLiteral("BENCH"),
            {a.bank, a.acct, "Largest account", true, 0, true, 1e9, 0.0, QDate(2020, 1, 1)});
    return a;
}

void dropFromPageCache(const QString& folder) {
    const QByteArray path = (folder + QStringLiteral("/quorvel.db")).toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0) return;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

// Wall time as the user waits, and the process's processor time, which other work on a busy
// machine does not inflate.
struct Stopwatch {
    Clock::time_point wall = Clock::now();
    std::clock_t cpu = std::clock();
};

struct Spread {
    std::vector<double> wall, cpu;
    void add(const Stopwatch& t) {
        wall.push_back(msSince(t.wall));
        cpu.push_back(double(std::clock() - t.cpu) * 1000.0 / CLOCKS_PER_SEC);
    }
};

void printFigures(const QByteArray& name, std::vector<double> v) {
    std::sort(v.begin(), v.end());
    figure((name + "_median").constData(), v[v.size() / 2], "ms");
    figure((name + "_min").constData(), v.front(), "ms");
    figure((name + "_max").constData(), v.back(), "ms");
}

void printSpread(const char* name, const Spread& s) {
    printFigures(name, s.wall);
    printFigures(QByteArray(name) + "_cpu", s.cpu);
}

void paint(ui::DataGrid& grid) {
    grid.viewport()->repaint();
    QApplication::processEvents();
}

// The bank transaction list of the account opened and moved to its last row, then to a far
// row, each from a cold file when cold; false when a row did not show.
bool timeTransactionList(const BigAccount& a, const QString& folder, bool cold, Spread& open,
                         Spread& far) {
    if (cold) dropFromPageCache(folder);
    auto t = Stopwatch();
    TQVBnkTranListForm list;
    list.coyCode = a.coy;
    list.bankLink = a.link;
    list.show();
    auto* grid = list.findChild<ui::DataGrid*>();
    const int rows = grid->lazyModel()->rowCount();
    grid->setCurrentRow(rows - 1);
    paint(*grid);
    open.add(t);
    if (cold) dropFromPageCache(folder);
    t = Stopwatch();
    grid->setCurrentRow(rows * 2 / 5);
    paint(*grid);
    far.add(t);
    return rows == a.rows && grid->currentRow() == rows * 2 / 5;
}

}  // namespace

int bankBookBench(const QStringList& args) {
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: quorvel-bench bankbook FOLDER [RUNS]\n");
        return 2;
    }
    const QString folder = args.value(0);
    const int runs = std::max(1, args.value(1, QStringLiteral("5")).toInt());
    ScratchConfig scratch;
    int code = 0;
    try {
        if (!ensureBigBook(folder)) return 1;
        const BigAccount a = largestBankAccount(folder);
        figure("bankbook_account_rows", double(a.rows), "rows");
        std::fprintf(stderr, "company %s, account %s %s\n", qPrintable(a.coy), qPrintable(a.bank),
                     qPrintable(a.acct));
        QFile aliases(store::paths::aliasFile());
        if (!aliases.open(QIODevice::WriteOnly))
            throw store::StoreError(QStringLiteral("Cannot write the alias file."));
        aliases.write((QStringLiteral("[NRV]\nPath=") + folder + QLatin1Char('\n')).toUtf8());
        aliases.close();
        ui::MessageScript quiet;
        quiet.setDefaultAnswer(ui::MsgAnswer::Yes);
        Spread cold, open, save, scroll, listCold, listWarm, listFarCold, listFarWarm;
        for (int run = 0; run < runs; ++run) {
            // A cold open after dropping the file from the page cache, then a warm one.
            for (const bool warm : {false, true}) {
                if (!warm) dropFromPageCache(folder);
                auto t = Stopwatch();
                TQVBankTranForm w;
                w.coyCode = a.coy;
                w.bankCode = a.bank;
                w.acctNo = a.acct;
                w.show();
                QApplication::processEvents();
                auto* grid = w.findChild<ui::DataGrid*>(QStringLiteral("TranGrid"));
                if (!grid || !grid->lazyModel())
                    throw store::StoreError(QStringLiteral("No grid: ") +
                                            quiet.texts().join(QLatin1Char('|')));
                paint(*grid);
                (warm ? open : cold).add(t);
                const int rows = grid->lazyModel()->rowCount();
                if (rows != a.rows || grid->currentRow() != rows - 1) code = 1;
                if (!warm) continue;

                w.EditButtonClick();
                t = Stopwatch();
                w.SaveButtonClick();
                paint(*grid);
                save.add(t);
                if (grid->currentRow() != rows - 1) code = 1;

                for (const double at : {0.5, 0.0, 0.25, 0.9, 0.6}) {
                    const int row = int(double(rows - 1) * at);
                    t = Stopwatch();
                    grid->setCurrentRow(row);
                    paint(*grid);
                    scroll.add(t);
                    if (grid->currentRow() != row) code = 1;
                }
                w.hide();
            }
            if (!timeTransactionList(a, folder, true, listCold, listFarCold)) code = 1;
            // The cold run left out the pages it read before the far row: read them again.
            Spread warming, warmingFar;
            if (!timeTransactionList(a, folder, false, warming, warmingFar)) code = 1;
            if (!timeTransactionList(a, folder, false, listWarm, listFarWarm)) code = 1;
        }
        printSpread("bankbook_open_cold", cold);
        printSpread("bankbook_open_warm", open);
        printSpread("bankbook_save_with_refresh", save);
        printSpread("bankbook_scroll", scroll);
        printSpread("bankbook_list_open_last_cold", listCold);
        printSpread("bankbook_list_open_last_warm", listWarm);
        printSpread("bankbook_list_far_cold", listFarCold);
        printSpread("bankbook_list_far_warm", listFarWarm);
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        code = 1;
    }
    return code;
}

}  // namespace bench
