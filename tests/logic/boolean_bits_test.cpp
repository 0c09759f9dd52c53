#include "logic/boolean_bits.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "logic/statements.h"
#include "logic/trigger_target.h"
#include "support/fake_platform.h"
#include "support/fake_program_host.h"
#include "support/recording_board.h"

namespace veldra {
namespace {

using testing::FakePlatform;
using testing::FakeProgramHost;

class CallbackTriggers final : public TriggerTarget {
public:
    explicit CallbackTriggers(std::function<void(std::string_view)> marked)
        : marked_(std::move(marked)) {}
    void MarkTriggered(std::string_view BitName) override { marked_(BitName); }

private:
    std::function<void(std::string_view)> marked_;
};

class BooleanBitsTest : public ::testing::Test {
protected:
    BooleanBit& AddBit(std::string_view name) { return *bits.Add(name, false); }

    FakePlatform platform;
    FakeProgramHost host;
    BooleanBits bits;
    CallbackTriggers tables{
        [this](auto name) { host.journal.push_back("tables: " + std::string(name)); }};
    CallbackTriggers blocks{
        [this](auto name) { host.journal.push_back("blocks: " + std::string(name)); }};
};

TEST_F(BooleanBitsTest, TheValueIsStoredAfterTheTriggersAndBeforeTheEvent) {
    BooleanBit& bit = AddBit("TR1");
    bool seenByLine = true;
    bool seenByEvent = false;
    CallbackTriggers peek([&](std::string_view) { seenByLine = bit.BitValue(); });
    bit.SetIsTrigger(true);
    bit.SetvTables(&peek);
    Subscription s =
        bit.BitChanged().Subscribe([&](std::int16_t, bool) { seenByEvent = bit.BitValue(); });

    bit.SetBitValue(true);

    EXPECT_FALSE(seenByLine);
    EXPECT_TRUE(seenByEvent);
}

// A bit that reports to the immediate window, marks tables and numeric blocks and raises
// its event, with the flags given; the journal and the watch boxes that one change leaves.
struct ChangeCase {
    const char* name;
    bool watch, trigger, numeric;
    std::function<void(BooleanBit&)> change;
    std::vector<std::string> journal = {};
    std::vector<std::string> boxes = {};
};

class BitChangeTest : public BooleanBitsTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(BitChangeTest, LeavesItsLinesMarksAndBoxesInOrder) {
    const ChangeCase& c = GetParam();
    BooleanBit& bit = AddBit("TR1");
    bit.SetvIndex(7);
    bit.SetIsWatch(c.watch);
    bit.SetIsTrigger(c.trigger);
    bit.SetIsNumeric(c.numeric);
    bit.SetvTables(&tables);
    bit.SetvNumBlocks(&blocks);
    Subscription listening = bit.BitChanged().Subscribe([this](std::int16_t row, bool value) {
        host.journal.push_back("changed: row " + std::to_string(row) + (value ? " on" : " off"));
    });
    for (std::size_t i = 0; i < c.boxes.size(); ++i) {
        platform.Answer(MsgAnswer::Ok);
    }

    c.change(bit);

    EXPECT_EQ(host.journal, c.journal);
    std::vector<std::string> boxes;
    for (const MsgBoxRequest& box : platform.boxes()) {
        EXPECT_EQ(box.title, "Bit Watch");
        EXPECT_EQ(box.icon, MsgIcon::Information);
        EXPECT_EQ(box.buttons, MsgButtons::Ok);
        boxes.push_back(box.prompt);
    }
    EXPECT_EQ(boxes, c.boxes);
}

const ChangeCase kChanges[] = {
    {"TheValueItHasDoesNothing", true, true, false, [](BooleanBit& b) { b.SetBitValue(false); }},
    // A falling edge marks no numeric block.
    {"WatchLineTriggersAndEventInThatOrder",
     true,
     true,
     false,
     [](BooleanBit& b) {
         b.SetBitValue(true);
         b.SetBitValue(false);
     },
     {"status: TR1 on", "tables: TR1", "blocks: TR1", "changed: row 7 on", "status: TR1 off",
      "tables: TR1", "changed: row 7 off"},
     {"TR1 Is Being SET", "TR1 Is Being CLEARED"}},
    {"NoStatusLeavesOutOnlyTheLine",
     true,
     true,
     false,
     [](BooleanBit& b) { b.SetBitValue(true, true); },
     {"tables: TR1", "blocks: TR1", "changed: row 7 on"},
     {"TR1 Is Being SET"}},
    {"NoTriggerMarksNothing",
     false,
     false,
     false,
     [](BooleanBit& b) { b.SetBitValue(true, true); },
     {"changed: row 7 on"}},
    {"ANumberOnABooleanIsOnlyStored", false, true, false,
     [](BooleanBit& b) {
         b.SetNumValue(9);
         EXPECT_EQ(b.NumValue(), 9);
     }},
    {"ANumericBitReportsAndTriggersEvenAnUnchangedNumber",
     false,
     true,
     true,
     [](BooleanBit& b) {
         b.SetNumValue(5);
         b.SetNumValue(5);
         EXPECT_EQ(b.NumValue(), 5);
     },
     {"status: TR1 = 5", "tables: TR1", "blocks: TR1", "status: TR1 = 5", "tables: TR1",
      "blocks: TR1"}},
    {"ANumericBitThatIsNoTriggerOnlyReports", false, false, true,
     [](BooleanBit& b) { b.SetNumValue(3, true); }},
};
INSTANTIATE_TEST_SUITE_P(Changes, BitChangeTest, ::testing::ValuesIn(kChanges),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BooleanBitsTest, AddAndAddIOOfAnExistingNameChangeOnlyItsValueAndOnlyAddIOWritesALine) {
    BooleanBit& first = *bits.Add("TR1", false, true, 500, 0, true);
    EXPECT_TRUE(first.IsFormBit());
    EXPECT_EQ(bits.Add("tr1", true), nullptr);
    EXPECT_TRUE(first.BitValue() && first.OnTime() == 500 && host.journal.empty());

    BooleanBit* in = bits.AddIO("IN1", true, true);
    ASSERT_NE(in, nullptr);
    EXPECT_TRUE(in->IsFormBit());
    EXPECT_EQ(bits.AddIO("in1", false, false), nullptr);
    EXPECT_TRUE(in->BitValue());
    EXPECT_EQ(bits.Count(), 2);
    EXPECT_EQ(host.journal, (std::vector<std::string>{"status: IN1 on"}));

    // The bit named "1" is born true with its line, however made.
    EXPECT_TRUE(bits.Add("1", false)->BitValue());
    EXPECT_EQ(host.journal.back(), "status: 1 on");
    bits.Remove("1");
    EXPECT_TRUE(bits.AddIO("1", false, false)->BitValue());
}

// Outside inputs pass through a collection that fills and empties for ever.
TEST_F(BooleanBitsTest, ACollectionEmptiedAgainAndAgainDoesNotGrow) {
    BooleanBits queue;
    for (int i = 0; i < 1000; ++i) {
        queue.Add("IN" + std::to_string(i % 3), true);
        queue.Remove(1);
    }
    EXPECT_LE(queue.SlotCount(), 1u);
}

TEST_F(BooleanBitsTest, TheCollectionForwardsTheEventOfTheBitLastFetched) {
    BooleanBit& a = AddBit("A");
    BooleanBit& b = AddBit("B");
    std::vector<std::string> heard;
    Subscription s = bits.BitChanged.Subscribe([&](std::int16_t row, bool value) {
        heard.push_back(std::to_string(row) + (value ? " on" : " off"));
    });
    a.SetvIndex(1);
    b.SetvIndex(2);

    bits.Item("A");
    bits.Item("B");
    a.SetBitValue(true);
    EXPECT_TRUE(heard.empty());

    b.SetBitValue(true);
    EXPECT_EQ(heard, (std::vector<std::string>{"2 on"}));

    EXPECT_EQ(bits.Item("MISSING"), nullptr);
    b.SetBitValue(false);
    EXPECT_EQ(heard, (std::vector<std::string>{"2 on", "2 off"}));

    bits.Find("A");  // a plain look-up changes nothing
    a.SetBitValue(false);
    EXPECT_EQ(heard.size(), 2u);

    bits.Add("A", true);  // an Add of a name there fetches it too
    a.SetBitValue(false);
    EXPECT_EQ(heard, (std::vector<std::string>{"2 on", "2 off", "1 on", "1 off"}));
}

TEST_F(BooleanBitsTest, TheBitOfAFollowedSlotIsForwardedUntilItLeavesOrAnotherIsFetched) {
    BooleanBit& a = AddBit("A");
    BooleanBit& b = AddBit("B");
    a.SetvIndex(1);
    b.SetvIndex(2);
    std::vector<int> heard;
    Subscription s = bits.BitChanged.Subscribe(
        [&](std::int16_t row, bool value) { heard.push_back(value ? row : -row); });

    bits.FollowSlot(b.Slot());
    a.SetBitValue(true);
    b.SetBitValue(true);
    bits.Item("A");
    b.SetBitValue(false);
    a.SetBitValue(false);
    bits.FollowSlot(a.Slot());
    bits.Remove("A");
    b.SetBitValue(true);

    // Emptied, the collection gives its slots afresh: the new bit is not the one followed.
    bits.FollowSlot(b.Slot());
    bits.Remove("B");
    AddBit("C");
    BooleanBit& d = AddBit("D");
    d.SetvIndex(4);
    d.SetBitValue(true);

    EXPECT_EQ(heard, (std::vector<int>{2, -1}));
}

TEST_F(BooleanBitsTest, AFailingListenerIsReportedAndTheValueStaysStored) {
    BooleanBit& bit = AddBit("TR1");
    bit.SetIsTrigger(true);
    bit.SetvNumBlocks(&blocks);
    Subscription s = bit.BitChanged().Subscribe(
        [](std::int16_t, bool) { throw std::runtime_error("Overflow"); });
    platform.Answer(MsgAnswer::No);

    bit.SetBitValue(true);
    EXPECT_TRUE(bit.BitValue());
    EXPECT_EQ(platform.boxes().at(0).title, "Error: Overflow");

    // No edge is left behind: the falling change marks no numeric block.
    platform.Answer(MsgAnswer::No);
    host.journal.clear();
    bit.SetBitValue(false, true);
    EXPECT_TRUE(host.journal.empty());
}

TEST_F(BooleanBitsTest, BoardBitsReachTheirWindowAndAFailingWindowIsSkipped) {
    testing::RecordingBoard panel;
    BooleanBit& out = *bits.Add("OUT1", true);
    BooleanBit& loose = AddBit("LOOSE");

    loose.UpdateIO();  // no window: nothing to tell
    out.SetFormIndex(&panel);
    out.UpdateIO();
    out.LoadState();
    panel.failing = true;
    out.UpdateIO();

    EXPECT_EQ(panel.shown, (std::vector<std::string>{"OUT1 on", "state OUT1 on"}));
    EXPECT_TRUE(platform.boxes().empty());
}

// Delays, board windows and trigger targets, which few bits have, are given and taken
// back like any other setting.
TEST_F(BooleanBitsTest, DelaysWindowsAndTriggerTargetsAreGivenAndTakenBack) {
    testing::RecordingBoard panel;
    BooleanBit& bit = AddBit("T1");
    EXPECT_TRUE(bit.OnTime() == 0 && bit.OffTime() == 0 && !bit.IsTimer());
    EXPECT_EQ(bit.FormIndex(), nullptr);

    bit.SetOffTime(300);
    EXPECT_TRUE(bit.IsTimer() && bit.OffTime() == 300 && bit.OnTime() == 0);
    bit.SetOffTime(0);
    bit.SetOnTime(-5);
    EXPECT_TRUE(!bit.IsTimer() && bit.OnTime() == -5);

    bit.SetFormIndex(&panel);
    bit.UpdateIO();
    bit.SetFormIndex(nullptr);
    bit.UpdateIO();
    EXPECT_EQ(panel.shown, (std::vector<std::string>{"T1 off"}));

    bit.SetIsTrigger(true);
    bit.SetvTables(&tables);
    bit.SetvNumBlocks(&blocks);
    bit.SetBitValue(true, true);
    bit.SetvTables(nullptr);
    bit.SetBitValue(false, true);
    const auto marks = [&] {
        std::vector<std::string> found;
        for (const std::string& line : host.journal) {
            if (line.starts_with("tables") || line.starts_with("blocks")) {
                found.push_back(line);
            }
        }
        return found;
    };
    EXPECT_EQ(marks(), (std::vector<std::string>{"tables: T1", "blocks: T1"}));
}

TEST_F(BooleanBitsTest, AChangeIsPassedToTheLaddersOfDisplayedStatementsOnly) {
    Statements statements;
    Statement& shown = *statements.Add("ASSIGN B*A+A TO X;");
    Statement& hidden = *statements.Add("ASSIGN A TO Y;");
    BooleanBit& a = AddBit("A");
    a.SetRung(&statements);
    a.Assigns(shown);
    a.Assigns(hidden);
    std::vector<std::string> ladder;
    Subscription onShown = shown.OpBitChanged().Subscribe([&](int index, bool value) {
        ladder.push_back("X op " + std::to_string(index) + (value ? " on" : " off"));
    });
    Subscription onHidden =
        hidden.OpBitChanged().Subscribe([&](int, bool) { ladder.push_back("Y"); });

    a.SetBitValue(true);
    EXPECT_TRUE(ladder.empty());

    shown.SetIsDisplayed(true);
    a.SetBitValue(false);
    EXPECT_EQ(ladder, (std::vector<std::string>{"X op 1 off"}));
}

// A bit keeps one reader in place and more in a block of their own: every count reads
// back the same, in the order recorded, with each reader's contacts.
TEST_F(BooleanBitsTest, ABitGivesBackItsReadersInOrderWithTheirContactsWhateverTheirNumber) {
    Statements statements;
    const std::vector<std::string> texts = {"ASSIGN A TO R1;", "ASSIGN ~A TO R2;",
                                            "ASSIGN A*~A TO R3;", "ASSIGN B TO R4;",
                                            "ASSIGN ~A+B TO R5;"};
    std::vector<Statement*> made;
    for (const std::string& text : texts) {
        made.push_back(statements.Add(text));
    }
    BooleanBit& a = AddBit("A");
    for (std::size_t count : {0U, 1U, 2U, 3U, 5U, 1U}) {
        SCOPED_TRACE(count);
        a.ResetAssigns();
        for (std::size_t i = 0; i < count; ++i) {
            a.Assigns(*made[i]);
        }
        ASSERT_EQ(a.Readers().size(), count);
        for (std::size_t i = 0; i < count; ++i) {
            const BitReader& reader = a.Readers()[i];
            EXPECT_EQ(reader.statement(), made[i]);
            EXPECT_EQ(reader.Key(), made[i]->ResultBitName(0));
            EXPECT_EQ(reader.IsBack(), made[i]->IsBack("A"));
            EXPECT_EQ(reader.IsFront(), made[i]->IsFront("A"));
        }
    }
    // A statement recorded already is refused, and the readers stay as they were.
    platform.Answer(MsgAnswer::No);
    a.Assigns(*made[0]);
    EXPECT_EQ(a.Readers().size(), 1U);
}

}  // namespace
}  // namespace veldra
