#include "platform/memory_room.h"

#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <new>
#include <string>

// jemalloc's statistics, when the program is linked with it (the simulator is; its tests
// are not): then it, not the C library, holds the free memory.
extern "C" int mallctl(const char* name, void* oldValue, std::size_t* oldLength, void* newValue,
                       std::size_t newLength) __attribute__((weak));

namespace veldra {
namespace {

std::string TextOf(const char* procFile) {
    std::ifstream in(procFile);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::uint64_t JemallocStatistic(const char* name) {
    std::size_t value = 0;
    std::size_t length = sizeof value;
    return mallctl(name, &value, &length, nullptr, 0) == 0 ? value : 0;
}

std::uint64_t AllocatorFree() {
    if (mallctl != nullptr) {
        std::uint64_t epoch = 1;
        std::size_t length = sizeof epoch;
        mallctl("epoch", &epoch, &length, &epoch, length);  // the figures as they are now
        const std::uint64_t mapped = JemallocStatistic("stats.mapped");
        const std::uint64_t allocated = JemallocStatistic("stats.allocated");
        return (mapped > allocated ? mapped - allocated : 0) + JemallocStatistic("stats.retained");
    }
    return mallinfo2().fordblks;
}

// The figures the system gives, without the allocator's.
MemoryFigures SystemMemoryFigures() {
    MemoryFigures figures;
    figures.available = ProcField(TextOf("/proc/meminfo"), "MemAvailable");
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        figures.addressLimit = std::uint64_t(limit.rlim_cur);
    }
    figures.addressInUse = ProcField(TextOf("/proc/self/status"), "VmSize").value_or(0);
    return figures;
}

// The lesser of the two rooms; none when neither is known.
std::optional<std::uint64_t> LeastOf(const MemoryRooms& rooms) {
    if (rooms.resident && rooms.address) {
        return std::min(*rooms.resident, *rooms.address);
    }
    return rooms.resident ? rooms.resident : rooms.address;
}

}  // namespace

MemoryRooms RoomsOf(const MemoryFigures& figures) {
    MemoryRooms rooms;
    if (figures.available) {
        rooms.resident = *figures.available + figures.allocatorFree;
    }
    if (figures.addressLimit) {
        const std::uint64_t underLimit = *figures.addressLimit > figures.addressInUse
                                             ? *figures.addressLimit - figures.addressInUse
                                             : 0;
        rooms.address = underLimit + figures.allocatorFree;
    }
    return rooms;
}

std::optional<std::uint64_t> MemoryRoom(const MemoryFigures& figures) {
    return LeastOf(RoomsOf(figures));
}

std::optional<std::uint64_t> ProcField(std::string_view text, std::string_view name) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (!line.starts_with(name) || line.substr(name.size()).find(':') != 0) {
            continue;
        }
        line.remove_prefix(name.size() + 1);
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        std::uint64_t value = 0;
        const auto [rest, error] = std::from_chars(line.data(), line.data() + line.size(), value);
        if (error != std::errc{}) {
            return std::nullopt;
        }
        const bool inKilobytes =
            std::string_view(rest, line.data() + line.size()).find("kB") != std::string_view::npos;
        return inKilobytes ? value * 1024 : value;
    }
    return std::nullopt;
}

MemoryFigures CurrentMemoryFigures() {
    MemoryFigures figures = SystemMemoryFigures();
    figures.allocatorFree = AllocatorFree();
    return figures;
}

MemoryRooms CurrentMemoryRooms(const MemoryNeed& enough) {
    MemoryFigures figures = SystemMemoryFigures();
    const MemoryRooms rooms = RoomsOf(figures);
    const bool shortOfResident = rooms.resident && *rooms.resident < enough.resident;
    const bool shortOfAddress = rooms.address && *rooms.address < enough.address;
    if (!shortOfResident && !shortOfAddress) {
        return rooms;
    }
    figures.allocatorFree = AllocatorFree();
    return RoomsOf(figures);
}

void HandBackFreeMemory() {
    if (mallctl != nullptr) {
        // Every arena's ("arena.<all>": jemalloc's MALLCTL_ARENAS_ALL, 4096), unmapped at once
        // rather than after the decay time, since the program's allocator keeps no address
        // space for itself (src/platform/program_allocator.cpp).
        mallctl("arena.4096.purge", nullptr, nullptr, nullptr, 0);
        return;
    }
    ::malloc_trim(0);
}

namespace {

std::optional<std::uint64_t> DesktopRoom(std::uint64_t enough) {
    // The allocator's free memory is no room of the desktop's: a thread's stack and a
    // window's shared image are mapped anew, beside the allocator. What it holds is handed
    // back only when the room falls short, for handing back takes time in a large heap.
    // Nor is anything handed back where what it holds could not make up the shortfall: the
    // checks of a large load near the limit would each pay for a purge in vain.
    std::optional<std::uint64_t> room = MemoryRoom(SystemMemoryFigures());
    if (room && *room <= enough && AllocatorFree() > enough - *room) {
        HandBackFreeMemory();
        room = MemoryRoom(SystemMemoryFigures());
    }
    return room;
}

}  // namespace

bool DesktopReserveFree(std::uint64_t beside) {
    const std::uint64_t enough = kDesktopReserve + std::min(beside, ~kDesktopReserve);
    const std::optional<std::uint64_t> room = DesktopRoom(enough);
    return !room || *room > enough;
}

void RequireDesktopReserve(std::uint64_t beside) {
    if (!DesktopReserveFree(beside)) {
        throw std::bad_alloc();
    }
}

}  // namespace veldra
