#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/name_list.h"

namespace veldra {

// The order of the program window's sorted lists (the Force Bit check list, the timer
// list, the numeric status list, the filter and watch lists): alphabetical with letter
// case ignored, so that "Tr1" and "TR2" sit together as the engineer reads them.

// True when `a` comes before `b` in list order.
bool ListOrderBefore(std::string_view a, std::string_view b);

// The names in list order; names that differ only in case keep their relative order.
std::vector<std::string> SortedNames(std::vector<std::string> names);

// The positions of `names` taken in list order: names that differ only in case keep their
// relative order.
std::vector<std::uint32_t> ListOrder(const NameList& names);

// Puts the name into an already sorted list at its place.
void InsertSorted(std::vector<std::string>& names, std::string name);

}  // namespace veldra
