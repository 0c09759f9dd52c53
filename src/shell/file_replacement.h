#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace veldra {

// Writes the whole file beside the one at `path` and only then puts it in that one's
// place, so a failure or a kill during the write leaves an existing file whole. A failure
// is a RuntimeError that says what went wrong and where; no half-written file stays.
void ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

// The whole file; a RuntimeError that says why when it cannot be read or is larger than
// `limit` bytes.
std::string ReadWholeFile(const std::filesystem::path& path, std::uint64_t limit);

}  // namespace veldra
