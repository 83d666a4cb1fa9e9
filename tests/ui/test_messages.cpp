// Message boxes answered by script, and errors reported through them.
#include "store/error.h"
#include "ui/apptitle.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"

#include <QApplication>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>

using ui::MsgAnswer;
using ui::MsgButtons;
using ui::MsgKind;

namespace {

struct AnswerCase {
    const char* name;
    std::optional<MsgAnswer> queued;  // nothing queued: the default answer is used
    MsgAnswer defaultAnswer;
    MsgButtons buttons;
    MsgAnswer expected;
};

class MessagesAnswer : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(MessagesAnswer, BoxGetsTheAnswerThatFitsItsButtons) {
    const AnswerCase& c = GetParam();
    ui::MessageScript script;
    script.setDefaultAnswer(c.defaultAnswer);
    if (c.queued)
        script.answer(*c.queued);
    EXPECT_EQ(ui::showMessage(nullptr, MsgKind::Confirmation, "Sure?", c.buttons), c.expected);
    EXPECT_EQ(script.pending(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, MessagesAnswer,
    ::testing::Values(
        AnswerCase{"NoOnYesNo", MsgAnswer::No, MsgAnswer::Yes, MsgButtons::YesNo, MsgAnswer::No},
        AnswerCase{"CancelOnYesNoIsNo", MsgAnswer::Cancel, MsgAnswer::Yes, MsgButtons::YesNo,
                   MsgAnswer::No},
        AnswerCase{"NoOnOkCancelIsCancel", MsgAnswer::No, MsgAnswer::Ok, MsgButtons::OkCancel,
                   MsgAnswer::Cancel},
        AnswerCase{"YesOnOkCancelIsOk", MsgAnswer::Yes, MsgAnswer::Cancel, MsgButtons::OkCancel,
                   MsgAnswer::Ok},
        AnswerCase{"AnythingOnOkIsOk", MsgAnswer::No, MsgAnswer::No, MsgButtons::Ok,
                   MsgAnswer::Ok},
        AnswerCase{"CancelOnYesNoCancel", MsgAnswer::Cancel, MsgAnswer::Yes,
                   MsgButtons::YesNoCancel, MsgAnswer::Cancel},
        AnswerCase{"OkOnYesNoCancelIsYes", MsgAnswer::Ok, MsgAnswer::No,
                   MsgButtons::YesNoCancel, MsgAnswer::Yes},
        AnswerCase{"InitialDefaultOnYesNoIsYes", std::nullopt, MsgAnswer::Ok, MsgButtons::YesNo,
                   MsgAnswer::Yes},
        AnswerCase{"NegativeDefaultOnYesNo", std::nullopt, MsgAnswer::No, MsgButtons::YesNo,
                   MsgAnswer::No},
        AnswerCase{"NegativeDefaultOnOkCancel", std::nullopt, MsgAnswer::No,
                   MsgButtons::OkCancel, MsgAnswer::Cancel},
        AnswerCase{"NegativeDefaultOnYesNoCancel", std::nullopt, MsgAnswer::No,
                   MsgButtons::YesNoCancel, MsgAnswer::No}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Messages, AnswersAreTakenInOrderThenTheDefault) {
    ui::MessageScript script;
    script.answer(MsgAnswer::No);
    script.answer(MsgAnswer::Yes);
    script.answer(MsgAnswer::Cancel);
    script.setDefaultAnswer(MsgAnswer::No);

    EXPECT_FALSE(ui::confirm(nullptr, "first"));
    EXPECT_TRUE(ui::confirm(nullptr, "second"));
    EXPECT_FALSE(ui::confirmOkCancel(nullptr, "third"));
    EXPECT_EQ(script.pending(), 0);
    EXPECT_FALSE(ui::confirm(nullptr, "fourth"));
    EXPECT_FALSE(ui::confirm(nullptr, "fifth"));
}

TEST(Messages, EveryBoxIsRecordedInOrderWithItsKind) {
    ui::MessageScript script;
    ui::error(nullptr, "Amount must not be zero!");
    ui::warning(nullptr, "Overdraft limit exceeded.");
    ui::information(nullptr, "Backup complete.");
    ui::confirm(nullptr, "Delete this record?");

    EXPECT_EQ(script.texts(), (QStringList{"Amount must not be zero!", "Overdraft limit exceeded.",
                                           "Backup complete.", "Delete this record?"}));
    EXPECT_EQ(script.kinds(), (QList<MsgKind>{MsgKind::Error, MsgKind::Warning,
                                              MsgKind::Information, MsgKind::Confirmation}));
    EXPECT_EQ(script.buttons().last(), MsgButtons::YesNo);
}

TEST(Messages, CaptionDefaultsToTheApplicationName) {
    ui::MessageScript script;
    ui::showMessage(nullptr, MsgKind::Information, "a");
    ui::showMessage(nullptr, MsgKind::Information, "b", MsgButtons::Ok, "Reconciliation");
    EXPECT_EQ(script.captions(),
              (QStringList{ui::applicationTitle(), "Reconciliation"}));
}

TEST(Messages, BeepsAreCountedAndClearForgetsEverything) {
    ui::MessageScript script;
    ui::beep();
    ui::beep();
    ui::error(nullptr, "x");
    script.answer(MsgAnswer::No);
    EXPECT_EQ(script.beeps(), 2);

    script.clear();
    EXPECT_EQ(script.beeps(), 0);
    EXPECT_TRUE(script.texts().isEmpty());
    EXPECT_EQ(script.pending(), 0);
}

TEST(Messages, InnerScriptTakesOverUntilItEnds) {
    ui::MessageScript outer;
    outer.setDefaultAnswer(MsgAnswer::No);
    {
        ui::MessageScript inner;
        EXPECT_TRUE(ui::confirm(nullptr, "inner"));
        EXPECT_EQ(inner.texts(), QStringList{"inner"});
    }
    EXPECT_FALSE(ui::confirm(nullptr, "outer"));
    EXPECT_EQ(outer.texts(), QStringList{"outer"});
    EXPECT_EQ(ui::MessageScript::current(), &outer);
}

TEST(Messages, HookSeesTheParentOfEachBox) {
    QWidget window;
    ui::MessageScript script;
    QList<QWidget*> parents;
    script.onShow = [&](QWidget* parent, const QString&) { parents.append(parent); };
    ui::information(&window, "a");
    ui::information(nullptr, "b");
    EXPECT_EQ(parents, (QList<QWidget*>{&window, nullptr}));
}

struct ErrorCase {
    const char* name;
    std::function<void()> fail;
    QString shown;
};

class MessagesGuarded : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(MessagesGuarded, ReportsTheErrorsOwnTextAfterABeep) {
    ui::MessageScript script;
    EXPECT_FALSE(ui::guarded(nullptr, GetParam().fail));
    EXPECT_EQ(script.texts(), QStringList{GetParam().shown});
    EXPECT_EQ(script.kinds(), QList<MsgKind>{MsgKind::Error});
    EXPECT_EQ(script.beeps(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, MessagesGuarded,
    ::testing::Values(
        ErrorCase{"StoreError", [] { throw store::StoreError("Record is locked: QVBnkTr"); },
                  "Record is locked: QVBnkTr"},
        ErrorCase{"StoreErrorNonAscii", [] { throw store::StoreError("Café “Ōtaki” failed"); },
                  "Café “Ōtaki” failed"},
        ErrorCase{"BadNumber",
                  [] { throw std::invalid_argument("'12,3x' is not a valid number"); },
                  "'12,3x' is not a valid number"},
        ErrorCase{"NotAnException", [] { throw 42; }, "Unexpected error."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Messages, GuardedRunsQuietlyWhenNothingFails) {
    ui::MessageScript script;
    int runs = 0;
    EXPECT_TRUE(ui::guarded(nullptr, [&] { ++runs; }));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(script.texts().isEmpty());
    EXPECT_EQ(script.beeps(), 0);
}

}  // namespace
