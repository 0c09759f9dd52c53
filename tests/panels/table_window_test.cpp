#include "panels/table_window.h"

#include <gtest/gtest.h>

#include "engine/engine_fixture.h"

namespace veldra::testing {
namespace {

using Row = std::vector<std::string>;

class TableWindowTest : public EngineTest {
protected:
    std::vector<Row> Grid() {
        std::vector<Row> grid;
        for (int r = 0; r < window.RowCount(); ++r) {
            Row& row = grid.emplace_back();
            for (int c = 0; c < window.ColumnCount(); ++c) {
                row.push_back(window.Cell(r, c));
            }
        }
        return grid;
    }

    Table& table = *engine.prgTables.Add(4);
    TableWindow window{table};
};

TEST_F(TableWindowTest, EachColumnIsSizedToItsHeadingAndTheEqualsColumnToNothing) {
    table.Layout().Inputs().Add("A", 0, false);
    table.Layout().Outputs().Add("C", 0, false);
    table.Layout().Rows().Add(1)->Outputs().Add("C", 0, false);

    EXPECT_EQ(window.BitCount(), 0);

    EXPECT_EQ(window.ColumnWidthText(0), "STATE");
    EXPECT_EQ(window.ColumnWidthText(1), "A");
    EXPECT_EQ(window.ColumnWidthText(2), "");
    EXPECT_EQ(window.ColumnWidthText(3), "C");
}

TEST_F(TableWindowTest, OutputsStartAfterTheTablesInputColumnsWhateverAStateLists) {
    table.Layout().Inputs().Add("A", 0, false);
    table.Layout().Inputs().Add("B", 0, false);
    table.Layout().Outputs().Add("C", 0, false);
    State& sparse = *table.Layout().Rows().Add(1);
    sparse.Inputs().Add("A", 1, false);
    sparse.Outputs().Add("C", 1, false);
    State& crowded = *table.Layout().Rows().Add(2);
    for (const char* name : {"A", "B", "X"}) {
        crowded.Inputs().Add(name, 1, false);
    }
    crowded.Outputs().Add("C", 12, true);  // a numeric output shows the number it gives

    window.BitCount();

    EXPECT_EQ(Grid()[1], (Row{"STATE", "1", "", "=", "1"}));
    EXPECT_EQ(Grid()[2], (Row{"STATE", "1", "1", "=", "12"}));
}

TEST_F(TableWindowTest, ChangesHeldAreShownOnceWhenTheHoldEndsAndNoneWhereNothingChanged) {
    int shown = 0;
    const Subscription counted = window.Changed.Subscribe([&] { ++shown; });
    window.HoldChanges();
    window.ShowHeldChanges();
    EXPECT_EQ(shown, 0);

    window.HoldChanges();
    for (std::int16_t state = 1; state <= 3; ++state) {
        table.Layout().Rows().Add(state);
    }
    EXPECT_EQ(shown, 0);
    window.ShowHeldChanges();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(window.RowCount(), 4);

    table.Layout().Rows().Add(4);  // no longer held
    EXPECT_EQ(shown, 2);
}

}  // namespace
}  // namespace veldra::testing
