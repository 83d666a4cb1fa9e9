// The control centre over a large book: one million journal lines on 300 accounts over the five
// years before the book was written, three bank accounts. Times opening the window until its
// figures are shown, and the profit-and-loss figures alone.
#include "app/controlcentre.h"
#include "app/controlcentre_figures.h"
#include "app/controlcentre_months.h"
#include "bench.h"
#include "store/inifile.h"
#include "store/keys.h"
#include "store/paths.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"
#include "ui/messages.h"

#include <QDir>
#include <QLabel>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>

namespace bench {
namespace {

constexpr int kLines = 1000000;
constexpr int kAccounts = 300;

qint64 journalCount(store::Connection& c)
{
    store::Query q(c);
    q.setSql("SELECT COUNT(*) FROM QVACTTR");
    q.open();
    return qint64(q.number(0));
}

void writeBook(store::Connection& c)
{
    QRandomGenerator rng(11);
    const QDate end = QDate::currentDate();
    const QDate start = end.addYears(-5);
    const int days = int(start.daysTo(end)) + 1;

    store::Transaction tx(c);
    store::Table control(c, "QVCntrl.DBF");
    control.setIndexName("COYCODE");
    control.open();
    control.edit();
    control.setValue("BUSNAME", "Benchmark Trading");
    control.setValue("BUSCODE", "BENCH");
    control.setValue("GSTENABLED", 1);
    control.setValue("GSTPERCENT", 15);
    control.setValue("COUNTRY", "NZ");
    control.post();

    store::Table acc(c, "QVAccDet.DBF");
    acc.open();
    QStringList codes, types;
    for (int i = 0; i < kAccounts; ++i) {
        const bool income = i % 3 == 0;
        const QString code = QString("%1%2").arg(income ? "I" : "E").arg(i, 4, 10, QChar('0'));
        codes << code;
        types << (income ? "INC" : "EXP");
        acc.insert();
        acc.setValue("COYCODE", "1");
        acc.setValue("BRANCH", "0");
        acc.setValue("LINKCODE", "0");
        acc.setValue("ACCTCODE", code);
        acc.setValue("FULLCODE", store::keys::accountFullCode(1, 0, code));
        acc.setValue("COYACCT", 1);
        acc.setValue("TYPECODE", types.last());
        acc.setValue("DESCR", "Account " + code);
        acc.setValue("INCLPL", 1);
        acc.setValue("GSTAPPLIES", 1);
        acc.setValue("ACTACTIVE", 1);
        acc.post();
    }
    store::Table banks(c, "QVBnkAct.DBF");
    banks.open();
    const char* const numbers[] = {"1234567-00", "1234567-01", "7654321-00"};
    for (int i = 0; i < 3; ++i) {
        banks.insert();
        banks.setValue("COYCODE", "1");
        banks.setValue("BANKCODE", "030100");
        banks.setValue("ACCTNO", numbers[i]);
        banks.setValue("BANKLINK", store::keys::bankLink(1, "030100", numbers[i]));
        banks.setValue("DESC", QString("Account %1").arg(numbers[i]));
        banks.setValue("ALLOWOD", i == 0 ? 1 : 0);
        banks.setValue("ODAMOUNT", i == 0 ? 5000 : 0);
        banks.setValue("CURRBAL", 10000 + 1000 * i);
        banks.setValue("STARTDATE", start);
        banks.setValue("REC_DATE", start);
        banks.post();
    }

    store::Table lines(c, "QVActTr.DBF");
    lines.open();
    for (int i = 0; i < kLines; ++i) {
        const int a = int(rng.bounded(kAccounts));
        const double amount = double(rng.bounded(1, 200000)) / 100.0;
        lines.insert();
        lines.setValue("COYCODE", "1");
        lines.setValue("LINKCODE", "1");
        lines.setValue("ACCTCODE", codes[a]);
        lines.setValue("FULLCODE", store::keys::fullCodeFromLink("1", codes[a]));
        lines.setValue("TRANDATE", start.addDays(rng.bounded(days)));
        lines.setValue("AMOUNT", amount);
        lines.setValue("BUSAMT", amount);
        lines.setValue("TRANTYPE", types[a] == "INC" ? "I" : "E");
        lines.post();
    }
    tx.commit();
}

}  // namespace

int controlBench(const QStringList& args)
{
    const QString folder =
        args.isEmpty() ? QDir::temp().filePath("quorvel-control-bench") : args.first();
    QDir().mkpath(folder);
    {
        store::Connection c;
        c.connectToFolder(folder);
        if (journalCount(c) != kLines) {
            if (journalCount(c) != 0) {
                std::fprintf(stderr, "%s holds another book; give an empty folder\n",
                             qPrintable(folder));
                return 1;
            }
            std::printf("writing the sample book to %s (once)\n", qPrintable(folder));
            std::fflush(stdout);
            const auto start = Clock::now();
            writeBook(c);
            figure("write_book", msSince(start) / 1000.0, "s");
        }
    }

    // The window connects through the alias: point it at the book, with settings of our own.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    store::IniFile(store::paths::aliasFile())
        .writeString("NRV", "Path", QDir(folder).absolutePath());

    // The window's range starts a year before the book's last line, so an older book is measured
    // over a full year of lines too.
    QDate lastLine;
    {
        store::Connection c;
        c.connectToFolder(folder);
        store::Query q(c);
        q.setSql("SELECT MAX(TRANDATE) AS LAST FROM QVACTTR");
        q.open();
        lastLine = q.date("LAST");
        store::IniFile ini(store::paths::programFolder() + "NRVCash.ini");
        app::controlcentre::writeStateAndFromDate(ini, 0, lastLine.addDays(-365));
    }

    ui::MessageScript quiet;
    QString income;
    bool charted = true;
    std::vector<double> opens;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        TQVCoyOpsForm w;
        w.show();
        income = w.findChild<QLabel*>("IncomeLabel")->text();
        opens.push_back(msSince(start));
        charted = charted && w.findChild<QWidget*>("ChartsPanel")->isVisible();
        w.close();
    }
    if (!quiet.texts().isEmpty()) {
        std::fprintf(stderr, "message: %s\n", qPrintable(quiet.texts().join("; ")));
        return 1;
    }
    if (!charted) {
        std::fprintf(stderr, "the charts were not shown\n");
        return 1;
    }
    figure("control_centre_open_first", opens.front(), "ms");
    figure("control_centre_open_best", *std::min_element(opens.begin(), opens.end()), "ms");

    store::Connection c;
    c.connectToFolder(folder);
    const QDate to = QDate::currentDate();
    double best = 1e300;
    app::controlcentre::ProfitAndLoss pl;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        pl = app::controlcentre::readProfitAndLoss(c, 1, to.addDays(-365), to);
        best = std::min(best, msSince(start));
    }
    figure("control_centre_profit_and_loss", best, "ms");

    // The charts' figures over the window's range: the month sums (which the profit and loss is
    // also added up from) and the bank rows' months.
    best = 1e300;
    std::size_t months = 0;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        const QDate from = lastLine.addDays(-365);
        auto figures = app::controlcentre::monthlyProfitAndLoss(
            app::controlcentre::readLedgerAccounts(c, 1),
            app::controlcentre::readJournalMonthSums(c, 1, from, to), from, to);
        app::controlcentre::setBankTotals(
            figures, 0.0, app::controlcentre::readBankMovements(c, 1, from, to));
        months = figures.size();
        best = std::min(best, msSince(start));
    }
    figure("control_centre_chart_figures", best, "ms");
    std::printf("%zu months charted from %s\n", months,
                qPrintable(lastLine.addDays(-365).toString(Qt::ISODate)));
    std::printf("income %s, expenditure %s (window showed income %s)\n", qPrintable(pl.income),
                qPrintable(pl.expenditure), qPrintable(income));
    return 0;
}

}  // namespace bench
