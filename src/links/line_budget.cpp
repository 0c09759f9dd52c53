#include "links/line_budget.h"

namespace veldra::links {

bool LineBudget::Admit() {
    open_ = true;
    if (written_ < linesPerWindow_) {
        ++written_;
        return true;
    }
    ++leftOut_;
    return false;
}

std::optional<std::string> LineBudget::Close() {
    const int leftOut = leftOut_;
    open_ = false;
    written_ = 0;
    leftOut_ = 0;
    if (leftOut == 0)
        return std::nullopt;
    return std::to_string(leftOut) + (leftOut == 1 ? " more line" : " more lines") + " left out";
}

std::string Printable(std::string_view text, std::size_t limit) {
    std::string shown;
    for (const char c : text.substr(0, limit)) {
        const auto byte = static_cast<unsigned char>(c);
        shown += byte >= 0x20 && byte < 0x7f ? c : '?';
    }
    if (text.size() > limit)
        shown += "...";
    return shown;
}

}  // namespace veldra::links
