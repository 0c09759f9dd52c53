#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace veldra {

class BooleanBits;
class LoadContext;

// Reads the "TIMER BITS" section: groups of bit names, each with an on-delay ("SET") and
// an off-delay ("CLEAR") in MSEC, SEC or MIN, handed to the program window as whole
// milliseconds:
//   T1, T2 : SET = 2 : MIN,
//   CLEAR = 500 : MSEC;
// Both delays may share one line; a ";" straight after the SET delay leaves no off-delay.
class TimerReader {
public:
    explicit TimerReader(LoadContext& context);
    ~TimerReader();

    // Reads one piece; true at a section keyword, which ends the section. A group that the
    // keyword breaks off is finished in the next "TIMER BITS" section.
    bool GetTimers(std::string_view piece);
    // The source is over: a group read only in part is handed on with the delays it has.
    void EndOfSource();

private:
    enum class Expect { Names, SetTime, ClearTime };

    void ReadWord(std::string_view word);
    void ReadSeparator(char mark);
    void CompleteTime();
    void HandOn();

    LoadContext& context_;
    std::unique_ptr<BooleanBits> group_;
    Expect expect_ = Expect::Names;
    std::optional<double> value_;
    std::optional<std::int32_t> unit_;
    // A group with a mistake is dropped up to its ";", so that one mistake gives one message.
    bool skipGroup_ = false;
};

}  // namespace veldra
