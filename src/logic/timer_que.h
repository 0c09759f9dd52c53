#pragma once

#include <string>
#include <string_view>

#include "logic/model_collection.h"

namespace veldra {

class BooleanBit;

// One running delay of one bit: the bit takes vValue when the delay has run out. The
// timer reads no clock: every tick of the timer service counts it down by the service's
// interval, so simulated delays follow the ticks.
class TimerQue {
public:
    const std::string& BitName() const { return bitName_; }
    void SetBitName(std::string_view name) { bitName_ = std::string(name); }
    bool vValue() const { return vValue_; }
    void SetvValue(bool value) { vValue_ = value; }
    // The full delay in milliseconds.
    void SetclsTime(float milliseconds) { clsTime_ = milliseconds; }
    float Remaining() const { return vRemaining_; }

    // Starts the countdown from the full delay and writes the timer's immediate-window line.
    void StartTime();
    // The whole seconds left, as text, taken before this tick's step; then one step down
    // by the service interval. Nothing left gives "0" and no step.
    std::string TimeLeft();
    // True on the tick on which the timer's "Time Que" line is due for a refresh.
    bool UpDateDisplay();
    bool TimeFinished() const { return vRemaining_ <= 0; }
    // The expiry: the bit takes vValue with its line, and its readers are queued.
    void UpdateBitValue(BooleanBit& bit) const;
    // Runs the timer out at the next service tick.
    void ForceTimer();

private:
    // Single precision, as the counting and the display marks are defined in it.
    float clsTime_ = 0;
    std::string bitName_;
    bool vValue_ = false;
    float vRemaining_ = 0;
    float vDisplay_ = 0;
};

// The running delay timers, keyed by bit name, at most one per bit.
class clsTimers : public ModelCollection<TimerQue> {
public:
    // Adds a timer that is not started yet; a bit that has one already gets nothing, and
    // its timer is left as it is.
    TimerQue* Add(float clsTime, std::string_view BitName, bool vValue);
    void Remove(std::string_view BitName);
    void Remove(int position);
};

// A request to drop a bit's running timer at the next service tick.
struct CancelTime {
    std::string BitName;
};

class CancelTimers : public ModelCollection<CancelTime> {
public:
    // Records the request; a name already recorded gets nothing.
    CancelTime* Add(std::string_view BitName);
};

// Starts a bit's delay timer towards `value` as the scan and the numeric blocks ask for
// one. A running timer is left alone, unless its cancellation is pending: then the
// cancellation is withdrawn and the timer starts again with the full new delay, so a
// flicker inside one service tick is not lost. Returns the started timer, if any.
TimerQue* StartDelayTimer(clsTimers& running, CancelTimers& cancelled, std::string_view BitName,
                          float delay, bool value);

}  // namespace veldra
