#pragma once

#include <string_view>

namespace veldra {

// Opens the statement that assigns the bit of that name. Until the statement viewer
// exists it says "No Statement Found" for every name, as it does for a bit no statement
// assigns; every way of opening a bit's statement comes through here.
void ShowBitAssign(std::string_view BitName);

}  // namespace veldra
