#include "shell/view_file.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace veldra {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kCaptionRecord = "Card File Caption";
constexpr std::string_view kMainWindow = "Card File";

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

// A whole number of twips, or a state, as written; a decimal is rounded.
std::optional<int> Number(std::string_view line) {
    const std::string text(line);
    const char* begin = text.c_str();
    while (*begin == ' ') {
        ++begin;
    }
    // Only what a number is written with: no hexadecimal, no infinity.
    if (*begin == '\0' || text.find_first_not_of("0123456789+-.eE ") != std::string::npos) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    while (*end == ' ') {
        ++end;
    }
    if (*end != '\0' || !std::isfinite(value) || std::fabs(value) > 1e9) {
        return std::nullopt;
    }
    return int(std::lround(value));
}

// One pass over the file; false at a line that must be a number and is not, or at an
// end that comes inside a record.
bool ApplyPass(const std::vector<std::string_view>& lines, ViewTarget& target) {
    std::size_t at = 0;
    const auto next = [&]() -> std::optional<std::string_view> {
        if (at >= lines.size()) {
            return std::nullopt;
        }
        return lines[at++];
    };
    while (at < lines.size()) {
        const std::string_view first = lines[at++];
        if (first == kCaptionRecord) {
            const std::optional<std::string_view> caption = next();
            if (!caption) {
                return false;
            }
            target.SetMainCaption(std::string(*caption), true);
            continue;
        }
        const int window = target.FindWindow(first);
        if (window < 0) {
            continue;
        }
        const std::optional<std::string_view> stateLine = next();
        const std::optional<int> state = stateLine ? Number(*stateLine) : std::nullopt;
        if (!state || *state < 0 || *state > 2) {
            return false;
        }
        if (target.SetState(window, *state) != 0) {
            continue;
        }
        int values[4] = {};
        for (int& value : values) {
            const std::optional<std::string_view> line = next();
            const std::optional<int> number = line ? Number(*line) : std::nullopt;
            if (!number) {
                return false;
            }
            value = *number;
        }
        target.Place(window, std::max(values[0], 0), std::max(values[1], 0), values[2], values[3]);
    }
    return true;
}

}  // namespace

std::string ViewFileText(const std::vector<ViewWindow>& windows, std::string_view mainCaption) {
    std::string out;
    const auto line = [&out](std::string_view text) { out.append(text).append(kLineEnd); };
    for (const ViewWindow& window : windows) {
        line(window.caption == mainCaption ? kMainWindow : std::string_view(window.caption));
        line(std::to_string(window.state));
        if (window.state == 0) {
            line(std::to_string(window.left));
            line(std::to_string(window.top));
            line(std::to_string(window.height));
            line(std::to_string(window.width));
        }
    }
    line(kCaptionRecord);
    line(mainCaption);
    return out;
}

bool ApplyViewFile(std::string_view text, ViewTarget& target) {
    const std::vector<std::string_view> lines = Lines(text);
    target.SetMainCaption(std::string(kMainWindow), false);
    return ApplyPass(lines, target) && ApplyPass(lines, target);
}

}  // namespace veldra
