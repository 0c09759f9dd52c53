#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/settings.h"

namespace veldra::testing {

// Settings held in memory, "SECTION/KEY" to value, as a test sets and reads them.
class MapSettings final : public Settings {
public:
    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const override {
        const auto found = values.find(std::string(section) + "/" + std::string(key));
        return found == values.end() ? std::string(defaultValue) : found->second;
    }
    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view value) override {
        values[std::string(section) + "/" + std::string(key)] = value;
    }
    std::map<std::string, std::string> values;
};

}  // namespace veldra::testing
