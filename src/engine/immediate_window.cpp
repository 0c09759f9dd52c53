#include "engine/immediate_window.h"

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
    std::string entry = FormatTimeOfDay(clock_.Now());
    entry += kLineBreak;
    entry += text;
    if (logged) {
        logged(entry);
    }
    Store(std::move(entry));
    NextStatusLine();
}

void ImmediateWindow::WriteUnstamped(std::string_view text) {
    Store(std::string(text));
    NextStatusLine();
}

void ImmediateWindow::WriteInPlace(std::string_view text) {
    Store(std::string(text));
}

void ImmediateWindow::Store(std::string text) {
    text.resize(kSlotWidth, ' ');
    slots_[std::size_t(statusIndex_)] = std::move(text);
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
    std::optional<std::string>& slot = slots_[std::size_t(index)];
    if (!slot) {
        return;  // never written: adds nothing
    }
    statusText_ += TrimBlanks(*slot);
    statusText_ += kLineBreak;
    slot->assign(kSlotWidth, ' ');
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
        if (const auto& slot = slots_[std::size_t(index)]) {
            text += *slot;
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
