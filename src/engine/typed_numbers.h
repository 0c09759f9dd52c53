#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace veldra {

// What the program window's boxes make of the numbers the user types.

// A numeric value box: the number the text starts with, rounded to the nearest whole
// number (a half to the even neighbour); 0 when the text starts with no number. Nothing
// when the number does not fit a 16-bit numeric, rather than a value the bit cannot hold.
std::optional<std::int16_t> ValueBoxNumber(std::string_view text);

// A delay box: a whole number of milliseconds written plainly, so that what is stored is
// what the engineer sees. Nothing for any other writing of it ("007", "+7", " 7", "7.0",
// an empty box) and for a number beyond 32 bits; "-7" is taken (a negative delay is none).
std::optional<std::int32_t> DelayBoxNumber(std::string_view text);

// The timer-service interval box: the whole text read as a number of milliseconds and
// rounded, within what the desktop timer takes (0 to 65,535). Otherwise the description
// of why the timer refuses it.
std::variant<int, std::string> IntervalBoxNumber(std::string_view text);

inline constexpr int kLongestInterval = 65535;
inline constexpr const char* kInvalidPropertyValue = "Invalid property value";

}  // namespace veldra
