#include "book/element_size.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "platform/settings.h"

namespace veldra {
namespace {

constexpr const char* kSection = "VIEW";
constexpr const char* kKey = "EleRes";

}  // namespace

std::int16_t ReadElementSize(const Settings& settings) {
    const std::string text = settings.GetSetting(kSection, kKey, "100");
    long size = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    while (first != last && *first == ' ') {
        ++first;
    }
    while (last != first && last[-1] == ' ') {
        --last;
    }
    const auto [end, error] = std::from_chars(first, last, size);
    if (error == std::errc::result_out_of_range) {
        return *first == '-' ? 1 : 200;
    }
    if (error != std::errc() || end != last) {
        return 100;
    }
    return std::int16_t(std::clamp(size, 1L, 200L));
}

void SaveElementSize(Settings& settings, std::int16_t size) {
    settings.SaveSetting(kSection, kKey, std::to_string(size));
}

}  // namespace veldra
