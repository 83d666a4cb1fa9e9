// The table objects as the windows use them: what is stored, how it is found and in what order.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "store/error.h"
#include "store/query.h"
#include "store/rebuild.h"
#include "store/table.h"
#include "store/transaction.h"
#include "support/temp_folder.h"

using store::EditState;
using store::OpenMode;
using store::Table;

namespace {

void addDepartment(Table& t, int coy, int branch, const QString& code, const QString& name = {}) {
    t.insert();
    t.setValue("COYCODE", coy);
    t.setValue("BRANCH", branch);
    t.setValue("DEPTCODE", code);
    t.setValue("BUSNAME", name);
    t.post();
}

}  // namespace

TEST(NewDataFolder, HoldsEveryTableAndTheUnfilledControlRecord) {
    TempDataFolder folder;
    for (const store::TableDef& def : store::catalogue()) {
        Table t(folder.connection, QString::fromLatin1(def.file));
        EXPECT_NO_THROW(t.open()) << def.file;
    }
    Table control(folder.connection, "qvcntrl.dbf");  // case does not matter
    control.setIndexName("COYCODE");
    control.open();
    ASSERT_FALSE(control.isEmpty());
    EXPECT_EQ(control.integer("COYCODE"), 1);
    EXPECT_EQ(control.text("BUSNAME"), "Name");
    EXPECT_EQ(control.text("GSTNUMBER"), "");
    EXPECT_EQ(control.integer("GSTENABLED"), 0);
    EXPECT_EQ(control.recordCount(), 1);
}

TEST(NewDataFolder, ReconnectingKeepsDataAndAddsNoSecondControlRecord) {
    QTemporaryDir dir;
    {
        store::Connection c;
        c.connectToFolder(dir.path());
        Table t(c, "QVCntrl.DBF");
        t.open();
        t.edit();
        t.setValue("BUSNAME", "Harbour Cafe");
        t.post();
    }
    store::Connection c;
    c.connectToFolder(dir.path());
    Table t(c, "QVCntrl.DBF");
    t.open();
    EXPECT_EQ(t.recordCount(), 1);
    EXPECT_EQ(t.text("BUSNAME"), "Harbour Cafe");
    EXPECT_TRUE(c.path().endsWith('/'));
}

TEST(CharacterFields, TrailingBlanksGoLeadingAndInnerBlanksStayLongTextIsCut) {
    TempDataFolder folder;
    Table t(folder.connection, "QVCoy.DBF");
    t.open();
    addDepartment(t, 1, 1, "  SALES  ", "North  Shore   Branch   ");
    EXPECT_EQ(t.text("DEPTCODE"), "  SALES");
    EXPECT_EQ(t.text("BUSNAME"), "North  Shore   Branch");
    t.edit();
    t.setValue("DEPTCODE", "ABCDEFGHIJKLMNOP");  // width 10
    t.post();
    EXPECT_EQ(t.text("DEPTCODE"), "ABCDEFGHIJ");
    t.edit();
    t.setValue("DEPTCODE", "ABCDEFGHI   XYZ");  // cut at 10 leaves trailing blanks, which go
    t.post();
    EXPECT_EQ(t.text("DEPTCODE"), "ABCDEFGHI");
}

TEST(CharacterFields, CuttingAtTheWidthNeverSplitsACharacter) {
    TempDataFolder folder;
    Table rows(folder.connection, "QVBnkTr.DBF");
    rows.open();
    const QString smile = QString::fromUtf8("\U0001F600");
    struct Case {
        QString narrative;  // REASON holds 200
        QString stored;
    };
    const QString accent = QString::fromUtf8("e\u0301");
    for (const Case& c : {Case{QString(198, 'a') + smile, QString(198, 'a') + smile},
                          Case{QString(199, 'a') + smile, QString(199, 'a')},
                          Case{QString(199, 'a') + accent, QString(199, 'a')}}) {
        rows.insert();
        rows.setValue("REASON", c.narrative);
        rows.post();
        store::Query q(folder.connection);
        q.setSql("SELECT REASON FROM QVBnkTr WHERE rowid = :id");
        q.bind("id", rows.rowId());
        q.open();
        EXPECT_EQ(q.text("REASON"), c.stored);
        EXPECT_FALSE(q.text("REASON").contains(QLatin1Char('?')));
    }
}

TEST(NumericFields, DecimalsRoundHalfAwayFromZeroAndBadNumbersAreRefused) {
    TempDataFolder folder;
    Table t(folder.connection, "QVCntrl.DBF");
    t.open();
    struct Case {
        double typed;
        double stored;
    };
    for (Case c : {Case{2.675, 2.68}, Case{1.005, 1.01}, Case{-2.675, -2.68}, Case{12.5, 12.5},
                   Case{0.004, 0.0}, Case{-0.004, 0.0}}) {
        t.edit();
        t.setValue("GSTPERCENT", c.typed);
        t.post();
        EXPECT_DOUBLE_EQ(t.number("GSTPERCENT"), c.stored) << c.typed;
    }
    t.edit();
    EXPECT_THROW(t.setValue("GSTPERCENT", "fifteen"), store::StoreError);
    EXPECT_THROW(t.setValue("GSTENABLED", "x"), store::StoreError);
    t.setValue("GSTPERCENT", " 15 ");
    t.post();
    EXPECT_DOUBLE_EQ(t.number("GSTPERCENT"), 15.0);
}

TEST(DateFields, StoredWithoutTimeAndEmptyReadsInvalid) {
    TempDataFolder folder;
    Table t(folder.connection, "QVBnkTr.DBF");
    t.open();
    t.insert();
    t.setValue("TRANDATE", QDate(2026, 4, 1));
    t.post();
    EXPECT_EQ(t.date("TRANDATE"), QDate(2026, 4, 1));
    t.insert();
    t.post();
    EXPECT_FALSE(t.date("TRANDATE").isValid());
    store::Query q(folder.connection);
    q.setSql("SELECT COUNT(*) FROM QVBnkTr WHERE TRANDATE BETWEEN :a AND :b");
    q.bind("a", QDate(2026, 1, 1));
    q.bind("b", QDate(2026, 12, 31));
    q.open();
    EXPECT_EQ(q.value(0).toInt(), 1);
}

TEST(Navigation, EqualTagValuesComeInAppendOrderBothWays) {
    TempDataFolder folder;
    Table t(folder.connection, "QVCoy.DBF");
    t.setIndexName("COYCODE");
    t.open();
    EXPECT_TRUE(t.isEmpty());
    EXPECT_TRUE(t.bof() && t.eof());
    addDepartment(t, 2, 1, "B1");
    addDepartment(t, 1, 1, "A1");
    addDepartment(t, 2, 2, "B2");
    addDepartment(t, 1, 2, "A2");
    addDepartment(t, 2, 3, "B3");
    QStringList forward;
    for (t.first(); !t.eof(); t.next()) forward << t.text("DEPTCODE");
    EXPECT_EQ(forward, QStringList({"A1", "A2", "B1", "B2", "B3"}));
    QStringList backward;
    for (t.last(); !t.bof(); t.prior()) backward << t.text("DEPTCODE");
    EXPECT_EQ(backward, QStringList({"B3", "B2", "B1", "A2", "A1"}));
    // The last department of company 2 is the last appended one.
    t.setMasterRange("COYCODE", 2);
    t.last();
    EXPECT_EQ(t.text("DEPTCODE"), "B3");
    EXPECT_EQ(t.recordCount(), 3);
    t.first();
    EXPECT_EQ(t.position(), 1);
    t.next();
    EXPECT_EQ(t.position(), 2);
}

TEST(Navigation, NextAtTheEndStaysOnTheLastRecordAndSetsEof) {
    TempDataFolder folder;
    Table t(folder.connection, "QVCoy.DBF");
    t.open();
    addDepartment(t, 1, 1, "ONLY");
    t.first();
    EXPECT_TRUE(t.bof());
    EXPECT_FALSE(t.eof());
    t.next();
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.text("DEPTCODE"), "ONLY");
    t.prior();
    EXPECT_TRUE(t.bof());
}

TEST(Seeking, ExactWholeValueOnTheCurrentTagAndLocateIsCaseSensitive) {
    TempDataFolder folder;
    Table t(folder.connection, "QVCoy.DBF");
    t.setIndexName("DEPTCODE");
    t.open();
    addDepartment(t, 1, 1, "SALES");
    addDepartment(t, 1, 2, "SALESNORTH");
    addDepartment(t, 1, 3, "Admin");
    EXPECT_TRUE(t.findKey("SALES"));
    EXPECT_EQ(t.integer("BRANCH"), 1);
    EXPECT_TRUE(t.findKey("SALES   "));  // the key is padded as the field is
    EXPECT_FALSE(t.findKey("SALE"));
    EXPECT_EQ(t.integer("BRANCH"), 1) << "a failed seek leaves the position alone";
    EXPECT_FALSE(t.locate("DEPTCODE", "admin"));
    EXPECT_TRUE(t.locate("DEPTCODE", "Admin"));
    EXPECT_EQ(t.integer("BRANCH"), 3);
    t.setIndexName("BRANCH");
    EXPECT_TRUE(t.findKey(2));
    EXPECT_EQ(t.text("DEPTCODE"), "SALESNORTH");
}

TEST(DeletedRecords, AreInvisibleToNavigationSeeksAndSql) {
    TempDataFolder folder;
    Table t(folder.connection, "QVCoy.DBF");
    t.setIndexName("BRANCH");
    t.open();
    addDepartment(t, 1, 1, "ONE");
    addDepartment(t, 1, 2, "TWO");
    addDepartment(t, 1, 3, "THREE");
    ASSERT_TRUE(t.findKey(2));
    t.remove();
    EXPECT_EQ(t.text("DEPTCODE"), "THREE") << "delete moves to the next record";
    EXPECT_FALSE(t.findKey(2));
    EXPECT_FALSE(t.locate("DEPTCODE", "TWO"));
    EXPECT_EQ(t.recordCount(), 2);
    store::Query q(folder.connection);
    q.setSql({"SELECT * FROM QVCOY", "WHERE DEPTCODE = :code"});
    q.bind("code", "TWO");
    q.open();
    EXPECT_TRUE(q.isEmpty());
    t.last();
    t.remove();
    EXPECT_EQ(t.text("DEPTCODE"), "ONE") << "deleting the last record moves back";
    t.remove();
    EXPECT_TRUE(t.isEmpty());
}

TEST(RecordImage, ChangesThroughAnotherTableObjectShowAfterMoving) {
    TempDataFolder folder;
    Table mine(folder.connection, "QVCoy.DBF");
    Table theirs(folder.connection, "QVCoy.DBF");
    mine.open();
    addDepartment(mine, 1, 1, "OLD");
    theirs.open();
    theirs.edit();
    theirs.setValue("DEPTCODE", "NEW");
    theirs.post();
    EXPECT_EQ(mine.text("DEPTCODE"), "OLD");
    mine.first();
    EXPECT_EQ(mine.text("DEPTCODE"), "NEW");
}

TEST(Editing, TwoEditorsOfOneRecordKeepEachOthersFields) {
    TempDataFolder folder;
    Table a(folder.connection, "QVCoy.DBF");
    Table b(folder.connection, "QVCoy.DBF");
    a.open();
    addDepartment(a, 1, 1, "CODE", "Name");
    b.open();
    a.edit();
    b.edit();
    a.setValue("DEPTCODE", "CHANGED");
    b.setValue("BUSNAME", "Renamed");
    a.post();
    b.post();
    EXPECT_EQ(b.text("DEPTCODE"), "CHANGED");
    EXPECT_EQ(b.text("BUSNAME"), "Renamed");
}

TEST(Editing, CancelReturnsToTheRecordAndLeavesNothingStored) {
    TempDataFolder folder;
    Table t(folder.connection, "QVCoy.DBF");
    t.open();
    addDepartment(t, 1, 1, "KEEP");
    t.insert();
    t.setValue("DEPTCODE", "DROP");
    t.cancel();
    EXPECT_EQ(t.text("DEPTCODE"), "KEEP");
    EXPECT_EQ(t.recordCount(), 1);
    t.edit();
    t.setValue("DEPTCODE", "TEMP");
    EXPECT_EQ(t.state(), EditState::Edit);
    t.cancel();
    EXPECT_EQ(t.text("DEPTCODE"), "KEEP");
    EXPECT_THROW(t.setValue("DEPTCODE", "X"), store::StoreError) << "not in edit mode";
}

TEST(Filters, RestrictNavigationAndCount) {
    TempDataFolder folder;
    Table t(folder.connection, "QVCoy.DBF");
    t.setIndexName("BRANCH");
    t.open();
    for (int i = 1; i <= 6; ++i) addDepartment(t, 1, i, i % 2 ? "ODD" : "EVEN");
    t.setFilter("DEPTCODE = :code AND BRANCH <> :skip", {{"code", "ODD"}, {"skip", 3}});
    EXPECT_EQ(t.recordCount(), 2);
    EXPECT_EQ(t.integer("BRANCH"), 1);
    t.next();
    EXPECT_EQ(t.integer("BRANCH"), 5);
    t.clearFilter();
    EXPECT_EQ(t.recordCount(), 6);
}

TEST(Queries, CompanyCodeBoundAsTextOrIntegerFindsCharacterAndNumericColumns) {
    TempDataFolder folder;
    Table accounts(folder.connection, "QVAccDet.DBF");
    accounts.open();
    accounts.insert();
    accounts.setValue("COYCODE", "1");
    accounts.setValue("ACCTCODE", "RENT");
    accounts.post();
    for (QVariant coy : {QVariant("1"), QVariant(1), QVariant("1  ")}) {
        store::Query q(folder.connection);
        q.setSql({"SELECT * FROM QVACCDET", "WHERE COYCODE =:iCoyCode", "ORDER BY ACCTCODE"});
        q.bind("iCoyCode", coy);
        q.open();
        ASSERT_FALSE(q.isEmpty()) << coy.toString().toStdString();
        EXPECT_EQ(q.text("ACCTCODE"), "RENT");
    }
    store::Query control(folder.connection);
    control.setSql("SELECT BUSNAME FROM QVCNTRL WHERE COYCODE = :iCoyCode");
    control.bind("iCoyCode", "1");
    control.open();
    ASSERT_FALSE(control.isEmpty());
    EXPECT_EQ(control.text("BUSNAME"), "Name");
}

TEST(Queries, AParameterNameTheStatementDoesNotUseIsAnError) {
    TempDataFolder folder;
    store::Query q(folder.connection);
    q.setSql("SELECT COUNT(*) FROM QVCoy WHERE COYCODE = :iCoyCode");
    q.bind("iCoyCod", 1);  // misspelt
    EXPECT_THROW(q.open(), store::StoreError);
    Table t(folder.connection, "QVCoy.DBF");
    t.setFilter("BRANCH = :branch", {{"branch", 1}, {"brnch", 2}});
    EXPECT_THROW(t.open(), store::StoreError);
    // A value the engine refuses to bind (here: beyond the statement's parameters).
    void* stmt = folder.connection.cachedStatement("SELECT :a");
    EXPECT_THROW(store::bindValue(stmt, 2, 1), store::StoreError);
}

TEST(Queries, EmptySumReadsAsZeroAndNavigatesLikeATable) {
    TempDataFolder folder;
    store::Query q(folder.connection);
    q.setSql("SELECT SUM(AMOUNT) FROM QVACTTR WHERE COYCODE = :sCoyCode");
    q.bind("sCoyCode", "1");
    q.open();
    EXPECT_DOUBLE_EQ(q.number(0), 0.0);
    Table t(folder.connection, "QVCoy.DBF");
    t.open();
    for (int i = 1; i <= 3; ++i) addDepartment(t, 1, i, QString("D%1").arg(i));
    store::Query rows(folder.connection);
    rows.setSql("SELECT DEPTCODE FROM QVCOY ORDER BY BRANCH DESC");
    rows.open();
    EXPECT_EQ(rows.text("DEPTCODE"), "D3");
    rows.last();
    EXPECT_EQ(rows.text("DEPTCODE"), "D1");
    EXPECT_TRUE(rows.eof());
    rows.prior();
    EXPECT_EQ(rows.text("DEPTCODE"), "D2");
    EXPECT_EQ(rows.recordCount(), 3);
    store::Query bad(folder.connection);
    bad.setSql("SELECT NOSUCHFIELD FROM QVCOY");
    EXPECT_THROW(bad.open(), store::StoreError);
}

TEST(Transactions, RolledBackScopeLeavesNothingAndNestedScopesUndoOnlyThemselves) {
    TempDataFolder folder;
    Table t(folder.connection, "QVCoy.DBF");
    t.open();
    {
        store::Transaction tx(folder.connection);
        addDepartment(t, 1, 1, "GONE");
        addDepartment(t, 1, 2, "GONE");
    }  // not committed
    t.first();
    EXPECT_TRUE(t.isEmpty());
    {
        store::Transaction outer(folder.connection);
        addDepartment(t, 1, 1, "KEPT");
        {
            store::Transaction inner(folder.connection);
            addDepartment(t, 1, 2, "UNDONE");
            inner.rollback();
        }
        outer.commit();
    }
    EXPECT_EQ(t.recordCount(), 1);
    t.first();
    EXPECT_EQ(t.text("DEPTCODE"), "KEPT");
    try {
        store::Transaction tx(folder.connection);
        addDepartment(t, 1, 3, "HALF");
        throw std::runtime_error("failure half way");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(t.recordCount(), 1);
}

TEST(ExclusiveUse, RefusedWhileAnotherTableObjectHasTheTableOpen) {
    TempDataFolder folder;
    Table reader(folder.connection, "QVActTr.DBF");
    reader.open();
    Table maintenance(folder.connection, "QVActTr.DBF");
    EXPECT_THROW(maintenance.open(OpenMode::Exclusive), store::StoreError);
    reader.close();
    EXPECT_NO_THROW(maintenance.open(OpenMode::Exclusive));
    Table late(folder.connection, "QVActTr.DBF");
    EXPECT_THROW(late.open(), store::StoreError) << "nobody opens a table held exclusively";
    Table other(folder.connection, "QVBnkTr.DBF");
    EXPECT_NO_THROW(other.open()) << "other tables stay free";
    EXPECT_NO_THROW(maintenance.pack());
    EXPECT_NO_THROW(maintenance.zap());
    EXPECT_THROW(other.zap(), store::StoreError) << "emptying needs exclusive use";
}

TEST(ExclusiveUse, RefusedWhileAnotherProcessHasTheTableOpen) {
    TempDataFolder folder;
    const QString lockFile = folder.path() + ".locks/QVBNKTR.lck";
    // A second program on the same folder: a child process holding the table open.
    Table probe(folder.connection, "QVBnkTr.DBF");
    probe.open();
    probe.close();
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    if (child == 0) {
        store::Connection c;
        c.connectToFolder(folder.path());
        Table t(c, "QVBnkTr.DBF");
        t.open();
        char ok = 1;
        (void)!write(ready[1], &ok, 1);
        sleep(30);
        _exit(0);
    }
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    Table maintenance(folder.connection, "QVBnkTr.DBF");
    EXPECT_THROW(maintenance.open(OpenMode::Exclusive), store::StoreError);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_NO_THROW(maintenance.open(OpenMode::Exclusive)) << "the lock dies with its holder";
    EXPECT_TRUE(QFile::exists(lockFile));
}

TEST(Tags, CreatedAndDroppedOnlyWithExclusiveUse) {
    TempDataFolder folder;
    Table t(folder.connection, "QVCoy.DBF");
    t.open();
    EXPECT_THROW(t.addTag("BUSNAME"), store::StoreError);
    t.close();
    t.open(OpenMode::Exclusive);
    EXPECT_NO_THROW(t.deleteTag("BUSNAME"));
    EXPECT_NO_THROW(t.addTag("BUSNAME"));
    EXPECT_THROW(t.addTag("NOFIELD"), store::StoreError);
}

TEST(DataVersion, AnEarlierFolderGetsTheNewIndexesAndKeepsItsRecords) {
    QTemporaryDir dir;
    {
        store::Connection c;
        c.connectToFolder(dir.path());
        Table t(c, "QVCntrl.DBF");
        t.open();
        t.edit();
        t.setValue("BUSNAME", "Kept");
        t.post();
        store::execSql(c.handle(), "DROP INDEX QVActTr_DATES");
        store::execSql(c.handle(), "PRAGMA user_version = 1");
    }
    store::Connection c;
    c.connectToFolder(dir.path());
    store::Query q(c);
    q.setSql("SELECT COUNT(*) FROM sqlite_master WHERE name = 'QVActTr_DATES'");
    q.open();
    EXPECT_EQ(q.value(0).toInt(), 1);
    Table t(c, "QVCntrl.DBF");
    t.open();
    EXPECT_EQ(t.text("BUSNAME"), "Kept");
}

// A folder written before the indexes were pruned loses the ones nothing reads, gets their
// narrower successors, keeps every record, and the index rebuild does not bring them back.
TEST(DataVersion, AnOlderFolderLosesTheIndexesNothingReadsAndKeepsItsRecords) {
    const char* const oldIndexes[] = {
        "CREATE INDEX QVActTr_COYCODE ON QVActTr (COYCODE)",
        "CREATE INDEX QVActTr_SRCHCODE ON QVActTr (SRCHCODE)",
        "CREATE INDEX QVBnkTr_BANKCODE ON QVBnkTr (BANKCODE)",
        "CREATE INDEX QVActTr_COVER_BNKLINKNO ON QVActTr (BNKLINKNO, TRANDATE, ACCTCODE, COYCODE, "
        "BUSAMT, GSTAMT)",
        "CREATE INDEX QVActTr_CASH_LINES ON QVActTr (COYCODE, BNKLINKNO) WHERE REASON <> 'PAY'",
        "CREATE INDEX QVBnkTr_COVER_AMOUNT ON QVBnkTr (AMOUNT, BANKACCT, COYCODE, TRANTYPE)",
        "CREATE INDEX QVBnkTr_COVER_RECONCILED ON QVBnkTr (BANKLINK, RECONCILED, TRANDATE)",
        "CREATE INDEX QVActTr_COVER_TRANDATE ON QVActTr (TRANDATE, COYCODE, TRANTYPE, GSTAMT, "
        "BUSAMT)",
        "CREATE INDEX QVActTr_COVER_ACCTCODE ON QVActTr (COYCODE, ACCTCODE, TRANDATE, BUSAMT, "
        "GSTAMT, AMOUNT)",
        "CREATE INDEX QVActTr_COVER_FULLCODE ON QVActTr (FULLCODE, TRANDATE, AMOUNT, BUSAMT, "
        "GSTAMT)",
        "CREATE INDEX QVActTr_DAYS ON QVActTr (TRANDATE, COYCODE, ACCTCODE, AMOUNT)",
        "CREATE INDEX QVBnkTr_AMOUNT ON QVBnkTr (AMOUNT, BANKACCT)",
        "CREATE INDEX QVActTr_SPLITLINK ON QVActTr (SPLITLINK)",
        "CREATE INDEX QVBnkTr_SOURCEACCT ON QVBnkTr (SOURCEACCT)",
        "DROP INDEX QVActTr_CASH_LIST",
        "DROP INDEX QVBnkTr_UNRECONCILED",
        "DROP INDEX QVActTr_DATES",
        "DROP INDEX QVActTr_ACCOUNT",
    };
    QTemporaryDir dir;
    {
        store::Connection c;
        c.connectToFolder(dir.path());
        store::execSql(c.handle(),
                       "INSERT INTO QVActTr (COYCODE, BNKLINKNO, AMOUNT, \"DESC\") "
                       "VALUES ('1', '0-0-0', 1234567890.05, 'kept line')");
        store::execSql(c.handle(),
                       "INSERT INTO QVBnkTr (BANKLINK, AMOUNT) VALUES ('1-2-3', -0.01)");
        for (const char* sql : oldIndexes) store::execSql(c.handle(), sql);
    }
    store::Connection c;
    c.connectToFolder(dir.path());
    auto count = [&](const QString& sql) {
        store::Query q(c);
        q.setSql(sql);
        q.open();
        return q.value(0).toLongLong();
    };
    const QString oldNames =
        "('QVActTr_COYCODE', 'QVActTr_SRCHCODE', 'QVBnkTr_BANKCODE', "
        "'QVActTr_COVER_BNKLINKNO', 'QVActTr_CASH_LINES', "
        "'QVBnkTr_COVER_AMOUNT', 'QVBnkTr_COVER_RECONCILED', 'QVActTr_COVER_TRANDATE', "
        "'QVActTr_COVER_ACCTCODE', 'QVActTr_COVER_FULLCODE', 'QVActTr_DAYS', 'QVBnkTr_AMOUNT', "
        "'QVActTr_SPLITLINK', 'QVBnkTr_SOURCEACCT')";
    EXPECT_EQ(count("SELECT COUNT(*) FROM sqlite_master WHERE name IN " + oldNames), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM sqlite_master WHERE name IN ('QVActTr_CASH_LIST', "
                    "'QVBnkTr_UNRECONCILED', 'QVActTr_CASH_AMOUNTS', 'QVBnkTr_SAME_AMOUNT', "
                    "'QVActTr_DATES', 'QVActTr_ACCOUNT')"),
              6);
    EXPECT_EQ(count("SELECT freelist_count FROM pragma_freelist_count"), 0)
        << "the dropped indexes' pages are given back";
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVActTr WHERE AMOUNT = 1234567890.05 "
                    "AND \"DESC\" = 'kept line' AND BNKLINKNO = '0-0-0'"),
              1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QVBnkTr WHERE BANKLINK = '1-2-3' AND AMOUNT = -0.01"), 1);
    store::rebuildTableIndexes(c, "QVActTr.dbf");
    store::rebuildTableIndexes(c, "QVBnkTr.dbf");
    EXPECT_EQ(count("SELECT COUNT(*) FROM sqlite_master WHERE name IN " + oldNames), 0);
    EXPECT_EQ(store::integrityProblem(c), "");
}

TEST(DataVersion, AFolderOfALaterReleaseIsRefused) {
    QTemporaryDir dir;
    {
        store::Connection c;
        c.connectToFolder(dir.path());
        store::execSql(c.handle(),
                       QString("PRAGMA user_version = %1").arg(store::kSchemaVersion + 1));
    }
    store::Connection c;
    try {
        c.connectToFolder(dir.path());
        FAIL() << "a later data version opened";
    } catch (const store::StoreError& e) {
        EXPECT_TRUE(e.text().contains("later release")) << e.text().toStdString();
    }
    EXPECT_FALSE(c.isConnected());
}
