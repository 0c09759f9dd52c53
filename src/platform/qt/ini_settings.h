#pragma once

#include <QSettings>

#include "platform/settings.h"

namespace veldra {

// The settings of this user in "VELDRA.ini" under the per-user configuration folder.
// Section and key names are kept upper-cased, so any spelling finds the same value.
class IniSettings final : public Settings {
public:
    IniSettings();

    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view defaultValue = {}) const override;
    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view value) override;

private:
    mutable QSettings store_;
};

}  // namespace veldra
