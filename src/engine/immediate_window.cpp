#include "engine/immediate_window.h"

#include <algorithm>
#include <utility>

namespace veldra {
namespace {

constexpr std::string_view kSetting = "Setting bit: ";
constexpr std::string_view kClearing = "Clearing bit: ";
constexpr std::size_t kStampWidth = 8;
// The most of a bit's name that an entry can show after its stamp and "Setting bit: ".
constexpr std::size_t kNameWidth = ImmediateWindow::kSlotWidth - kStampWidth -
                                   ImmediateWindow::kLineBreak.size() - kSetting.size();

std::string_view BitPrefix(bool vValue) {
    return vValue ? kSetting : kClearing;
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

ImmediateWindow::ImmediateWindow(const Clock& clock) : clock_(clock) {}

void ImmediateWindow::WriteEntry(std::string_view text) {
    const std::string stamp = FormatTimeOfDay(clock_.Now());
    if (Logged.HasSubscribers()) {
        Logged.Raise(stamp + std::string(kLineBreak) + std::string(text));
    }
    Store({stamp, kLineBreak, text});
    NextStatusLine();
}

void ImmediateWindow::WriteUnloggedEntry(std::string_view text) {
    Store({FormatTimeOfDay(clock_.Now()), kLineBreak, text});
    NextStatusLine();
}

void ImmediateWindow::WriteBitEntry(std::string_view BitName, bool vValue) {
    const TimeOfDay now = clock_.Now();
    if (Logged.HasSubscribers()) {
        std::string entry = FormatTimeOfDay(now);
        entry += kLineBreak;
        entry += BitPrefix(vValue);
        entry += BitName;
        Logged.Raise(entry);
    }
    StoredSlot& slot = slots_[std::size_t(statusIndex_)];
    const std::size_t take = std::min(BitName.size(), kNameWidth);
    std::copy_n(BitName.data(), take, slot.text.data());
    slot.length = std::uint8_t(take);
    slot.kind = SlotKind::BitChange;
    slot.value = vValue;
    slot.time = now;
    NextStatusLine();
}

void ImmediateWindow::Clear() {
    slots_ = {};
    statusIndex_ = 0;
    statusFilled_ = false;
    running_ = false;
    paintAsked_ = false;
    statusText_.clear();
    Changed.Raise();
}

void ImmediateWindow::WriteUnstamped(std::string_view text) {
    Store({text});
    NextStatusLine();
}

void ImmediateWindow::WriteInPlace(std::string_view text) {
    Store({text});
}

void ImmediateWindow::Store(std::initializer_list<std::string_view> parts) {
    StoredSlot& slot = slots_[std::size_t(statusIndex_)];
    std::size_t at = 0;
    for (std::string_view part : parts) {
        const std::size_t take = std::min(part.size(), kSlotWidth - at);
        std::copy_n(part.data(), take, slot.text.data() + at);
        at += take;
    }
    slot.length = std::uint8_t(at);
    slot.kind = SlotKind::Text;
}

void ImmediateWindow::AppendSlot(const StoredSlot& slot, std::string& to) {
    const std::size_t start = to.size();
    if (slot.kind == SlotKind::BitChange) {
        to += FormatTimeOfDay(slot.time);
        to += kLineBreak;
        to += BitPrefix(slot.value);
        to.append(slot.text.data(), slot.length);
    } else {
        to.append(slot.text.data(), slot.length);
    }
    // Cut or padded to the slot's width, as every entry is stored.
    to.resize(start + kSlotWidth, ' ');
}

std::optional<std::string> ImmediateWindow::Slot(int index) const {
    const StoredSlot& slot = slots_[std::size_t(index)];
    if (slot.kind == SlotKind::Unwritten) {
        return std::nullopt;
    }
    std::string text;
    AppendSlot(slot, text);
    return text;
}

void ImmediateWindow::NextStatusLine() {
    if (++statusIndex_ >= kSlots) {
        statusIndex_ = 0;
    }
    if (!statusFilled_ && statusIndex_ > 9) {
        statusFilled_ = true;
    }
}

void ImmediateWindow::Display(int startSlot) {
    if (running_) {
        if (std::exchange(paintAsked_, true)) {
            return;
        }
    } else {
        // When the index wrapped during the write the range is empty: those entries wait
        // in the ring for the next FillStatusText.
        for (int slot = startSlot; slot < statusIndex_; ++slot) {
            MoveSlotToText(slot);
        }
    }
    Changed.Raise();
}

void ImmediateWindow::MoveSlotToText(int index) {
    StoredSlot& slot = slots_[std::size_t(index)];
    if (slot.kind == SlotKind::Unwritten) {
        return;  // never written: adds nothing
    }
    std::string entry;
    AppendSlot(slot, entry);
    statusText_ += TrimBlanks(entry);
    statusText_ += kLineBreak;
    // The slot stays written, blank.
    slot.kind = SlotKind::Text;
    slot.length = 0;
}

void ImmediateWindow::FillStatusText() {
    paintAsked_ = false;
    statusText_.clear();
    if (statusFilled_) {
        for (int slot = statusIndex_; slot < kSlots; ++slot) {
            MoveSlotToText(slot);
        }
    }
    for (int slot = 0; slot < statusIndex_; ++slot) {
        MoveSlotToText(slot);
    }
    Changed.Raise();
}

std::string ImmediateWindow::PaintedText() const {
    paintAsked_ = false;
    std::string text;
    const auto add = [&](int index) {
        const StoredSlot& slot = slots_[std::size_t(index)];
        if (slot.kind != SlotKind::Unwritten) {
            AppendSlot(slot, text);
            text += kLineBreak;
        }
    };
    if (statusIndex_ >= 10) {
        for (int slot = statusIndex_ - 10; slot < statusIndex_; ++slot) {
            add(slot);
        }
    } else {
        if (statusFilled_) {
            for (int slot = kSlots - 10 + statusIndex_; slot < kSlots; ++slot) {
                add(slot);
            }
        }
        for (int slot = 0; slot < statusIndex_; ++slot) {
            add(slot);
        }
    }
    return std::string(TrimBlanks(text));
}

}  // namespace veldra
