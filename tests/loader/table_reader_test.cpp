#include "loader/table_reader.h"

#include <gtest/gtest.h>

#include "loader/loader_fixture.h"

namespace veldra::testing {
namespace {

using TableReaderTest = LoaderTest;
using Lines = std::vector<std::string>;

// Cells as "NAME=value", "NAME=#n" for a numeric one and "?" for any value.
template <class Cell>
std::string CellText(const Cell& cell, std::int16_t number) {
    if (cell.BitName == "?") {
        return "?";
    }
    return cell.BitName + "=" +
           (cell.IsNumeric ? "#" + std::to_string(number) : (cell.BitValue ? "1" : "0"));
}

Lines InputsOf(const stInputs& cells) {
    Lines out;
    for (const stInput& cell : cells) {
        out.push_back(CellText(cell, cell.Numeric));
    }
    return out;
}

Lines OutputsOf(const stOutputs& cells) {
    Lines out;
    for (const stOutput& cell : cells) {
        out.push_back(CellText(cell, cell.NumValue));
    }
    return out;
}

TEST_F(TableReaderTest, ATableGetsItsTriggersColumnsAndRows) {
    LoadFile("tables.ml2");
    ASSERT_EQ(engine.prgTables.Count(), 1);
    Table& table = *engine.prgTables.Item(1);
    EXPECT_EQ(table.TableNumber(), 1);
    Lines triggers;
    for (const Trigger& trigger : table.TriggerList()) {
        triggers.push_back(trigger.BitName);
    }
    EXPECT_EQ(triggers, (Lines{"A", "B"}));
    EXPECT_EQ(InputsOf(table.Layout().Inputs()), (Lines{"A=0", "B=0", "N=#0"}));
    EXPECT_EQ(OutputsOf(table.Layout().Outputs()), (Lines{"X=0", "Y=0"}));

    States& rows = table.Layout().Rows();
    ASSERT_EQ(rows.Count(), 3);
    EXPECT_EQ(InputsOf(rows.Item(1)->Inputs()), (Lines{"A=1", "B=0", "?"}));
    EXPECT_EQ(OutputsOf(rows.Item(1)->Outputs()), (Lines{"X=1", "Y=0"}));
    EXPECT_EQ(InputsOf(rows.Item(2)->Inputs()), (Lines{"A=0", "?", "N=#3"}));
    EXPECT_EQ(OutputsOf(rows.Item(2)->Outputs()), (Lines{"X=0", "Y=1"}));
    EXPECT_EQ(InputsOf(rows.Item(3)->Inputs()), Lines{});
    EXPECT_EQ(OutputsOf(rows.Item(3)->Outputs()), (Lines{"X=0", "Y=0"}));
    EXPECT_EQ(rows.Item(3)->StateNumber(), 3);
    EXPECT_TRUE(engine.ForceTablesEnabled());
}

TEST_F(TableReaderTest, AUserNumericMakesANumericInputColumn) {
    Load(Source({"PROGRAM P;", "USER NUMERIC", "LIMIT:", "5;", "TABLES BEGIN", "TABLE 1",
                 "INPUTS: LIMIT, FLAG", "OUTPUTS: X;", "STATE: 5 1 YIELDS: 1;", "END TABLE",
                 "END TABLES"}));
    Table& table = *engine.prgTables.Item(1);
    EXPECT_EQ(InputsOf(table.Layout().Inputs()), (Lines{"LIMIT=#0", "FLAG=0"}));
    EXPECT_EQ(InputsOf(table.Layout().Rows().Item(1)->Inputs()), (Lines{"LIMIT=#5", "FLAG=1"}));
}

TEST_F(TableReaderTest, ATableLeftOpenIsClosedByTheNextTableHeader) {
    Load(Source({"PROGRAM P;", "TABLES BEGIN", "TABLE 1", "INPUTS: A", "OUTPUTS: X;", "TABLE 2",
                 "INPUTS: B", "OUTPUTS: Y;", "END TABLE", "END TABLES"}));
    ASSERT_EQ(engine.prgTables.Count(), 2);
    EXPECT_EQ(InputsOf(engine.prgTables.Item(2)->Layout().Inputs()), (Lines{"B=0"}));
}

TEST_F(TableReaderTest, AStateNumberBeforeTheColonStillStartsARow) {
    Load(Source({"PROGRAM P;", "TABLES BEGIN", "TABLE 1", "INPUTS: A", "OUTPUTS: X;",
                 "STATE 1: 1 YIELDS: 1;", "STATE 2: 0 YIELDS: 0;", "END TABLE", "END TABLES"}));
    EXPECT_EQ(engine.prgTables.Item(1)->Layout().Rows().Count(), 2);
}

struct BadTable {
    const char* row;
    const char* message;
};

class BadTableRows : public TableReaderTest, public ::testing::WithParamInterface<BadTable> {};

TEST_P(BadTableRows, AreReportedWithTheirLineAndTheLoadGoesOn) {
    platform.Answer(MsgAnswer::No);
    Load(Source({"PROGRAM P;", "NUMERIC VARIABLES N;", "TABLES BEGIN", "TABLE 1", "INPUTS: A, N",
                 "OUTPUTS: X, Y;", GetParam().row, "END TABLE", "END TABLES",
                 "BOOLEAN BITS LATER;"}));
    EXPECT_EQ(Boxes(),
              (Lines{"Error: " + std::string(GetParam().message) + " (line 7): End Program?"}));
    EXPECT_NE(Bit("LATER"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, BadTableRows,
    ::testing::Values(
        BadTable{"STATE: 1 0 YIELDS: 1 0;",
                 "Type mismatch: \"1 0\" is not a Boolean value (1 or 0)"},
        BadTable{"STATE: 1 X YIELDS: 1, 0;", "Type mismatch: \"X\" is not a number"},
        BadTable{"STATE: 1 0 1 YIELDS: 1, 0;", "The value 1 lies beyond the table's 2 inputs"},
        BadTable{"STATE: 1 0 YIELDS: 1, 0, 1;", "The value 1 lies beyond the table's 2 outputs"},
        BadTable{"STATE: 1 99999 YIELDS: 1, 0;", "Overflow"},
        BadTable{"1 0 YIELDS: 1, 0;", "A value stands before the table's first STATE:"}));

TEST_F(TableReaderTest, AHeaderThatIsNoTableNumberIsReported) {
    platform.Answer(MsgAnswer::No);
    Load(Source({"PROGRAM P;", "TABLES BEGIN", "TABLE A", "END TABLES"}));
    EXPECT_EQ(Boxes(), (Lines{"Error: Type mismatch: a table number is expected in A (line 3): "
                              "End Program?"}));
    EXPECT_EQ(engine.prgTables.Count(), 0);
}

}  // namespace
}  // namespace veldra::testing
