#include "loader/source_memory.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace veldra::testing {
namespace {

constexpr std::uint64_t kMB = 1024 * 1024;

// A 200 MB source takes about 2,728 MB of address space and 2,064 MB of resident memory
// (thirteen and ten times its size, and the open's own 128 MB and 64 MB).
struct ShortfallCase {
    const char* name;
    MemoryRooms room;
    std::optional<std::string> shortfall;
};

void PrintTo(const ShortfallCase& shortfall, std::ostream* out) {
    *out << shortfall.name;
}

class ShortfallCases : public ::testing::TestWithParam<ShortfallCase> {};

TEST_P(ShortfallCases, ASourceIsRefusedWhenEitherKindOfMemoryFallsShortNamingWhatItLacks) {
    EXPECT_EQ(MemoryShortfall("/srv/HOLT.ml2", 200 * kMB, GetParam().room), GetParam().shortfall);
}

INSTANTIATE_TEST_SUITE_P(
    Rooms, ShortfallCases,
    ::testing::Values(
        ShortfallCase{"NothingBounds", {std::nullopt, std::nullopt}, std::nullopt},
        ShortfallCase{"BothJustEnough", {2064 * kMB, 2728 * kMB}, std::nullopt},
        ShortfallCase{"AddressSpaceShort",
                      {8000 * kMB, 2700 * kMB},
                      "Not enough memory to load /srv/HOLT.ml2: the file is 200 MB, loading it "
                      "takes about 2,728 MB and only 2,700 MB can be given"},
        ShortfallCase{"FreeMemoryShortWithNoLimit",
                      {2063 * kMB, std::nullopt},
                      "Not enough memory to load /srv/HOLT.ml2: the file is 200 MB, loading it "
                      "takes about 2,064 MB and only 2,063 MB can be given"},
        ShortfallCase{"BothShortTheLimitNamed",
                      {1000 * kMB, 1000 * kMB + kMB / 2},
                      "Not enough memory to load /srv/HOLT.ml2: the file is 200 MB, loading it "
                      "takes about 2,728 MB and only 1,000 MB can be given"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SourceMemoryTest, AnyRoomLeavesTheDesktopItsReserveAndNoSourceOverflowsTheNeed) {
    EXPECT_EQ(RoomForLoad(MemoryRooms{100 * kMB, 32 * kMB}).resident, 36 * kMB);
    EXPECT_EQ(RoomForLoad(MemoryRooms{100 * kMB, 32 * kMB}).address, std::uint64_t(0));
    EXPECT_EQ(RoomForLoad(MemoryRooms{}).address, std::nullopt);
    const MemoryNeed most = MemoryToLoad(std::uint64_t(1) << 62);
    EXPECT_EQ(most.address, std::numeric_limits<std::uint64_t>::max());
    EXPECT_GE(most.resident, std::uint64_t(1) << 62);
}

}  // namespace
}  // namespace veldra::testing
