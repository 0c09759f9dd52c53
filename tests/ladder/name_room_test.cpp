#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ladder/create_ladder.h"
#include "support/drawn_boxes.h"
#include "support/random_statements.h"
#include "support/recording_drawing.h"

namespace veldra::testing {
namespace {

// The viewer's font: 13 characters a line, 105 twips a character, lines 195 twips high.
constexpr double kCharWidth = 105;
constexpr double kLineHeight = 195;

double FixedWidth(std::string_view text) {
    return kCharWidth * double(text.size());
}

void Measure(CreateLadder& ladder) {
    for (const auto& cell : ladder.GetElements()) {
        cell->SetNameWidth(13);
        cell->SetNameHeight(std::int32_t(kLineHeight));
    }
    ladder.GetElements().MakeRoomForNames();
}

// Every name, written whole, of the cells and the boxes of all that is written.
std::vector<std::string> Faults(const CreateLadder& ladder) {
    TextBoxes drawing(FixedWidth, kLineHeight);
    std::vector<std::string> faults;
    for (const auto& cell : ladder.GetElements()) {
        const std::size_t before = drawing.texts.size();
        cell->UpdateName(drawing);
        std::string written;
        for (std::size_t i = before; i < drawing.texts.size(); ++i) {
            written += drawing.texts[i].what;
        }
        const std::string shown = cell->IsOutput ? "(" + cell->Name + ")" : cell->Name;
        if (!cell->Name.empty() && written != shown) {
            faults.push_back(shown + " written as " + written);
        }
    }
    for (std::string& overlap : Overlaps(drawing.texts, SymbolBoxes(ladder.GetElements()))) {
        faults.push_back(std::move(overlap));
    }
    return faults;
}

TEST(NameRoom, NamesOfAnyLengthLieOverNoOtherNameAndNoSymbol) {
    RandomStatements statements(59, 1, 80);
    int tall = 0;
    for (int i = 0; i < 300; ++i) {
        std::string text = statements.Statement();
        if (i == 0) {
            text = std::string(300, 'L') + " @ " + statements.Name() + " + A TO " +
                   std::string(300, 'C') + ", X;";
        }
        CreateLadder ladder;
        ladder.SetStatement(text);
        const int rows = ladder.GetElements().Rows();
        Measure(ladder);
        tall += ladder.GetElements().Rows() > rows;
        const std::vector<std::string> faults = Faults(ladder);
        EXPECT_TRUE(faults.empty()) << text << ": " << faults.front();
    }
    EXPECT_GT(tall, 100);  // the names made most rows taller
}

// The rows opened for a long name carry the branch and coil lines through to the rows
// below, which keep their cells.
TEST(NameRoom, TheLinesBetweenTheRowsRunOnThroughTheRowsOpened) {
    CreateLadder ladder;
    ladder.SetStatement(
        "ROUTE_SET_NORMAL@ROUTE_SET_REVERSE + POINTS_DETECTED_NORMAL * A1 TO "
        "X, Y;");
    Measure(ladder);
    const Elements& cells = ladder.GetElements();
    // Three lines of the exclusive-or name, two of them below its symbol: one row opened.
    const Element* lower = nullptr;
    for (const auto& cell : cells) {
        if (cell->Name == "POINTS_DETECTED_NORMAL") {
            lower = cell.get();
        }
    }
    ASSERT_NE(lower, nullptr);
    EXPECT_EQ(lower->Row(), 2);
    EXPECT_EQ(cells.Item(lower->Col(), lower->Row()), lower);
    const Element* through = cells.Item(0, 1);
    ASSERT_NE(through, nullptr);
    EXPECT_TRUE(through->LeftorUp && through->LeftOrDown && through->NameRoom);
    RecordingDrawing drawing;
    through->UpdateDrawing(drawing);
    EXPECT_EQ(drawing.events, (std::vector<std::string>{"L 0 0 1440 840 1", "L 0 0 1440 1680 1"}));
    EXPECT_TRUE(Faults(ladder).empty());
}

TEST(NameRoom, ShortNamesOpenNoRow) {
    CreateLadder ladder;
    ladder.SetStatement("A*~B+C TO X, Y;");
    const std::vector<std::string> before = [&] {
        std::vector<std::string> keys;
        for (const auto& cell : ladder.GetElements()) {
            keys.push_back(Elements::Key(cell->Col(), cell->Row()));
        }
        return keys;
    }();
    Measure(ladder);
    std::vector<std::string> after;
    for (const auto& cell : ladder.GetElements()) {
        after.push_back(Elements::Key(cell->Col(), cell->Row()));
    }
    EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace veldra::testing
