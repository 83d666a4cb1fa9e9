// The set-up wizard: the agreement first, then each page once the one before is done.
#include "app/wizardform.h"
#include "ledger/companyform.h"
#include "ledger/validationform.h"
#include "support/qt/modalwait.h"
#include "shelltest.h"
#include "ui/messages.h"

#include <QPlainTextEdit>
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

class TestWizard : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensOnTheAgreementPageOnly();
    void agreeingOpensTheCompanyPage();
    void companyPageNeedsACompanyRecord_data();
    void companyPageNeedsACompanyRecord();
    void departmentPageChecksDepartmentsAndAccounts_data();
    void departmentPageChecksDepartmentsAndAccounts();
    void cancelAfterAgreeingStillAccepts();

private:
    static QStringList enabledPages(const TQVWizardForm& w)
    {
        QStringList pages;
        for (int i = 0; i < w.pages()->count(); ++i)
            if (w.pages()->isTabEnabled(i)) pages << w.pages()->tabText(i);
        return pages;
    }

    std::unique_ptr<shelltest::FreshHome> home_;
    std::unique_ptr<TQVWizardForm> wizard_;
};

void TestWizard::init()
{
    home_ = std::make_unique<shelltest::FreshHome>();
    shelltest::setControl({{"BUSNAME", "Name"}});  // creates the data folder
    wizard_ = std::make_unique<TQVWizardForm>();
}

void TestWizard::cleanup()
{
    wizard_.reset();
    home_.reset();
}

void TestWizard::opensOnTheAgreementPageOnly()
{
    ui::MessageScript script;
    wizard_->show();
    QCOMPARE(wizard_->windowTitle(), QStringLiteral("Quorvel set up Wizard"));
    QCOMPARE(wizard_->pages()->currentIndex(), int(TQVWizardForm::LicensePage));
    QCOMPARE(enabledPages(*wizard_), QStringList{"License"});
    QVERIFY(!wizard_->setupAccepted);
    auto* memo = wizard_->findChild<QPlainTextEdit*>("LicenseMemo");
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->toPlainText(), readLicenseText());
    QVERIFY(memo->toPlainText().contains("I agree"));
    QCOMPARE(wizard_->helpContext(), 60);
    QCOMPARE(script.texts(), QStringList{});
}

void TestWizard::agreeingOpensTheCompanyPage()
{
    wizard_->show();
    click(wizard_.get(), "AgreeButton");
    QVERIFY(wizard_->setupAccepted);
    QCOMPARE(wizard_->pages()->currentIndex(), int(TQVWizardForm::CompanyPage));
    QCOMPARE(enabledPages(*wizard_), (QStringList{"Company", "License"}));
}

void TestWizard::companyPageNeedsACompanyRecord_data()
{
    QTest::addColumn<bool>("companyExists");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("page");
    QTest::newRow("a control record") << true << QStringList{} << int(TQVWizardForm::DepartmentsPage);
    QTest::newRow("none") << false << QStringList{"No Company created!"}
                          << int(TQVWizardForm::CompanyPage);
}

void TestWizard::companyPageNeedsACompanyRecord()
{
    QFETCH(bool, companyExists);
    QFETCH(QStringList, messages);
    QFETCH(int, page);
    wizard_->show();
    click(wizard_.get(), "AgreeButton");
    ui::MessageScript script;
    // Company maintenance opens over the wizard; what it leaves behind when it closes counts.
    auto opened = testing_support::whenShown<TQVCompanyForm>([&](TQVCompanyForm* form) {
        if (!companyExists) shelltest::emptyControlTable();
        leaveWindow(form);
    });
    click(wizard_.get(), "CompanyButton");
    QVERIFY(opened->seen);
    QCOMPARE(script.texts(), messages);
    QCOMPARE(script.beeps(), messages.size());
    for (ui::MsgKind kind : script.kinds()) QCOMPARE(kind, ui::MsgKind::Information);
    QCOMPARE(wizard_->pages()->currentIndex(), page);
    QCOMPARE(wizard_->pages()->isTabEnabled(TQVWizardForm::DepartmentsPage), companyExists);
}

void TestWizard::departmentPageChecksDepartmentsAndAccounts_data()
{
    QTest::addColumn<int>("departmentOf");  // company of the department made, 0 for none
    QTest::addColumn<int>("accountOf");     // company of the account made, 0 for none
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("bankPage");
    const QString noDept = QStringLiteral("No department created!");
    const QString noAcct = QStringLiteral("No cash journal accounts created!");
    QTest::newRow("neither") << 0 << 0 << QStringList{noDept, noAcct} << false;
    QTest::newRow("department only") << 1 << 0 << QStringList{noAcct} << true;
    QTest::newRow("account only") << 0 << 1 << QStringList{noDept} << true;
    QTest::newRow("both") << 1 << 1 << QStringList{} << true;
    QTest::newRow("another company's") << 2 << 2 << QStringList{noDept, noAcct} << false;
}

void TestWizard::departmentPageChecksDepartmentsAndAccounts()
{
    QFETCH(int, departmentOf);
    QFETCH(int, accountOf);
    QFETCH(QStringList, messages);
    QFETCH(bool, bankPage);
    wizard_->show();
    click(wizard_.get(), "AgreeButton");
    testing_support::whenShown<TQVCompanyForm>(
        [](TQVCompanyForm* form) { leaveWindow(form); });
    click(wizard_.get(), "CompanyButton");
    QCOMPARE(wizard_->pages()->currentIndex(), int(TQVWizardForm::DepartmentsPage));

    // What codes and accounts saved while the wizard waited for it.
    auto saveDepartmentsAndAccounts = [&] {
        store::Connection c;
        c.connect();
        if (departmentOf) {
            store::Table coy(c, "QVCoy.DBF");
            coy.open();
            coy.append();
            coy.setValue("COYCODE", departmentOf);
            coy.setValue("BRANCH", 1);
            coy.setValue("DEPTCODE", "CAFE");
            coy.setValue("BUSNAME", "Cafe");
            coy.post();
        }
        if (accountOf) {
            store::Table acc(c, "QVAccDet.DBF");
            acc.open();
            acc.append();
            acc.setValue("COYCODE", QString::number(accountOf));
            acc.setValue("ACCTCODE", "SALES");
            acc.setValue("TYPECODE", "INC");
            acc.post();
        }
    };
    ui::MessageScript script;
    auto opened = testing_support::whenShown<TQVValidationForm>([&](TQVValidationForm* form) {
        saveDepartmentsAndAccounts();
        leaveWindow(form);
    });
    click(wizard_.get(), "DepartmentButton");
    QVERIFY(opened->seen);
    QCOMPARE(script.texts(), messages);
    QCOMPARE(script.beeps(), messages.size());
    QCOMPARE(wizard_->pages()->isTabEnabled(TQVWizardForm::BankAccountsPage), bankPage);
    QCOMPARE(wizard_->pages()->currentIndex(),
             int(bankPage ? TQVWizardForm::BankAccountsPage : TQVWizardForm::DepartmentsPage));
}

void TestWizard::cancelAfterAgreeingStillAccepts()
{
    bool accepted = false;
    ui::MessageScript script;
    QTimer::singleShot(0, wizard_.get(), [&] {
        click(wizard_.get(), "AgreeButton");
        click(wizard_.get(), "CancelButton");
    });
    wizard_->exec();
    accepted = wizard_->setupAccepted;
    QVERIFY(accepted);
    QVERIFY(!wizard_->isVisible());
}

QTEST_MAIN(TestWizard)
#include "tst_wizard.moc"
