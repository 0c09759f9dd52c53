#include "logic/boolean_bits.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "logic/statements.h"
#include "logic/trigger_target.h"
#include "panels/board_panel.h"
#include "support/fake_platform.h"
#include "support/fake_program_host.h"

namespace veldra {
namespace {

using testing::FakePlatform;
using testing::FakeProgramHost;

class JournalingTriggers final : public TriggerTarget {
public:
    JournalingTriggers(std::vector<std::string>& journal, std::string what)
        : journal_(journal), what_(std::move(what)) {}
    void MarkTriggered(std::string_view BitName) override {
        journal_.push_back(what_ + ": " + std::string(BitName));
    }

private:
    std::vector<std::string>& journal_;
    std::string what_;
};

class BooleanBitsTest : public ::testing::Test {
protected:
    BooleanBit& AddBit(std::string_view name) { return *bits.Add(name, false); }

    void Listen(BooleanBit& bit) {
        subscriptions.push_back(bit.BitChanged.Subscribe([this](std::int16_t row, bool value) {
            host.journal.push_back("changed: row " + std::to_string(row) +
                                   (value ? " on" : " off"));
        }));
    }

    FakePlatform platform;
    FakeProgramHost host;
    BooleanBits bits;
    JournalingTriggers tables{host.journal, "tables"};
    JournalingTriggers blocks{host.journal, "blocks"};
    std::vector<Subscription> subscriptions;
};

TEST_F(BooleanBitsTest, SettingTheValueABitHasDoesNothingAtAll) {
    BooleanBit& bit = AddBit("TR1");
    bit.SetIsWatch(true);
    bit.SetIsTrigger(true);
    bit.SetvTables(&tables);
    Listen(bit);

    bit.SetBitValue(false);

    EXPECT_TRUE(host.journal.empty());
    EXPECT_TRUE(platform.boxes().empty());
}

TEST_F(BooleanBitsTest, AChangeRunsWatchLineTriggersAndEventInThatOrder) {
    BooleanBit& bit = AddBit("TR1");
    bit.SetvIndex(7);
    bit.SetIsWatch(true);
    bit.SetIsTrigger(true);
    bit.SetvTables(&tables);
    bit.SetvNumBlocks(&blocks);
    Listen(bit);
    platform.Answer(MsgAnswer::Ok).Answer(MsgAnswer::Ok);

    bit.SetBitValue(true);
    bit.SetBitValue(false);

    EXPECT_EQ(host.journal, (std::vector<std::string>{
                                "status: TR1 on", "tables: TR1", "blocks: TR1", "changed: row 7 on",
                                "status: TR1 off", "tables: TR1", "changed: row 7 off"}));
    ASSERT_EQ(platform.boxes().size(), 2u);
    EXPECT_EQ(platform.boxes()[0].prompt, "TR1 Is Being SET");
    EXPECT_EQ(platform.boxes()[1].prompt, "TR1 Is Being CLEARED");
    EXPECT_EQ(platform.boxes()[0].title, "Bit Watch");
    EXPECT_EQ(platform.boxes()[0].icon, MsgIcon::Information);
    EXPECT_EQ(platform.boxes()[0].buttons, MsgButtons::Ok);
}

TEST_F(BooleanBitsTest, TheValueIsStoredAfterTheTriggersAndBeforeTheEvent) {
    BooleanBit& bit = AddBit("TR1");
    bool seenByLine = true;
    bool seenByEvent = false;
    class Peek final : public TriggerTarget {
    public:
        explicit Peek(const BooleanBit& bit, bool& seen) : bit_(bit), seen_(seen) {}
        void MarkTriggered(std::string_view) override { seen_ = bit_.BitValue(); }

    private:
        const BooleanBit& bit_;
        bool& seen_;
    } peek(bit, seenByLine);
    bit.SetIsTrigger(true);
    bit.SetvTables(&peek);
    Subscription s =
        bit.BitChanged.Subscribe([&](std::int16_t, bool) { seenByEvent = bit.BitValue(); });

    bit.SetBitValue(true);

    EXPECT_FALSE(seenByLine);
    EXPECT_TRUE(seenByEvent);
}

TEST_F(BooleanBitsTest, NoStatusLeavesOutOnlyTheLine) {
    BooleanBit& bit = AddBit("TR1");
    bit.SetIsWatch(true);
    bit.SetIsTrigger(true);
    bit.SetvTables(&tables);
    Listen(bit);
    platform.Answer(MsgAnswer::Ok);

    bit.SetBitValue(true, true);

    EXPECT_EQ(host.journal, (std::vector<std::string>{"tables: TR1", "changed: row 0 on"}));
    EXPECT_EQ(platform.boxes().size(), 1u);
}

TEST_F(BooleanBitsTest, AFallingTriggerMarksTablesButNoNumericBlock) {
    BooleanBit& bit = *bits.Add("T1", true, false, 0, 0, false);
    bit.SetIsTrigger(true);
    bit.SetvTables(&tables);
    bit.SetvNumBlocks(&blocks);

    bit.SetBitValue(false, true);

    EXPECT_EQ(host.journal, (std::vector<std::string>{"tables: T1"}));
}

TEST_F(BooleanBitsTest, ABitThatIsNoTriggerMarksNothing) {
    BooleanBit& bit = AddBit("T1");
    bit.SetvTables(&tables);
    bit.SetvNumBlocks(&blocks);

    bit.SetBitValue(true, true);
    bit.SetIsNumeric(true);
    bit.SetNumValue(3, true);

    EXPECT_TRUE(host.journal.empty());
}

TEST_F(BooleanBitsTest, ANumericBitReportsAndTriggersEvenAnUnchangedNumber) {
    BooleanBit& number = AddBit("N1");
    number.SetIsNumeric(true);
    number.SetIsTrigger(true);
    number.SetvTables(&tables);
    number.SetvNumBlocks(&blocks);
    Listen(number);

    number.SetNumValue(5);
    number.SetNumValue(5);

    EXPECT_EQ(host.journal,
              (std::vector<std::string>{"status: N1 = 5", "tables: N1", "blocks: N1",
                                        "status: N1 = 5", "tables: N1", "blocks: N1"}));
    EXPECT_EQ(number.NumValue(), 5);
}

TEST_F(BooleanBitsTest, ANumberOnABitThatIsNotNumericIsOnlyStored) {
    BooleanBit& bit = AddBit("B1");
    bit.SetIsTrigger(true);
    bit.SetvTables(&tables);

    bit.SetNumValue(9);

    EXPECT_EQ(bit.NumValue(), 9);
    EXPECT_TRUE(host.journal.empty());
}

TEST_F(BooleanBitsTest, AddOfAnExistingNameSetsItsValueQuietlyAndReturnsNothing) {
    BooleanBit& first = AddBit("TR1");
    first.SetOnTime(500);

    EXPECT_EQ(bits.Add("tr1", true), nullptr);

    EXPECT_TRUE(first.BitValue());
    EXPECT_EQ(first.OnTime(), 500);
    EXPECT_EQ(bits.Count(), 1);
    EXPECT_TRUE(host.journal.empty());
}

TEST_F(BooleanBitsTest, TheBitNamedOneIsBornTrueWithItsLine) {
    BooleanBit* one = bits.Add("1", false);

    ASSERT_NE(one, nullptr);
    EXPECT_TRUE(one->BitValue());
    EXPECT_EQ(host.journal, (std::vector<std::string>{"status: 1 on"}));
}

TEST_F(BooleanBitsTest, TheBitNamedOneIsTrueAlsoWhenMadeAsAnInput) {
    EXPECT_TRUE(bits.AddIO("1", false, false)->BitValue());
}

TEST_F(BooleanBitsTest, AddSetsDelaysAndBoardFlagWithoutALine) {
    BooleanBit* bit = bits.Add("TMR", true, true, 1500, 0, true);

    ASSERT_NE(bit, nullptr);
    EXPECT_TRUE(bit->BitValue());
    EXPECT_EQ(bit->OnTime(), 1500);
    EXPECT_TRUE(bit->IsFormBit());
    EXPECT_TRUE(bit->IsTimer());
    EXPECT_TRUE(host.journal.empty());
}

TEST_F(BooleanBitsTest, AddIOWritesTheFirstValuesLineAndRefusesAnExistingNameSilently) {
    BooleanBit* in = bits.AddIO("IN1", true, true);
    ASSERT_NE(in, nullptr);
    EXPECT_TRUE(in->IsFormBit());
    EXPECT_EQ(host.journal, (std::vector<std::string>{"status: IN1 on"}));

    EXPECT_EQ(bits.AddIO("in1", false, false), nullptr);
    EXPECT_TRUE(in->BitValue());
    EXPECT_TRUE(in->IsFormBit());
    EXPECT_TRUE(platform.boxes().empty());
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
}

TEST_F(BooleanBitsTest, AddOfAnExistingNameMakesThatBitTheForwardedOne) {
    BooleanBit& a = AddBit("A");
    AddBit("B");
    bits.Item("B");
    int heard = 0;
    Subscription s = bits.BitChanged.Subscribe([&](std::int16_t, bool) { ++heard; });

    bits.Add("A", true);
    a.SetBitValue(false);

    EXPECT_EQ(heard, 2);
}

TEST_F(BooleanBitsTest, AFailingListenerIsReportedAndTheValueStaysStored) {
    BooleanBit& bit = AddBit("TR1");
    bit.SetIsTrigger(true);
    bit.SetvNumBlocks(&blocks);
    Subscription s =
        bit.BitChanged.Subscribe([](std::int16_t, bool) { throw std::runtime_error("Overflow"); });
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

TEST_F(BooleanBitsTest, RemovingTheForwardedBitIsSafeAndCounted) {
    AddBit("A");
    bits.Item("A");
    const auto before = bits.Generation();

    bits.Remove("A");

    EXPECT_EQ(bits.Count(), 0);
    EXPECT_GT(bits.Generation(), before);
    EXPECT_EQ(bits.Item(1), nullptr);
}

TEST(BooleanBit, IsATimerOnlyWithAPositiveDelay) {
    BooleanBit bit;
    EXPECT_FALSE(bit.IsTimer());
    bit.SetOnTime(1);
    EXPECT_TRUE(bit.IsTimer());
    bit.SetOnTime(-5);
    bit.SetOffTime(-1);
    EXPECT_FALSE(bit.IsTimer());
    bit.SetOffTime(2);
    EXPECT_TRUE(bit.IsTimer());
}

class RecordingPanel final : public BoardPanel {
public:
    std::string Name() const override { return "frmIO"; }
    std::string Caption() const override { return "Board 1"; }
    void UpdateOutput(std::string_view BitName, bool BitValue) override {
        if (failing) {
            throw std::runtime_error("Bit Not Found");
        }
        shown.push_back(std::string(BitName) + (BitValue ? " on" : " off"));
    }
    void LoadState(std::string_view BitName, bool BitValue) override {
        shown.push_back("state " + std::string(BitName) + (BitValue ? " on" : " off"));
    }
    std::vector<std::string> shown;
    bool failing = false;
};

TEST_F(BooleanBitsTest, BoardBitsReachTheirWindowAndAFailingWindowIsSkipped) {
    RecordingPanel panel;
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

TEST_F(BooleanBitsTest, ABitRegistersTheStatementsThatReadItWithTheirContacts) {
    Statements statements;
    Statement* readsBoth = statements.Add("ASSIGN ~A*A TO X;");
    Statement* readsFront = statements.Add("ASSIGN ~(A+B) TO Y;");
    BooleanBit& a = AddBit("A");

    a.Assigns(*readsBoth);
    a.Assigns(*readsFront);

    ASSERT_EQ(a.Readers().size(), 2u);
    const BitReader& both = a.Readers()[0];
    EXPECT_EQ(both.key, "X");
    EXPECT_TRUE(both.IsBack);
    EXPECT_TRUE(both.IsFront);
    const BitReader& front = a.Readers()[1];
    EXPECT_EQ(front.key, "Y");
    EXPECT_FALSE(front.IsBack);
    EXPECT_TRUE(front.IsFront);

    a.ResetAssigns();
    EXPECT_TRUE(a.Readers().empty());
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
    Subscription onShown = shown.OpBitChanged.Subscribe([&](int index, bool value) {
        ladder.push_back("X op " + std::to_string(index) + (value ? " on" : " off"));
    });
    Subscription onHidden =
        hidden.OpBitChanged.Subscribe([&](int, bool) { ladder.push_back("Y"); });

    a.SetBitValue(true);
    EXPECT_TRUE(ladder.empty());

    shown.SetIsDisplayed(true);
    a.SetBitValue(false);
    EXPECT_EQ(ladder, (std::vector<std::string>{"X op 1 off"}));
}

}  // namespace
}  // namespace veldra
