#include "platform/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>
#include <system_error>

namespace veldra {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, int error) {
    throw RuntimeError("Unable to write " + path.string() + ": " + std::strerror(error));
}

// The temporary file, removed unless it became the real one.
class BesideFile {
public:
    explicit BesideFile(const std::filesystem::path& target) {
        std::string pattern = target.string() + ".XXXXXX";
        fd_ = ::mkstemp(pattern.data());
        if (fd_ < 0) {
            Fail(target, errno);
        }
        path_ = pattern;
    }
    ~BesideFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!committed_) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
    }
    BesideFile(const BesideFile&) = delete;
    BesideFile& operator=(const BesideFile&) = delete;

    int Descriptor() const { return fd_; }
    const std::filesystem::path& Path() const { return path_; }
    // Closes the file; false with errno set when the data did not reach it.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        // Closed whatever the sync says; the first failure's errno is the one kept.
        const bool synced = ::fsync(fd) == 0;
        const int syncError = errno;
        const bool closed = ::close(fd) == 0;
        if (!synced) {
            errno = syncError;
        }
        return synced && closed;
    }
    void Committed() { committed_ = true; }

private:
    int fd_ = -1;
    std::filesystem::path path_;
    bool committed_ = false;
};

// Links are followed at most this many times, as the system does, so a loop of links
// ends in the last one read rather than never.
constexpr int kMostLinksFollowed = 40;

}  // namespace

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

void ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
    const std::filesystem::path target = WriteTarget(path);
    BesideFile beside(target);
    ::fchmod(beside.Descriptor(), mode_t(ReplacementPermissions(target)));
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(beside.Descriptor(), data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail(path, errno);
        }
        data += written;
        left -= std::size_t(written);
    }
    if (!beside.Close()) {
        Fail(path, errno);
    }
    if (::rename(beside.Path().c_str(), target.c_str()) != 0) {
        Fail(path, errno);
    }
    beside.Committed();
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

std::string ReadWholeFile(const std::filesystem::path& path, std::uint64_t limit) {
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
    // Asked of a file that is not regular as well, for the reason it has no size.
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error == std::errc::permission_denied) {
        throw FileAccessDenied(path);
    }
    if (!std::filesystem::is_regular_file(status)) {
        fail(ReadFailure::NotRegular, error);
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
    std::string bytes(size, '\0');
    if (!in.read(bytes.data(), std::streamsize(size))) {
        fail(ReadFailure::Short, {});
    }
    return bytes;
}

}  // namespace veldra
