// Starting on a data folder that cannot be opened: the user is told what is wrong and chooses
// another folder, a new book there, or the end of the program.
#include <QFileDialog>
#include <QtTest>

#include "app/datafolderstart.h"
#include "shelltest.h"
#include "store/datafolder.h"
#include "store/inifile.h"
#include "store/paths.h"
#include "support/qt/modalwait.h"
#include "ui/messages.h"

class TestDataFolderStart : public QObject {
    Q_OBJECT

private slots:
    void init() { home_ = std::make_unique<shelltest::FreshHome>(); }
    void cleanup() { home_.reset(); }

    void aFirstStartMakesTheDefaultFolderWithoutAsking();
    void aFolderThatCannotBeOpenedIsAskedAbout_data();
    void aFolderThatCannotBeOpenedIsAskedAbout();
    void anotherFolderChosenInTheDialogBecomesTheDataFolder();

private:
    QString configure(const QString& folder) {
        store::paths::setAliasFolder(QStringLiteral("NRV"), folder);
        return store::paths::aliasFolder(QStringLiteral("NRV")).folder;
    }
    static QString neverChosen(QWidget*, const QString&) {
        QTest::qFail("the folder dialog was opened", __FILE__, __LINE__);
        return {};
    }

    std::unique_ptr<shelltest::FreshHome> home_;
};

void TestDataFolderStart::aFirstStartMakesTheDefaultFolderWithoutAsking() {
    ui::MessageScript script;
    QVERIFY(app::settleDataFolder(nullptr, neverChosen));
    QCOMPARE(script.texts(), QStringList());
    QVERIFY(!QFileInfo::exists(store::paths::aliasFile()));
    store::Connection c;
    c.connect();
    QCOMPARE(c.path(), store::paths::defaultDataFolder());
}

void TestDataFolderStart::aFolderThatCannotBeOpenedIsAskedAbout_data() {
    QTest::addColumn<QString>("content");  // what the configured folder holds
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("started");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<bool>("bookAfter");  // the folder then holds books
    const int yesNoCancel = int(ui::MsgButtons::YesNoCancel);
    const int cancel = int(ui::MsgAnswer::Cancel), no = int(ui::MsgAnswer::No);
    QTest::newRow("a folder on a drive not connected, cancelled: nothing is made")
        << "missing" << cancel << false << "does not exist" << yesNoCancel << false;
    QTest::newRow("a folder on a drive not connected, a new book asked for")
        << "missing" << no << true << "does not exist" << yesNoCancel << true;
    QTest::newRow("a zero-byte store, cancelled: the file stays as it was")
        << "zero" << cancel << false << "is empty" << yesNoCancel << false;
    QTest::newRow("a damaged store, a new book asked for: the old file is set aside")
        << "damaged" << no << true << "is damaged" << yesNoCancel << true;
    QTest::newRow("a file where the folder should be offers no new book")
        << "file" << no << false << "is a file" << int(ui::MsgButtons::OkCancel) << false;
}

void TestDataFolderStart::aFolderThatCannotBeOpenedIsAskedAbout() {
    QFETCH(QString, content);
    QFETCH(int, answer);
    QFETCH(bool, started);
    QFETCH(QString, problem);
    QFETCH(int, buttons);
    QFETCH(bool, bookAfter);
    QString folder = home_->path() + "/books";
    if (content == "file" || content == "zero" || content == "damaged") {
        if (content != "file") QDir().mkpath(folder);
        QFile f(content == "file" ? folder : folder + "/quorvel.db");
        QVERIFY(f.open(QIODevice::WriteOnly));
        if (content != "zero") f.write(QByteArray(4096, 'x'));
    }
    folder = configure(folder);

    ui::MessageScript script;
    script.answer(ui::MsgAnswer(answer));
    // An OK/Cancel box reads "No" as Cancel: the program then ends.
    script.setDefaultAnswer(ui::MsgAnswer::Cancel);
    QCOMPARE(app::settleDataFolder(nullptr, neverChosen), started);
    QCOMPARE(script.texts().size(), 1);
    QVERIFY2(script.texts().value(0).contains(problem), qPrintable(script.texts().value(0)));
    QCOMPARE(int(script.buttons().value(0)), buttons);
    QCOMPARE(store::examineDataFolder(folder, false).state == store::FolderState::Ready, bookAfter);
    QCOMPARE(store::paths::aliasFolder(QStringLiteral("NRV")).folder, folder);
    if (content == "missing" && !started) QVERIFY(!QFileInfo::exists(folder));
    if (content == "zero") QCOMPARE(QFileInfo(folder + "quorvel.db").size(), 0);
    if (content == "damaged") {
        const QStringList aside = QDir(folder).entryList({"quorvel.db.set-aside-*"});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(QFileInfo(folder + aside.value(0)).size(), 4096);
    }
}

void TestDataFolderStart::anotherFolderChosenInTheDialogBecomesTheDataFolder() {
    const QString books = home_->path() + "/books/";
    {
        store::Connection c;
        c.connectToFolder(books);
    }
    const QString unplugged = configure(home_->path() + "/media/usb/books");

    ui::MessageScript script;
    script.answer(ui::MsgAnswer::Yes);
    QString dialogTitle;
    auto dialog = testing_support::whenShown<QFileDialog>([&](QFileDialog* d) {
        dialogTitle = d->windowTitle();
        d->setDirectory(books);
        static_cast<QDialog*>(d)->accept();  // QFileDialog::accept, as the Choose button
    });
    QVERIFY(app::settleDataFolder());
    QVERIFY(dialog->seen);
    QCOMPARE(dialogTitle, QStringLiteral("Choose the data folder"));
    QCOMPARE(script.texts().size(), 1);
    QCOMPARE(store::paths::aliasFolder(QStringLiteral("NRV")).folder, books);
    QVERIFY(!QFileInfo::exists(unplugged));
}

QTEST_MAIN(TestDataFolderStart)
#include "tst_datafolderstart.moc"
