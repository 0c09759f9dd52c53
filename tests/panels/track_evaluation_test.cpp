#include <gtest/gtest.h>

#include <functional>

#include "panels/panel_fixture.h"
#include "panels/track_panel.h"
#include "support/scripted_track_drawing.h"

namespace veldra::testing {
namespace {

constexpr TrackSide A = TrackSide::A;

// One step of a script: what is done, then how end A stands after it.
struct Step {
    std::function<void()> act;
    const char* status;
    const char* flags;   // received, first stage, value of each watched code, "RSV" style
    const char* handed;  // the bits the scan took since the step before
    int counter;
    bool ticking;
};

// A coded-track board "T1" loaded and shown, end A enabled; whenever the window queues
// itself the scan takes its pending bits at once, so each step shows what it handed over.
class TrackEvaluationTest : public PanelTest {
protected:
    void Load(const char* type, std::vector<const char*> inCodes = {}) {
        panel.SetMyBoard(std::make_unique<TrackBoard>());
        board().SetBoardName("T1");
        board().SetBoardType(type);
        endA().SetEnabled(true);
        endA().SetAdjustable(true);
        for (const char* code : inCodes) {
            endA().InCode().Codes().Add(code, false, &panel);
        }
        Watch(panel);
        panel.BitCount();
        panel.CreateimgIndic();
    }
    TrackBoard& board() { return *panel.MyBoard(); }
    TrackA& endA() { return *board().TrackA(); }
    TrAInCode& Code(const std::string& name) { return *endA().InCode().Codes().Item(name); }
    std::function<void()> Tick() {
        return [this] { panel.tmrLinkA.Fire(); };
    }
    std::function<void()> Hand(int entry) {
        return [this, entry] { panel.ClickHandCode(A, entry); };
    }

    void Run(const std::vector<std::string>& watched, const std::vector<Step>& script) {
        for (std::size_t i = 0; i < script.size(); ++i) {
            handed.clear();
            script[i].act();
            std::string flags;
            for (const std::string& name : watched) {
                const TrAInCode& code = Code(name);
                flags += std::string(code.RecievedTwice() ? "1" : "0") +
                         (code.SetIt() ? "1" : "0") + (code.CodeValue() ? "1 " : "0 ");
            }
            SCOPED_TRACE("step " + std::to_string(i + 1));
            EXPECT_EQ(panel.End(A).status, script[i].status);
            EXPECT_EQ(flags, script[i].flags);
            EXPECT_EQ(handed, script[i].handed);
            EXPECT_EQ(panel.HandOffCounter(A), script[i].counter);
            EXPECT_EQ(panel.tmrLinkA.Enabled(), script[i].ticking);
        }
    }

    TrackPanel panel{IOBits};
    std::string handed;

private:
    void QueueTrack(BooleanBits& pending) override {
        EXPECT_GT(pending.Count(), 0);
        for (const BooleanBit& bit : pending) {
            handed += bit.BitName() + (bit.BitValue() ? "=1 " : "=0 ");
        }
        pending.Clear();
    }
};

TEST_F(TrackEvaluationTest, ATrxEndLinksUpComesToNormalAndDebouncesEachCodeInTwoPasses) {
    Load("TRX.TRACK", {"C1", "C2"});  // hand list: A, TDIN, SLEEPIN, C1, C2
    const std::vector<std::string> codes{"C1", "C2", "T1.TRACKA.LINKUP", "T1.TRACKA.TDIN"};
    Run(codes, {
                   {Hand(3), "SHUNT", "100 000 000 000 ", "", 0, true},
                   {Tick(), "LINKUP", "110 000 111 000 ", "T1.TRACKA.LINKUP=1 ", 1, true},
                   {Tick(), "NORMAL", "111 000 000 000 ", "T1.TRACKA.LINKUP=0 ", 1, true},
                   {Tick(), "NORMAL", "111 000 000 000 ", "C1=1 ", 1, false},
                   // C2 displaces C1: both change within one tick, and reach the scan on the next.
                   {Hand(4), "NORMAL", "011 100 000 000 ", "", 1, true},
                   {Tick(), "NORMAL", "000 111 000 000 ", "", 2, true},
                   {Tick(), "NORMAL", "000 111 000 000 ", "C1=0 C2=1 ", 1, false},
                   // TDIN comes in at its first stage and needs one pass.
                   {Hand(1), "NORMAL", "000 001 000 110 ", "", 1, true},
                   {Tick(), "NORMAL", "000 000 000 111 ", "", 2, true},
                   {Tick(), "NORMAL", "000 000 000 111 ", "C2=0 T1.TRACKA.TDIN=1 ", 1, false},
                   // "A" alone: the end goes between SHUNT and LINKUP on every tick.
                   {Hand(0), "NORMAL", "000 000 000 011 ", "", 1, true},
                   {Tick(), "SHUNT", "000 000 000 011 ", "", 2, true},
                   {Tick(), "LINKUP", "000 000 111 011 ", "T1.TRACKA.LINKUP=1 ", 1, true},
                   {Tick(), "SHUNT", "000 000 000 011 ", "T1.TRACKA.LINKUP=0 ", 1, true},
                   // Shunting drops every code at once.
                   {[this] { panel.ClickShunt(A); }, "SHUNT", "000 000 000 000 ",
                    "T1.TRACKA.TDIN=0 ", 0, false},
               });
    // The ".NORMAL" bit follows the status as an outside input, without the code delay.
    EXPECT_EQ(Pending(), (std::vector<std::string>{"T1.TRACKA.ENABLED=1", "T1.TRACKB.ENABLED=0",
                                                   "T1.TRACKA.NORMAL=0"}));
}

TEST_F(TrackEvaluationTest, AHandGivenTdinOnAShuntedTrxEndReachesTheLogicOnlyOnceItIsNormal) {
    Load("TRX.TRACK", {"C1"});  // hand list: A, TDIN, SLEEPIN, C1
    const std::vector<std::string> codes{"T1.TRACKA.LINKUP", "T1.TRACKA.TDIN"};
    Run(codes, {
                   {Hand(1), "SHUNT", "000 110 ", "", 0, true},
                   // Held at its first stage while the end links up...
                   {Tick(), "LINKUP", "111 110 ", "T1.TRACKA.LINKUP=1 ", 1, true},
                   {Tick(), "NORMAL", "000 111 ", "T1.TRACKA.LINKUP=0 ", 1, true},
                   // ...and handed to the logic one pass after the end is normal.
                   {Tick(), "NORMAL", "000 111 ", "T1.TRACKA.TDIN=1 ", 1, false},
               });
}

TEST_F(TrackEvaluationTest, TheCodeDelayIsSixSecondsOnTrxTwoAndAHalfOnEcodeAndShortWhenTicked) {
    struct Delay {
        const char* type;
        bool ticked;
        int interval;
    };
    for (const Delay delay : {Delay{"TRX.TRACK", false, 6000}, Delay{"ECODE.TRACK", false, 2500},
                              Delay{"TRX.TRACK", true, 10}, Delay{"ECODE.TRACK", true, 10}}) {
        SCOPED_TRACE(std::string(delay.type) + (delay.ticked ? " ticked" : ""));
        TrackPanel fresh{IOBits};
        fresh.SetMyBoard(std::make_unique<TrackBoard>());
        fresh.MyBoard()->SetBoardName("T" + std::to_string(delay.interval));
        fresh.MyBoard()->SetBoardType(delay.type);
        fresh.MyBoard()->TrackA()->SetEnabled(true);
        fresh.MyBoard()->TrackA()->SetAdjustable(true);
        fresh.BitCount();
        fresh.CreateimgIndic();
        if (delay.ticked) {
            fresh.ClickDelay(A);
        }
        EXPECT_EQ(fresh.tmrLinkA.Interval(), delay.interval);
    }
}

TEST_F(TrackEvaluationTest, AnEcodeEndRecoversOnTheOneRateAndOtherwiseFallsIntoError) {
    Load("ECODE.TRACK");
    ScriptedTrackDrawing drawing;
    panel.SetDrawing(&drawing);
    // The tester sends "1.IN" alone, or "5.IN" alone.
    const auto send = [this, &drawing](bool rateOne) {
        return [this, &drawing, rateOne] {
            drawing.tester = [rateOne](CodeTester& tester) {
                tester.ticked = {rateOne, !rateOne, false};
                return true;
            };
            panel.ClickRec(A);
        };
    };
    const std::vector<std::string> codes{"T1.TRACKA.CODE.1.IN", "T1.TRACKA.CODE.5.IN"};
    Run(codes,
        {
            {send(true), "SHUNT", "100 000 ", "", 0, true},
            {Tick(), "RECOVERING", "110 000 ", "", 1, true},
            {Tick(), "NORMAL", "111 000 ", "", 2, true},
            {Tick(), "NORMAL", "111 000 ", "T1.TRACKA.CODE.1.IN=1 ", 1, false},
            {[this] { panel.ClickShunt(A); }, "SHUNT", "000 000 ", "T1.TRACKA.CODE.1.IN=0 ", 0,
             false},
            {send(true), "SHUNT", "100 000 ", "", 0, true},
            {Tick(), "RECOVERING", "110 000 ", "", 1, true},
            // Without the 1 rate the end stays in error; its counter still hands off every
            // fourth tick what came to be pending.
            {send(false), "RECOVERING", "010 100 ", "", 1, true},
            {Tick(), "Error", "010 100 ", "", 2, true},
            {[this] { panel.PendingBits().Add("LATE", true); }, "Error", "010 100 ", "", 2, true},
            {Tick(), "Error", "010 100 ", "", 3, true},
            {Tick(), "Error", "010 100 ", "LATE=1 ", 0, true},
            {Tick(), "Error", "010 100 ", "", 1, true},
        });
    EXPECT_EQ(panel.End(A).received, "5.IN");
    EXPECT_EQ(IOBits.Find("T1.TRACKA.NORMAL"), nullptr);  // ECODE ends post no status
}

TEST_F(TrackEvaluationTest, ARightClickOnTransmitOpensTheStatementOfEveryCodeSent) {
    Load("TRX.TRACK");
    Watch(panel);
    endA().OutCode().Codes().Add("OUT1", false);
    endA().OutCode().Codes().Add("T1.TRACKA.NORMAL", false);
    for (const char* name : {"OUT1", "T1.TRACKA.NORMAL", "T1.TRACKA.TDOUT"}) {
        endA().OutCode().Codes().Item(name)->CodeValue = true;
    }
    panel.MouseUpTransmit(A, MouseButton::Left);
    EXPECT_TRUE(opened.empty());
    panel.MouseUpTransmit(A, MouseButton::Right);
    EXPECT_EQ(opened, (std::vector<std::string>{"T1.TRACKA.TDOUT", "OUT1"}));
}

}  // namespace
}  // namespace veldra::testing
