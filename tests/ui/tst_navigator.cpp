// The record navigator over a table of three companies, and a grid that follows it.
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "store/connection.h"
#include "store/table.h"
#include "store/transaction.h"
#include "support/temp_folder.h"
#include "ui/datagrid.h"
#include "ui/messages.h"
#include "ui/navigator.h"

class TestNavigator : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void buttonsFollowTheEnds_data();
    void buttonsFollowTheEnds();
    void emptyTableDisablesEverything();
    void disablingAllOverridesThePosition();
    void moveSignalsOnlyAfterAMove();
    void gridFollowsTheNavigator();
    void clickingAGridRowMovesTheTable();
    void gridStaysOnARecordBeingEdited();
    void gridSizesItsColumnsOnItsFirstRows();

private:
    QToolButton* button(const char* name) const;
    QString buttonStates() const;

    QTemporaryDir settings_;
    std::unique_ptr<TempDataFolder> folder_;
    std::unique_ptr<store::Table> table_;
    std::unique_ptr<ui::Navigator> navigator_;
};

void TestNavigator::initTestCase() {
    QVERIFY(settings_.isValid());
    qputenv("XDG_CONFIG_HOME", settings_.filePath("config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", settings_.filePath("data").toLocal8Bit());
}

void TestNavigator::init() {
    folder_ = std::make_unique<TempDataFolder>();
    {
        store::Table coy(folder_->connection, "QVCoy.DBF");
        coy.open();
        store::Transaction tx(folder_->connection);
        // Appended out of order: the BUSCODE tag puts them A, B, C.
        for (const char* code : {"C", "A", "B"}) {
            coy.append();
            coy.setValue("BUSCODE", QString::fromLatin1(code));
            coy.setValue("BUSNAME", QStringLiteral("Company ") + QLatin1String(code));
            coy.post();
        }
        tx.commit();
    }
    table_ = std::make_unique<store::Table>(folder_->connection, "QVCoy.DBF");
    table_->setIndexName("BUSCODE");
    table_->open();
    table_->first();
    navigator_ = std::make_unique<ui::Navigator>();
    navigator_->setTable(table_.get());
}

void TestNavigator::cleanup() {
    navigator_.reset();
    table_.reset();
    folder_.reset();
}

QToolButton* TestNavigator::button(const char* name) const {
    auto* b = navigator_->findChild<QToolButton*>(QString::fromLatin1(name));
    Q_ASSERT(b);
    return b;
}

// "FPNL" with a letter for each enabled button and "-" for each disabled one.
QString TestNavigator::buttonStates() const {
    QString states;
    states += button("FirstButton")->isEnabled() ? 'F' : '-';
    states += button("PriorButton")->isEnabled() ? 'P' : '-';
    states += button("NextButton")->isEnabled() ? 'N' : '-';
    states += button("LastButton")->isEnabled() ? 'L' : '-';
    return states;
}

void TestNavigator::buttonsFollowTheEnds_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("states");

    QTest::newRow("opened on the first") << QStringList{} << "A"
                                         << "--NL";
    QTest::newRow("next") << QStringList{"NextButton"} << "B"
                          << "FPNL";
    QTest::newRow("last") << QStringList{"LastButton"} << "C"
                          << "FP--";
    QTest::newRow("last then prior") << QStringList{"LastButton", "PriorButton"} << "B"
                                     << "FPNL";
    QTest::newRow("past the end") << QStringList{"NextButton", "NextButton", "NextButton"} << "C"
                                  << "FP--";
    QTest::newRow("back to first") << QStringList{"LastButton", "FirstButton"} << "A"
                                   << "--NL";
}

void TestNavigator::buttonsFollowTheEnds() {
    QFETCH(QStringList, clicks);
    QFETCH(QString, code);
    QFETCH(QString, states);

    for (const QString& name : clicks) {
        QToolButton* b = button(name.toLatin1().constData());
        QVERIFY2(b->isEnabled(), qPrintable(name + " should be enabled"));
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QCOMPARE(table_->text("BUSCODE"), code);
    QCOMPARE(buttonStates(), states);
}

void TestNavigator::emptyTableDisablesEverything() {
    table_->setFilter("BUSCODE = :code", {{"code", "Z"}});
    table_->first();
    navigator_->updateButtons();
    QCOMPARE(buttonStates(), QString("----"));
    navigator_->setTable(nullptr);
    QCOMPARE(buttonStates(), QString("----"));
}

void TestNavigator::disablingAllOverridesThePosition() {
    table_->next();
    navigator_->setEnabledAll(false);
    QCOMPARE(buttonStates(), QString("----"));
    navigator_->updateButtons();
    QCOMPARE(buttonStates(), QString("----"));
    navigator_->setEnabledAll(true);
    QCOMPARE(buttonStates(), QString("FPNL"));
}

void TestNavigator::moveSignalsOnlyAfterAMove() {
    QSignalSpy moved(navigator_.get(), &ui::Navigator::moved);
    QTest::mouseClick(button("NextButton"), Qt::LeftButton);
    QCOMPARE(moved.count(), 1);

    // A table that is being edited refuses to move; the error is reported, not signalled.
    ui::MessageScript script;
    table_->edit();
    QTest::mouseClick(button("LastButton"), Qt::LeftButton);
    table_->cancel();
    QCOMPARE(moved.count(), 1);
    QCOMPARE(script.kinds(), QList<ui::MsgKind>{ui::MsgKind::Error});
    QCOMPARE(table_->text("BUSCODE"), QString("B"));
}

void TestNavigator::gridFollowsTheNavigator() {
    ui::DataGrid grid;
    grid.bindTable(
        folder_->connection, table_.get(),
        {{"BUSCODE", "Code", {}, Qt::AlignLeft}, {"BUSNAME", "Name", {}, Qt::AlignLeft}});
    connect(navigator_.get(), &ui::Navigator::moved, &grid, &ui::DataGrid::syncToTable);
    QSignalSpy changed(&grid, &ui::DataGrid::currentRecordChanged);
    QCOMPARE(grid.currentRow(), 0);

    QTest::mouseClick(button("NextButton"), Qt::LeftButton);
    QCOMPARE(grid.currentRow(), 1);
    QCOMPARE(grid.model()->index(grid.currentRow(), 0).data().toString(), QString("B"));
    QCOMPARE(changed.count(), 1);

    QTest::mouseClick(button("LastButton"), Qt::LeftButton);
    QCOMPARE(grid.currentRow(), 2);
    QCOMPARE(changed.count(), 2);
    // Following the table must not move it.
    QCOMPARE(table_->text("BUSCODE"), QString("C"));
}

void TestNavigator::clickingAGridRowMovesTheTable() {
    ui::DataGrid grid;
    grid.bindTable(folder_->connection, table_.get(), {{"BUSCODE", "Code", {}, Qt::AlignLeft}});
    connect(&grid, &ui::DataGrid::currentRecordChanged, navigator_.get(),
            &ui::Navigator::updateButtons);
    grid.resize(300, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    const QRect cell = grid.visualRect(grid.model()->index(2, 0));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(table_->text("BUSCODE"), QString("C"));
    QCOMPARE(grid.currentRow(), 2);

    // Rows added through another table object show after a refresh, the cursor staying put.
    {
        store::Table other(folder_->connection, "QVCoy.DBF");
        other.open();
        other.append();
        other.setValue("BUSCODE", "0");
        other.post();
    }
    grid.refresh();
    QCOMPARE(grid.model()->rowCount(), 4);
    QCOMPARE(grid.currentRow(), 3);
    QCOMPARE(table_->text("BUSCODE"), QString("C"));
}

void TestNavigator::gridStaysOnARecordBeingEdited() {
    ui::DataGrid grid;
    grid.bindTable(folder_->connection, table_.get(), {{"BUSCODE", "Code", {}, Qt::AlignLeft}});
    grid.resize(300, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    ui::MessageScript script;
    table_->edit();
    const QRect cell = grid.visualRect(grid.model()->index(1, 0));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(script.kinds(), QList<ui::MsgKind>{ui::MsgKind::Error});
    QCOMPARE(grid.currentRow(), 0);
    table_->cancel();
    QCOMPARE(table_->text("BUSCODE"), QString("A"));
}

// An empty list is sized by its headings; its first rows (an account's first entry) widen it,
// and so do longer rows later, except in a column the user sized.
void TestNavigator::gridSizesItsColumnsOnItsFirstRows() {
    const QString longName = QStringLiteral("Company with a name far wider than its heading");
    table_->setFilter("COYCODE = :coy", {{"coy", 5}});
    ui::DataGrid grid;
    grid.bindTable(
        folder_->connection, table_.get(),
        {{"BUSCODE", "Code", {}, Qt::AlignLeft}, {"BUSNAME", "Name", {}, Qt::AlignLeft}});
    QCOMPARE(grid.model()->rowCount(), 0);
    const int nameWidth = grid.fontMetrics().horizontalAdvance(longName);
    QVERIFY(grid.columnWidth(1) < nameWidth);

    store::execSql(folder_->connection.handle(),
                   "UPDATE QVCoy SET COYCODE = 5, BUSNAME = '" + longName + "'");
    grid.refresh();
    QCOMPARE(grid.model()->rowCount(), 3);
    QVERIFY(grid.columnWidth(1) >= nameWidth);

    // A longer code widens its column; the name column the user narrowed stays narrow.
    grid.setColumnWidth(1, 60);
    const QString longCode = QStringLiteral("WIDECODE99");
    store::execSql(folder_->connection.handle(),
                   "UPDATE QVCoy SET BUSCODE = '" + longCode + "' WHERE BUSCODE = 'A'");
    grid.refresh();
    QCOMPARE(grid.columnWidth(1), 60);
    QVERIFY(grid.columnWidth(0) >= grid.fontMetrics().horizontalAdvance(longCode));
}

QTEST_MAIN(TestNavigator)
#include "tst_navigator.moc"
