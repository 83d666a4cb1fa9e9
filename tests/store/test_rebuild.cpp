// The index rebuild makes a lost index again and checks the store; the rebuilds refuse tables
// that a window has open, and the database rebuild leaves the book as it was, only smaller.
#include <QFileInfo>

#include "store/backup_fixture.h"
#include "store/error.h"
#include "store/exclusiveuse.h"
#include "store/rebuild.h"
#include "store/table.h"

namespace {

using namespace backup_test;

qint64 indexCount(store::Connection& c, const char* name) {
    return tableRows(c.path(), "sqlite_master").filter(QLatin1String(name)).size();
}

TEST(Rebuild, AnIndexThatWentMissingIsMadeAgainAndTheStoreChecked) {
    TempDataFolder folder;
    store::Connection& c = folder.connection;
    c.exec("DROP INDEX QVBkHdr_BANKCODE");
    ASSERT_EQ(indexCount(c, "QVBkHdr_BANKCODE"), 0);
    for (const store::IndexRebuildStep& step : store::indexRebuildSteps())
        store::rebuildTableIndexes(c, step.file);
    EXPECT_EQ(indexCount(c, "QVBkHdr_BANKCODE"), 1);
    EXPECT_EQ(store::integrityProblem(c), "");
    EXPECT_EQ(store::indexRebuildSteps().size(), 19u);
}

TEST(Rebuild, ATableOpenInAWindowStopsBothRebuilds) {
    TempDataFolder folder;
    store::Connection& c = folder.connection;
    store::Table banks(c, "QVBkHdr.DBF");
    banks.open();
    EXPECT_THROW(store::rebuildTableIndexes(c, "QVBkHdr.dbf"), store::StoreError);
    EXPECT_THROW(store::requireExclusiveUse(c, "QVBkHdr.dbf"), store::StoreError);
    EXPECT_NO_THROW(store::rebuildTableIndexes(c, "QVCoy.dbf"));
}

TEST(Rebuild, CompactingKeepsEveryRowAndGivesSpaceBack) {
    TempDataFolder folder;
    makeBook(folder, 300);
    folder.connection.exec("DELETE FROM QVActTr WHERE TRANDATE < '2025-01-01'");
    folder.connection.exec("PRAGMA wal_checkpoint(TRUNCATE)");
    const auto before = wholeBook(folder.path());
    const qint64 size = QFileInfo(QDir(folder.path()).filePath("quorvel.db")).size();
    store::compactStore(folder.connection);
    folder.connection.exec("PRAGMA wal_checkpoint(TRUNCATE)");
    expectSameBook(before, folder.path());
    EXPECT_LT(QFileInfo(QDir(folder.path()).filePath("quorvel.db")).size(), size);
}

}  // namespace
