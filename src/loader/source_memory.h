#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/memory_room.h"

namespace veldra {

// At the peak of its load a source takes about this many times its own size in resident
// memory (the bits, statements and scan tables it becomes, with the text itself) ...
inline constexpr std::uint64_t kLoadResidentPerSourceByte = 10;
// ... and this many times its size in address space: the allocator maps more than it fills.
inline constexpr std::uint64_t kLoadAddressPerSourceByte = 13;
// Beside that, an open takes memory of its own, however small the source: the allocator's
// first pieces for the program, the fonts, and the stacks of the threads that paint the
// windows the first time.
inline constexpr MemoryNeed kOpenMemory{std::uint64_t(64) << 20, std::uint64_t(128) << 20};

// What a load leaves to the desktop, however large the source: the windows, the boxes and
// the threads that paint them. A load that would take it is stopped as out of memory,
// while the desktop can still say so; starved of it, the desktop crashes or hangs.
inline constexpr std::uint64_t kDesktopReserve = std::uint64_t(64) << 20;

// The memory a source of that many bytes takes at the peak of its load.
MemoryNeed MemoryToLoad(std::uint64_t sourceBytes);

// What a load may take of the memory this process can still be given (`room`, none when
// nothing bounds it): all but the desktop's reserve.
std::optional<std::uint64_t> RoomForLoad(std::optional<std::uint64_t> room);
MemoryRooms RoomForLoad(const MemoryRooms& rooms);

// Why the source at `path`, of `sourceBytes`, cannot be loaded in `room`, naming the file,
// its size and the memory it needs of the kind it lacks; nothing when it fits or nothing
// bounds the room.
std::optional<std::string> MemoryShortfall(const std::filesystem::path& path,
                                           std::uint64_t sourceBytes, const MemoryRooms& room);

}  // namespace veldra
