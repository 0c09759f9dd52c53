#include "logic/timer_que.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "logic/boolean_bit.h"
#include "logic/program_host.h"

namespace veldra {
namespace {

std::string_view NameOf(const TimerQue& timer) {
    return timer.BitName();
}
std::string_view NameOf(const CancelTime& cancel) {
    return cancel.BitName;
}

// The exact, case-sensitive search by which both timer collections refuse a second entry.
template <class Items>
bool HoldsName(const Items& items, std::string_view name) {
    return std::any_of(items.begin(), items.end(),
                       [&](const auto& item) { return NameOf(item) == name; });
}

}  // namespace

void TimerQue::StartTime() {
    vRemaining_ = clsTime_;
    vDisplay_ = clsTime_ / 1000.0f - 1.0f;
    TheProgramHost().UpdateStatus(bitName_, vValue_, true, false, false, false, 0);
}

std::string TimerQue::TimeLeft() {
    if (vRemaining_ <= 0) {
        return "0";
    }
    const std::string seconds =
        std::to_string(static_cast<long>(std::trunc(vRemaining_ / 1000.0f)));
    vRemaining_ -= TheProgramHost().TimerInterval();
    return seconds;
}

bool TimerQue::UpDateDisplay() {
    const float seconds = vRemaining_ / 1000.0f;
    if (seconds < vDisplay_) {
        vDisplay_ -= 1.0f;
        return true;
    }
    return false;
}

void TimerQue::UpdateBitValue(BooleanBit& bit) const {
    bit.SetBitValue(vValue_, false);
    TheProgramHost().AddQue(bitName_, false);
}

void TimerQue::ForceTimer() {
    vRemaining_ = 0;
    vDisplay_ = 0;
}

TimerQue* clsTimers::Add(float clsTime, std::string_view BitName, bool vValue) {
    if (HoldsName(items_, BitName)) {
        return nullptr;
    }
    TimerQue* timer = AddReported(BitName, [&] {
        auto made = std::make_unique<TimerQue>();
        made->SetclsTime(clsTime);
        made->SetBitName(BitName);
        made->SetvValue(vValue);
        return made;
    });
    if (timer != nullptr) {
        TheProgramHost().ShowTimerCount(Count());
    }
    return timer;
}

void clsTimers::Remove(std::string_view BitName) {
    ModelCollection::Remove(BitName);
    TheProgramHost().ShowTimerCount(Count());
}

void clsTimers::Remove(int position) {
    ModelCollection::Remove(position);
    TheProgramHost().ShowTimerCount(Count());
}

CancelTime* CancelTimers::Add(std::string_view BitName) {
    if (HoldsName(items_, BitName)) {
        return nullptr;
    }
    return AddReported(
        BitName, [&] { return std::make_unique<CancelTime>(CancelTime{std::string(BitName)}); });
}

TimerQue* StartDelayTimer(clsTimers& running, CancelTimers& cancelled, std::string_view BitName,
                          float delay, bool value) {
    if (TimerQue* existing = running.Item(BitName)) {
        if (cancelled.Item(BitName) == nullptr) {
            return nullptr;  // a running timer runs on unchanged
        }
        cancelled.Remove(BitName);
        existing->SetclsTime(delay);
        existing->SetvValue(value);
        existing->StartTime();
        return existing;
    }
    TimerQue* timer = running.Add(delay, BitName, value);
    if (timer != nullptr) {
        timer->StartTime();
    }
    return timer;
}

}  // namespace veldra
