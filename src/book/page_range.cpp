#include "book/page_range.h"

#include <algorithm>

namespace veldra {

int PageNumberIn(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ') {
        ++at;
    }
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        // Far beyond any book: held there so that a long row of digits cannot overflow.
        value = std::min(value * 10 + (text[at] - '0'), 1000000000LL);
    }
    return int(value);
}

std::optional<std::string> RefusePageBox(PageBox box, std::string_view fromText,
                                         std::string_view toText, int endPage) {
    const int from = PageNumberIn(fromText);
    const int to = PageNumberIn(toText);
    if (box == PageBox::From) {
        if (from < 1 || from > endPage || to < from) {
            return "You must enter a number greater than zero, less than the Max pages and less "
                   "than the 'To' page.";
        }
    } else if (to < 1 || to > endPage || from > to) {
        return "You must enter a number greater than zero, less than the max pages and greater "
               "than the 'From' page.";
    }
    return std::nullopt;
}

}  // namespace veldra
