#include "engine/immediate_window.h"

#include <gtest/gtest.h>

#include "engine/engine_fixture.h"
#include "support/fake_clock.h"

namespace veldra::testing {
namespace {

TEST(ImmediateWindow, AnEntryIsAStampALineBreakAndTheTextInOneFixedSlot) {
    FakeClock clock;
    clock.now = {9, 5, 3};
    ImmediateWindow status(clock);
    status.SetRunning(true);

    status.WriteEntry("Setting bit: TR1");
    status.WriteEntry(std::string(200, 'X'));

    ASSERT_TRUE(status.Slot(0).has_value());
    EXPECT_EQ(*status.Slot(0), "09:05:03\r\nSetting bit: TR1" + std::string(100 - 26, ' '));
    EXPECT_EQ(status.Slot(1)->size(), 100u);
}

TEST(ImmediateWindow, TheRingWrapsAfterThreeHundredAndOneEntries) {
    FakeClock clock;
    ImmediateWindow status(clock);
    status.SetRunning(true);
    for (int i = 0; i < 302; ++i) {
        status.WriteEntry("E" + std::to_string(i));
    }
    EXPECT_EQ(status.StatusIndex(), 1);
    EXPECT_NE(status.Slot(0)->find("E301"), std::string::npos);

    // The painted view shows the last ten, oldest first, across the wrap.
    const std::string painted = status.PaintedText();
    EXPECT_NE(painted.find("E292"), std::string::npos);
    EXPECT_LT(painted.find("E300"), painted.find("E301"));
    EXPECT_EQ(painted.find("E291"), std::string::npos);

    // Stopping shows the oldest remaining entry first.
    status.SetRunning(false);
    status.FillStatusText();
    EXPECT_EQ(status.StatusText().rfind("12:00:00\r\nE1\r\n", 0), 0u);
}

TEST(ImmediateWindow, WhileStoppedEntriesMoveToTheTextAtOnceAndComeBackAsEmptyLines) {
    FakeClock clock;
    ImmediateWindow status(clock);

    status.WriteEntry("first");
    status.Display(0);
    EXPECT_EQ(status.StatusText(), "12:00:00\r\nfirst\r\n");
    EXPECT_EQ(*status.Slot(0), std::string(100, ' '));

    status.FillStatusText();
    EXPECT_EQ(status.StatusText(), "\r\n");
}

using StatusTest = EngineTest;

TEST_F(StatusTest, FilteredBitsWriteNeitherBitNorTimerEntriesButBitsUnknownDo) {
    Bit("QUIET").SetFilter(true);
    Start();
    const int index = engine.Status().StatusIndex();

    engine.UpdateStatus("QUIET", true, false, false, false, false, 0);
    engine.UpdateStatus("QUIET", true, true, false, false, false, 0);
    EXPECT_EQ(engine.Status().StatusIndex(), index);
    engine.UpdateStatus("UNKNOWN", true, false, false, false, false, 0);  // no filter to ask
    EXPECT_EQ(StatusLines().back(), "Setting bit: UNKNOWN");

    // A numeric value is shown whatever the filter, in two slots.
    engine.UpdateStatus("QUIET", false, false, false, false, true, 42);
    EXPECT_EQ(engine.Status().StatusIndex(), index + 3);
    EXPECT_EQ(engine.Status().Slot(index + 2)->substr(0, 29), "Value Changed, New Value = 42");
}

TEST_F(StatusTest, TheFirstStartsLineIsOverwrittenByTheNextEntry) {
    Bit("TR1");
    engine.StartStop();
    EXPECT_EQ(engine.Status().StatusIndex(), 0);
    EXPECT_EQ(engine.Status().Slot(0)->rfind("Placing all statements on que for evaluation...", 0),
              0u);

    engine.UpdateStatus("TR1", true, false, false, false, false, 0);
    EXPECT_EQ(StatusLines(), (std::vector<std::string>{"Setting bit: TR1"}));
}

}  // namespace
}  // namespace veldra::testing
