// Codes and accounts as a user meets it: departments numbered as they are added and deleted,
// accounts at company level and in departments, refusals and the window frame's modes.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>
#include <memory>

#include "ledger/accounteditor.h"
#include "ledger/ledgerfolder.h"
#include "ledger/validationform.h"
#include "store/query.h"
#include "support/qt/modalwait.h"
#include "ui/datagrid.h"
#include "ui/messages.h"

class TestValidationForm : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testing_support::useTemporaryHome(); }
    void init();
    void cleanup();

    void firstDepartmentIsBranchOneLinkedOneDashOne();
    void departmentNumbersAfterADelete_data();
    void departmentNumbersAfterADelete();
    void duplicateDepartmentCodeDisablesSave();
    void typingACodeWhileBrowsingFindsTheDepartment();
    void leavingTheLastNameBuildsTheSignatory();
    void departmentWithAccountsIsNotDeleted();
    void closingWhileEditingIsRefused();
    void editWithNothingThereAsksForNew();
    void aStoreFailureOnSaveIsShownAndChangesNothing();
    void rentAtCompanyLevelAndAgainInADepartmentIsRefused();
    void movingATransactionFreeAccountIntoSalesRewritesItsKeys();
    void anAccountWithTransactionsKeepsItsDepartment();
    void anUnknownDepartmentIsNotSaved();
    void editingTheDescriptionKeepsThePrivateShare();
    void exportCodeFollowsTheCodeUntilTyped();
    void budgetsShowOnlyWhileAccountsExist();
    void anAccountInUseIsNotDeleted();
    void deletingAnAccountRemovesIt();

private:
    void open();
    template <class W = QWidget>
    W* find(const char* name) {
        W* w = form_->findChild<W*>(QString::fromLatin1(name));
        if (!w) qFatal("no control %s", name);
        return w;
    }
    void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    void type(const char* name, const QString& text) {
        QLineEdit* e = find<QLineEdit>(name);
        e->setFocus();
        e->selectAll();
        if (text.isEmpty())
            QTest::keyClick(e, Qt::Key_Backspace);
        else
            QTest::keyClicks(e, text);
    }
    void showAccountsPage() { find<QTabWidget>("PageControl")->setCurrentIndex(1); }
    QString mode() { return find<QLabel>("ModePanel")->text(); }
    void addDepartmentThroughWindow(const QString& code);

    std::unique_ptr<LedgerFolder> folder_;
    std::unique_ptr<ui::MessageScript> script_;
    std::unique_ptr<TQVValidationForm> form_;
};

void TestValidationForm::init() {
    folder_ = std::make_unique<LedgerFolder>();
    script_ = std::make_unique<ui::MessageScript>();
}

void TestValidationForm::cleanup() {
    if (form_ && form_->mode() != TQVValidationForm::Mode::Browsing) form_->CancelButtonClick();
    form_.reset();
    script_.reset();
    folder_.reset();
}

void TestValidationForm::open() {
    form_ = std::make_unique<TQVValidationForm>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QCOMPARE(mode(), QStringLiteral("Browsing departments/accounts ledger"));
}

void TestValidationForm::addDepartmentThroughWindow(const QString& code) {
    click("NewButton");
    QCOMPARE(mode(), QStringLiteral("Adding department/division."));
    type("DeptCodeEdit", code);
    type("DeptNameEdit", code + " name");
    click("SaveButton");
    QCOMPARE(mode(), QStringLiteral("Browsing departments/accounts ledger"));
}

void TestValidationForm::firstDepartmentIsBranchOneLinkedOneDashOne() {
    open();
    click("NewButton");
    QVERIFY(!find<QPushButton>("SaveButton")->isEnabled());
    QVERIFY(!find<QTabWidget>("PageControl")->isTabEnabled(1));
    type("DeptCodeEdit", "  SALES ");
    QVERIFY(find<QPushButton>("SaveButton")->isEnabled());
    type("DeptNameEdit", "Sales team");
    find<QCheckBox>("DeptGstCheck")->setChecked(true);
    click("SaveButton");
    QCOMPARE(mode(), QStringLiteral("Browsing departments/accounts ledger"));
    QVERIFY(find<QTabWidget>("PageControl")->isTabEnabled(1));
    QCOMPARE(folder_->valueWhere("QVCoy.DBF", "DEPTCODE", "SALES", "BRANCH").toInt(), 1);
    QCOMPARE(folder_->valueWhere("QVCoy.DBF", "DEPTCODE", "SALES", "LINKCODE").toString(),
             QStringLiteral("1-1"));
    QCOMPARE(folder_->valueWhere("QVCoy.DBF", "DEPTCODE", "SALES", "GSTENABLED").toInt(), 1);
    QCOMPARE(find<QLineEdit>("DeptCodeEdit")->text(), QStringLiteral("SALES"));
}

void TestValidationForm::departmentNumbersAfterADelete_data() {
    QTest::addColumn<QString>("deleted");
    QTest::addColumn<int>("newBranch");
    QTest::newRow("deleting the last frees its number") << "C" << 3;
    QTest::newRow("deleting a middle one leaves a gap") << "B" << 4;
}

void TestValidationForm::departmentNumbersAfterADelete() {
    QFETCH(QString, deleted);
    QFETCH(int, newBranch);
    open();
    for (const char* code : {"A", "B", "C"}) addDepartmentThroughWindow(QString::fromLatin1(code));
    type("DeptCodeEdit", deleted);
    QCOMPARE(find<QLineEdit>("DeptNameEdit")->text(), deleted + " name");
    script_->answer(ui::MsgAnswer::Ok);
    click("DeleteButton");
    QCOMPARE(script_->texts().last(), QStringLiteral("Please confirm deletion."));
    QVERIFY(!folder_->valueWhere("QVCoy.DBF", "DEPTCODE", deleted, "BRANCH").isValid());
    addDepartmentThroughWindow("D");
    QCOMPARE(folder_->valueWhere("QVCoy.DBF", "DEPTCODE", "D", "BRANCH").toInt(), newBranch);
}

void TestValidationForm::duplicateDepartmentCodeDisablesSave() {
    folder_->addDepartment("SALES");
    open();
    click("NewButton");
    type("DeptCodeEdit", " SALE");
    QVERIFY(find<QPushButton>("SaveButton")->isEnabled());
    QTest::keyClicks(find<QLineEdit>("DeptCodeEdit"), "S");
    QCOMPARE(script_->texts(), QStringList{"Duplicate department code!"});
    QVERIFY(!find<QPushButton>("SaveButton")->isEnabled());
    click("CancelButton");
    QCOMPARE(mode(), QStringLiteral("Browsing departments/accounts ledger"));
}

void TestValidationForm::typingACodeWhileBrowsingFindsTheDepartment() {
    folder_->addDepartment("SALES", "Sales team");
    folder_->addDepartment("WORKS", "Workshop");
    open();
    QCOMPARE(find<QLineEdit>("DeptNameEdit")->text(), QStringLiteral("Sales team"));
    type("DeptCodeEdit", "WORKS");
    QCOMPARE(find<QLineEdit>("DeptNameEdit")->text(), QStringLiteral("Workshop"));
    type("DeptCodeEdit", "NOPE");
    QCOMPARE(find<QLineEdit>("DeptNameEdit")->text(), QStringLiteral("Not found"));
}

void TestValidationForm::leavingTheLastNameBuildsTheSignatory() {
    open();
    click("NewButton");
    type("DeptCodeEdit", "SALES");
    type("ManFNameEdit", "Ann");
    type("ManInitEdit", "B");
    type("ManLNameEdit", "Cole");
    find<QLineEdit>("DeptDescEdit")->setFocus();
    QTRY_COMPARE(find<QLineEdit>("SigNameEdit")->text(), QStringLiteral("Ann B Cole"));
    click("SaveButton");
    QCOMPARE(folder_->valueWhere("QVCoy.DBF", "DEPTCODE", "SALES", "SIGNAME").toString(),
             QStringLiteral("Ann B Cole"));
}

void TestValidationForm::departmentWithAccountsIsNotDeleted() {
    folder_->addDepartment("SALES", "Sales team");
    folder_->addAccount("WAGES", "SALES");
    open();
    click("DeleteButton");
    QCOMPARE(
        script_->texts(),
        (QStringList{"Please confirm deletion.",
                     "Cannot Delete!  Department Sales team has accounts.  Remove them first."}));
    QVERIFY(folder_->valueWhere("QVCoy.DBF", "DEPTCODE", "SALES", "BRANCH").isValid());
}

void TestValidationForm::closingWhileEditingIsRefused() {
    folder_->addDepartment("SALES");
    open();
    click("EditButton");
    QCOMPARE(mode(), QStringLiteral("Editing department/division."));
    QVERIFY(!find<QLineEdit>("DeptCodeEdit")->isEnabled());
    QVERIFY(!find<QPushButton>("ExitButton")->isEnabled());
    form_->close();
    QVERIFY(form_->isVisible());
    QCOMPARE(script_->texts(), QStringList{"Save or cancel before exiting!"});
    QCOMPARE(script_->beeps(), 1);
    click("CancelButton");
    click("ExitButton");
    QVERIFY(!form_->isVisible());
}

void TestValidationForm::editWithNothingThereAsksForNew() {
    open();
    click("EditButton");
    showAccountsPage();
    click("EditButton");
    QCOMPARE(script_->texts(), (QStringList{"Nothing to edit...click New to add.",
                                            "Nothing to edit...click New to add."}));
    QCOMPARE(form_->mode(), TQVValidationForm::Mode::Browsing);
}

void TestValidationForm::aStoreFailureOnSaveIsShownAndChangesNothing() {
    folder_->addDepartment("SALES", "Sales team");
    store::execSql(folder_->connection.handle(),
                   "CREATE TRIGGER refuse BEFORE UPDATE ON QVCoy "
                   "BEGIN SELECT RAISE(ABORT, 'The department is locked.'); END");
    open();
    click("EditButton");
    type("DeptNameEdit", "Renamed");
    click("SaveButton");
    QCOMPARE(script_->texts().size(), 1);
    QVERIFY(script_->texts().first().contains("The department is locked."));
    QCOMPARE(script_->kinds().first(), ui::MsgKind::Error);
    QCOMPARE(form_->mode(), TQVValidationForm::Mode::Editing);
    QCOMPARE(find<QLineEdit>("DeptNameEdit")->text(), QStringLiteral("Renamed"));
    store::Query q(folder_->connection);
    q.setSql("SELECT BUSNAME FROM QVCoy");
    q.open();
    QCOMPARE(q.text("BUSNAME"), QStringLiteral("Sales team"));
}

void TestValidationForm::rentAtCompanyLevelAndAgainInADepartmentIsRefused() {
    folder_->addDepartment("SHOP");
    folder_->addDepartment("SALES");
    open();
    showAccountsPage();
    click("NewButton");
    QCOMPARE(mode(), QStringLiteral("Adding ledger account."));
    QVERIFY(!find<QTabWidget>("PageControl")->isTabEnabled(0));
    QVERIFY(find<QCheckBox>("ActiveCheck")->isChecked());
    QVERIFY(find<QCheckBox>("GstAppliesCheck")->isChecked());
    QVERIFY(find<QCheckBox>("InclPlCheck")->isChecked());
    type("AcctEdit", "RENT");
    click("SaveButton");
    QCOMPARE(mode(), QStringLiteral("Browsing departments/accounts ledger"));
    QCOMPARE(folder_->valueWhere("QVAccDet.DBF", "ACCTCODE", "RENT", "LINKCODE").toString(),
             QStringLiteral("0"));
    QCOMPARE(folder_->valueWhere("QVAccDet.DBF", "ACCTCODE", "RENT", "BRANCH").toString(),
             QStringLiteral("0"));
    QCOMPARE(folder_->valueWhere("QVAccDet.DBF", "ACCTCODE", "RENT", "COYACCT").toInt(), 1);
    QCOMPARE(folder_->valueWhere("QVAccDet.DBF", "ACCTCODE", "RENT", "FULLCODE").toString(),
             QStringLiteral("1-RENT"));
    QCOMPARE(find<QLabel>("DeptNameLabel")->text(), QStringLiteral("Company level account."));

    // Codes are typed in capitals whatever the keyboard sends, so "rent" is the same RENT.
    click("NewButton");
    type("AcctEdit", "rent");
    type("DeptEdit", "sales");
    QCOMPARE(find<QLineEdit>("AcctEdit")->text(), QStringLiteral("RENT"));
    QCOMPARE(find<QLabel>("DeptNameLabel")->text(), QStringLiteral("SALES dept"));
    click("SaveButton");
    QCOMPARE(script_->texts(), QStringList{"This code is a duplicate of an existing one."});
    QCOMPARE(script_->beeps(), 1);
    QCOMPARE(form_->mode(), TQVValidationForm::Mode::Adding);
    QCOMPARE(ledger::accountCodesOf(folder_->connection, 1), QStringList{"RENT"});
}

void TestValidationForm::movingATransactionFreeAccountIntoSalesRewritesItsKeys() {
    folder_->addDepartment("SHOP");
    folder_->addDepartment("SALES");
    folder_->addAccount("RENT");
    open();
    showAccountsPage();
    QCOMPARE(find<QLineEdit>("AcctEdit")->text(), QStringLiteral("RENT"));
    click("EditButton");
    QCOMPARE(mode(), QStringLiteral("Editing ledger account."));
    QVERIFY(!find<QLineEdit>("AcctEdit")->isEnabled());
    type("DeptEdit", "SALES");
    QCOMPARE(find<QLabel>("DeptNameLabel")->text(), QStringLiteral("SALES dept"));
    click("SaveButton");
    QCOMPARE(form_->mode(), TQVValidationForm::Mode::Browsing);
    QCOMPARE(folder_->valueWhere("QVAccDet.DBF", "ACCTCODE", "RENT", "BRANCH").toString(),
             QStringLiteral("2"));
    QCOMPARE(folder_->valueWhere("QVAccDet.DBF", "ACCTCODE", "RENT", "LINKCODE").toString(),
             QStringLiteral("1-2"));
    QCOMPARE(folder_->valueWhere("QVAccDet.DBF", "ACCTCODE", "RENT", "COYACCT").toInt(), 0);
    QCOMPARE(folder_->valueWhere("QVAccDet.DBF", "ACCTCODE", "RENT", "FULLCODE").toString(),
             QStringLiteral("1-2-RENT"));
    QCOMPARE(script_->texts(), QStringList{});
}

void TestValidationForm::anAccountWithTransactionsKeepsItsDepartment() {
    folder_->addDepartment("SHOP");
    folder_->addDepartment("SALES");
    folder_->addAccount("RENT", "SHOP");
    folder_->addJournalLine("RENT");
    open();
    showAccountsPage();
    click("EditButton");
    // The first key typed in the box is refused at once.
    QTest::keyClick(find<QLineEdit>("DeptEdit"), Qt::Key_X);
    QCOMPARE(script_->texts(),
             QStringList{"Cannot change, or include, department.  This account has transactions."});
    QCOMPARE(find<QLineEdit>("DeptEdit")->text(), QStringLiteral("SHOP"));
    click("SaveButton");
    QCOMPARE(folder_->valueWhere("QVAccDet.DBF", "ACCTCODE", "RENT", "FULLCODE").toString(),
             QStringLiteral("1-1-RENT"));
}

void TestValidationForm::anUnknownDepartmentIsNotSaved() {
    folder_->addDepartment("SALES");
    open();
    showAccountsPage();
    click("NewButton");
    type("AcctEdit", "WAGES");
    type("DeptEdit", "SALEZ");
    QCOMPARE(find<QLabel>("DeptNameLabel")->text(),
             QStringLiteral("Could not find that department/division!"));
    click("SaveButton");
    QCOMPARE(form_->mode(), TQVValidationForm::Mode::Adding);
    QCOMPARE(script_->texts().size(), 1);
    QVERIFY(script_->texts().first().startsWith("Could not find that department/division!"));
    QVERIFY(ledger::accountCodesOf(folder_->connection, 1).isEmpty());
}

void TestValidationForm::editingTheDescriptionKeepsThePrivateShare() {
    folder_->addDepartment("HOME");
    folder_->addAccount("CAR", {}, "EXP");
    folder_->addAccount("DRAW", "HOME", "EXP");
    open();
    showAccountsPage();
    auto* grid = find<ui::DataGrid>("AcctGrid");
    for (int row = 0; row < grid->lazyModel()->rowCount(); ++row)
        if (grid->lazyModel()->valueAt(row, "ACCTCODE").toString() == "CAR")
            grid->setCurrentRow(row);
    QCOMPARE(find<QLineEdit>("AcctEdit")->text(), QStringLiteral("CAR"));
    click("EditButton");
    find<QSpinBox>("PrivatePercentSpin")->setValue(30);
    type("PrivateAcctEdit", "DRAW");
    click("SaveButton");
    QCOMPARE(form_->mode(), TQVValidationForm::Mode::Browsing);
    const auto share = [this] {
        store::Query q(folder_->connection);
        q.setSql(
            "SELECT DESCR, DOMESTIC, ALLOCPER, DOMLINK, DOMACCT, DOMDEPT, DOMFULLCOD "
            "FROM QVACCDET WHERE ACCTCODE = 'CAR'");
        q.open();
        return QStringList{q.text("DOMESTIC"), q.text("ALLOCPER"), q.text("DOMLINK"),
                           q.text("DOMACCT"),  q.text("DOMDEPT"),  q.text("DOMFULLCOD")};
    };
    const QStringList expected{"1", "30", "1-1", "DRAW", "1", "1-1-DRAW"};
    QCOMPARE(share(), expected);

    click("EditButton");
    type("DescrEdit", "Car running costs");
    click("SaveButton");
    QCOMPARE(form_->mode(), TQVValidationForm::Mode::Browsing);
    QCOMPARE(folder_->valueWhere("QVAccDet.DBF", "ACCTCODE", "CAR", "DESCR").toString(),
             QStringLiteral("Car running costs"));
    QCOMPARE(share(), expected);
}

void TestValidationForm::exportCodeFollowsTheCodeUntilTyped() {
    open();
    showAccountsPage();
    click("NewButton");
    type("AcctEdit", "MOTOR");
    QCOMPARE(find<QLineEdit>("ExpCodeEdit")->text(), QStringLiteral("MOTOR"));
    type("ExpCodeEdit", "6-100");
    QTest::keyClicks(find<QLineEdit>("AcctEdit"), "X");
    QCOMPARE(find<QLineEdit>("ExpCodeEdit")->text(), QStringLiteral("6-100"));
    find<QRadioButton>("TypeExpenseRadio")->click();
    QVERIFY(find<QRadioButton>("RptExpensesRadio")->isChecked());
    click("SaveButton");
    QCOMPARE(folder_->valueWhere("QVAccDet.DBF", "ACCTCODE", "MOTORX", "EXPCODE").toString(),
             QStringLiteral("6-100"));
    QCOMPARE(folder_->valueWhere("QVAccDet.DBF", "ACCTCODE", "MOTORX", "TYPECODE").toString(),
             QStringLiteral("EXP"));
    QCOMPARE(folder_->valueWhere("QVAccDet.DBF", "ACCTCODE", "MOTORX", "RPTCAT").toString(),
             QStringLiteral("E"));
}

void TestValidationForm::budgetsShowOnlyWhileAccountsExist() {
    open();
    showAccountsPage();
    QVERIFY(find<QPushButton>("BudgetsButton")->isHidden());
    click("NewButton");
    type("AcctEdit", "RENT");
    click("SaveButton");
    QVERIFY(!find<QPushButton>("BudgetsButton")->isHidden());
    script_->answer(ui::MsgAnswer::Ok);
    click("DeleteButton");
    QVERIFY(find<QPushButton>("BudgetsButton")->isHidden());
}

void TestValidationForm::anAccountInUseIsNotDeleted() {
    folder_->addAccount("RENT");
    folder_->addJournalLine("RENT");
    open();
    showAccountsPage();
    click("DeleteButton");
    QCOMPARE(script_->texts(),
             (QStringList{"Please confirm deletion.", "Cannot Delete!  Account RENT is in use."}));
    QCOMPARE(ledger::accountCodesOf(folder_->connection, 1), QStringList{"RENT"});
}

void TestValidationForm::deletingAnAccountRemovesIt() {
    folder_->addAccount("RENT");
    folder_->addAccount("POWER");
    open();
    showAccountsPage();
    script_->answer(ui::MsgAnswer::Cancel);
    click("DeleteButton");
    QCOMPARE(ledger::accountCodesOf(folder_->connection, 1).size(), 2);
    script_->answer(ui::MsgAnswer::Ok);
    click("DeleteButton");
    QCOMPARE(ledger::accountCodesOf(folder_->connection, 1), QStringList{"POWER"});
    QCOMPARE(find<QLineEdit>("AcctEdit")->text(), QStringLiteral("POWER"));
}

QTEST_MAIN(TestValidationForm)
#include "tst_validationform.moc"
