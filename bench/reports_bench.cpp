// Reports over a large book: one million journal lines on 300 accounts, nine in ten of them
// banked (with their bank rows) in three bank accounts over five years, kept in its folder
// with the same journal written as a ledger file. Times the trial balance, the revenue
// statement, the balance sheet and the tax return warm and cold beside the ledger program
// (report_runs.cpp), then the journal reports, actuals against budget (every account budgeted
// monthly) for the last year, the tax finalising and audit, and the cash transactions window
// opening on the book's cash lines.
//
// The book is kept as one in use: its two-monthly tax returns filed through the last period
// before the benchmark's return (to 31 December 2025, by the tax finalising itself) and its
// bank rows reconciled up to the last statement (28 February 2026, by the reconciliation
// itself). Only the open lines and rows stay in the partial indexes of open tax lines and
// unreconciled rows; the reports read neither flag, so their figures are those of the book
// as written. A book cached before it was kept that way is brought to it on its next run.
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "banking/reconciliation.h"
#include "bench.h"
#include "budgets/budget_plan.h"
#include "budgets/budget_store.h"
#include "budgets/statistics.h"
#include "cash/cashtranform.h"
#include "reports/chartofaccounts.h"
#include "reports/journal.h"
#include "reports/pageview.h"
#include "reports/renderer.h"
#include "reports/reportpreview.h"
#include "reports/revenue.h"
#include "reports/trialbalance.h"
#include "reports/worktables.h"
#include "reports/ytdfigures.h"
#include "reports/ytdreports.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/paths.h"
#include "store/query.h"
#include "store/statement.h"
#include "store/table.h"
#include "store/transaction.h"
#include "tax/finalise.h"
#include "tax/tax_period.h"
#include "ui/messages.h"

namespace bench {
namespace {

constexpr int kLines = 1000000;
constexpr int kAccounts = 300;
const QDate kBookStart(2021, 4, 1);
const QDate& kFrom = kReportFrom;
const QDate& kTo = kReportTo;
const char* const kBanks[] = {"1234567-00", "1234567-01", "7654321-00"};

struct Account {
    QString code, type;
    int inclPl;
};

std::vector<Account> chart() {
    std::vector<Account> out;
    for (int i = 0; i < kAccounts; ++i) {
        const bool income = i % 3 == 0;
        out.push_back({QString("%1%2").arg(income ? "I" : "E").arg(i, 4, 10, QChar('0')),
                       income ? "INC" : "EXP", i % 15 == 14 ? 0 : 1});
    }
    return out;
}

qint64 journalCount(store::Connection& c) {
    store::Query q(c);
    q.setSql("SELECT COUNT(*) FROM QVACTTR");
    q.open();
    return qint64(q.number(0));
}

// The book and its ledger file, written once into the cache folder.
void writeBook(store::Connection& c, const QString& ledgerPath) {
    const std::vector<Account> accounts = chart();
    QRandomGenerator rng(7);
    QFile ledgerFile(ledgerPath);
    ledgerFile.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QTextStream ledger(&ledgerFile);

    store::Transaction tx(c);
    store::Table control(c, "QVCntrl.DBF");
    control.setIndexName("COYCODE");
    control.open();
    control.edit();
    control.setValue("BUSNAME", "Benchmark Trading");
    control.post();

    store::Table acc(c, "QVAccDet.DBF");
    acc.open();
    for (const Account& a : accounts) {
        acc.insert();
        acc.setValue("COYCODE", "1");
        acc.setValue("BRANCH", "0");
        acc.setValue("LINKCODE", "0");
        acc.setValue("ACCTCODE", a.code);
        acc.setValue("FULLCODE", store::keys::accountFullCode(1, 0, a.code));
        acc.setValue("COYACCT", 1);
        acc.setValue("TYPECODE", a.type);
        acc.setValue("DESCR", "Account " + a.code);
        acc.setValue("INCLPL", a.inclPl);
        acc.setValue("GSTAPPLIES", 1);
        acc.setValue("ACTACTIVE", 1);
        acc.post();
    }
    store::Table banks(c, "QVBnkAct.DBF");
    banks.open();
    for (const char* no : kBanks) {
        banks.insert();
        banks.setValue("COYCODE", "1");
        banks.setValue("BANKCODE", "030100");
        banks.setValue("ACCTNO", no);
        banks.setValue("BANKLINK", store::keys::bankLink(1, "030100", no));
        banks.setValue("DESC", QString("Account %1").arg(no));
        banks.setValue("INITBAL", 10000);
        banks.setValue("OPENBAL", 10000);
        banks.setValue("STARTDATE", kBookStart);
        banks.post();
    }

    store::Table rows(c, "QVBnkTr.DBF");
    rows.open();
    store::Table lines(c, "QVActTr.DBF");
    lines.open();
    const int days = int(kBookStart.daysTo(kTo)) + 1;
    for (int i = 0; i < kLines; ++i) {
        const Account& a = accounts[rng.bounded(kAccounts)];
        const bool income = a.type == "INC";
        const QDate date = kBookStart.addDays(rng.bounded(days));
        const double amount = double(rng.bounded(1, 200000)) / 100.0;
        const double gst = store::fmt::roundTo(amount / (100.0 / 15.0 + 1.0), 2);
        const bool banked = rng.bounded(10) != 0;
        // The first account holds about 643,000 rows, as the busiest account of a book this size.
        const quint32 share = rng.bounded(900);
        const QString bank = kBanks[share < 643 ? 0 : share < 771 ? 1 : 2];
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
            rows.setValue("AMOUNT", income ? amount : -amount);
            rows.post();
        }
        lines.insert();
        lines.setValue("COYCODE", "1");
        lines.setValue("LINKCODE", "1");
        lines.setValue("ACCTCODE", a.code);
        lines.setValue("FULLCODE", store::keys::fullCodeFromLink("1", a.code));
        lines.setValue("TRANNUM", banked ? 1000000 + i : 0);
        lines.setValue("TRANDATE", date);
        lines.setValue("DESC", "Entry " + ref);
        lines.setValue("AMOUNT", amount);
        lines.setValue("BUSAMT", amount);
        lines.setValue("GSTAMT", gst);
        lines.setValue("HASGST", 1);
        lines.setValue("TRANTYPE", income ? "I" : "E");
        lines.setValue("BNKLINKNO", banked ? store::keys::bnkLinkNo("030100", bank, ref)
                                           : QString(store::keys::kNoBankEntry));
        lines.setValue("BNKTRNLNK", banked
                                        ? store::keys::journalBankEntryKey("030100", bank, ref, 1)
                                        : QString(store::keys::kNoBankEntry));
        lines.setValue("HASBNKACCT", banked ? 1 : 0);
        lines.setValue("BANKACCT", banked ? bank : QString());
        lines.post();

        const QString account = (income ? "Income:" : "Expenses:") + a.code;
        const QString money = (banked ? "Assets:Bank:" + bank : QString("Assets:Cash"));
        ledger << date.toString("yyyy/MM/dd") << " Entry " << ref << "\n    " << account << "  "
               << (income ? "-" : "") << "$" << store::fmt::money(amount) << "\n    " << money
               << "\n\n";
    }
    tx.commit();
    ledger.flush();
}

// The returns filed: every two-monthly period from the book's first to the one before the
// benchmark's return, each finalised as the return window does.
constexpr int kTaxMonths = 2;
const QDate kFirstTaxPeriod(2021, 3, 1);
const QDate kLastStatement(2026, 2, 28);

bool fileReturns(store::Connection& c) {
    for (QDate start = kFirstTaxPeriod; start < kTaxFrom; start = start.addMonths(kTaxMonths)) {
        const tax::TaxPeriod period{start, tax::periodEnd(start, kTaxMonths)};
        if (!tax::finaliseNzReturn(c, 1, period, 0).ok()) return false;
    }
    return true;
}

// Every row to the last statement presented (as "Present" marks it; the book has no cheque
// rows), then the statement completed with the balance it shows.
bool reconcileRows(store::Connection& c) {
    for (const char* no : kBanks) {
        const QString link = store::keys::bankLink(1, "030100", no);
        store::Transaction tx(c);
        store::execute(c,
                       {"UPDATE QVBNKTR SET CONFIRMED = 1", "WHERE BANKLINK =:sBankLink",
                        "AND RECONCILED = 0 AND TRANDATE <=:dTo"},
                       {{"sBankLink", link}, {"dTo", kLastStatement}});
        tx.commit();
        store::Query q(c);
        q.setSql({"SELECT A.OPENBAL + COALESCE((SELECT SUM(T.AMOUNT) FROM QVBNKTR T",
                  "WHERE T.BANKLINK = A.BANKLINK AND T.CONFIRMED = 1), 0)",
                  "FROM QVBNKACT A WHERE A.BANKLINK =:sBankLink"});
        q.bind("sBankLink", link);
        q.open();
        const QString statement = store::fmt::money(store::fmt::roundTo(q.number(0), 2));
        if (banking::completeReconciliation(c, 1, "030100", no, statement, kTo) !=
            banking::ReconcileOutcome::Done)
            return false;
    }
    return true;
}

bool bookHasRows(store::Connection& c, const char* sql) {
    store::Query q(c);
    q.setSql(sql);
    q.open();
    return q.number(0) > 0;
}

// Files the returns and reconciles the rows of a book that has not had them yet, then gives
// the pages the partial indexes no longer need back to the file system.
bool keepInUse(store::Connection& c) {
    const bool filed = bookHasRows(c, "SELECT COUNT(*) FROM QVGST");
    const bool reconciled = bookHasRows(c, "SELECT COUNT(*) FROM QVBNKACT WHERE RECOK = 1");
    if (filed && reconciled) return true;
    std::printf("filing the returns and reconciling the rows of the sample book (once)\n");
    std::fflush(stdout);
    const auto start = Clock::now();
    if ((!filed && !fileReturns(c)) || (!reconciled && !reconcileRows(c))) return false;
    c.exec(QStringLiteral("PRAGMA incremental_vacuum"));
    figure("keep_book_in_use", msSince(start) / 1000.0, "s");
    return true;
}

// Best wall time of a few runs; the processor time of that run goes to *cpuMs, which tells a
// slow disk or a busy machine from slow code.
template <class F>
double bestOf(int runs, double* cpuMs, F&& f) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const std::clock_t cpu = std::clock();
        const auto start = Clock::now();
        f();
        const double wall = msSince(start);
        if (wall < best) {
            best = wall;
            *cpuMs = 1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC;
        }
    }
    return best;
}

// The cash transactions window opening on the book's 100,000 cash lines (one line in ten),
// through the NRV alias pointed at the book for the while.
int cashWindowOpening(const QString& folder) {
    ScratchConfig scratch;
    int code = 0;
    QFile aliases(store::paths::aliasFile());
    if (aliases.open(QIODevice::WriteOnly)) {
        aliases.write((QStringLiteral("[NRV]\nPath=") + folder + QLatin1Char('\n')).toUtf8());
        aliases.close();
        ui::MessageScript quiet;
        // The first window of the process also pays for the toolkit's first use of its fonts
        // and styles; the later ones show the window's own cost.
        std::vector<double> times;
        for (int run = 0; run < 4; ++run) {
            const auto t = Clock::now();
            TQVCashTranForm w;
            w.coyCode = 1;
            w.show();
            QApplication::processEvents();
            times.push_back(msSince(t));
            w.hide();
        }
        figure("cash_window_show_100k_lines", times.front(), "ms");
        figure("cash_window_show_100k_lines_again",
               *std::min_element(times.begin() + 1, times.end()), "ms");
        if (!quiet.texts().isEmpty()) code = 1;
    } else {
        code = 1;
    }
    return code;
}

// What the process used: CPU time, and why it waited (another process on the core, the disk).
struct Usage {
    double cpuMs = 0;
    long preempted = 0, waits = 0, diskReads = 0;
};

Usage usageNow() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return {ms(u.ru_utime) + ms(u.ru_stime), u.ru_nivcsw, u.ru_nvcsw, u.ru_inblock};
}

void usageFigures(const char* name, const Usage& from, double wallMs) {
    const Usage to = usageNow();
    const std::string n(name);
    figure(n.c_str(), wallMs, "ms");
    figure((n + "_cpu").c_str(), to.cpuMs - from.cpuMs, "ms");
    std::printf("%s: %ld times preempted, %ld waits, %ld blocks read\n", name,
                to.preempted - from.preempted, to.waits - from.waits,
                to.diskReads - from.diskReads);
}

// The detailed journal of the last year in the print preview, as a user meets it: the time
// until its first page is laid out and painted, then until the whole report is prepared (the
// preview's progress and "Cancel" shown meanwhile); then its preparation alone, without a
// window; and the chart of accounts of the book's 300 accounts.
void journalReports(store::Connection& c) {
    reports::JournalRequest r;
    r.fromGiven = true;
    r.from = kFrom;
    r.to = kTo;
    {
        ui::MessageScript quiet;
        const Usage before = usageNow();
        const auto start = Clock::now();
        reports::TReportPreviewForm preview;
        preview.prepareWhileShowing(std::make_unique<reports::TAllJournalEntriesReport>(c, r),
                                    QStringLiteral("Preparing the journal report..."));
        preview.show();
        // The first page is whole once the second has begun.
        while (preview.preparing() && preview.pageCount() < 2) QApplication::processEvents();
        preview.pageView()->viewport()->grab();
        usageFigures("detailed_journal_first_page", before, msSince(start));
        while (preview.preparing()) QApplication::processEvents();
        usageFigures("detailed_journal_whole_in_preview", before, msSince(start));
        std::printf("detailed journal: %d pages\n", preview.pageCount());
        preview.hide();
    }

    int lines = 0;
    const Usage before = usageNow();
    const auto start = Clock::now();
    {
        reports::TAllJournalEntriesReport report(c, r);
        report.runToEnd();
        lines = report.linesRead();
    }
    usageFigures("detailed_journal_prepare", before, msSince(start));
    std::printf("detailed journal: %d lines\n", lines);

    double cpu = 0;
    int accounts = 0;
    const double chart = bestOf(3, &cpu, [&] {
        const reports::ReportDocument d = reports::TAcctAudRptForm(c, 1).document();
        accounts = int(d.bandsOf(reports::BandKind::Detail).size());
    });
    figure("chart_of_accounts_prepare", chart, "ms");
    std::printf("chart of accounts: %d accounts\n", accounts);
}

// A monthly budget for the report year on every account, and its report category, written
// once.
void ensureBudgets(store::Connection& c) {
    store::Query has(c);
    has.setSql("SELECT COUNT(*) FROM QVBUDCNTR");
    has.open();
    if (has.number(0) > 0) return;
    store::Transaction tx(c);
    store::Table heads(c, "QVBudCntr.DBF");
    heads.open();
    store::Table periods(c, "QVAccBud.DBF");
    periods.open();
    for (const Account& a : chart()) {
        const QString link = store::keys::budgetLink(a.code, "0", 1);
        const QString full = store::keys::accountFullCode(1, 0, a.code);
        heads.insert();
        heads.setValue("BUDGCODE", a.code);
        heads.setValue("COYCODE", "1");
        heads.setValue("FULLCODE", full);
        heads.setValue("STATUS", "A");
        heads.setValue("TOTAMOUNT", 12 * 3000.0);
        heads.setValue("BUDGLINK", link);
        heads.post();
        for (const reports::DateRange& m : reports::reportMonths(kFrom, 12)) {
            periods.insert();
            periods.setValue("BUDGLINK", link);
            periods.setValue("FULLCODE", full);
            periods.setValue("PERIOD_BEG", m.from);
            periods.setValue("PERIOD_END", m.to);
            periods.setValue("BAMOUNT", 3000.0);
            periods.setValue("TAMOUNT", 3000.0);
            periods.post();
        }
        // The book's accounts carry no report category: income, expenses, one in five
        // expense accounts an overhead.
        const QString category = a.type == "INC" ? "I" : a.code.endsWith('5') ? "O" : "E";
        c.exec(QString("UPDATE QVACCDET SET BUDGLINK = '%1', HASBUDGET = 1, RPTCAT = '%2' "
                       "WHERE ACCTCODE = '%3'")
                   .arg(link, category, a.code));
    }
    tx.commit();
}

// Actuals against budget for February and March and the year to date: the figures, the run
// written and read back as the report, the work tables emptied.
double budgetComparison(store::Connection& c, double* cpu, double* balance) {
    return bestOf(3, cpu, [&] {
        reports::ComparisonSelection s;
        s.firstMonth = QDate(2026, 2, 1);
        s.months = 2;
        s.yearStart = kFrom;
        s.periodEnd = kTo;
        reports::ComparisonFigures figures(c, s);
        figures.runToEnd();
        const reports::ReportDocument doc = reports::comparisonReport(c, figures);
        reports::emptyWorkTables(c, reports::comparisonWorkTables());
        *balance = 0;
        if (!doc.bands.empty()) store::fmt::parseMoney(doc.bands.back().cells.value(7), balance);
    });
}

// "ReCalculate" and the amounts of one account's monthly budget on last year's actual
// figures, then its save; the save is rolled back so the book stays as written.
int budgetRecalculation(store::Connection& c) {
    const auto accounts = budgets::budgetAccountsOf(c, 1);
    if (accounts.empty()) return 1;
    const budgets::BudgetAccount account = accounts.front();
    double cpu = 0, total = 0;
    const double ms = bestOf(3, &cpu, [&] {
        store::Transaction undo(c);
        const auto stats = budgets::accountStatistics(
            c, account.fullCode, budgets::defaultStatisticsDates(kTo.addDays(1)));
        budgets::BudgetPlan plan =
            budgets::newBudgetPlan(account.acctCode, account.descr, kTo.addDays(1), true);
        plan.percent1 = QStringLiteral("10");
        const auto periods =
            budgets::planPeriods(plan, stats.monthlyAverage, [&](const QDate& f, const QDate& t) {
                return budgets::journalTotal(c, account.fullCode, f, t);
            });
        total = budgets::totalOf(periods);
        budgets::createBudget(c, account, plan, periods);
    });
    figure("budget_recalculate_actuals_monthly", ms, "ms");
    figure("budget_recalculate_actuals_monthly_cpu", cpu, "ms");
    std::printf("budget of %s on last year's actuals: %.2f\n", qPrintable(account.acctCode), total);
    return 0;
}

QString benchFolder(const QStringList& args) {
    return args.isEmpty() ? QDir::temp().filePath("quorvel-reports-bench") : args.first();
}

// The same journal as a ledger file, kept beside the book.
QString ledgerFileOf(const QString& folder) { return QDir(folder).filePath("journal.ledger"); }

// Writes the book into the folder unless it is there already; false for a folder holding
// another book.
bool ensureBook(store::Connection& c, const QString& folder, const QString& ledgerPath) {
    if (journalCount(c) == kLines && QFile::exists(ledgerPath)) return keepInUse(c);
    if (journalCount(c) != 0) {
        std::fprintf(stderr, "%s holds another book; give an empty folder\n", qPrintable(folder));
        return false;
    }
    std::printf("writing the sample book to %s (once)\n", qPrintable(folder));
    std::fflush(stdout);
    const auto start = Clock::now();
    writeBook(c, ledgerPath);
    figure("write_book", msSince(start) / 1000.0, "s");
    return keepInUse(c);
}

}  // namespace

int cashWindowBench(const QStringList& args) {
    const QString folder = benchFolder(args);
    if (!ensureBigBook(folder)) return 1;
    return cashWindowOpening(folder);
}

bool ensureBigBook(const QString& folder) {
    QDir().mkpath(folder);
    store::Connection c;
    c.connectToFolder(folder);
    return ensureBook(c, folder, ledgerFileOf(folder));
}  // closed, so that runs in other processes find the book written back and theirs alone

int journalBench(const QStringList& args) {
    const QString folder = benchFolder(args);
    if (!ensureBigBook(folder)) return 1;
    store::Connection c;
    c.connectToFolder(folder);
    journalReports(c);
    return 0;
}

int reportRunsBench(const QStringList& args) {
    const QString folder = benchFolder(args);
    if (!ensureBigBook(folder)) return 1;
    return reportRunFigures(folder, ledgerFileOf(folder));
}

int reportsBench(const QStringList& args) {
    const QString folder = benchFolder(args);
    if (!ensureBigBook(folder)) return 1;
    {
        store::Connection c;
        c.connectToFolder(folder);
        ensureBudgets(c);
    }
    if (const int code = reportRunFigures(folder, ledgerFileOf(folder))) return code;

    store::Connection c;
    c.connectToFolder(folder);
    double cpu = 0;
    journalReports(c);
    double ytdActual = 0;
    figure("ytd_budget_comparison_300_accounts", budgetComparison(c, &cpu, &ytdActual), "ms");
    figure("ytd_budget_comparison_300_accounts_cpu", cpu, "ms");
    std::printf("year-to-date actuals less expenses %.2f\n", ytdActual);
    if (const int code = taxReturnBench(c, kTaxFrom)) return code;
    if (const int code = taxAuditBench(c, kTaxFrom)) return code;
    if (const int code = budgetRecalculation(c)) return code;
    return cashWindowOpening(folder);
}

}  // namespace bench
