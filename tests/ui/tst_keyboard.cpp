// The shared window pieces from the keyboard: whole dates typed into a date box, then Tab or
// Enter; Ctrl+Tab turning pages wherever the focus is.
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtTest>

#include "store/format.h"
#include "ui/datebox.h"
#include "ui/formbase.h"
#include "ui/messages.h"

class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void typedDates_data();
    void typedDates();
    void ctrlTabTurnsPagesFromAnywhere();
};

void TestKeyboard::typedDates_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("leaveKey");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("left");  // the focus went on to the next box
    const QDate start(2020, 1, 1);
    QTest::newRow("dashes, short year")
        << "5-12-26" << int(Qt::Key_Tab) << QDate(2026, 12, 5) << true;
    QTest::newRow("month name") << "5 december 26" << int(Qt::Key_Tab) << QDate(2026, 12, 5)
                                << true;
    QTest::newRow("digits, Enter")
        << "05122026" << int(Qt::Key_Return) << QDate(2026, 12, 5) << false;
    QTest::newRow("day only") << "17" << int(Qt::Key_Tab) << QDate(2026, 12, 17) << true;
    QTest::newRow("today") << "t" << int(Qt::Key_Tab) << QDate(2026, 12, 9) << true;
    QTest::newRow("a day on, twice, one back")
        << "++-" << int(Qt::Key_Tab) << start.addDays(1) << true;
    QTest::newRow("31 February: refused, stays") << "31/2" << int(Qt::Key_Tab) << start << false;
    QTest::newRow("typo, corrected") << "5/1x\b2" << int(Qt::Key_Tab) << QDate(2026, 12, 5) << true;
}

void TestKeyboard::typedDates() {
    QFETCH(QString, typed);
    QFETCH(int, leaveKey);
    QFETCH(QDate, date);
    QFETCH(bool, left);
    ui::MessageScript script;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* box = new ui::DateBox(QDate(2020, 1, 1), &window);
    box->setToday(QDate(2026, 12, 9));
    auto* next = new QLineEdit(&window);
    layout->addWidget(box);
    layout->addWidget(next);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    box->setFocus();
    QTRY_VERIFY(box->hasFocus());

    for (const QChar c : typed)
        if (c == u'\b')
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClicks(box, QString(c));
    QTest::keyClick(box, Qt::Key(leaveKey));

    QCOMPARE(box->dateValue(), date);
    QCOMPARE(next->hasFocus(), left);
    const bool refused = !left && leaveKey == Qt::Key_Tab;
    QCOMPARE(script.beeps(), refused ? 1 : 0);
    // A refused text stays to be corrected; a date read is shown in the box's format.
    QCOMPARE(box->text(), refused ? typed : store::fmt::shortDate(date));
    if (left) {
        // What is typed next lands in the next box, not in the date.
        QTest::keyClicks(QApplication::focusWidget(), "9");
        QCOMPARE(next->text(), QString("9"));
        QCOMPARE(box->dateValue(), date);
    }
}

void TestKeyboard::ctrlTabTurnsPagesFromAnywhere() {
    ui::FormBase form(nullptr, QString());
    auto* layout = new QVBoxLayout(&form);
    auto* tabs = new QTabWidget(&form);
    auto* edit = new QLineEdit;
    tabs->addTab(edit, "Company");
    tabs->addTab(new QWidget, "Accounts");
    tabs->addTab(new QWidget, "Departments");
    tabs->setTabEnabled(1, false);
    auto* button = new QPushButton("Save", &form);
    layout->addWidget(tabs);
    layout->addWidget(button);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(tabs->currentIndex(), 2);  // the disabled page is passed over
    button->setFocus();
    QTRY_VERIFY(button->hasFocus());
    QTest::keyClick(button, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(tabs->currentIndex(), 0);  // round from the last to the first
    QTest::keyClick(button, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(tabs->currentIndex(), 2);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
