#include "platform/qt/timer_driver.h"

namespace veldra {

TimerDriver::TimerDriver(Timer& timer) : timer_(timer) {
    QObject::connect(&ticker_, &QTimer::timeout, [this] {
        // A tick queued just before the timer stopped is not delivered.
        if (timer_.Ticking()) {
            timer_.Fire();
        }
    });
    changed_ = timer_.Changed.Subscribe([this] { Follow(); });
    Follow();
}

void TimerDriver::Follow() {
    if (timer_.Ticking()) {
        ticker_.start(timer_.Interval());
    } else {
        ticker_.stop();
    }
}

}  // namespace veldra
