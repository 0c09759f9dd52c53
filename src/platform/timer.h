#pragma once

#include <functional>
#include <utility>

#include "platform/event.h"

namespace veldra {

// A window's timer as the core sees it: an interval in milliseconds, an enabled flag and
// a handler. Whoever drives it calls Fire on each tick while it is enabled: a desktop
// timer in the application, the test by hand. An interval of 0 gives no ticks at all.
class Timer {
public:
    Timer(int interval, std::function<void()> handler)
        : interval_(interval), handler_(std::move(handler)) {}
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int Interval() const { return interval_; }
    void SetInterval(int milliseconds) {
        if (milliseconds != interval_) {
            interval_ = milliseconds;
            Changed.Raise();
        }
    }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) {
        if (on != enabled_) {
            enabled_ = on;
            Changed.Raise();
        }
    }
    // Whether a driver should be ticking it now.
    bool Ticking() const { return enabled_ && interval_ > 0; }

    // One tick: runs the handler.
    void Fire() { handler_(); }

    // The interval or the enabled flag changed; the driver follows.
    Event<> Changed;

private:
    int interval_;
    bool enabled_ = false;
    std::function<void()> handler_;
};

}  // namespace veldra
