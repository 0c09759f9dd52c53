#include "platform/qt/ini_settings.h"

#include "platform/ascii_text.h"
#include "platform/qt/qt_text.h"

namespace veldra {
namespace {

QString FoldedKey(std::string_view section, std::string_view key) {
    return ToQString(UpperCased(section) + '/' + UpperCased(key));
}

}  // namespace

IniSettings::IniSettings() : store_(QSettings::IniFormat, QSettings::UserScope, "VELDRA") {}

std::string IniSettings::GetSetting(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    // Another instance of the program may have saved since (the session counter).
    store_.sync();
    const QVariant value = store_.value(FoldedKey(section, key));
    return value.isValid() ? ToStdString(value.toString()) : std::string(defaultValue);
}

void IniSettings::SaveSetting(std::string_view section, std::string_view key,
                              std::string_view value) {
    store_.setValue(FoldedKey(section, key), ToQString(value));
    store_.sync();
}

}  // namespace veldra
