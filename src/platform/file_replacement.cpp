#include "platform/file_replacement.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

namespace veldra {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, int error) {
    throw RuntimeError("Unable to write " + path.string() + ": " + std::strerror(error));
}

// Links are followed at most this many times, as the system does, so a loop of links
// ends in the last one read rather than never.
constexpr int kMostLinksFollowed = 40;

// What comes between a target's name and the writer's process number in the names of the
// files written beside it.
constexpr std::string_view kBesideMark = ".veldra-";

// The process that wrote the file of that name beside `target`, when it is such a file.
std::optional<pid_t> WriterOf(std::string_view name, std::string_view target) {
    if (!name.starts_with(target) || !name.substr(target.size()).starts_with(kBesideMark)) {
        return std::nullopt;
    }
    const std::string_view rest = name.substr(target.size() + kBesideMark.size());
    pid_t writer = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), writer);
    if (error != std::errc{} || writer <= 0 || end == rest.data() + rest.size() || *end != '-') {
        return std::nullopt;
    }
    return writer;
}

// Whether no process of that number runs: one that runs, even another user's, may be
// writing still.
bool Gone(pid_t process) {
    return ::kill(process, 0) != 0 && errno == ESRCH;
}

// Removes the files a killed save of `target` left beside it; a failure to remove one
// leaves it for the next save.
void RemoveLeftovers(const std::filesystem::path& target) {
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    const std::string name = target.filename().string();
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::optional<pid_t> writer = WriterOf(entry->path().filename().string(), name);
        if (writer && *writer != ::getpid() && Gone(*writer)) {
            std::error_code ignored;
            std::filesystem::remove(entry->path(), ignored);
        }
    }
}

}  // namespace

BesideFile::BesideFile(const std::filesystem::path& path)
    : path_(path), target_(WriteTarget(path)) {
    std::error_code ignored;
    if (std::filesystem::is_directory(target_, ignored)) {
        Fail(path_, EISDIR);  // nothing could take a folder's place
    }
    RemoveLeftovers(target_);
    std::string pattern =
        target_.string() + std::string(kBesideMark) + std::to_string(::getpid()) + "-XXXXXX";
    fd_ = ::mkstemp(pattern.data());
    if (fd_ < 0) {
        Fail(path_, errno);
    }
    written_ = pattern;
    ::fchmod(fd_, mode_t(ReplacementPermissions(target_)));
}

BesideFile::~BesideFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (!committed_) {
        std::error_code ignored;
        std::filesystem::remove(written_, ignored);
    }
}

void BesideFile::Commit() {
    const int fd = std::exchange(fd_, -1);
    // Closed whatever the sync says; the first failure is the one told.
    const bool synced = ::fsync(fd) == 0;
    const int syncError = errno;
    if (::close(fd) != 0 || !synced) {
        Fail(path_, synced ? errno : syncError);
    }
    if (::rename(written_.c_str(), target_.c_str()) != 0) {
        Fail(path_, errno);
    }
    committed_ = true;
}

std::filesystem::path WriteTarget(const std::filesystem::path& path) {
    std::filesystem::path target = path;
    for (int followed = 0; followed < kMostLinksFollowed; ++followed) {
        std::error_code error;
        if (!std::filesystem::is_symlink(target, error)) {
            break;
        }
        const std::filesystem::path next = std::filesystem::read_symlink(target, error);
        if (error) {
            break;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

std::filesystem::perms ReplacementPermissions(const std::filesystem::path& target) {
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        return std::filesystem::perms(old.st_mode & 07777);
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return std::filesystem::perms(0666 & ~mask);
}

void BesideFile::Write(std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd_, data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail(path_, errno);
        }
        data += written;
        left -= std::size_t(written);
    }
}

void ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
    BesideFile beside(path);
    beside.Write(bytes);
    beside.Commit();
}

FileAccessDenied::FileAccessDenied(const std::filesystem::path& path)
    : FileReadError(ReadFailure::Denied,
                    "Unable to read " + path.string() + ": permission denied") {}

bool AccessDenied(const std::filesystem::path& path) {
    // Opened without waiting: a named pipe with no writer must not hold the answer up.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return false;
    }
    return errno == EACCES;
}

namespace {

// The file opened for reading once it is known to be a regular file of at most `limit`
// bytes, and its size.
std::ifstream OpenToRead(const std::filesystem::path& path, std::uint64_t limit,
                         std::uint64_t& size) {
    const auto fail = [&](ReadFailure reason, const std::error_code& error) {
        std::string message = "Unable to read " + path.string();
        if (error) {
            message += ": " + error.message();
        }
        throw FileReadError(reason, message);
    };
    // The kind is checked before the file is opened: opening a named pipe with no writer,
    // or some devices, would wait for ever.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error == std::errc::permission_denied) {
        throw FileAccessDenied(path);
    }
    if (!std::filesystem::exists(status)) {
        fail(ReadFailure::Missing,
             error ? error : std::make_error_code(std::errc::no_such_file_or_directory));
    }
    // Asked of a file that is not regular as well: permission is the first reason to give.
    size = std::filesystem::file_size(path, error);
    if (error == std::errc::permission_denied) {
        throw FileAccessDenied(path);
    }
    if (!std::filesystem::is_regular_file(status)) {
        // What the system would say of a pipe or a device ("Operation not supported")
        // tells the user nothing.
        throw FileReadError(ReadFailure::NotRegular,
                            "Path/File access error: " + path.string() + " is not a regular file");
    }
    if (error) {
        fail(ReadFailure::NotOpened, error);
    }
    if (size > limit) {
        throw FileReadError(ReadFailure::TooLarge,
                            path.string() + " is too large: " + std::to_string(size) +
                                " bytes, where at most " + std::to_string(limit) + " are expected");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in && AccessDenied(path)) {
        throw FileAccessDenied(path);
    }
    if (!in) {
        fail(ReadFailure::NotOpened, {});
    }
    return in;
}

[[noreturn]] void ReadShort(const std::filesystem::path& path) {
    throw FileReadError(ReadFailure::Short, "Unable to read " + path.string());
}

}  // namespace

std::string ReadWholeFile(const std::filesystem::path& path, std::uint64_t limit) {
    std::uint64_t size = 0;
    std::ifstream in = OpenToRead(path, limit, size);
    std::string bytes(size, '\0');
    if (!in.read(bytes.data(), std::streamsize(size))) {
        ReadShort(path);
    }
    return bytes;
}

void ReadFileInPieces(const std::filesystem::path& path, std::uint64_t limit,
                      const std::function<void(std::string_view piece, std::uint64_t left)>& take) {
    constexpr std::size_t kPiece = std::size_t(1) << 20;
    std::uint64_t size = 0;
    std::ifstream in = OpenToRead(path, limit, size);
    std::string piece(std::size_t(std::min<std::uint64_t>(size, kPiece)), '\0');
    for (std::uint64_t left = size; left > 0;) {
        const std::size_t length = std::size_t(std::min<std::uint64_t>(left, kPiece));
        if (!in.read(piece.data(), std::streamsize(length))) {
            ReadShort(path);
        }
        left -= length;
        take(std::string_view(piece.data(), length), left);
    }
    if (size == 0) {
        take({}, 0);
    }
}

}  // namespace veldra
