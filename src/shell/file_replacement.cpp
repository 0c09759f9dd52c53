#include "shell/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>
#include <system_error>

#include "platform/runtime_error.h"

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

}  // namespace

void ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
    BesideFile beside(path);
    // A file the user agreed to replace keeps the permissions it had; a new one gets the
    // ones a newly created file gets here.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) {
        ::fchmod(beside.Descriptor(), old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(beside.Descriptor(), 0666 & ~mask);
    }
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
    if (::rename(beside.Path().c_str(), path.c_str()) != 0) {
        Fail(path, errno);
    }
    beside.Committed();
}

std::string ReadWholeFile(const std::filesystem::path& path, std::uint64_t limit) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        throw RuntimeError("Unable to read " + path.string() + ": " + error.message());
    }
    if (size > limit) {
        throw RuntimeError(path.string() + " is too large: " + std::to_string(size) +
                           " bytes, where at most " + std::to_string(limit) + " are expected");
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes(size, '\0');
    if (!in || !in.read(bytes.data(), std::streamsize(size))) {
        throw RuntimeError("Unable to read " + path.string());
    }
    return bytes;
}

}  // namespace veldra
