// A backup brings the whole book back, table by table, with its settings files; a damaged,
// unfinished or later backup is refused before anything of the data folder is replaced.
#include <QFileInfo>
#include <QTemporaryDir>

#include "store/backup.h"
#include "store/backup_fixture.h"
#include "store/backupmanifest.h"
#include "store/exclusiveuse.h"
#include "store/inifile.h"
#include "store/query.h"
#include "store/restore.h"
#include "store/table.h"
#include "store/transaction.h"

namespace {

using namespace backup_test;

class BackupRestore : public ::testing::Test {
protected:
    TempDataFolder folder;
    QTemporaryDir media;

    void SetUp() override { makeBook(folder, 300); }

    store::BackupOutcome backUp() {
        auto out = store::backupDataFolder(folder.path(), media.path());
        EXPECT_TRUE(out.ok) << out.failedOn.toStdString() << ": " << out.detail.toStdString();
        return out;
    }

    // Later work that a restore must undo: more entries and a changed settings file.
    void workOn() {
        banking::sample::postDemoEntries(folder.connection, 50, kToday, 99, 50);
        writeText(QDir(folder.path()).filePath("IntSettings.ini"), "[GST]\nCountry=AU\n");
    }
};

TEST_F(BackupRestore, ARestoreBringsBackEveryTableAndSettingsFileAsTheyWereBackedUp) {
    const auto before = wholeBook(folder.path());
    backUp();
    workOn();
    ASSERT_NE(wholeBook(folder.path()), before);

    const auto out = store::restoreDataFolder(folder.path(), media.path());
    ASSERT_TRUE(out.ok()) << out.problem.toStdString();
    expectSameBook(before, folder.path());
    EXPECT_EQ(readText(QDir(folder.path()).filePath("IntSettings.ini")), "[GST]\nCountry=NZ\n");
    EXPECT_FALSE(QFileInfo::exists(QDir(folder.path()).filePath(store::safetyCopyName())));
    // The window's own connection, open all along, reads the restored book.
    store::Query rows(folder.connection);
    rows.setSql("SELECT COUNT(*) FROM QVBnkTr");
    rows.open();
    EXPECT_EQ(rows.value(0).toLongLong(), before.at("QVBnkTr").size());
}

TEST_F(BackupRestore, ArchiveIniRecordsTheFolderAndEveryFileWrittenOnOneDisk) {
    const auto out = backUp();
    const store::IniFile ini(QDir(folder.path()).filePath("Archive.ini"));
    const QStringList expected{"quorvel.db", "IntSettings.ini", "Manifest.ini"};
    EXPECT_EQ(out.files, expected);
    EXPECT_EQ(ini.readString("DRIVE HDR", "Archive Disk"), QDir(media.path()).absolutePath() + "/");
    EXPECT_EQ(ini.readInteger("DRIVE HDR", "NOOFDISKS", -1), 0);
    qint64 onDisk = 0, total = 0;
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(ini.readString("Disk0", QString::number(i + 1)), expected[i]);
        onDisk += QFileInfo(QDir(media.path()).filePath(expected[i])).size();
        total += onDisk;
    }
    EXPECT_EQ(ini.readInteger("Disk0", "No of Files"), 3);
    EXPECT_EQ(ini.readString("DRIVE HDR", "Total required").toLongLong(), total);
    // The manifest describes the book: its version, companies and rows.
    const auto m = store::readManifest(media.path());
    EXPECT_EQ(m.dataVersion, store::kSchemaVersion);
    EXPECT_EQ(m.companies, QStringList{"1 Harbour Street Cafe Ltd"});
    EXPECT_TRUE(std::find(m.rowCounts.begin(), m.rowCounts.end(),
                          std::pair<QString, qint64>{"QVBnkTr",
                                                     tableRows(folder.path(), "QVBnkTr").size()}) !=
                m.rowCounts.end());
    EXPECT_FALSE(QFileInfo::exists(QDir(media.path()).filePath("quorvel.db-wal")));
}

// How a backup is spoilt, and the refusal it must meet.
struct Spoilt {
    const char* story;
    std::function<void(const QString& media)> spoil;
    const char* refusal;
};

void setVersion(const QString& file, int version) {
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(file).constData(), &db);
    sqlite3_exec(db, QStringLiteral("PRAGMA user_version = %1").arg(version).toUtf8().constData(),
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// Rewrites the manifest's checksum of the store so that only the store's own content decides.
void resealStore(const QString& media) {
    store::IniFile(QDir(media).filePath("Manifest.ini"))
        .writeString("Files", "quorvel.db",
                     store::fileChecksum(QDir(media).filePath("quorvel.db")));
}

const std::vector<Spoilt> spoiltBackups = {
    {"truncated store",
     [](const QString& m) { QFile(QDir(m).filePath("quorvel.db")).resize(8192); },
     "checksum does not match"},
    {"wrong checksum",
     [](const QString& m) {
         store::IniFile(QDir(m).filePath("Manifest.ini")).writeString("Files", "quorvel.db", "00");
     },
     "checksum does not match"},
    {"later data version in the store",
     [](const QString& m) {
         setVersion(QDir(m).filePath("quorvel.db"), store::kSchemaVersion + 1);
         resealStore(m);
     },
     "later release"},
    {"later data version in the manifest",
     [](const QString& m) {
         store::IniFile(QDir(m).filePath("Manifest.ini"))
             .writeInteger("Backup", "Data version", store::kSchemaVersion + 1);
     },
     "later release"},
    {"truncated and resealed store",
     [](const QString& m) {
         QFile(QDir(m).filePath("quorvel.db"))
             .resize(QFileInfo(QDir(m).filePath("quorvel.db")).size() / 2);
         resealStore(m);
     },
     "damaged"},
    {"unfinished backup without its manifest",
     [](const QString& m) { QFile::remove(QDir(m).filePath("Manifest.ini")); },
     "no complete backup"},
    {"a settings file lost",
     [](const QString& m) { QFile::remove(QDir(m).filePath("IntSettings.ini")); },
     "lacks IntSettings.ini"},
};

TEST_F(BackupRestore, ASpoiltBackupIsRefusedAndNothingIsReplaced) {
    backUp();
    workOn();
    const auto now = wholeBook(folder.path());
    const QByteArray settings = readText(QDir(folder.path()).filePath("IntSettings.ini"));
    QTemporaryDir copy;
    for (const Spoilt& s : spoiltBackups) {
        SCOPED_TRACE(s.story);
        for (const QString& f : QDir(media.path()).entryList(QDir::Files)) {
            QFile::remove(QDir(copy.path()).filePath(f));
            QFile::copy(QDir(media.path()).filePath(f), QDir(copy.path()).filePath(f));
        }
        s.spoil(copy.path());
        const auto out = store::restoreDataFolder(folder.path(), copy.path());
        EXPECT_TRUE(out.problem.contains(QLatin1String(s.refusal))) << out.problem.toStdString();
        EXPECT_FALSE(out.replaced);
        EXPECT_FALSE(QFileInfo::exists(QDir(folder.path()).filePath(store::safetyCopyName())));
        expectSameBook(now, folder.path());
        EXPECT_EQ(readText(QDir(folder.path()).filePath("IntSettings.ini")), settings);
    }
}

TEST_F(BackupRestore, ARestoreWaitsForEveryWindowToLetGoOfItsTables) {
    backUp();
    workOn();
    const auto now = wholeBook(folder.path());
    {
        store::Table open(folder.connection, "QVBnkTr.DBF");
        open.open();
        const auto out = store::restoreDataFolder(folder.path(), media.path());
        EXPECT_TRUE(out.problem.contains("cannot be opened exclusively"))
            << out.problem.toStdString();
        expectSameBook(now, folder.path());
    }
    // The main window's control table does not stand in the way.
    store::Table control(folder.connection, "QVCntrl.DBF");
    control.open();
    EXPECT_TRUE(store::restoreDataFolder(folder.path(), media.path()).ok());
}

TEST_F(BackupRestore, BackingUpIntoTheDataFolderOrAMissingFolderFailsWithoutHarm) {
    const auto missing = store::backupDataFolder(folder.path(), media.path() + "/gone");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.failedOn, "quorvel.db");
    EXPECT_FALSE(QFileInfo::exists(QDir(folder.path()).filePath("Archive.ini")));
    const auto same = store::backupDataFolder(folder.path(), folder.path() + "/.");
    EXPECT_EQ(same.detail, "Cannot archive to same folder as database. Please change folder.");
    EXPECT_FALSE(QFileInfo::exists(QDir(folder.path()).filePath("Manifest.ini")));
    EXPECT_EQ(store::restoreDataFolder(folder.path(), folder.path()).problem,
              "Cannot recover from the database folder!");
}

}  // namespace
