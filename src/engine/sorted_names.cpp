#include "engine/sorted_names.h"

#include <algorithm>

#include "platform/ascii_text.h"

namespace veldra {

bool ListOrderBefore(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(ToUpperAscii(x)) <
               static_cast<unsigned char>(ToUpperAscii(y));
    });
}

std::vector<std::string> SortedNames(std::vector<std::string> names) {
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return ListOrderBefore(a, b);
    });
    return names;
}

void InsertSorted(std::vector<std::string>& names, std::string name) {
    const auto at = std::upper_bound(
        names.begin(), names.end(), name,
        [](const std::string& a, const std::string& b) { return ListOrderBefore(a, b); });
    names.insert(at, std::move(name));
}

}  // namespace veldra
