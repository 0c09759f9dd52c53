#include "platform/qt/ini_settings.h"

#include <gtest/gtest.h>

namespace veldra::testing {
namespace {

TEST(IniSettings, ASectionIsOneWhateverItsLetterCase) {
    IniSettings settings;
    settings.SaveSetting("VIEW", "EleRes", "150");
    EXPECT_EQ(settings.GetSetting("View", "ELERES", "100"), "150");
    settings.SaveSetting("view", "eleres", "75");
    EXPECT_EQ(settings.GetSetting("VIEW", "EleRes", "100"), "75");
}

TEST(IniSettings, AMissingSettingGivesTheDefault) {
    const IniSettings settings;
    EXPECT_EQ(settings.GetSetting("Sessions", "Unknown", "0"), "0");
}

TEST(IniSettings, ASavedSettingIsReadByTheNextInstance) {
    IniSettings().SaveSetting("Sessions", "SID", "3");
    EXPECT_EQ(IniSettings().GetSetting("SESSIONS", "sid"), "3");
}

TEST(IniSettings, TextComesBackAsItWasSaved) {
    IniSettings settings;
    for (const std::string value : {"", "a, b", "C:\\Apps\\VELDRA", "=;#\xE9"}) {
        settings.SaveSetting("Text", "Value", value);
        EXPECT_EQ(IniSettings().GetSetting("Text", "Value", "none"), value);
    }
}

}  // namespace
}  // namespace veldra::testing
