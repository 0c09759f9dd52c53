#pragma once

#include <cstdint>

namespace veldra {

class Settings;

// The ladder element size in percent, 100 being the normal size, stored as "VIEW"/"EleRes":
// each program book is built with it, and its element-size dialog and auto size change it.
// The stored value as a size the drawing can use: a value that is not a number counts as
// 100; others are held to 1..200 (0 counts as 1), as a larger element would make the
// book's layout page for ever.
std::int16_t ReadElementSize(const Settings& settings);
// Stores the size for the books to come.
void SaveElementSize(Settings& settings, std::int16_t size);

}  // namespace veldra
