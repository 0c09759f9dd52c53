#include "platform/qt/ini_settings.h"

#include <gtest/gtest.h>

namespace veldra::testing {
namespace {

TEST(IniSettings, ASectionIsOneWhateverItsCaseAndTheNextInstanceReadsIt) {
    EXPECT_EQ(IniSettings().GetSetting("VIEW", "EleRes", "100"), "100");
    for (const std::string value : {"150", "", "a, b", "C:\\Apps\\=;#\xE9"}) {
        IniSettings().SaveSetting("VIEW", "EleRes", value);
        EXPECT_EQ(IniSettings().GetSetting("View", "ELERES", "100"), value);
    }
}

}  // namespace
}  // namespace veldra::testing
