#include "panels/toggle_panel.h"

#include <gtest/gtest.h>

#include "panels/panel_fixture.h"

namespace veldra::testing {
namespace {

class TogglePanelTest : public PanelTest {
protected:
    TogglePanelTest() { Watch(panel); }

    // Every cell's text, row by row, with "|" between columns.
    std::vector<std::string> Grid() const {
        std::vector<std::string> rows;
        for (const std::vector<ToggleCell>& cells : panel.Cells()) {
            std::string line;
            for (std::size_t c = 0; c < cells.size(); ++c) {
                line += (c > 0 ? "|" : "") + cells[c].text;
            }
            rows.push_back(line);
        }
        return rows;
    }

    // A hundred twips a character.
    TogglePanel panel{IOBits, [](std::string_view text) { return int(text.size()) * 100; }};
};

TEST_F(TogglePanelTest, GroupsFillColumnsAndAFullColumnAddsARowToTheWholeGrid) {
    panel.AddBits("A1", "GA");
    panel.AddBits("B1", "GB");
    panel.AddBits("A2", "GA");
    panel.AddBits("A3", "GA");
    panel.AddBits("B2", "GB");
    panel.AddBits("C1", "ga");  // another letter case is another group
    EXPECT_EQ(Grid(), (std::vector<std::string>{"GA|GB|ga", "A1|B1|C1", "A2|B2|", "A3||"}));
    EXPECT_EQ(Reported(panel), (std::vector<std::string>{"A1", "B1", "A2", "A3", "B2", "C1"}));
    EXPECT_EQ(panel.Caption(), "Toggle Bits");
}

TEST_F(TogglePanelTest, AColumnWidensToItsWidestNameAndNeverNarrows) {
    panel.AddBits("ABCDEFGHIJ", "G");
    panel.AddBits("AB", "G");
    EXPECT_EQ(panel.ColumnWidths()[0], 10 * 100 + 400);
}

TEST_F(TogglePanelTest, ANameGivenTwiceHasTwoCellsAndOneRecordAndBothCellsFollowIt) {
    panel.AddBits("T1", "G");
    panel.AddBits("T1", "H");
    EXPECT_EQ(panel.BitCount(), 1);
    panel.UpdateOutput("T1", true);
    EXPECT_EQ(panel.Cells()[1][1].picture, LampImage::Lit);
    EXPECT_EQ(panel.Cells()[1][0].picture, LampImage::Lit);
    EXPECT_EQ(panel.CurrentColumn(), 1);
}

TEST_F(TogglePanelTest, ACellChangesOnlyWhenTheValueDiffersAndAStateFileDoesTheSame) {
    panel.AddBits("T1", "G");
    panel.AddBits("T2", "G");
    panel.CreateimgIndic();
    EXPECT_EQ(panel.RowHeights(), (std::vector<int>{0, 300, 300}));
    panel.UpdateOutput("T1", false);
    EXPECT_EQ(panel.CurrentRow(), 0);
    panel.LoadState("T2", true);
    EXPECT_EQ(panel.Cells()[2][0].picture, LampImage::Lit);
    EXPECT_EQ(panel.CurrentRow(), 2);
    panel.DoubleClick();
    EXPECT_EQ(opened, (std::vector<std::string>{"T2"}));
    EXPECT_TRUE(platform.boxes().empty());
}

TEST_F(TogglePanelTest, ClosingForGoodReleasesTheRecords) {
    panel.AddBits("T1", "G");
    panel.CloseWindow(true);
    EXPECT_EQ(panel.BitCount(), 0);
    panel.UpdateOutput("T1", true);  // a late write finds no record and asks nothing
    EXPECT_TRUE(platform.boxes().empty());
}

}  // namespace
}  // namespace veldra::testing
