#include "panels/mx_lamp_panel.h"

namespace veldra {

MXLampPanel::MXLampPanel(PendingInputs& IOBits) : BoardWindowOf(IOBits) {
    for (HeadView& head : heads_) {
        BoxedRow first;
        first.label.top = kFirstAspectTop;
        first.hasBox = true;
        first.box.caption = "SPARE";
        // A head that no aspect reaches has no light-out bit to offer.
        first.box.visible = false;
        head.rows.push_back(first);
        head.lamp.top = 480;
    }
    inputs_[0].top = inputs_[1].top = 5400;
    size_ = StartSize();
}

void MXLampPanel::Hear(MXLamp& board) {
    Keep(board.Head1BitAdded.Subscribe([this](std::string_view name) {
        AspectAdded(1, name);
        Changed.Raise();
    }));
    Keep(board.Head2BitAdded.Subscribe([this](std::string_view name) {
        AspectAdded(2, name);
        Changed.Raise();
    }));
}

template <class Visit>
auto MXLampPanel::WithHead(int head, Visit&& visit) const {
    return head == 1 ? visit(board_->Head1()) : visit(board_->Head2());
}

template <class Visit>
bool MXLampPanel::WithAspect(int head, const BoxedRow& row, Visit&& visit) const {
    if (board_ == nullptr || row.item <= 0) {
        return false;
    }
    return WithHead(head, [&](auto* signal) {
        if (signal == nullptr) {
            return false;
        }
        auto* aspect = signal->Aspect().Aspects().Item(row.item);
        if (aspect == nullptr) {
            return false;
        }
        visit(*aspect);
        return true;
    });
}

int MXLampPanel::AspectCount(int head) const {
    if (board_ == nullptr) {
        return 0;
    }
    return WithHead(head, [](auto* signal) {
        return signal != nullptr ? signal->Aspect().Aspects().Count() : 0;
    });
}

// The aspect just added is the last of its head's list: a row knows its aspect by
// position, so a spare aspect, which has no key, is found as surely as a named one.
void MXLampPanel::AspectAdded(int head, std::string_view name) {
    HeadView& view = heads_[Slot(head)];
    int& built = built_[Slot(head)];
    if (built > 0) {
        BoxedRow next;
        next.label.top = view.rows.back().label.top + kRowHeight + kRowGap;
        view.rows.push_back(next);
    }
    BoxedRow& row = view.rows[std::size_t(built)];
    row.label.caption = std::string(name);
    row.label.toolTip = row.label.caption;
    row.item = AspectCount(head);
    std::string lightOut;
    WithAspect(head, row, [&](const auto& aspect) { lightOut = aspect.AspectLOName; });
    if (name != "SPARE") {
        row.hasBox = true;
        row.box.caption = lightOut;
        row.box.toolTip = lightOut;
        row.box.visible = !lightOut.empty();
    } else if (built == 0) {
        row.box.visible = false;
    }
    ++built;
}

std::string MXLampPanel::GetSystemBit(int Index) const {
    if (board_ == nullptr || Index < 1) {
        return {};
    }
    if (Index <= 4 * kOwnedAspects) {
        const int head = Index <= 2 * kOwnedAspects ? 1 : 2;
        const int within = (Index - 1) % (2 * kOwnedAspects);
        const bool lightOut = within >= kOwnedAspects;
        const int position = within % kOwnedAspects + 1;
        return WithHead(head, [&](auto* signal) -> std::string {
            const auto* aspect =
                signal != nullptr ? signal->Aspect().Aspects().Item(position) : nullptr;
            if (aspect == nullptr) {
                return "SPARE";
            }
            return lightOut ? aspect->AspectLOName : aspect->AspectName;
        });
    }
    switch (Index) {
        case 13:
            return board_->Input1Name();
        case 14:
            return board_->Input2Name();
        case 15:
            return HeadBitName(1);
        case 16:
            return HeadBitName(2);
        case 17:
            return EnabledBitName();
        case 18:
            return board_->Head1() != nullptr ? board_->Head1()->LampOnName() : std::string();
        case 19:
            return board_->Head2() != nullptr ? board_->Head2()->LampOnName() : std::string();
        default:
            return {};
    }
}

std::string MXLampPanel::HeadBitName(int head) const {
    return board_->BoardName() + ".HEAD" + std::to_string(head) + ".ENABLED";
}

const std::string& MXLampPanel::InputName(int input) const {
    return input == 1 ? board_->Input1Name() : board_->Input2Name();
}

bool MXLampPanel::InputValue(int input) const {
    return input == 1 ? board_->Input1Value() : board_->Input2Value();
}

void MXLampPanel::SetInputValue(int input, bool value) {
    if (input == 1) {
        board_->SetInput1Value(value);
    } else {
        board_->SetInput2Value(value);
    }
}

void MXLampPanel::OnCreateimgIndic() {
    if (board_ == nullptr) {
        return;
    }
    for (int head = 1; head <= kHeads; ++head) {
        HeadView& view = heads_[Slot(head)];
        for (std::size_t i = 0; i < view.rows.size(); ++i) {
            if (!view.rows[i].label.Spare()) {
                WithAspect(head, view.rows[i],
                           [&](auto& aspect) { aspect.intIndex = std::int16_t(i); });
            }
        }
        WithHead(head, [&](auto* signal) {
            if (signal == nullptr) {
                return;
            }
            view.headBox.usable = signal->Adjustable();
            SetHeadBox(head, signal->Enabled());
            // A head without a lamp bit keeps "SPARE", so that no lamp is drawn for it.
            if (signal->LampOnName() != "SPARE" && !signal->LampOnName().empty()) {
                view.lamp.caption = signal->LampOnName();
                view.lamp.toolTip = view.lamp.caption;
            }
        });
        if (view.rows[0].label.Spare()) {
            view.rows[0].label.lamp = LampImage::Parked;
        }
    }
    for (int input = 1; input <= kHeads; ++input) {
        if (!InputName(input).empty()) {
            inputs_[Slot(input)].caption = InputName(input);
        }
    }
    for (int n = 1; n <= kHeads; ++n) {
        for (IndicatorRow* label : {&inputs_[Slot(n)], &heads_[Slot(n)].lamp}) {
            if (label->Spare()) {
                label->lamp = LampImage::Parked;
            }
        }
    }
    SetCaption(board_->BoardName() + " : " + board_->BoardType());
    if (board_->Enabled()) {
        SetEnabledBox(true);
    }
    ShowAdjustable(board_->Adjustable());
    for (IndicatorRow& input : inputs_) {
        input.toolTip = input.caption;
    }
    HeadBoxChanged(1);
    HeadBoxChanged(2);
}

void MXLampPanel::OnUpdateIndicators() {
    if (board_ == nullptr) {
        return;
    }
    for (int head = 1; head <= kHeads; ++head) {
        HeadView& view = heads_[Slot(head)];
        for (BoxedRow& row : view.rows) {
            if (!row.label.Spare()) {
                WithAspect(head, row, [&](const auto& aspect) {
                    row.label.lamp = LampFor(aspect.AspectValue);
                });
            }
        }
        if (!view.lamp.Spare()) {
            WithHead(head, [&](auto* signal) {
                if (signal != nullptr) {
                    view.lamp.lamp = LampFor(signal->LampOnValue());
                }
            });
        }
    }
    for (int input = 1; input <= kHeads; ++input) {
        if (!inputs_[Slot(input)].Spare()) {
            inputs_[Slot(input)].lamp = LampFor(InputValue(input));
        }
    }
}

void MXLampPanel::OnUpdateOutput(std::string_view BitName, bool BitValue) {
    if (board_ == nullptr) {
        return;
    }
    for (int head = 1; head <= kHeads; ++head) {
        const bool lampBit = WithHead(head, [&](auto* signal) {
            if (signal == nullptr || signal->LampOnName().empty() ||
                signal->LampOnName() != BitName) {
                return false;
            }
            signal->SetLampOnValue(BitValue);
            heads_[Slot(head)].lamp.lamp = LampFor(BitValue);
            return true;
        });
        if (lampBit) {
            return;
        }
    }
    for (int head = 1; head <= kHeads; ++head) {
        const bool aspectBit = WithHead(head, [&](auto* signal) {
            auto* aspect = signal != nullptr ? signal->Aspect().Aspects().Item(BitName) : nullptr;
            if (aspect == nullptr) {
                return false;
            }
            aspect->AspectValue = BitValue;
            std::vector<BoxedRow>& rows = heads_[Slot(head)].rows;
            if (aspect->intIndex >= 0 && std::size_t(aspect->intIndex) < rows.size()) {
                rows[std::size_t(aspect->intIndex)].label.lamp = LampFor(BitValue);
            }
            return true;
        });
        if (aspectBit) {
            return;
        }
    }
    for (int input = 1; input <= kHeads; ++input) {
        IndicatorRow& label = inputs_[Slot(input)];
        if (!label.Spare() && label.caption == BitName) {
            SetInputValue(input, BitValue);
            label.lamp = LampFor(BitValue);
            return;
        }
    }
    for (int head = 1; head <= kHeads; ++head) {
        if (SetLightOutBit(head, BitName, BitValue)) {
            return;
        }
    }
    // The boxes do not follow the logic's writes to the window's own bits.
    if (IsEnabledBit(BitName) || BitName == HeadBitName(1) || BitName == HeadBitName(2)) {
        return;
    }
    ReportBitNotFound(std::string(BitName) + ": Was sent to " + board_->BoardName(),
                      "Bit Not Found");
}

void MXLampPanel::OnLoadState(std::string_view BitName, bool BitValue) {
    if (board_ == nullptr || BitName.empty()) {
        return;
    }
    for (int head = 1; head <= kHeads; ++head) {
        if (SetLightOutBit(head, BitName, BitValue)) {
            return;
        }
    }
    if (IsEnabledBit(BitName)) {
        SetEnabledBox(BitValue);
        return;
    }
    for (int head = 1; head <= kHeads; ++head) {
        if (BitName == HeadBitName(head)) {
            SetHeadBox(head, BitValue);
            return;
        }
    }
    // Both inputs take the value when they share the name.
    for (int input = 1; input <= kHeads; ++input) {
        if (InputName(input) == BitName) {
            SetInputValue(input, BitValue);
        }
    }
}

bool MXLampPanel::SetLightOutBit(int head, std::string_view BitName, bool value) {
    if (BitName.empty()) {
        return false;
    }
    std::vector<BoxedRow>& rows = heads_[Slot(head)].rows;
    for (const bool spare : {false, true}) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].label.Spare() != spare) {
                continue;
            }
            bool found = false;
            WithAspect(head, rows[i], [&](auto& aspect) {
                if (aspect.AspectLOName == BitName) {
                    aspect.AspectLOValue = value;
                    found = true;
                }
            });
            if (found) {
                // A light-out name paired with a spare aspect is the window's own bit too;
                // with no box to move, its value is only kept.
                if (!spare) {
                    SetLightOutBox(head, i, value);
                }
                return true;
            }
        }
    }
    return false;
}

void MXLampPanel::SetLightOutBox(int head, std::size_t row, bool ticked) {
    BoxedRow& target = heads_[Slot(head)].rows[row];
    if (!target.hasBox || target.box.ticked == ticked) {
        return;
    }
    target.box.ticked = ticked;
    LightOutChanged(head, row);
}

void MXLampPanel::LightOutChanged(int head, std::size_t row) {
    BoxedRow& target = heads_[Slot(head)].rows[row];
    std::string name;
    bool value = false;
    WithAspect(head, target, [&](auto& aspect) {
        aspect.AspectLOValue = target.box.ticked;
        name = aspect.AspectLOName;
        value = aspect.AspectLOValue;
    });
    if (!name.empty()) {
        Post(name, value);
    }
}

void MXLampPanel::SetHeadBox(int head, bool ticked) {
    CheckBox& box = heads_[Slot(head)].headBox;
    if (box.ticked == ticked) {
        return;
    }
    box.ticked = ticked;
    HeadBoxChanged(head);
}

// The head's own "enabled" state in the board is not changed: the bit is the logic's.
void MXLampPanel::HeadBoxChanged(int head) {
    HeadView& view = heads_[Slot(head)];
    if (view.headBox.ticked) {
        view.frameEnabled = true;
        Post(HeadBitName(head), true);
    } else {
        Post(HeadBitName(head), false);
        view.frameEnabled = false;
    }
}

void MXLampPanel::ClickLightOut(int head, int row) {
    if (board_ == nullptr || head < 1 || head > kHeads) {
        return;
    }
    HeadView& view = heads_[Slot(head)];
    if (!view.frameEnabled || row < 0 || std::size_t(row) >= view.rows.size()) {
        return;
    }
    // A box with no aspect behind it (the design row of a head no aspect reached) does
    // nothing rather than fail.
    const BoxedRow& target = view.rows[std::size_t(row)];
    if (target.hasBox && target.box.visible && target.item > 0) {
        SetLightOutBox(head, std::size_t(row), !target.box.ticked);
    }
}

void MXLampPanel::ClickHeadBox(int head) {
    if (board_ == nullptr || head < 1 || head > kHeads) {
        return;
    }
    if (heads_[Slot(head)].headBox.usable) {
        SetHeadBox(head, !heads_[Slot(head)].headBox.ticked);
    }
}

void MXLampPanel::MouseUpAspect(int head, int row, MouseButton button) {
    if (head < 1 || head > kHeads || button != MouseButton::Right) {
        return;
    }
    const HeadView& view = heads_[Slot(head)];
    if (view.frameEnabled && row >= 0 && std::size_t(row) < view.rows.size() &&
        !view.rows[std::size_t(row)].label.Spare()) {
        ShowBitAssign(view.rows[std::size_t(row)].label.caption);
    }
}

void MXLampPanel::MouseUpHeadLamp(int head, MouseButton button) {
    if (head < 1 || head > kHeads || button != MouseButton::Right) {
        return;
    }
    const HeadView& view = heads_[Slot(head)];
    if (view.frameEnabled && !view.lamp.Spare()) {
        ShowBitAssign(view.lamp.caption);
    }
}

bool MXLampPanel::MouseDownInput(int input, MouseButton button, bool onLamp) const {
    if (input < 1 || input > kHeads || inputs_[Slot(input)].Spare()) {
        return false;
    }
    return !onLamp || button != MouseButton::Right;
}

void MXLampPanel::ClickInput(int input, MouseButton button) {
    if (board_ == nullptr || input < 1 || input > kHeads || button != MouseButton::Left) {
        return;
    }
    if (inputs_[Slot(input)].Spare()) {
        return;
    }
    SetInputValue(input, !InputValue(input));
    const std::string name = InputName(input);
    const bool value = InputValue(input);
    Post(name, value);
    UpdateOutput(name, value);
}

}  // namespace veldra
