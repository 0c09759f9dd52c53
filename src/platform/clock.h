#pragma once

#include <chrono>
#include <ctime>
#include <string>

namespace veldra {

// The time of day, for the stamps of the activity log. Injected so that tests choose it.
struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual TimeOfDay Now() const = 0;
    // A reading that only goes forward, whatever is done to the time of day, for how long
    // work has taken; its origin means nothing.
    virtual std::chrono::nanoseconds Steady() const = 0;
};

// The local time of this machine.
class SystemClock final : public Clock {
public:
    TimeOfDay Now() const override;
    std::chrono::nanoseconds Steady() const override {
        return std::chrono::steady_clock::now().time_since_epoch();
    }

private:
    mutable std::time_t lastSecond_ = -1;
    mutable TimeOfDay last_;
};

// "hh:mm:ss", 24-hour clock, two digits each.
std::string FormatTimeOfDay(const TimeOfDay& time);

}  // namespace veldra
