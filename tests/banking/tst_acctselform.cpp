// Choosing a bank account from the picker, in both of its modes.
#include "banking/acctselform.h"
#include "banking/sample_company.h"
#include "store/connection.h"
#include "support/qt/modalwait.h"
#include "ui/datagrid.h"

#include <QPushButton>
#include <QtTest>

class TestAcctSel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void listsOnlyTheCompanysAccountsAndReturnsTheChosenKey_data();
    void listsOnlyTheCompanysAccountsAndReturnsTheChosenKey();
    void viewingOnlyDisablesSelect();
};

void TestAcctSel::initTestCase() {
    testing_support::useTemporaryHome();
    store::Connection c;
    c.connect();
    banking::sample::makeDemoCompany(c, QDate::currentDate());
}

void TestAcctSel::listsOnlyTheCompanysAccountsAndReturnsTheChosenKey_data() {
    QTest::addColumn<bool>("bankLinkMode");
    QTest::newRow("code and number") << false;
    QTest::newRow("bank link") << true;
}

void TestAcctSel::listsOnlyTheCompanysAccountsAndReturnsTheChosenKey() {
    QFETCH(bool, bankLinkMode);
    TAcctSelForm picker;
    picker.coyCode = "1";
    picker.returnBankLink = bankLinkMode;
    picker.show();
    auto* grid = picker.findChild<ui::DataGrid*>("AcctGrid");
    QVERIFY(grid && grid->lazyModel());
    const int rows = grid->lazyModel()->rowCount();
    QVERIFY(rows >= 2);
    grid->setCurrentRow(1);
    const QString link = grid->lazyModel()->valueAt(1, "BANKLINK").toString();
    picker.findChild<QPushButton*>("SelectButton")->click();
    QCOMPARE(picker.result(), int(QDialog::Accepted));
    QCOMPARE(picker.bankLink, link);
    QVERIFY(link.startsWith("1-" + picker.bankCode + "-"));
    QVERIFY(link.endsWith("-" + picker.acctNo));

    TAcctSelForm other;
    other.coyCode = "2";
    other.show();
    QCOMPARE(other.findChild<ui::DataGrid*>("AcctGrid")->lazyModel()->rowCount(), 0);
}

void TestAcctSel::viewingOnlyDisablesSelect() {
    TAcctSelForm picker;
    picker.selectEnabled = false;
    picker.show();
    QVERIFY(!picker.findChild<QPushButton*>("SelectButton")->isEnabled());
}

QTEST_MAIN(TestAcctSel)
#include "tst_acctselform.moc"
