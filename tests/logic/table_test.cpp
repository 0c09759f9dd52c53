#include "logic/table.h"

#include <gtest/gtest.h>

#include "logic/boolean_bits.h"
#include "support/fake_platform.h"
#include "support/fake_program_host.h"

namespace veldra {
namespace {

using testing::FakePlatform;
using testing::FakeProgramHost;

// A signal's aspect table: inputs TRACK and ROUTE, outputs GREEN and RED.
class TableTest : public ::testing::Test {
protected:
    TableTest() {
        host.bits = &bits;
        for (const char* name : {"TRACK", "ROUTE", "GREEN", "RED", "TRIG"}) {
            bits.Add(name, false);
        }
        table = tables.Add(1);
        table->SetBits(&bits);
        table->TriggerList().Add("TRIG");
    }

    // Adds a row; inputs and outputs as (name, value) pairs.
    State& Row(std::initializer_list<std::pair<const char*, double>> inputs,
               std::initializer_list<std::pair<const char*, double>> outputs) {
        State& row = *table->Layout().Rows().Add(std::int16_t(table->Layout().Rows().Count() + 1));
        for (const auto& [name, value] : inputs) {
            row.Inputs().Add(name, value, false);
        }
        for (const auto& [name, value] : outputs) {
            row.Outputs().Add(name, value, false);
        }
        return row;
    }

    FakePlatform platform;
    FakeProgramHost host;
    BooleanBits bits;
    Tables tables;
    Table* table = nullptr;
};

TEST_F(TableTest, NoMatchingStateIsReportedEveryTimeAndLeavesTheTableTriggered) {
    Row({{"TRACK", 1}}, {{"GREEN", 1}});
    platform.Answer(MsgAnswer::Ok).Answer(MsgAnswer::Ok);

    table->Update();
    table->Update();

    ASSERT_EQ(platform.boxes().size(), 2u);
    EXPECT_EQ(platform.boxes()[0].title + ": " + platform.boxes()[0].prompt,
              "Invalid input state: Unable to find solution for TABLE 1");
    EXPECT_EQ(platform.boxes()[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(table->TableTriggered() && !bits.Find("GREEN")->BitValue());
    EXPECT_EQ(host.journal,
              (std::vector<std::string>{"table: TABLE 1 Triggered", "table: TABLE 1 Triggered"}));
}

TEST_F(TableTest, ANumericOutputSetsTheBitsNumberAndABoardOutputIsAChangedBit) {
    BooleanBit& aspect = *bits.Add("ASPECT", false);
    aspect.SetIsNumeric(true);
    State& row = *table->Layout().Rows().Add(1);
    row.Outputs().Add("ASPECT", 3, true);
    bits.Find("RED")->SetIsFormBit(true);
    row.Outputs().Add("RED", 1, false);

    table->Update();

    EXPECT_EQ(aspect.NumValue(), 3);
    EXPECT_FALSE(aspect.BitValue());
    // Only the board's bit is recorded as changed.
    EXPECT_EQ(host.journal, (std::vector<std::string>{
                                "table: TABLE 1 Triggered", "status: ASPECT = 3", "que: ASPECT",
                                "status: RED on", "que: RED", "changed bit: RED"}));
}

TEST_F(TableTest, AMissingBitIsReportedAndTheTableStaysTriggered) {
    Row({{"NOSUCH", 1}}, {{"GREEN", 1}});
    platform.Answer(MsgAnswer::No);

    table->Update();

    EXPECT_TRUE(table->TableTriggered());
    EXPECT_EQ(platform.boxes().at(0).title,
              "Error: TABLE 1 names the bit NOSUCH, which does not exist");
}

TEST_F(TableTest, AStateNamesEachBitOnceButWildcardsRepeat) {
    platform.Answer(MsgAnswer::No);
    State& row = Row({{"TRACK", 1}, {"?", 0}, {"?", 1}}, {});

    EXPECT_EQ(row.Inputs().Add("track", 0, false), nullptr);
    EXPECT_EQ(row.Inputs().Count(), 3);
}

TEST_F(TableTest, EitherEdgeOfATriggerBitMarksOnlyTheTablesThatNameItExactly) {
    BooleanBit& trig = *bits.Find("TRIG");
    BooleanBit& lower = *bits.Add("trig2", false);
    Table& other = *tables.Add(2);
    other.TriggerList().Add("TRIG2");
    for (BooleanBit* bit : {&trig, &lower}) {
        bit->SetIsTrigger(true);
        bit->SetvTables(&tables);
    }
    std::vector<bool> marked;
    for (bool value : {true, false}) {
        table->SetTableTriggered(false);
        other.SetTableTriggered(false);
        trig.SetBitValue(value, true);
        lower.SetBitValue(value, true);
        marked.insert(marked.end(), {table->TableTriggered(), other.TableTriggered()});
    }

    EXPECT_EQ(marked, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(host.triggerChanges, 4);
}

// Trigger lists given before a first edge, and tables or triggers changed after it: the
// tables an edge marks follow the lists as they stand at that edge.
struct MarkCase {
    const char* name;
    std::vector<std::vector<std::string>> before;   // trigger lists of tables 1..
    std::vector<std::vector<std::string>> added;    // more tables after the first edge
    std::vector<std::pair<int, std::string>> more;  // (table from 1, trigger) after it
    int removed;                                    // table number removed after it, or 0
    std::string bit;
    std::vector<bool> marked;  // of the tables left, in order
};

class TableMarkTest : public ::testing::TestWithParam<MarkCase> {};

TEST_P(TableMarkTest, AnEdgeMarksTheTablesWhoseListsNameTheBitAtThatEdge) {
    const MarkCase& c = GetParam();
    FakePlatform platform;
    FakeProgramHost host;
    Tables tables;
    std::int16_t number = 0;
    auto add = [&](const std::vector<std::string>& triggers) {
        ++number;
        Table& table = *tables.Add(number, std::to_string(number));
        for (const std::string& name : triggers) {
            table.TriggerList().Add(name);
        }
    };
    for (const auto& triggers : c.before) {
        add(triggers);
    }
    tables.MarkTriggered(c.bit);
    for (const auto& triggers : c.added) {
        add(triggers);
    }
    for (const auto& [position, name] : c.more) {
        tables.Item(position)->TriggerList().Add(name);
    }
    if (c.removed != 0) {
        tables.Remove(std::to_string(c.removed));
    }
    for (Table& table : tables) {
        table.SetTableTriggered(false);
    }

    tables.MarkTriggered(c.bit);

    std::vector<bool> marked;
    for (const Table& table : tables) {
        marked.push_back(table.TableTriggered());
    }
    EXPECT_EQ(marked, c.marked);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, TableMarkTest,
    ::testing::Values(
        MarkCase{"Exact",
                 {{"A"}, {"a"}, {"AB"}, {"B", "A"}},
                 {},
                 {},
                 0,
                 "A",
                 {true, false, false, true}},
        MarkCase{"NamedTwice", {{"A", "A"}, {"B"}}, {}, {}, 0, "A", {true, false}},
        MarkCase{"NamedByNone", {{"A"}, {"B"}}, {}, {}, 0, "C", {false, false}},
        MarkCase{"TableAddedLater", {{"A"}}, {{"B"}, {"A"}}, {}, 0, "A", {true, false, true}},
        MarkCase{"TriggerAddedLater", {{"A"}, {"B"}}, {}, {{2, "A"}}, 0, "A", {true, true}},
        MarkCase{"TableRemovedLater", {{"A"}, {"A"}, {"A"}}, {}, {}, 2, "A", {true, true}},
        MarkCase{"FirstTableAddedAfterAnEdge", {}, {{"A"}, {"B"}}, {}, 0, "A", {true, false}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TableTest, AddedStatesAndTriggersAreAnnouncedByTheTable) {
    std::vector<std::string> heard;
    Subscription states = table->StateAdded.Subscribe(
        [&](std::int16_t n) { heard.push_back("state " + std::to_string(n)); });
    Subscription triggers = table->TriggerAdded.Subscribe(
        [&](std::string_view name) { heard.push_back("trigger " + std::string(name)); });

    table->Layout().Rows().Add(7);
    table->TriggerList().Add("T2");

    EXPECT_EQ(heard, (std::vector<std::string>{"state 7", "trigger T2"}));
}

}  // namespace
}  // namespace veldra
