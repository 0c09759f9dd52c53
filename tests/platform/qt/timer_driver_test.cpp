#include "platform/qt/timer_driver.h"

#include <gtest/gtest.h>

namespace veldra::testing {
namespace {

TEST(TimerDriver, CountsOnlyWhileTheTimerIsEnabledWithAnInterval) {
    Timer timer(50, [] {});
    const TimerDriver driver(timer);
    EXPECT_FALSE(driver.Active());
    timer.SetEnabled(true);
    EXPECT_TRUE(driver.Active());
    timer.SetInterval(0);
    EXPECT_FALSE(driver.Active());
    timer.SetInterval(100);
    EXPECT_TRUE(driver.Active());
}

}  // namespace
}  // namespace veldra::testing
