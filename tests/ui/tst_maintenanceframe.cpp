// The maintenance frame as a window built on it behaves: modes and their texts, the buttons
// each mode allows, the page held while editing, the function keys and the close refusal.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

#include "support/qt/modalwait.h"
#include "ui/maintenanceframe.h"
#include "ui/messages.h"
#include "ui/readonlylook.h"

namespace {

// A window of two pages keeping one text per page; it saves what is not empty.
class TSampleForm : public ui::MaintenanceFrame {
public:
    TSampleForm() : ui::MaintenanceFrame(nullptr, QString()) {
        auto* layout = new QVBoxLayout(this);
        pages = new QTabWidget(this);
        pages->setObjectName(QStringLiteral("PageControl"));
        pages->addTab(new QWidget, QStringLiteral("One"));
        pages->addTab(new QWidget, QStringLiteral("Two"));
        layout->addWidget(pages);
        addFrame(layout, {{NewButton, QStringLiteral("New F2")},
                          {EditButton, QStringLiteral("Edit F3")},
                          {SaveButton, QStringLiteral("Save F4")},
                          {CancelButton, QStringLiteral("Cancel F5")},
                          {DeleteButton, QStringLiteral("Delete F6")},
                          {ExitButton, QStringLiteral("E&xit")}});
        setPageControl(pages);
        setCloseRefusal(QStringLiteral("Complete edit, or Cancel!"), false);
        useFunctionKeys();
    }
    using ui::MaintenanceFrame::setSaveAllowed;

    QTabWidget* pages;
    QStringList calls;
    bool hasRecord = true;
    bool saves = true;

protected:
    QString modeText(ui::EditMode mode) const override {
        return mode == ui::EditMode::Adding    ? QStringLiteral("Adding sample.")
               : mode == ui::EditMode::Editing ? QStringLiteral("Editing sample.")
                                               : QStringLiteral("Browsing samples.");
    }
    bool startNew() override { return record("new"); }
    bool startEdit() override { return record("edit") && hasRecord; }
    bool saveRecord() override { return record("save") && saves; }
    void cancelRecord() override { record("cancel"); }
    void deleteRecord() override { record("delete"); }
    void showCurrent() override { record("show"); }

private:
    bool record(const char* call) {
        calls << QString::fromLatin1(call);
        return true;
    }
};

}  // namespace

class TestMaintenanceFrame : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testing_support::useTemporaryHome(); }
    void init();
    void cleanup();

    void eachModeEnablesItsButtonsAndHoldsThePage();
    void aRefusedSaveOrStartKeepsTheWindowWhereItWas();
    void functionKeysActOnlyThroughEnabledButtons_data();
    void functionKeysActOnlyThroughEnabledButtons();
    void closingWhileEditingIsRefusedWithTheWindowsText();
    void aBoxThatCannotBeTypedIntoLooksIt();

private:
    QPushButton* button(const char* name) {
        return form_->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    // The enabled buttons by first letter (New, Edit, Save, Cancel, Delete, Exit), "-" if not.
    QString enabled() {
        QString out;
        for (const char* name : {"NewButton", "EditButton", "SaveButton", "CancelButton",
                                 "DeleteButton", "ExitButton"})
            out += button(name)->isEnabled() ? QLatin1Char(name[0]) : QLatin1Char('-');
        return out;
    }
    QString modeText() { return form_->findChild<QLabel*>("ModePanel")->text(); }

    std::unique_ptr<ui::MessageScript> script_;
    std::unique_ptr<TSampleForm> form_;
};

void TestMaintenanceFrame::init() {
    script_ = std::make_unique<ui::MessageScript>();
    form_ = std::make_unique<TSampleForm>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void TestMaintenanceFrame::cleanup() {
    form_->CancelButtonClick();
    form_.reset();
    script_.reset();
}

void TestMaintenanceFrame::eachModeEnablesItsButtonsAndHoldsThePage() {
    QCOMPARE(modeText(), QStringLiteral("Browsing samples."));
    QVERIFY(!form_->findChild<QLabel*>("DatePanel")->text().isEmpty());
    QCOMPARE(enabled(), QStringLiteral("NE--DE"));

    form_->pages->setCurrentIndex(1);
    QTest::mouseClick(button("NewButton"), Qt::LeftButton);
    QCOMPARE(modeText(), QStringLiteral("Adding sample."));
    QCOMPARE(enabled(), QStringLiteral("---C--"));
    QVERIFY(!form_->pages->isTabEnabled(0) && form_->pages->isTabEnabled(1));
    form_->setSaveAllowed(true);
    QCOMPARE(enabled(), QStringLiteral("--SC--"));
    QTest::mouseClick(button("SaveButton"), Qt::LeftButton);
    QCOMPARE(form_->calls, (QStringList{"new", "save", "show"}));
    QCOMPARE(modeText(), QStringLiteral("Browsing samples."));
    QVERIFY(form_->pages->isTabEnabled(0));

    form_->calls.clear();
    QTest::mouseClick(button("EditButton"), Qt::LeftButton);
    QCOMPARE(modeText(), QStringLiteral("Editing sample."));
    QCOMPARE(enabled(), QStringLiteral("--SC--"));  // editing starts with Save allowed
    QTest::mouseClick(button("CancelButton"), Qt::LeftButton);
    QTest::mouseClick(button("DeleteButton"), Qt::LeftButton);
    QCOMPARE(form_->calls, (QStringList{"edit", "cancel", "show", "delete", "show"}));
    QCOMPARE(enabled(), QStringLiteral("NE--DE"));
}

void TestMaintenanceFrame::aRefusedSaveOrStartKeepsTheWindowWhereItWas() {
    form_->saves = false;
    form_->EditButtonClick();
    form_->SaveButtonClick();
    QCOMPARE(form_->mode(), ui::EditMode::Editing);
    form_->CancelButtonClick();
    form_->hasRecord = false;
    form_->calls.clear();
    form_->EditButtonClick();
    QCOMPARE(form_->mode(), ui::EditMode::Browsing);
    QCOMPARE(form_->calls, (QStringList{"edit", "show"}));
}

void TestMaintenanceFrame::functionKeysActOnlyThroughEnabledButtons_data() {
    QTest::addColumn<bool>("editing");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("call");
    QTest::newRow("F2 adds") << false << int(Qt::Key_F2) << "new";
    QTest::newRow("F3 edits") << false << int(Qt::Key_F3) << "edit";
    QTest::newRow("F4 saves") << true << int(Qt::Key_F4) << "save";
    QTest::newRow("F5 cancels") << true << int(Qt::Key_F5) << "cancel";
    QTest::newRow("F6 deletes") << false << int(Qt::Key_F6) << "delete";
    QTest::newRow("F2 does nothing while editing") << true << int(Qt::Key_F2) << "";
    QTest::newRow("F4 does nothing while browsing") << false << int(Qt::Key_F4) << "";
}

void TestMaintenanceFrame::functionKeysActOnlyThroughEnabledButtons() {
    QFETCH(bool, editing);
    QFETCH(int, key);
    QFETCH(QString, call);
    if (editing) form_->EditButtonClick();
    form_->calls.clear();
    form_->activateWindow();
    QTest::keyClick(form_.get(), Qt::Key(key));
    QCOMPARE(form_->calls.value(0), call);
}

void TestMaintenanceFrame::closingWhileEditingIsRefusedWithTheWindowsText() {
    form_->EditButtonClick();
    form_->close();
    QVERIFY(form_->isVisible());
    QCOMPARE(script_->texts(), QStringList{"Complete edit, or Cancel!"});
    QCOMPARE(script_->beeps(), 0);
    form_->CancelButtonClick();
    QTest::mouseClick(button("ExitButton"), Qt::LeftButton);
    QVERIFY(!form_->isVisible());
}

// The program's application watches every box: one made read-only while browsing shows the
// window's colour, and the white of a box to type in comes back with editing.
void TestMaintenanceFrame::aBoxThatCannotBeTypedIntoLooksIt() {
    std::unique_ptr<QObject> look(ui::installReadOnlyLook(*qApp));
    QWidget window;
    auto* edit = new QLineEdit(&window);
    auto* spin = new QSpinBox(&window);
    const QColor typing = edit->palette().color(QPalette::Base);
    const QColor windowColour = window.palette().color(QPalette::Window);
    QVERIFY(typing != windowColour);
    for (QWidget* box : {static_cast<QWidget*>(edit), static_cast<QWidget*>(spin)}) {
        box->setProperty("readOnly", true);
        QCOMPARE(box->palette().color(QPalette::Base), windowColour);
        box->setProperty("readOnly", false);
        QCOMPARE(box->palette().color(QPalette::Base), typing);
    }
}

QTEST_MAIN(TestMaintenanceFrame)
#include "tst_maintenanceframe.moc"
