#include "engine/track_forms.h"

#include <gtest/gtest.h>

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

TEST_F(TrackDrainTest, AWindowQueuedTwiceIsDrainedOnceAndItsSecondEntryFindsNothing) {
    Assign("CODE75", "X");
    Start();
    BooleanBits pending;
    pending.Add("CODE75", true);
    engine.TrackBits.Add(pending);
    engine.TrackBits.Add(pending);
    engine.UpdateTrack = true;

    Tick();

    EXPECT_TRUE(Value("X"));
    EXPECT_EQ(engine.TrackBits.Count(), 0);
    EXPECT_EQ(pending.Count(), 0);
}

}  // namespace
}  // namespace veldra::testing
