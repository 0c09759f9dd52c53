#include "loader/source_memory.h"

#include <limits>

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

}  // namespace

std::uint64_t MemoryToLoad(std::uint64_t sourceBytes) {
    constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();
    return sourceBytes > kMost / kLoadPeakPerSourceByte ? kMost
                                                        : sourceBytes * kLoadPeakPerSourceByte;
}

std::optional<std::uint64_t> RoomForLoad(std::optional<std::uint64_t> room) {
    if (!room) {
        return std::nullopt;
    }
    return *room > kDesktopReserve ? *room - kDesktopReserve : 0;
}

std::optional<std::string> MemoryShortfall(const std::filesystem::path& path,
                                           std::uint64_t sourceBytes,
                                           std::optional<std::uint64_t> room) {
    const std::uint64_t needed = MemoryToLoad(sourceBytes);
    if (!room || needed <= *room) {
        return std::nullopt;
    }
    return "Not enough memory to load " + path.string() + ": the file is " +
           Megabytes(sourceBytes) + ", loading it takes about " + Megabytes(needed) + " and only " +
           Megabytes(*room / kMegabyte * kMegabyte) + " can be given";
}

}  // namespace veldra
