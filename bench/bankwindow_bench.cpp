// The time until the bank transaction window shows an account holding 200,000 rows: the rows
// are written straight into a new account of a demo company in a temporary folder, in one
// transaction, and the window is opened on it through its own alias, as the menu opens it.
// Then one step of the find bar (Ctrl+F, F3) by reference, by amount and for a narrative no row
// holds, and the running balance of the first row, the farthest from the current balance.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include "banking/banktranform.h"
#include "banking/rowfindbar.h"
#include "banking/sample_company.h"
#include "bench.h"
#include "store/error.h"
#include "store/keys.h"
#include "store/paths.h"
#include "store/table.h"
#include "store/transaction.h"
#include "ui/datagrid.h"
#include "ui/messages.h"

namespace bench {
namespace {

const QString kBank = QStringLiteral("030100");
const QString kAcct = QStringLiteral("0200000-00");

void makeBigAccount(const QString& folder, int rows) {
    store::Connection c;
    c.connectToFolder(folder);
    const QDate today(2026, 3, 31);
    banking::sample::makeDemoCompany(c, today);
    banking::sample::addBankAccount(
        c, 1, QStringLiteral("HSC"),
        {kBank, kAcct, "Busy takings account", false, 0, true, 1000.0, 0.0, today.addYears(-3)});
    store::execSql(c.handle(), "PRAGMA synchronous = OFF");
    store::Transaction tx(c);
    store::Table t(c, QStringLiteral("QVBnkTr.DBF"));
    t.open();
    const QString link = store::keys::bankLink(1, kBank, kAcct);
    const QDate start = today.addYears(-3);
    for (int i = 1; i <= rows; ++i) {
        const QString ref = QString::number(1000000 + i);
        t.insert();
        t.setValue(QStringLiteral("COYCODE"), 1);
        t.setValue(QStringLiteral("BRANCH"), 1);
        t.setValue(QStringLiteral("BANKCODE"), kBank);
        t.setValue(QStringLiteral("BANKACCT"), kAcct);
        t.setValue(QStringLiteral("BANKLINK"), link);
        t.setValue(QStringLiteral("LINKCODE"), QStringLiteral("1-1"));
        t.setValue(QStringLiteral("FULLCODE"), QStringLiteral("1-1-SALESCAFE"));
        t.setValue(QStringLiteral("BNKTRNLNK"), store::keys::bankEntryKey(kBank, kAcct, ref));
        t.setValue(QStringLiteral("TRANNUM"), 1000000 + i);
        t.setValue(QStringLiteral("TRANDATE"), start.addDays(qint64(i) * 1095 / rows));
        t.setValue(QStringLiteral("TRANTYPE"), QStringLiteral("DEP"));
        t.setValue(QStringLiteral("AMOUNT"), double(1000 + (i * 7919) % 250000) / 100.0);
        t.setValue(QStringLiteral("PURPOSE"), QStringLiteral("SALESCAFE"));
        t.setValue(QStringLiteral("REASON"), QStringLiteral("Cafe sales"));
        t.setValue(QStringLiteral("SOURCE"), QStringLiteral("EFTPOS"));
        t.setValue(QStringLiteral("CSHACCDET"), 0);
        t.setValue(QStringLiteral("RECONCILED"), 0);
        t.setValue(QStringLiteral("CONFIRMED"), 0);
        t.post();
    }
    tx.commit();
}

// One find step through the window's find bar: the time until the grid stands on the row
// (any row when `expectedRow` is negative).
bool findStep(TQVBankTranForm& w, const char* name, const QString& typed, int expectedRow) {
    auto* bar = w.findChild<banking::RowFindBar*>(QStringLiteral("RowFindBar"));
    auto* grid = w.findChild<ui::DataGrid*>(QStringLiteral("TranGrid"));
    if (!bar || !grid) return false;
    bar->open();
    bar->edit()->setText(typed);
    const auto t = Clock::now();
    bar->findNext();
    QApplication::processEvents();
    figure(name, msSince(t), "ms");
    return expectedRow < 0 || grid->currentRow() == expectedRow;
}

}  // namespace

int bankWindowBench(int rows) {
    // The window connects through the NRV alias: point it at the benchmark's folder without
    // touching the user's own settings.
    ScratchConfig scratch;
    int code = 0;
    try {
        const QString folder = scratch.home() + QStringLiteral("/data");
        auto t = Clock::now();
        makeBigAccount(folder, rows);
        std::fprintf(stderr, "made %d rows in %.1f s\n", rows, msSince(t) / 1000.0);
        QFile aliases(store::paths::aliasFile());
        if (!aliases.open(QIODevice::WriteOnly))
            throw store::StoreError(QStringLiteral("Cannot write the alias file."));
        aliases.write((QStringLiteral("[NRV]\nPath=") + folder + QLatin1Char('\n')).toUtf8());
        aliases.close();

        ui::MessageScript quiet;
        t = Clock::now();
        {
            TQVBankTranForm w;
            w.coyCode = QStringLiteral("1");
            w.bankCode = kBank;
            w.acctNo = kAcct;
            w.show();
            QApplication::processEvents();
            figure("posting_window_show_200k_rows", msSince(t), "ms");
            auto* grid = w.findChild<ui::DataGrid*>(QStringLiteral("TranGrid"));
            const int shown = grid && grid->lazyModel() ? grid->lazyModel()->rowCount() : 0;
            figure("posting_window_rows", double(shown), "rows");
            if (shown != rows || grid->currentRow() != rows - 1) code = 1;
            // Row i (from 0) holds reference 1000001 + i and amount (1000 + (i + 1) * 7919 %
            // 250000) / 100.
            const int middle = rows / 2;
            if (!findStep(w, "posting_window_find_reference", QString::number(1000001 + middle),
                          middle))
                code = 1;
            const double amount = double(1000 + (qint64(middle + 2) * 7919) % 250000) / 100.0;
            findStep(w, "posting_window_find_amount", QString::number(amount, 'f', 2), -1);
            if (!findStep(w, "posting_window_find_absent_narrative",
                          QStringLiteral("no such narrative"), middle))
                code = 1;
            t = Clock::now();
            grid->setCurrentRow(0);
            const QString first = grid->lazyModel()->textAt(0, 4);
            figure("posting_window_running_balance_first_row", msSince(t), "ms");
            if (first.isEmpty()) code = 1;
            w.hide();
        }
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        code = 1;
    }
    return code;
}

}  // namespace bench
