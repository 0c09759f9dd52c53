#pragma once

#include <cstddef>
#include <string_view>

namespace veldra::testing {

// How many times `word` stands in `text`, as the entries of one kind in the immediate
// window are counted.
inline std::size_t Occurrences(std::string_view text, std::string_view word) {
    std::size_t count = 0;
    for (std::size_t at = text.find(word); at != std::string_view::npos;
         at = text.find(word, at + 1)) {
        ++count;
    }
    return count;
}

}  // namespace veldra::testing
