#include "engine/timer_page.h"

#include <variant>

#include "engine/program_engine.h"
#include "engine/sorted_names.h"
#include "engine/typed_numbers.h"
#include "platform/platform.h"

namespace veldra {

TimerPage::TimerPage(ProgramEngine& engine)
    : engine_(engine), intervalText_(std::to_string(engine.ServiceTimer().Interval())) {}

void TimerPage::DisplaysChanged() {
    timerBits_ = SortedNames(engine_.Lists().timerBits);
    selected_ = -1;
    Changed.Raise();
}

BooleanBit* TimerPage::SelectedBit() const {
    BooleanBits* bits = engine_.PrgBooleanBits();
    if (bits == nullptr || selected_ < 0 || selected_ >= int(timerBits_.size())) {
        return nullptr;
    }
    return bits->Find(timerBits_[std::size_t(selected_)]);
}

void TimerPage::Select(int line) {
    if (line < 0 || line >= int(timerBits_.size())) {
        return;
    }
    selected_ = line;
    if (const BooleanBit* bit = SelectedBit()) {
        setTimeText_ = std::to_string(bit->OnTime());
        clearTimeText_ = std::to_string(bit->OffTime());
    }
    Changed.Raise();
}

bool TimerPage::EnterSetTime(const std::string& text) {
    return EnterDelay(text, setTimeText_, true);
}

bool TimerPage::EnterClearTime(const std::string& text) {
    return EnterDelay(text, clearTimeText_, false);
}

bool TimerPage::EnterDelay(const std::string& text, std::string& box, bool onDelay) {
    if (DelayBoxNumber(text)) {
        box = text;
        Changed.Raise();
        return true;
    }
    MsgBox(kInvalidDelayPrompt, MsgButtons::Ok, MsgIcon::Information, kInvalidDelayTitle);
    const BooleanBit* bit = SelectedBit();
    box = bit == nullptr ? "0" : std::to_string(onDelay ? bit->OnTime() : bit->OffTime());
    Changed.Raise();
    return false;
}

void TimerPage::StoreDelays() {
    BooleanBit* bit = SelectedBit();
    if (bit == nullptr) {
        return;
    }
    // Both boxes hold only accepted numbers; a box never filled keeps the bit's delay.
    if (const auto onTime = DelayBoxNumber(setTimeText_)) {
        bit->SetOnTime(*onTime);
    }
    if (const auto offTime = DelayBoxNumber(clearTimeText_)) {
        bit->SetOffTime(*offTime);
    }
}

void TimerPage::ForceTimer() {
    const BooleanBit* bit = SelectedBit();
    if (bit == nullptr) {
        return;
    }
    engine_.ForceDelayTimer(bit->BitName());
}

void TimerPage::ApplyInterval() {
    const std::variant<int, std::string> interval = IntervalBoxNumber(intervalText_);
    if (const std::string* refusal = std::get_if<std::string>(&interval)) {
        MsgBox(*refusal, MsgButtons::Ok, MsgIcon::Critical, "Veldra");
        return;
    }
    engine_.ServiceTimer().SetInterval(std::get<int>(interval));
}

}  // namespace veldra
