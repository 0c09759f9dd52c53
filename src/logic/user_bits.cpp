#include "logic/user_bits.h"

#include "logic/numbers.h"

#include <memory>

namespace veldra {

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
