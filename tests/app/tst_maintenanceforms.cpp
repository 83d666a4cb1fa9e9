// The backup, restore, rebuild and clearing windows: what a user sees after each button, and
// the refusals while the data is in use, answered through the scripted message service.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "app/archiveform.h"
#include "app/clearprevyearform.h"
#include "app/dbrebuildform.h"
#include "ui/folderchooser.h"
#include "app/rebuildindexform.h"
#include "app/restorearchiveform.h"
#include "banking/sample_company.h"
#include "shelltest.h"
#include "store/query.h"
#include "ui/messages.h"

using shelltest::click;

namespace {

QString status(QWidget* w, const char* name = "StatusLabel") {
    return w->findChild<QLabel*>(QLatin1String(name))->text();
}

void chooseFolder(QWidget* w, const QString& folder) {
    w->findChild<ui::MediaFolderChooser*>()->setFolder(folder);
}

qint64 bankRows() {
    store::Connection c;
    c.connect();
    store::Query q(c);
    q.setSql("SELECT COUNT(*) FROM QVBnkTr");
    q.open();
    return q.value(0).toLongLong();
}

}  // namespace

class TestMaintenanceForms : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aBackupIsRestoredAndTheDataFolderIsRefusedAsTarget();
    void aFolderWithoutABackupIsRefusedWithItsReason();
    void theRebuildsReportSuccessAndATableInUse_data();
    void theRebuildsReportSuccessAndATableInUse();
    void clearingAsksWithCountsAndClearsOnlyOnYes();

private:
    std::unique_ptr<shelltest::FreshHome> home_;
    std::unique_ptr<ui::MessageScript> script_;
    std::unique_ptr<QTemporaryDir> mediaDir_;
    QString media() const { return mediaDir_->path(); }
};

void TestMaintenanceForms::init() {
    home_ = std::make_unique<shelltest::FreshHome>();
    store::Connection c;
    c.connect();
    banking::sample::makeDemoCompany(c, QDate(2026, 3, 31));
    banking::sample::postDemoEntries(c, 80, QDate(2026, 3, 31), 4, 80);
    script_ = std::make_unique<ui::MessageScript>();
    mediaDir_ = std::make_unique<QTemporaryDir>();
}

void TestMaintenanceForms::cleanup() {
    script_.reset();
    home_.reset();
}

void TestMaintenanceForms::aBackupIsRestoredAndTheDataFolderIsRefusedAsTarget() {
    const qint64 rows = bankRows();
    {
        TQVArchiveForm archive;
        archive.show();
        chooseFolder(&archive, media());
        QVERIFY(archive.findChild<QPushButton*>("BackUpButton")->isEnabled());
        click(&archive, "BackUpButton");
        QCOMPARE(status(&archive), QStringLiteral("Archive finished successfully."));
        QVERIFY(QFile::exists(QDir(media()).filePath("Manifest.ini")));

        store::Connection c;
        c.connect();
        chooseFolder(&archive, c.path());
        QCOMPARE(status(&archive),
                 QStringLiteral("Cannot archive to the same folder as the database!"));
        QVERIFY(!archive.findChild<QPushButton*>("BackUpButton")->isEnabled());
        banking::sample::postDemoEntries(c, 10, QDate(2026, 3, 31), 9, 10);
    }
    QVERIFY(bankRows() > rows);
    TRestoreArchiveForm restore;
    restore.show();
    // The last backup's folder is offered (no removable media here).
    QCOMPARE(restore.findChild<QLineEdit*>("FolderEdit")->text(), QDir::cleanPath(media()));
    click(&restore, "RestoreButton");
    QCOMPARE(
        script_->texts().value(0),
        QStringLiteral("Please make sure the correct media is installed. Click Ok to continue."));
    QCOMPARE(status(&restore), QStringLiteral("Recovery completed."));
    QCOMPARE(bankRows(), rows);
}

void TestMaintenanceForms::aFolderWithoutABackupIsRefusedWithItsReason() {
    const qint64 rows = bankRows();
    TRestoreArchiveForm restore;
    restore.show();
    chooseFolder(&restore, media());
    click(&restore, "RestoreButton");
    QVERIFY(status(&restore).startsWith("Recovery failed. The folder holds no complete backup"));
    QCOMPARE(script_->kinds().last(), ui::MsgKind::Error);

    // A window holding a table: the restore is refused as the data being in use.
    TQVArchiveForm archive;
    archive.show();
    chooseFolder(&archive, media());
    click(&archive, "BackUpButton");
    store::Connection c;
    c.connect();
    store::Table held(c, "QVBnkTr.DBF");
    held.open();
    click(&restore, "RestoreButton");
    QCOMPARE(status(&restore), QStringLiteral("Recovery failed. Was the database in use?"));
    QCOMPARE(bankRows(), rows);
}

void TestMaintenanceForms::theRebuildsReportSuccessAndATableInUse_data() {
    QTest::addColumn<bool>("indexes");
    QTest::addColumn<QString>("heldTable");
    QTest::addColumn<QString>("expectedStatus");
    QTest::addColumn<QString>("expectedMessage");
    QTest::newRow("index rebuild") << true << ""
                                   << "Rebuild complete."
                                   << "";
    QTest::newRow("index rebuild, bank names in use") << true << "QVBkHdr.DBF"
                                                      << "Rebuild did not complete."
                                                      << "Unable to rebuild Bank Names table!";
    QTest::newRow("database rebuild") << false << ""
                                      << "Rebuild complete: the database was checked and compacted."
                                      << "";
    QTest::newRow("database rebuild, journal in use") << false << "QVActTr.DBF"
                                                      << "Rebuild failed on QVActTr.dbf"
                                                      << "Rebuild failed on QVActTr.dbf.";
}

void TestMaintenanceForms::theRebuildsReportSuccessAndATableInUse() {
    QFETCH(bool, indexes);
    QFETCH(QString, heldTable);
    QFETCH(QString, expectedStatus);
    QFETCH(QString, expectedMessage);
    store::Connection c;
    c.connect();
    std::unique_ptr<store::Table> held;
    if (!heldTable.isEmpty()) {
        held = std::make_unique<store::Table>(c, heldTable);
        held->open();
    }
    std::unique_ptr<QDialog> w;
    if (indexes)
        w = std::make_unique<TRebuildIndexForm>();
    else
        w = std::make_unique<TNRVDBRebuildForm>();
    w->show();
    click(w.get(), indexes ? "OKButton" : "ProceedButton");
    QCOMPARE(status(w.get(), indexes ? "StatusLabel" : "StatusPanel"), expectedStatus);
    if (expectedMessage.isEmpty()) {
        QVERIFY(script_->texts().isEmpty());
    } else {
        QVERIFY2(script_->texts().value(0).startsWith(expectedMessage),
                 qPrintable(script_->texts().value(0)));
    }
}

void TestMaintenanceForms::clearingAsksWithCountsAndClearsOnlyOnYes() {
    const qint64 rows = bankRows();
    TClearPrevYearForm clear;
    clear.today = QDate(2026, 3, 31);
    clear.show();
    QCOMPARE(clear.windowTitle(), QStringLiteral("Clearing previous year's transactions."));
    script_->answer(ui::MsgAnswer::No);
    click(&clear, "ClearButton");
    QVERIFY(script_->texts().value(0).startsWith("Clear every company's transactions dated from"));
    QCOMPARE(bankRows(), rows);

    // Yes to the clear, No to clearing unreconciled rows: nothing goes.
    script_->clear();
    script_->answer(ui::MsgAnswer::Yes);
    script_->answer(ui::MsgAnswer::No);
    click(&clear, "ClearButton");
    QCOMPARE(script_->texts().size(), 2);
    QVERIFY(script_->texts().value(1).contains("not reconciled"));
    QCOMPARE(bankRows(), rows);

    script_->clear();
    click(&clear, "ClearButton");  // Yes to both
    QCOMPARE(status(&clear), QStringLiteral("Clearing completed."));
    QVERIFY(bankRows() < rows);
}

QTEST_MAIN(TestMaintenanceForms)
#include "tst_maintenanceforms.moc"
