#include "loader/timer_reader.h"

#include <cmath>
#include <limits>

#include "engine/program_engine.h"
#include "loader/keywords.h"
#include "loader/load_context.h"
#include "loader/source_values.h"
#include "logic/boolean_bits.h"
#include "platform/runtime_error.h"

namespace veldra {
namespace {

// The unit a word names, in milliseconds; MSEC first, as it holds SEC too.
std::optional<std::int32_t> UnitOf(std::string_view word) {
    if (Contains(word, "MSEC")) {
        return 1;
    }
    if (Contains(word, "SEC")) {
        return 1000;
    }
    if (Contains(word, "MIN")) {
        return 60 * 1000;
    }
    return std::nullopt;
}

}  // namespace

TimerReader::TimerReader(LoadContext& context) : context_(context) {}

TimerReader::~TimerReader() = default;

bool TimerReader::GetTimers(std::string_view piece) {
    if (KeyWord(piece)) {
        // A group broken off by another section goes on in the next "TIMER BITS" section:
        // its names and the delay it awaits are kept, so that a later "CLEAR = 2 : SEC;"
        // is read as the group's off-delay and never as bit names.
        skipGroup_ = false;
        return true;
    }
    if (!group_) {
        group_ = std::make_unique<BooleanBits>();
    }
    if (skipGroup_) {
        if (!Contains(piece, ";")) {
            return false;
        }
        piece.remove_prefix(piece.find(';') + 1);
        skipGroup_ = false;
    }
    const bool read = context_.Guard([&] {
        std::size_t wordStart = 0;
        for (std::size_t at = 0; at <= piece.size(); ++at) {
            const char c = at < piece.size() ? piece[at] : ' ';
            if (c != ' ' && c != ',' && c != ';' && c != ':' && c != '=') {
                continue;
            }
            if (at > wordStart) {
                ReadWord(piece.substr(wordStart, at - wordStart));
            }
            if (c != ' ') {
                ReadSeparator(c);
            }
            wordStart = at + 1;
        }
    });
    if (!read) {
        group_ = std::make_unique<BooleanBits>();
        expect_ = Expect::Names;
        value_.reset();
        unit_.reset();
        skipGroup_ = !Contains(piece, ";");
    }
    return false;
}

void TimerReader::ReadWord(std::string_view word) {
    if (word == "FIXED" || word == "ADJUSTABLE") {
        return;
    }
    switch (expect_) {
        case Expect::Names:
            group_->Add(word, false, true, 0, 0, false);
            return;
        case Expect::SetTime:
            if (word == "SET") {
                return;
            }
            if (word == "CLEAR" && !value_ && !unit_) {
                expect_ = Expect::ClearTime;  // no on-delay given
                return;
            }
            break;
        case Expect::ClearTime:
            if (word == "CLEAR") {
                return;
            }
            break;
    }
    if (!value_) {
        if (const auto unit = UnitOf(word); unit && !unit_) {
            unit_ = unit;
            return;
        }
        value_ = SourceNumber(word);
    } else if (const auto unit = UnitOf(word); unit && !unit_) {
        unit_ = unit;
    } else {
        throw RuntimeError("The timer unit " + Excerpt(word) + " is not MSEC, SEC or MIN");
    }
    CompleteTime();
}

void TimerReader::ReadSeparator(char mark) {
    if (mark == ':' && expect_ == Expect::Names) {
        expect_ = Expect::SetTime;
    } else if (mark == ';' && expect_ != Expect::Names && !value_ && !unit_) {
        HandOn();  // the group closes without (further) delays
    }
}

void TimerReader::CompleteTime() {
    if (!value_ || !unit_) {
        return;
    }
    // Scaled before rounding, so that half a second is 500 ms.
    const double ms = std::nearbyint(*value_ * *unit_);
    value_.reset();
    unit_.reset();
    if (!(ms >= std::numeric_limits<std::int32_t>::min() &&
          ms <= std::numeric_limits<std::int32_t>::max())) {
        throw RuntimeError(errors::kOverflow);
    }
    const auto time = static_cast<std::int32_t>(ms);
    for (BooleanBit& bit : *group_) {
        if (expect_ == Expect::SetTime) {
            bit.SetOnTime(time);
        } else {
            bit.SetOffTime(time);
        }
    }
    if (expect_ == Expect::SetTime) {
        expect_ = Expect::ClearTime;
    } else {
        HandOn();
    }
}

void TimerReader::HandOn() {
    if (group_ && group_->Count() > 0) {
        context_.Engine().UpDateTimers(*group_);
    }
    group_ = std::make_unique<BooleanBits>();
    expect_ = Expect::Names;
    value_.reset();
    unit_.reset();
}

void TimerReader::EndOfSource() {
    skipGroup_ = false;
    if (group_ && group_->Count() > 0) {
        HandOn();
    }
    expect_ = Expect::Names;
    value_.reset();
    unit_.reset();
}

}  // namespace veldra
