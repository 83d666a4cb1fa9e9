// What the program decides about a data folder before opening it, how a new book is started in
// one that holds none, and how a folder that lost a table is made whole on opening.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "store/connection.h"
#include "store/datafolder.h"
#include "store/error.h"
#include "store/paths.h"
#include "store/table.h"
#include "support/temp_folder.h"

using store::FolderState;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs plain SQL on a store file, outside the program's own connection.
void plainSql(const QString& file, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(file).constData(), &db), SQLITE_OK);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

int plainCount(const QString& file, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(file).constData(), &db);
    sqlite3_stmt* stmt = nullptr;
    int n = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        n = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return n;
}

void makeBook(const QString& folder) {
    store::Connection c;
    c.connectToFolder(folder);
}

// Each case makes its folder below a fresh temporary folder and names the path to examine.
struct DataFolderCase {
    const char* story;
    std::function<QString(const QString& root)> make;
    bool isDefault;
    FolderState expected;
    bool newBookOffered;
};

void PrintTo(const DataFolderCase& c, std::ostream* os) { *os << c.story; }

const DataFolderCase kDataFolderCases[] = {
    {"the default folder on a first start is made without asking",
     [](const QString& root) { return root + "/data/"; }, true, FolderState::FirstStart, true},
    {"an empty default folder is a first start too",
     [](const QString& root) {
         QDir().mkpath(root + "/data");
         return root + "/data/";
     },
     true, FolderState::FirstStart, true},
    {"a default folder holding other files but no store is asked about",
     [](const QString& root) {
         QDir().mkpath(root + "/data");
         writeFile(root + "/data/Archive.ini", "[Archive]\n");
         return root + "/data/";
     },
     true, FolderState::NoStore, true},
    {"an alias naming a folder on a drive not connected",
     [](const QString& root) { return root + "/media/usb/books/"; }, false, FolderState::Missing,
     true},
    {"an alias naming an empty folder",
     [](const QString& root) {
         QDir().mkpath(root + "/empty");
         return root + "/empty/";
     },
     false, FolderState::NoStore, true},
    {"an alias naming a file",
     [](const QString& root) {
         writeFile(root + "/notes.txt", "x");
         return root + "/notes.txt/";
     },
     false, FolderState::NotAFolder, false},
    {"a store of zero bytes",
     [](const QString& root) {
         QDir().mkpath(root + "/books");
         writeFile(root + "/books/quorvel.db", {});
         return root + "/books/";
     },
     false, FolderState::EmptyStore, true},
    {"a database without a single table",
     [](const QString& root) {
         QDir().mkpath(root + "/books");
         plainSql(root + "/books/quorvel.db", "PRAGMA journal_mode = WAL");
         return root + "/books/";
     },
     false, FolderState::EmptyStore, true},
    {"a store that is a text file",
     [](const QString& root) {
         QDir().mkpath(root + "/books");
         writeFile(root + "/books/quorvel.db", QByteArray(4096, 'x'));
         return root + "/books/";
     },
     false, FolderState::Damaged, true},
    {"a database of another program",
     [](const QString& root) {
         QDir().mkpath(root + "/books");
         plainSql(root + "/books/quorvel.db", "CREATE TABLE recipes (name TEXT)");
         return root + "/books/";
     },
     false, FolderState::Damaged, true},
    {"a store written by a later release",
     [](const QString& root) {
         makeBook(root + "/books");
         plainSql(root + "/books/quorvel.db", "PRAGMA user_version = 999");
         return root + "/books/";
     },
     false, FolderState::LaterRelease, false},
    {"a store with books",
     [](const QString& root) {
         makeBook(root + "/books");
         return root + "/books/";
     },
     false, FolderState::Ready, true},
    {"a store that lost a table is opened and repaired",
     [](const QString& root) {
         makeBook(root + "/books");
         plainSql(root + "/books/quorvel.db", "DROP TABLE QVBnkTr");
         return root + "/books/";
     },
     false, FolderState::Ready, true},
    {"a folder whose name on disk is Latin-1, not UTF-8",
     [](const QString& root) {
         ::mkdir(QFile::encodeName(root + "/B")
                     .append("\xfc"
                             "cher")
                     .constData(),
                 0755);
         return root + QString::fromUtf8(
                           "/B\xc3\xbc"
                           "cher/");
     },
     false, FolderState::NameNotText, false},
    {"a name that was not UTF-8 text where it was read",
     [](const QString& root) {
         return root + QString::fromUtf8(
                           "/B\xef\xbf\xbd"
                           "cher/");
     },
     false, FolderState::NameNotText, false},
};

class ExaminingAFolder : public ::testing::TestWithParam<DataFolderCase> {
protected:
    // Qt cannot list, so cannot remove, a folder whose name is not UTF-8.
    void TearDown() override {
        ::rmdir(QFile::encodeName(root.path() + "/B")
                    .append("\xfc"
                            "cher")
                    .constData());
    }
    QTemporaryDir root;
};

// Lists every file below a folder with its size, to prove examining changes nothing.
QStringList snapshot(const QString& root) {
    QStringList list;
    QDir dir(root);
    for (const QFileInfo& f :
         dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        list << f.fileName() + ":" + QString::number(f.isDir() ? -1 : f.size()) +
                    (f.isDir() ? " [" + snapshot(f.filePath()).join(",") + "]" : QString());
    return list;
}

TEST_P(ExaminingAFolder, SaysWhatIsWrongAndChangesNothing) {
    const DataFolderCase& c = GetParam();
    const QString folder = c.make(root.path());
    const QStringList before = snapshot(root.path());
    const store::FolderVerdict verdict = store::examineDataFolder(folder, c.isDefault);
    EXPECT_EQ(verdict.state, c.expected);
    EXPECT_EQ(store::canStartNewBook(verdict.state), c.newBookOffered);
    EXPECT_EQ(store::canOpen(verdict.state),
              c.expected == FolderState::Ready || c.expected == FolderState::FirstStart);
    EXPECT_EQ(store::folderProblemText(verdict, folder).isEmpty(), store::canOpen(verdict.state));
    EXPECT_EQ(snapshot(root.path()), before);
}

INSTANTIATE_TEST_SUITE_P(DataFolder, ExaminingAFolder, ::testing::ValuesIn(kDataFolderCases));

TEST(DataFolder, ADamagedStoreIsSetAsideNotLostWhenANewBookIsStarted) {
    QTemporaryDir root;
    const QString folder = root.path() + "/books/";
    QDir().mkpath(folder);
    const QByteArray damaged(4096, 'x');
    writeFile(folder + "quorvel.db", damaged);

    const QString setAside = store::startNewBook(folder);
    EXPECT_EQ(readFile(setAside), damaged);
    EXPECT_EQ(store::examineDataFolder(folder, false).state, FolderState::Ready);
    EXPECT_EQ(
        plainCount(folder + "quorvel.db", "SELECT count(*) FROM QVCntrl WHERE BUSNAME = 'Name'"),
        1);
}

TEST(DataFolder, ANewBookIsNeverStartedOverBooks) {
    QTemporaryDir root;
    makeBook(root.path());
    EXPECT_THROW(store::startNewBook(root.path()), store::StoreError);
}

// The alias tests point the settings and data folders at a fresh temporary folder.
class AliasedFolder : public ::testing::Test {
protected:
    void SetUp() override {
        savedConfig = qgetenv("XDG_CONFIG_HOME");
        savedData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + "/config"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + "/data"));
    }
    void TearDown() override {
        qputenv("XDG_CONFIG_HOME", savedConfig);
        qputenv("XDG_DATA_HOME", savedData);
    }
    void writeAliasBytes(const QByteArray& path) {
        QDir().mkpath(store::paths::configFolder());
        writeFile(store::paths::aliasFile(), "[NRV]\nPath=" + path + "\n");
    }

    QTemporaryDir home;
    QByteArray savedConfig;
    QByteArray savedData;
};

TEST_F(AliasedFolder, AZeroByteStoreIsRefusedAndLeftAsItWas) {
    const QString folder = home.path() + "/books/";
    QDir().mkpath(folder);
    writeFile(folder + "quorvel.db", {});
    writeAliasBytes(QFile::encodeName(folder));
    store::Connection c;
    try {
        c.connect();
        FAIL() << "connected";
    } catch (const store::StoreError& e) {
        EXPECT_TRUE(e.text().startsWith("The data store " + folder + "quorvel.db is empty"))
            << e.what();
    }
    EXPECT_EQ(QFileInfo(folder + "quorvel.db").size(), 0);
}

TEST_F(AliasedFolder, OnlyTheDefaultFolderIsMadeOnConnecting) {
    store::Connection c;
    c.connect();
    EXPECT_EQ(c.path(), store::paths::defaultDataFolder());
    c.disconnect();

    writeAliasBytes(QFile::encodeName(home.path() + "/unplugged/books"));
    EXPECT_THROW(c.connect(), store::StoreError);
    EXPECT_FALSE(QFileInfo::exists(home.path() + "/unplugged"));
}

TEST_F(AliasedFolder, AnAliasFileWrittenInLatin1NamesTheFolderItMeans) {
    const QString folder = home.path() + QString::fromUtf8(
                                             "/B\xc3\xbc"
                                             "cher/");
    makeBook(folder);
    writeAliasBytes(QFile::encodeName(home.path()) +
                    "/B\xfc"
                    "cher");
    store::Connection c;
    c.connect();
    EXPECT_EQ(c.path(), folder);
}

// A folder that lost a table (or an index) is made whole when it is next opened, and the lost
// table takes rows again.
TEST(DataFolder, ALostTableIsMadeAgainOnOpening) {
    TempDataFolder folder;
    const QString path = folder.path();
    const QString file = path + "quorvel.db";
    folder.connection.disconnect();
    plainSql(file, "DROP TABLE QVBnkTr");
    plainSql(file, "DROP INDEX QVActTr_BNKLINKNO");
    plainSql(file, "DROP TABLE QVCntrl");

    folder.connection.connectToFolder(path);
    EXPECT_EQ(plainCount(file,
                         "SELECT count(*) FROM sqlite_master WHERE name IN "
                         "('QVBnkTr', 'QVBnkTr_BANKLINK', 'QVActTr_BNKLINKNO', "
                         "'QVBnkTr_SAME_AMOUNT')"),
              4);
    EXPECT_EQ(
        plainCount(file, "SELECT count(*) FROM QVCntrl WHERE COYCODE = 1 AND BUSNAME = 'Name'"), 1);

    store::Table rows(folder.connection, "QVBnkTr.DBF");
    rows.open();
    rows.append();
    rows.setValue("BANKLINK", "1-030100-1111111-00");
    rows.setValue("AMOUNT", 12.34);
    rows.post();
    EXPECT_EQ(plainCount(file,
                         "SELECT count(*) FROM QVBnkTr WHERE BANKLINK = '1-030100-1111111-00' "
                         "AND AMOUNT = 12.34"),
              1);
}

}  // namespace
