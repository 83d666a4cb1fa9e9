// Starting Quorvel, its main window's commands and shutting it down.
#include "app/aboutbox.h"
#include "app/archiveform.h"
#include "app/launchers.h"
#include "app/mainform.h"
#include "banking/banktranform.h"
#include "exchange/importtextform.h"
#include "banking/rectransform.h"
#include "ledger/companyform.h"
#include "payments/addeditsuppform.h"
#include "payments/chqentryform.h"
#include "shelltest.h"
#include "support/qt/modalwait.h"
#include "store/inifile.h"
#include "ui/help.h"
#include "ui/messages.h"
#include "ui/placement.h"

#include <QAction>
#include <QLabel>
#include <QTabWidget>
#include <QtTest>

#include <QAbstractButton>

namespace {
// Leaves a maintenance window as a user would: cancel any edit, then exit.
void leaveWindow(QWidget* form)
{
    for (const char* name : {"CancelButton", "ExitButton"})
        if (auto* b = form->findChild<QAbstractButton*>(QString::fromLatin1(name)); b && b->isEnabled()) b->click();
}
}  // namespace

using shelltest::click;

class TestMainForm : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void cancellingTheWizardOnTheAgreementPageStillStarts();
    void aCompanyMadeInTheWizardIsActiveAtOnce();
    void agreeingThenCancellingCountsAsSetUp();
    void onlyTheExactNameStartsTheWizard_data();
    void onlyTheExactNameStartsTheWizard();
    void anEmptyControlTableGivesCompanyZero();
    void anUnreachableStoreLeavesNoActiveCompany_data();
    void anUnreachableStoreLeavesNoActiveCompany();
    void guardedCommandsGoAheadWithAnActiveCompany();
    void suppliersOpensSupplierMaintenanceForTheActiveCompany();
    void shutdownOffersABackupOnlyWhenAskedAtStartUp_data();
    void shutdownOffersABackupOnlyWhenAskedAtStartUp();
    void shutdownLooksAtTheValueReadAtStartUp();
    void placementFileIsCreatedAndTheWindowReopensWhereItWasLeft();
    void itemsWithoutActionDoNothing_data();
    void itemsWithoutActionDoNothing();
    void operationsButtonOpensTheLauncherForTheActiveCompany();
    void helpMenuShowsTheAboutBox();
    void f1OpensHelpAtTheMainWindowsContext();
    void menuShortcutsWorkFromTheKeyboard();

private:
    // Starts the main window on a record that is not "Name", so no wizard runs.
    std::unique_ptr<TQVMainForm> startNamed(const QString& name = QStringLiteral("Harbour Cafe"),
                                            int recAuto = 0);
    static QString status(TQVMainForm& w)
    {
        return w.findChild<QLabel*>(QStringLiteral("StatusText"))->text();
    }
    static void trigger(QWidget& w, const char* item)
    {
        auto* action = w.findChild<QAction*>(QLatin1String(item));
        QVERIFY2(action, item);
        action->trigger();
    }

    std::unique_ptr<shelltest::FreshHome> home_;
};

void TestMainForm::init() { home_ = std::make_unique<shelltest::FreshHome>(); }

void TestMainForm::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("HelpWindow")) w->close();
    home_.reset();
}

std::unique_ptr<TQVMainForm> TestMainForm::startNamed(const QString& name, int recAuto)
{
    shelltest::setControl({{"BUSNAME", name}, {"RECAUTO", recAuto}});
    return std::make_unique<TQVMainForm>();
}

void TestMainForm::cancellingTheWizardOnTheAgreementPageStillStarts()
{
    ui::MessageScript script;
    bool onAgreementPage = false;
    shelltest::WizardWatcher watcher([&](TQVWizardForm* w) {
        onAgreementPage = w->pages()->currentIndex() == TQVWizardForm::LicensePage
                          && !w->pages()->isTabEnabled(TQVWizardForm::CompanyPage);
        click(w, "CancelButton");
    });
    TQVMainForm main;
    QCOMPARE(watcher.seen(), 1);
    QVERIFY(onAgreementPage);
    QCOMPARE(script.texts(), QStringList{"Quorvel set up not complete."});
    QVERIFY(script.beeps() >= 1);
    QCOMPARE(main.activeCompany().code, QStringLiteral("1"));
    QCOMPARE(main.activeCompany().name, QStringLiteral("Name"));
    QVERIFY(main.activeCompany().active);
    QCOMPARE(status(main), QStringLiteral("Active company is : Name"));
}

void TestMainForm::aCompanyMadeInTheWizardIsActiveAtOnce()
{
    ui::MessageScript script;
    shelltest::WizardWatcher watcher([&](TQVWizardForm* w) {
        click(w, "AgreeButton");
        // What company maintenance saves while the wizard waits for it.
        testing_support::whenShown<TQVCompanyForm>([](TQVCompanyForm* form) {
            shelltest::setControl({{"BUSNAME", "Kowhai Orchards"}});
            leaveWindow(form);
        });
        click(w, "CompanyButton");
        click(w, "CancelButton");
    });
    TQVMainForm main;
    QCOMPARE(watcher.seen(), 1);
    QCOMPARE(script.texts(), QStringList{});
    QCOMPARE(status(main), QStringLiteral("Active company is : Kowhai Orchards"));
    QCOMPARE(main.activeCompany().name, QStringLiteral("Kowhai Orchards"));
}

void TestMainForm::agreeingThenCancellingCountsAsSetUp()
{
    ui::MessageScript script;
    shelltest::WizardWatcher watcher([&](TQVWizardForm* w) {
        click(w, "AgreeButton");
        click(w, "CancelButton");
    });
    TQVMainForm main;
    QCOMPARE(watcher.seen(), 1);
    QCOMPARE(script.texts(), QStringList{});
}

void TestMainForm::onlyTheExactNameStartsTheWizard_data()
{
    QTest::addColumn<QString>("busName");
    QTest::addColumn<bool>("wizard");
    QTest::newRow("Name") << "Name" << true;
    QTest::newRow("trailing blanks are not kept") << "Name   " << true;
    QTest::newRow("lower case") << "name" << false;
    QTest::newRow("upper case") << "NAME" << false;
    QTest::newRow("leading blank") << " Name" << false;
    QTest::newRow("a real name") << "Name Brothers Ltd" << false;
}

void TestMainForm::onlyTheExactNameStartsTheWizard()
{
    QFETCH(QString, busName);
    QFETCH(bool, wizard);
    shelltest::setControl({{"BUSNAME", busName}});
    ui::MessageScript script;
    shelltest::WizardWatcher watcher([](TQVWizardForm* w) { click(w, "CancelButton"); });
    TQVMainForm main;
    QCOMPARE(watcher.seen() == 1, wizard);
    QVERIFY(main.activeCompany().active);
}

void TestMainForm::anEmptyControlTableGivesCompanyZero()
{
    shelltest::emptyControlTable();
    ui::MessageScript script;
    TQVMainForm main;
    QCOMPARE(script.texts(), QStringList{});
    QCOMPARE(main.activeCompany().code, QStringLiteral("0"));
    QCOMPARE(main.activeCompany().name, QString());
    QVERIFY(main.activeCompany().active);
    QCOMPARE(status(main), QStringLiteral("Active company is : "));
}

void TestMainForm::anUnreachableStoreLeavesNoActiveCompany_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("Cheques/Payments") << "ChequesItem" << "No active company...cannot enter cheques.";
    QTest::newRow("Bank Transactions")
        << "BankTransItem" << "No active company...cannot enter transactions.";
    QTest::newRow("Recurring Transactions") << "RecurringItem" << "No Active company!";
}

void TestMainForm::anUnreachableStoreLeavesNoActiveCompany()
{
    QFETCH(QString, item);
    QFETCH(QString, refusal);
    // The alias names a folder inside a plain file: it can never be created.
    QFile blocker(home_->path() + "/blocker");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    store::IniFile(store::paths::aliasFile()).writeString("NRV", "Path", blocker.fileName() + "/data");

    ui::MessageScript script;
    TQVMainForm main;
    QCOMPARE(script.texts().size(), 1);
    QCOMPARE(script.kinds().value(0), ui::MsgKind::Error);
    QVERIFY(!script.texts().value(0).isEmpty());
    QVERIFY(!main.activeCompany().active);
    QCOMPARE(main.activeCompany().code, QString());
    QCOMPARE(status(main), QString());

    script.clear();
    const auto before = shelltest::visibleWindows();
    trigger(main, item.toLatin1().constData());
    QCOMPARE(script.texts(), QStringList{refusal});
    QCOMPARE(script.kinds(), QList<ui::MsgKind>{ui::MsgKind::Error});
    QCOMPARE(script.beeps(), 1);
    QCOMPARE(shelltest::visibleWindows(), before);
}

void TestMainForm::guardedCommandsGoAheadWithAnActiveCompany()
{
    auto main = startNamed();
    ui::MessageScript script;
    auto payments = testing_support::whenShown<TChqEntryForm>(
        [](TChqEntryForm* w) { static_cast<QDialog*>(w)->reject(); });
    trigger(*main, "ChequesItem");
    QVERIFY(payments->seen);
    auto recurring = testing_support::whenShown<TRecTransForm>(
        [](TRecTransForm* w) { static_cast<QDialog*>(w)->reject(); });
    trigger(*main, "RecurringItem");
    QVERIFY(recurring->seen);
    QCOMPARE(script.texts(), QStringList{});
    // Bank transactions opens its window for the active company.
    QString coy;
    auto opened = testing_support::whenShown<TQVBankTranForm>([&](TQVBankTranForm* w) {
        coy = w->coyCode;
        static_cast<QDialog*>(w)->reject();
    });
    trigger(*main, "BankTransItem");
    QVERIFY(opened->seen);
    QCOMPARE(coy, QStringLiteral("1"));
    // "From Bank Account" opens statement import for the active company.
    int importCoy = 0;
    auto import = testing_support::whenShown<TImportTextForm>([&](TImportTextForm* w) {
        importCoy = w->coyCode;
        static_cast<QDialog*>(w)->reject();
    });
    trigger(*main, "ImportBankItem");
    QVERIFY(import->seen);
    QCOMPARE(importCoy, 1);
}

void TestMainForm::suppliersOpensSupplierMaintenanceForTheActiveCompany()
{
    auto main = startNamed();
    int coy = 0;
    auto opened = testing_support::whenShown<TAddEditSuppForm>([&](TAddEditSuppForm* w) {
        coy = w->coyNo;
        w->reject();
    });
    trigger(*main, "SuppliersItem");
    QVERIFY(opened->seen);
    QCOMPARE(coy, 1);
}

void TestMainForm::shutdownOffersABackupOnlyWhenAskedAtStartUp_data()
{
    QTest::addColumn<int>("recAuto");
    QTest::addColumn<ui::MsgAnswer>("answer");
    QTest::addColumn<QStringList>("asked");
    const QStringList backup{"Please connect backup media.  Press 'Ok' when ready."};
    QTest::newRow("no backup wanted") << 0 << ui::MsgAnswer::Ok << QStringList{};
    QTest::newRow("backup, OK") << 1 << ui::MsgAnswer::Ok << backup;
    QTest::newRow("backup, Cancel") << 1 << ui::MsgAnswer::Cancel << backup;
}

void TestMainForm::shutdownOffersABackupOnlyWhenAskedAtStartUp()
{
    QFETCH(int, recAuto);
    QFETCH(ui::MsgAnswer, answer);
    QFETCH(QStringList, asked);
    auto main = startNamed(QStringLiteral("Harbour Cafe"), recAuto);
    main->show();
    // The last backup went to a folder that is still there: OK backs up into it at once.
    QTemporaryDir media;
    store::Connection c;
    c.connect();
    store::IniFile(c.path() + "Archive.ini").writeString("DRIVE HDR", "Archive Disk", media.path() + "/");
    const bool backedUp = recAuto == 1 && answer == ui::MsgAnswer::Ok;
    QString outcome;
    std::shared_ptr<testing_support::ModalWaitResult> archive;
    if (backedUp)
        archive = testing_support::whenShown<TQVArchiveForm>([&](TQVArchiveForm* w) {
            auto* status = w->findChild<QLabel*>("StatusLabel");
            if (QTest::qWaitFor([&] { return status->text().startsWith("Archive f"); }, 5000))
                outcome = status->text();
            w->close();
        });
    ui::MessageScript script;
    script.setDefaultAnswer(answer);
    QVERIFY(main->close());
    QVERIFY(!main->isVisible());
    QCOMPARE(script.texts(), asked);
    if (!asked.isEmpty()) QCOMPARE(script.buttons().value(0), ui::MsgButtons::OkCancel);
    if (archive) QVERIFY(archive->seen);
    QCOMPARE(outcome, backedUp ? QStringLiteral("Archive finished successfully.") : QString());
    QCOMPARE(QFile::exists(media.filePath("Manifest.ini")), backedUp);
}

void TestMainForm::shutdownLooksAtTheValueReadAtStartUp()
{
    auto main = startNamed(QStringLiteral("Harbour Cafe"), 0);
    // Ticked in company maintenance during the run: takes effect at the next start.
    shelltest::setControl({{"RECAUTO", 1}});
    main->show();
    ui::MessageScript script;
    QVERIFY(main->close());
    QCOMPARE(script.texts(), QStringList{});
}

void TestMainForm::placementFileIsCreatedAndTheWindowReopensWhereItWasLeft()
{
    const QString file = ui::placementFile(ui::PlacementFile::Program);
    QVERIFY(!QFile::exists(file));
    auto main = startNamed();
    QVERIFY(QFile::exists(file));
    QCOMPARE(QFileInfo(file).size(), 0);
    main->show();
    main->setGeometry(130, 70, 480, 460);
    QVERIFY(main->close());
    const store::IniFile ini(file);
    QCOMPARE(ini.readInteger("QVMainForm", "Left", -1), 130);
    QCOMPARE(ini.readInteger("QVMainForm", "Top", -1), 70);
    QCOMPARE(ini.readInteger("QVMainForm", "Width", -1), 480);
    QCOMPARE(ini.readInteger("QVMainForm", "Height", -1), 460);
    main.reset();

    TQVMainForm again;
    again.show();
    QCOMPARE(again.geometry(), QRect(130, 70, 480, 460));
    again.hide();
}

void TestMainForm::itemsWithoutActionDoNothing_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::newRow("Printer") << "PrinterItem" << "Printer" << QKeySequence(Qt::ALT | Qt::Key_P);
    QTest::newRow("Imputation") << "ImputationItem" << "Imputation"
                                << QKeySequence(Qt::ALT | Qt::Key_I);
}

void TestMainForm::itemsWithoutActionDoNothing()
{
    QFETCH(QString, item);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    auto main = startNamed();
    main->show();
    auto* action = main->findChild<QAction*>(item);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut(), shortcut);
    QVERIFY(action->isEnabled());

    ui::MessageScript script;
    const auto before = shelltest::visibleWindows();
    action->trigger();
    QTest::qWait(50);
    QCOMPARE(shelltest::visibleWindows(), before);
    QCOMPARE(script.texts(), QStringList{});
    QCOMPARE(script.beeps(), 0);
    QVERIFY(main->isVisible());
    main->hide();
}

void TestMainForm::operationsButtonOpensTheLauncherForTheActiveCompany()
{
    auto main = startNamed(QStringLiteral("Harbour Cafe"));
    QString caption;
    int coy = -1;
    bool active = false;
    auto seen = testing_support::whenShown<TQVOpsForm>([&](TQVOpsForm* w) {
        caption = w->windowTitle();
        coy = w->coyCode;
        active = w->coyActive;
        w->close();
    });
    click(main.get(), "OperationsButton");
    QVERIFY(seen->seen);
    QCOMPARE(caption, QStringLiteral("Operations menu for :  Harbour Cafe"));
    QCOMPARE(coy, 1);
    QVERIFY(active);
}

void TestMainForm::helpMenuShowsTheAboutBox()
{
    auto main = startNamed();
    QString caption;
    auto seen = testing_support::whenShown<TAboutBox>([&](TAboutBox* w) {
        caption = w->windowTitle();
        click(w, "OKButton");
    });
    trigger(*main, "HelpItem");
    QVERIFY(seen->seen);
    QCOMPARE(caption, QStringLiteral("About Quorvel"));
}

void TestMainForm::f1OpensHelpAtTheMainWindowsContext()
{
    auto main = startNamed();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    main->activateWindow();
    QTest::keyClick(main.get(), Qt::Key_F1);
    QWidget* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("HelpWindow") && w->isVisible()) help = w;
    QVERIFY(help);
    QCOMPARE(help->property("helpContext").toInt(), 10);
    QVERIFY(QFile::exists(ui::helpPagePath(10)));
    QVERIFY(ui::helpPagePath(10).endsWith("/10.html"));
    help->close();
    main->hide();
}

void TestMainForm::menuShortcutsWorkFromTheKeyboard()
{
    auto main = startNamed();
    main->show();
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main.get()));
    ui::MessageScript script;
    QTest::keyClick(main.get(), Qt::Key_X, Qt::AltModifier);
    QVERIFY(!main->isVisible());
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
