#pragma once

#include <string>
#include <vector>

#include "platform/event.h"

namespace veldra {

class BooleanBit;
class ProgramEngine;

// The "Time Que" page: the timer bits with their on- and off-delays, which the engineer
// may change, a running timer that can be run out at once, and the interval of the
// timer service that counts every running delay down. The running timers themselves
// are the engine's TimersText() and TimerCount().
class TimerPage {
public:
    static constexpr const char* kInvalidDelayPrompt =
        "Enter number has whole integer in milliseconds";
    static constexpr const char* kInvalidDelayTitle = "Invalid Entry";

    explicit TimerPage(ProgramEngine& engine);

    // Takes the timer bits as load completion listed them, in list order.
    void DisplaysChanged();
    const std::vector<std::string>& TimerBits() const { return timerBits_; }

    // The chosen timer bit, from 0; -1 when none. Choosing one shows its delays.
    int Selected() const { return selected_; }
    void Select(int line);

    // The delay boxes, in milliseconds. A text that is not a plain whole number is
    // refused with a message: the box gets the stored delay back and false is returned.
    const std::string& SetTimeText() const { return setTimeText_; }
    const std::string& ClearTimeText() const { return clearTimeText_; }
    bool EnterSetTime(const std::string& text);
    bool EnterClearTime(const std::string& text);
    // "Set": stores both delays into the chosen bit. A running timer keeps its time.
    void StoreDelays();
    // "Force": the chosen bit's running timer expires at the next service tick.
    void ForceTimer();

    // The timer-service interval box, "100" as the window opens.
    const std::string& IntervalText() const { return intervalText_; }
    void SetIntervalText(std::string text) { intervalText_ = std::move(text); }
    // "Set": the timer service ticks at the typed interval; a text it cannot take is
    // reported and changes nothing.
    void ApplyInterval();

    // Raised after anything shown here changed.
    Event<> Changed;

private:
    BooleanBit* SelectedBit() const;
    bool EnterDelay(const std::string& text, std::string& box, bool onDelay);

    ProgramEngine& engine_;
    std::vector<std::string> timerBits_;
    int selected_ = -1;
    std::string setTimeText_;
    std::string clearTimeText_;
    std::string intervalText_;
};

}  // namespace veldra
