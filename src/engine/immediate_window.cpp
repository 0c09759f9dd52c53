#include "engine/immediate_window.h"

#include <algorithm>

#include "platform/clock.h"

namespace veldra {
namespace {

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
    if (logged) {
        logged(stamp + std::string(kLineBreak) + std::string(text));
    }
    Store({stamp, kLineBreak, text});
    NextStatusLine();
}

void ImmediateWindow::Clear() {
    slots_ = {};
    statusIndex_ = 0;
    statusFilled_ = false;
    running_ = false;
    statusText_.clear();
    if (changed) {
        changed();
    }
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
    std::fill(slot.text.begin() + std::ptrdiff_t(at), slot.text.end(), ' ');
    slot.written = true;
}

std::optional<std::string> ImmediateWindow::Slot(int index) const {
    const StoredSlot& slot = slots_[std::size_t(index)];
    if (!slot.written) {
        return std::nullopt;
    }
    return std::string(slot.View());
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
    if (!running_) {
        // When the index wrapped during the write the range is empty: those entries wait
        // in the ring for the next FillStatusText.
        for (int slot = startSlot; slot < statusIndex_; ++slot) {
            MoveSlotToText(slot);
        }
    }
    if (changed) {
        changed();
    }
}

void ImmediateWindow::MoveSlotToText(int index) {
    StoredSlot& slot = slots_[std::size_t(index)];
    if (!slot.written) {
        return;  // never written: adds nothing
    }
    statusText_ += TrimBlanks(slot.View());
    statusText_ += kLineBreak;
    slot.text.fill(' ');
}

void ImmediateWindow::FillStatusText() {
    statusText_.clear();
    if (statusFilled_) {
        for (int slot = statusIndex_; slot < kSlots; ++slot) {
            MoveSlotToText(slot);
        }
    }
    for (int slot = 0; slot < statusIndex_; ++slot) {
        MoveSlotToText(slot);
    }
    if (changed) {
        changed();
    }
}

std::string ImmediateWindow::PaintedText() const {
    std::string text;
    const auto add = [&](int index) {
        const StoredSlot& slot = slots_[std::size_t(index)];
        if (slot.written) {
            text += slot.View();
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
