#include "platform/qt/qt_platform.h"

#include <gtest/gtest.h>

#include "platform/qt/window_registry.h"
#include "support/qt/scripted_dialogs.h"

namespace veldra::testing {
namespace {

TEST(QtPlatform, AsksTheCoresQuestionsThroughItsDialogs) {
    ScriptedDialogs dialogs;
    WindowRegistry windows;
    QtPlatform platform(dialogs, windows, [] {});
    dialogs.Answer(MsgAnswer::Yes);

    EXPECT_EQ(MsgBox("Close Simulator?", MsgButtons::YesNo, MsgIcon::Question, "End Simulation"),
              MsgAnswer::Yes);
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dialogs.boxes()[0].prompt, "Close Simulator?");
    EXPECT_EQ(dialogs.boxes()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(dialogs.boxes()[0].icon, MsgIcon::Question);
    EXPECT_EQ(dialogs.boxes()[0].title, "End Simulation");
}

TEST(QtPlatform, EndsTheApplicationAsItWasToldTo) {
    ScriptedDialogs dialogs;
    WindowRegistry windows;
    int ended = 0;
    QtPlatform platform(dialogs, windows, [&] { ++ended; });
    ThePlatform().EndApplication();
    EXPECT_EQ(ended, 1);
}

}  // namespace
}  // namespace veldra::testing
