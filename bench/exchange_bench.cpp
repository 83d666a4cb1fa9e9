// Export and import over a large book: LINES journal lines (a million unless told) on 300
// accounts over five years, nine in ten banked in three bank accounts. Times the own format and
// the CSV export of the last year, and the import of the own format's files for half a year
// (about 100,000 lines of the million-line book) into an empty company with the same accounts.
// Arguments: [FOLDER [LINES [KEEP]]]; with KEEP the year's exports stay in that folder and the
// import is left out.
#include <QDir>
#include <QFile>
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
#include "store/statement.h"
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

// A key built by the store's own key builder around placeholders that SQL fills in per row.
QString keyTemplate(const QString& key) {
    QString sql = QLatin1Char('\'') + key + QLatin1Char('\'');
    for (const auto& [mark, column] :
         {std::pair{"@A", "acct"}, {"@R", "ref"}, {"@B", "bank"}, {"@N", "i"}})
        sql.replace(QLatin1String(mark), QStringLiteral("' || %1 || '").arg(QLatin1String(column)));
    return sql;
}

// The book is written by SQL over a generated series (a million rows through the table layer
// would take most of an hour on a busy machine); its keys come from the store's key builders.
void writeExchangeBook(store::Connection& c, int lineCount) {
    namespace keys = store::keys;
    // The indexes grow in random order: a page cache that holds them keeps this to minutes.
    c.exec(QStringLiteral("PRAGMA cache_size = -2000000"));
    store::Transaction tx(c);
    writeChart(c);
    const int days = int(kExchangeStart.daysTo(kYearTo)) + 1;
    // Deterministic scatter of each line's account, date, amount, bank and whether it is banked.
    store::execute(
        c,
        {QStringLiteral("CREATE TEMP TABLE bench_lines AS"),
         QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n"
                        " WHERE i < :count - 1),"),
         QStringLiteral("h AS (SELECT i, (i * 2654435761 + 12345) % 4294967291 AS x FROM n)"),
         QStringLiteral("SELECT i, x % 300 AS a, (x / 300) % 10 <> 0 AS banked,"),
         QStringLiteral(" (x / 3000) % 3 AS b, (x / 9000) % :days AS day,"),
         QStringLiteral(" 1 + (i * 40503 + x) % 199999 AS cents FROM h")},
        {{"count", lineCount}, {"days", days}});
    store::execute(
        c,
        {QStringLiteral("CREATE TEMP TABLE bench_rows AS SELECT i,"),
         QStringLiteral(" printf('%s%04d', CASE WHEN a % 3 = 0 THEN 'I' ELSE 'E' END, a)"
                        " AS acct, a % 3 = 0 AS income, banked,"),
         QStringLiteral(" CASE b WHEN 0 THEN :b0 WHEN 1 THEN :b1 ELSE :b2 END AS bank,"),
         QStringLiteral(" date(:start, '+' || day || ' days') AS d, cents / 100.0 AS amt,"),
         QStringLiteral(" CAST(1000000 + i AS TEXT) AS ref FROM bench_lines")},
        {{"b0", kExchangeBanks[0]},
         {"b1", kExchangeBanks[1]},
         {"b2", kExchangeBanks[2]},
         {"start", kExchangeStart.toString(Qt::ISODate)}});
    const QString bankCode = QStringLiteral("030100");
    store::execute(
        c,
        {QStringLiteral("INSERT INTO QVBNKTR (COYCODE, BANKCODE, BANKACCT, BANKLINK, LINKCODE,"
                        " BNKTRNLNK, TRANNUM, TRANDATE, TRANTYPE, SOURCE, REASON, AMOUNT)"),
         QStringLiteral("SELECT 1, '030100', bank, %1, '1', %2, 1000000 + i, d,")
             .arg(keyTemplate(keys::bankLink(1, bankCode, "@B")),
                  keyTemplate(keys::bankEntryKey(bankCode, "@B", "@R"))),
         QStringLiteral(" CASE WHEN income THEN 'DEP' ELSE 'WD' END, 'Misc',"
                        " 'Entry, \"number\" ' || ref, CASE WHEN income THEN amt ELSE -amt END"),
         QStringLiteral("FROM bench_rows WHERE banked ORDER BY i")},
        {});
    store::execute(
        c,
        {QStringLiteral("INSERT INTO QVACTTR (COYCODE, LINKCODE, ACCTCODE, FULLCODE, TRANNUM, REF,"
                        " TRANDATE, DESC, AMOUNT, BUSAMT, GSTAMT, TRANTYPE, REASON, SRCHCODE,"
                        " BNKLINKNO, BNKTRNLNK, HASBNKACCT, BANKACCT)"),
         QStringLiteral("SELECT '1', '1', acct, %1, CASE WHEN banked THEN 1000000 + i ELSE 0 END,")
             .arg(keyTemplate(keys::fullCodeFromLink("1", "@A"))),
         QStringLiteral(" CASE WHEN banked THEN ref ELSE CAST(i AS TEXT) END, d,"
                        " 'Misc-Entry, \"number\" ' || ref, amt, amt,"
                        " round(amt / (100.0 / 15.0 + 1.0), 2),"),
         QStringLiteral(" CASE WHEN income THEN 'I' ELSE 'E' END,"
                        " CASE WHEN NOT banked THEN 'CSH' WHEN income THEN 'DEP' ELSE 'WD' END,"),
         QStringLiteral(" CASE WHEN banked THEN %1 ELSE %2 END,")
             .arg(keyTemplate(keys::journalSearchCode("1", "@A", "@R")),
                  keyTemplate(keys::cashSearchCode("@A", "@N", 1))),
         QStringLiteral(" CASE WHEN banked THEN %1 ELSE '%2' END,")
             .arg(keyTemplate(keys::bnkLinkNo(bankCode, "@B", "@R")),
                  QLatin1String(keys::kNoBankEntry)),
         QStringLiteral(" CASE WHEN banked THEN %1 ELSE '%2' END,")
             .arg(keyTemplate(keys::journalBankEntryKey(bankCode, "@B", "@R", 1)),
                  QLatin1String(keys::kNoBankEntry)),
         QStringLiteral(
             " banked, CASE WHEN banked THEN bank ELSE '' END FROM bench_rows ORDER BY i")},
        {});
    store::execute(c, {QStringLiteral("DROP TABLE bench_rows")}, {});
    store::execute(c, {QStringLiteral("DROP TABLE bench_lines")}, {});
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
    // A third argument keeps the year's exports in that folder and leaves out the import, to time
    // and compare the export alone.
    const QString keepIn = args.value(2);
    QTemporaryDir out;
    exchange::ExportRequest r;
    r.range = {1, kYearFrom, kYearTo};
    r.folder = (keepIn.isEmpty() ? out.path() : keepIn) + QLatin1Char('/');
    if (!keepIn.isEmpty()) QDir().mkpath(keepIn);
    figure("year_lines", double(exchange::countJournalRows(c, r.range)), "lines");
    if (!timed("export_own_format_year",
               [&] { return exchange::runExport(c, exchange::ExportFormat::Own, r).ok; }))
        return 1;
    if (!timed("export_csv_year",
               [&] { return exchange::runExport(c, exchange::ExportFormat::Csv, r).ok; }))
        return 1;
    if (!keepIn.isEmpty()) return 0;

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
