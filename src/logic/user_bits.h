#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "logic/model_collection.h"

namespace veldra {

// A configuration value of the controller that the application reads but never
// drives: a user bit (BitValue) or, with IsNumeric, a 16-bit user numeric (Numeric).
struct UserBit {
    std::string BitName;
    bool BitValue = false;
    bool IsNumeric = false;
    std::int16_t Numeric = 0;
};

// User bits and user numerics of the program, keyed by name or by a key the caller
// gives; also a plain keyed list of names with a value for the windows that need one.
class UserBits : public ModelCollection<UserBit> {
public:
    // Adds an entry. A user numeric takes the value rounded to the nearest integer (an
    // exact half to the even neighbour), a user bit takes it as a Boolean (anything but
    // 0 is True). Keyed by sKey, or by the name when sKey is empty. A key already present
    // or a numeric outside the 16-bit range is refused with the model's error question
    // and yields nothing.
    UserBit* Add(std::string_view BitName, double BitValue, bool IsNumeric = false,
                 std::string_view sKey = {});
};

}  // namespace veldra
