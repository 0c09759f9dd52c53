#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
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

// A file written beside the one at `path` (through a symbolic link, beside its target),
// to be put in its place once whole. Its name says whose it is, "YARD.sst.veldra-1234-x7Qm2a"
// (the target's name, the writing process, a unique end), so that one a killed save left
// behind is known for what it is: making one removes those of the same target whose
// process has gone. It has the permissions the replaced file had; unless committed, it
// is removed when it goes. A failure is a RuntimeError that says what and where.
class BesideFile {
public:
    explicit BesideFile(const std::filesystem::path& path);
    ~BesideFile();
    BesideFile(const BesideFile&) = delete;
    BesideFile& operator=(const BesideFile&) = delete;

    // Open for writing until committed.
    int Descriptor() const { return fd_; }
    // Appends the bytes, all of them.
    void Write(std::string_view bytes);
    // Closes it once its data is on the disk and puts it in the target's place.
    void Commit();

private:
    std::filesystem::path path_;
    std::filesystem::path target_;
    std::filesystem::path written_;
    int fd_ = -1;
    bool committed_ = false;
};

// Writes the whole file beside the one at `path` and only then puts it in that one's
// place (through a symbolic link to its target), so a failure or a kill during the write leaves an
// existing file whole. A failure is a RuntimeError that says what went wrong and where; no
// half-written file stays.
void ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

// Why a file could not be read whole.
enum class ReadFailure {
    Missing,     // nothing there, or a folder on the way is missing
    Denied,      // no permission, to the file or to a folder on its way
    NotRegular,  // a folder, a named pipe or a device: never opened, since that may wait
    TooLarge,    // more bytes than the reader expects
    NotOpened,
    Short,  // fewer bytes came than the file's size
};

// A file that could not be read whole: the reason, for a reader that words it in its own
// messages, and a message of its own that says why.
class FileReadError : public RuntimeError {
public:
    FileReadError(ReadFailure reason, const std::string& message)
        : RuntimeError(message), reason_(reason) {}
    ReadFailure Reason() const { return reason_; }

private:
    ReadFailure reason_;
};

// A file, or a folder on the way to it, that this user may not read.
class FileAccessDenied : public FileReadError {
public:
    explicit FileAccessDenied(const std::filesystem::path& path);
};

// Whether reading the file is refused for want of permission, to the file or to a folder
// on its way; asked once opening has failed, to say why.
bool AccessDenied(const std::filesystem::path& path);

// The whole file; a FileReadError that says why when it cannot be read (FileAccessDenied
// when permission is what is missing, "... is not a regular file" for a folder, a named
// pipe or a device) or is larger than `limit` bytes.
std::string ReadWholeFile(const std::filesystem::path& path,
                          std::uint64_t limit = std::numeric_limits<std::uint64_t>::max());

// The file a megabyte at a time, each piece given to `take` in turn with the bytes `left`
// after it (none after the last, and an empty last piece for an empty file), so that no more
// than a piece is held: refused as ReadWholeFile refuses it, before the first piece.
void ReadFileInPieces(const std::filesystem::path& path, std::uint64_t limit,
                      const std::function<void(std::string_view piece, std::uint64_t left)>& take);

}  // namespace veldra
