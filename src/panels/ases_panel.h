#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "boards/ases.h"
#include "panels/board_window.h"

namespace veldra {

// The window of an encoder board (frmASES, "ASES.ENCODER"): five channels, each with an
// "Enabled" box for its enable bit and, under "Active Control Bit", the list of its
// control bits that are True at present. The board announces nothing while it is read:
// everything is drawn once the program is bound.
class ASESPanel final : public BoardWindowOf<ASES> {
public:
    static constexpr int kChannels = 5;

    explicit ASESPanel(PendingInputs& IOBits);

    std::string Name() const override { return "frmASES"; }
    WindowSize StartSize() const override { return {2985, 6795}; }
    WindowSize MaximumSize() const override { return StartSize(); }

    // The five channel enable bits, the ".ENABLED" bit, then the control bits in the order
    // added; counted at every call.
    int BitCount() const override;
    std::string GetSystemBit(int Index) const override;

    // Channel 1 to 5: its box and its list of active control bits, each at most once, in
    // alphabetical order without regard to letter case.
    const CheckBox& ChannelBox(int channel) const { return channelBoxes_[Slot(channel)]; }
    const std::vector<std::string>& ChannelList(int channel) const {
        return channelLists_[Slot(channel)];
    }
    static std::string ChannelCaption(int channel) { return "Channel " + std::to_string(channel); }

    // The user clicks a channel's box.
    void ClickChannel(int channel);
    // A double click on a channel's list opens the statement of the entry selected.
    void DoubleClickList(int channel, std::string_view selected);
    // The right button pressed over a channel's list opens the statement of every control
    // bit of the channel, active or not.
    void MouseDownList(int channel, MouseButton button);

private:
    static std::size_t Slot(int channel) { return std::size_t(channel - 1); }

    void OnCreateimgIndic() override;
    void OnUpdateIndicators() override;
    void OnUpdateOutput(std::string_view BitName, bool BitValue) override;
    void OnLoadState(std::string_view BitName, bool BitValue) override;
    // Unlike other boards, the encoder keeps its box's state in the board.
    void EnabledBoxChanged() override;

    std::string ChannelBitName(int channel) const;
    void ShowControlBits();
    // Adds the control bit to its channel's list when True, takes it out when False.
    void ListRule(const ControlBit& bit, bool value);
    // Ticks or clears a channel's box; a change sets the channel and posts its bit.
    void SetChannelBox(int channel, bool ticked);

    std::array<CheckBox, kChannels> channelBoxes_;
    std::array<std::vector<std::string>, kChannels> channelLists_;
};

}  // namespace veldra
