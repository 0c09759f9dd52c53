#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace veldra {

// What bounds the memory this process may still take: the machine's free memory and the
// process's own address-space limit.
struct MemoryFigures {
    // Memory the machine can hand out without swapping ("MemAvailable"); none when unknown.
    std::optional<std::uint64_t> available;
    // The process's address-space limit; none when unlimited or unknown.
    std::optional<std::uint64_t> addressLimit;
    // The address space the process takes now.
    std::uint64_t addressInUse = 0;
    // Memory the process's allocator holds free for its next allocations: a program let go
    // leaves it there, taken as far as the system can tell, yet ready for the next.
    std::uint64_t allocatorFree = 0;
};

// Memory of the two kinds the system bounds a process by: resident memory, which the
// machine's free memory bounds, and address space, which the process's limit bounds.
struct MemoryNeed {
    std::uint64_t resident = 0;
    std::uint64_t address = 0;
};

// The bytes of memory of each kind the process can still be given, the allocator's free
// memory included in each; none for a kind that nothing is known to bound.
struct MemoryRooms {
    std::optional<std::uint64_t> resident;
    std::optional<std::uint64_t> address;
};

// The room of each kind that the figures allow.
MemoryRooms RoomsOf(const MemoryFigures& figures);

// The bytes of memory the process can still be given, the least of what the figures allow,
// the allocator's free memory included; none when nothing is known to bound it.
std::optional<std::uint64_t> MemoryRoom(const MemoryFigures& figures);

// A "Name:   value kB" field of a /proc text (meminfo, a process's status), in bytes.
std::optional<std::uint64_t> ProcField(std::string_view text, std::string_view name);

// The figures of this machine and process as they stand.
MemoryFigures CurrentMemoryFigures();

// The room of each kind this process has now, at least as much as `enough` of it when it
// has that much. The allocator's free memory, costly to count in a heap of many small
// pieces, is counted only when what the system reports falls short of `enough`.
MemoryRooms CurrentMemoryRooms(const MemoryNeed& enough);

// What a load leaves to the desktop, however large the source: the windows, the boxes and
// the threads that paint them. A load that would take it is stopped as out of memory,
// while the desktop can still say so; starved of it, the desktop crashes or hangs.
inline constexpr std::uint64_t kDesktopReserve = std::uint64_t(64) << 20;

// Hands what the allocator holds free back to the system, where a thread's stack or a
// window's image can be mapped in it: after a program has gone, before the desktop needs it.
void HandBackFreeMemory();

// Whether the desktop's reserve, and `beside` more, is still free now, or nothing bounds the
// memory. Only what the system itself can still map and hand out counts, after the
// allocator has handed back what it holds free where that falls short.
bool DesktopReserveFree(std::uint64_t beside = 0);

// Ends a load as memory running out does when the desktop's reserve, and `beside` more that
// a step about to come takes where it cannot say it ran out, is no longer free: while the
// box that says so can still be made.
void RequireDesktopReserve(std::uint64_t beside = 0);

}  // namespace veldra
