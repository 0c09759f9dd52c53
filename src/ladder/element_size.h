#pragma once

#include <cstdint>

namespace veldra {

class Settings;

// The ladder element size in percent, 100 being the normal size: read once at start-up,
// read by the ladder drawing and changed by printing, as the program's one such setting.
inline std::int16_t EleRes = 100;

// "VIEW"/"EleRes" as a size the drawing can use: a value that is not a number counts as
// 100, so the simulator always starts; others are held to 1..200 (0 counts as 1), as a
// larger element would make the program book's layout page for ever.
std::int16_t ReadElementSize(const Settings& settings);

}  // namespace veldra
