#include "book/plot_index.h"

#include <algorithm>

namespace veldra {

IndexColumns::IndexColumns(double lineHeight, std::function<void(const std::string&)> addColumn)
    : lineHeight_(lineHeight), addColumn_(std::move(addColumn)) {}

double IndexColumns::Height(std::string_view text) const {
    std::size_t lines = 1;
    for (std::size_t at = text.find("\r\n"); at != std::string_view::npos;
         at = text.find("\r\n", at + 2)) {
        ++lines;
    }
    return double(lines) * lineHeight_;
}

void IndexColumns::TextOut(std::string_view BitName, std::string_view Pages) {
    if (Pages == "Page(s): ") {
        return;
    }
    const std::string entry =
        std::string(BitName) + "\r\n" +
        std::string(Pages.substr(0, Pages.size() - std::min<std::size_t>(2, Pages.size()))) +
        "\r\n\r\n";
    const std::string measured = IndexPageText + std::string(BitName) + "\r\n" + std::string(Pages);
    // An entry alone taller than a column still gets a column of its own, never an empty one.
    if (Height(measured) < kIndexColumnHeight || IndexPageText.empty()) {
        IndexPageText += entry;
        return;
    }
    addColumn_(IndexPageText);
    IndexPageText = entry;
}

void IndexColumns::Finish() {
    if (!IndexPageText.empty()) {
        addColumn_(IndexPageText);
        IndexPageText.clear();
    }
}

}  // namespace veldra
