#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "boards/track_board.h"
#include "boards/track_window.h"
#include "links/track_link.h"
#include "logic/boolean_bits.h"
#include "panels/board_window.h"
#include "panels/code_tester.h"
#include "platform/event.h"
#include "platform/timer.h"

namespace veldra {

// What the coded-track window shows of one track end.
struct TrackEndView {
    std::string frameCaption;  // "TRACKA : " or "TRACKB : " and the end's track name
    IndicatorRow adjustment;   // the end's adjustment bit with its lamp
    CheckBox enabled{"Enabled"};
    CheckBox shunt{"SHUNT TRACK"};
    CheckBox delay{"Disable Code Delay"};
    bool frameEnabled = true;
    std::string status = "SHUNT";
    std::string received;                // what the end is receiving
    std::string transmitted;             // the out codes that are True
    std::vector<std::string> handCodes;  // codes that can be received by hand ("TRX.TRACK")
    bool linked = false;                 // a link to the peer was started: no hand entry
};

// What a coded-track window asks of the form that draws it on the desktop.
class TrackDrawing {
public:
    virtual ~TrackDrawing() = default;

    // Shows the code tester on the marked rates, modal over the window; true when the user
    // sent them.
    virtual bool RunCodeTester(CodeTester& tester) = 0;
    // Whether an end's link to its peer is up.
    virtual bool EndLinked(TrackSide side) const = 0;
};

// The window of a coded-track board (frmTrack): "TRX.TRACK" or "ECODE.TRACK", with its two
// track ends A and B. Codes received at an end wait in the window's pending bits until the
// end's code delay hands them to the scan. This half owns the bits the window reports and
// the codes it adds to the board for them, keeps what the logic sends it, restores the
// ends from a state file, and evaluates what each end receives: on every tick of the end's
// code delay a status routine moves the end between "SHUNT", "LINKUP" or "RECOVERING",
// "NORMAL" (and "Error" on ECODE ends), each in code takes two passes to come on or go
// off, and the window queues itself for the scan on every fourth tick, on a TRX end's
// change of status and once every code is steady. The link to the peer and the send path
// hear of what they need through the events below.
class TrackPanel final : public BoardWindowOf<TrackBoard>,
                         public TrackWindow,
                         public links::TrackLinkWindow {
public:
    explicit TrackPanel(PendingInputs& IOBits);

    std::string Name() const override { return "frmTrack"; }
    WindowSize StartSize() const override { return {3570, 6675}; }
    WindowSize MaximumSize() const override { return StartSize(); }

    BooleanBits& PendingBits() override { return pendingBits_; }

    // The first call names an unnamed end "TRACKA" or "TRACKB", fixes the code prefixes
    // from the names the ends then have, adds the window's own codes to both ends and
    // keeps the count: every code of both ends, plus seven.
    int BitCount() const override;
    // The in and out codes of end A, then of end B; then the ends' and the board's
    // ".ENABLED" bits; on a "TRX.TRACK" board also end B's and end A's ".NORMAL" bits and
    // the two adjustment bits. Empty text elsewhere.
    std::string GetSystemBit(int Index) const override;

    const TrackEndView& End(TrackSide side) const { return ends_[Slot(side)]; }
    // The indicators are made: the window shows its hand-entry controls.
    bool Made() const { return made_; }
    // The board name, ".", the end's track name and ".CODE.", as fixed by the first count.
    const std::string& CodePrefix(TrackSide side) const { return codePrefixes_[Slot(side)]; }
    // "TRX.TRACK" boards receive codes by hand from lists; others through a button.
    bool HandEntryByList() const { return handEntryByList_; }

    // An end's status caption; on every kind but "ECODE.TRACK" a change posts the end's
    // ".NORMAL" bit, True for "NORMAL".
    void SetStatus(TrackSide side, std::string status);
    // What an end receives; any change starts a TRX end's code delay.
    void SetReceived(TrackSide side, std::string received);
    // What a link to the end's peer asks of the window.
    const TrackBoard* LinkedBoard() const override { return MyBoard(); }
    bool Shunted(TrackSide side) const override { return End(side).shunt.ticked; }
    void TakeLinkedCodes(TrackSide side, std::string received) override;
    // A link to the end's peer was started, or has ended. While it stands the end takes its
    // codes from the peer, not by hand, and its shunt box is cleared and usable, so that
    // the codes that arrive are taken.
    void ShowLinked(TrackSide side, bool linked);
    // Ticking shunts the end: it receives nothing, its codes drop at once, and without a
    // link the box stays ticked until hand entry or a new link unticks it.
    void SetShunt(TrackSide side, bool ticked);
    // The user clicks an end's "Enabled" box.
    void ClickEndEnabled(TrackSide side);
    // The right button released over an end's adjustment bit opens its statement.
    void MouseUpAdjustment(TrackSide side, MouseButton button);
    // The user clicks an end's "Disable Code Delay" box, or its "SHUNT TRACK" box.
    void ClickDelay(TrackSide side);
    void ClickShunt(TrackSide side);

    // The code-delay timers: 6000 ms on "TRX.TRACK" boards, 2500 ms on "ECODE.TRACK"
    // boards, 10 ms while the end's code delay is disabled. Off until codes arrive.
    Timer tmrLinkA;
    Timer tmrLinkB;
    Timer& CodeDelayTimer(TrackSide side) { return side == TrackSide::A ? tmrLinkA : tmrLinkB; }
    // Ticks of the end since the window last went to the scan from it.
    std::int16_t HandOffCounter(TrackSide side) const { return counters_[Slot(side)]; }

    // Hand entry. On a "TRX.TRACK" board the end receives entry `index` (0-based) of its
    // list; on an "ECODE.TRACK" board the end's "Change Received Code" button asks the
    // code tester which rates the end receives. Right button on "TRANSMIT": the statement
    // of every code the end is sending opens.
    void ClickHandCode(TrackSide side, int index);
    void ClickRec(TrackSide side);
    void MouseUpTransmit(TrackSide side, MouseButton button);

    // The form that draws the window, given once it stands and taken back as it goes.
    // Without one the code tester is cancelled and no end is linked.
    void SetDrawing(TrackDrawing* drawing) { drawing_ = drawing; }

    // Set when an out code's value changed since the send path last sent them all.
    bool OutCodesChanged = false;
    // The end of every UpdateIndicators: the send path sends the out codes when changed.
    Event<> IndicatorsUpdated;
    // An end's shunt box, "Enabled" box or received caption changed.
    Event<TrackSide> ShuntChanged;
    Event<TrackSide> EndEnabledChanged;
    Event<TrackSide> ReceivedChanged;

private:
    static std::size_t Slot(TrackSide side) { return side == TrackSide::A ? 0 : 1; }

    void OnCreateimgIndic() override;
    void OnUpdateIndicators() override;
    void OnUpdateOutput(std::string_view BitName, bool BitValue) override;
    void OnLoadState(std::string_view BitName, bool BitValue) override;

    int CountBits();
    template <TrackSide Side>
    void AddCodes(TrackEnd<Side>& end);
    // The board name, ".", and the end's track name as it is now.
    std::string BitPrefix(TrackSide side) const;
    bool IsType(std::string_view type) const;
    // The board and both its ends are there: the window has something to show.
    bool Ready() const;

    template <TrackSide Side>
    bool TakeOutCode(TrackEnd<Side>& end, std::string_view BitName, bool BitValue);
    template <TrackSide Side>
    void RebuildReceived(TrackEnd<Side>& end);
    template <TrackSide Side>
    void ShowTransmitted(TrackEnd<Side>& end);
    template <TrackSide Side>
    void RestoreInCodes(TrackEnd<Side>& end, std::string_view BitName, bool BitValue);

    void SetEndEnabledBox(TrackSide side, bool ticked);
    void EndEnabledRule(TrackSide side);
    void ShuntRule(TrackSide side);
    void DelayRule(TrackSide side);

    // Runs `body` on the end of that side, whose class depends on the side.
    template <class Body>
    void WithEnd(TrackSide side, Body&& body);
    void Tick(TrackSide side);
    template <TrackSide Side>
    void TrxStatus(TrackEnd<Side>& end);
    template <TrackSide Side>
    void EcodeStatus(TrackEnd<Side>& end);
    template <TrackSide Side>
    void EvaluateCodes(TrackEnd<Side>& end);
    template <TrackSide Side>
    void UpdatePass(TrackEnd<Side>& end);
    template <TrackSide Side>
    void SetLinkUp(TrackEnd<Side>& end, bool on);
    // Queues the window when bits are pending; true when it did.
    bool HandOff();
    void HandOffAndReset(TrackSide side);
    template <TrackSide Side>
    void ReceiveByHand(TrackEnd<Side>& end, int index);
    template <TrackSide Side>
    bool TestRates(TrackEnd<Side>& end);

    BooleanBits pendingBits_;
    std::array<TrackEndView, 2> ends_;
    std::array<std::string, 2> codePrefixes_;
    bool handEntryByList_ = false;
    bool made_ = false;
    int bitCount_ = 0;
    std::array<std::int16_t, 2> counters_{};
    TrackDrawing* drawing_ = nullptr;
};

}  // namespace veldra
