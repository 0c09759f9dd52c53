#include "engine/track_forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine_fixture.h"
#include "logic/boolean_bits.h"

namespace veldra::testing {
namespace {

TEST(TrackForms, AWindowWithNothingPendingIsNotQueued) {
    FakePlatform platform;
    TrackForms queue;
    BooleanBits pending;

    EXPECT_EQ(queue.Add(pending), nullptr);
    EXPECT_EQ(queue.Count(), 0);
}

TEST(TrackForms, AnEntryReadsTheWindowsBitsWhenDrainedSoLateArrivalsAreIncluded) {
    FakePlatform platform;
    TrackForms queue;
    BooleanBits pending;
    pending.Add("75A", true);
    TrackForm& form = *queue.Add(pending);

    pending.Add("180A", false);

    ASSERT_EQ(form.TrackBitsCount(), 2);
    EXPECT_EQ(form.TrackBits(2)->BitName(), "180A");
    form.RemoveTrackBit(2);
    EXPECT_EQ(pending.Count(), 1);
}

using TrackDrainTest = EngineTest;

// Received bits are written and their readers queued even when the value is the bit's own.
TEST_F(TrackDrainTest, AWindowQueuedTwiceIsDrainedOnceAndEveryBitOfItIsQueued) {
    Assign("CODE75", "X");
    Bit("X", true);  // disagrees with the statement, so solving shows
    Start();
    BooleanBits pending;
    pending.Add("CODE75", false);
    driver.QueueTrack(pending);
    driver.QueueTrack(pending);

    Tick();

    EXPECT_EQ(solved, (std::vector<std::string>{"X"}));
    EXPECT_FALSE(Value("X"));
    EXPECT_EQ(driver.QueuedTrackWindows(), 0);
    EXPECT_EQ(pending.Count(), 0);
}

// A window's hand-off wakes the next tick only when it brings bits.
struct HandOffCase {
    const char* name;
    std::vector<std::string> pendingBits;
    bool queued;
};

class TrackHandOffTest : public EngineTest, public ::testing::WithParamInterface<HandOffCase> {};

TEST_P(TrackHandOffTest, AWindowsBitsAreQueuedAndTheNextTickWokenOnlyWhenItHasSome) {
    BooleanBits pending;
    for (const std::string& name : GetParam().pendingBits) {
        pending.Add(name, true);
    }

    driver.QueueTrack(pending);

    EXPECT_EQ(driver.QueuedTrackWindows(), GetParam().queued ? 1 : 0);
    EXPECT_EQ(driver.TrackUpdatePending(), GetParam().queued);
}

INSTANTIATE_TEST_SUITE_P(Windows, TrackHandOffTest,
                         ::testing::Values(HandOffCase{"NothingPending", {}, false},
                                           HandOffCase{"TwoCodes", {"75A", "180A"}, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace veldra::testing
