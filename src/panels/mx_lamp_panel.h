#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "boards/mx_lamp.h"
#include "panels/board_window.h"
#include "platform/event.h"

namespace veldra {

// What the signal-head window shows of one head: its aspects, each with a light-out box,
// its lamp bit, and the box that enables the head. While the head box is clear the head's
// frame takes no mouse input, but its indicators keep following the logic.
struct HeadView {
    std::vector<BoxedRow> rows;
    IndicatorRow lamp;
    CheckBox headBox{"Enabled"};
    bool frameEnabled = true;
};

// The window of a two-head signal lamp board (frmMXLamp): "COLOR.LIGHT" or
// "SEARCH.LIGHT". It only mirrors what the board holds: whether a head is dark, which
// aspect is lit and what a light-out means are the application logic's to decide.
class MXLampPanel final : public BoardWindowOf<MXLamp> {
public:
    static constexpr int kHeads = 2;
    static constexpr int kOwnedAspects = 3;
    static constexpr int kFirstAspectTop = 1080;
    static constexpr int kRowHeight = 255;
    static constexpr int kRowGap = 30;

    explicit MXLampPanel(PendingInputs& IOBits);

    std::string Name() const override { return "frmMXLamp"; }
    WindowSize StartSize() const override { return {3915, 6255}; }
    WindowSize MaximumSize() const override { return StartSize(); }

    // Always nineteen: per head the first three aspects' names, then their light-out
    // names; the two inputs; the ".HEAD1.ENABLED", ".HEAD2.ENABLED" and ".ENABLED" bits;
    // the two heads' lamp bits. A position past a head's aspects answers "SPARE".
    int BitCount() const override { return 19; }
    std::string GetSystemBit(int Index) const override;

    // Head 1 or 2.
    const HeadView& Head(int head) const { return heads_[Slot(head)]; }
    // Input 1 or 2: its label ("SPARE" when the board names no such input) and lamp.
    const IndicatorRow& Input(int input) const { return inputs_[Slot(input)]; }

    // The user's mouse and clicks.
    void ClickLightOut(int head, int row);
    void ClickHeadBox(int head);
    // The right button released over an aspect's row, or over a head's lamp bit, opens
    // the statement that drives it.
    void MouseUpAspect(int head, int row, MouseButton button);
    void MouseUpHeadLamp(int head, MouseButton button);
    // A press on an input's label or lamp: true when it shows a border.
    bool MouseDownInput(int input, MouseButton button, bool onLamp) const;
    // A click on an input's label or lamp: the left button toggles the input, whatever
    // was clicked before; any other button leaves it.
    void ClickInput(int input, MouseButton button);

private:
    static std::size_t Slot(int number) { return std::size_t(number - 1); }

    void OnCreateimgIndic() override;
    void OnUpdateIndicators() override;
    void OnUpdateOutput(std::string_view BitName, bool BitValue) override;
    void OnLoadState(std::string_view BitName, bool BitValue) override;
    // Each aspect added to a head then builds its head's row.
    void Hear(MXLamp& board) override;
    std::string HeadBitName(int head) const;

    void AspectAdded(int head, std::string_view name);
    // The head's aspect that the row shows, through a callback, as the heads' aspect
    // classes differ; false when the row shows none.
    template <class Visit>
    bool WithAspect(int head, const BoxedRow& row, Visit&& visit) const;
    template <class Visit>
    auto WithHead(int head, Visit&& visit) const;
    int AspectCount(int head) const;

    // A light-out bit of a head: the box of the first named row whose aspect has that
    // light-out name is set; a spare row's aspect only keeps the value. False when the
    // head has no such bit.
    bool SetLightOutBit(int head, std::string_view BitName, bool value);
    void SetLightOutBox(int head, std::size_t row, bool ticked);
    void LightOutChanged(int head, std::size_t row);
    void SetHeadBox(int head, bool ticked);
    void HeadBoxChanged(int head);
    void SetInputValue(int input, bool value);
    bool InputValue(int input) const;
    const std::string& InputName(int input) const;

    std::array<HeadView, kHeads> heads_;
    std::array<int, kHeads> built_{};
    std::array<IndicatorRow, kHeads> inputs_;
};

}  // namespace veldra
