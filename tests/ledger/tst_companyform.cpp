// Company maintenance: a new company opens for editing, a bad percent keeps the window editing,
// and closing while editing is refused.
#include "ledger/companyform.h"
#include "ledger/ledgerfolder.h"
#include "support/qt/modalwait.h"
#include "ui/messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>
#include <memory>

class TestCompanyForm : public QObject {
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

    void aNewCompanyOpensForEditingAndSaves();
    void aBadPercentKeepsTheWindowEditing();
    void aNamedCompanyOpensBrowsingAndCancelRestores();

private:
    static void type(QLineEdit* e, const QString& text) {
        e->selectAll();
        QTest::keyClicks(e, text);
    }
    std::unique_ptr<LedgerFolder> folder_;
    std::unique_ptr<ui::MessageScript> script_;
};

void TestCompanyForm::aNewCompanyOpensForEditingAndSaves() {
    TQVCompanyForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.windowTitle(), QStringLiteral("Quorvel - company control maintenance."));
    QVERIFY(form.editing());
    QCOMPARE(form.findChild<QLabel*>("ModePanel")->text(), QStringLiteral("Editing company"));
    QCOMPARE(QApplication::focusWidget(), form.findChild<QLineEdit*>("BusNameEdit"));
    QVERIFY(!form.findChild<QPushButton*>("ExitButton")->isEnabled());

    form.close();
    QVERIFY(form.isVisible());
    QCOMPARE(script_->texts(), QStringList{"Complete edit, or Cancel!"});

    // A new company starts from New Zealand's rate, and Australia's while Australia is chosen.
    auto* percent = form.findChild<QLineEdit*>("GstPercentEdit");
    QCOMPARE(percent->text(), QStringLiteral("15"));
    form.findChild<QComboBox*>("CountryCombo")->setCurrentText("Australia");
    QCOMPARE(percent->text(), QStringLiteral("10"));
    form.findChild<QComboBox*>("CountryCombo")->setCurrentText("New Zealand");
    QCOMPARE(percent->text(), QStringLiteral("15"));

    type(form.findChild<QLineEdit*>("BusNameEdit"), QString(46, QLatin1Char('H')));
    form.findChild<QCheckBox*>("GstEnabledCheck")->setChecked(true);
    type(form.findChild<QLineEdit*>("GstPercentEdit"), "12.5");
    form.findChild<QSpinBox*>("GstPeriodSpin")->setValue(2);
    form.findChild<QComboBox*>("CountryCombo")->setCurrentText("Australia");
    QTest::mouseClick(form.findChild<QPushButton*>("SaveButton"), Qt::LeftButton);
    QVERIFY(!form.editing());
    QCOMPARE(form.findChild<QLabel*>("ModePanel")->text(), QStringLiteral("Browsing"));
    QCOMPARE(folder_->valueWhere("QVCntrl.DBF", "COYCODE", 1, "BUSNAME").toString(), QString(45, QLatin1Char('H')));
    QCOMPARE(folder_->valueWhere("QVCntrl.DBF", "COYCODE", 1, "GSTPERCENT").toDouble(), 12.5);
    QCOMPARE(folder_->valueWhere("QVCntrl.DBF", "COYCODE", 1, "GSTTYPE").toString(), QStringLiteral("I"));
    QCOMPARE(folder_->valueWhere("QVCntrl.DBF", "COYCODE", 1, "COUNTRY").toString(), QStringLiteral("AUS"));
    QCOMPARE(form.findChild<QLineEdit*>("GstPercentEdit")->text(), QStringLiteral("12.5"));
    QTest::mouseClick(form.findChild<QPushButton*>("ExitButton"), Qt::LeftButton);
    QVERIFY(!form.isVisible());
}

void TestCompanyForm::aBadPercentKeepsTheWindowEditing() {
    TQVCompanyForm form;
    form.show();
    type(form.findChild<QLineEdit*>("BusNameEdit"), "Harbour Cafe");
    form.findChild<QCheckBox*>("GstEnabledCheck")->setChecked(true);
    type(form.findChild<QLineEdit*>("GstPercentEdit"), "abc");
    form.SaveButtonClick();
    QVERIFY(form.editing());
    QVERIFY(script_->texts().isEmpty());
    QCOMPARE(folder_->valueWhere("QVCntrl.DBF", "COYCODE", 1, "BUSNAME").toString(), QStringLiteral("Name"));
    type(form.findChild<QLineEdit*>("GstPercentEdit"), "15");
    form.SaveButtonClick();
    QVERIFY(!form.editing());
    QCOMPARE(folder_->valueWhere("QVCntrl.DBF", "COYCODE", 1, "BUSNAME").toString(), QStringLiteral("Harbour Cafe"));
}

void TestCompanyForm::aNamedCompanyOpensBrowsingAndCancelRestores() {
    {
        store::Table control(folder_->connection, "QVCntrl.DBF");
        control.open();
        control.edit();
        control.setValue("BUSNAME", "Harbour Cafe");
        control.setValue("COUNTRY", "AUS");
        control.setValue("GSTPERCENT", 10);
        control.post();
    }
    TQVCompanyForm form;
    form.show();
    QVERIFY(!form.editing());
    QVERIFY(!form.findChild<QLineEdit*>("BusNameEdit")->isEnabled());
    QCOMPARE(form.findChild<QComboBox*>("CountryCombo")->currentText(), QStringLiteral("Australia"));
    QCOMPARE(form.findChild<QLineEdit*>("GstPercentEdit")->text(), QStringLiteral("10"));
    form.EditButtonClick();
    type(form.findChild<QLineEdit*>("BusNameEdit"), "Changed");
    form.CancelButtonClick();
    QCOMPARE(form.findChild<QLineEdit*>("BusNameEdit")->text(), QStringLiteral("Harbour Cafe"));
    QCOMPARE(folder_->valueWhere("QVCntrl.DBF", "COYCODE", 1, "BUSNAME").toString(), QStringLiteral("Harbour Cafe"));
}

QTEST_MAIN(TestCompanyForm)
#include "tst_companyform.moc"
