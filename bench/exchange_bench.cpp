// Export and import over a large book: LINES journal lines (a million unless told) on 300
// accounts over five years, nine in ten banked in three bank accounts. Times the own format and
// the CSV export of the last year, and the import of the own format's files for half a year
// (about 100,000 lines of the million-line book) into an empty company with the same accounts.
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <ctime>
#include <string>

#include "bench.h"
#include "exchange/export_writers.h"
#include "exchange/import_nrv.h"
#include "exchange/import_records.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"

namespace bench {
namespace {

constexpr int kExchangeAccounts = 300;
const QDate kExchangeStart(2021, 4, 1);
const QDate kYearFrom(2025, 4, 1);
const QDate kYearTo(2026, 3, 31);
const char* const kExchangeBanks[] = {"1234567-00", "1234567-01", "7654321-00"};

QString accountCode(int i) {
    return QString("%1%2").arg(i % 3 == 0 ? "I" : "E").arg(i, 4, 10, QChar('0'));
}

// The company record, the chart and the bank accounts: the same in the book and in the
// company the import goes into.
void writeChart(store::Connection& c) {
    store::Table control(c, "QVCntrl.DBF");
    control.setIndexName("COYCODE");
    control.open();
    control.edit();
    control.setValue("BUSNAME", "Benchmark Trading");
    control.post();
    store::Table acc(c, "QVAccDet.DBF");
    acc.open();
    for (int i = 0; i < kExchangeAccounts; ++i) {
        acc.insert();
        acc.setValue("COYCODE", "1");
        acc.setValue("BRANCH", "0");
        acc.setValue("LINKCODE", "0");
        acc.setValue("ACCTCODE", accountCode(i));
        acc.setValue("FULLCODE", store::keys::accountFullCode(1, 0, accountCode(i)));
        acc.setValue("TYPECODE", i % 3 == 0 ? "INC" : "EXP");
        acc.setValue("EXPCODE", accountCode(i));
        acc.setValue("GSTAPPLIES", 1);
        acc.setValue("ACTACTIVE", 1);
        acc.post();
    }
    store::Table banks(c, "QVBnkAct.DBF");
    banks.open();
    for (const char* no : kExchangeBanks) {
        banks.insert();
        banks.setValue("COYCODE", "1");
        banks.setValue("BANKCODE", "030100");
        banks.setValue("ACCTNO", no);
        banks.setValue("BANKLINK", store::keys::bankLink(1, "030100", no));
        banks.setValue("INITBAL", 10000);
        banks.setValue("OPENBAL", 10000);
        banks.setValue("CURRBAL", 10000);
        banks.post();
    }
}

void writeExchangeBook(store::Connection& c, int lineCount) {
    QRandomGenerator rng(11);
    store::Transaction tx(c);
    writeChart(c);
    store::Table rows(c, "QVBnkTr.DBF");
    rows.open();
    store::Table lines(c, "QVActTr.DBF");
    lines.open();
    const int days = int(kExchangeStart.daysTo(kYearTo)) + 1;
    for (int i = 0; i < lineCount; ++i) {
        const int a = int(rng.bounded(kExchangeAccounts));
        const bool income = a % 3 == 0;
        const QDate date = kExchangeStart.addDays(rng.bounded(days));
        const double amount = double(rng.bounded(1, 200000)) / 100.0;
        const bool banked = rng.bounded(10) != 0;
        const QString bank = kExchangeBanks[rng.bounded(3)];
        const QString ref = QString::number(1000000 + i);
        if (banked) {
            rows.insert();
            rows.setValue("COYCODE", 1);
            rows.setValue("BANKCODE", "030100");
            rows.setValue("BANKACCT", bank);
            rows.setValue("BANKLINK", store::keys::bankLink(1, "030100", bank));
            rows.setValue("LINKCODE", "1");
            rows.setValue("BNKTRNLNK", store::keys::bankEntryKey("030100", bank, ref));
            rows.setValue("TRANNUM", 1000000 + i);
            rows.setValue("TRANDATE", date);
            rows.setValue("TRANTYPE", income ? "DEP" : "WD");
            rows.setValue("SOURCE", "Misc");
            rows.setValue("REASON", "Entry, \"number\" " + ref);
            rows.setValue("AMOUNT", income ? amount : -amount);
            rows.post();
        }
        lines.insert();
        lines.setValue("COYCODE", "1");
        lines.setValue("LINKCODE", "1");
        lines.setValue("ACCTCODE", accountCode(a));
        lines.setValue("FULLCODE", store::keys::fullCodeFromLink("1", accountCode(a)));
        lines.setValue("TRANNUM", banked ? 1000000 + i : 0);
        lines.setValue("REF", banked ? ref : QString::number(i));
        lines.setValue("TRANDATE", date);
        lines.setValue("DESC", "Misc-Entry, \"number\" " + ref);
        lines.setValue("AMOUNT", amount);
        lines.setValue("BUSAMT", amount);
        lines.setValue("GSTAMT", store::fmt::roundTo(amount / (100.0 / 15.0 + 1.0), 2));
        lines.setValue("TRANTYPE", income ? "I" : "E");
        lines.setValue("REASON", banked ? (income ? "DEP" : "WD") : "CSH");
        lines.setValue("SRCHCODE",
                       banked ? store::keys::journalSearchCode("1", accountCode(a), ref)
                              : store::keys::cashSearchCode(accountCode(a), QString::number(i), 1));
        lines.setValue("BNKLINKNO", banked ? store::keys::bnkLinkNo("030100", bank, ref)
                                           : QString(store::keys::kNoBankEntry));
        lines.setValue("BNKTRNLNK", banked
                                        ? store::keys::journalBankEntryKey("030100", bank, ref, 1)
                                        : QString(store::keys::kNoBankEntry));
        lines.setValue("HASBNKACCT", banked ? 1 : 0);
        lines.setValue("BANKACCT", banked ? bank : QString());
        lines.post();
    }
    tx.commit();
}

qint64 scalarOf(store::Connection& c, const QString& sql) {
    store::Query q(c);
    q.setSql(sql);
    q.open();
    return q.value(0).toLongLong();
}

double cpuMs() { return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC; }

// Wall and processor time of one step, printed as "<name>" and "<name>_cpu".
template <typename F>
auto timed(const char* name, F&& step) {
    const auto wall = Clock::now();
    const double cpu = cpuMs();
    auto result = step();
    const double wallMs = msSince(wall);
    figure(name, wallMs, "ms");
    figure((std::string(name) + "_cpu").c_str(), cpuMs() - cpu, "ms");
    return result;
}

std::vector<QStringList> recordsOf(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return exchange::splitRecords(QString::fromUtf8(f.readAll()));
}

}  // namespace

int exchangeBench(const QStringList& args) {
    const QString folder = args.value(0, QDir::temp().filePath("quorvel-exchange-bench"));
    const int lineCount = args.value(1, "1000000").toInt();
    QDir().mkpath(folder);
    store::Connection c;
    c.connectToFolder(folder);
    const qint64 have = scalarOf(c, "SELECT COUNT(*) FROM QVACTTR");
    if (have == 0) {
        std::printf("writing the sample book of %d lines to %s (once)\n", lineCount,
                    qPrintable(folder));
        std::fflush(stdout);
        const auto t = Clock::now();
        writeExchangeBook(c, lineCount);
        figure("write_book", msSince(t) / 1000.0, "s");
    } else if (have != lineCount) {
        std::fprintf(stderr, "%s holds another book; give an empty folder\n", qPrintable(folder));
        return 1;
    }
    QTemporaryDir out;
    exchange::ExportRequest r;
    r.range = {1, kYearFrom, kYearTo};
    r.folder = out.path() + QLatin1Char('/');
    figure("year_lines", double(exchange::countJournalRows(c, r.range)), "lines");
    if (!timed("export_own_format_year",
               [&] { return exchange::runExport(c, exchange::ExportFormat::Own, r).ok; }))
        return 1;
    if (!timed("export_csv_year",
               [&] { return exchange::runExport(c, exchange::ExportFormat::Csv, r).ok; }))
        return 1;

    // Half a year into an empty company with the same chart and bank accounts.
    r.range = {1, kYearFrom, kYearFrom.addMonths(6).addDays(-1)};
    if (!exchange::runExport(c, exchange::ExportFormat::Own, r).ok) return 1;
    QTemporaryDir emptyFolder;
    store::Connection target;
    target.connectToFolder(emptyFolder.path());
    {
        store::Transaction tx(target);
        writeChart(target);
        tx.commit();
    }
    const auto done = timed("import_own_format", [&] {
        const auto journal = recordsOf(r.folder + "NRVExp.txt");
        const auto bank = recordsOf(r.folder + "NRVBnk.txt");
        figure("import_lines", double(journal.size()), "lines");
        figure("import_bank_rows", double(bank.size()), "rows");
        return exchange::importNrvFiles(target, 1, &journal, &bank, banking::alwaysYes);
    });
    figure("import_errors", done.errors, "errors");
    figure("imported_journal_lines", double(scalarOf(target, "SELECT COUNT(*) FROM QVACTTR")),
           "lines");
    return done.errors == 0 ? 0 : 1;
}

}  // namespace bench
