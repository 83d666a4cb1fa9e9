// The reconciliation window over an account of 200,000 rows of which 20,000 are unreconciled:
// the time until it shows the account, the time to present one row, and "Up Date" over the
// 20,000 rows once all are presented. The rows are written straight into a new company's only
// account in a temporary folder, and the window opens through its own alias.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "banking/bankrecform.h"
#include "banking/reconciliation.h"
#include "banking/sample_company.h"
#include "bench.h"
#include "store/error.h"
#include "store/keys.h"
#include "store/paths.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"
#include "ui/datagrid.h"
#include "ui/messages.h"

namespace bench {
namespace {

const QString kRecBank = QStringLiteral("030100");
const QString kRecAcct = QStringLiteral("0300000-00");

void makeReconcileAccount(const QString& folder, int rows, int unreconciled) {
    store::Connection c;
    c.connectToFolder(folder);
    banking::sample::setCompany(c, QStringLiteral("Bench Traders"), QStringLiteral("BT"), true, 15);
    banking::sample::addBank(c, kRecBank, QStringLiteral("Kauri Bank"), QStringLiteral("Main"));
    banking::sample::addBankAccount(
        c, 1, QStringLiteral("BT"),
        {kRecBank, kRecAcct, "Busy account", true, 0, true, 1000.0, 0.0, QDate(2023, 4, 1)});
    store::execSql(c.handle(), "PRAGMA synchronous = OFF");
    store::Transaction tx(c);
    store::Table t(c, QStringLiteral("QVBnkTr.DBF"));
    t.open();
    const QString link = store::keys::bankLink(1, kRecBank, kRecAcct);
    const QDate start(2023, 4, 1);
    for (int i = 1; i <= rows; ++i) {
        t.insert();
        t.setValue(QStringLiteral("COYCODE"), 1);
        t.setValue(QStringLiteral("BANKCODE"), kRecBank);
        t.setValue(QStringLiteral("BANKACCT"), kRecAcct);
        t.setValue(QStringLiteral("BANKLINK"), link);
        t.setValue(QStringLiteral("LINKCODE"), QStringLiteral("1"));
        t.setValue(QStringLiteral("TRANNUM"), 1000000 + i);
        t.setValue(QStringLiteral("TRANDATE"), start.addDays(qint64(i) * 1095 / rows));
        t.setValue(QStringLiteral("TRANTYPE"), QStringLiteral("DEP"));
        t.setValue(QStringLiteral("AMOUNT"), double(1000 + (i * 7919) % 250000) / 100.0);
        t.setValue(QStringLiteral("REASON"), QStringLiteral("Takings"));
        t.setValue(QStringLiteral("SOURCE"), QStringLiteral("EFTPOS"));
        t.setValue(QStringLiteral("RECONCILED"), i <= rows - unreconciled ? 1 : 0);
        t.setValue(QStringLiteral("CONFIRMED"), 0);
        t.post();
    }
    tx.commit();
}

// Marks every unreconciled row presented and returns the balance that then reconciles.
QString presentAll(const QString& folder) {
    store::Connection c;
    c.connectToFolder(folder);
    store::Transaction tx(c);
    std::vector<qint64> ids;
    {
        store::Query q(c);
        q.setSql(QStringLiteral("SELECT rowid FROM QVBNKTR WHERE RECONCILED = 0"));
        q.open();
        for (; !q.eof(); q.next()) ids.push_back(q.value(0).toLongLong());
    }
    store::Table t(c, QStringLiteral("QVBnkTr.DBF"));
    t.open();
    for (qint64 id : ids) {
        t.gotoRowId(id);
        t.edit();
        t.setValue(QStringLiteral("CONFIRMED"), 1);
        t.post();
    }
    tx.commit();
    const auto f = banking::reconciliationFigures(c, 1, kRecBank, kRecAcct);
    return QString::number(double(f->balance()) / 100.0, 'f', 2);
}

}  // namespace

int reconcileBench(int rows, int unreconciled) {
    ScratchConfig scratch;
    int code = 0;
    try {
        const QString folder = scratch.home() + QStringLiteral("/data");
        makeReconcileAccount(folder, rows, unreconciled);
        QFile aliases(store::paths::aliasFile());
        if (!aliases.open(QIODevice::WriteOnly))
            throw store::StoreError(QStringLiteral("Cannot write the alias file."));
        aliases.write((QStringLiteral("[NRV]\nPath=") + folder + QLatin1Char('\n')).toUtf8());
        aliases.close();

        ui::MessageScript quiet;
        auto t = Clock::now();
        {
            TQVBankRecForm w;
            w.coyCode = 1;
            w.show();
            QApplication::processEvents();
            figure("posting_reconcile_window_show", msSince(t), "ms");
            auto* grid = w.findChild<ui::DataGrid*>(QStringLiteral("RecGrid"));
            const int shown = grid && grid->lazyModel() ? grid->lazyModel()->rowCount() : 0;
            figure("posting_reconcile_unreconciled_rows", double(shown), "rows");
            if (shown != unreconciled) code = 1;
            w.findChild<QLineEdit*>(QStringLiteral("StatBalEdit"))->setText(QStringLiteral("1.00"));
            grid->setCurrentRow(unreconciled / 2);
            t = Clock::now();
            w.PresentButtonClick();
            QApplication::processEvents();
            figure("posting_reconcile_present_row", msSince(t), "ms");
            w.PresentButtonClick();  // cancel it again
            w.hide();
        }
        const QString statement = presentAll(folder);
        {
            TQVBankRecForm w;
            w.coyCode = 1;
            w.show();
            QApplication::processEvents();
            w.findChild<QLineEdit*>(QStringLiteral("StatBalEdit"))->setText(statement);
            t = Clock::now();
            w.UpDateButtonClick();
            QApplication::processEvents();
            figure("posting_reconcile_update_presented_rows", msSince(t), "ms");
            auto* grid = w.findChild<ui::DataGrid*>(QStringLiteral("RecGrid"));
            if (!quiet.texts().isEmpty() || grid->lazyModel()->rowCount() != 0) code = 1;
            w.hide();
        }
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        code = 1;
    }
    return code;
}

}  // namespace bench
