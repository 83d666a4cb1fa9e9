#include "store/schema.h"

#include <sqlite3.h>

#include <QSet>
#include <QStringList>
#include <vector>

#include "store/catalogue.h"
#include "store/connection.h"
#include "store/error.h"

namespace store {
namespace {

QString quoted(const QString& name) { return QLatin1Char('"') + name + QLatin1Char('"'); }

QString columnSql(const FieldDef& f) {
    const QString name = quoted(QLatin1String(f.name));
    switch (f.kind) {
        case FieldKind::Char:
        case FieldKind::Memo:
        case FieldKind::Date:  // empty date is ''
            return name + QStringLiteral(" TEXT NOT NULL DEFAULT ''");
        case FieldKind::Integer:
        case FieldKind::SmallInt:
            return name + QStringLiteral(" INTEGER NOT NULL DEFAULT 0");
        case FieldKind::Numeric:
            return name + (f.decimals > 0 ? QStringLiteral(" REAL NOT NULL DEFAULT 0")
                                          : QStringLiteral(" INTEGER NOT NULL DEFAULT 0"));
    }
    return name;
}

// Indexes beyond the tags, so that the reports' per-account sums over a million journal
// lines read the index alone.
struct CoveringIndex {
    const char* table;
    const char* name;
    QStringList columns;
    const char* where = nullptr;  // a partial index holds only the rows meeting this condition
};

// Queries that should take a partial index must test its condition as written here, with
// the values written out rather than bound: the engine matches the text.
const std::vector<CoveringIndex>& coveringIndexes() {
    static const std::vector<CoveringIndex> list = {
        // An account's AMOUNT by date: the control centre's months cut by its range. Other sums
        // by FULLCODE come from the totals per month, so the business and tax amounts stay out.
        {"QVActTr.DBF", "QVActTr_FULLCODE_AMOUNT", {"FULLCODE", "TRANDATE", "AMOUNT"}},
        // An account's lines in date order: the journal report, the last line of an account
        // the walk over the days did not meet. Their sums come from the totals per month.
        {"QVActTr.DBF", "QVActTr_ACCOUNT", {"COYCODE", "ACCTCODE", "TRANDATE"}},
        // A bank account's rows in date order (bank views, statements, the duplicate check of
        // an import, the days at the edges of a range).
        {"QVBnkTr.DBF", "QVBnkTr_COVER_BANKLINK", {"BANKLINK", "TRANDATE", "AMOUNT"}},
        // A range of days in date order: the reports walk back from a period's last date to
        // find each account's last line (reading the amount of that line alone), and read the
        // days at the ends of a range that the totals per month do not cover.
        {"QVActTr.DBF", "QVActTr_DATES", {"TRANDATE", "COYCODE", "ACCTCODE"}},
        // A company's payments by date (the payment list pages by (CHQDATE, rowid) through it).
        {"QVChHdr.DBF", "QVChHdr_COYDATE", {"COYCODE", "CHQDATE"}},
        // The same-amount check of a new bank entry: a few rows share an amount, and the check
        // reads the rest of what it compares from them.
        {"QVBnkTr.DBF", "QVBnkTr_SAME_AMOUNT", {"AMOUNT"}},
        // The unreconciled rows of an account in date order (reconciliation); reconciling
        // takes rows out, so the index stays small on reconciled books.
        {"QVBnkTr.DBF", "QVBnkTr_UNRECONCILED", {"BANKLINK", "TRANDATE"}, "\"RECONCILED\" = 0"},
        // The business amounts of the cash lines (lines of no bank entry, one in ten) up to or
        // from a date, for the reports' brought-forward and cash figures.
        {"QVActTr.DBF",
         "QVActTr_CASH_AMOUNTS",
         {"BNKLINKNO", "TRANDATE", "ACCTCODE", "COYCODE", "BUSAMT"},
         "\"BNKLINKNO\" = '0-0-0'"},
        // A company's cash lines in append order (cash windows): counting them, the last one
        // and a page at the end read this index alone.
        {"QVActTr.DBF",
         "QVActTr_CASH_LIST",
         {"COYCODE"},
         "\"BNKLINKNO\" = '0-0-0' AND \"REASON\" <> 'PAY'"},
        // The lines not yet in a filed tax return, in date order with what the return sums and
        // the tax audit lists: a period's return, its audit and its finalising read only that
        // period's lines. Filing takes lines out, so the index stays small on books whose
        // returns are filed. Tax queries name it (INDEXED BY) and test GSTCALC = 0 as written.
        {"QVActTr.DBF",
         "QVActTr_TAX_OPEN",
         {"TRANDATE", "COYCODE", "ACCTCODE", "HASGST", "ZERORATED", "BUSAMT", "GSTAMT", "DESC"},
         "\"GSTCALC\" = 0"},
        // Tags set on few rows, indexed where set (see sparseTags).
        {"QVActTr.DBF", "QVActTr_SPLITLINK_SET", {"SPLITLINK"}, "\"SPLITLINK\" <> ''"},
        {"QVBnkTr.DBF", "QVBnkTr_SOURCEACCT_SET", {"SOURCEACCT"}, "\"SOURCEACCT\" <> ''"},
    };
    return list;
}

// Tags that are empty on most rows: SPLITLINK only on private-share lines, SOURCEACCT only on
// the destination rows of transfers. Their index holds the rows where they are set (the
// covering index named with "_SET" above): their seeks are queries that state its condition
// as written there, and no table is opened in their order.
struct SparseTag {
    const char* table;
    const char* tag;
};

const std::vector<SparseTag>& sparseTags() {
    static const std::vector<SparseTag> list = {{"QVActTr", "SPLITLINK"},
                                                {"QVBnkTr", "SOURCEACCT"}};
    return list;
}

bool isSparseTag(const QString& table, const QString& tag) {
    for (const SparseTag& s : sparseTags())
        if (table == QLatin1String(s.table) && tag == QLatin1String(s.tag)) return true;
    return false;
}

// Tags of the two large tables that keep no index of their own: no query seeks or orders by
// them, or an index above starts with the same field and serves the seeks. Opening a table on
// one of them still works (the engine sorts). Each such index cost 9 to 20 MB a million lines.
struct UnindexedTag {
    const char* table;
    const char* tag;
};

const std::vector<UnindexedTag>& unindexedTags() {
    static const std::vector<UnindexedTag> list = {
        // Journal lines: never sought or ordered on.
        {"QVActTr", "BRANCH"},
        {"QVActTr", "CLIENTCODE"},
        {"QVActTr", "CLIJOBNO"},
        {"QVActTr", "SUPPCODE"},
        {"QVActTr", "LINKCODE"},
        {"QVActTr", "BANKACCT"},
        // Every line of a company shares it; QVActTr_ACCOUNT starts with it.
        {"QVActTr", "COYCODE"},
        // Sought only together with BNKLINKNO, which is indexed.
        {"QVActTr", "SRCHCODE"},
        // QVActTr_FULLCODE_AMOUNT and QVActTr_ACCOUNT (after COYCODE) start with these.
        {"QVActTr", "FULLCODE"},
        {"QVActTr", "ACCTCODE"},
        // An entry's lines are sought by BNKLINKNO, the same key less the company number.
        {"QVActTr", "BNKTRNLNK"},
        // Bank rows: never sought or ordered on; a company's rows are sought by BANKLINK.
        {"QVBnkTr", "BANKACCT"},
        {"QVBnkTr", "BANKCODE"},
        {"QVBnkTr", "BRANCH"},
        {"QVBnkTr", "COYCODE"},
        {"QVBnkTr", "DESTBANK"},
        {"QVBnkTr", "DETCODE"},
        {"QVBnkTr", "FULLLINK"},
        {"QVBnkTr", "LINKCODE"},
        {"QVBnkTr", "SOURCEBANK"},
    };
    return list;
}

// Indexes of earlier data versions that nothing reads any more; opening drops them.
const std::vector<const char*>& retiredIndexes() {
    static const std::vector<const char*> list = {
        "QVActTr_COVER_BNKLINKNO",   // all lines, for the cash lines' sums: QVActTr_CASH_AMOUNTS
        "QVActTr_CASH_LINES",        // nearly every line: QVActTr_CASH_LIST
        "QVBnkTr_COVER_AMOUNT",      // wider than the check needs: QVBnkTr_SAME_AMOUNT
        "QVBnkTr_COVER_RECONCILED",  // every row: QVBnkTr_UNRECONCILED
        "QVActTr_COVER_TRANDATE",    // tax by date, now in the totals: QVActTr_DATES
        "QVActTr_COVER_ACCTCODE",    // sums by account, now in the totals: QVActTr_ACCOUNT
        "QVActTr_COVER_FULLCODE",    // sums by FULLCODE, now in the totals: QVActTr_FULLCODE_AMOUNT
        "QVActTr_DAYS",              // held every line's amount: QVActTr_DATES
        "QVBnkTr_AMOUNT",            // held every row's account: QVBnkTr_SAME_AMOUNT
    };
    return list;
}

QString tagIndexName(const TableDef& t, const char* tag) {
    return t.sqlName() + QLatin1Char('_') + QLatin1String(tag);
}

// The tables and indexes the store holds now, in lower case: the engine's names ignore case.
QSet<QString> storedObjects(sqlite3* db) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type IN ('table', 'index')",
                           -1, &stmt, nullptr) != SQLITE_OK)
        throw StoreError(QString::fromUtf8(sqlite3_errmsg(db)));
    QSet<QString> names;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        names.insert(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)))
                         .toLower());
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) throw StoreError(QString::fromUtf8(sqlite3_errmsg(db)));
    return names;
}

// The statements that make the catalogue's tables and indexes missing from the store, the
// covering indexes included, so a folder of an earlier version or one that lost a table is
// made whole on opening.
struct MissingPart {
    QString name;  // the table or index, for the message when it cannot be made
    QString sql;
};

std::vector<MissingPart> missingParts(const QSet<QString>& stored) {
    auto has = [&](const QString& name) { return stored.contains(name.toLower()); };
    std::vector<MissingPart> parts;
    for (const TableDef& t : catalogue()) {
        const QString table = t.sqlName();
        if (!has(table)) {
            QStringList columns;
            for (const FieldDef& f : t.fields) columns << columnSql(f);
            parts.push_back({QStringLiteral("the table ") + QLatin1String(t.file),
                             QStringLiteral("CREATE TABLE %1 (%2)")
                                 .arg(quoted(table), columns.join(QStringLiteral(", ")))});
        }
        for (const char* tag : t.allTags()) {
            const QString index = tagIndexName(t, tag);
            if (tagHasIndex(t, tag) && !has(index))
                parts.push_back(
                    {QStringLiteral("the index %1 of %2")
                         .arg(QLatin1String(tag), QLatin1String(t.file)),
                     QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                         .arg(quoted(index), quoted(table), quoted(QLatin1String(tag)))});
        }
    }
    for (const CoveringIndex& c : coveringIndexes()) {
        if (has(QLatin1String(c.name))) continue;
        const TableDef* t = findTable(QString::fromLatin1(c.table));
        QStringList cols;
        for (const QString& col : c.columns) {
            if (!t || !t->field(col))
                throw StoreError(QStringLiteral("Index %1 names an unknown field %2.")
                                     .arg(QLatin1String(c.name), col));
            cols << quoted(col);
        }
        parts.push_back(
            {QStringLiteral("the index %1 of %2")
                 .arg(QLatin1String(c.name), QLatin1String(t->file)),
             QStringLiteral("CREATE INDEX %1 ON %2 (%3)%4")
                 .arg(quoted(QLatin1String(c.name)), quoted(t->sqlName()), cols.join(", "),
                      c.where ? QStringLiteral(" WHERE ") + QLatin1String(c.where) : QString())});
    }
    return parts;
}

// --- Totals per account and month ---------------------------------------------------------
// The journal lines' sums per company, account, month and cash flag, and the bank rows' sums
// per bank account and month, in whole cents, so reports add up a few thousand rows instead of
// a million lines. Triggers keep them inside the transaction of whatever writes a line or a
// row: the bank entry, payments, cash, imports, edits, deletes and clearing old years all
// pass through them, and none can forget.

// One line's contribution to each column of its totals row, the line being `p` (NEW or OLD).
QStringList lineTotalsValues(const QString& p) {
    auto cents = [](const QString& x) {
        return QStringLiteral("CAST(ROUND(%1 * 100) AS INTEGER)").arg(x);
    };
    auto when = [&](const QString& test, const QString& field) {
        return QStringLiteral("CASE WHEN %1 THEN %2 ELSE 0 END").arg(test, cents(p + field));
    };
    return QStringList{cents(p + "AMOUNT"),
                       cents(p + "BUSAMT"),
                       cents(p + "GSTAMT"),
                       when(p + "AMOUNT <> 0", "BUSAMT"),
                       when(p + "AMOUNT <> 0", "GSTAMT"),
                       when(p + "BUSAMT <> 0", "GSTAMT"),
                       when(p + "TRANTYPE = 'I'", "GSTAMT"),
                       when(p + "TRANTYPE = 'E'", "GSTAMT")};
}

// Each value wrapped, as in "SUM(%1)" or "-(%1)".
QString wrapped(const QStringList& values, const char* wrap) {
    QStringList out;
    for (const QString& v : values) out << QString::fromLatin1(wrap).arg(v);
    return out.join(QStringLiteral(", "));
}

const char* const kLineTotalsKey = "COYCODE, ACCTCODE, FULLCODE, MONTH, CASHLINE";
const char* const kLineTotalsSums =
    "AMOUNT, BUSAMT, GSTAMT, BUSAMTNZ, GSTAMTNZ, GSTBUSNZ, GSTINC, GSTEXP";

QString lineTotalsKeyValues(const QString& p) {
    return QStringLiteral(
               "%1COYCODE, %1ACCTCODE, %1FULLCODE, SUBSTR(%1TRANDATE, 1, 7), "
               "%1BNKLINKNO = '0-0-0'")
        .arg(p);
}

// Adds (sign 1) or takes away (sign -1) the line `p` from its totals row.
QString lineTotalsUpsert(const QString& p, int sign) {
    QStringList sums = QString::fromLatin1(kLineTotalsSums).split(QStringLiteral(", "));
    QStringList set{QStringLiteral("LINES = LINES + excluded.LINES")};
    for (const QString& s : sums) set << QStringLiteral("%1 = %1 + excluded.%1").arg(s);
    const QString values = wrapped(lineTotalsValues(p), sign > 0 ? "%1" : "-(%1)");
    return QStringLiteral(
               "INSERT INTO \"QVActTot\" (%1, LINES, %2) VALUES (%3, %4, %5) "
               "ON CONFLICT (%1) DO UPDATE SET %6;")
        .arg(QLatin1String(kLineTotalsKey), QLatin1String(kLineTotalsSums), lineTotalsKeyValues(p),
             QString::number(sign), values, set.join(QStringLiteral(", ")));
}

QString bankTotalsUpsert(const QString& p, int sign) {
    return QStringLiteral(
               "INSERT INTO \"QVBnkTot\" (BANKLINK, MONTH, ROWS, AMOUNT) VALUES "
               "(%1BANKLINK, SUBSTR(%1TRANDATE, 1, 7), %2, %2 * CAST(ROUND(%1AMOUNT * "
               "100) AS INTEGER)) ON CONFLICT (BANKLINK, MONTH) DO UPDATE SET "
               "ROWS = ROWS + excluded.ROWS, AMOUNT = AMOUNT + excluded.AMOUNT;")
        .arg(p, QString::number(sign));
}

// The bank rows' sums per bank account and block of row ids, so that a grid of an account in
// append order finds a row's position and the sum of the rows after it by adding up a few
// blocks and reading one partial block, however long the account.
QString bankBlocksUpsert(const QString& p, int sign) {
    return QStringLiteral(
               "INSERT INTO \"QVBnkBlk\" (BANKLINK, BLOCK, ROWS, AMOUNT) VALUES "
               "(%1BANKLINK, %1rowid >> %3, %2, %2 * CAST(ROUND(%1AMOUNT * 100) AS INTEGER)) "
               "ON CONFLICT (BANKLINK, BLOCK) DO UPDATE SET "
               "ROWS = ROWS + excluded.ROWS, AMOUNT = AMOUNT + excluded.AMOUNT;")
        .arg(p, QString::number(sign), QString::number(kBankBlockBits));
}

struct TotalsPart {
    const char* name;
    QString sql;
};

std::vector<TotalsPart> totalsParts() {
    const QString lineCols = QStringLiteral(
        "COYCODE TEXT NOT NULL, ACCTCODE TEXT NOT NULL, FULLCODE TEXT NOT NULL, MONTH TEXT NOT "
        "NULL, CASHLINE INTEGER NOT NULL, LINES INTEGER NOT NULL, AMOUNT INTEGER NOT NULL, BUSAMT "
        "INTEGER NOT NULL, GSTAMT INTEGER NOT NULL, BUSAMTNZ INTEGER NOT NULL, GSTAMTNZ INTEGER "
        "NOT NULL, GSTBUSNZ INTEGER NOT NULL, GSTINC INTEGER NOT NULL, GSTEXP INTEGER NOT NULL");
    const QString lineWatched = QStringLiteral(
        "COYCODE, ACCTCODE, FULLCODE, TRANDATE, BNKLINKNO, AMOUNT, BUSAMT, GSTAMT, TRANTYPE");
    return {
        {"QVActTot",
         QStringLiteral("CREATE TABLE \"QVActTot\" (%1, PRIMARY KEY (%2)) WITHOUT ROWID")
             .arg(lineCols, QLatin1String(kLineTotalsKey))},
        {"QVActTot_FULLCODE",
         QStringLiteral("CREATE INDEX \"QVActTot_FULLCODE\" ON \"QVActTot\" (FULLCODE, MONTH)")},
        {"QVActTot_ADD", QStringLiteral("CREATE TRIGGER \"QVActTot_ADD\" AFTER INSERT ON "
                                        "\"QVActTr\" BEGIN %1 END")
                             .arg(lineTotalsUpsert(QStringLiteral("NEW."), 1))},
        {"QVActTot_TAKE", QStringLiteral("CREATE TRIGGER \"QVActTot_TAKE\" AFTER DELETE ON "
                                         "\"QVActTr\" BEGIN %1 END")
                              .arg(lineTotalsUpsert(QStringLiteral("OLD."), -1))},
        {"QVActTot_CHANGE", QStringLiteral("CREATE TRIGGER \"QVActTot_CHANGE\" AFTER UPDATE OF %1 "
                                           "ON \"QVActTr\" BEGIN %2 %3 END")
                                .arg(lineWatched, lineTotalsUpsert(QStringLiteral("OLD."), -1),
                                     lineTotalsUpsert(QStringLiteral("NEW."), 1))},
        {"QVBnkTot", QStringLiteral("CREATE TABLE \"QVBnkTot\" (BANKLINK TEXT NOT NULL, MONTH TEXT "
                                    "NOT NULL, ROWS INTEGER NOT NULL, AMOUNT INTEGER NOT NULL, "
                                    "PRIMARY KEY (BANKLINK, MONTH)) WITHOUT ROWID")},
        {"QVBnkTot_ADD", QStringLiteral("CREATE TRIGGER \"QVBnkTot_ADD\" AFTER INSERT ON "
                                        "\"QVBnkTr\" BEGIN %1 END")
                             .arg(bankTotalsUpsert(QStringLiteral("NEW."), 1))},
        {"QVBnkTot_TAKE", QStringLiteral("CREATE TRIGGER \"QVBnkTot_TAKE\" AFTER DELETE ON "
                                         "\"QVBnkTr\" BEGIN %1 END")
                              .arg(bankTotalsUpsert(QStringLiteral("OLD."), -1))},
        {"QVBnkTot_CHANGE",
         QStringLiteral("CREATE TRIGGER \"QVBnkTot_CHANGE\" AFTER UPDATE OF BANKLINK, TRANDATE, "
                        "AMOUNT ON \"QVBnkTr\" BEGIN %1 %2 END")
             .arg(bankTotalsUpsert(QStringLiteral("OLD."), -1),
                  bankTotalsUpsert(QStringLiteral("NEW."), 1))},
        {"QVBnkBlk", QStringLiteral("CREATE TABLE \"QVBnkBlk\" (BANKLINK TEXT NOT NULL, BLOCK "
                                    "INTEGER NOT NULL, ROWS INTEGER NOT NULL, AMOUNT INTEGER NOT "
                                    "NULL, PRIMARY KEY (BANKLINK, BLOCK)) WITHOUT ROWID")},
        {"QVBnkBlk_ADD", QStringLiteral("CREATE TRIGGER \"QVBnkBlk_ADD\" AFTER INSERT ON "
                                        "\"QVBnkTr\" BEGIN %1 END")
                             .arg(bankBlocksUpsert(QStringLiteral("NEW."), 1))},
        {"QVBnkBlk_TAKE", QStringLiteral("CREATE TRIGGER \"QVBnkBlk_TAKE\" AFTER DELETE ON "
                                         "\"QVBnkTr\" BEGIN %1 END")
                              .arg(bankBlocksUpsert(QStringLiteral("OLD."), -1))},
        {"QVBnkBlk_CHANGE",
         QStringLiteral("CREATE TRIGGER \"QVBnkBlk_CHANGE\" AFTER UPDATE OF BANKLINK, AMOUNT ON "
                        "\"QVBnkTr\" BEGIN %1 %2 END")
             .arg(bankBlocksUpsert(QStringLiteral("OLD."), -1),
                  bankBlocksUpsert(QStringLiteral("NEW."), 1))},
    };
}

bool totalsWhole(sqlite3* db) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master", -1, &stmt, nullptr) != SQLITE_OK)
        throw StoreError(QString::fromUtf8(sqlite3_errmsg(db)));
    QSet<QString> names;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        names.insert(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)))
                         .toLower());
    sqlite3_finalize(stmt);
    for (const TotalsPart& part : totalsParts())
        if (!names.contains(QString::fromLatin1(part.name).toLower())) return false;
    return true;
}

// Makes the totals tables and their triggers again and fills them from the lines and rows.
void makeTotals(sqlite3* db) {
    for (const char* old :
         {"QVActTot_ADD", "QVActTot_TAKE", "QVActTot_CHANGE", "QVBnkTot_ADD", "QVBnkTot_TAKE",
          "QVBnkTot_CHANGE", "QVBnkBlk_ADD", "QVBnkBlk_TAKE", "QVBnkBlk_CHANGE"})
        execSql(db, QStringLiteral("DROP TRIGGER IF EXISTS \"%1\"").arg(QLatin1String(old)));
    execSql(db, "DROP TABLE IF EXISTS \"QVActTot\"");
    execSql(db, "DROP TABLE IF EXISTS \"QVBnkTot\"");
    execSql(db, "DROP TABLE IF EXISTS \"QVBnkBlk\"");
    for (const TotalsPart& part : totalsParts()) execSql(db, part.sql);
    refillTotals(db);
}

// The indexes the store holds that the catalogue no longer wants: retired ones and those of
// tags now kept without an index. Dropping them first lets the new indexes reuse their pages.
QStringList staleIndexes(const QSet<QString>& stored) {
    QStringList names;
    for (const char* name : retiredIndexes()) names << QLatin1String(name);
    for (const UnindexedTag& u : unindexedTags())
        names << QLatin1String(u.table) + QLatin1Char('_') + QLatin1String(u.tag);
    for (const SparseTag& s : sparseTags())
        names << QLatin1String(s.table) + QLatin1Char('_') + QLatin1String(s.tag);
    QStringList present;
    for (const QString& name : names)
        if (stored.contains(name.toLower())) present << name;
    return present;
}

int userVersion(sqlite3* db) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &stmt, nullptr) != SQLITE_OK)
        throw StoreError(QString::fromUtf8(sqlite3_errmsg(db)));
    int version = 0;
    if (sqlite3_step(stmt) == SQLITE_ROW) version = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    return version;
}

bool schemaCurrent(sqlite3* db) {
    if (userVersion(db) != kSchemaVersion) return false;
    const QSet<QString> stored = storedObjects(db);
    return missingParts(stored).empty() && staleIndexes(stored).isEmpty() && totalsWhole(db);
}

}  // namespace

QString lineSumsOfLinesSql() {
    return QStringLiteral("COUNT(*), ") + wrapped(lineTotalsValues(QString()), "SUM(%1)");
}

QString lineSumsOfTotalsSql() {
    return QStringLiteral("SUM(LINES), ") +
           wrapped(QString::fromLatin1(kLineTotalsSums).split(QStringLiteral(", ")), "SUM(%1)");
}

QString lineTotalsOfLinesSql() {
    return QStringLiteral("SELECT %1, %2 FROM \"QVActTr\" GROUP BY 1, 2, 3, 4, 5")
        .arg(lineTotalsKeyValues(QString()), lineSumsOfLinesSql());
}

QString bankTotalsOfRowsSql() {
    return QStringLiteral(
        "SELECT BANKLINK, SUBSTR(TRANDATE, 1, 7), COUNT(*), "
        "SUM(CAST(ROUND(AMOUNT * 100) AS INTEGER)) FROM \"QVBnkTr\" GROUP BY 1, 2");
}

QString bankBlocksOfRowsSql() {
    return QStringLiteral(
               "SELECT BANKLINK, rowid >> %1, COUNT(*), "
               "SUM(CAST(ROUND(AMOUNT * 100) AS INTEGER)) FROM \"QVBnkTr\" GROUP BY 1, 2")
        .arg(kBankBlockBits);
}

void refillBankBlocks(sqlite3* db) {
    execSql(db, "DELETE FROM \"QVBnkBlk\"");
    execSql(db, QStringLiteral("INSERT INTO \"QVBnkBlk\" (BANKLINK, BLOCK, ROWS, AMOUNT) %1")
                    .arg(bankBlocksOfRowsSql()));
}

void refillTotals(sqlite3* db) {
    execSql(db, "DELETE FROM \"QVActTot\"");
    execSql(db, QStringLiteral("INSERT INTO \"QVActTot\" (%1, LINES, %2) %3")
                    .arg(QLatin1String(kLineTotalsKey), QLatin1String(kLineTotalsSums),
                         lineTotalsOfLinesSql()));
    execSql(db, "DELETE FROM \"QVBnkTot\"");
    execSql(db, QStringLiteral("INSERT INTO \"QVBnkTot\" (BANKLINK, MONTH, ROWS, AMOUNT) %1")
                    .arg(bankTotalsOfRowsSql()));
    refillBankBlocks(db);
}

void refillTotals(Connection& connection) { refillTotals(connection.handle()); }

bool tagHasIndex(const TableDef& table, const char* tag) {
    const QString name = table.sqlName();
    if (isSparseTag(name, QLatin1String(tag))) return false;
    for (const UnindexedTag& u : unindexedTags())
        if (name == QLatin1String(u.table) && qstrcmp(tag, u.tag) == 0) return false;
    return true;
}

void ensureSchema(sqlite3* db) {
    if (schemaCurrent(db)) return;
    // A second program starting on the same folder waits here instead of creating twice.
    execSql(db, "BEGIN IMMEDIATE");
    try {
        const int version = userVersion(db);
        if (version > kSchemaVersion)
            throw StoreError(QStringLiteral("The data folder was written by a later release of "
                                            "Quorvel (data version %1) and cannot be opened.")
                                 .arg(version));
        const QSet<QString> stored = storedObjects(db);
        const QStringList stale = staleIndexes(stored);
        for (const QString& index : stale)
            execSql(db, QStringLiteral("DROP INDEX %1").arg(quoted(index)));
        for (const MissingPart& part : missingParts(stored)) {
            try {
                execSql(db, part.sql);
            } catch (const StoreError& e) {
                throw StoreError(QStringLiteral("The data folder lacks %1, which cannot be made "
                                                "again: %2")
                                     .arg(part.name, e.text()));
            }
        }
        // A new folder, or one that lost its control table, starts with the first company's
        // record never filled in, which brings up the set-up wizard.
        if (!stored.contains(QStringLiteral("qvcntrl")))
            execSql(db, "INSERT INTO \"QVCntrl\" (\"COYCODE\", \"BUSNAME\") VALUES (1, 'Name')");
        // A folder from before the totals, or one that lost a part of them, gets them made
        // and filled from its lines in this same transaction.
        if (!totalsWhole(db)) makeTotals(db);
        // The pages of the indexes dropped above go back to the system now, not at the next
        // rebuild: on a large book they are a third of the file.
        if (!stale.isEmpty()) execSql(db, "PRAGMA incremental_vacuum");
        execSql(db, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
        execSql(db, "COMMIT");
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

}  // namespace store
