#include "book/element_size.h"

#include <gtest/gtest.h>

#include "support/map_settings.h"

#include <utility>
#include <vector>

namespace veldra::testing {
namespace {

TEST(ElementSizeTest, AnyStoredValueGivesAUsableSize) {
    const std::vector<std::pair<const char*, int>> cases = {{"75", 75},
                                                            {"0", 1},
                                                            {"-4", 1},
                                                            {"500", 200},
                                                            {"99999999999", 200},
                                                            {"big", 100},
                                                            {" 75 ", 75},
                                                            {"-99999999999999999999", 1},
                                                            {" -99999999999999999999", 1},
                                                            {" 99999999999999999999 ", 200}};
    MapSettings settings;
    EXPECT_EQ(ReadElementSize(settings), 100);
    for (const auto& [stored, size] : cases) {
        settings.values["VIEW/EleRes"] = stored;
        EXPECT_EQ(ReadElementSize(settings), size) << stored;
    }
}

}  // namespace
}  // namespace veldra::testing
