#include "panels/track_panel.h"

#include <utility>

#include "platform/ascii_text.h"

namespace veldra {

namespace {

constexpr std::string_view kTrx = "TRX.TRACK";
constexpr std::string_view kEcode = "ECODE.TRACK";
constexpr std::string_view kCodeMark = ".CODE.";
constexpr const char* kCodesLoaded = "Codes Loaded";

// What an ECODE code shows in the end's labels: its name past ".CODE.", as "3.IN".
std::string CodeShown(const std::string& name) {
    const std::size_t at = name.find(kCodeMark);
    return UpperCased(at == std::string::npos ? name : name.substr(at + kCodeMark.size()));
}

void Join(std::string& text, const std::string& item) {
    if (!text.empty()) {
        text += ", ";
    }
    text += item;
}

}  // namespace

TrackPanel::TrackPanel(PendingInputs& IOBits)
    : BoardWindowOf(IOBits),
      tmrLinkA(6000, [this] { Tick(TrackSide::A); }),
      tmrLinkB(6000, [this] { Tick(TrackSide::B); }) {
    size_ = StartSize();
}

bool TrackPanel::IsType(std::string_view type) const {
    return board_ != nullptr && board_->BoardType() == type;
}

bool TrackPanel::Ready() const {
    return board_ != nullptr && board_->TrackA() != nullptr && board_->TrackB() != nullptr;
}

std::string TrackPanel::BitPrefix(TrackSide side) const {
    const std::string& track =
        side == TrackSide::A ? board_->TrackA()->TrackName() : board_->TrackB()->TrackName();
    return board_->BoardName() + "." + track;
}

// Counting is asked as a question, but the first count is also when the window adds its
// own codes to the board.
int TrackPanel::BitCount() const {
    return const_cast<TrackPanel*>(this)->CountBits();
}

int TrackPanel::CountBits() {
    if (bitCount_ > 0 || !Ready()) {
        return bitCount_;
    }
    TrackA& endA = *board_->TrackA();
    TrackB& endB = *board_->TrackB();
    if (endA.TrackName().empty()) {
        endA.SetTrackName(TrackA::DefaultTrackName());
    }
    if (endB.TrackName().empty()) {
        endB.SetTrackName(TrackB::DefaultTrackName());
    }
    // Fixed from the names as the loader left them, whatever order it set them in, and
    // after the defaults: a code's name always carries the track name its end's bits do.
    codePrefixes_[0] = BitPrefix(TrackSide::A) + std::string(kCodeMark);
    codePrefixes_[1] = BitPrefix(TrackSide::B) + std::string(kCodeMark);
    AddCodes(endA);
    AddCodes(endB);
    bitCount_ = endA.InCode().Codes().Count() + endA.OutCode().Codes().Count() +
                endB.InCode().Codes().Count() + endB.OutCode().Codes().Count() + 7;
    return bitCount_;
}

template <TrackSide Side>
void TrackPanel::AddCodes(TrackEnd<Side>& end) {
    auto& inCodes = end.InCode().Codes();
    auto& outCodes = end.OutCode().Codes();
    if (IsType(kEcode)) {
        const std::string& prefix = codePrefixes_[Slot(Side)];
        for (const char* code : {"1", "2", "3", "4", "5", "6", "7", "8", "9", "M"}) {
            inCodes.Add(prefix + code + ".IN", false, this);
        }
        for (const char* code : {"1", "2", "3", "4", "5", "6", "7", "8", "9", "M"}) {
            outCodes.Add(prefix + code + ".OUT", false);
        }
    } else if (IsType(kTrx)) {
        std::vector<std::string>& list = ends_[Slot(Side)].handCodes;
        list = {"A", "TDIN", "SLEEPIN"};
        for (const auto& code : inCodes) {
            list.push_back(code.CodeName());
        }
        const std::string prefix = BitPrefix(Side);
        inCodes.Add(prefix + ".LINKUP", false, this);
        inCodes.Add(prefix + ".TDIN", false, this);
        inCodes.Add(prefix + ".SLEEPIN", false, this);
        outCodes.Add(prefix + ".TDOUT", false);
        outCodes.Add(prefix + ".SLEEPOUT", false);
    }
}

std::string TrackPanel::GetSystemBit(int Index) const {
    if (!Ready() || Index < 1 || !(IsType(kTrx) || IsType(kEcode))) {
        return {};
    }
    const TrackA& endA = *board_->TrackA();
    const TrackB& endB = *board_->TrackB();
    int first = 0;
    const auto within = [&](auto& codes) { return Index <= first + codes.Count(); };
    if (auto& codes = endA.InCode().Codes(); within(codes)) {
        return codes.Item(Index - first)->CodeName();
    } else {
        first += codes.Count();
    }
    if (auto& codes = endA.OutCode().Codes(); within(codes)) {
        return codes.Item(Index - first)->CodeName;
    } else {
        first += codes.Count();
    }
    if (auto& codes = endB.InCode().Codes(); within(codes)) {
        return codes.Item(Index - first)->CodeName();
    } else {
        first += codes.Count();
    }
    if (auto& codes = endB.OutCode().Codes(); within(codes)) {
        return codes.Item(Index - first)->CodeName;
    } else {
        first += codes.Count();
    }
    const bool trx = IsType(kTrx);
    switch (Index - first) {
        case 1:
            return BitPrefix(TrackSide::A) + ".ENABLED";
        case 2:
            return BitPrefix(TrackSide::B) + ".ENABLED";
        case 3:
            return EnabledBitName();
        case 4:
            return trx ? BitPrefix(TrackSide::B) + ".NORMAL" : std::string();
        case 5:
            return trx ? BitPrefix(TrackSide::A) + ".NORMAL" : std::string();
        case 6:
            return trx ? endA.AdjustmentBitName() : std::string();
        case 7:
            return trx ? endB.AdjustmentBitName() : std::string();
        default:
            return {};
    }
}

void TrackPanel::OnCreateimgIndic() {
    if (!Ready()) {
        return;
    }
    handEntryByList_ = IsType(kTrx);
    for (const TrackSide side : {TrackSide::A, TrackSide::B}) {
        TrackEndView& view = ends_[Slot(side)];
        const bool adjustable =
            side == TrackSide::A ? board_->TrackA()->Adjustable() : board_->TrackB()->Adjustable();
        const bool enabled =
            side == TrackSide::A ? board_->TrackA()->Enabled() : board_->TrackB()->Enabled();
        const std::string& track =
            side == TrackSide::A ? board_->TrackA()->TrackName() : board_->TrackB()->TrackName();
        const std::string& adjustment = side == TrackSide::A
                                            ? board_->TrackA()->AdjustmentBitName()
                                            : board_->TrackB()->AdjustmentBitName();
        if (!handEntryByList_) {
            view.adjustment.lamp = LampImage::Parked;
        }
        view.frameCaption = (side == TrackSide::A ? "TRACKA : " : "TRACKB : ") + track;
        view.adjustment.caption = adjustment;
        view.adjustment.toolTip = adjustment;
        SetEndEnabledBox(side, enabled);
        view.enabled.usable = adjustable;
    }
    SetCaption(board_->BoardName() + " : " + board_->BoardType());
    SetEnabledBox(board_->Enabled());
    ShowAdjustable(board_->Adjustable());
    if (IsType(kEcode)) {
        tmrLinkA.SetInterval(2500);
        tmrLinkB.SetInterval(2500);
    }
    made_ = true;
    SetShunt(TrackSide::B, true);
    SetShunt(TrackSide::A, true);
    EndEnabledRule(TrackSide::A);
    EndEnabledRule(TrackSide::B);
}

void TrackPanel::OnUpdateIndicators() {
    if (!Ready()) {
        return;
    }
    RebuildReceived(*board_->TrackB());
    RebuildReceived(*board_->TrackA());
    ends_[0].transmitted.clear();
    ends_[1].transmitted.clear();
    ShowTransmitted(*board_->TrackA());
    ShowTransmitted(*board_->TrackB());
    IndicatorsUpdated.Raise();
}

// Only a received caption that a state file left as "Codes Loaded" is rebuilt, from the in
// codes that are True.
template <TrackSide Side>
void TrackPanel::RebuildReceived(TrackEnd<Side>& end) {
    TrackEndView& view = ends_[Slot(Side)];
    if (view.received != kCodesLoaded) {
        return;
    }
    std::string text;
    auto& inCodes = end.InCode().Codes();
    if (IsType(kEcode)) {
        for (int position = 1; position <= 10 && position <= inCodes.Count(); ++position) {
            const auto& code = *inCodes.Item(position);
            if (code.CodeValue()) {
                Join(text, CodeShown(code.CodeName()));
            }
        }
    } else if (IsType(kTrx)) {
        const std::string prefix = BitPrefix(Side);
        for (std::size_t i = 1; i < view.handCodes.size(); ++i) {
            const std::string& entry = view.handCodes[i];
            if (entry == "SPARE") {
                continue;
            }
            const std::string key = entry == "TDIN"      ? prefix + ".TDIN"
                                    : entry == "SLEEPIN" ? prefix + ".SLEEPIN"
                                                         : entry;
            const auto* code = inCodes.Item(key);
            if (code == nullptr) {
                continue;
            }
            if (code->CodeName().find("LINKUP") != std::string::npos) {
                break;
            }
            if (code->CodeValue()) {
                Join(text, entry);
            }
        }
    }
    SetReceived(Side, text);
}

template <TrackSide Side>
void TrackPanel::ShowTransmitted(TrackEnd<Side>& end) {
    TrackEndView& view = ends_[Slot(Side)];
    const bool ecode = IsType(kEcode);
    if (IsType(kTrx)) {
        view.adjustment.lamp = LampFor(end.AdjustmentBitValue());
    }
    for (const auto& code : end.OutCode().Codes()) {
        if (code.CodeValue) {
            Join(view.transmitted, ecode ? CodeShown(code.CodeName) : code.CodeName);
        }
    }
}

void TrackPanel::OnUpdateOutput(std::string_view BitName, bool BitValue) {
    if (!Ready()) {
        return;
    }
    TrackA& endA = *board_->TrackA();
    TrackB& endB = *board_->TrackB();
    if (IsType(kTrx)) {
        if (!endA.AdjustmentBitName().empty() && endA.AdjustmentBitName() == BitName) {
            endA.SetAdjustmentBitValue(BitValue);
        } else if (!endB.AdjustmentBitName().empty() && endB.AdjustmentBitName() == BitName) {
            endB.SetAdjustmentBitValue(BitValue);
        } else if (!TakeOutCode(endA, BitName, BitValue)) {
            TakeOutCode(endB, BitName, BitValue);
        }
    } else if (IsType(kEcode)) {
        if (!TakeOutCode(endA, BitName, BitValue)) {
            TakeOutCode(endB, BitName, BitValue);
        }
    }
    OnUpdateIndicators();
}

// On a "TRX.TRACK" board the out code of that name; on an "ECODE.TRACK" board, when the
// name holds the end's track name, the first out code whose name the bit's name holds.
template <TrackSide Side>
bool TrackPanel::TakeOutCode(TrackEnd<Side>& end, std::string_view BitName, bool BitValue) {
    auto& outCodes = end.OutCode().Codes();
    TrackOutCode<Side>* found = nullptr;
    if (IsType(kTrx)) {
        found = outCodes.Item(BitName);
    } else if (!end.TrackName().empty() && BitName.find(end.TrackName()) != std::string::npos) {
        for (auto& code : outCodes) {
            if (BitName.find(code.CodeName) != std::string_view::npos) {
                found = &code;
                break;
            }
        }
    }
    if (found == nullptr) {
        return false;
    }
    if (found->CodeValue != BitValue) {
        OutCodesChanged = true;
        found->CodeValue = BitValue;
    }
    return true;
}

void TrackPanel::OnLoadState(std::string_view BitName, bool BitValue) {
    if (!Ready()) {
        return;
    }
    if (IsEnabledBit(BitName)) {
        SetEnabledBox(BitValue);
        return;
    }
    for (const TrackSide side : {TrackSide::A, TrackSide::B}) {
        if (BitName == BitPrefix(side) + ".ENABLED") {
            SetEndEnabledBox(side, BitValue);
            return;
        }
    }
    RestoreInCodes(*board_->TrackA(), BitName, BitValue);
    RestoreInCodes(*board_->TrackB(), BitName, BitValue);
    for (const TrackSide side : {TrackSide::A, TrackSide::B}) {
        for (const char* status : {"NORMAL", "LINKUP"}) {
            if (BitName != BitPrefix(side) + "." + status) {
                continue;
            }
            if (BitValue) {
                SetStatus(side, status);
            }
            ends_[Slot(side)].shunt.usable = true;
            SetShunt(side, false);
        }
    }
    SetReceived(TrackSide::A, kCodesLoaded);
    SetReceived(TrackSide::B, kCodesLoaded);
}

template <TrackSide Side>
void TrackPanel::RestoreInCodes(TrackEnd<Side>& end, std::string_view BitName, bool BitValue) {
    for (auto& code : end.InCode().Codes()) {
        if (code.CodeName() == BitName) {
            code.SetCodeValue(BitValue);
            code.SetRecievedTwice(BitValue);
            code.SetSetIt(BitValue);
        }
    }
}

void TrackPanel::SetStatus(TrackSide side, std::string status) {
    TrackEndView& view = ends_[Slot(side)];
    if (view.status == status) {
        return;
    }
    view.status = std::move(status);
    if (Ready() && !IsType(kEcode)) {
        Post(BitPrefix(side) + ".NORMAL", view.status == "NORMAL");
    }
}

void TrackPanel::TakeLinkedCodes(TrackSide side, std::string received) {
    SetReceived(side, std::move(received));
    CodeDelayTimer(side).SetEnabled(true);
    Changed.Raise();
}

void TrackPanel::SetReceived(TrackSide side, std::string received) {
    TrackEndView& view = ends_[Slot(side)];
    if (view.received == received) {
        return;
    }
    view.received = std::move(received);
    // Whatever a TRX end receives is evaluated after its code delay.
    if (IsType(kTrx)) {
        CodeDelayTimer(side).SetEnabled(true);
    }
    ReceivedChanged.Raise(side);
}

void TrackPanel::SetShunt(TrackSide side, bool ticked) {
    TrackEndView& view = ends_[Slot(side)];
    if (view.shunt.ticked == ticked) {
        return;
    }
    view.shunt.ticked = ticked;
    ShuntRule(side);
    ShuntChanged.Raise(side);
}

void TrackPanel::ShowLinked(TrackSide side, bool linked) {
    TrackEndView& view = ends_[Slot(side)];
    view.linked = linked;
    if (linked) {
        view.shunt.usable = true;
        SetShunt(side, false);
    }
    Changed.Raise();
}

void TrackPanel::SetEndEnabledBox(TrackSide side, bool ticked) {
    TrackEndView& view = ends_[Slot(side)];
    if (view.enabled.ticked == ticked) {
        return;
    }
    view.enabled.ticked = ticked;
    EndEnabledRule(side);
}

// A disabled end is shunted; end A's shunt box cannot then be used, end B's can.
void TrackPanel::EndEnabledRule(TrackSide side) {
    if (!Ready()) {
        return;
    }
    TrackEndView& view = ends_[Slot(side)];
    if (view.enabled.ticked) {
        view.frameEnabled = true;
        if (view.status != "SHUNT") {
            view.shunt.usable = true;
        }
        CodeDelayTimer(side).SetEnabled(true);
    } else {
        view.frameEnabled = false;
        SetShunt(side, true);
        if (side == TrackSide::A) {
            view.shunt.usable = false;
        }
        CodeDelayTimer(side).SetEnabled(false);
    }
    EndEnabledChanged.Raise(side);
    Post(BitPrefix(side) + ".ENABLED", view.enabled.ticked);
}

void TrackPanel::ClickEndEnabled(TrackSide side) {
    if (Ready() && ends_[Slot(side)].enabled.usable) {
        SetEndEnabledBox(side, !ends_[Slot(side)].enabled.ticked);
    }
}

void TrackPanel::MouseUpAdjustment(TrackSide side, MouseButton button) {
    const IndicatorRow& label = ends_[Slot(side)].adjustment;
    if (button == MouseButton::Right && !label.Spare() && !label.caption.empty()) {
        ShowBitAssign(label.caption);
    }
}

}  // namespace veldra
