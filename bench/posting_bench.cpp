// Saving a bank entry as the bank transaction window saves it (its own durable commit) on a data
// folder holding a million journal lines made by the demo company, and the reads the window
// makes when it shows an account; then the payment figures (payment_bench.cpp).
#include "bench.h"

#include "banking/bank_posting.h"
#include "banking/sample_company.h"
#include "store/error.h"
#include "store/query.h"
#include "store/table.h"

#include <QDir>
#include <QRandomGenerator>
#include <algorithm>
#include <vector>

namespace bench {
namespace {

qint64 count(store::Connection& c, const char* sql)
{
    store::Query q(c);
    q.setSql(QString::fromLatin1(sql));
    q.open();
    return q.value(0).toLongLong();
}

// Posts demo entries until the folder holds `lines` journal lines. The folder is kept, so a
// second run with the same path starts at once.
void makeFolder(const QString& folder, qint64 lines)
{
    store::Connection c;
    c.connectToFolder(folder);
    const QDate today(2026, 3, 31);
    {
        store::Table accounts(c, QStringLiteral("QVBnkAct.DBF"));
        accounts.open();
        if (accounts.isEmpty()) banking::sample::makeDemoCompany(c, today);
    }
    // Building only: a big cache and no waiting for the disk between batches.
    store::execSql(c.handle(), "PRAGMA cache_size = -400000");
    store::execSql(c.handle(), "PRAGMA synchronous = OFF");
    qint64 have = count(c, "SELECT COUNT(*) FROM QVACTTR");
    quint32 seed = quint32(have) + 7;
    const auto start = Clock::now();
    while (have < lines) {
        const int chunk = int(std::min<qint64>(50000, (lines - have) * 21 / 20 + 10));
        banking::sample::postDemoEntries(c, chunk, today, seed++, 10000);
        have = count(c, "SELECT COUNT(*) FROM QVACTTR");
        std::fprintf(stderr, "journal lines: %lld (%.0f s)\n", have, msSince(start) / 1000.0);
    }
    store::execSql(c.handle(), "PRAGMA wal_checkpoint(TRUNCATE)");
}

struct Stats {
    double mean = 0, p99 = 0;
};

Stats stats(std::vector<double> v)
{
    Stats s;
    if (v.empty()) return s;
    std::sort(v.begin(), v.end());
    double sum = 0;
    for (double x : v) sum += x;
    s.mean = sum / double(v.size());
    s.p99 = v[std::min(v.size() - 1, size_t(double(v.size()) * 0.99))];
    return s;
}

}  // namespace

int postingBench(const QStringList& args)
{
    const QString folder = args.value(0, QDir::tempPath() + QStringLiteral("/quorvel-bench-posting"));
    const qint64 lines = args.size() > 1 ? args[1].toLongLong() : 1000000;
    const int saves = args.size() > 2 ? args[2].toInt() : 300;
    try {
        makeFolder(folder, lines);

        store::Connection c;  // as a window connects: the store's own settings
        c.connectToFolder(folder);
        const banking::Company company = banking::readCompany(c);
        const QString bank = QStringLiteral("030100"), acct = QStringLiteral("0123456-00");
        const auto ledger = banking::findLedgerAccount(c, company.coy, QStringLiteral("SALESCAFE"));
        if (!ledger) throw store::StoreError(QStringLiteral("Not a demo company folder."));
        figure("posting_journal_lines", double(count(c, "SELECT COUNT(*) FROM QVACTTR")), "lines");

        QRandomGenerator rng(99);
        std::vector<double> reserve, check, save;
        int ok = 0;
        for (int i = 0; i < saves; ++i) {
            banking::BankEntry e;
            e.coy = company.coy;
            e.bankCode = bank;
            e.acctNo = acct;
            e.type = banking::EntryType::Deposit;
            e.date = QDate(2026, 3, 31);
            e.amount = double(rng.bounded(100, 900000)) / 100.0;
            e.tax = banking::proposedTax(e.type, company, *ledger, e.amount);
            e.ledgerAccount = ledger->acctCode;
            e.source = QStringLiteral("EFTPOS");
            e.narrative = ledger->descr;
            auto t = Clock::now();
            e.reference = banking::reserveReferenceNumber(c, company.coy, bank, acct);
            reserve.push_back(msSince(t));
            t = Clock::now();
            const auto checked = banking::checkBankEntry(c, e, banking::EntryMode::Add,
                                                         banking::alwaysYes);
            check.push_back(msSince(t));
            t = Clock::now();
            const auto posted = banking::postBankEntry(c, e, banking::EntryMode::Add,
                                                       banking::alwaysYes);
            save.push_back(msSince(t));
            ok += checked.ok() && posted.ok() ? 1 : 0;
        }
        const Stats s = stats(save), k = stats(check), r = stats(reserve);
        figure("posting_save_mean", s.mean, "ms");
        figure("posting_save_p99", s.p99, "ms");
        figure("posting_check_mean", k.mean, "ms");
        figure("posting_check_p99", k.p99, "ms");
        figure("posting_reserve_number_mean", r.mean, "ms");

        // What the window reads to show an account: its rows on tag BANKLINK, the last one.
        const auto t = Clock::now();
        store::Table rows(c, QStringLiteral("QVBnkTr.DBF"));
        rows.setIndexName(QStringLiteral("BANKLINK"));
        rows.open();
        rows.setMasterRange(QStringLiteral("BANKLINK"), QStringLiteral("1-030100-0123456-00"));
        rows.last();
        const qint64 n = rows.recordCount();
        figure("posting_open_account_last_row", msSince(t), "ms");
        figure("posting_account_rows", double(n), "rows");
        const int window = bankWindowBench(200000);
        const int paid = paymentSaveBench(c, company.coy, 100) + paymentWindowBench(50000);
        const int reconcile = reconcileBench(200000, 20000);
        return ok == saves && window == 0 && paid == 0 && reconcile == 0 ? 0 : 1;
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
}

}  // namespace bench
