#include "logic/model_error.h"

#include <gtest/gtest.h>

#include <new>

#include "platform/load_under_way.h"

#include "support/fake_platform.h"

namespace veldra {
namespace {

using testing::FakePlatform;

TEST(ModelError, AsksEndProgramWithTheDescriptionInTheTitleAndYesEndsTheApplication) {
    FakePlatform platform;
    platform.Answer(MsgAnswer::No).Answer(MsgAnswer::Yes);

    const int result =
        GuardModel(ProgressWindow::Keep, -1, []() -> int { throw RuntimeError("Overflow"); });

    EXPECT_EQ(result, -1);
    ASSERT_EQ(platform.boxes().size(), 1u);
    const MsgBoxRequest& box = platform.boxes()[0];
    EXPECT_EQ(box.title + ": " + box.prompt, "Error: Overflow: End Program?");
    EXPECT_TRUE(box.buttons == MsgButtons::YesNo && box.icon == MsgIcon::Critical);
    EXPECT_FALSE(platform.ended());

    EXPECT_EQ(GuardModel(ProgressWindow::Close, 0, [] { return 7; }), 7);  // asks nothing
    EXPECT_FALSE(GuardModel(ProgressWindow::Keep, [] { throw RuntimeError("Type mismatch"); }));
    EXPECT_TRUE(platform.ended());
    EXPECT_EQ(platform.boxes().size(), 2u);
}

TEST(ModelError, ClosesTheLoadingProgressWindowBeforeAskingWhenTold) {
    FakePlatform platform;
    platform.Answer(MsgAnswer::No).Answer(MsgAnswer::No);

    GuardModel(ProgressWindow::Close, [] { throw RuntimeError("Overflow"); });
    EXPECT_EQ(platform.journal(),
              (std::vector<std::string>{"unload progress", "box: Error: Overflow: End Program?"}));

    GuardModel(ProgressWindow::Keep, [] { throw RuntimeError("Overflow"); });
    EXPECT_EQ(platform.journal().size(), 3u);
}

// Memory running out in a load is no member's to answer: it goes on to the load, with no
// box asked while memory is short. Out of a load it is answered as any failure.
TEST(ModelError, MemoryRunningOutInALoadGoesOnToTheLoadAndIsAnsweredOutOfOne) {
    FakePlatform platform;
    {
        const LoadUnderWayScope loading;
        EXPECT_THROW(GuardModel(ProgressWindow::Close, [] { throw std::bad_alloc(); }),
                     std::bad_alloc);
        EXPECT_THROW(GuardModel(ProgressWindow::Keep, 0, []() -> int { throw std::bad_alloc(); }),
                     std::bad_alloc);
        EXPECT_TRUE(platform.boxes().empty());
        platform.Answer(MsgAnswer::No);
        EXPECT_FALSE(GuardModel(ProgressWindow::Keep, [] { throw RuntimeError("Overflow"); }));
    }
    platform.Answer(MsgAnswer::No);
    EXPECT_FALSE(GuardModel(ProgressWindow::Keep, [] { throw std::bad_alloc(); }));
    ASSERT_EQ(platform.boxes().size(), 2u);
    EXPECT_EQ(platform.boxes()[1].title,
              "Error: Out of memory. Close the windows and programs you do not need, or raise the "
              "memory limit, and try again.");
}

}  // namespace
}  // namespace veldra
