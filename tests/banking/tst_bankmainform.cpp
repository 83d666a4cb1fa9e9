// Bank set-up as a user meets it: banks, accounts and opening balances through the window,
// its modes and refusals, and the bank picker.
#include "banking/bankmainform.h"
#include "banking/bankvuform.h"
#include "banking/sample_company.h"
#include "ledger/deptviewform.h"
#include "ledger/ledgerfolder.h"
#include "support/qt/modalwait.h"
#include "ui/datagrid.h"
#include "ui/datebox.h"
#include "ui/navigator.h"
#include "ui/messages.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>
#include <memory>

using ui::MsgAnswer;

class TestBankMainForm : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testing_support::useTemporaryHome(); }
    void init();
    void cleanup();

    void captionNamesTheCompanyAndAddingLocksThePages();
    void aDuplicateBankCodeKeepsSaveDisabled();
    void aBankWithAccountsIsNotDeleted();
    void editWithNothingThereAsksForNew_data();
    void editWithNothingThereAsksForNew();
    void aNewAccountStartsWithItsDefaultsAndSaves();
    void theCountersAreComparedAsTypedText_data();
    void theCountersAreComparedAsTypedText();
    void anAccountNumberOfAnotherCompanyIsADuplicate();
    void onlyTheDefaultAccountMayBeTickedAsDefault();
    void oneDepartmentOnlyTakesTheDepartmentChosen();
    void anAccountWithTransactionsIsNotDeleted();
    void openingBalanceIsStatementPlusDepositsMinusCheques();
    void anExistingOpeningBalanceIsShownReadOnly();
    void overdraftQuestions_data();
    void overdraftQuestions();
    void typingAnotherAccountStopsTheUpdate();
    void withoutAnActiveCompanyTheOpeningPageIsRefused();
    void bankPickerReturnsTheChosenCode();

private:
    void open(bool coyActive = true);
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
        QTest::keyClick(e, Qt::Key_Backspace);
        if (!text.isEmpty()) QTest::keyClicks(e, text);
    }
    void showPage(int page) { find<QTabWidget>("PageControl")->setCurrentIndex(page); }
    QString mode() { return find<QLabel>("ModePanel")->text(); }
    QVariant account(const QString& acctNo, const char* field) {
        return folder_->valueWhere("QVBnkAct.DBF", "ACCTNO", acctNo, field);
    }
    void addAccount(const QString& acctNo, bool isDefault = false, bool allowOd = false,
                    double odAmount = 0, int coy = 1) {
        banking::sample::BankAccountSpec s;
        s.bankCode = "030100";
        s.acctNo = acctNo;
        s.desc = "Account " + acctNo;
        s.isDefault = isDefault;
        s.allowOd = allowOd;
        s.odAmount = odAmount;
        banking::sample::addBankAccount(folder_->connection, coy, "KT", s);
    }

    std::unique_ptr<LedgerFolder> folder_;
    std::unique_ptr<ui::MessageScript> script_;
    std::unique_ptr<TBankMainForm> form_;
};

void TestBankMainForm::init() {
    folder_ = std::make_unique<LedgerFolder>();
    script_ = std::make_unique<ui::MessageScript>();
    banking::sample::setCompany(folder_->connection, "Kiwi Tiles Ltd", "KT", true, 15.0);
    banking::sample::addBank(folder_->connection, "030100", "Westpac", "Queen Street");
    banking::sample::addBank(folder_->connection, "120300", "ASB Bank", "Newmarket");
}

void TestBankMainForm::cleanup() {
    if (form_ && form_->mode() != TBankMainForm::Mode::Browsing) form_->CancelButtonClick();
    form_.reset();
    script_.reset();
    folder_.reset();
}

void TestBankMainForm::open(bool coyActive) {
    form_ = std::make_unique<TBankMainForm>();
    form_->coyActive = coyActive;
    form_->setWindowTitle("Maintain Bank details.");
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QCOMPARE(mode(), QStringLiteral("Browsing."));
}

void TestBankMainForm::captionNamesTheCompanyAndAddingLocksThePages() {
    open();
    QCOMPARE(form_->windowTitle(), QStringLiteral("Active Company is : Kiwi Tiles Ltd"));
    QCOMPARE(find<QLineEdit>("BankCodeEdit")->text(), QStringLiteral("030100"));
    auto* pages = find<QTabWidget>("PageControl");
    QCOMPARE(pages->count(), 4);
    QCOMPARE(pages->tabText(2), QStringLiteral("Opening balances"));

    click("NewButton");
    QCOMPARE(mode(), QStringLiteral("Adding Bank details."));
    QVERIFY(!pages->isTabEnabled(1) && !pages->isTabEnabled(2));
    for (const char* b : {"NewButton", "EditButton", "DeleteButton", "ExitButton"})
        QVERIFY2(!find<QPushButton>(b)->isEnabled(), b);
    QVERIFY(find<QPushButton>("CancelButton")->isEnabled());
    form_->reject();
    QVERIFY(form_->isVisible());
    QCOMPARE(script_->texts(), QStringList{"Cannot exit.  Save or cancel first!"});
    QCOMPARE(script_->beeps(), 1);

    click("CancelButton");
    QCOMPARE(mode(), QStringLiteral("Browsing."));
    QVERIFY(pages->isTabEnabled(1));
    QCOMPARE(find<QLineEdit>("BankCodeEdit")->text(), QStringLiteral("030100"));

    showPage(TBankMainForm::OpeningPage);
    for (const char* b : {"NewButton", "EditButton", "DeleteButton", "SaveButton", "CancelButton"})
        QVERIFY2(!find<QPushButton>(b)->isEnabled(), b);
    QVERIFY(find<QPushButton>("ExitButton")->isEnabled());
    showPage(TBankMainForm::AccountsPage);
    click("NewButton");
    QCOMPARE(mode(), QStringLiteral("Adding Bank account(s)."));
    click("CancelButton");
    click("EditButton");  // no accounts yet
    QCOMPARE(mode(), QStringLiteral("Browsing."));
    form_->accept();
    QVERIFY(!form_->isVisible());
}

void TestBankMainForm::aDuplicateBankCodeKeepsSaveDisabled() {
    open();
    click("NewButton");
    auto* save = find<QPushButton>("SaveButton");
    QVERIFY(!save->isEnabled());
    type("BankCodeEdit", "030100");
    QVERIFY(find<QLabel>("DuplicateLabel")->isVisible());
    QCOMPARE(find<QLabel>("DuplicateLabel")->text(), QStringLiteral("Duplicate bank Code."));
    QVERIFY(!save->isEnabled());
    type("BankCodeEdit", "020200");
    QVERIFY(!find<QLabel>("DuplicateLabel")->isVisible());
    QVERIFY(save->isEnabled());
    type("NameEdit", "BNZ");
    type("ContactEdit", "Mere");
    click("SaveButton");
    QCOMPARE(mode(), QStringLiteral("Browsing."));
    QCOMPARE(folder_->valueWhere("QVBkHdr.DBF", "BANKCODE", "020200", "NAME").toString(),
             QStringLiteral("BNZ"));
    QVERIFY(form_->changed);

    click("EditButton");
    QCOMPARE(mode(), QStringLiteral("Editing Bank details."));
    QVERIFY(find<QLineEdit>("BankCodeEdit")->isReadOnly());
    type("NameEdit", "Bank of New Zealand");
    click("SaveButton");
    QCOMPARE(folder_->valueWhere("QVBkHdr.DBF", "BANKCODE", "020200", "NAME").toString(),
             QStringLiteral("Bank of New Zealand"));
}

void TestBankMainForm::aBankWithAccountsIsNotDeleted() {
    addAccount("1111111-00", false, false, 0, 2);
    open();
    QCOMPARE(find<QLineEdit>("NameEdit")->text(), QStringLiteral("Westpac"));
    click("DeleteButton");
    QCOMPARE(script_->texts(), (QStringList{"Confirm deletion of Bank Westpac",
                                            "Delete bank accounts before deleting bank!"}));
    QVERIFY(folder_->valueWhere("QVBkHdr.DBF", "BANKCODE", "030100", "NAME").isValid());

    script_->clear();
    form_->findChild<ui::Navigator*>("BankNavigator")->nextButton()->click();
    QCOMPARE(find<QLineEdit>("NameEdit")->text(), QStringLiteral("ASB Bank"));
    script_->answer(MsgAnswer::No);
    click("DeleteButton");
    QVERIFY(folder_->valueWhere("QVBkHdr.DBF", "BANKCODE", "120300", "NAME").isValid());
    click("DeleteButton");
    QVERIFY(!folder_->valueWhere("QVBkHdr.DBF", "BANKCODE", "120300", "NAME").isValid());
}

void TestBankMainForm::editWithNothingThereAsksForNew_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("text");
    QTest::newRow("banks") << int(TBankMainForm::BankPage)
                           << "Cannot edit. No bank set up. Click New to create.";
    QTest::newRow("accounts") << int(TBankMainForm::AccountsPage)
                              << "Cannot edit.  No bank accounts exist. Click New to create one.";
}

void TestBankMainForm::editWithNothingThereAsksForNew() {
    QFETCH(int, page);
    QFETCH(QString, text);
    {
        store::Table banks(folder_->connection, "QVBkHdr.DBF");
        banks.open();
        while (!banks.isEmpty()) {
            banks.first();
            banks.remove();
        }
    }
    open();
    showPage(page);
    click("EditButton");
    QCOMPARE(script_->texts(), QStringList{text});
    QCOMPARE(script_->beeps(), 1);
    QCOMPARE(mode(), QStringLiteral("Browsing."));
    QVERIFY(find<QPushButton>("ExitButton")->isEnabled());
}

void TestBankMainForm::aNewAccountStartsWithItsDefaultsAndSaves() {
    open();
    showPage(TBankMainForm::AccountsPage);
    QCOMPARE(find<QLineEdit>("CoyCodeEdit")->text(), QStringLiteral("KT"));
    click("NewButton");
    QCOMPARE(find<QLineEdit>("LastRefEdit")->text(), QStringLiteral("1000000"));
    QCOMPARE(find<QLineEdit>("LastChqEdit")->text(), QStringLiteral("0"));
    QCOMPARE(find<QLineEdit>("OdAmountEdit")->text(), QStringLiteral("0.00"));
    QVERIFY(!find<QLineEdit>("OdAmountEdit")->isVisible());
    for (const char* c : {"DefaultCheck", "DeptOnlyCheck", "AllowOdCheck"})
        QVERIFY2(!find<QCheckBox>(c)->isChecked(), c);
    QVERIFY(!find<QPushButton>("SaveButton")->isEnabled());
    type("AcctBankCodeEdit", "777777");
    QCOMPARE(find<QLabel>("BankNameLabel")->text(), QStringLiteral("Bank code not found!"));
    QVERIFY(!find<QPushButton>("SaveButton")->isEnabled());
    type("AcctBankCodeEdit", "030100");
    QCOMPARE(find<QLabel>("BankNameLabel")->text(), QStringLiteral("Westpac"));
    QVERIFY(find<QPushButton>("SaveButton")->isEnabled());
    click("SaveButton");  // no account number
    QCOMPARE(script_->texts(), QStringList{"Please enter a bank or account code."});
    QCOMPARE(mode(), QStringLiteral("Adding Bank account(s)."));
    type("AcctNoEdit", "1234567-00");
    type("DescEdit", "Cheque account");
    click("SaveButton");
    QCOMPARE(mode(), QStringLiteral("Browsing."));
    QCOMPARE(account("1234567-00", "BANKLINK").toString(), QStringLiteral("1-030100-1234567-00"));
    QCOMPARE(account("1234567-00", "LASTREFNO").toLongLong(), 1000000);
    QCOMPARE(account("1234567-00", "LINKCODE").toString(), QStringLiteral("1-0"));
    QCOMPARE(account("1234567-00", "BRANCH").toString(), QStringLiteral("0"));
    QCOMPARE(account("1234567-00", "BUSCODE").toString(), QStringLiteral("KT"));
    auto* grid = find<ui::DataGrid>("AcctGrid");
    QCOMPARE(grid->lazyModel()->rowCount(), 1);
    QCOMPARE(grid->lazyModel()->data(grid->lazyModel()->index(0, 3)).toString(), QStringLiteral("No"));
}

void TestBankMainForm::theCountersAreComparedAsTypedText_data() {
    QTest::addColumn<QString>("lastChq");
    QTest::addColumn<bool>("saved");
    QTest::newRow("500 against 500") << "500" << false;
    QTest::newRow("500 against 500.0") << "500.0" << true;
}

void TestBankMainForm::theCountersAreComparedAsTypedText() {
    QFETCH(QString, lastChq);
    QFETCH(bool, saved);
    open();
    showPage(TBankMainForm::AccountsPage);
    click("NewButton");
    type("AcctBankCodeEdit", "030100");
    type("AcctNoEdit", "1234567-00");
    type("LastRefEdit", "500");
    type("LastChqEdit", lastChq);
    click("SaveButton");
    QCOMPARE(account("1234567-00", "LASTREFNO").isValid(), saved);
    if (!saved) {
        QCOMPARE(script_->texts(),
                 QStringList{"Last transaction number must not be the same as the last cheque number."});
        QCOMPARE(script_->beeps(), 1);
        QCOMPARE(mode(), QStringLiteral("Adding Bank account(s)."));
    }
}

void TestBankMainForm::anAccountNumberOfAnotherCompanyIsADuplicate() {
    addAccount("1234567-00", false, false, 0, 2);
    open();
    showPage(TBankMainForm::AccountsPage);
    QCOMPARE(find<ui::DataGrid>("AcctGrid")->lazyModel()->rowCount(), 0);
    click("NewButton");
    type("AcctBankCodeEdit", "120300");
    type("AcctNoEdit", "1234567-00");
    QCOMPARE(find<QLineEdit>("DescEdit")->text(), QStringLiteral("Duplicate Account!"));
    QVERIFY(!find<QPushButton>("SaveButton")->isEnabled());
    type("AcctNoEdit", "1234567-01");
    QVERIFY(find<QLineEdit>("DescEdit")->text().isEmpty());
    QVERIFY(find<QPushButton>("SaveButton")->isEnabled());
}

void TestBankMainForm::onlyTheDefaultAccountMayBeTickedAsDefault() {
    addAccount("1111111-00", true);
    addAccount("2222222-00");
    open();
    showPage(TBankMainForm::AccountsPage);
    auto* grid = find<ui::DataGrid>("AcctGrid");
    grid->setCurrentRow(0);
    QCOMPARE(find<QLineEdit>("AcctNoEdit")->text(), QStringLiteral("1111111-00"));
    click("EditButton");
    auto* check = find<QCheckBox>("DefaultCheck");
    check->click();  // untick
    check->click();  // and tick again: it is this account
    QVERIFY(check->isChecked());
    QVERIFY(script_->texts().isEmpty());
    click("SaveButton");
    QCOMPARE(mode(), QStringLiteral("Browsing."));

    grid->setCurrentRow(1);
    QCOMPARE(find<QLineEdit>("AcctNoEdit")->text(), QStringLiteral("2222222-00"));
    click("EditButton");
    check->click();
    QVERIFY(!check->isChecked());
    QCOMPARE(script_->texts(), QStringList{"Default account already set!"});
    click("CancelButton");
}

void TestBankMainForm::oneDepartmentOnlyTakesTheDepartmentChosen() {
    folder_->addDepartment("SHOP", "Shop floor");
    folder_->addDepartment("WORKS", "Workshop");
    open();
    showPage(TBankMainForm::AccountsPage);
    click("NewButton");
    type("AcctBankCodeEdit", "030100");
    type("AcctNoEdit", "5555555-00");
    auto picked = testing_support::whenShown<TDeptViewForm>([](TDeptViewForm* w) {
        w->findChild<ui::DataGrid*>()->setCurrentRow(1);
        w->SelectButtonClick();
    });
    find<QCheckBox>("DeptOnlyCheck")->click();
    QVERIFY(picked->seen);
    QCOMPARE(find<QLabel>("DeptNameLabel")->text(), QStringLiteral("Workshop"));

    // Ticking again and cancelling the picker leaves the account in no department.
    find<QCheckBox>("DeptOnlyCheck")->click();  // untick
    auto cancelled = testing_support::whenShown<TDeptViewForm>([](TDeptViewForm* w) { w->reject(); });
    find<QCheckBox>("DeptOnlyCheck")->click();
    QVERIFY(cancelled->seen);
    QVERIFY(!find<QCheckBox>("DeptOnlyCheck")->isChecked());

    auto again = testing_support::whenShown<TDeptViewForm>([](TDeptViewForm* w) {
        w->findChild<ui::DataGrid*>()->setCurrentRow(1);
        w->SelectButtonClick();
    });
    find<QCheckBox>("DeptOnlyCheck")->click();
    QVERIFY(again->seen);
    click("SaveButton");
    QCOMPARE(mode(), QStringLiteral("Browsing."));
    QCOMPARE(account("5555555-00", "BRALLOC").toInt(), 1);
    QCOMPARE(account("5555555-00", "BRANCH").toString(), QStringLiteral("2"));
    QCOMPARE(account("5555555-00", "LINKCODE").toString(), QStringLiteral("1-2"));
    QVERIFY(find<QLabel>("DeptNameLabel")->isVisible());
    QCOMPARE(find<QLabel>("DeptNameLabel")->text(), QStringLiteral("Workshop"));
}

void TestBankMainForm::anAccountWithTransactionsIsNotDeleted() {
    addAccount("1111111-00");
    {
        store::Table rows(folder_->connection, "QVBnkTr.DBF");
        rows.open();
        rows.insert();
        rows.setValue("COYCODE", 1);
        rows.setValue("BANKLINK", "1-030100-1111111-00");
        rows.post();
    }
    addAccount("2222222-00");
    open();
    showPage(TBankMainForm::AccountsPage);
    auto* grid = find<ui::DataGrid>("AcctGrid");
    grid->setCurrentRow(0);
    click("DeleteButton");
    QCOMPARE(script_->texts(), (QStringList{"Confirm deletion of Bank account 1111111-00",
                                            "Cannot Delete!  Bank account 030100 is in use."}));
    QVERIFY(account("1111111-00", "ACCTNO").isValid());
    grid->setCurrentRow(1);
    click("DeleteButton");
    QVERIFY(!account("2222222-00", "ACCTNO").isValid());
    QCOMPARE(grid->lazyModel()->rowCount(), 1);
}

void TestBankMainForm::openingBalanceIsStatementPlusDepositsMinusCheques() {
    addAccount("1111111-00");
    addAccount("2222222-00");
    open();
    showPage(TBankMainForm::AccountsPage);
    find<ui::DataGrid>("AcctGrid")->setCurrentRow(1);
    showPage(TBankMainForm::OpeningPage);
    QCOMPARE(find<QLineEdit>("OpenBankEdit")->text(), QStringLiteral("030100"));
    QCOMPARE(find<QLineEdit>("OpenAcctEdit")->text(), QStringLiteral("2222222-00"));
    QCOMPARE(find<QLineEdit>("OpenDescEdit")->text(), QStringLiteral("Account 2222222-00"));
    QCOMPARE(find<QLineEdit>("ResultEdit")->text(), QStringLiteral("00.00"));
    QVERIFY(find<QPushButton>("DepositsButton")->isEnabled());
    QVERIFY(!find<QPushButton>("UpdateButton")->isEnabled());

    type("StatementEdit", "1000.00");
    QCOMPARE(find<QLineEdit>("ResultEdit")->text(), QStringLiteral("1000.00"));
    QVERIFY(find<QPushButton>("UpdateButton")->isEnabled());
    form_->openingPage()->setDepositsTotal(250.0);
    form_->openingPage()->setChequesTotal(400.0);
    QCOMPARE(find<QLineEdit>("DepositsEdit")->text(), QStringLiteral("250.00"));
    QCOMPARE(find<QLineEdit>("ResultEdit")->text(), QStringLiteral("850.00"));

    click("UpdateButton");
    QCOMPARE(script_->texts(), QStringList{"Confirm saving opening balances."});
    for (const char* field : {"OPENBAL", "INITBAL", "CURRBAL"})
        QCOMPARE(account("2222222-00", field).toDouble(), 850.0);
    QCOMPARE(account("2222222-00", "RECOK").toInt(), 1);
    QCOMPARE(account("2222222-00", "STARTDATE").toDate(), QDate::currentDate());
    QCOMPARE(account("1111111-00", "CURRBAL").toDouble(), 0.0);
    QVERIFY(!find<QPushButton>("UpdateButton")->isEnabled());
    QVERIFY(!find<QPushButton>("DepositsButton")->isEnabled());
    QVERIFY(form_->changed);
}

void TestBankMainForm::anExistingOpeningBalanceIsShownReadOnly() {
    banking::sample::BankAccountSpec s;
    s.bankCode = "030100";
    s.acctNo = "1111111-00";
    s.openingBalance = 1234.5;
    s.startDate = QDate(2024, 4, 1);
    banking::sample::addBankAccount(folder_->connection, 1, "KT", s);
    open();
    showPage(TBankMainForm::OpeningPage);
    QCOMPARE(find<QLineEdit>("ResultEdit")->text(), QStringLiteral("1234.50"));
    QCOMPARE(find<QLabel>("ResultLabel")->text(), QStringLiteral("Opening Balance :"));
    QCOMPARE(find<QLineEdit>("StatementEdit")->text(), QStringLiteral("00.00"));
    QCOMPARE(find<ui::DateBox>("StartDateBox")->dateValue(), QDate(2024, 4, 1));
    for (const char* w : {"StatementEdit", "StartDateBox", "DepositsButton", "ChequesButton",
                          "UpdateButton"})
        QVERIFY2(!find(w)->isEnabled(), w);
}

void TestBankMainForm::overdraftQuestions_data() {
    QTest::addColumn<bool>("allowOd");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QStringList>("answers");  // "Y"/"N" in order
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<double>("stored");
    const QString confirm = "Confirm saving opening balances.";
    QTest::newRow("-300 within 500") << true << "-300" << QStringList{"Y"} << QStringList{confirm} << -300.0;
    QTest::newRow("-600 beyond 500, No")
        << true << "-600" << QStringList{"N"}
        << QStringList{"Balance exceeds overdraft limit....proceed?"} << 0.0;
    QTest::newRow("-600 beyond 500, Yes")
        << true << "-600" << QStringList{"Y", "Y"}
        << QStringList{"Balance exceeds overdraft limit....proceed?", confirm} << -600.0;
    QTest::newRow("no provision, Yes")
        << false << "-5" << QStringList{"Y", "Y"}
        << QStringList{"Overdraft not permitted....proceed?", "Change account to allow overdraft!", confirm}
        << -5.0;
    QTest::newRow("no provision, No") << false << "-5" << QStringList{"N"}
                                      << QStringList{"Overdraft not permitted....proceed?"} << 0.0;
}

void TestBankMainForm::overdraftQuestions() {
    QFETCH(bool, allowOd);
    QFETCH(QString, statement);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, texts);
    QFETCH(double, stored);
    addAccount("1111111-00", false, allowOd, 500.0);
    open();
    showPage(TBankMainForm::OpeningPage);
    type("StatementEdit", statement);
    // The information box between the two questions takes an answer of its own.
    if (!allowOd && answers.size() > 1) answers.insert(1, "Y");
    for (const QString& a : answers) script_->answer(a == "Y" ? MsgAnswer::Yes : MsgAnswer::No);
    click("UpdateButton");
    QCOMPARE(script_->texts(), texts);
    QCOMPARE(account("1111111-00", "INITBAL").toDouble(), stored);
}

void TestBankMainForm::typingAnotherAccountStopsTheUpdate() {
    addAccount("1111111-00");
    addAccount("2222222-00");
    open();
    showPage(TBankMainForm::OpeningPage);
    QCOMPARE(find<QLineEdit>("OpenAcctEdit")->text(), QStringLiteral("1111111-00"));
    type("StatementEdit", "75");
    QVERIFY(find<QPushButton>("UpdateButton")->isEnabled());
    type("OpenAcctEdit", "9999999-00");
    QVERIFY(!find<QPushButton>("UpdateButton")->isEnabled());
    find<QLineEdit>("OpenAcctEdit")->editingFinished();
    QCOMPARE(script_->texts(), QStringList{"Could not find that bank account!"});
    click("UpdateButton");
    QCOMPARE(account("1111111-00", "CURRBAL").toDouble(), 0.0);

    script_->clear();
    type("OpenBankEdit", "777777");
    find<QLineEdit>("OpenBankEdit")->editingFinished();
    QCOMPARE(script_->texts(), QStringList{"Must enter a valid bank code!"});
    type("OpenBankEdit", "030100");
    type("OpenAcctEdit", "2222222-00");
    find<QLineEdit>("OpenAcctEdit")->editingFinished();
    QCOMPARE(find<QLineEdit>("OpenDescEdit")->text(), QStringLiteral("Account 2222222-00"));
    type("StatementEdit", "75");
    click("UpdateButton");
    QCOMPARE(account("2222222-00", "CURRBAL").toDouble(), 75.0);
    QCOMPARE(account("1111111-00", "CURRBAL").toDouble(), 0.0);
}

void TestBankMainForm::withoutAnActiveCompanyTheOpeningPageIsRefused() {
    addAccount("1111111-00");
    open(false);
    QCOMPARE(form_->windowTitle(), QStringLiteral("Maintain Bank details."));
    showPage(TBankMainForm::AccountsPage);
    showPage(TBankMainForm::OpeningPage);
    QCOMPARE(script_->texts(), QStringList{"Must have an active Company!"});
    QCOMPARE(form_->currentPage(), int(TBankMainForm::AccountsPage));
}

void TestBankMainForm::bankPickerReturnsTheChosenCode() {
    TBankVuForm picker;
    picker.show();
    auto* grid = picker.findChild<ui::DataGrid*>("BankGrid");
    QVERIFY(grid && grid->lazyModel());
    QCOMPARE(grid->lazyModel()->rowCount(), 2);
    grid->setCurrentRow(1);
    picker.SelectButtonClick();
    QCOMPARE(picker.result(), int(QDialog::Accepted));
    QCOMPARE(picker.bankCode, QStringLiteral("120300"));

    // In add mode the account page's picker button fills the bank code.
    open();
    showPage(TBankMainForm::AccountsPage);
    QVERIFY(!form_->findChild<QToolButton*>("BankPickButton")->isEnabled());
    click("NewButton");
    auto chosen = testing_support::whenShown<TBankVuForm>([](TBankVuForm* w) {
        w->findChild<ui::DataGrid*>("BankGrid")->setCurrentRow(0);
        w->SelectButtonClick();
    });
    form_->findChild<QToolButton*>("BankPickButton")->click();
    QVERIFY(chosen->seen);
    QCOMPARE(find<QLineEdit>("AcctBankCodeEdit")->text(), QStringLiteral("030100"));
    QCOMPARE(find<QLabel>("BankNameLabel")->text(), QStringLiteral("Westpac"));
}

QTEST_MAIN(TestBankMainForm)
#include "tst_bankmainform.moc"
