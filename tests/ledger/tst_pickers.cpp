// The account lists, the department picker and account maintenance opened from a list.
#include "ledger/accountlists.h"
#include "ledger/cashaccountform.h"
#include "ledger/deptviewform.h"
#include "ledger/ledgerfolder.h"
#include "support/qt/modalwait.h"
#include "ui/datagrid.h"
#include "ui/messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

class TestPickers : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testing_support::useTemporaryHome(); }
    void init() {
        folder_ = std::make_unique<LedgerFolder>();
        script_ = std::make_unique<ui::MessageScript>();
    }
    void cleanup() {
        script_.reset();
        folder_.reset();
    }

    void accountListShowsInactiveAccountsInCodeOrder();
    void companyWithoutAccountsBeepsAndCannotSelect();
    void departmentListRows_data();
    void departmentListRows();
    void selectRefusesTheWrongType();
    void newAcctAddsAnAccountThatShowsAtOnce();
    void departmentPickerReturnsTheKeys();
    void cashAccountFormListsOneDepartmentAtATime();
    void cashAccountFormRefusesADuplicateWhileTyping();

private:
    static QStringList codes(ledger::AccountListForm& list) {
        QStringList out;
        auto* grid = list.findChild<ui::DataGrid*>("AcctGrid");
        for (int r = 0; r < grid->lazyModel()->rowCount(); ++r)
            out << grid->lazyModel()->valueAt(r, "ACCTCODE").toString();
        return out;
    }
    std::unique_ptr<LedgerFolder> folder_;
    std::unique_ptr<ui::MessageScript> script_;
};

void TestPickers::accountListShowsInactiveAccountsInCodeOrder() {
    folder_->addDepartment("SALES");
    folder_->addAccount("RENT");
    folder_->addAccount("ADVERT", "SALES", "EXP", false);
    TAcctsListForm list;
    list.coyCode = 1;
    list.selectEnabled = true;
    list.show();
    QCOMPARE(list.windowTitle(), QStringLiteral("View/Select Ledger Accounts"));
    QCOMPARE(codes(list), (QStringList{"ADVERT", "RENT"}));
    QVERIFY(script_->texts().isEmpty());
    QTest::mouseClick(list.findChild<QPushButton*>("SelectButton"), Qt::LeftButton);
    QCOMPARE(list.result(), int(QDialog::Accepted));
    QCOMPARE(list.acctCode, QStringLiteral("ADVERT"));
}

void TestPickers::companyWithoutAccountsBeepsAndCannotSelect() {
    TAcctsListForm list;
    list.coyCode = 1;
    list.selectEnabled = true;
    list.show();
    QCOMPARE(script_->texts(), QStringList{"No accounts set up for the current company/department!"});
    QCOMPARE(script_->kinds().first(), ui::MsgKind::Error);
    QCOMPARE(script_->beeps(), 1);
    QVERIFY(!list.findChild<QPushButton*>("SelectButton")->isEnabled());
    list.reject();
}

void TestPickers::departmentListRows_data() {
    QTest::addColumn<QString>("linkCode");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("whole company") << "" << "BOTH" << QStringList{"PARTS", "RENT", "SALES", "WAGES"};
    QTest::newRow("one department, no company-level accounts")
        << "1-1" << "BOTH" << QStringList{"SALES", "WAGES"};
    QTest::newRow("income of the company") << "" << "INC" << QStringList{"SALES"};
    QTest::newRow("expenses of the workshop") << "1-2" << "EXP" << QStringList{"PARTS"};
}

void TestPickers::departmentListRows() {
    QFETCH(QString, linkCode);
    QFETCH(QString, type);
    QFETCH(QStringList, expected);
    folder_->addDepartment("SHOP");
    folder_->addDepartment("WORKS");
    folder_->addAccount("WAGES", "SHOP", "EXP");
    folder_->addAccount("SALES", "SHOP", "INC");
    folder_->addAccount("PARTS", "WORKS", "EXP");
    folder_->addAccount("RENT", "", "EXP");
    TDeptAcctListForm list;
    list.coyCode = 1;
    list.linkCode = linkCode;
    list.acctType = type;
    list.newVisible = false;
    list.show();
    QCOMPARE(codes(list), expected);
    QVERIFY(list.findChild<QPushButton*>("NewButton")->isHidden());
    list.reject();
}

void TestPickers::selectRefusesTheWrongType() {
    folder_->addAccount("RENT", "", "EXP");
    TDeptAcctListForm list;
    list.coyCode = 1;
    list.acctType = "EXP";
    list.selectEnabled = true;
    list.show();
    // The query lists only the type asked for; the check guards a type changed after reading.
    list.acctType = "INC";
    list.SelectButtonClick();
    QCOMPARE(script_->texts(),
             QStringList{"Account type does not match the required type. Eg Client invoice = income"});
    QVERIFY(list.isVisible());
    QVERIFY(list.acctCode.isEmpty());
    list.reject();
}

void TestPickers::newAcctAddsAnAccountThatShowsAtOnce() {
    folder_->addDepartment("SALES");
    folder_->addAccount("RENT");
    TAcctsListForm list;
    list.coyCode = 1;
    list.selectEnabled = true;
    list.show();
    auto seen = testing_support::whenShown<TQVCashAccountForm>([](TQVCashAccountForm* form) {
        form->NewButtonClick();
        auto* code = form->findChild<QLineEdit*>("AcctEdit");
        QTest::keyClicks(code, "ADVERT");
        QCOMPARE(form->findChild<QLineEdit*>("ExpCodeEdit")->text(), QStringLiteral("ADVERT"));
        QCOMPARE(form->findChild<QLineEdit*>("DeptEdit")->text(), QStringLiteral("SALES"));
        form->SaveButtonClick();
        form->findChild<QPushButton*>("ExitButton")->click();
    });
    list.NewButtonClick();
    QVERIFY(seen->seen);
    QCOMPARE(codes(list), (QStringList{"ADVERT", "RENT"}));
    QCOMPARE(folder_->valueWhere("QVAccDet.DBF", "ACCTCODE", "ADVERT", "FULLCODE").toString(),
             QStringLiteral("1-1-ADVERT"));
    list.reject();
}

void TestPickers::departmentPickerReturnsTheKeys() {
    folder_->addDepartment("SHOP", "Shop front");
    folder_->addDepartment("WORKS", "Workshop");
    TDeptViewForm picker;
    picker.coyCode = 1;
    picker.show();
    QCOMPARE(picker.windowTitle(), QStringLiteral("View/Select Company departments"));
    auto* grid = picker.findChild<ui::DataGrid*>("DeptGrid");
    QCOMPARE(grid->lazyModel()->rowCount(), 2);
    grid->setCurrentRow(1);
    QTest::mouseClick(picker.findChild<QPushButton*>("SelectButton"), Qt::LeftButton);
    QVERIFY(picker.selected);
    QCOMPARE(picker.deptCode, QStringLiteral("WORKS"));
    QCOMPARE(picker.linkCode, QStringLiteral("1-2"));
    QCOMPARE(picker.branch, 2);
    QCOMPARE(picker.deptName, QStringLiteral("Workshop"));
    QCOMPARE(picker.department()->linkCode, QStringLiteral("1-2"));
}

void TestPickers::cashAccountFormListsOneDepartmentAtATime() {
    folder_->addDepartment("SHOP");
    folder_->addDepartment("WORKS");
    folder_->addAccount("SALES", "SHOP");
    folder_->addAccount("PARTS", "WORKS", "EXP");
    folder_->addAccount("RENT");
    TQVCashAccountForm form;
    form.coyCode = 1;
    form.show();
    auto* grid = form.findChild<ui::DataGrid*>("AcctGrid");
    QCOMPARE(grid->lazyModel()->rowCount(), 1);
    QCOMPARE(form.findChild<QLineEdit*>("AcctEdit")->text(), QStringLiteral("SALES"));
    auto* dept = form.findChild<QLineEdit*>("DeptEdit");
    dept->selectAll();
    QTest::keyClicks(dept, "WORKS");
    QCOMPARE(form.currentDepartment()->deptCode, QStringLiteral("WORKS"));
    QCOMPARE(form.findChild<QLineEdit*>("AcctEdit")->text(), QStringLiteral("PARTS"));
    QTest::keyClicks(dept, "X");
    QCOMPARE(form.currentDepartment()->deptCode, QStringLiteral("WORKS"));
    QCOMPARE(form.findChild<QLabel*>("DeptNameLabel")->text(),
             QStringLiteral("Could not find that department/division!"));
    QVERIFY(!form.saved);
}

void TestPickers::cashAccountFormRefusesADuplicateWhileTyping() {
    folder_->addDepartment("SHOP");
    folder_->addAccount("RENT");
    TQVCashAccountForm form;
    form.coyCode = 1;
    form.show();
    form.NewButtonClick();
    QCOMPARE(form.findChild<QLabel*>("ModePanel")->text(), QStringLiteral("Adding Account."));
    QTest::keyClicks(form.findChild<QLineEdit*>("AcctEdit"), "REN");
    QVERIFY(form.findChild<QPushButton*>("SaveButton")->isEnabled());
    QTest::keyClicks(form.findChild<QLineEdit*>("AcctEdit"), "T");
    QCOMPARE(script_->texts(), QStringList{"This code is a duplicate of an existing one."});
    QVERIFY(!form.findChild<QPushButton*>("SaveButton")->isEnabled());
    form.close();
    QVERIFY(form.isVisible());
    QCOMPARE(script_->texts().last(), QStringLiteral("Save or cancel before exiting!"));
    form.CancelButtonClick();
    QCOMPARE(form.findChild<QLabel*>("ModePanel")->text(), QStringLiteral("Browsing"));
}

QTEST_MAIN(TestPickers)
#include "tst_pickers.moc"
