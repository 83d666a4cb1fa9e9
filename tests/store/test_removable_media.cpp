// The data store maps its file into memory only on fixed disks: a read through the map from a
// removable drive pulled out kills the program instead of failing with a message.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "store/connection.h"
#include "store/removablemedia.h"

namespace {

struct MediaCase {
    const char* story;
    const char* folder;
    bool removable;
};

class RemovableMediaTest : public ::testing::TestWithParam<MediaCase> {};

TEST_P(RemovableMediaTest, FolderIsOnRemovableMediaOnlyAtOrBelowAMountPoint) {
    const QStringList mounts{"/media/ann/USB", "/run/media/bob/DISK/"};
    EXPECT_EQ(store::onRemovableMedia(GetParam().folder, mounts), GetParam().removable)
        << GetParam().story;
}

INSTANTIATE_TEST_SUITE_P(
    Folders, RemovableMediaTest,
    ::testing::Values(MediaCase{"a folder on the stick", "/media/ann/USB/Books", true},
                      MediaCase{"the stick's own root", "/media/ann/USB", true},
                      MediaCase{"a second disk under /run/media", "/run/media/bob/DISK/a/b", true},
                      MediaCase{"a stick whose name only begins alike", "/media/ann/USB2/Books",
                                false},
                      MediaCase{"the home folder", "/home/ann/Books", false},
                      MediaCase{"a path climbing out of the stick", "/media/ann/USB/../X", false}));

TEST(RemovableMedia, ALinkIntoARemovableDriveCountsAsOnIt) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString mount = QDir(tmp.path()).canonicalPath() + "/stick";
    ASSERT_TRUE(QDir().mkpath(mount + "/Books"));
    ASSERT_TRUE(QFile::link(mount + "/Books", tmp.path() + "/Books"));
    EXPECT_TRUE(store::onRemovableMedia(tmp.path() + "/Books", {mount}));
    EXPECT_FALSE(store::onRemovableMedia(tmp.path(), {mount}));
}

TEST(RemovableMedia, AStoreOnAFixedDiskStillMapsItsFile) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    ASSERT_FALSE(store::onRemovableMedia(tmp.path(), store::removableMountPoints()));
    store::Connection db;
    db.connectToFolder(tmp.path());
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db.handle(), "PRAGMA mmap_size", -1, &stmt, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_GT(sqlite3_column_int64(stmt, 0), 0);
    sqlite3_finalize(stmt);
}

}  // namespace
