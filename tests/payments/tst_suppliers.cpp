// Supplier maintenance, the supplier picker and the import picker, driven through their
// controls over a fresh data folder.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "ledger/ledgerfolder.h"
#include "payments/addeditsuppform.h"
#include "payments/supplierlistform.h"
#include "payments/supplierpicker.h"
#include "payments/suppliers.h"
#include "payments/supplierviewform.h"
#include "store/query.h"
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
    void pickerOpensMaintenanceAndListsWhatWasSaved();
    void aSupplierIsAddedEditedAndDeletedFromTheKeyboard();
    void searchMovesToTheCodeOrSaysItCannotFindIt();
    void importFillsTheBoxesFromAnotherCompanysSupplier();
    void aCompanyWithoutSuppliersHasNothingToDelete();

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
    std::unique_ptr<TAddEditSuppForm> openMaintenance(int coy) {
        auto w = std::make_unique<TAddEditSuppForm>();
        w->coyNo = coy;
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get())) qWarning("window not active");
        return w;
    }
    // A key pressed in the window, made active first as a user's click would (a window that
    // another has just closed over becomes active again only later).
    static void press(QWidget* w, Qt::Key key) {
        if (!w->isActiveWindow()) {
            w->activateWindow();
            if (!QTest::qWaitForWindowActive(w)) qWarning("window not active");
        }
        QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, key);
    }
    static QLineEdit* box(QWidget* w, const char* name) {
        return w->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    static QString mode(QWidget* w) { return w->findChild<QLabel*>("ModePanel")->text(); }
    // Replaces a box's text as a user does: select everything and type.
    static void type(QWidget* w, const char* name, const QString& text) {
        QLineEdit* e = box(w, name);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
    }
    // One field of company 1's supplier with this code, read with plain SQL.
    QString stored(const QString& code, const QString& field) {
        store::Query q(folder_->connection);
        q.setSql("SELECT " + field + " FROM QVSupp WHERE COYNO = 1 AND SUPPCODE = :code");
        q.bind("code", code);
        q.open();
        return q.eof() ? QStringLiteral("<none>") : q.text(field);
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

void TestSuppliers::pickerOpensMaintenanceAndListsWhatWasSaved() {
    auto maintenance = closing<TAddEditSuppForm>([](TAddEditSuppForm* w) {
        press(w, Qt::Key_F2);
        type(w, "SuppCodeEdit", "CRANE");
        type(w, "BusNameEdit", "Crane Hire");
        press(w, Qt::Key_F4);
        QCOMPARE(mode(w), QStringLiteral("Browsing Suppliers."));
        w->findChild<QPushButton*>("ExitButton")->click();
    });
    auto picker = closing<TSupplierViewForm>([](TSupplierViewForm* w) {
        w->findChild<QPushButton*>("SuppliersButton")->click();
        auto* grid = w->findChild<ui::DataGrid*>("SuppGrid");
        QCOMPARE(column(grid, "SUPPCODE"), (QStringList{"ABLE", "ACME", "BOLT", "CRANE"}));
        grid->setCurrentRow(3);
        w->findChild<QPushButton*>("SelectButton")->click();
    });
    QCOMPARE(payments::pickSupplier(nullptr, 1, true),
             std::optional<QString>(QStringLiteral("CRANE")));
    QVERIFY(picker->seen && maintenance->seen);
}

void TestSuppliers::aSupplierIsAddedEditedAndDeletedFromTheKeyboard() {
    auto w = openMaintenance(1);
    QCOMPARE(w->windowTitle(), QStringLiteral("Operating on suppliers to : Harbour Cafe"));
    QCOMPARE(mode(w.get()), QStringLiteral("Browsing Suppliers."));
    QVERIFY(!box(w.get(), "BusNameEdit")->isEnabled());
    press(w.get(), Qt::Key_F2);
    QCOMPARE(mode(w.get()), QStringLiteral("Adding supplier."));
    QVERIFY(w->findChild<QCheckBox*>("GstRegCheck")->isChecked());
    QCOMPARE(w->focusWidget(), box(w.get(), "SuppCodeEdit"));
    // A code the company has, blanks before it, blocks Save and F4 until it is changed.
    QTest::keyClicks(w->focusWidget(), " acme");
    QCOMPARE(box(w.get(), "SuppCodeEdit")->text(), QStringLiteral(" ACME"));
    QCOMPARE(script_->texts(), QStringList{"Duplicate Supplier code! Not permitted."});
    QVERIFY(!w->findChild<QPushButton*>("SaveButton")->isEnabled());
    press(w.get(), Qt::Key_F4);
    QCOMPARE(mode(w.get()), QStringLiteral("Adding supplier."));
    QTest::keyClicks(box(w.get(), "SuppCodeEdit"), "2");
    QVERIFY(w->findChild<QPushButton*>("SaveButton")->isEnabled());
    script_->clear();
    press(w.get(), Qt::Key_F4);
    QCOMPARE(script_->texts(), QStringList{"You must include a name for the supplier!"});
    QCOMPARE(mode(w.get()), QStringLiteral("Adding supplier."));
    type(w.get(), "BusNameEdit", "Acme Two");
    type(w.get(), "ConfNameEdit", "Jo");
    type(w.get(), "ConLNameEdit", "Bloggs");
    box(w.get(), "BankAcctEdit")->setFocus();
    box(w.get(), "BankAcctEdit")->home(false);
    QTest::keyClicks(box(w.get(), "BankAcctEdit"), "0301000123456");
    press(w.get(), Qt::Key_F4);
    QCOMPARE(mode(w.get()), QStringLiteral("Browsing Suppliers."));
    QCOMPARE(stored("ACME2", "SUPPCOY"), QStringLiteral("1-ACME2"));
    QCOMPARE(stored("ACME2", "FULLNAME"), QStringLiteral("Jo  Bloggs"));
    QCOMPARE(stored("ACME2", "BANKACCT"), QStringLiteral("030100-0123456-"));
    QVERIFY(w->saved);

    // Editing leaves the code alone; F5 forgets what was typed.
    press(w.get(), Qt::Key_F3);
    QCOMPARE(mode(w.get()), QStringLiteral("Editing supplier."));
    QVERIFY(!box(w.get(), "SuppCodeEdit")->isEnabled());
    type(w.get(), "BusNameEdit", "Forgotten");
    press(w.get(), Qt::Key_F5);
    QCOMPARE(box(w.get(), "BusNameEdit")->text(), QStringLiteral("Acme Two"));
    press(w.get(), Qt::Key_F3);
    type(w.get(), "BusNameEdit", "Acme Second");
    press(w.get(), Qt::Key_F4);
    QCOMPARE(stored("ACME2", "BUSNAME"), QStringLiteral("Acme Second"));

    // Closing while adding is refused; a supplier with invoices is not deleted.
    press(w.get(), Qt::Key_F2);
    script_->clear();
    w->close();
    QCOMPARE(script_->texts(), QStringList{"Cannot close... save or cancel!"});
    QVERIFY(w->isVisible());
    press(w.get(), Qt::Key_F5);
    store::Table creditors(folder_->connection, "Creditors.DBF");
    creditors.open();
    creditors.append();
    creditors.setValue("SUPPCOY", "1-ACME2");
    creditors.post();
    script_->clear();
    press(w.get(), Qt::Key_F6);
    QCOMPARE(script_->texts(),
             QStringList{"Supplier has invoices, cannot delete... archive first!"});
    QCOMPARE(stored("ACME2", "BUSNAME"), QStringLiteral("Acme Second"));
    type(w.get(), "SearchEdit", "BOLT");
    press(w.get(), Qt::Key_Return);
    press(w.get(), Qt::Key_F6);
    QCOMPARE(stored("BOLT", "BUSNAME"), QStringLiteral("<none>"));
}

void TestSuppliers::searchMovesToTheCodeOrSaysItCannotFindIt() {
    auto w = openMaintenance(1);
    QCOMPARE(box(w.get(), "SuppCodeEdit")->text(), QStringLiteral("BOLT"));  // first added
    type(w.get(), "SearchEdit", "able");
    w->findChild<QPushButton*>("SearchButton")->click();
    QCOMPARE(box(w.get(), "BusNameEdit")->text(), QStringLiteral("Zed Able Supplies"));
    type(w.get(), "SearchEdit", "NOPE");
    w->findChild<QPushButton*>("SearchButton")->click();
    QCOMPARE(w->findChild<QLabel*>("SearchResultLabel")->text(),
             QStringLiteral("Cannot find this supplier!"));
    QCOMPARE(box(w.get(), "SuppCodeEdit")->text(), QStringLiteral("ABLE"));
}

void TestSuppliers::importFillsTheBoxesFromAnotherCompanysSupplier() {
    {
        store::Table supp(folder_->connection, "QVSupp.DBF");
        supp.open();
        payments::SupplierDetails d;
        d.suppCode = "HILL";
        d.busName = "Hill Fencing";
        d.phyAddr2 = "Ohakune";
        d.gstReg = false;
        QCOMPARE(payments::addSupplier(supp, 2, d), payments::SupplierSave::Saved);
    }
    auto w = openMaintenance(1);
    press(w.get(), Qt::Key_F2);
    type(w.get(), "SuppCodeEdit", "AC");
    auto list = closing<TSupplierListForm>([](TSupplierListForm* l) {
        QCOMPARE(l->windowTitle(), QStringLiteral("Selecting Supplier to import : Harbour Cafe"));
        QCOMPARE(box(l, "CodeEdit")->text(), QStringLiteral("AC"));
        auto* grid = l->findChild<ui::DataGrid*>("SuppListGrid");
        QCOMPARE(grid->lazyModel()->rowCount(), 3);  // the company's own suppliers
        QTest::keyClicks(box(l, "BusNameEdit"), "hill");
        QCOMPARE(column(grid, "COYNAME"), (QStringList{"Hill Farm"}));
        QCOMPARE(box(l, "SelectedCodeEdit")->text(), QStringLiteral("HILL"));
        l->findChild<QPushButton*>("SelectButton")->click();
    });
    press(w.get(), Qt::Key_F7);
    QVERIFY(list->seen);
    QCOMPARE(box(w.get(), "BusNameEdit")->text(), QStringLiteral("Hill Fencing"));
    QCOMPARE(box(w.get(), "PhyAddr2Edit")->text(), QStringLiteral("Ohakune"));
    QCOMPARE(box(w.get(), "SuppCodeEdit")->text(), QStringLiteral("HILL"));
    QVERIFY(w->findChild<QCheckBox*>("GstRegCheck")->isChecked());  // not copied
    press(w.get(), Qt::Key_F4);
    QCOMPARE(stored("HILL", "BUSNAME"), QStringLiteral("Hill Fencing"));
    QCOMPARE(stored("HILL", "SUPPCOY"), QStringLiteral("1-HILL"));
    QCOMPARE(stored("HILL", "GSTREG"), QStringLiteral("1"));

    // Importing a supplier whose code the company has blocks the save.
    press(w.get(), Qt::Key_F2);
    auto again = closing<TSupplierListForm>([](TSupplierListForm* l) {
        QTest::keyClicks(box(l, "BusNameEdit"), "acme of");
        l->findChild<QPushButton*>("SelectButton")->click();
    });
    script_->clear();
    press(w.get(), Qt::Key_F7);
    QCOMPARE(box(w.get(), "BusNameEdit")->text(), QStringLiteral("Acme of the Hill"));
    QCOMPARE(script_->texts(), QStringList{"Duplicate Supplier code! Not permitted."});
    QVERIFY(!w->findChild<QPushButton*>("SaveButton")->isEnabled());
    press(w.get(), Qt::Key_F5);
}

void TestSuppliers::aCompanyWithoutSuppliersHasNothingToDelete() {
    addCompany(3, "Empty Ltd");
    auto w = openMaintenance(3);
    QCOMPARE(box(w.get(), "BusNameEdit")->text(), QString());
    press(w.get(), Qt::Key_F6);
    QCOMPARE(script_->texts(), QStringList{"No supplier record to delete."});
    QCOMPARE(script_->beeps(), 1);
}

QTEST_MAIN(TestSuppliers)
#include "tst_suppliers.moc"
