// Windows reopen where the user left them, from "NRVCash.ini".
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <memory>

#include "store/inifile.h"
#include "ui/placement.h"

using ui::PlacementFile;

namespace {

class PlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        savedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", savedConfig); }

    // A dialog as designed: at (100, 80), 400 by 300.
    static std::unique_ptr<QDialog> designedDialog() {
        auto dialog = std::make_unique<QDialog>();
        dialog->move(100, 80);
        dialog->resize(400, 300);
        return dialog;
    }

    static QRect placement(const QWidget& w) { return w.geometry(); }

    static store::IniFile ini(PlacementFile which) {
        return store::IniFile(ui::placementFile(which));
    }

    QTemporaryDir home;
    QByteArray savedConfig;
};

TEST_F(PlacementTest, ADialogMovedAndAcceptedReopensWhereItWasLeft) {
    {
        auto dialog = designedDialog();
        ui::keepPlacement(dialog.get(), "BudgetsCalcForm");
        dialog->show();
        dialog->setGeometry(250, 140, 520, 360);
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

TEST_F(PlacementTest, AWindowLeftOffScreenReopensOnTheScreenAtAUsableSize) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    ini(PlacementFile::Program)
        .writeStrings(
            "QVBankTranForm",
            {{"Left", "-3000"}, {"Top", "99999999999"}, {"Width", "2147483647"}, {"Height", "-5"}});
    auto again = designedDialog();
    ui::keepPlacement(again.get(), "QVBankTranForm");
    again->show();
    EXPECT_TRUE(screen.contains(again->geometry())) << again->geometry().x();
    EXPECT_EQ(again->width(), screen.width());
    EXPECT_GE(again->height(), 60);
    again->close();
}

struct Fit {
    const char* story;
    QRect placed, expected;
};

void PrintTo(const Fit& f, std::ostream* os) { *os << f.story; }

class FitOnScreen : public ::testing::TestWithParam<Fit> {};

// Two screens side by side, the primary 1920 by 1040 below a 40-pixel panel, a frame of 1 pixel
// with a 20-pixel title bar, and windows no smaller than 200 by 100.
TEST_P(FitOnScreen, BringsThePlacementOntoAScreen) {
    const QList<QRect> screens{QRect(0, 40, 1920, 1040), QRect(1920, 0, 1280, 1024)};
    EXPECT_EQ(ui::fitOnScreen(GetParam().placed, screens, QSize(200, 100), QMargins(1, 20, 1, 1)),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FitOnScreen,
    ::testing::Values(
        Fit{"on the primary screen: unchanged", {100, 200, 640, 480}, {100, 200, 640, 480}},
        Fit{"on the second screen: unchanged", {2000, 100, 800, 600}, {2000, 100, 800, 600}},
        Fit{"title bar under the panel", {100, 50, 640, 480}, {100, 60, 640, 480}},
        Fit{"far left and above", {-3000, -3000, 640, 480}, {1, 60, 640, 480}},
        Fit{"beyond every screen: back on the primary",
            {9000, 500, 640, 480},
            {1279, 500, 640, 480}},
        Fit{"below every screen", {300, 90000, 640, 480}, {300, 599, 640, 480}},
        Fit{"huge: the whole primary screen", {0, 0, 100000, 100000}, {1, 60, 1918, 1019}},
        Fit{"negative size: the smallest usable", {100, 200, -5, -5}, {100, 200, 200, 100}},
        Fit{"tiny", {100, 200, 1, 1}, {100, 200, 200, 100}},
        Fit{"across both screens: the one it mostly lies on",
            {1800, 100, 640, 480},
            {1921, 100, 640, 480}},
        Fit{"wider than the second screen", {2000, 100, 1500, 480}, {1921, 100, 1278, 480}}));

TEST_F(PlacementTest, WithoutAFileTheWindowStaysAsDesigned) {
    auto dialog = designedDialog();
    ui::restorePlacement(dialog.get(), "QVMainForm");
    EXPECT_EQ(placement(*dialog), QRect(100, 80, 400, 300));
    EXPECT_FALSE(QFile::exists(ui::placementFile(PlacementFile::Program)));
}

TEST_F(PlacementTest, AMissingValueKeepsTheDesignedOne) {
    ini(PlacementFile::Program).writeInteger("qvmainform", "WIDTH", 640);
    auto dialog = designedDialog();
    ui::restorePlacement(dialog.get(), "QVMainForm");
    EXPECT_EQ(placement(*dialog), QRect(100, 80, 640, 300));
}

TEST_F(PlacementTest, TheListsOpenedByBareNameKeepTheirPlacementApart) {
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
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close)
            store::IniFile(ui::placementFile(PlacementFile::Program))
                .writeInteger("QVOpsForm", "Left", 7);
        return false;
    }
};

TEST_F(PlacementTest, AClosedWindowIsSavedOnceNotAgainWhenItHides) {
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
    void closeEvent(QCloseEvent* event) override {
        if (refuse) event->ignore();
    }
};

TEST_F(PlacementTest, AWindowMovedAfterARefusedCloseIsSavedWhereItEnds) {
    RefusingDialog dialog;
    dialog.move(100, 80);
    dialog.resize(400, 300);
    ui::keepPlacement(&dialog, "QVCoyOpsForm");
    dialog.show();
    dialog.close();  // "Save or cancel before exiting!"
    ASSERT_TRUE(dialog.isVisible());
    dialog.setGeometry(300, 200, 400, 300);
    dialog.accept();
    EXPECT_EQ(ini(PlacementFile::Program).readInteger("QVCoyOpsForm", "Left", 0), 300);
}

TEST_F(PlacementTest, AFileThatCannotBeWrittenDoesNotStopTheWindowClosing) {
    // A folder stands where the file should be.
    ASSERT_TRUE(QDir().mkpath(ui::placementFile(PlacementFile::Program)));
    auto dialog = designedDialog();
    ui::keepPlacement(dialog.get(), "QVToolsForm");
    dialog->show();
    EXPECT_NO_THROW(dialog->close());
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(PlacementTest, TheMainWindowCreatesAnEmptyFileAndKeepsAnExistingOne) {
    const QString path = ui::placementFile(PlacementFile::Program);
    ui::ensurePlacementFile();
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(QFileInfo(path).size(), 0);

    ini(PlacementFile::Program).writeInteger("QVMainForm", "Left", 5);
    ui::ensurePlacementFile();
    EXPECT_EQ(ini(PlacementFile::Program).readInteger("QVMainForm", "Left", 0), 5);
}

}  // namespace
