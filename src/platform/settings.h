#pragma once

#include <string>
#include <string_view>

namespace veldra {

// The per-user settings store as the core sees it: text values by section and key under
// the application's title. Section and key names compare without letter case, so "VIEW"
// and "View" are one section. The application installs the real one; tests use their own.
class Settings {
public:
    virtual ~Settings() = default;

    // The stored value, or `defaultValue` when there is none.
    virtual std::string GetSetting(std::string_view section, std::string_view key,
                                   std::string_view defaultValue = {}) const = 0;
    // Stores the value at once, so that a second instance of the program reads it.
    virtual void SaveSetting(std::string_view section, std::string_view key,
                             std::string_view value) = 0;
};

}  // namespace veldra
