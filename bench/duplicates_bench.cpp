// Finding the statement lines the books already hold, on an account of `rows` bank rows over
// three years of which every other one came from an imported line with a FITID: this month's
// statement of a thousand lines loaded again, and the whole three years loaded again.
#include <QTemporaryDir>
#include <algorithm>

#include "banking/sample_company.h"
#include "bench.h"
#include "exchange/statement_duplicates.h"
#include "store/error.h"
#include "store/keys.h"
#include "store/table.h"
#include "store/transaction.h"

namespace bench {

namespace {

const QString kDupBank = QStringLiteral("030100");
const QString kDupAcct = QStringLiteral("0300000-00");
const QDate kDupToday(2026, 3, 31);

// Row i of the account as its statement gave it.
exchange::StatementLine bookedStatementLine(int i, int rows) {
    exchange::StatementLine l;
    l.cents = -(100 + (qint64(i) * 7919) % 250000);
    l.date = kDupToday.addYears(-3).addDays(qint64(i) * 1095 / rows);
    l.narrative = QStringLiteral("EFTPOS PURCHASE %1").arg(i % 997);
    if (i % 2 == 0) l.fitid = QStringLiteral("2023%1").arg(i, 10, 10, QLatin1Char('0'));
    return l;
}

void writeDupBankRow(store::Table& t, int i, const exchange::StatementLine& l) {
    t.insert();
    t.setValue(QStringLiteral("COYCODE"), 1);
    t.setValue(QStringLiteral("BANKCODE"), kDupBank);
    t.setValue(QStringLiteral("BANKACCT"), kDupAcct);
    t.setValue(QStringLiteral("BANKLINK"), store::keys::bankLink(1, kDupBank, kDupAcct));
    t.setValue(QStringLiteral("BNKTRNLNK"),
               store::keys::bankEntryKey(kDupBank, kDupAcct, QString::number(i + 1)));
    t.setValue(QStringLiteral("TRANNUM"), i + 1);
    t.setValue(QStringLiteral("TRANDATE"), l.date);
    t.setValue(QStringLiteral("TRANTYPE"), QStringLiteral("WD"));
    t.setValue(QStringLiteral("AMOUNT"), double(l.cents) / 100.0);
    t.setValue(QStringLiteral("REASON"), l.narrative);
    t.post();
}

void makeImportedAccount(store::Connection& c, int rows) {
    banking::sample::makeDemoCompany(c, kDupToday);
    banking::sample::addBankAccount(
        c, 1, QStringLiteral("HSC"),
        {kDupBank, kDupAcct, "Card account", false, 0, true, 1000.0, 0.0, kDupToday.addYears(-3)});
    store::execSql(c.handle(), "PRAGMA synchronous = OFF");
    store::Transaction tx(c);
    store::Table t(c, QStringLiteral("QVBnkTr.DBF"));
    t.open();
    // The imported lines written straight, as recordImportedLine writes each.
    store::Table imported(c, QStringLiteral("QVStmtLn.DBF"));
    imported.open();
    for (int i = 0; i < rows; ++i) {
        const exchange::StatementLine l = bookedStatementLine(i, rows);
        writeDupBankRow(t, i, l);
        if (i % 2 != 0) continue;
        imported.insert();
        imported.setValue(QStringLiteral("COYCODE"), 1);
        imported.setValue(QStringLiteral("BANKLINK"),
                          store::keys::bankRowLink(1, kDupBank, kDupAcct));
        imported.setValue(QStringLiteral("BNKTRNLNK"),
                          store::keys::bankEntryKey(kDupBank, kDupAcct, QString::number(i + 1)));
        imported.setValue(QStringLiteral("FITID"), l.fitid);
        imported.setValue(QStringLiteral("TRANDATE"), l.date);
        imported.setValue(QStringLiteral("CENTS"), l.cents);
        imported.setValue(QStringLiteral("NARRATIVE"), l.narrative);
        imported.post();
    }
    tx.commit();
}

// The time to mark lines [from, rows) loaded again; every one must be found.
bool timeLinesInBooks(store::Connection& c, const char* name, int from, int rows) {
    std::vector<std::optional<exchange::StatementLine>> lines;
    for (int i = from; i < rows; ++i) lines.push_back(bookedStatementLine(i, rows));
    const auto t = Clock::now();
    const std::vector<bool> found = exchange::linesInBooks(c, 1, kDupBank, kDupAcct, lines);
    figure(name, msSince(t), "ms");
    return std::all_of(found.begin(), found.end(), [](bool b) { return b; });
}

}  // namespace

int duplicatesBench(int rows) {
    QTemporaryDir home;
    int code = 0;
    try {
        store::Connection c;
        c.connectToFolder(home.path() + QStringLiteral("/data"));
        const auto t = Clock::now();
        makeImportedAccount(c, rows);
        std::fprintf(stderr, "made %d rows in %.1f s\n", rows, msSince(t) / 1000.0);
        if (!timeLinesInBooks(c, "statement_duplicates_last_1000_lines", rows - 1000, rows))
            code = 1;
        if (!timeLinesInBooks(c, "statement_duplicates_every_line", 0, rows)) code = 1;
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        code = 1;
    }
    return code;
}

}  // namespace bench
