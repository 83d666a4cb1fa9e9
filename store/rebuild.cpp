#include "store/rebuild.h"

#include <sqlite3.h>

#include "store/catalogue.h"
#include "store/connection.h"
#include "store/error.h"
#include "store/exclusiveuse.h"
#include "store/schema.h"
#include "store/transaction.h"

namespace store {

const std::vector<IndexRebuildStep>& indexRebuildSteps() {
    static const std::vector<IndexRebuildStep> steps = [] {
        auto s = [](const char* file, const char* label, const char* failure) {
            return IndexRebuildStep{QString::fromLatin1(file), QString::fromLatin1(label),
                                    QString::fromLatin1(failure)};
        };
        return std::vector<IndexRebuildStep>{
            s("QVCoy.dbf", "Rebuilding Department table", "Unable to rebuild Department table!"),
            s("QVAccDet.dbf", "Rebuilding Cash account definitions",
              "Unable to rebuild Account definition table!"),
            s("QVBkHdr.dbf", "Rebuilding Bank names table.", "Unable to rebuild Bank Names table!"),
            s("QVBnkAct.dbf", "Rebuilding Bank Accounts table.",
              "Unable to rebuild Bank account table!"),
            s("QVBnkTr.dbf", "Rebuilding Bank Transactions table.",
              "Unable to rebuild Bank Transactions table!"),
            s("QVActTr.dbf", "Rebuilding cash transaction table.",
              "Unable to rebuild Cash transaction table!"),
            s("QVChHdr.dbf", "Rebuilding Cheques header table",
              "Unable to rebuild Cheques header table!"),
            s("QVChqDet.dbf", "Rebuilding Cheque details table.",
              "Unable to rebuild cheques detail table!"),
            s("QVBudCntr.dbf", "Rebuilding Budget Control table.",
              "Unable to rebuild Budget Control table!"),
            s("QVAccBud.dbf", "Rebuilding Budget details table.",
              "Unable to rebuild Budget details table!"),
            s("QVSupp.dbf", "Rebuilding Suppliers table.", "Unable to rebuild Suppliers table!"),
            s("QVRecTr.dbf", "Rebuilding recurring transactions table",
              "Unable to rebuild Recurring transactions table!"),
            s("Clients.dbf", "Rebuilding Clients table.", "Unable to rebuild Clients.dbf indexes!"),
            s("QVGst.dbf", "Rebuilding G.S.T. returns forms.",
              "Unable to rebuild G.S.T. returns form!"),
            s("QVRptHdr.dbf", "Rebuilding Report header table",
              "Unable to rebuild Report header table"),
            s("XTabAct1.dbf", "Rebuilding Actuals Report table.",
              "Unable to rebuild Actuals Report table"),
            s("XTab1Mth.dbf", "Rebuilding Cross-tab report table.",
              "Unable to rebuild Cross-tab report table!"),
            s("XTab2Mth.dbf", "Rebuilding Cross-tab report table.",
              "Unable to rebuild Cross-tab report table!"),
            s("QVHdrAct.dbf", "Rebuilding Actuals report form table.",
              "Unable to rebuild Actuals report form table!"),
        };
    }();
    return steps;
}

namespace {

const TableDef& tableNamed(const QString& file) {
    const TableDef* def = findTable(file);
    if (!def) throw StoreError(QStringLiteral("There is no table %1.").arg(file));
    return *def;
}

QString quotedName(const QString& name) { return QLatin1Char('"') + name + QLatin1Char('"'); }

}  // namespace

void rebuildTableIndexes(Connection& connection, const QString& file) {
    const TableDef& def = tableNamed(file);
    const ExclusiveTables exclusive(connection.path(), {def.sqlName()});
    for (const char* tag : def.allTags()) {
        if (!tagHasIndex(def, tag)) continue;  // served by another index or by none
        const QString field = QString::fromLatin1(tag);
        connection.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                            .arg(quotedName(def.sqlName() + QLatin1Char('_') + field),
                                 quotedName(def.sqlName()), quotedName(field)));
    }
    connection.exec(QStringLiteral("REINDEX %1").arg(quotedName(def.sqlName())));
    // The totals per account and month are made from the lines and rows: rebuilt with them.
    if (def.sqlName() == QLatin1String("QVActTr") || def.sqlName() == QLatin1String("QVBnkTr")) {
        Transaction refill(connection);
        refillTotals(connection.handle());
        refill.commit();
    }
}

QString integrityProblem(Connection& connection) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(connection.handle(), "PRAGMA integrity_check", -1, &stmt, nullptr) !=
        SQLITE_OK)
        connection.raise(QStringLiteral("Cannot check the data store"));
    QStringList problems;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        problems.append(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))));
    sqlite3_finalize(stmt);
    if (problems == QStringList{QStringLiteral("ok")}) return {};
    return problems.isEmpty() ? QStringLiteral("the check could not run")
                              : problems.join(QLatin1Char('\n'));
}

QStringList databaseRebuildFiles() {
    return {QStringLiteral("QVAccBud.dbf"),  QStringLiteral("QVAccDet.dbf"),
            QStringLiteral("QVActTr.dbf"),   QStringLiteral("QVBkHdr.dbf"),
            QStringLiteral("QVBnkAct.dbf"),  QStringLiteral("QVBnkTr.dbf"),
            QStringLiteral("QVBudCntr.dbf"), QStringLiteral("QVChHdr.dbf"),
            QStringLiteral("QVChqDet.dbf"),  QStringLiteral("QVCoy.dbf"),
            QStringLiteral("QVGst.dbf"),     QStringLiteral("QVRecTr.dbf"),
            QStringLiteral("QVRptHdr.dbf"),  QStringLiteral("QVSupp.dbf"),
            QStringLiteral("QVXTabCol.dbf"), QStringLiteral("QVXTabFm.dbf"),
            QStringLiteral("QVXTabHD.dbf"),  QStringLiteral("Clients.dbf"),
            QStringLiteral("XTab1mth.dbf"),  QStringLiteral("XTab2mth.dbf"),
            QStringLiteral("XTab3mth.dbf"),  QStringLiteral("XtabAct1.dbf")};
}

void requireExclusiveUse(Connection& connection, const QString& file) {
    const ExclusiveTables exclusive(connection.path(), {tableNamed(file).sqlName()});
}

void compactStore(Connection& connection) {
    if (otherProgramUses(connection.path())) throw StoreError(otherProgramText());
    const QString problem = integrityProblem(connection);
    if (!problem.isEmpty())
        throw StoreError(QStringLiteral("The data store is damaged: %1").arg(problem));
    connection.exec(QStringLiteral("VACUUM"));
    // Compacting may number the rows again; the bank blocks are made from row ids.
    Transaction refill(connection);
    refillBankBlocks(connection.handle());
    refill.commit();
}

}  // namespace store
