#include "platform/window_errors.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/load_under_way.h"
#include "support/fake_platform.h"

namespace veldra::testing {
namespace {

TEST(WindowErrors, AFailingCommandIsShownUnderTheWindowsTitleAndWhatItDidStaysDone) {
    FakePlatform platform;
    platform.Answer(MsgAnswer::Ok).Answer(MsgAnswer::Ok);
    int done = 0;
    ReportWindowErrors([&] {
        ++done;
        throw std::runtime_error("Disk full");
    });
    ReportWindowErrors([] { throw std::runtime_error("No paper"); }, "VELDRA",
                       "The book could not be printed. ");
    ReportWindowErrors([&] { ++done; });
    EXPECT_EQ(done, 2);
    ASSERT_EQ(platform.boxes().size(), 2u);
    for (const MsgBoxRequest& box : platform.boxes()) {
        EXPECT_TRUE(box.icon == MsgIcon::Critical && box.buttons == MsgButtons::Ok);
    }
    EXPECT_EQ(platform.boxes()[0].title + ": " + platform.boxes()[0].prompt, "Veldra: Disk full");
    EXPECT_EQ(platform.boxes()[1].title + ": " + platform.boxes()[1].prompt,
              "VELDRA: The book could not be printed. No paper");
}

// Memory running out in a load is the load's to answer, whatever command meets it; out of a
// load it is shown as any failure.
TEST(WindowErrors, MemoryRunningOutGoesOnToTheLoadAndIsShownOutOfOne) {
    FakePlatform platform;
    platform.Answer(MsgAnswer::Ok);
    {
        const LoadUnderWayScope underWay;
        EXPECT_THROW(ReportWindowErrors([] { throw std::bad_alloc(); }), std::bad_alloc);
    }
    EXPECT_TRUE(platform.boxes().empty());
    ReportWindowErrors([] { throw std::bad_alloc(); });
    ASSERT_EQ(platform.boxes().size(), 1u);
    EXPECT_EQ(platform.boxes()[0].prompt,
              "Out of memory. Close the windows and programs you do not need, or raise the memory "
              "limit, and try again.");
}

// Memory running out in a command goes past every handler the command reached, a command
// run inside it included, to the outermost, which says it once in the words of memory
// running out, after what the command could not do; words of its own are kept.
TEST(WindowErrors, MemoryRunningOutInACommandIsSaidOnceByTheOutermostInItsOwnWords) {
    FakePlatform platform;
    platform.Answer(MsgAnswer::Ok).Answer(MsgAnswer::Ok);
    bool memberAnswered = false;
    ReportWindowErrors(
        [&] {
            IgnoringFailures([] { throw std::bad_alloc(); });
            memberAnswered = true;
        },
        "Create Book Failed", "The program book could not be made. ");
    ReportWindowErrors(
        [] {
            ReportWindowErrors([] { throw NotEnoughMemory("Not enough memory to save A.sst"); });
        },
        "Veldra");
    EXPECT_FALSE(memberAnswered);
    std::vector<std::string> boxes;
    for (const MsgBoxRequest& box : platform.boxes()) {
        boxes.push_back(box.title + ": " + box.prompt);
    }
    EXPECT_EQ(boxes, (std::vector<std::string>{
                         "Create Book Failed: The program book could not be made. Out of memory. "
                         "Close the windows and programs you do not need, or raise the memory "
                         "limit, and try again.",
                         "Veldra: Not enough memory to save A.sst. Close the windows and programs "
                         "you do not need, or raise the memory limit, and try again."}));
    // Once the command has ended, a member answers for itself again.
    IgnoringFailures([] { throw std::bad_alloc(); });
}

}  // namespace
}  // namespace veldra::testing
