#include "engine/sorted_names.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "platform/ascii_text.h"

namespace veldra {

bool ListOrderBefore(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(ToUpperAscii(x)) <
               static_cast<unsigned char>(ToUpperAscii(y));
    });
}

namespace {

// Each name folded to capitals once and the folded names compared byte by byte as unsigned
// characters (ListOrderBefore's order); names already in order, as a loader often leaves
// them, are not sorted at all.
template <class Names>
std::vector<std::uint32_t> OrderOf(const Names& names) {
    std::vector<std::string> keys;
    keys.reserve(names.size());
    for (const std::string_view name : names) {
        keys.push_back(UpperCased(name));
    }
    std::vector<std::uint32_t> order(keys.size());
    std::iota(order.begin(), order.end(), 0U);
    if (!std::is_sorted(keys.begin(), keys.end())) {
        std::stable_sort(order.begin(), order.end(),
                         [&keys](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
    }
    return order;
}

}  // namespace

std::vector<std::uint32_t> ListOrder(const NameList& names) {
    return OrderOf(names);
}

std::vector<std::string> SortedNames(std::vector<std::string> names) {
    // The names are moved only once, into their places.
    const std::vector<std::uint32_t> order = OrderOf(names);
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const std::uint32_t at : order) {
        sorted.push_back(std::move(names[at]));
    }
    return sorted;
}

void InsertSorted(std::vector<std::string>& names, std::string name) {
    const auto at = std::upper_bound(
        names.begin(), names.end(), name,
        [](const std::string& a, const std::string& b) { return ListOrderBefore(a, b); });
    names.insert(at, std::move(name));
}

}  // namespace veldra
