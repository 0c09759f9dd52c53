#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "boards/track_board.h"
#include "boards/track_window.h"
#include "logic/boolean_bits.h"
#include "panels/board_window.h"
#include "platform/event.h"

namespace veldra {

// What the coded-track window shows of one track end.
struct TrackEndView {
    std::string frameCaption;  // "TRACKA : " or "TRACKB : " and the end's track name
    IndicatorRow adjustment;   // the end's adjustment bit with its lamp
    CheckBox enabled{"Enabled"};
    CheckBox shunt{"SHUNT TRACK"};
    bool frameEnabled = true;
    std::string status = "SHUNT";
    std::string received;                // what the end is receiving
    std::string transmitted;             // the out codes that are True
    std::vector<std::string> handCodes;  // codes that can be received by hand ("TRX.TRACK")
    int codeDelay = 6000;                // milliseconds
};

// The window of a coded-track board (frmTrack): "TRX.TRACK" or "ECODE.TRACK", with its two
// track ends A and B. Codes received at an end wait in the window's pending bits until the
// end's code delay hands them to the scan. This half owns the bits the window reports and
// the codes it adds to the board for them, keeps what the logic sends it, and restores the
// ends from a state file; the link to the peer, the code-delay evaluation and the send path
// hear of what they need through the events below.
class TrackPanel final : public BoardWindow, public TrackWindow {
public:
    explicit TrackPanel(BooleanBits& IOBits);

    std::string Name() const override { return "frmTrack"; }
    WindowSize StartSize() const override { return {3570, 6675}; }
    WindowSize MaximumSize() const override { return StartSize(); }

    TrackBoard* MyBoard() const { return board_.get(); }
    void SetMyBoard(std::unique_ptr<TrackBoard> board) { board_ = std::move(board); }

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
    // The board name, ".", the end's track name and ".CODE.", as fixed by the first count.
    const std::string& CodePrefix(TrackSide side) const { return codePrefixes_[Slot(side)]; }
    // "TRX.TRACK" boards receive codes by hand from lists; others through a button.
    bool HandEntryByList() const { return handEntryByList_; }

    // An end's status caption; on every kind but "ECODE.TRACK" a change posts the end's
    // ".NORMAL" bit, True for "NORMAL".
    void SetStatus(TrackSide side, std::string status);
    void SetReceived(TrackSide side, std::string received);
    void SetShunt(TrackSide side, bool ticked);
    // The user clicks an end's "Enabled" box.
    void ClickEndEnabled(TrackSide side);
    // The right button released over an end's adjustment bit opens its statement.
    void MouseUpAdjustment(TrackSide side, MouseButton button);

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
    void ReleaseBoard() override { board_.reset(); }
    std::string EnabledBitName() const override;

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

    std::unique_ptr<TrackBoard> board_;
    BooleanBits pendingBits_;
    std::array<TrackEndView, 2> ends_;
    std::array<std::string, 2> codePrefixes_;
    bool handEntryByList_ = false;
    int bitCount_ = 0;
};

}  // namespace veldra
