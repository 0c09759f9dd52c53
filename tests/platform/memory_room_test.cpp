#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "platform/memory_room.h"
#include "support/address_sanitizer.h"

namespace veldra::testing {
namespace {

constexpr std::uint64_t kMB = 1024 * 1024;

TEST(MemoryRoomTest, AProcFieldIsReadInBytesAndAMissingOrBrokenOneIsUnknown) {
    const std::string meminfo =
        "MemTotal:       24576000 kB\n"
        "MemFree:         1200 kB\n"
        "MemAvailable:   15000000 kB\n"
        "Hugepages:      12\n"
        "Broken:         kB\n";
    EXPECT_EQ(ProcField(meminfo, "MemAvailable"), std::optional<std::uint64_t>(15000000 * 1024ULL));
    EXPECT_EQ(ProcField(meminfo, "MemFree"), std::optional<std::uint64_t>(1200 * 1024ULL));
    EXPECT_EQ(ProcField(meminfo, "Hugepages"), std::optional<std::uint64_t>(12));
    // "Mem" is no field of its own, though three fields begin with it.
    EXPECT_EQ(ProcField(meminfo, "Mem"), std::nullopt);
    EXPECT_EQ(ProcField(meminfo, "Broken"), std::nullopt);
    EXPECT_EQ(ProcField("", "MemAvailable"), std::nullopt);
}

struct RoomCase {
    const char* name;
    MemoryFigures figures;
    std::optional<std::uint64_t> room;
};

void PrintTo(const RoomCase& room, std::ostream* out) {
    *out << room.name;
}

class MemoryRoomCases : public ::testing::TestWithParam<RoomCase> {};

TEST_P(MemoryRoomCases, TheRoomIsTheLeastThatTheMachineAndTheLimitAllow) {
    EXPECT_EQ(MemoryRoom(GetParam().figures), GetParam().room);
}

INSTANTIATE_TEST_SUITE_P(
    Figures, MemoryRoomCases,
    ::testing::Values(
        RoomCase{"NothingKnown", {std::nullopt, std::nullopt, 300 * kMB}, std::nullopt},
        RoomCase{"FreeMemoryOnly", {8000 * kMB, std::nullopt, 300 * kMB}, 8000 * kMB},
        RoomCase{"LimitBelowFreeMemory", {8000 * kMB, 1500 * kMB, 300 * kMB}, 1200 * kMB},
        RoomCase{"FreeMemoryBelowLimit", {700 * kMB, 1500 * kMB, 300 * kMB}, 700 * kMB},
        RoomCase{"LimitOnly", {std::nullopt, 1500 * kMB, 300 * kMB}, 1200 * kMB},
        RoomCase{"LimitAlreadyReached", {8000 * kMB, 200 * kMB, 300 * kMB}, 0},
        RoomCase{
            "FreeInTheAllocatorToo", {8000 * kMB, 1500 * kMB, 1400 * kMB, 50 * kMB}, 150 * kMB},
        RoomCase{"NothingKnownButTheAllocator",
                 {std::nullopt, std::nullopt, 0, 50 * kMB},
                 std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// Free memory bounds the resident room, the limit the address room; the allocator's free
// memory counts in both.
TEST(MemoryRoomTest, EachKindOfRoomIsBoundedByItsOwnFigure) {
    const MemoryRooms rooms = RoomsOf({8000 * kMB, 1500 * kMB, 1400 * kMB, 50 * kMB});
    EXPECT_EQ(rooms.resident, 8050 * kMB);
    EXPECT_EQ(rooms.address, 150 * kMB);
    EXPECT_EQ(RoomsOf({std::nullopt, 1500 * kMB, 1600 * kMB}).address, std::uint64_t(0));
    EXPECT_EQ(RoomsOf({700 * kMB, std::nullopt, 300 * kMB}).address, std::nullopt);
}

// This very process: its own limit, when it has one, bounds what it is told it can have.
TEST(MemoryRoomTest, ThisProcessHasAsMuchRoomAsItsMachineReports) {
    const MemoryFigures figures = CurrentMemoryFigures();
    EXPECT_TRUE(figures.available.has_value());
    EXPECT_GT(figures.addressInUse, 0U);
    if (!figures.addressLimit) {
        EXPECT_EQ(MemoryRoom(figures), *figures.available + figures.allocatorFree);
    }
}

// Under an address-space limit, memory the allocator holds free is no room for the desktop: a
// thread's stack or a window's image is mapped beside the allocator. Here the C library's
// heap holds more than the reserve free below a block still in use at its top, where no
// mapping can go; once that block goes too, the heap is handed back and the room is there.
TEST(DesktopRoomTest, OnlyWhatTheSystemCanStillMapIsTheDesktopsRoom) {
#if defined(VELDRA_ADDRESS_SANITIZER)
    GTEST_SKIP() << "the sanitizer's shadow memory takes the address space a limit would bound";
#endif
    const auto heldInTheHeap = [] {
        // One heap, given back only when asked: what the process may map is then known.
        ::mallopt(M_ARENA_MAX, 1);
        ::mallopt(M_MMAP_MAX, 0);
        ::mallopt(M_TRIM_THRESHOLD, 1 << 30);
        constexpr std::size_t kBlock = 4096;
        constexpr std::size_t kHeld = (kDesktopReserve + 16 * kMB) / kBlock;
        std::vector<void*> blocks;
        blocks.reserve(kHeld);
        const std::uint64_t limit =
            CurrentMemoryFigures().addressInUse + kDesktopReserve + 48 * kMB;
        const rlimit held{limit, limit};
        if (::setrlimit(RLIMIT_AS, &held) != 0) {
            std::_Exit(2);
        }
        for (std::size_t i = 0; i < kHeld; ++i) {
            blocks.push_back(std::malloc(kBlock));
        }
        void* volatile top = std::malloc(kBlock);  // kept, at the heap's top, until freed
        for (void* block : blocks) {
            std::free(block);
        }
        const bool freeBelowTheTop = DesktopReserveFree();
        std::free(top);
        const bool freeOnceHandedBack = DesktopReserveFree();
        std::fprintf(stderr, "below the top %d, handed back %d\n", int(freeBelowTheTop),
                     int(freeOnceHandedBack));
        std::_Exit(0);
    };
    EXPECT_EXIT(heldInTheHeap(), ::testing::ExitedWithCode(0),
                "^below the top 0, handed back 1\n$");
}

// A step that cannot say it ran out of memory asks for its own room beside the reserve.
TEST(DesktopRoomTest, TheReserveCanBeAskedForWithRoomBesideIt) {
#if defined(VELDRA_ADDRESS_SANITIZER)
    GTEST_SKIP() << "the sanitizer's shadow memory takes the address space a limit would bound";
#endif
    const auto askedUnderALimit = [] {
        const std::uint64_t limit =
            CurrentMemoryFigures().addressInUse + kDesktopReserve + 32 * kMB;
        const rlimit held{limit, limit};
        if (::setrlimit(RLIMIT_AS, &held) != 0) {
            std::_Exit(2);
        }
        const auto refused = [](std::uint64_t beside) {
            try {
                RequireDesktopReserve(beside);
                return false;
            } catch (const std::bad_alloc&) {
                return true;
            }
        };
        std::fprintf(stderr, "alone %d, beside 16 MB %d, beside 64 MB %d\n", int(refused(0)),
                     int(refused(16 * kMB)), int(refused(64 * kMB)));
        std::_Exit(0);
    };
    EXPECT_EXIT(askedUnderALimit(), ::testing::ExitedWithCode(0),
                "^alone 0, beside 16 MB 0, beside 64 MB 1\n$");
}

}  // namespace
}  // namespace veldra::testing
