#pragma once

#include <cstdint>
#include <string_view>

#include "logic/boolean_bit.h"
#include "logic/model_collection.h"
#include "platform/event.h"

namespace veldra {

// The keyed collection of bits: every bit of the program, and also the pending inputs,
// the changed board bits and a track window's received bits. It re-raises BitChanged
// for exactly one bit: the one it last handed out with Item or found with Add.
class BooleanBits : public ForwardingCollection<BooleanBit> {
public:
    BooleanBits() = default;
    BooleanBits(const BooleanBits&) = delete;
    BooleanBits& operator=(const BooleanBits&) = delete;

    // Creates the bit, or, when the name exists, sets that bit's value without an
    // immediate-window line and returns nothing. The bit named "1" is always born True.
    // IsTimer is ignored: a bit is a timer bit when it has a delay.
    BooleanBit* Add(std::string_view BitName, bool BitValue, bool IsTimer = false,
                    std::int32_t OnTime = 0, std::int32_t OffTime = 0, bool IsFormBit = false);

    // Adds a new bit and then sets its first value with its immediate-window line. A
    // name that exists yields nothing and changes nothing, silently.
    BooleanBit* AddIO(std::string_view BitName, bool IsFormBit, bool BitValue);

    Event<std::int16_t, bool> BitChanged;

private:
    friend class BooleanBit;
    void ForwardBitChanged(const BooleanBit& bit);
};

}  // namespace veldra
