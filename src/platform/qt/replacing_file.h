#pragma once

#include <QSaveFile>
#include <filesystem>

namespace veldra {

// A file written beside the one it replaces and put in its place only when whole, through
// a symbolic link to the link's target, as every save of the simulator is. QSaveFile alone
// gives a read-only file it replaces the owner's write permission; Commit puts back the
// permissions the replaced file had.
class ReplacingFile : public QSaveFile {
public:
    explicit ReplacingFile(const std::filesystem::path& path);

    // QSaveFile::commit, then the replaced file's permissions.
    bool Commit();

private:
    struct Target {};
    ReplacingFile(Target, std::filesystem::path target);

    std::filesystem::path target_;
    std::filesystem::perms permissions_;
};

}  // namespace veldra
