#include "logic/text_helpers.h"

#include <algorithm>
#include <cstddef>

#include "logic/model_error.h"
#include "platform/ascii_text.h"
#include "platform/runtime_error.h"

namespace veldra {
namespace {

bool IsPrintableAscii(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 33 && code <= 126;
}

// The 1-based position of the first occurrence of key in text, 0 when absent. Empty
// text contains nothing, not even the empty key.
std::ptrdiff_t FirstPosition(std::string_view text, std::string_view key) {
    if (text.empty()) {
        return 0;
    }
    const std::size_t at = text.find(key);
    return at == std::string_view::npos ? 0 : std::ptrdiff_t(at) + 1;
}

}  // namespace

std::string TrimUpper(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && !IsPrintableAscii(text[first])) {
        ++first;
    }
    while (last > first && !IsPrintableAscii(text[last - 1])) {
        --last;
    }
    return UpperCased(text.substr(first, last - first));
}

std::string TextAfter(std::string_view text, std::string_view key) {
    return GuardModel(ProgressWindow::Close, std::string(), [&] {
        const std::string upper = UpperCased(text);
        const std::string upperKey = UpperCased(key);
        const std::ptrdiff_t position = FirstPosition(upper, upperKey);
        const std::ptrdiff_t count =
            std::ptrdiff_t(upper.size()) - position - std::ptrdiff_t(upperKey.size()) + 1;
        if (count < 0) {
            throw RuntimeError(errors::kInvalidProcedureCall);
        }
        const std::size_t keep = std::min(std::size_t(count), upper.size());
        return upper.substr(upper.size() - keep);
    });
}

std::string TextBefore(std::string_view text, std::string_view key) {
    return GuardModel(ProgressWindow::Close, std::string(), [&] {
        const std::string upper = UpperCased(text);
        const std::ptrdiff_t position = FirstPosition(upper, UpperCased(key));
        if (position == 0) {
            throw RuntimeError(errors::kInvalidProcedureCall);
        }
        return upper.substr(0, std::size_t(position - 1));
    });
}

std::string AssignText(std::string_view expression,
                       const std::vector<std::string>& resultBitNames) {
    return "ASSIGN " + std::string(expression) + ResultsText(resultBitNames);
}

std::string ResultsText(const std::vector<std::string>& resultBitNames) {
    std::string text = " TO ";
    for (std::size_t i = 0; i < resultBitNames.size(); ++i) {
        if (i > 0) {
            text += ", ";
        }
        text += resultBitNames[i];
    }
    return text + ";";
}

std::string SpaceOperators(std::string_view expression) {
    std::string out;
    out.reserve(expression.size() * 2);
    for (const char c : expression) {
        if (c == '@' || c == '*' || c == '+') {
            out += ' ';
            out += c;
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<std::string_view> SplitViews(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    for (std::size_t at; (at = text.find(separator)) != std::string_view::npos;) {
        pieces.push_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    pieces.push_back(text);
    return pieces;
}

}  // namespace veldra
