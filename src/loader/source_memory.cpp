#include "loader/source_memory.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace veldra {
namespace {

constexpr std::uint64_t kMegabyte = 1024 * 1024;

// Whole megabytes, rounded up so that a need is never understated, with the thousands
// grouped: "1,990 MB".
std::string Megabytes(std::uint64_t bytes) {
    std::string digits = std::to_string((bytes + kMegabyte - 1) / kMegabyte);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(std::size_t(at), ",");
    }
    return digits + " MB";
}

// `bytes` times `factor`, and `more` beside, held to the largest number there is.
std::uint64_t Scaled(std::uint64_t bytes, std::uint64_t factor, std::uint64_t more = 0) {
    constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();
    return bytes > (kMost - more) / factor ? kMost : bytes * factor + more;
}

// Why `needed` does not fit in `room`; nothing when it does or nothing bounds the room.
std::optional<std::string> Shortfall(const std::filesystem::path& path, std::uint64_t sourceBytes,
                                     std::uint64_t needed, std::optional<std::uint64_t> room) {
    if (!room || needed <= *room) {
        return std::nullopt;
    }
    return "Not enough memory to load " + path.string() + ": the file is " +
           Megabytes(sourceBytes) + ", loading it takes about " + Megabytes(needed) + " and only " +
           Megabytes(*room / kMegabyte * kMegabyte) + " can be given";
}

// What must be free for a load that takes `load`, the desktop's reserve included, less what
// `givenBack` will free first.
std::uint64_t ToBeFree(std::uint64_t load, std::uint64_t givenBack) {
    const std::uint64_t needed =
        std::min(load, std::numeric_limits<std::uint64_t>::max() - kDesktopReserve) +
        kDesktopReserve;
    return needed > givenBack ? needed - givenBack : 0;
}

// `room` with `more` in it, when it is bounded.
std::optional<std::uint64_t> With(std::optional<std::uint64_t> room, std::uint64_t more) {
    if (room) {
        *room = *room > std::numeric_limits<std::uint64_t>::max() - more
                    ? std::numeric_limits<std::uint64_t>::max()
                    : *room + more;
    }
    return room;
}

}  // namespace

MemoryNeed MemoryToLoad(const SourceCensus& census) {
    const auto need = [&](std::uint64_t MemoryNeed::*kind) {
        std::uint64_t total = kOpenMemory.*kind;
        const std::uint64_t inBits = census.declarations > std::uint64_t(-1) / kNameBytesInABit
                                         ? std::uint64_t(-1)
                                         : census.declarations * kNameBytesInABit;
        // The declared names are counted to the character; the different words, estimated,
        // hold them and the names only used.
        const std::uint64_t longerNameBytes =
            census.declaredNameBytes > inBits ? census.declaredNameBytes - inBits : 0;
        const std::uint64_t longerUsedNameBytes =
            census.longerNameBytes > longerNameBytes ? census.longerNameBytes - longerNameBytes : 0;
        for (const auto& [count, each] :
             {std::pair{std::max(census.declarations, census.names), kLoadPerBit},
              std::pair{longerNameBytes, kLoadPerLongerNameByte},
              std::pair{longerUsedNameBytes, kLoadPerLongerUsedNameByte},
              std::pair{census.statements, kLoadPerStatement},
              std::pair{census.statementBytes, kLoadPerStatementByte},
              std::pair{census.boards, kLoadPerBoard},
              std::pair{census.otherBytes, kLoadPerOtherByte},
              std::pair{census.commentBytes, kLoadPerCommentByte}}) {
            total = Scaled(count, each.*kind, total);
        }
        return total;
    };
    return {need(&MemoryNeed::resident), need(&MemoryNeed::address)};
}

MemoryNeed MemoryToHold(std::uint64_t sourceBytes) {
    return {Scaled(sourceBytes, 1, kOpenMemory.resident),
            Scaled(sourceBytes, 1, kOpenMemory.address)};
}

std::optional<std::uint64_t> RoomForLoad(std::optional<std::uint64_t> room) {
    if (!room) {
        return std::nullopt;
    }
    return *room > kDesktopReserve ? *room - kDesktopReserve : 0;
}

MemoryRooms RoomForLoad(const MemoryRooms& rooms) {
    return {RoomForLoad(rooms.resident), RoomForLoad(rooms.address)};
}

std::optional<std::string> MemoryShortfall(const std::filesystem::path& path,
                                           std::uint64_t sourceBytes, const MemoryNeed& needed,
                                           const MemoryRooms& room) {
    if (std::optional<std::string> address =
            Shortfall(path, sourceBytes, needed.address, room.address)) {
        return address;
    }
    return Shortfall(path, sourceBytes, needed.resident, room.resident);
}

std::optional<std::string> NoRoomFor(const std::filesystem::path& path, std::uint64_t sourceBytes,
                                     const MemoryNeed& load, const MemoryNeed& givenBack) {
    const MemoryRooms room = CurrentMemoryRooms(
        {ToBeFree(load.resident, givenBack.resident), ToBeFree(load.address, givenBack.address)});
    return MemoryShortfall(path, sourceBytes, load,
                           RoomForLoad(MemoryRooms{With(room.resident, givenBack.resident),
                                                   With(room.address, givenBack.address)}));
}

}  // namespace veldra
