#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "loader/source_census.h"
#include "platform/memory_room.h"

namespace veldra {

// What each item of a source costs at the peak of its load, in resident memory and in address
// space (the allocator maps more than it fills), measured in the program as it ships: a
// name, declared or only used, becomes a bit with its name, its slot in the scan's tables
// and its row in the status grid; a statement its text, its parse and its place in the
// scan; a board its window and controls. Each figure takes in the item's own text, which
// the load holds meanwhile.
inline constexpr MemoryNeed kLoadPerBit{208, 272};
// A bit's figure holds a name of up to `kNameBytesInABit` characters (its own copy, the names
// of the status list, the bit status page's row); each character of a name beyond that,
// declared or only used, costs as much again in each place, and the name copies grow past
// what a string holds in itself.
inline constexpr MemoryNeed kLoadPerLongerNameByte{5, 8};
// A name that no section declares, only statements use, costs as much resident memory a
// character but less address space (fitted to 1,065,000 names of 80 characters in 213,000
// statements): its statement's text, priced apart, holds it too.
inline constexpr MemoryNeed kLoadPerLongerUsedNameByte{5, 4};
inline constexpr MemoryNeed kLoadPerStatement{330, 500};
inline constexpr MemoryNeed kLoadPerStatementByte{2, 2};
inline constexpr MemoryNeed kLoadPerBoard{std::uint64_t(120) << 10, std::uint64_t(140) << 10};
// The text of the other sections (tables, numeric blocks, coded outputs, links, the boards'
// own lines), reckoned as a whole source of the usual shape is.
inline constexpr MemoryNeed kLoadPerOtherByte{10, 13};
// A comment is only held, with the rest of the text, to the end of the load.
inline constexpr MemoryNeed kLoadPerCommentByte{1, 1};
// Beside that, an open takes memory of its own, however small the source: the allocator's
// first pieces for the program, the fonts, and the stacks of the threads that paint the
// windows the first time.
inline constexpr MemoryNeed kOpenMemory{std::uint64_t(32) << 20, std::uint64_t(128) << 20};

// The memory a source holding what the census counted takes at the peak of its load.
MemoryNeed MemoryToLoad(const SourceCensus& census);
// The least that a source of that many bytes can take, whatever it holds: the open's own and
// the text itself.
MemoryNeed MemoryToHold(std::uint64_t sourceBytes);

// What a load may take of the memory this process can still be given (`room`, none when
// nothing bounds it): all but the desktop's reserve.
std::optional<std::uint64_t> RoomForLoad(std::optional<std::uint64_t> room);
MemoryRooms RoomForLoad(const MemoryRooms& rooms);

// Why the source at `path`, of `sourceBytes`, which takes `needed`, cannot be loaded in
// `room`, naming the file, its size and the memory it needs of the kind it lacks; nothing
// when it fits or nothing bounds the room.
std::optional<std::string> MemoryShortfall(const std::filesystem::path& path,
                                           std::uint64_t sourceBytes, const MemoryNeed& needed,
                                           const MemoryRooms& room);

// Why the source at `path`, of `sourceBytes`, which takes `load`, cannot be loaded in the
// memory left to this process, its desktop's reserve kept, with `givenBack` more that a
// program about to close will leave; nothing when it fits or nothing bounds the memory.
std::optional<std::string> NoRoomFor(const std::filesystem::path& path, std::uint64_t sourceBytes,
                                     const MemoryNeed& load, const MemoryNeed& givenBack = {});

}  // namespace veldra
