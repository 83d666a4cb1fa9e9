// Recurring transactions as a user meets them: defining one on the set-up page and completing
// its schedule, the schedule window's refusals, and running due definitions one click at a time.
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>
#include <memory>

#include "banking/bankmainform.h"
#include "banking/rectransdetform.h"
#include "banking/rectransform.h"
#include "banking/recurring_run.h"
#include "banking/recurring_sample.h"
#include "banking/sample_company.h"
#include "ledger/ledgerfolder.h"
#include "support/qt/modalwait.h"
#include "ui/datagrid.h"
#include "ui/messages.h"

class TestRecurring : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testing_support::useTemporaryHome(); }
    void init();
    void cleanup();

    void aNewDefinitionIsSavedThenItsScheduleCompleted();
    void savingWithoutAnAmountSaysSoTwice();
    void cancellingANewScheduleWarnsAndClosingWhileEditingIsRefused();
    void runPostsOneTransactionPerClickUntilNothingIsDue();
    void changeUpdatesTheAmountForGoodAndRunsIt();
    void anEmptyListRefusesRunAndChange();

private:
    template <class W = QWidget>
    static W* child(QWidget* window, const char* name) {
        W* w = window->findChild<W*>(QString::fromLatin1(name));
        if (!w) qFatal("no control %s", name);
        return w;
    }
    static void click(QWidget* window, const char* name) {
        QTest::mouseClick(child<QPushButton>(window, name), Qt::LeftButton);
    }
    static void type(QWidget* window, const char* name, const QString& text) {
        auto* e = child<QLineEdit>(window, name);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, text);
    }
    QString addWeekly(const QString& descr, double amount, int daysAgo);
    std::unique_ptr<TRecTransForm> openRunWindow();
    int dueRows(TRecTransForm& w) {
        return child<ui::DataGrid>(&w, "DueGrid")->model()->rowCount();
    }
    double balance() {
        return banking::findBankAccount(folder_->connection, 1, "030100", "1111111-00")->currBal;
    }

    std::unique_ptr<LedgerFolder> folder_;
    std::unique_ptr<ui::MessageScript> script_;
};

void TestRecurring::init() {
    folder_ = std::make_unique<LedgerFolder>();
    script_ = std::make_unique<ui::MessageScript>();
    store::Connection& c = folder_->connection;
    banking::sample::setCompany(c, "Kiwi Tiles Ltd", "KT", true, 15.0);
    banking::sample::addBank(c, "030100", "Westpac", "Queen Street");
    banking::sample::addBankAccount(
        c, 1, "KT",
        {"030100", "1111111-00", "Cheque", true, 0, false, 0.0, 1000.0, QDate(2025, 4, 1)});
    banking::sample::addLedgerAccount(c, 1, {"RENT", "Rent", "EXP", 0, true});
    banking::sample::addLedgerAccount(c, 1, {"SALES", "Sales", "INC", 0, true});
}

void TestRecurring::cleanup() {
    script_.reset();
    folder_.reset();
}

QString TestRecurring::addWeekly(const QString& descr, double amount, int daysAgo) {
    banking::DefinitionInput in;
    in.descr = descr;
    in.purpose = "RENT";
    in.bankAccount = "030100-1111111-00";
    in.amount = amount;
    in.nextRun = QDate::currentDate().addDays(-daysAgo);
    banking::ScheduleChoice weekly;
    weekly.frequency = banking::Frequency{1, 1, 1};
    return banking::sample::addDefinition(folder_->connection, in, weekly);
}

std::unique_ptr<TRecTransForm> TestRecurring::openRunWindow() {
    auto w = std::make_unique<TRecTransForm>();
    w->coyCode = "1";
    w->coyName = "Kiwi Tiles Ltd";
    w->setWindowTitle("Run recurring transactions for : Kiwi Tiles Ltd");
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get())) qFatal("run window not shown");
    return w;
}

void TestRecurring::aNewDefinitionIsSavedThenItsScheduleCompleted() {
    TBankMainForm form;
    form.initialPage = TBankMainForm::RecurringPage;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    click(&form, "NewButton");
    QCOMPARE(child<QLabel>(&form, "ModePanel")->text(),
             QStringLiteral("Adding recurring transaction."));
    QCOMPARE(child<QLineEdit>(&form, "BankAcctEdit")->text(), QStringLiteral("030100-1111111-00"));
    QVERIFY(!child<QPushButton>(&form, "SaveButton")->isEnabled());
    type(&form, "PurposeEdit", "rent");
    QCOMPARE(child<QLabel>(&form, "PurposeLabel")->text(),
             QStringLiteral("Company level account."));
    QCOMPARE(child<QLineEdit>(&form, "RecDescrEdit")->text(), QStringLiteral("Rent"));
    type(&form, "RecAmountEdit", "250.00");
    auto schedule = testing_support::whenShown<TRecTransDetForm>([](TRecTransDetForm* w) {
        QCOMPARE(w->windowTitle(), QStringLiteral("Create schedule for : Rent"));
        QCOMPARE(child<QLabel>(w, "ModePanel")->text(),
                 QStringLiteral("Creating New Transaction Schedule."));
        child<QRadioButton>(w, "TwoWeeksRadio")->click();
        QVERIFY(!child<QGroupBox>(w, "DayGroup")->isVisible());
        click(w, "SaveButton");
        click(w, "ExitButton");
    });
    click(&form, "SaveButton");
    QVERIFY(schedule->seen);
    QCOMPARE(child<QLabel>(&form, "ModePanel")->text(), QStringLiteral("Browsing."));
    QCOMPARE(folder_->valueWhere("QVRecTr.DBF", "ACCTCODE", "RENT", "WEEKLY").toInt(), 2);
    QCOMPARE(folder_->valueWhere("QVRecTr.DBF", "ACCTCODE", "RENT", "TYPE").toString().trimmed(),
             QStringLiteral("CONT"));
    QCOMPARE(folder_->valueWhere("QVRecTr.DBF", "ACCTCODE", "RENT", "GSTAMT").toDouble(), 32.61);
    QVERIFY(script_->texts().isEmpty());
}

void TestRecurring::savingWithoutAnAmountSaysSoTwice() {
    TBankMainForm form;
    form.initialPage = TBankMainForm::RecurringPage;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    click(&form, "NewButton");
    type(&form, "PurposeEdit", "RENT");
    click(&form, "SaveButton");
    QCOMPARE(
        script_->texts(),
        (QStringList{"Transaction amount must be entered.",
                     "Save did not succeed - make sure you have entered all the key fields!"}));
    QCOMPARE(child<QLabel>(&form, "ModePanel")->text(),
             QStringLiteral("Adding recurring transaction."));
    click(&form, "CancelButton");
}

void TestRecurring::cancellingANewScheduleWarnsAndClosingWhileEditingIsRefused() {
    banking::DefinitionInput in;
    in.descr = "Rent";
    in.purpose = "RENT";
    in.bankAccount = "030100-1111111-00";
    in.amount = 10;
    in.nextRun = QDate::currentDate();
    const banking::DefinitionResult saved = banking::saveDefinition(folder_->connection, in);
    QVERIFY(saved.ok());
    TRecTransDetForm w;
    w.tranLink = saved.tranLink;
    w.newSchedule = true;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    click(&w, "CancelButton");
    QCOMPARE(script_->texts(), QStringList{"Must complete the schedule, or delete entry!"});
    QCOMPARE(child<QLabel>(&w, "ModePanel")->text(), QStringLiteral("Browsing."));
    click(&w, "EditButton");
    QCOMPARE(child<QLabel>(&w, "ModePanel")->text(),
             QStringLiteral("Editing Transaction Schedule."));
    w.reject();
    QVERIFY(w.isVisible());
    QCOMPARE(script_->texts().last(), QStringLiteral("Save or cancel before exiting!"));
    click(&w, "CancelButton");
    QCOMPARE(banking::runDefinition(folder_->connection, saved.tranLink).outcome,
             banking::RunOutcome::NoSchedule);
}

void TestRecurring::runPostsOneTransactionPerClickUntilNothingIsDue() {
    addWeekly("Cleaning", 40.00, 7);
    auto w = openRunWindow();
    QCOMPARE(dueRows(*w), 1);
    click(w.get(), "RunButton");
    QVERIFY(w->posted);
    QCOMPARE(dueRows(*w), 1);  // a week overdue: the run of today is due too
    click(w.get(), "RunButton");
    QCOMPARE(dueRows(*w), 0);
    QCOMPARE(balance(), 920.00);
    click(w.get(), "RunButton");
    QCOMPARE(script_->texts(), QStringList{"No transactions due today."});
    QCOMPARE(script_->beeps(), 1);
}

void TestRecurring::changeUpdatesTheAmountForGoodAndRunsIt() {
    const QString link = addWeekly("Rent", 100.00, 0);
    auto w = openRunWindow();
    click(w.get(), "ChangeButton");
    QVERIFY(child<QGroupBox>(w.get(), "ChangeGroup")->isVisible());
    QCOMPARE(child<QLineEdit>(w.get(), "NewAmountEdit")->text(), QStringLiteral("100.00"));
    QCOMPARE(child<QPushButton>(w.get(), "ChangeButton")->text(), QStringLiteral("&Update"));
    QVERIFY(!child<QPushButton>(w.get(), "RunButton")->isEnabled());
    type(w.get(), "NewAmountEdit", "0");
    click(w.get(), "ChangeButton");
    QCOMPARE(script_->texts(), QStringList{"Enter a value, or cancel."});
    type(w.get(), "NewAmountEdit", "250");
    click(w.get(), "ChangeButton");
    QVERIFY(w->posted);
    QVERIFY(!child<QGroupBox>(w.get(), "ChangeGroup")->isVisible());
    QVERIFY(child<QPushButton>(w.get(), "RunButton")->isEnabled());
    QCOMPARE(balance(), 750.00);
    const auto d = banking::findDefinition(folder_->connection, link);
    QCOMPARE(d->actAmt, 250.00);
    QCOMPARE(d->gstAmt, 32.61);
}

void TestRecurring::anEmptyListRefusesRunAndChange() {
    auto w = openRunWindow();
    click(w.get(), "RunButton");
    click(w.get(), "ChangeButton");
    QCOMPARE(script_->texts(), (QStringList{"No transactions due today.", "Nothing to change."}));
    QVERIFY(!w->posted);
    QVERIFY(!child<QPushButton>(w.get(), "CancelButton")->isVisible());
}

QTEST_MAIN(TestRecurring)
#include "tst_recurring.moc"
