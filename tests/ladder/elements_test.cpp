#include "ladder/elements.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logic/boolean_bits.h"
#include "support/recording_drawing.h"

namespace veldra::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(Element, AContactDrawsItsBracketsAndStubsInItsValue) {
    Elements cells;
    Element& contact = cells.Add("A", 1, 0);
    RecordingDrawing drawing;
    contact.UpdateDrawing(drawing);
    EXPECT_EQ(drawing.events,
              (Lines{"L 1560 2160 600 600 0", "L 2160 2160 480 720 0", "L 2280 2160 480 480 0",
                     "L 2280 2160 720 720 0", "L 2520 2520 480 720 0", "L 2520 2400 480 480 0",
                     "L 2520 2400 720 720 0", "L 2520 3120 600 600 0"}));
}

TEST(Element, ABackContactIsSlashedAndConductsWhileItsBitIsDown) {
    Elements cells;
    Element& contact = cells.Add("A", 0, 1, false, true);
    contact.LeftorUp = true;
    RecordingDrawing drawing;
    contact.UpdateDrawing(drawing);
    ASSERT_EQ(drawing.events.size(), 10u);
    EXPECT_EQ(drawing.events[0], "L 0 0 1440 840 1");  // the branch line always carries
    EXPECT_EQ(drawing.events[1], "L 645 915 1505 1365 1");
    EXPECT_TRUE(contact.SetvValue(true) && !contact.SetvValue(true));  // a change, then none
    drawing.events.clear();
    contact.UpdateDrawing(drawing);
    EXPECT_EQ(drawing.events[1], "L 645 915 1505 1365 0");
}

TEST(Element, ACoilDrawsTwoArcsAndATimerCoilIsMarked) {
    BooleanBits bits;
    bits.Add("SLOW", false, true, 2000, 0);
    bits.Add("FAST", false);
    Elements cells;
    Element& coil = cells.Add("SLOW", 0, 0);
    coil.IsOutput = true;
    RecordingDrawing drawing;
    coil.UpdateDrawing(drawing, &bits);
    EXPECT_EQ(drawing.events,
              (Lines{"L 0 600 600 600 0", "L 960 1560 600 600 0", "A 780 600 2.1 4.3 200",
                     "A 780 600 5.25 1 200", "T 740 500 T"}));
    coil.Name = "FAST";
    drawing.events.clear();
    coil.UpdateDrawing(drawing, &bits);
    EXPECT_EQ(drawing.events.size(), 4u);
}

TEST(Element, TheRelaySymbolLiftsItsBladeWhileTheBitIsUp) {
    Elements cells;
    Element& contact = cells.Add("A", 0, 0);
    contact.IsRelay = true;
    RecordingDrawing drawing;
    contact.UpdateDrawing(drawing);
    // Two stubs, the fixed contact (three lines, base and eleven arrow lines), the blade.
    ASSERT_EQ(drawing.events.size(), 18u);
    EXPECT_EQ(drawing.events[2], "R 1080 1080 420 580 1");
    EXPECT_EQ(drawing.events.back(), "R 850 440 580 580 1");
    contact.SetvValue(true);
    drawing.events.clear();
    contact.UpdateDrawing(drawing);
    EXPECT_EQ(drawing.events.back(), "R 850 440 650 580 1");

    Element& coil = cells.Add("X", 1, 0);
    coil.IsOutput = true;
    coil.IsRelay = true;
    drawing.events.clear();
    coil.UpdateDrawing(drawing);
    EXPECT_EQ(drawing.events,
              (Lines{"R 1560 2160 580 580 1", "R 2520 3120 580 580 1", "R 2040 2640 460 460 1",
                     "R 2040 2640 700 700 1", "R 2160 2160 460 700 1", "R 2520 2520 460 700 1"}));
}

TEST(Element, ResolutionScalesAndPlacesTheCell) {
    Elements cells;
    Element& cell = cells.Add("A", 3, 2);
    cell.SetResolution(0.5);
    EXPECT_EQ(cell.Resolution(), 100);
    cell.SetResolution(50);
    EXPECT_EQ(cell.CurrentX(), 2340);
    EXPECT_EQ(cell.CurrentY(), 840);
    EXPECT_EQ(cell.d_1560(), 780);
}

TEST(Element, NamesAreStaggeredOnOddColumnsAndWrapAtLeastOneCharacterALine) {
    Elements cells;
    Element& even = cells.Add("AB", 0, 0);
    Element& odd = cells.Add("AB", 1, 0);
    RecordingDrawing drawing;
    even.UpdateName(drawing);
    odd.UpdateName(drawing);
    EXPECT_EQ(drawing.events, (Lines{"T 0 0 AB", "T 1560 150 AB"}));

    odd.SetNameWidth(0);
    EXPECT_EQ(odd.NameWidth(), 1);
    odd.SetNameWidth(-3);
    EXPECT_EQ(odd.NameWidth(), -3);
    odd.SetNameHeight(100);
    odd.WordWrap = true;
    drawing.events.clear();
    odd.UpdateName(drawing);
    EXPECT_EQ(drawing.events, (Lines{"T 1680 10 A", "T 1680 110 B", "T 1680 210"}));
}

struct WrappedName {
    const char* name;
    int width;  // characters a line holds
    std::vector<std::string> lines;
};

class WrappedNames : public ::testing::TestWithParam<WrappedName> {};

// The viewer's font gives lines of about 14 characters, 195 twips high: two lines fit above
// the symbol (480 to 720 twips below the top of the cell), the others must go below it.
TEST_P(WrappedNames, BreakAfterTheirOperandsAndLeaveTheSymbolClear) {
    constexpr double kLineHeight = 195;
    Elements cells;
    Element& contact = cells.Add(GetParam().name, 1, 2, false, true);
    contact.WordWrap = true;
    contact.SetNameWidth(GetParam().width);
    contact.SetNameHeight(std::int32_t(kLineHeight));
    RecordingDrawing drawing;
    contact.UpdateName(drawing);

    std::vector<std::string> texts;
    for (const RecordingDrawing::Text& line : drawing.texts) {
        texts.push_back(line.text);
        const double top = line.y - contact.CurrentY();
        EXPECT_TRUE(top + kLineHeight <= 480 || top >= 720)
            << line.text << " lies over the symbol at " << top;
    }
    EXPECT_EQ(texts, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Names, WrappedNames,
    ::testing::Values(
        // One name alone is longer than a line: only there is it cut inside.
        WrappedName{"TRACK_CIRCUIT_WEST_OCC@TRACK_CIRCUIT_EAST_OCC",
                    14,
                    {"TRACK_CIRCUIT_", "WEST_OCC@", "TRACK_CIRCUIT_", "EAST_OCC"}},
        WrappedName{"AB@CD@EF@GH@IJ@KL@MN", 6, {"AB@CD@", "EF@GH@", "IJ@KL@", "MN"}},
        WrappedName{"SIG_12_CLEAR@PT_4_NORMAL", 14, {"SIG_12_CLEAR@", "PT_4_NORMAL"}},
        WrappedName{"A@TRACK_CIRCUIT_WEST@B", 10, {"A@", "TRACK_CIRC", "UIT_WEST@B"}},
        // A plain name wraps every line's width as it always did, its third line below.
        WrappedName{"ABCDEFGHIJKLMNOPQRSTUVWXYZ", 10, {"ABCDEFGHIJ", "KLMNOPQRST", "UVWXYZ"}},
        // No line starts with a "~" inside a name, which would read as a NOT mark; one
        // after an "@" is the operand's own.
        WrappedName{"ROUTE_EAST~WEST~APPROACH", 10, {"ROUTE_EAS", "T~WEST~APP", "ROACH"}},
        WrappedName{"SIG_EAST~~WEST_APPROACH", 8, {"SIG_EAS", "T~~WEST_", "APPROACH", ""}},
        WrappedName{"AB_WEST~APPROACH@~CD", 7, {"AB_WES", "T~APPRO", "ACH@~CD"}},
        // An operand that fills whole lines leaves no line with its "@" alone.
        WrappedName{"ABCDEFGHIJ@KLMNOPQRSTUVWXY", 10, {"ABCDEFGHI", "J@", "KLMNOPQRST", "UVWXY"}}));

TEST(Element, ATooLargeRungsNoteIsItsOnlyDrawing) {
    Elements cells;
    Element& note = cells.Add("", 0, 3);
    note.Note = "too large";
    RecordingDrawing drawing;
    note.UpdateSelection(drawing);
    // Only the note, written inside its own cell (1560 by 840 twips, the fourth row).
    EXPECT_EQ(drawing.events.size(), 1U);
    ASSERT_EQ(drawing.texts.size(), 1U);
    const RecordingDrawing::Text& written = drawing.texts[0];
    EXPECT_EQ(written.text, "too large");
    EXPECT_GE(written.x, 0);
    EXPECT_LT(written.x, 1560);
    EXPECT_GE(written.y, 3 * 840);
    EXPECT_LT(written.y, 4 * 840);
}

TEST(Element, OnlyANamedCellIsSelectedAndFramed) {
    Elements cells;
    Element& wire = cells.Add("", 0, 0);
    wire.SethLine(true);
    EXPECT_FALSE(wire.SetIsSelected(true));
    Element& contact = cells.Add("A", 1, 0);
    contact.SethLine(true);
    EXPECT_FALSE(contact.hLine());
    EXPECT_TRUE(contact.SetIsSelected(true));
    RecordingDrawing drawing;
    contact.UpdateSelection(drawing);
    EXPECT_EQ(drawing.events[0], "S 1800 1800 840 120 1");
    EXPECT_EQ(drawing.events[3], "S 2880 1800 840 840 1");
}

TEST(Elements, ATakenKeyKeepsItsCellAndTakesTheNewName) {
    Elements cells;
    Element& first = cells.Add("", 2, 1, false, false, false, false, true);
    first.RightOrDown = true;
    Element& again = cells.Add("B", 2, 1, false, true);
    EXPECT_EQ(&first, &again);
    EXPECT_EQ((std::vector<int>{cells.Count(), again.Back(), again.LeftorUp, again.RightOrDown,
                                cells.Rows(), cells.Cols()}),
              (std::vector<int>{1, 1, 0, 1, 1, 2}));
    EXPECT_EQ(cells.Item(5, 5), nullptr);
}

TEST(Elements, MovedCellsKeepTheirKeysWhileTheExtentFollowsThem) {
    Elements cells;
    cells.Add("A", 0, 0);
    Element& moved = cells.Add("B", 5, 3);
    moved.SetCol(1);
    moved.SetRow(1);
    EXPECT_EQ(cells.Rows(), 1);
    EXPECT_EQ(cells.Cols(), 1);
    EXPECT_EQ(cells.Item(5, 3), &moved);
    Element& wire = cells.Add("", 5, 3, false, false, false, false, false, "-1 -1");
    EXPECT_NE(&wire, &moved);
    EXPECT_EQ(cells.Cols(), 5);
    cells.Remove(2);
    EXPECT_EQ(cells.Item(5, 3), nullptr);
    EXPECT_EQ(cells.Item("-1 -1"), &wire);
    EXPECT_EQ(cells.Rows(), 3);
    cells.Remove("-1 -1");
    EXPECT_EQ(cells.Count(), 1);
    EXPECT_EQ(cells.Cols(), 0);
}

}  // namespace
}  // namespace veldra::testing
