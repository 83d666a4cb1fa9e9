// Typing whole dates into a date box, then Tab or Enter, as a bookkeeper does.
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

#include "store/format.h"
#include "ui/datebox.h"
#include "ui/messages.h"

class TestDateBox : public QObject {
    Q_OBJECT

private slots:
    void typedDates_data();
    void typedDates();
};

void TestDateBox::typedDates_data() {
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

void TestDateBox::typedDates() {
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

QTEST_MAIN(TestDateBox)
#include "tst_datebox.moc"
