// Where settings and data live, and how the alias NRV finds the data folder.
#include "store/error.h"
#include "store/inifile.h"
#include "store/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace paths = store::paths;

namespace {

// Points the XDG folders at a fresh temporary folder for one test and restores them after.
class PathsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        savedConfig = qgetenv("XDG_CONFIG_HOME");
        savedData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + "/config"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + "/data"));
    }
    void TearDown() override
    {
        qputenv("XDG_CONFIG_HOME", savedConfig);
        qputenv("XDG_DATA_HOME", savedData);
    }

    void writeAlias(const QString& section, const QString& path)
    {
        store::IniFile(paths::aliasFile()).writeString(section, "Path", path);
    }

    QTemporaryDir home;
    QByteArray savedConfig;
    QByteArray savedData;
};

TEST_F(PathsTest, WithoutAnAliasFileNrvNamesTheDefaultDataFolder)
{
    const QString expected = home.path() + "/data/quorvel/data/";
    EXPECT_EQ(paths::defaultDataFolder(), expected);
    EXPECT_EQ(paths::resolveAlias("NRV"), expected);
    EXPECT_EQ(paths::resolveAlias("nrv"), expected);
    EXPECT_FALSE(QFileInfo::exists(expected)) << "resolving an alias creates nothing";
}

TEST_F(PathsTest, AnUnsetXdgVariableFallsBackToTheHomeFolder)
{
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(paths::defaultDataFolder(), QDir::homePath() + "/.local/share/quorvel/data/");
}

TEST_F(PathsTest, TheAliasFileNamesTheDataFolder)
{
    writeAlias("NRV", home.path() + "/books/2026");
    EXPECT_EQ(paths::resolveAlias("NRV"), home.path() + "/books/2026/");
}

TEST_F(PathsTest, TheAliasSectionIsFoundWhateverItsCase)
{
    writeAlias("nrv", home.path() + "/books/");
    EXPECT_EQ(paths::resolveAlias("NRV"), home.path() + "/books/");
}

TEST_F(PathsTest, ARelativePathIsTakenFromTheAliasFilesFolder)
{
    writeAlias("NRV", "../books/./2026");
    EXPECT_EQ(paths::resolveAlias("NRV"), home.path() + "/config/books/2026/");
}

TEST_F(PathsTest, ATildeStandsForTheHomeFolder)
{
    writeAlias("Other", "~/Quorvel data");
    EXPECT_EQ(paths::resolveAlias("Other"), QDir::homePath() + "/Quorvel data/");
}

TEST_F(PathsTest, AnAliasFileWithoutTheEntryStillGivesNrvItsDefault)
{
    writeAlias("Other", home.path() + "/other");
    EXPECT_EQ(paths::resolveAlias("NRV"), paths::defaultDataFolder());
}

TEST_F(PathsTest, AnUnknownAliasIsAnErrorNamingTheAliasFile)
{
    writeAlias("NRV", home.path() + "/books");
    try {
        paths::resolveAlias("Elsewhere");
        FAIL() << "no error";
    } catch (const store::StoreError& e) {
        EXPECT_EQ(e.text(), "Alias Elsewhere is not defined in " + paths::aliasFile());
    }
}

struct FolderCase {
    const char* path;
    const char* folder;
};

class ConnectionFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(ConnectionFolder, ReducesTheConnectionPathToAFolder)
{
    EXPECT_EQ(paths::folderOfConnectionPath(GetParam().path), QString(GetParam().folder));
}

INSTANTIATE_TEST_SUITE_P(Paths, ConnectionFolder,
                         ::testing::Values(FolderCase{"/srv/books", "/srv/books/"},
                                           FolderCase{"/srv/books/", "/srv/books/"},
                                           FolderCase{"/srv/books/NRV.ADD", "/srv/books/"},
                                           FolderCase{"/srv/books/nrv.add", "/srv/books/"},
                                           FolderCase{"NRV.ADD", "./"},
                                           FolderCase{"books", "./"},
                                           FolderCase{"", "./"},
                                           FolderCase{"/srv/books.ADDX", "/srv/books.ADDX/"}));

}  // namespace
