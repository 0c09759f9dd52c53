#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/runtime_error.h"

namespace veldra {

// The file a write to `path` reaches: the target of a symbolic link (of a chain of them),
// so that a save replaces the file the user linked to and keeps the link; `path` itself
// when it is no link. A dangling link gives the file it names, which the write creates.
std::filesystem::path WriteTarget(const std::filesystem::path& path);

// The permissions a file that replaces the one at `target` is given: the old file's, kept
// also when it was read-only and the user agreed to replace it; a new file's otherwise.
std::filesystem::perms ReplacementPermissions(const std::filesystem::path& target);

// Writes the whole file beside the one at `path` and only then puts it in that one's
// place (through a symbolic link to its target), so a failure or a kill during the write leaves an
// existing file whole. A failure is a RuntimeError that says what went wrong and where; no
// half-written file stays.
void ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

// A file, or a folder on the way to it, that this user may not read.
class FileAccessDenied : public RuntimeError {
public:
    explicit FileAccessDenied(const std::filesystem::path& path);
};

// Whether reading the file is refused for want of permission, to the file or to a folder
// on its way; asked once opening has failed, to say why.
bool AccessDenied(const std::filesystem::path& path);

// The whole file; a RuntimeError that says why when it cannot be read (FileAccessDenied
// when permission is what is missing) or is larger than `limit` bytes.
std::string ReadWholeFile(const std::filesystem::path& path, std::uint64_t limit);

}  // namespace veldra
