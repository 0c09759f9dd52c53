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

    void SetBit(const char* name, bool value) { bits.Find(name)->SetBitValue(value, true); }

    FakePlatform platform;
    FakeProgramHost host;
    BooleanBits bits;
    Tables tables;
    Table* table = nullptr;
};

TEST_F(TableTest, ATableIsBornTriggeredAndGetsItsWindow) {
    EXPECT_TRUE(table->TableTriggered());
    EXPECT_EQ(host.tablesAdded, (std::vector<Table*>{table}));
    EXPECT_EQ(table->Parent(), &tables);
}

TEST_F(TableTest, TheFirstMatchingStateWinsAndItsOutputsAreWrittenAndQueued) {
    Row({{"TRACK", 1}, {"ROUTE", 1}}, {{"GREEN", 1}, {"RED", 0}});
    Row({{"TRACK", 1}, {"?", 0}}, {{"GREEN", 0}, {"RED", 1}});
    Row({}, {{"RED", 1}});
    SetBit("TRACK", true);
    SetBit("ROUTE", true);
    std::vector<int> winners;
    Subscription s = table->UpdateOutput.Subscribe([&](int row) { winners.push_back(row); });

    table->Update();

    EXPECT_EQ(winners, (std::vector<int>{1}));
    EXPECT_TRUE(bits.Find("GREEN")->BitValue());
    EXPECT_EQ(host.journal,
              (std::vector<std::string>{"table: TABLE 1 Triggered", "status: GREEN on",
                                        "que: GREEN", "que: RED"}));
    EXPECT_FALSE(table->TableTriggered());
}

TEST_F(TableTest, WildcardsMatchAnythingAndALaterStateIsTakenWhenEarlierOnesFail) {
    Row({{"TRACK", 1}, {"ROUTE", 1}}, {{"GREEN", 1}});
    Row({{"?", 0}, {"?", 1}}, {{"RED", 1}, {"?", 1}});
    Row({}, {{"GREEN", 1}});
    std::vector<int> winners;
    Subscription s = table->UpdateOutput.Subscribe([&](int row) { winners.push_back(row); });

    table->Update();

    EXPECT_EQ(winners, (std::vector<int>{2}));
    EXPECT_TRUE(bits.Find("RED")->BitValue());
    EXPECT_FALSE(bits.Find("GREEN")->BitValue());
    // The "?" output is neither written nor queued.
    EXPECT_EQ(host.journal,
              (std::vector<std::string>{"table: TABLE 1 Triggered", "status: RED on", "que: RED"}));
}

TEST_F(TableTest, ANumericInputComparesTheBitsNumberExactly) {
    BooleanBit& speed = *bits.Add("SPEED", true);
    speed.SetIsNumeric(true);
    speed.SetNumValue(40, true);
    State& row = *table->Layout().Rows().Add(1);
    row.Inputs().Add("SPEED", 40, true);
    row.Outputs().Add("GREEN", 1, false);

    table->Update();
    EXPECT_TRUE(bits.Find("GREEN")->BitValue());

    // The kind of comparison follows the bit: a numeric bit ignores the input's Boolean.
    table->SetTableTriggered(true);
    speed.SetNumValue(41, true);
    platform.Answer(MsgAnswer::Ok);
    table->Update();
    EXPECT_TRUE(table->TableTriggered());
}

TEST_F(TableTest, NoMatchingStateIsReportedEveryTimeAndLeavesTheTableTriggered) {
    Row({{"TRACK", 1}}, {{"GREEN", 1}});
    platform.Answer(MsgAnswer::Ok).Answer(MsgAnswer::Ok);

    table->Update();
    table->Update();

    ASSERT_EQ(platform.boxes().size(), 2u);
    EXPECT_EQ(platform.boxes()[0].prompt, "Unable to find solution for TABLE 1");
    EXPECT_EQ(platform.boxes()[0].title, "Invalid input state");
    EXPECT_EQ(platform.boxes()[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(table->TableTriggered());
    EXPECT_FALSE(bits.Find("GREEN")->BitValue());
    EXPECT_EQ(host.journal,
              (std::vector<std::string>{"table: TABLE 1 Triggered", "table: TABLE 1 Triggered"}));
}

TEST_F(TableTest, AnUntriggeredTableDoesNothingAtAll) {
    Row({}, {{"GREEN", 1}});
    table->SetTableTriggered(false);

    table->Update();

    EXPECT_TRUE(host.journal.empty());
}

TEST_F(TableTest, OutputsAlreadyHoldingTheirValuesAreStillQueued) {
    Row({}, {{"GREEN", 0}});

    table->Update();

    EXPECT_EQ(host.journal, (std::vector<std::string>{"table: TABLE 1 Triggered", "que: GREEN"}));
}

TEST_F(TableTest, BoardOutputsAreRecordedAsChangedBits) {
    bits.Find("RED")->SetIsFormBit(true);
    Row({}, {{"RED", 1}});

    table->Update();

    EXPECT_EQ(host.journal.back(), "changed bit: RED");
}

TEST_F(TableTest, ANumericOutputSetsTheBitsNumber) {
    BooleanBit& aspect = *bits.Add("ASPECT", false);
    aspect.SetIsNumeric(true);
    State& row = *table->Layout().Rows().Add(1);
    row.Outputs().Add("ASPECT", 3, true);

    table->Update();

    EXPECT_EQ(aspect.NumValue(), 3);
    EXPECT_FALSE(aspect.BitValue());
    EXPECT_EQ(host.journal, (std::vector<std::string>{"table: TABLE 1 Triggered",
                                                      "status: ASPECT = 3", "que: ASPECT"}));
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

TEST_F(TableTest, EitherEdgeOfATriggerBitMarksTheTablesThatNameIt) {
    BooleanBit& trig = *bits.Find("TRIG");
    trig.SetIsTrigger(true);
    trig.SetvTables(&tables);
    Table& other = *tables.Add(2);
    other.TriggerList().Add("OTHER");
    table->SetTableTriggered(false);
    other.SetTableTriggered(false);

    trig.SetBitValue(true, true);
    EXPECT_TRUE(table->TableTriggered());
    EXPECT_FALSE(other.TableTriggered());

    table->SetTableTriggered(false);
    trig.SetBitValue(false, true);
    EXPECT_TRUE(table->TableTriggered());
    EXPECT_EQ(host.triggerChanges, 2);

    // Names compare exactly.
    tables.MarkTriggered("trig");
    EXPECT_FALSE(other.TableTriggered());
}

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
