// Save dialogs open in the folder last saved to, or in the documents folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "ui/savefolder.h"

TEST(SaveFolder, FirstTheDocumentsThenTheLastFolderUsedWhileItExists) {
    QTemporaryDir config, files;
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) documents = QDir::homePath();

    EXPECT_EQ(ui::saveFolder(), documents);
    ASSERT_TRUE(QDir(files.path()).mkdir("March reports"));
    const QString folder = files.filePath("March reports");
    ui::rememberSaveFolder(folder + "/TrialBalance.pdf");
    EXPECT_EQ(ui::saveFolder(), folder);
    ASSERT_TRUE(QDir(folder).removeRecursively());
    EXPECT_EQ(ui::saveFolder(), documents);

    qputenv("XDG_CONFIG_HOME", savedConfig);
}
