#include "panels/ases_panel.h"

#include <algorithm>

#include "platform/ascii_text.h"

namespace veldra {

ASESPanel::ASESPanel(PendingInputs& IOBits) : BoardWindowOf(IOBits) {
    for (CheckBox& box : channelBoxes_) {
        box.caption = "Enabled";
    }
    size_ = StartSize();
}

int ASESPanel::BitCount() const {
    return board_ != nullptr ? board_->ControlBit().ControlBits().Count() + kChannels + 1 : 0;
}

std::string ASESPanel::GetSystemBit(int Index) const {
    if (board_ == nullptr || Index < 1) {
        return {};
    }
    if (Index <= kChannels) {
        return ChannelBitName(Index);
    }
    if (Index == kChannels + 1) {
        return EnabledBitName();
    }
    const ControlBit* bit = board_->ControlBit().ControlBits().Item(Index - kChannels - 1);
    return bit != nullptr ? bit->BitName : std::string();
}

std::string ASESPanel::ChannelBitName(int channel) const {
    return board_->BoardName() + ".CHANNEL" + std::to_string(channel) + "ENABLE";
}

void ASESPanel::OnCreateimgIndic() {
    if (board_ == nullptr) {
        return;
    }
    SetCaption(board_->BoardName() + " : " + board_->BoardType());
    for (std::vector<std::string>& list : channelLists_) {
        list.clear();
    }
    ShowControlBits();
    for (int n = 1; n <= kChannels; ++n) {
        SetChannelBox(n, board_->Channel().Channels().Item(n).Enabled);
    }
}

void ASESPanel::OnUpdateIndicators() {
    if (board_ == nullptr) {
        return;
    }
    ShowControlBits();
    SetEnabledBox(board_->Enabled());
    SetEnabledBoxUsable(board_->Adjustable());
    for (int n = 1; n <= kChannels; ++n) {
        SetChannelBox(n, board_->Channel().Channels().Item(n).Enabled);
        channelBoxes_[Slot(n)].usable = board_->Adjustable();
    }
}

void ASESPanel::ShowControlBits() {
    for (const ControlBit& bit : board_->ControlBit().ControlBits()) {
        ListRule(bit, bit.BitValue);
    }
}

void ASESPanel::OnUpdateOutput(std::string_view BitName, bool BitValue) {
    if (board_ == nullptr) {
        return;
    }
    if (ControlBit* bit = board_->ControlBit().ControlBits().Item(BitName)) {
        bit->BitValue = BitValue;
        ListRule(*bit, BitValue);
        return;
    }
    // The boxes do not follow the logic's writes to the window's own bits.
    if (IsEnabledBit(BitName)) {
        return;
    }
    for (int n = 1; n <= kChannels; ++n) {
        if (BitName == ChannelBitName(n)) {
            return;
        }
    }
    ReportBitNotFound(std::string(BitName) + ": Bit was sent to " + board_->BoardName(),
                      "Bit Not Found");
}

// The lists take the file's values; the stored values, the "Enabled" box and the channel
// boxes stay as the board holds them.
void ASESPanel::OnLoadState(std::string_view BitName, bool BitValue) {
    if (board_ == nullptr) {
        return;
    }
    const ControlBit* bit = board_->ControlBit().ControlBits().Item(BitName);
    if (bit != nullptr && bit->BitName == BitName) {
        ListRule(*bit, BitValue);
    }
}

// A control bit of a channel other than 1 to 5 has no list to appear in.
void ASESPanel::ListRule(const ControlBit& bit, bool value) {
    if (bit.Channel < 1 || bit.Channel > kChannels) {
        return;
    }
    std::vector<std::string>& list = channelLists_[Slot(bit.Channel)];
    const auto listed = std::find(list.begin(), list.end(), bit.BitName);
    if (!value) {
        if (listed != list.end()) {
            list.erase(listed);
        }
        return;
    }
    if (listed != list.end()) {
        return;
    }
    const auto before = [](const std::string& a, const std::string& b) {
        return UpperCased(a) < UpperCased(b);
    };
    list.insert(std::upper_bound(list.begin(), list.end(), bit.BitName, before), bit.BitName);
}

void ASESPanel::EnabledBoxChanged() {
    if (board_ == nullptr) {
        return;
    }
    board_->SetEnabled(EnabledBox().ticked);
    Post(EnabledBitName(), board_->Enabled());
}

void ASESPanel::SetChannelBox(int channel, bool ticked) {
    CheckBox& box = channelBoxes_[Slot(channel)];
    if (box.ticked == ticked) {
        return;
    }
    box.ticked = ticked;
    Channel& target = board_->Channel().Channels().Item(std::to_string(channel));
    target.Enabled = ticked;
    Post(ChannelBitName(channel), target.Enabled);
}

void ASESPanel::ClickChannel(int channel) {
    if (board_ == nullptr || channel < 1 || channel > kChannels) {
        return;
    }
    if (channelBoxes_[Slot(channel)].usable) {
        SetChannelBox(channel, !channelBoxes_[Slot(channel)].ticked);
    }
}

void ASESPanel::DoubleClickList(int channel, std::string_view selected) {
    if (channel >= 1 && channel <= kChannels && !selected.empty()) {
        ShowBitAssign(selected);
    }
}

void ASESPanel::MouseDownList(int channel, MouseButton button) {
    if (board_ == nullptr || button != MouseButton::Right) {
        return;
    }
    for (const ControlBit& bit : board_->ControlBit().ControlBits()) {
        if (bit.Channel == channel) {
            ShowBitAssign(bit.BitName);
        }
    }
}

}  // namespace veldra
