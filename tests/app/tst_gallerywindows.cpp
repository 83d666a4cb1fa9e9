// The windows the gallery shows, as a new user meets them: in every one no Alt letter opens two
// things at once (on each page of a tabbed window); the company form and the bank transaction
// window tab from box to box in the order they stand on the screen; and the bank transaction
// window opens with its columns fitted to the account's rows.
#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenuBar>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "banking/sample_company.h"
#include "ledger/accountlists.h"
#include "store/connection.h"
#include "store/table.h"
#include "support/qt/modalwait.h"
#include "ui/datagrid.h"
#include "ui/gallery.h"
#include "ui/lazymodel.h"
#include "ui/messages.h"

namespace {

// An Alt letter and what it would act on.
using Mnemonics = QMap<QString, QStringList>;

QString describe(const QWidget* w, const QString& text) {
    return (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                      : w->objectName()) +
           " \"" + text + "\"";
}

void note(Mnemonics& found, const QString& text, const QString& what) {
    const QKeySequence key = QKeySequence::mnemonic(text);
    if (!key.isEmpty()) found[key.toString()] << what;
}

// The Alt letters live in the window as it stands: a control counts while it is shown and
// enabled (a label stands for its buddy but answers its letter whatever the buddy's state).
Mnemonics mnemonicsOf(QWidget* window) {
    Mnemonics found;
    const auto live = [window](const QWidget* w) {
        return w->isVisibleTo(window) && w->isEnabled();
    };
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (live(b)) note(found, b->text(), describe(b, b->text()));
    for (QLabel* l : window->findChildren<QLabel*>())
        if (live(l) && l->buddy()) note(found, l->text(), describe(l, l->text()));
    for (QGroupBox* g : window->findChildren<QGroupBox*>())
        if (live(g)) note(found, g->title(), describe(g, g->title()));
    for (QTabBar* bar : window->findChildren<QTabBar*>())
        if (live(bar))
            for (int i = 0; i < bar->count(); ++i)
                if (bar->isTabEnabled(i))
                    note(found, bar->tabText(i), "tab \"" + bar->tabText(i) + "\"");
    for (QMenuBar* menus : window->findChildren<QMenuBar*>())
        if (live(menus))
            for (QAction* a : menus->actions())
                if (a->isVisible() && a->isEnabled())
                    note(found, a->text(), "menu \"" + a->text() + "\"");
    return found;
}

QStringList clashesIn(QWidget* window, const QString& where) {
    QStringList clashes;
    const Mnemonics found = mnemonicsOf(window);
    for (auto it = found.begin(); it != found.end(); ++it)
        if (it.value().size() > 1)
            clashes << where + ": " + it.key() + " is " + it.value().join(QStringLiteral(" and "));
    return clashes;
}

const gallery::Entry* entryNamed(const QString& name) {
    for (const gallery::Entry& e : gallery::entries())
        if (e.name == name) return &e;
    return nullptr;
}

// The control that has the focus, named by the box it belongs to (a date box's inner line edit
// answers for the date box).
QString focusName() {
    QWidget* w = QApplication::focusWidget();
    while (w && (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))))
        w = w->parentWidget();
    return w ? w->objectName() : QString();
}

}  // namespace

class TestGalleryWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { connection_.reset(); }
    void everyWindowHasUniqueAltLetters_data();
    void everyWindowHasUniqueAltLetters();
    void everyWindowFitsASmallScreen_data() { everyWindowHasUniqueAltLetters_data(); }
    void everyWindowFitsASmallScreen();
    void tabFollowsTheScreen_data();
    void tabFollowsTheScreen();
    void theBankWindowFitsItsColumnsWhenFirstShown();
    void altDownInACodeBoxOpensItsList();

private:
    // Makes and shows a gallery window; the script answers whatever it says on opening.
    QWidget* open(const gallery::Entry& entry);

    std::unique_ptr<store::Connection> connection_;
    std::unique_ptr<gallery::Context> context_;
};

void TestGalleryWindows::initTestCase() {
    testing_support::useTemporaryHome();
    connection_ = std::make_unique<store::Connection>();
    connection_->connect();
    // The demo company, as the gallery shows it, with rows to list and accounts to code to.
    banking::sample::makeDemoCompany(*connection_, QDate::currentDate());
    banking::sample::postDemoEntries(*connection_, 60, QDate::currentDate(), 1, 60);
    store::Table control(*connection_, "QVCntrl.DBF");
    control.setIndexName("COYCODE");
    control.open();
    context_ = std::make_unique<gallery::Context>(
        gallery::Context{*connection_, connection_->path(), 1, control.text("BUSNAME")});
    gallery::registerAppWindows();
    gallery::registerLedgerWindows();
    gallery::registerReportsWindows();
    gallery::registerBankingWindows();
    gallery::registerBankEntryWindows();
    gallery::registerSupplierWindows();
    gallery::registerPaymentEntryWindows();
    gallery::registerReconciliationWindows();
    gallery::registerCashWindows();
    gallery::registerChequeWindows();
    gallery::registerTaxWindows();
    gallery::registerTaxSettingsAndAuditWindows();
    gallery::registerBudgetWindows();
    gallery::registerStatementWindows();
    gallery::registerExchangeWindows();
}

QWidget* TestGalleryWindows::open(const gallery::Entry& entry) {
    QWidget* window = nullptr;
    try {
        window = entry.make(*context_);
    } catch (const std::exception& e) {
        qFatal("%s cannot be made: %s", qPrintable(entry.name), e.what());
    }
    window->show();
    if (!QTest::qWaitForWindowExposed(window)) return window;
    QTest::qWait(50);  // pages and modes a window sets once shown
    return window;
}

void TestGalleryWindows::everyWindowHasUniqueAltLetters_data() {
    QTest::addColumn<QString>("name");
    QVERIFY(!gallery::entries().empty());
    for (const gallery::Entry& e : gallery::entries()) QTest::newRow(qPrintable(e.name)) << e.name;
}

void TestGalleryWindows::everyWindowHasUniqueAltLetters() {
    QFETCH(QString, name);
    ui::MessageScript quiet;
    std::unique_ptr<QWidget> window(open(*entryNamed(name)));
    QStringList clashes;
    const QList<QTabWidget*> tabs = window->findChildren<QTabWidget*>();
    if (tabs.isEmpty()) clashes << clashesIn(window.get(), name);
    for (QTabWidget* pages : tabs)
        for (int p = 0; p < pages->count(); ++p) {
            if (!pages->isTabEnabled(p)) continue;
            pages->setCurrentIndex(p);
            QApplication::processEvents();
            clashes << clashesIn(window.get(), name + " page \"" + pages->tabText(p) + "\"");
        }
    clashes.removeDuplicates();
    window->hide();
    QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QLatin1Char('\n'))));
}

// A laptop's 1280 x 800 screen, less a window manager's title bar and a panel.
void TestGalleryWindows::everyWindowFitsASmallScreen() {
    QFETCH(QString, name);
    ui::MessageScript quiet;
    std::unique_ptr<QWidget> window(open(*entryNamed(name)));
    // As shown: Qt widens a window to what its layout needed while it was being built.
    const QSize least =
        window->size().expandedTo(window->minimumSizeHint()).expandedTo(window->minimumSize());
    window->hide();
    QVERIFY2(least.width() <= 1280 && least.height() <= 740,
             qPrintable(QStringLiteral("needs %1 x %2").arg(least.width()).arg(least.height())));
}

void TestGalleryWindows::tabFollowsTheScreen_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("startWith");  // the button that opens the boxes for typing
    QTest::addColumn<QString>("purpose");    // typed first, so the tax box shows
    QTest::addColumn<QStringList>("order");
    QTest::newRow("company form, editing")
        << "TQVCompanyForm"
        << "EditButton" << QString()
        << QStringList{"BusNameEdit",   "CoyDescEdit",     "Address1Edit",   "Address2Edit",
                       "Address3Edit",  "PhoneNoEdit",     "FaxNoEdit",      "CountryCombo",
                       "RecAutoCheck",  "GstEnabledCheck", "GstPercentEdit", "GstPeriodSpin",
                       "GstNumberEdit", "SaveButton",      "CancelButton"};
    // An address is typed down its block, the postal one before the physical one beside it.
    QTest::newRow("bank set-up, editing a bank")
        << "TBankMainForm"
        << "EditButton" << QString()
        << QStringList{"NameEdit",      "BranchEdit",   "PostAddr1Edit", "PostAddr2Edit",
                       "PostAddr3Edit", "PostCodeEdit", "PhyAddr1Edit",  "PhyAddr2Edit",
                       "PhyAddr3Edit",  "PhoneNoEdit",  "FaxNoEdit",     "EmailEdit",
                       "ContactEdit"};
    QTest::newRow("bank transaction window, a new deposit")
        << "TQVBankTranForm"
        << "NewButton"
        << "salescafe"
        << QStringList{"TranNumEdit", "TranDateEdit", "PurposeEdit",     "AmountEdit",  "TaxEdit",
                       "ReasonEdit",  "SourceCombo",  "HasDetailsCheck", "DepositRadio"};
}

void TestGalleryWindows::tabFollowsTheScreen() {
    QFETCH(QString, window);
    QFETCH(QString, startWith);
    QFETCH(QString, purpose);
    QFETCH(QStringList, order);
    ui::MessageScript quiet;
    std::unique_ptr<QWidget> w(open(*entryNamed(window)));
    QApplication::setActiveWindow(w.get());
    auto* start = w->findChild<QAbstractButton*>(startWith);
    QVERIFY(start);
    if (start->isEnabled()) start->click();
    if (!purpose.isEmpty()) QTest::keyClicks(w->findChild<QWidget*>("PurposeEdit"), purpose);
    w->findChild<QWidget*>(order.first())->setFocus();
    QTRY_COMPARE(focusName(), order.first());
    QStringList visited{focusName()};
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << focusName();
    }
    QCOMPARE(visited, order);
    // Shift+Tab walks the same way back.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(focusName(), order.at(order.size() - 2));
    w->findChild<QAbstractButton*>(QStringLiteral("CancelButton"))->click();
}

void TestGalleryWindows::theBankWindowFitsItsColumnsWhenFirstShown() {
    ui::MessageScript quiet;
    std::unique_ptr<QWidget> w(open(*entryNamed(QStringLiteral("TQVBankTranForm"))));
    auto* grid = w->findChild<ui::DataGrid*>(QStringLiteral("TranGrid"));
    QVERIFY(grid->lazyModel() && grid->lazyModel()->rowCount() > 0);
    const ui::LazyTableModel* rows = grid->lazyModel();
    for (int c : {0, 4}) {  // "Ref. No." and "Narrative"
        int widest = 0;
        for (int r = 0; r < std::min(rows->rowCount(), 50); ++r)
            widest = std::max(widest, grid->fontMetrics().horizontalAdvance(rows->textAt(r, c)));
        QVERIFY2(grid->columnWidth(c) >= std::min(widest, 400),
                 qPrintable(rows->columns()[c].heading));
    }
    QVERIFY(grid->columnWidth(0) < grid->horizontalHeader()->defaultSectionSize());
}

// The "..." buttons are no Tab stops; the list they open is reached from the box itself.
void TestGalleryWindows::altDownInACodeBoxOpensItsList() {
    ui::MessageScript quiet;
    std::unique_ptr<QWidget> w(open(*entryNamed(QStringLiteral("TQVBankTranForm"))));
    QApplication::setActiveWindow(w.get());
    w->findChild<QAbstractButton*>(QStringLiteral("NewButton"))->click();
    auto* purpose = w->findChild<QLineEdit*>(QStringLiteral("PurposeEdit"));
    purpose->setFocus();
    QTRY_VERIFY(purpose->hasFocus());
    auto waiter = testing_support::whenShown<TDeptAcctListForm>([](TDeptAcctListForm* list) {
        list->findChild<QAbstractButton*>(QStringLiteral("SelectButton"))->click();
    });
    QTest::keyClick(purpose, Qt::Key_Down, Qt::AltModifier);
    QVERIFY(waiter->seen);
    QVERIFY(!purpose->text().isEmpty());
    w->findChild<QAbstractButton*>(QStringLiteral("CancelButton"))->click();
}

QTEST_MAIN(TestGalleryWindows)
#include "tst_gallerywindows.moc"
