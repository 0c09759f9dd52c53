#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "boards/board_items.h"
#include "boards/track_window.h"

namespace veldra {

// The two ends of a coded-track board. They are twins: each has its own class names,
// and everything else is the same.
enum class TrackSide { A, B };

template <TrackSide Side>
class TrackInCode;
template <TrackSide Side>
class TrackOutCode;

template <TrackSide Side>
class TrackInCodes : public BoardItems<TrackInCodes<Side>, TrackInCode<Side>> {
public:
    // Appends an in code shown on vForm, under its name ("SPARE" without a key), and
    // raises InCodeAdded. A first value of True goes to the window's pending bits as any
    // change does. A name already listed is refused with the model's error question and
    // yields nothing.
    TrackInCode<Side>* Add(std::string_view CodeName, bool CodeValue, TrackWindow* vForm);

    ItemAdded InCodeAdded;
};

template <TrackSide Side>
class TrackOutCodes : public BoardItems<TrackOutCodes<Side>, TrackOutCode<Side>> {
public:
    // Appends an out code under its name ("SPARE" without a key) and raises OutCodeAdded.
    // The delay settings are the source's and are not kept. A name already listed is
    // refused with the model's error question and yields nothing.
    TrackOutCode<Side>* Add(std::string_view CodeName, bool CodeValue, bool IsTimer = false,
                            std::int32_t OnTime = 0, std::int32_t OffTime = 0);

    ItemAdded OutCodeAdded;
};

// A code a track end receives from its peer; or the holder of the end's in codes. Each
// change of its value is passed at once to its window's pending bits, as a bit of the
// code's name, so that it reaches the logic when the window's code delay says so.
template <TrackSide Side>
class TrackInCode : public BoardItem<TrackInCodes<Side>> {
public:
    // The end's in codes on the holder; the list it is in on a code.
    TrackInCodes<Side>& Codes() {
        return this->Plural(&TrackInCodes<Side>::InCodeAdded, InCodeAdded);
    }
    TrackInCodes<Side>& TrAInCodes() requires(Side == TrackSide::A) { return Codes(); }
    TrackInCodes<Side>& TrBInCodes() requires(Side == TrackSide::B) { return Codes(); }

    // The code's name: its key, and the name of its pending bit.
    const std::string& CodeName() const { return codeName_; }
    void SetCodeName(std::string_view name) { codeName_ = std::string(name); }

    bool CodeValue() const { return codeValue_; }
    // A new value is first set in the window's pending bits, then kept. Repeating the
    // value held touches nothing. Without a window the value is only kept.
    void SetCodeValue(bool value);

    // The window that shows the code; it outlives the code, as it owns the board.
    void SetvForm(TrackWindow* window) { vForm_ = window; }

    // Flags of the window's end-status evaluation, kept for it.
    bool SetIt() const { return setIt_; }
    void SetSetIt(bool on) { setIt_ = on; }
    bool RecievedTwice() const { return recievedTwice_; }
    void SetRecievedTwice(bool on) { recievedTwice_ = on; }

    // On the holder: a code was added to its list.
    ItemAdded InCodeAdded;

private:
    std::string codeName_;
    bool codeValue_ = false;
    bool setIt_ = false;
    bool recievedTwice_ = false;
    TrackWindow* vForm_ = nullptr;
};

// A code a track end transmits to its peer; or the holder of the end's out codes.
template <TrackSide Side>
class TrackOutCode : public BoardItem<TrackOutCodes<Side>> {
public:
    // The end's out codes on the holder; the list it is in on a code.
    TrackOutCodes<Side>& Codes() {
        return this->Plural(&TrackOutCodes<Side>::OutCodeAdded, OutCodeAdded);
    }
    TrackOutCodes<Side>& TrAOutCodes() requires(Side == TrackSide::A) { return Codes(); }
    TrackOutCodes<Side>& TrBOutCodes() requires(Side == TrackSide::B) { return Codes(); }

    std::string CodeName;  // the key
    bool CodeValue = false;

    // On the holder: a code was added to its list.
    ItemAdded OutCodeAdded;
};

// One end of a coded-track board: its settings, the codes it receives and those it sends.
template <TrackSide Side>
class TrackEnd {
public:
    TrackEnd();
    TrackEnd(const TrackEnd&) = delete;
    TrackEnd& operator=(const TrackEnd&) = delete;

    // The name the window gives an end that the source leaves unnamed.
    static constexpr std::string_view DefaultTrackName() {
        return Side == TrackSide::A ? "TRACKA" : "TRACKB";
    }

    // The holders of the end's codes, made with the end.
    TrackInCode<Side>& InCode() const { return *inCode_.Get(); }
    TrackOutCode<Side>& OutCode() const { return *outCode_.Get(); }
    TrackInCode<Side>& TrAInCode() const requires(Side == TrackSide::A) { return InCode(); }
    TrackOutCode<Side>& TrAOutCode() const requires(Side == TrackSide::A) { return OutCode(); }
    TrackInCode<Side>& TrBInCode() const requires(Side == TrackSide::B) { return InCode(); }
    TrackOutCode<Side>& TrBOutCode() const requires(Side == TrackSide::B) { return OutCode(); }

    // Whether the user may change the end's enabled state on the window.
    bool Adjustable() const { return adjustable_; }
    void SetAdjustable(bool on) { adjustable_ = on; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; }
    // The end's adjustment bit, and its value as last passed to the window.
    const std::string& AdjustmentBitName() const { return adjustmentBitName_; }
    void SetAdjustmentBitName(std::string_view name) { adjustmentBitName_ = std::string(name); }
    bool AdjustmentBitValue() const { return adjustmentBitValue_; }
    void SetAdjustmentBitValue(bool value) { adjustmentBitValue_ = value; }
    const std::string& TrackName() const { return trackName_; }
    void SetTrackName(std::string_view name) { trackName_ = std::string(name); }

    ItemAdded InCodeAdded;
    ItemAdded OutCodeAdded;

private:
    bool adjustable_ = false;
    bool enabled_ = false;
    bool adjustmentBitValue_ = false;
    std::string adjustmentBitName_;
    std::string trackName_;
    HolderSlot<TrackInCode<Side>> inCode_{&TrackInCode<Side>::InCodeAdded, InCodeAdded};
    HolderSlot<TrackOutCode<Side>> outCode_{&TrackOutCode<Side>::OutCodeAdded, OutCodeAdded};
};

using TrackA = TrackEnd<TrackSide::A>;
using TrAInCode = TrackInCode<TrackSide::A>;
using TrAInCodes = TrackInCodes<TrackSide::A>;
using TrAOutCode = TrackOutCode<TrackSide::A>;
using TrAOutCodes = TrackOutCodes<TrackSide::A>;

using TrackB = TrackEnd<TrackSide::B>;
using TrBInCode = TrackInCode<TrackSide::B>;
using TrBInCodes = TrackInCodes<TrackSide::B>;
using TrBOutCode = TrackOutCode<TrackSide::B>;
using TrBOutCodes = TrackOutCodes<TrackSide::B>;

// A coded-track board ("TRX.TRACK" or "ECODE.TRACK"), with its two ends. Its window
// listens to none of its events; they are raised all the same.
class TrackBoard : public BoardHeader {
public:
    TrackBoard();
    TrackBoard(const TrackBoard&) = delete;
    TrackBoard& operator=(const TrackBoard&) = delete;

    // The word the window chooses its code set, code delays and status rules by.
    const std::string& BoardType() const { return boardType_; }
    void SetBoardType(std::string_view type) { boardType_ = std::string(type); }

    // The ends: one each from the start; a new one replaces the end held, with its codes.
    ::veldra::TrackA* TrackA() const { return endA_.Get(); }
    void SetTrackA(std::unique_ptr<::veldra::TrackA> end) { endA_.Set(std::move(end)); }
    ::veldra::TrackB* TrackB() const { return endB_.Get(); }
    void SetTrackB(std::unique_ptr<::veldra::TrackB> end) { endB_.Set(std::move(end)); }

    ItemAdded InACodeAdded;
    ItemAdded OutACodeAdded;
    ItemAdded InBCodeAdded;
    ItemAdded OutBCodeAdded;

private:
    std::string boardType_;
    HolderSlot<::veldra::TrackA> endA_{{&::veldra::TrackA::InCodeAdded, &InACodeAdded},
                                       {&::veldra::TrackA::OutCodeAdded, &OutACodeAdded}};
    HolderSlot<::veldra::TrackB> endB_{{&::veldra::TrackB::InCodeAdded, &InBCodeAdded},
                                       {&::veldra::TrackB::OutCodeAdded, &OutBCodeAdded}};
};

extern template class TrackInCodes<TrackSide::A>;
extern template class TrackInCodes<TrackSide::B>;
extern template class TrackOutCodes<TrackSide::A>;
extern template class TrackOutCodes<TrackSide::B>;
extern template class TrackInCode<TrackSide::A>;
extern template class TrackInCode<TrackSide::B>;
extern template class TrackEnd<TrackSide::A>;
extern template class TrackEnd<TrackSide::B>;

}  // namespace veldra
