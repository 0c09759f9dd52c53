#include "platform/clock.h"

#include <ctime>

namespace veldra {

TimeOfDay SystemClock::Now() const {
    // A busy scan stamps thousands of entries a second: convert each second only once.
    const std::time_t now = std::time(nullptr);
    if (now != lastSecond_) {
        std::tm local{};
        localtime_r(&now, &local);
        lastSecond_ = now;
        last_ = {local.tm_hour, local.tm_min, local.tm_sec};
    }
    return last_;
}

std::string FormatTimeOfDay(const TimeOfDay& time) {
    std::string text = "00:00:00";
    const auto put = [&](std::size_t at, int value) {
        text[at] = char('0' + value / 10 % 10);
        text[at + 1] = char('0' + value % 10);
    };
    put(0, time.hour);
    put(3, time.minute);
    put(6, time.second);
    return text;
}

}  // namespace veldra
