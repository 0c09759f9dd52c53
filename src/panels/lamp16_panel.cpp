#include "panels/lamp16_panel.h"

namespace veldra {

Lamp16Panel::Lamp16Panel(PendingInputs& IOBits) : BoardWindowOf(IOBits) {
    BoxedRow first;
    first.label.top = kFirstTop;
    first.hasBox = true;
    first.box.caption = "SPARE";
    first.box.visible = false;  // a box captioned "SPARE" is never on view
    rows_.push_back(first);
    size_ = StartSize();
}

void Lamp16Panel::Hear(Lamp16& board) {
    Keep(board.LampAdded.Subscribe([this](std::string_view name) {
        LampAdded(name);
        Changed.Raise();
    }));
}

Lamps* Lamp16Panel::BoardLamps() const {
    if (board_ == nullptr || board_->Lamp() == nullptr) {
        return nullptr;
    }
    return &board_->Lamp()->Lamps();
}

Lamp* Lamp16Panel::LampAt(const BoxedRow& row) const {
    Lamps* lamps = BoardLamps();
    return lamps != nullptr && row.item > 0 ? lamps->Item(row.item) : nullptr;
}

// The lamp just added is the last of the list, so a row knows its lamp by position: a
// spare lamp, which has no key, is found as surely as a named one.
void Lamp16Panel::LampAdded(std::string_view name) {
    Lamps* lamps = BoardLamps();
    if (lamps == nullptr) {
        return;
    }
    const Lamp* lamp = lamps->Item(lamps->Count());
    if (built_ > 0) {
        BoxedRow next;
        next.label.top = rows_.back().label.top + kRowHeight + kRowGap;
        rows_.push_back(next);
    }
    BoxedRow& row = rows_[std::size_t(built_)];
    row.label.caption = std::string(name);
    row.label.toolTip = row.label.caption;
    row.item = lamps->Count();
    const bool spare = name == "SPARE";
    if (built_ == 0) {
        if (!spare) {
            row.box.caption = lamp->LampOutName;
            row.box.toolTip = row.box.caption;
        }
        row.box.visible = row.box.caption != "SPARE";
    } else if (!spare) {
        row.hasBox = true;
        row.box.caption = lamp->LampOutName;
        row.box.visible = !row.box.caption.empty() && row.box.caption != "SPARE";
        if (row.box.visible) {
            row.box.toolTip = row.box.caption;
        }
    }
    ++built_;
    namesHeading_ = "OUTPUTS";
}

int Lamp16Panel::BitCount() const {
    if (bitCount_ == 0 && board_ != nullptr) {
        const Lamps* lamps = BoardLamps();
        bitCount_ = 2 * (lamps != nullptr ? lamps->Count() : 0) + 1;
    }
    return bitCount_;
}

std::string Lamp16Panel::GetSystemBit(int Index) const {
    if (board_ == nullptr || Index < 1) {
        return {};
    }
    const Lamps* lamps = BoardLamps();
    const int n = lamps != nullptr ? lamps->Count() : 0;
    if (Index <= n) {
        return lamps->Item(Index)->LampOnName;
    }
    if (Index <= 2 * n) {
        return lamps->Item(Index - n)->LampOutName;
    }
    return EnabledBitName();
}

void Lamp16Panel::OnCreateimgIndic() {
    if (board_ == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (Lamp* lamp = LampAt(rows_[i]); lamp != nullptr && !rows_[i].label.Spare()) {
            lamp->intIndex = std::int16_t(i);
        }
    }
    if (!board_->LED()) {
        SetCaption(board_->BoardName() + " : LAMP16");
    } else {
        SetCaption(board_->BoardName() + " : LED(12/6)");
        boxHeading_ = "LAMP GOOD BITS";
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (!rows_[i].label.Spare() && rows_[i].hasBox && rows_[i].box.caption != "SPARE") {
                SetBox(i, true);
            }
        }
    }
    if (board_->Enabled()) {
        SetEnabledBox(true);
    }
    ShowAdjustable(board_->Adjustable());
}

void Lamp16Panel::OnUpdateIndicators() {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].label.Spare()) {
            continue;
        }
        if (const Lamp* lamp = LampAt(rows_[i])) {
            rows_[i].label.lamp = LampFor(lamp->LampOn);
            SetBox(i, lamp->LampOut);
        }
    }
}

void Lamp16Panel::OnUpdateOutput(std::string_view BitName, bool BitValue) {
    Lamps* lamps = BoardLamps();
    if (board_ == nullptr || lamps == nullptr) {
        return;
    }
    // The picture follows the lamp-on output only: a lamp that is out still shows lit.
    if (Lamp* lamp = lamps->Item(BitName)) {
        lamp->LampOn = BitValue;
        if (lamp->intIndex >= 0 && std::size_t(lamp->intIndex) < rows_.size()) {
            rows_[std::size_t(lamp->intIndex)].label.lamp = LampFor(BitValue);
        }
        return;
    }
    if (BoxedRow* row = RowOfLampOut(BitName, false)) {
        LampAt(*row)->LampOut = BitValue;
        SetBox(std::size_t(row - rows_.data()), BitValue);
        return;
    }
    // A lamp-out name paired with a spare position is the window's own bit too; it has no
    // box to move, so its value is only kept.
    if (BoxedRow* row = RowOfLampOut(BitName, true)) {
        LampAt(*row)->LampOut = BitValue;
        return;
    }
    if (!IsEnabledBit(BitName)) {
        ReportBitNotFound(std::string(BitName) + ": Was sent to " + board_->BoardName(),
                          "Bit Not Found");
    }
}

void Lamp16Panel::OnLoadState(std::string_view BitName, bool BitValue) {
    if (board_ == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < rows_.size() && !BitName.empty(); ++i) {
        Lamp* lamp = LampAt(rows_[i]);
        if (lamp == nullptr || lamp->LampOutName != BitName) {
            continue;
        }
        if (rows_[i].label.Spare()) {
            lamp->LampOut = BitValue;
        } else {
            SetBox(i, BitValue);
        }
        return;
    }
    if (IsEnabledBit(BitName)) {
        SetEnabledBox(BitValue);
    }
}

BoxedRow* Lamp16Panel::RowOfLampOut(std::string_view BitName, bool spare) {
    if (BitName.empty()) {
        return nullptr;
    }
    for (BoxedRow& row : rows_) {
        if (row.label.Spare() != spare) {
            continue;
        }
        if (const Lamp* lamp = LampAt(row); lamp != nullptr && lamp->LampOutName == BitName) {
            return &row;
        }
    }
    return nullptr;
}

void Lamp16Panel::SetBox(std::size_t row, bool ticked) {
    if (row >= rows_.size() || !rows_[row].hasBox || rows_[row].box.ticked == ticked) {
        return;
    }
    rows_[row].box.ticked = ticked;
    BoxChanged(row);
}

// A box without a lamp-out name carries no bit: it keeps its lamp's state but posts
// nothing, rather than an input with an empty name.
void Lamp16Panel::BoxChanged(std::size_t row) {
    Lamp* lamp = LampAt(rows_[row]);
    if (lamp == nullptr) {
        return;
    }
    lamp->LampOut = rows_[row].box.ticked;
    if (!lamp->LampOutName.empty()) {
        Post(lamp->LampOutName, lamp->LampOut);
    }
}

void Lamp16Panel::ClickBox(int row) {
    if (row < 0 || std::size_t(row) >= rows_.size() || Closed()) {
        return;
    }
    const BoxedRow& target = rows_[std::size_t(row)];
    if (target.hasBox && target.box.visible && target.box.usable) {
        SetBox(std::size_t(row), !target.box.ticked);
    }
}

void Lamp16Panel::MouseUp(int row, MouseButton button) {
    if (row < 0 || std::size_t(row) >= rows_.size() || button != MouseButton::Right) {
        return;
    }
    if (!rows_[std::size_t(row)].label.Spare()) {
        ShowBitAssign(rows_[std::size_t(row)].label.caption);
    }
}

}  // namespace veldra
