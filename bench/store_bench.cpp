// The data store: appending journal lines through table objects against raw SQLite, and the
// seek and per-account sum that windows and reports run over a million lines.
#include "bench.h"
#include "store/backup.h"
#include "store/format.h"
#include "store/restore.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"
#include "ui/datagrid.h"

#include <QApplication>
#include <QScrollBar>

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <sqlite3.h>

namespace bench {
namespace {

struct Line {
    QString coy, link, acct, full, desc, srch, bnk;
    QDate date;
    double amount, gst;
    int trannum;
};

Line makeLine(int i, QRandomGenerator& rng) {
    static const char* accounts[] = {"SALES", "RENT", "POWER", "PHONE", "WAGES", "FUEL",
                                     "STATIONERY", "REPAIRS", "INSURANCE", "ADVERTISING"};
    Line l;
    l.coy = "1";
    const int dept = int(rng.bounded(3));
    l.link = dept == 0 ? "0" : QString("1-%1").arg(dept);
    l.acct = accounts[rng.bounded(10)];
    l.full = (dept == 0 ? QString("1") : l.link) + "-" + l.acct;
    l.trannum = 1000000 + i;
    l.date = QDate(2023, 4, 1).addDays(rng.bounded(1095));
    l.amount = double(rng.bounded(1, 500000)) / 100.0;
    l.gst = store::fmt::roundTo(l.amount / (100.0 / 15.0 + 1.0), 2);
    l.desc = QString("Entry %1 for %2").arg(i).arg(l.acct);
    l.bnk = QString("ANZ-01-0123-0456789-00-%1-1").arg(l.trannum);
    l.srch = QString("%1-%2-%3").arg(dept == 0 ? QString("1") : l.link, l.acct).arg(l.trannum);
    return l;
}

double appendThroughTables(store::Connection& c, int count) {
    QRandomGenerator rng(42);
    store::Table t(c, "QVActTr.DBF");
    t.open();
    const auto start = Clock::now();
    store::Transaction tx(c);
    for (int i = 0; i < count; ++i) {
        const Line l = makeLine(i, rng);
        t.append();
        t.setValue("COYCODE", l.coy);
        t.setValue("LINKCODE", l.link);
        t.setValue("ACCTCODE", l.acct);
        t.setValue("FULLCODE", l.full);
        t.setValue("TRANNUM", l.trannum);
        t.setValue("TRANDATE", l.date);
        t.setValue("DESC", l.desc);
        t.setValue("AMOUNT", l.amount);
        t.setValue("BUSAMT", l.amount);
        t.setValue("GSTAMT", l.gst);
        t.setValue("HASGST", 1);
        t.setValue("TRANTYPE", "I");
        t.setValue("SRCHCODE", l.srch);
        t.setValue("BNKTRNLNK", l.bnk);
        t.post();
    }
    tx.commit();
    return msSince(start);
}

double appendRaw(store::Connection& c, int count) {
    QRandomGenerator rng(42);
    sqlite3* db = c.handle();
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO QVActTr (COYCODE, LINKCODE, ACCTCODE, FULLCODE, TRANNUM, "
                       "TRANDATE, \"DESC\", AMOUNT, BUSAMT, GSTAMT, HASGST, TRANTYPE, SRCHCODE, "
                       "BNKTRNLNK) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                       -1, &stmt, nullptr);
    const auto start = Clock::now();
    store::execSql(db, "BEGIN IMMEDIATE");
    for (int i = 0; i < count; ++i) {
        const Line l = makeLine(i, rng);
        auto text = [&](int n, const QString& s) {
            const QByteArray b = s.toUtf8();
            sqlite3_bind_text(stmt, n, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        };
        text(1, l.coy);
        text(2, l.link);
        text(3, l.acct);
        text(4, l.full);
        sqlite3_bind_int(stmt, 5, l.trannum);
        text(6, l.date.toString(Qt::ISODate));
        text(7, l.desc);
        sqlite3_bind_double(stmt, 8, l.amount);
        sqlite3_bind_double(stmt, 9, l.amount);
        sqlite3_bind_double(stmt, 10, l.gst);
        sqlite3_bind_int(stmt, 11, 1);
        text(12, "I");
        text(13, l.srch);
        text(14, l.bnk);
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }
    store::execSql(db, "COMMIT");
    sqlite3_finalize(stmt);
    return msSince(start);
}

}  // namespace

int storeBench(const QStringList& args) {
    const int count = args.isEmpty() ? 1000000 : args.first().toInt();
    QTemporaryDir engineDir, rawDir;
    store::Connection engine, raw;
    engine.connectToFolder(engineDir.path());
    raw.connectToFolder(rawDir.path());

    const double engineMs = appendThroughTables(engine, count);
    figure("append_engine_rate", count / (engineMs / 1000.0), "rows/s");
    const double rawMs = appendRaw(raw, count);
    figure("append_raw_rate", count / (rawMs / 1000.0), "rows/s");

    store::Table t(engine, "QVActTr.DBF");
    t.setIndexName("FULLCODE");
    t.open();
    auto start = Clock::now();
    const int seeks = 1000;
    int found = 0;
    for (int i = 0; i < seeks; ++i) found += t.findKey(i % 2 ? "1-1-RENT" : "1-SALES") ? 1 : 0;
    figure("seek_fullcode", msSince(start) / seeks, "ms");

    store::Query q(engine);
    q.setSql({"SELECT SUM(BUSAMT), SUM(GSTAMT) FROM QVACTTR", "WHERE FULLCODE =:sFullCode",
              "AND (TRANDATE BETWEEN :StartDate AND :EndDate)"});
    q.bind("sFullCode", "1-1-RENT");
    q.bind("StartDate", QDate(2024, 4, 1));
    q.bind("EndDate", QDate(2025, 3, 31));
    start = Clock::now();
    const int sums = 20;
    double total = 0;
    for (int i = 0; i < sums; ++i) {
        q.open();
        total += q.number(0);
    }
    figure("sum_one_account_year", msSince(start) / sums, "ms");
    // A grid over the whole table in FULLCODE order: open, then jump to the end.
    {
        start = Clock::now();
        ui::DataGrid grid;
        grid.bindTable(engine, &t, {{"FULLCODE", "Account", {}, Qt::AlignLeft}, ui::dateColumn("TRANDATE", "Date"),
                                    ui::moneyColumn("AMOUNT", "Amount")});
        grid.resize(800, 600);
        grid.show();
        QApplication::processEvents();
        figure("grid_open_1m", msSince(start), "ms");
        start = Clock::now();
        grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
        QApplication::processEvents();
        figure("grid_scroll_to_end", msSince(start), "ms");
    }
    figure("append_ratio", rawMs / engineMs, "x");
    // The full backup of the million-line book and its restore, as the tools windows run them.
    t.close();
    QTemporaryDir media;
    start = Clock::now();
    const store::BackupOutcome backup = store::backupDataFolder(engine.path(), media.path());
    figure("backup_1m", msSince(start), "ms");
    start = Clock::now();
    const store::RestoreOutcome restore = store::restoreDataFolder(engine.path(), media.path());
    figure("restore_1m", msSince(start), "ms");
    if (!backup.ok || !restore.ok())
        std::fprintf(stderr, "%s%s\n", qPrintable(backup.detail), qPrintable(restore.problem));
    return found == seeks && total > 0 && backup.ok && restore.ok() ? 0 : 1;
}

}  // namespace bench
