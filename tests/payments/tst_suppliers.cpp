// Supplier maintenance, the supplier picker and the import picker, driven through their
// controls over a fresh data folder.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "ledger/ledgerfolder.h"
#include "payments/supplierpicker.h"
#include "payments/suppliers.h"
#include "payments/supplierviewform.h"
#include "support/qt/modalwait.h"
#include "ui/datagrid.h"
#include "ui/messages.h"

class TestSuppliers : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testing_support::useTemporaryHome(); }
    void init();
    void cleanup() {
        script_.reset();
        folder_.reset();
    }

    void pickerSearchesByCodeAndNameAndReturnsTheCode();
    void pickerForViewingHidesSelect();

private:
    void addCompany(int coy, const QString& name) {
        store::Table control(folder_->connection, "QVCntrl.DBF");
        control.open();
        if (control.locate("COYCODE", coy)) {
            control.edit();
        } else {
            control.append();
            control.setValue("COYCODE", coy);
        }
        control.setValue("BUSNAME", name);
        control.post();
    }
    void addSupplier(int coy, const QString& code, const QString& name) {
        store::Table supp(folder_->connection, "QVSupp.DBF");
        supp.open();
        payments::SupplierDetails d;
        d.suppCode = code;
        d.busName = name;
        QCOMPARE(payments::addSupplier(supp, coy, d), payments::SupplierSave::Saved);
    }
    // Runs the checks on the window, then closes it whatever they found, so that a failed
    // check fails the test instead of leaving the window open.
    template <class W>
    static auto closing(std::function<void(W*)> checks) {
        return testing_support::whenShown<W>([checks](W* w) {
            checks(w);
            if (w->isVisible()) w->reject();
        });
    }
    static QStringList column(ui::DataGrid* grid, const char* field) {
        QStringList out;
        for (int r = 0; r < grid->lazyModel()->rowCount(); ++r)
            out << grid->lazyModel()->valueAt(r, field).toString();
        return out;
    }

    std::unique_ptr<LedgerFolder> folder_;
    std::unique_ptr<ui::MessageScript> script_;
};

void TestSuppliers::init() {
    folder_ = std::make_unique<LedgerFolder>();
    script_ = std::make_unique<ui::MessageScript>();
    addCompany(1, "Harbour Cafe");
    addCompany(2, "Hill Farm");
    addSupplier(1, "BOLT", "Bolt Fasteners");
    addSupplier(1, "ACME", "Acme Hardware");
    addSupplier(1, "ABLE", "Zed Able Supplies");
    addSupplier(2, "ACME", "Acme of the Hill");
}

void TestSuppliers::pickerSearchesByCodeAndNameAndReturnsTheCode() {
    auto seen = closing<TSupplierViewForm>([](TSupplierViewForm* w) {
        QCOMPARE(w->windowTitle(), QStringLiteral("View/Select Suppliers for : Harbour Cafe"));
        auto* grid = w->findChild<ui::DataGrid*>("SuppGrid");
        QCOMPARE(column(grid, "SUPPCODE"), (QStringList{"ABLE", "ACME", "BOLT"}));
        QTest::keyClicks(w->findChild<QLineEdit*>("SuppCodeEdit"), "a");
        QCOMPARE(column(grid, "SUPPCODE").size(), 2);
        QTest::keyClicks(w->findChild<QLineEdit*>("BusNameEdit"), "acme");
        QCOMPARE(column(grid, "SUPPCODE"), QStringList{"ACME"});
        QTest::mouseClick(w->findChild<QPushButton*>("DisplayAllButton"), Qt::LeftButton);
        QCOMPARE(grid->lazyModel()->rowCount(), 3);
        grid->setCurrentRow(2);
        QTest::keyClick(grid, Qt::Key_Return);
        if (w->isVisible()) w->findChild<QPushButton*>("SelectButton")->click();
    });
    const std::optional<QString> chosen = payments::pickSupplier(nullptr, 1, true);
    QVERIFY(seen->seen);
    QCOMPARE(chosen, std::optional<QString>(QStringLiteral("BOLT")));
}

void TestSuppliers::pickerForViewingHidesSelect() {
    auto seen = closing<TSupplierViewForm>([](TSupplierViewForm* w) {
        QCOMPARE(w->windowTitle(), QStringLiteral("View Suppliers for : Hill Farm"));
        QVERIFY(!w->findChild<QPushButton*>("SelectButton")->isVisible());
        QCOMPARE(w->findChild<ui::DataGrid*>("SuppGrid")->lazyModel()->rowCount(), 1);
        w->findChild<QPushButton*>("CloseButton")->click();
    });
    QCOMPARE(payments::pickSupplier(nullptr, 2, false), std::nullopt);
    QVERIFY(seen->seen);
}

QTEST_MAIN(TestSuppliers)
#include "tst_suppliers.moc"
