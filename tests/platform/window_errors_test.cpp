#include "platform/window_errors.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

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
    EXPECT_EQ(platform.boxes()[0].prompt, std::bad_alloc().what());
}

}  // namespace
}  // namespace veldra::testing
