// Windows reopen where the user left them, from "NRVCash.ini".
#include "store/inifile.h"
#include "ui/placement.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using ui::PlacementFile;

namespace {

class PlacementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        savedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", savedConfig); }

    // A dialog as designed: at (100, 80), 400 by 300.
    static std::unique_ptr<QDialog> designedDialog()
    {
        auto dialog = std::make_unique<QDialog>();
        dialog->move(100, 80);
        dialog->resize(400, 300);
        return dialog;
    }

    static QRect placement(const QWidget& w) { return QRect(w.pos(), w.size()); }

    static store::IniFile ini(PlacementFile which)
    {
        return store::IniFile(ui::placementFile(which));
    }

    QTemporaryDir home;
    QByteArray savedConfig;
};

TEST_F(PlacementTest, ADialogMovedAndAcceptedReopensWhereItWasLeft)
{
    {
        auto dialog = designedDialog();
        ui::keepPlacement(dialog.get(), "BudgetsCalcForm");
        dialog->show();
        dialog->move(250, 140);
        dialog->resize(520, 360);
        dialog->accept();  // hides without a close event
    }
    EXPECT_EQ(ini(PlacementFile::Program).readInteger("BudgetsCalcForm", "Left", 0), 250);
    EXPECT_EQ(ini(PlacementFile::Program).readInteger("BudgetsCalcForm", "Height", 0), 360);

    auto again = designedDialog();
    ui::keepPlacement(again.get(), "BudgetsCalcForm");
    again->show();
    EXPECT_EQ(placement(*again), QRect(250, 140, 520, 360));
    again->reject();
}

TEST_F(PlacementTest, AWindowClosedOffScreenReopensOffScreen)
{
    {
        auto dialog = designedDialog();
        ui::keepPlacement(dialog.get(), "QVBankTranForm");
        dialog->show();
        dialog->move(-3000, 9000);
        dialog->close();
    }
    auto again = designedDialog();
    ui::keepPlacement(again.get(), "QVBankTranForm");
    again->show();
    EXPECT_EQ(again->pos(), QPoint(-3000, 9000));
    again->close();
}

TEST_F(PlacementTest, WithoutAFileTheWindowStaysAsDesigned)
{
    auto dialog = designedDialog();
    ui::restorePlacement(dialog.get(), "QVMainForm");
    EXPECT_EQ(placement(*dialog), QRect(100, 80, 400, 300));
    EXPECT_FALSE(QFile::exists(ui::placementFile(PlacementFile::Program)));
}

TEST_F(PlacementTest, AMissingValueKeepsTheDesignedOne)
{
    ini(PlacementFile::Program).writeInteger("qvmainform", "WIDTH", 640);
    auto dialog = designedDialog();
    ui::restorePlacement(dialog.get(), "QVMainForm");
    EXPECT_EQ(placement(*dialog), QRect(100, 80, 640, 300));
}

TEST_F(PlacementTest, TheListsOpenedByBareNameKeepTheirPlacementApart)
{
    auto list = designedDialog();
    list->move(11, 22);
    ui::savePlacement(list.get(), "CoyChequeListForm", PlacementFile::Bare);
    EXPECT_FALSE(ini(PlacementFile::Program).sectionExists("CoyChequeListForm"));

    auto other = designedDialog();
    other->move(33, 44);
    ui::savePlacement(other.get(), "CoyChequeListForm", PlacementFile::Program);
    EXPECT_EQ(ini(PlacementFile::Bare).readInteger("CoyChequeListForm", "Left", 0), 11);

    auto reopened = designedDialog();
    ui::restorePlacement(reopened.get(), "CoyChequeListForm", PlacementFile::Bare);
    EXPECT_EQ(reopened->pos(), QPoint(11, 22));
}

// Writes Left=7 when the window is asked to close, after the placement keeper has saved.
class EditsFileOnClose : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            store::IniFile(ui::placementFile(PlacementFile::Program))
                .writeInteger("QVOpsForm", "Left", 7);
        return false;
    }
};

TEST_F(PlacementTest, AClosedWindowIsSavedOnceNotAgainWhenItHides)
{
    auto dialog = designedDialog();
    EditsFileOnClose editor;
    dialog->installEventFilter(&editor);  // filters run newest first: this one after the keeper
    ui::keepPlacement(dialog.get(), "QVOpsForm");
    dialog->show();
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(ini(PlacementFile::Program).readInteger("QVOpsForm", "Left", 0), 7);
}

class RefusingDialog : public QDialog {
public:
    bool refuse = true;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        if (refuse) event->ignore();
    }
};

TEST_F(PlacementTest, AWindowMovedAfterARefusedCloseIsSavedWhereItEnds)
{
    RefusingDialog dialog;
    dialog.move(100, 80);
    dialog.resize(400, 300);
    ui::keepPlacement(&dialog, "QVCoyOpsForm");
    dialog.show();
    dialog.close();  // "Save or cancel before exiting!"
    ASSERT_TRUE(dialog.isVisible());
    dialog.move(300, 200);
    dialog.accept();
    EXPECT_EQ(ini(PlacementFile::Program).readInteger("QVCoyOpsForm", "Left", 0), 300);
}

TEST_F(PlacementTest, AFileThatCannotBeWrittenDoesNotStopTheWindowClosing)
{
    // A folder stands where the file should be.
    ASSERT_TRUE(QDir().mkpath(ui::placementFile(PlacementFile::Program)));
    auto dialog = designedDialog();
    ui::keepPlacement(dialog.get(), "QVToolsForm");
    dialog->show();
    EXPECT_NO_THROW(dialog->close());
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(PlacementTest, TheMainWindowCreatesAnEmptyFileAndKeepsAnExistingOne)
{
    const QString path = ui::placementFile(PlacementFile::Program);
    ui::ensurePlacementFile();
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(QFileInfo(path).size(), 0);

    ini(PlacementFile::Program).writeInteger("QVMainForm", "Left", 5);
    ui::ensurePlacementFile();
    EXPECT_EQ(ini(PlacementFile::Program).readInteger("QVMainForm", "Left", 0), 5);
}

}  // namespace
