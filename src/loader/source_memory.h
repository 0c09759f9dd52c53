#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace veldra {

// At the peak of its load a source takes about this many times its own size in memory
// (the bits, statements and scan tables it becomes, with the text itself).
inline constexpr std::uint64_t kLoadPeakPerSourceByte = 10;

// What a load leaves to the desktop, however large the source: the windows, the boxes and
// the threads that paint them. A load that would take it is stopped as out of memory,
// while the desktop can still say so; starved of it, the desktop crashes or hangs.
inline constexpr std::uint64_t kDesktopReserve = std::uint64_t(64) << 20;

// The memory a source of that many bytes takes at the peak of its load.
std::uint64_t MemoryToLoad(std::uint64_t sourceBytes);

// What a load may take of the memory this process can still be given (`room`, none when
// nothing bounds it): all but the desktop's reserve.
std::optional<std::uint64_t> RoomForLoad(std::optional<std::uint64_t> room);

// Why the source at `path`, of `sourceBytes`, cannot be loaded in `room` bytes, naming the
// file, its size and the memory it needs; nothing when it fits or nothing bounds the room.
std::optional<std::string> MemoryShortfall(const std::filesystem::path& path,
                                           std::uint64_t sourceBytes,
                                           std::optional<std::uint64_t> room);

}  // namespace veldra
