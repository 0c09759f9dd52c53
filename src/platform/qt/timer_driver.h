#pragma once

#include <QTimer>

#include "platform/event.h"
#include "platform/timer.h"

namespace veldra {

// Ticks a window's timer from the desktop: every interval while the timer is enabled,
// never while its interval is 0. Changing the interval starts the count afresh. It must
// go before the timer it drives.
class TimerDriver {
public:
    explicit TimerDriver(Timer& timer);
    TimerDriver(const TimerDriver&) = delete;
    TimerDriver& operator=(const TimerDriver&) = delete;

    // Whether the desktop is counting towards a tick now.
    bool Active() const { return ticker_.isActive(); }

private:
    void Follow();

    Timer& timer_;
    QTimer ticker_;
    Subscription changed_;
};

}  // namespace veldra
