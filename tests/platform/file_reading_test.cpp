#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/file_replacement.h"
#include "support/without_privileges.h"

namespace veldra::testing {
namespace {

struct RefusedFile {
    const char* kind;
    ReadFailure reason;
    const char* before;   // the path
    const char* message;  // after the path
};

constexpr const char* kUnable = "Unable to read ";
constexpr const char* kAccess = "Path/File access error: ";
constexpr const char* kNotRegular = " is not a regular file";

class FileReadingTest : public ::testing::TestWithParam<RefusedFile> {
protected:
    FileReadingTest() {
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    ~FileReadingTest() override {
        std::error_code ignored;
        std::filesystem::permissions(folder_ / "locked", std::filesystem::perms::owner_all,
                                     ignored);
        std::filesystem::remove_all(folder_, ignored);
    }

    // A path of the given kind inside the test's folder.
    std::filesystem::path Make(const std::string& kind) {
        const std::filesystem::path file = folder_ / "file.txt";
        if (kind == "device") {
            return "/dev/null";
        }
        if (kind == "folder") {
            std::filesystem::create_directory(file);
        } else if (kind == "pipe") {
            EXPECT_EQ(::mkfifo(file.c_str(), 0600), 0);
        } else if (kind != "missing") {
            std::ofstream(file) << "0123456789";
        }
        if (kind == "unreadable") {
            std::filesystem::permissions(file, std::filesystem::perms::none);
        }
        if (kind == "in_a_locked_folder") {
            std::filesystem::create_directory(folder_ / "locked");
            std::filesystem::rename(file, folder_ / "locked" / "file.txt");
            std::filesystem::permissions(folder_ / "locked", std::filesystem::perms::none);
            return folder_ / "locked" / "file.txt";
        }
        return file;
    }

private:
    // One folder per process: ctest runs each case in a process of its own, side by side.
    std::filesystem::path folder_ =
        ::testing::TempDir() + "/file_reading_test." + std::to_string(::getpid());
};

TEST_F(FileReadingTest, AFileWithinTheLimitIsReadWhole) {
    EXPECT_EQ(ReadWholeFile(Make("plain")), "0123456789");
    EXPECT_EQ(ReadWholeFile(Make("plain"), 10), "0123456789");
}

// Each reader words the reason its own way; the desktop's readers show the message.
TEST_P(FileReadingTest, AFileThatCannotBeReadSaysWhy) {
    const std::filesystem::path path = Make(GetParam().kind);
    const WithoutPrivileges permissions;
    ASSERT_TRUE(permissions.InForce());
    try {
        ReadWholeFile(path);
        ADD_FAILURE() << "read " << GetParam().kind;
    } catch (const FileReadError& error) {
        EXPECT_EQ(error.Reason(), GetParam().reason) << GetParam().kind;
        EXPECT_EQ(error.what(), GetParam().before + path.string() + GetParam().message);
    }
}

// A named pipe with no writer is never opened, so reading it cannot wait; neither it nor a
// folder or a device is a file to read, and the message says so rather than what the system
// says of its size.
INSTANTIATE_TEST_SUITE_P(
    Files, FileReadingTest,
    ::testing::Values(
        RefusedFile{"missing", ReadFailure::Missing, kUnable, ": No such file or directory"},
        RefusedFile{"folder", ReadFailure::NotRegular, kAccess, kNotRegular},
        RefusedFile{"pipe", ReadFailure::NotRegular, kAccess, kNotRegular},
        RefusedFile{"device", ReadFailure::NotRegular, kAccess, kNotRegular},
        RefusedFile{"unreadable", ReadFailure::Denied, kUnable, ": permission denied"},
        RefusedFile{"in_a_locked_folder", ReadFailure::Denied, kUnable, ": permission denied"}));

TEST_F(FileReadingTest, AFileLargerThanTheLimitIsNotRead) {
    const std::filesystem::path path = Make("plain");
    try {
        ReadWholeFile(path, 4);
        ADD_FAILURE();
    } catch (const FileReadError& error) {
        EXPECT_EQ(error.Reason(), ReadFailure::TooLarge);
        EXPECT_EQ(error.what(),
                  path.string() + " is too large: 10 bytes, where at most 4 are expected");
    }
}

}  // namespace
}  // namespace veldra::testing
