#include "panels/serial_port_panel.h"

namespace veldra {

SerialPortPanel::SerialPortPanel(PendingInputs& IOBits) : BoardWindowOf(IOBits) {
    inRows_.push_back(IndicatorRow(kFirstTop));
    outRows_.push_back(IndicatorRow(kFirstTop));
    size_ = StartSize();
}

void SerialPortPanel::Hear(SerialPort& board) {
    Keep(board.InBitAdded.Subscribe([this](std::string_view name) {
        AddRow(inRows_, inBuilt_, name);
        Changed.Raise();
    }));
    Keep(board.OutBitAdded.Subscribe([this](std::string_view name) {
        AddRow(outRows_, outBuilt_, name);
        Changed.Raise();
    }));
}

// In and out bits share the tabs: a page's tab is added by whichever kind reaches it first.
void SerialPortPanel::AddRow(std::vector<IndicatorRow>& rows, int& built, std::string_view name) {
    if (PageOf(built) > int(tabs_.size())) {
        const int group = built / 8;
        tabs_.push_back("WD " + std::to_string(group + 1) + "-" + std::to_string(group + 2) + "-" +
                        std::to_string(group + 3) + "-" + std::to_string(group + 4));
    }
    if (built > 0) {
        rows.push_back(IndicatorRow(kFirstTop + (built % kRowsPerPage) * (kRowHeight + kRowGap)));
    }
    IndicatorRow& row = rows[std::size_t(built)];
    row.caption = std::string(name);
    row.toolTip = row.caption;
    ++built;
}

int SerialPortPanel::InCount() const {
    return board_ != nullptr && board_->SerialInBit() != nullptr
               ? board_->SerialInBit()->SerialInBits().Count()
               : 0;
}

int SerialPortPanel::OutCount() const {
    return board_ != nullptr && board_->SerialOutBit() != nullptr
               ? board_->SerialOutBit()->SerialOutBits().Count()
               : 0;
}

SerialInBit* SerialPortPanel::FindIn(std::string_view name) const {
    return InCount() > 0 ? board_->SerialInBit()->SerialInBits().Item(name) : nullptr;
}

SerialOutBit* SerialPortPanel::FindOut(std::string_view name) const {
    return OutCount() > 0 ? board_->SerialOutBit()->SerialOutBits().Item(name) : nullptr;
}

int SerialPortPanel::BitCount() const {
    return board_ != nullptr ? InCount() + OutCount() + 1 : 0;
}

std::string SerialPortPanel::GetSystemBit(int Index) const {
    if (board_ == nullptr || Index < 1) {
        return {};
    }
    const int ins = InCount();
    const int outs = OutCount();
    if (Index <= ins) {
        return board_->SerialInBit()->SerialInBits().Item(Index)->BitName();
    }
    if (Index <= ins + outs) {
        return board_->SerialOutBit()->SerialOutBits().Item(Index - ins)->BitName();
    }
    return EnabledBitName();
}

void SerialPortPanel::OnCreateimgIndic() {
    if (board_ == nullptr) {
        return;
    }
    for (std::size_t n = 0; n < inRows_.size(); ++n) {
        inRows_[n].lamp = LampImage::Parked;
        if (SerialInBit* bit = inRows_[n].Spare() ? nullptr : FindIn(inRows_[n].caption)) {
            bit->SetintIndex(std::int16_t(n));
        }
    }
    for (std::size_t n = 0; n < outRows_.size(); ++n) {
        outRows_[n].lamp = LampImage::Parked;
        if (SerialOutBit* bit = outRows_[n].Spare() ? nullptr : FindOut(outRows_[n].caption)) {
            bit->SetintIndex(std::int16_t(n));
        }
    }
    if (address_ == 0) {
        address_ = 1;
    }
    SetCaption(board_->Peer()
                   ? board_->PortName() + " : SERIAL STATION"
                   : board_->PortName() + " " + std::to_string(address_) + " : SERIAL STATION");
    if (board_->Enabled()) {
        SetEnabledBox(true);
    }
    ShowAdjustable(board_->Adjustable());
}

// Rows off the selected page are not on view, whenever they were built, so that a page
// never shows another page's rows over its own.
void SerialPortPanel::OnUpdateIndicators() {
    if (board_ == nullptr) {
        return;
    }
    for (std::size_t n = 0; n < inRows_.size(); ++n) {
        if (!OnView(int(n))) {
            continue;
        }
        const SerialInBit* bit = inRows_[n].Spare() ? nullptr : FindIn(inRows_[n].caption);
        inRows_[n].lamp = bit != nullptr ? LampFor(bit->BitValue()) : LampImage::Parked;
    }
    for (std::size_t n = 0; n < outRows_.size(); ++n) {
        if (!OnView(int(n))) {
            continue;
        }
        const SerialOutBit* bit = outRows_[n].Spare() ? nullptr : FindOut(outRows_[n].caption);
        outRows_[n].lamp = bit != nullptr ? LampFor(bit->BitValue()) : LampImage::Parked;
    }
}

void SerialPortPanel::SelectTab(int tab) {
    if (tab >= 1 && tab <= int(tabs_.size())) {
        selectedTab_ = tab;
        UpdateIndicators();
    }
}

// A name that is neither an in bit nor an out bit of the station is passed over.
void SerialPortPanel::OnUpdateOutput(std::string_view BitName, bool BitValue) {
    if (board_ == nullptr) {
        return;
    }
    if (SerialInBit* in = FindIn(BitName)) {
        in->SetBitValue(BitValue);
        OnUpdateIndicators();
        return;
    }
    SerialOutBit* out = FindOut(BitName);
    if (out == nullptr || out->BitValue() == BitValue) {
        return;
    }
    out->SetBitValue(BitValue);
    OnUpdateIndicators();
    OutBitChanged.Raise(out->BitName(), BitValue);
}

void SerialPortPanel::OnLoadState(std::string_view BitName, bool BitValue) {
    if (board_ != nullptr && IsEnabledBit(BitName)) {
        SetEnabledBox(BitValue);
    }
}

bool SerialPortPanel::ShowsBorder(int row) const {
    return row >= 0 && row < int(inRows_.size()) && !inRows_[std::size_t(row)].Spare();
}

void SerialPortPanel::MouseUpIn(int row, MouseButton button) {
    if (row < 0 || row >= int(inRows_.size()) || button != MouseButton::Right) {
        return;
    }
    if (!inRows_[std::size_t(row)].Spare()) {
        ShowBitAssign(inRows_[std::size_t(row)].caption);
    }
    rightClick_ = true;
}

void SerialPortPanel::ClickIn(int row) {
    if (row < 0 || row >= int(inRows_.size())) {
        return;
    }
    const std::string caption = inRows_[std::size_t(row)].caption;
    SerialInBit* bit = rightClick_ || caption == "SPARE" ? nullptr : FindIn(caption);
    rightClick_ = false;
    if (bit == nullptr) {
        return;
    }
    bit->SetBitValue(!bit->BitValue());
    const std::string name = bit->BitName();
    const bool value = bit->BitValue();
    Post(name, value);
    UpdateOutput(name, value);
}

void SerialPortPanel::MouseUpOut(int row, MouseButton button) {
    if (row >= 0 && row < int(outRows_.size()) && button == MouseButton::Right &&
        !outRows_[std::size_t(row)].Spare()) {
        ShowBitAssign(outRows_[std::size_t(row)].caption);
    }
}

void SerialPortPanel::ReceiveBits(const std::vector<std::pair<int, bool>>& bits) {
    if (board_ == nullptr || board_->SerialInBit() == nullptr) {
        return;
    }
    auto& ins = board_->SerialInBit()->SerialInBits();
    for (const auto& [index, value] : bits) {
        if (index >= 1 && index <= ins.Count()) {
            ins.Item(index)->SetBitValue(value);
        }
    }
    UpdateIndicators();
    for (auto& bit : ins) {
        if (bit.IsChanged()) {
            Post(bit.BitName(), bit.BitValue());
        }
    }
}

}  // namespace veldra
