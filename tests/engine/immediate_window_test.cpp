#include "engine/immediate_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// A bit's change reads as it did when it happened, however much later it is shown: the
// stamp is the change's, the name and value the bit's then, cut to the slot like any entry.
TEST(ImmediateWindow, ABitsChangeShownLaterKeepsTheMomentItHappened) {
    FakeClock clock;
    clock.now = {9, 5, 3};
    ImmediateWindow status(clock);
    status.SetRunning(true);
    std::vector<std::string> logged;
    const Subscription logging =
        status.Logged.Subscribe([&](std::string_view entry) { logged.emplace_back(entry); });
    const std::string longName(120, 'N');

    status.WriteBitEntry("TR1", true);
    clock.now = {9, 5, 4};
    status.WriteBitEntry("TR1", false);
    status.WriteBitEntry(longName, true);
    clock.now = {23, 59, 59};

    const auto padded = [](std::string text) { return text + std::string(100 - text.size(), ' '); };
    EXPECT_EQ(*status.Slot(0), padded("09:05:03\r\nSetting bit: TR1"));
    EXPECT_EQ(*status.Slot(1), padded("09:05:04\r\nClearing bit: TR1"));
    EXPECT_EQ(*status.Slot(2), "09:05:04\r\nSetting bit: " + longName.substr(0, 77));
    EXPECT_EQ(status.PaintedText(),
              *status.Slot(0) + "\r\n" + *status.Slot(1) + "\r\n" + *status.Slot(2) + "\r\n");
    // The log took each line whole, as it happened.
    EXPECT_EQ(logged, (std::vector<std::string>{"09:05:03\r\nSetting bit: TR1",
                                                "09:05:04\r\nClearing bit: TR1",
                                                "09:05:04\r\nSetting bit: " + longName}));

    status.SetRunning(false);
    status.FillStatusText();
    EXPECT_EQ(status.StatusText(),
              "09:05:03\r\nSetting bit: TR1\r\n"
              "09:05:04\r\nClearing bit: TR1\r\n"
              "09:05:04\r\nSetting bit: " +
                  longName.substr(0, 77) + "\r\n");
}

// Bit changes and other entries share the ring: the last 301 stay, oldest shown first.
TEST(ImmediateWindow, TheRingKeepsTheLastThreeHundredAndOneEntriesOfEveryKind) {
    FakeClock clock;
    ImmediateWindow status(clock);
    status.SetRunning(true);
    for (int i = 0; i < 400; ++i) {
        clock.now = {10, i / 60, i % 60};
        if (i % 3 == 0) {
            status.WriteEntry("Updating IO");
        } else {
            status.WriteBitEntry("B" + std::to_string(i), i % 2 == 0);
        }
    }
    clock.now = {11, 0, 0};
    status.SetRunning(false);
    status.FillStatusText();

    std::vector<std::string> lines;
    const std::string& text = status.StatusText();
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    ASSERT_EQ(lines.size(), 2u * 301u);  // a stamp and a text per entry
    EXPECT_EQ(lines[0], "10:01:39");     // entry 99, the oldest kept
    EXPECT_EQ(lines[1], "Updating IO");
    EXPECT_EQ(lines[2], "10:01:40");
    EXPECT_EQ(lines[3], "Setting bit: B100");
    EXPECT_EQ(lines[600], "10:06:39");
    EXPECT_EQ(lines[601], "Updating IO");
    EXPECT_EQ(lines[599], "Setting bit: B398");
}

using StatusTest = EngineTest;

// The bits a program is loaded with go when another set takes their place (a load); the
// entries of their changes still read as they did.
TEST_F(StatusTest, ABitsEntryOutlivesTheBitItNames) {
    Bit("ROUTE_WITH_A_LONG_NAME");
    Bit("LAMP");
    Assign("ROUTE_WITH_A_LONG_NAME", "LAMP");
    Start();
    clock.now = {7, 30, 15};
    Input("ROUTE_WITH_A_LONG_NAME", true);
    Tick();
    const std::string painted = engine.Status().PaintedText();

    engine.SetPrgBooleanBits(std::make_unique<BooleanBits>());
    clock.now = {8, 0, 0};

    EXPECT_EQ(engine.Status().PaintedText(), painted);
    EXPECT_NE(painted.find("07:30:15\r\nSetting bit: ROUTE_WITH_A_LONG_NAME"), std::string::npos)
        << painted;
    EXPECT_NE(painted.find("07:30:15\r\nSetting bit: LAMP"), std::string::npos) << painted;
}

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
