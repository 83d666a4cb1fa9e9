// Payments on the big book: the time to save a three-line cheque as payment entry saves it
// (numbers reserved, the header, then each line with its journal line, bank row and balance, each
// step its own durable commit), and the time until payment entry shows a company holding 50,000
// payments. Those payments are written straight into a demo company in a temporary folder, in
// one transaction: the window only reads them. Then the payment list over them, opened on its
// last row and moved to its middle, warm and cold.
#include <QApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "banking/sample_company.h"
#include "bench.h"
#include "payments/chqentryform.h"
#include "payments/coychequelistform.h"
#include "payments/payment_entry.h"
#include "payments/payment_header.h"
#include "payments/payment_lines.h"
#include "store/error.h"
#include "store/keys.h"
#include "store/paths.h"
#include "store/table.h"
#include "store/transaction.h"
#include "timing.h"
#include "ui/datagrid.h"
#include "ui/messages.h"

namespace bench {
namespace {

double meanOf(const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return v.empty() ? 0.0 : sum / double(v.size());
}

double p99Of(std::vector<double> v) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(double(v.size()) * 0.99))];
}

void makePayments(const QString& folder, int count) {
    store::Connection c;
    c.connectToFolder(folder);
    const QDate today(2026, 3, 31);
    banking::sample::makeDemoCompany(c, today);
    store::execSql(c.handle(), "PRAGMA synchronous = OFF");
    store::Transaction tx(c);
    store::Table h(c, QStringLiteral("QVChHdr.DBF"));
    store::Table d(c, QStringLiteral("QVChqDet.DBF"));
    h.open();
    d.open();
    const QString acct = QStringLiteral("0123456-00");
    for (int i = 1; i <= count; ++i) {
        const QString n = QString::number(i);
        const QString key = store::keys::paymentKey(n, acct, 1);
        h.insert();
        h.setValue(QStringLiteral("COYCODE"), QStringLiteral("1"));
        h.setValue(QStringLiteral("TRANNUM"), i);
        h.setValue(QStringLiteral("CHEQUENO"), n);
        h.setValue(QStringLiteral("PAYTYPE"), QStringLiteral("CHQ"));
        h.setValue(QStringLiteral("TRANTYPE"), QStringLiteral("CHQ"));
        h.setValue(QStringLiteral("BANKCODE"), QStringLiteral("030100"));
        h.setValue(QStringLiteral("ACCTCODE"), acct);
        h.setValue(QStringLiteral("CHQBNKCOY"), key);
        h.setValue(QStringLiteral("SUPPTYPE"), QStringLiteral("MISC"));
        h.setValue(QStringLiteral("SUPPLIER"), QStringLiteral("Payee %1").arg(i % 97));
        h.setValue(QStringLiteral("CHQDATE"), today.addDays(-(i % 1000)));
        h.setValue(QStringLiteral("AMOUNT"), 115.0);
        h.setValue(QStringLiteral("GSTAMT"), 15.0);
        h.setValue(QStringLiteral("NUMLINES"), 1);
        h.post();
        d.insert();
        d.setValue(QStringLiteral("CHQBNKCOY"), key);
        d.setValue(QStringLiteral("COYCODE"), 1);
        d.setValue(QStringLiteral("CHEQUENO"), n);
        d.setValue(QStringLiteral("LINENO"), 1);
        d.setValue(QStringLiteral("LINKCODE"), QStringLiteral("1"));
        d.setValue(QStringLiteral("ACCTNO"), QStringLiteral("RENT"));
        d.setValue(QStringLiteral("NARRATIVE"), QStringLiteral("Rent of premises"));
        d.setValue(QStringLiteral("TOT_AMT"), 115.0);
        d.setValue(QStringLiteral("GSTAMT"), 15.0);
        d.post();
    }
    tx.commit();
}

// The payment list opened on its last row, then moved to its middle: each run a new window
// over a new connection, warm and with the data file dropped from the page cache.
bool paymentListFigures(const QString& folder, int count) {
    const auto run = [count](bool farScroll) -> std::optional<double> {
        auto t = Clock::now();
        TCoyChequeListForm list;
        list.show();
        auto* grid = list.findChild<ui::DataGrid*>();
        grid->setCurrentRow(count - 1);
        QApplication::processEvents();
        if (farScroll) {
            t = Clock::now();
            grid->setCurrentRow(count / 2 + 77);
            QApplication::processEvents();
        }
        const double ms = msSince(t);
        const int row = grid->currentRow();
        return row >= 0 && !grid->lazyModel()->textAt(row, 0).isEmpty() ? std::optional(ms)
                                                                        : std::nullopt;
    };
    const auto drop = [&] { dropFolderFromPageCache(folder); };
    const auto lastWarm = timeRuns(kRuns, [&] { return run(false); });
    const auto lastCold = timeRuns(
        kRuns, [&] { return run(false); }, drop);
    const auto farWarm = timeRuns(kRuns, [&] { return run(true); });
    const auto farCold = timeRuns(
        kRuns, [&] { return run(true); }, drop);
    if (!lastWarm || !lastCold || !farWarm || !farCold) return false;
    printSpread("payment_list_open_last_warm", *lastWarm, "ms");
    printSpread("payment_list_open_last_cold", *lastCold, "ms");
    printSpread("payment_list_far_scroll_warm", *farWarm, "ms");
    printSpread("payment_list_far_scroll_cold", *farCold, "ms");
    return true;
}

}  // namespace

int paymentSaveBench(store::Connection& c, int coy, int saves) {
    QRandomGenerator rng(7);
    std::vector<double> whole, lines;
    int ok = 0;
    for (int i = 0; i < saves; ++i) {
        payments::NewPayment p;
        p.coy = coy;
        p.bankCode = QStringLiteral("030100");
        p.acctNo = QStringLiteral("0123456-00");
        p.type = payments::PayType::Cheque;
        p.date = QDate(2026, 3, 31);
        p.supplier = QStringLiteral("Harbour Properties");
        for (const char* code : {"RENT", "POWER", "MOTOR"})
            p.lines.push_back({QLatin1String(code), double(rng.bounded(100, 500000)) / 100.0});
        const auto t = Clock::now();
        const payments::EnteredPayment e = payments::enterPayment(c, p, banking::alwaysYes);
        whole.push_back(msSince(t));
        ok += e.result.ok() ? 1 : 0;
        // One more line on the same payment: the save of a single line.
        const auto l = Clock::now();
        payments::LineInput in;
        in.coy = coy;
        in.tranNum = e.number;
        in.acctCode = QStringLiteral("REPAIRS");
        in.amount = 23.0;
        payments::savePaymentLine(c, in, banking::alwaysYes);
        lines.push_back(msSince(l));
    }
    figure("payment_save_three_lines_mean", meanOf(whole), "ms");
    figure("payment_save_three_lines_p99", p99Of(whole), "ms");
    figure("payment_line_save_mean", meanOf(lines), "ms");
    return ok == saves ? 0 : 1;
}

int paymentWindowBench(int count) {
    ScratchConfig scratch;
    int code = 0;
    try {
        const QString folder = scratch.home() + QStringLiteral("/data");
        auto t = Clock::now();
        makePayments(folder, count);
        std::fprintf(stderr, "made %d payments in %.1f s\n", count, msSince(t) / 1000.0);
        QFile aliases(store::paths::aliasFile());
        if (!aliases.open(QIODevice::WriteOnly))
            throw store::StoreError(QStringLiteral("Cannot write the alias file."));
        aliases.write((QStringLiteral("[NRV]\nPath=") + folder + QLatin1Char('\n')).toUtf8());
        aliases.close();
        ui::MessageScript quiet;
        t = Clock::now();
        TChqEntryForm w;
        w.coyCode = QStringLiteral("1");
        w.show();
        QApplication::processEvents();
        figure("payment_window_show_50k_payments", msSince(t), "ms");
        if (!w.payment() || w.payment()->tranNum != count) code = 1;
        w.close();
        if (!paymentListFigures(folder, count)) code = 1;
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        code = 1;
    }
    return code;
}

}  // namespace bench
