#include "logic/user_bits.h"

#include <cmath>
#include <limits>
#include <memory>

#include "platform/runtime_error.h"

namespace veldra {
namespace {

// A number stored as a 16-bit integer: nearest integer, an exact half to the even one.
std::int16_t ToInt16(double value) {
    if (std::isnan(value)) {
        throw RuntimeError(errors::kOverflow);
    }
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        throw RuntimeError(errors::kOverflow);
    }
    return static_cast<std::int16_t>(rounded);
}

}  // namespace

UserBit* UserBits::Add(std::string_view BitName, double BitValue, bool IsNumeric,
                       std::string_view sKey) {
    return AddReported(sKey.empty() ? BitName : sKey, [&] {
        auto entry = std::make_unique<UserBit>();
        entry->BitName = std::string(BitName);
        if (IsNumeric) {
            entry->IsNumeric = true;
            entry->Numeric = ToInt16(BitValue);
        } else {
            entry->BitValue = BitValue != 0;
        }
        return entry;
    });
}

}  // namespace veldra
