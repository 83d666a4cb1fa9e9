// Settings files: reading what a user or another window wrote, and writing without disturbing
// the rest of the file.
#include "store/error.h"
#include "store/inifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using store::IniFile;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QString pathOf(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }

    QString write(const QByteArray& text, const QString& name = QStringLiteral("test.ini"))
    {
        QFile file(pathOf(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    }

    QByteArray contents(const QString& path) const
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QTemporaryDir dir;
};

// --- Reading ---------------------------------------------------------------------------------

struct ReadCase {
    const char* story;
    const char* file;
    const char* section;
    const char* key;
    const char* expected;  // nullptr: the default comes back
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.story; }

class IniReading : public IniFileTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(IniReading, FindsTheValueOrGivesTheDefault)
{
    const ReadCase& c = GetParam();
    const IniFile ini(write(c.file));
    const QString value = ini.readString(c.section, c.key, QStringLiteral("<default>"));
    EXPECT_EQ(value, c.expected ? QString::fromUtf8(c.expected) : QStringLiteral("<default>"));
}

INSTANTIATE_TEST_SUITE_P(
    Ini, IniReading,
    ::testing::Values(
        ReadCase{"a plain value", "[Form]\nLeft=10\n", "Form", "Left", "10"},
        ReadCase{"section names ignore case", "[QVMainForm]\nLeft=10\n", "qvmainFORM", "Left",
                 "10"},
        ReadCase{"key names ignore case", "[Tax]\nExportsales=1\n", "Tax", "ExportSales", "1"},
        ReadCase{"surrounding blanks of a value are dropped", "[A]\nKey =  some text  \n", "A",
                 "key", "some text"},
        ReadCase{"backslashes and commas stay as written",
                 "[Archive]\nFolder=C:\\MRG\\Backup,2\n", "Archive", "Folder",
                 "C:\\MRG\\Backup,2"},
        ReadCase{"a value may hold '='", "[Imp]\nRule=NARR=Rent paid\n", "Imp", "Rule",
                 "NARR=Rent paid"},
        ReadCase{"a key of another section is not found", "[A]\nK=1\n[B]\nJ=2\n", "B", "K",
                 nullptr},
        ReadCase{"a missing section", "[A]\nK=1\n", "B", "K", nullptr},
        ReadCase{"a commented-out key is not found", "[A]\n;K=1\n#K=2\n", "A", "K", nullptr},
        ReadCase{"keys before any section belong to none", "K=1\n[A]\n", "A", "K", nullptr},
        ReadCase{"Windows line ends", "[A]\r\nK=1\r\nJ=2\r\n", "A", "J", "2"},
        ReadCase{"a byte-order mark before the first section", "\xEF\xBB\xBF[A]\nK=1\n", "A",
                 "K", "1"}));

struct IntegerCase {
    const char* value;
    int expected;
};

class IniIntegers : public IniFileTest, public ::testing::WithParamInterface<IntegerCase> {};

TEST_P(IniIntegers, ReadsDecimalIntegersAndOtherwiseTheDefault)
{
    const IniFile ini(write(QByteArray("[Form]\nLeft=") + GetParam().value + "\n"));
    EXPECT_EQ(ini.readInteger("Form", "Left", -99), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Ini, IniIntegers,
                         ::testing::Values(IntegerCase{"120", 120}, IntegerCase{" -35 ", -35},
                                           IntegerCase{"", -99}, IntegerCase{"abc", -99},
                                           IntegerCase{"12px", -99}, IntegerCase{"1.5", -99}));

TEST_F(IniFileTest, AMissingFileGivesEveryDefaultAndNoSections)
{
    const IniFile ini(pathOf("absent.ini"));
    EXPECT_EQ(ini.readString("A", "K", "d"), QStringLiteral("d"));
    EXPECT_EQ(ini.readInteger("A", "K", 5), 5);
    EXPECT_FALSE(ini.sectionExists("A"));
    EXPECT_TRUE(ini.sections().isEmpty());
    EXPECT_FALSE(QFile::exists(pathOf("absent.ini")));
}

TEST_F(IniFileTest, ListsSectionsAndKeysOnceEachInFileOrder)
{
    const IniFile ini(write("; settings\n[Beta]\nB=1\n[alpha]\nY=1\nX=2\ny=3\n[BETA]\nC=1\n"));
    EXPECT_EQ(ini.sections(), QStringList({"Beta", "alpha"}));
    EXPECT_EQ(ini.keys("ALPHA"), QStringList({"Y", "X"}));
    EXPECT_TRUE(ini.sectionExists("beta"));
}

// --- Writing ---------------------------------------------------------------------------------

struct WriteCase {
    const char* story;
    const char* before;  // nullptr: no file yet
    const char* section;
    const char* key;
    const char* value;
    const char* after;   // nullptr: the write is refused and the file left alone
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.story; }

class IniWriting : public IniFileTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(IniWriting, ChangesOnlyTheLineOfTheKey)
{
    const WriteCase& c = GetParam();
    const QString path = c.before ? write(c.before) : pathOf("new/folder/NRVCash.ini");
    IniFile ini(path);
    if (!c.after) {
        EXPECT_THROW(ini.writeString(c.section, c.key, c.value), store::StoreError);
        EXPECT_EQ(contents(path), QByteArray(c.before));
        return;
    }
    ini.writeString(c.section, c.key, c.value);
    EXPECT_EQ(contents(path), QByteArray(c.after));
    EXPECT_EQ(ini.readString(c.section, c.key), QString::fromUtf8(c.value));
}

INSTANTIATE_TEST_SUITE_P(
    Ini, IniWriting,
    ::testing::Values(
        WriteCase{"the first write creates the file and its folder", nullptr, "QVMainForm",
                  "Left", "40", "[QVMainForm]\nLeft=40\n"},
        WriteCase{"Exportsales written by hand takes the spelling ExportSales",
                  "[Australia]\nExportsales=1\n", "AUSTRALIA", "ExportSales", "0",
                  "[Australia]\nExportSales=0\n"},
        WriteCase{"comments, blank lines and order stay",
                  "; placement\n[QVMainForm]\n# main\nLeft=10\nTop=20\n\n[QVOpsForm]\nLeft=1\n",
                  "qvmainform", "Left", "15",
                  "; placement\n[QVMainForm]\n# main\nLeft=15\nTop=20\n\n[QVOpsForm]\nLeft=1\n"},
        WriteCase{"a new key joins its section before the blank line", "[A]\nK=1\n\n[B]\nJ=2\n",
                  "a", "New", "x", "[A]\nK=1\nNew=x\n\n[B]\nJ=2\n"},
        WriteCase{"a new section follows a blank line", "[A]\nK=1", "B", "J", "2",
                  "[A]\nK=1\n\n[B]\nJ=2\n"},
        WriteCase{"Windows line ends stay", "[A]\r\nK=1\r\n", "A", "J", "2",
                  "[A]\r\nK=1\r\nJ=2\r\n"},
        WriteCase{"backslashes and commas are written as they are", "", "Archive", "Folder",
                  "D:\\Backup\\Quorvel, 2", "[Archive]\nFolder=D:\\Backup\\Quorvel, 2\n"},
        WriteCase{"a value may hold '='", "[Imp]\n", "Imp", "Rule", "a=b", "[Imp]\nRule=a=b\n"},
        WriteCase{"a key holding '=' is refused", "[A]\nK=1\n", "A", "K=J", "1", nullptr},
        WriteCase{"a value of two lines is refused", "[A]\nK=1\n", "A", "K", "x\ny", nullptr},
        WriteCase{"a section name holding ']' is refused", "[A]\nK=1\n", "A]", "K", "1",
                  nullptr}));

TEST_F(IniFileTest, ErasingASectionTakesItsLinesAndLeavesTheRest)
{
    IniFile ini(write("[A]\nK=1\n[B]\n; note\nJ=2\n[C]\nL=3\n"));
    ini.eraseSection("b");
    EXPECT_EQ(contents(ini.path()), QByteArray("[A]\nK=1\n[C]\nL=3\n"));
    EXPECT_FALSE(ini.sectionExists("B"));
}

TEST_F(IniFileTest, DeletingAKeyRemovesEveryCopyOfIt)
{
    IniFile ini(write("[A]\nK=1\nJ=2\nk=3\n[B]\nK=4\n"));
    ini.deleteKey("A", "K");
    EXPECT_EQ(ini.readString("A", "K", "gone"), QStringLiteral("gone"));
    EXPECT_EQ(ini.readString("B", "K"), QStringLiteral("4"));
    EXPECT_EQ(ini.keys("A"), QStringList({"J"}));
}

}  // namespace
