#include "store/schema.h"

#include "store/catalogue.h"
#include "store/connection.h"
#include "store/error.h"

#include <QStringList>
#include <sqlite3.h>

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
};

const std::vector<CoveringIndex>& coveringIndexes() {
    static const std::vector<CoveringIndex> list = {
        {"QVActTr.DBF", "QVActTr_COVER_FULLCODE",
         {"FULLCODE", "TRANDATE", "AMOUNT", "BUSAMT", "GSTAMT"}},
        {"QVActTr.DBF", "QVActTr_COVER_ACCTCODE",
         {"COYCODE", "ACCTCODE", "TRANDATE", "BUSAMT", "GSTAMT", "AMOUNT"}},
        {"QVBnkTr.DBF", "QVBnkTr_COVER_BANKLINK", {"BANKLINK", "TRANDATE", "AMOUNT"}},
        // Added in data version 2: the tax totals of a period, the cash journal's totals and
        // the same-amount check of a new bank entry.
        {"QVActTr.DBF", "QVActTr_COVER_TRANDATE",
         {"TRANDATE", "COYCODE", "TRANTYPE", "GSTAMT", "BUSAMT"}},
        {"QVActTr.DBF", "QVActTr_COVER_BNKLINKNO",
         {"BNKLINKNO", "TRANDATE", "ACCTCODE", "COYCODE", "BUSAMT", "GSTAMT"}},
        {"QVBnkTr.DBF", "QVBnkTr_COVER_AMOUNT", {"AMOUNT", "BANKACCT", "COYCODE", "TRANTYPE"}},
    };
    return list;
}

void createTable(sqlite3* db, const TableDef& t) {
    QStringList columns;
    for (const FieldDef& f : t.fields) columns << columnSql(f);
    const QString table = t.sqlName();
    execSql(db, QStringLiteral("CREATE TABLE %1 (%2)")
                    .arg(quoted(table), columns.join(QStringLiteral(", "))));
    for (const char* tag : t.allTags()) {
        const QString index = table + QLatin1Char('_') + QLatin1String(tag);
        execSql(db, QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                        .arg(quoted(index), quoted(table), quoted(QLatin1String(tag))));
    }
}

// Covering indexes are created when missing, so a data folder of an earlier version gets those
// added since.
void createCoveringIndexes(sqlite3* db) {
    for (const CoveringIndex& c : coveringIndexes()) {
        const TableDef* t = findTable(QString::fromLatin1(c.table));
        QStringList cols;
        for (const QString& col : c.columns) {
            if (!t || !t->field(col))
                throw StoreError(QStringLiteral("Index %1 names an unknown field %2.")
                                     .arg(QLatin1String(c.name), col));
            cols << quoted(col);
        }
        execSql(db, QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                        .arg(quoted(QLatin1String(c.name)), quoted(t->sqlName()), cols.join(", ")));
    }
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

}  // namespace

void ensureSchema(sqlite3* db) {
    if (userVersion(db) == kSchemaVersion) return;
    // A second program starting on the same new folder waits here instead of creating twice.
    execSql(db, "BEGIN IMMEDIATE");
    try {
        const int version = userVersion(db);
        if (version > kSchemaVersion)
            throw StoreError(QStringLiteral("The data folder was written by a later release of "
                                            "Quorvel (data version %1) and cannot be opened.")
                                 .arg(version));
        if (version == 0) {
            for (const TableDef& t : catalogue()) createTable(db, t);
            execSql(db, "INSERT INTO \"QVCntrl\" (\"COYCODE\", \"BUSNAME\") VALUES (1, 'Name')");
        }
        createCoveringIndexes(db);
        execSql(db, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
        execSql(db, "COMMIT");
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

}  // namespace store
