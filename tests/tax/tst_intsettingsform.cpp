// The international settings window: what an Australian user sees and saves, the warning for a
// New Zealand company, and a stored country other than Australia.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/shelltest.h"
#include "banking/sample_company.h"
#include "store/inifile.h"
#include "tax/intsettings.h"
#include "tax/intsettingsform.h"
#include "ui/messages.h"

class TestIntSettingsForm : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void anAustralianCompanyTypesItsAccountsAndSaves();
    void aNewZealandCompanyIsWarnedAndSavesEmptyValues();
    void theStoredCountryDecidesTheListAndTheGroup_data();
    void theStoredCountryDecidesTheListAndTheGroup();

private:
    QString dataFolder() const;
    std::unique_ptr<shelltest::FreshHome> home_;
};

void TestIntSettingsForm::init() {
    home_ = std::make_unique<shelltest::FreshHome>();
    shelltest::setControl({{"BUSNAME", "Outback Traders"}, {"COUNTRY", "AUS"}});
    store::Connection c;
    c.connect();
    banking::sample::LedgerSpec s;
    s.code = "EXPORT";
    s.descr = "Export sales";
    banking::sample::addLedgerAccount(c, 1, s);
}

void TestIntSettingsForm::cleanup() { home_.reset(); }

QString TestIntSettingsForm::dataFolder() const {
    store::Connection c;
    c.connect();
    return c.path();
}

void TestIntSettingsForm::anAustralianCompanyTypesItsAccountsAndSaves() {
    ui::MessageScript script;
    TIntSettingsForm w;
    w.coyCode = 1;
    w.show();
    auto* country = w.findChild<QComboBox*>("CountryCombo");
    QCOMPARE(country->currentText(), QStringLiteral("Australia"));
    QCOMPARE(w.findChild<QLineEdit*>("TaxLabelEdit")->text(), QStringLiteral("Sales tax"));
    QVERIFY(w.findChild<QGroupBox*>("TaxSettingsGroup")->isVisible());

    QTest::keyClicks(w.findChild<QLineEdit*>("ExportSalesEdit"), "export");
    QCOMPARE(w.findChild<QLabel*>("ExportSalesLabel")->text(), QStringLiteral("Export sales"));
    QTest::keyClicks(w.findChild<QLineEdit*>("CapExEdit"), "PLANT");
    QCOMPARE(w.findChild<QLabel*>("CapExLabel")->text(),
             QStringLiteral("Cannot find ledger account!"));

    // Another country is refused with a beep and the group stays.
    country->activated(country->findText("Canada"));
    QCOMPARE(script.texts(), QStringList{"Settings for Australia (New Zealand default) only!"});
    QCOMPARE(script.beeps(), 1);
    country->setCurrentIndex(0);

    w.findChild<QPushButton*>("SaveButton")->click();
    QVERIFY(w.isVisible());
    const tax::IntSettings back = tax::readIntSettings(dataFolder());
    QCOMPARE(back.country, QStringLiteral("Australia"));
    QCOMPARE(back.taxLabel, QStringLiteral("Sales tax"));
    QCOMPARE(back.exportSales, QStringLiteral("EXPORT"));
    QCOMPARE(back.capEx, QStringLiteral("PLANT"));  // kept although no account has it
    QVERIFY(back.inputSales.isEmpty());
    w.close();
}

void TestIntSettingsForm::aNewZealandCompanyIsWarnedAndSavesEmptyValues() {
    shelltest::setControl({{"COUNTRY", "NZ"}});
    store::IniFile(tax::intSettingsPath(dataFolder())).writeString("TaxLabel", "Label", "GST");
    ui::MessageScript script;
    TIntSettingsForm w;
    w.coyCode = 1;
    w.show();
    QCOMPARE(script.texts(),
             QStringList{"Please select a country other than New Zealand in company control."});
    QCOMPARE(w.findChild<QComboBox*>("CountryCombo")->currentIndex(), -1);
    QVERIFY(w.findChild<QLineEdit*>("TaxLabelEdit")->text().isEmpty());
    QVERIFY(!w.findChild<QGroupBox*>("TaxSettingsGroup")->isVisible());
    w.findChild<QPushButton*>("SaveButton")->click();
    QVERIFY(tax::readIntSettings(dataFolder()).taxLabel.isEmpty());
    w.close();
}

void TestIntSettingsForm::theStoredCountryDecidesTheListAndTheGroup_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("group");
    QTest::newRow("none stored") << ""
                                 << "Australia" << true;
    QTest::newRow("Australia") << "Australia"
                               << "Australia" << true;
    QTest::newRow("another country") << "Fiji"
                                     << "" << false;
}

void TestIntSettingsForm::theStoredCountryDecidesTheListAndTheGroup() {
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QFETCH(bool, group);
    store::IniFile(tax::intSettingsPath(dataFolder())).writeString("Country", "Country", stored);
    ui::MessageScript script;
    TIntSettingsForm w;
    w.coyCode = 1;
    w.show();
    QCOMPARE(w.findChild<QComboBox*>("CountryCombo")->currentText(), shown);
    QCOMPARE(w.findChild<QGroupBox*>("TaxSettingsGroup")->isVisible(), group);
    QVERIFY(script.texts().isEmpty());
    w.close();
}

QTEST_MAIN(TestIntSettingsForm)
#include "tst_intsettingsform.moc"
