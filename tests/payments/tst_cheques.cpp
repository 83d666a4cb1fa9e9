// The cheque report dialog: its refusals for a company without payments, the payment it proposes
// and picks from the payment list, the payee of a printed cheque, and payment entry's "Print"
// printing the shown payment's cheque.
#include <QCheckBox>
#include <QLabel>
#include <QPrinter>
#include <QToolButton>

#include "banking/bankentry_window.h"
#include "payments/cheque_print.h"
#include "payments/chequerptdiaform.h"
#include "payments/chqentryform.h"
#include "payments/coychequelistform.h"
#include "payments/payment_entry.h"
#include "payments/suppliers.h"

using namespace bankentry_test;

class TestCheques : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testing_support::useTemporaryHome(); }
    void init() { books = std::make_unique<Books>(); }
    void cleanup() { books.reset(); }

    void aCompanyWithoutPaymentsHasNoChequesToShow();
    void specificChequeProposesTheFirstPaymentAndTheListPicksAnother();
    void aChequePrintedWithTheSupplierBoxEmptyNamesThePaymentsSupplier();
    void paymentEntryPrintsTheShownPaymentsCheque();

private:
    // An electronic transfer (CHEQUENO "0") to a payee, then a cheque to ACME.
    void enterTwoPayments() {
        store::Table t(books->c, QStringLiteral("QVSupp.DBF"));
        t.open();
        payments::SupplierDetails acme;
        acme.suppCode = QStringLiteral("ACME");
        acme.busName = QStringLiteral("Acme Supplies Ltd");
        payments::addSupplier(t, 1, acme);
        transfer = enter(payments::PayType::Electronic, QStringLiteral("Window cleaner"), 40.0);
        cheque = enter(payments::PayType::Cheque, QStringLiteral("ACME"), 1220.30);
    }
    qint64 enter(payments::PayType type, const QString& supplier, double amount) {
        payments::NewPayment p;
        p.bankCode = kBankB;
        p.acctNo = kAcctB;
        p.type = type;
        p.date = QDate(2026, 3, 2);
        p.supplier = supplier;
        p.lines = {{QStringLiteral("BANKFEES"), amount}};
        return payments::enterPayment(books->c, p, banking::alwaysYes).number;
    }
    std::unique_ptr<TChequeRptDiaForm> openDialog() {
        auto w = std::make_unique<TChequeRptDiaForm>();
        w->coyCode = 1;
        w->showReport = [this](const reports::ReportDocument& doc) { shown = doc; };
        w->show();
        return w;
    }

    std::unique_ptr<Books> books;
    qint64 transfer = 0, cheque = 0;
    reports::ReportDocument shown;
};

void TestCheques::aCompanyWithoutPaymentsHasNoChequesToShow() {
    ui::MessageScript script;
    auto w = openDialog();
    QCOMPARE(w->windowTitle(), QStringLiteral("Cheque reports for : Test Traders"));
    child<QPushButton>(w.get(), "PreViewButton")->click();
    QCOMPARE(script.texts(), QStringList{"This Company has no cheques."});
    QCOMPARE(script.beeps(), 1);
    auto* specific = child<QCheckBox>(w.get(), "SpecificCheck");
    specific->click();
    QCOMPARE(script.texts().value(1), QStringLiteral("This bank account has no cheques."));
    QVERIFY(!specific->isChecked());
    QVERIFY(!child(w.get(), "NumberEdit")->isVisible());
    QVERIFY(shown.bands.empty() && shown.formPages.empty());
}

void TestCheques::specificChequeProposesTheFirstPaymentAndTheListPicksAnother() {
    enterTwoPayments();
    ui::MessageScript script;
    auto w = openDialog();
    child<QCheckBox>(w.get(), "SpecificCheck")->click();
    // The first payment is a transfer whose cheque number is "0": its own number is proposed.
    QCOMPARE(text(w.get(), "NumberEdit"), QString::number(transfer));
    QVERIFY(child<QLabel>(w.get(), "DescriptionLabel")
                ->text()
                .startsWith(QStringLiteral("Supplier : Window cleaner Amount 40.00")));
    QVERIFY(w->specificPayment());
    auto list = testing_support::whenShown<TCoyChequeListForm>([&](TCoyChequeListForm* l) {
        type(l, "NumberEdit", QString::number(cheque));
        child<QPushButton>(l, "GoToButton")->click();
        child<QPushButton>(l, "SelectButton")->click();
    });
    child<QToolButton>(w.get(), "ChequeListButton")->click();
    QVERIFY(list->seen);
    QCOMPARE(text(w.get(), "NumberEdit"), QString::number(cheque));
    type(w.get(), "NumberEdit", "999999");
    QCOMPARE(child<QLabel>(w.get(), "DescriptionLabel")->text(),
             QStringLiteral("Cannot find cheque."));
    QVERIFY(!w->specificPayment());
    QVERIFY2(script.texts().isEmpty(), qPrintable(script.texts().join("|")));
}

void TestCheques::aChequePrintedWithTheSupplierBoxEmptyNamesThePaymentsSupplier() {
    enterTwoPayments();
    ui::MessageScript script;
    auto w = openDialog();
    child<QCheckBox>(w.get(), "SpecificCheck")->click();
    type(w.get(), "NumberEdit", QString::number(cheque));
    child<QCheckBox>(w.get(), "DetailsCheck")->click();
    QCOMPARE(text(w.get(), "SupplierEdit"), QString());
    child<QPushButton>(w.get(), "PreViewButton")->click();
    QCOMPARE(shown.formPages.size(), size_t(1));
    const auto& fields = shown.formPages[0].fields;
    QCOMPARE(fields[1].text, QStringLiteral("Acme Supplies Ltd"));
    QCOMPARE(fields[3].text,
             QStringLiteral("One Thousand, Two Hundred and Twenty dollars and Thirty cents."));
    QVERIFY2(script.texts().isEmpty(), qPrintable(script.texts().join("|")));
}

void TestCheques::paymentEntryPrintsTheShownPaymentsCheque() {
    enterTwoPayments();
    ui::MessageScript script;
    TChqEntryForm entry;
    entry.coyCode = QStringLiteral("1");
    entry.tranNum = cheque;
    entry.show();
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("cheque.pdf"));
    bool specific = false, details = true;
    auto dialog = testing_support::whenShown<TChequeRptDiaForm>([&](TChequeRptDiaForm* d) {
        specific = d->specificPayment();
        details = child<QCheckBox>(d, "DetailsCheck")->isChecked();
        d->askPrinter = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        child<QPushButton>(d, "PrintButton")->click();
        d->close();
    });
    child<QPushButton>(&entry, "PrintButton")->click();
    QVERIFY(dialog->seen);
    QVERIFY(specific);
    QVERIFY(!details);
    QVERIFY(QFileInfo(pdf).size() > 0);
    QVERIFY2(script.texts().isEmpty(), qPrintable(script.texts().join("|")));
}

QTEST_MAIN(TestCheques)
#include "tst_cheques.moc"
