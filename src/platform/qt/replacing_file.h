#pragma once

#include <QFile>
#include <filesystem>
#include <memory>

namespace veldra {

class BesideFile;

// A file written beside the one it replaces and put in its place only when whole, through
// a symbolic link to the link's target, keeping the replaced file's permissions, as every
// save of the simulator is: the core's file written beside, as a device that Qt's writers
// (pictures, PDF) write to. Until committed nothing replaces the old file, and a file that
// goes uncommitted leaves nothing behind.
class ReplacingFile : public QFile {
public:
    explicit ReplacingFile(const std::filesystem::path& path);
    ~ReplacingFile() override;

    // Makes the file beside the target; only writing is offered.
    bool open(OpenMode mode) override;
    // Puts what was written in the target's place; false, with the reason in errorString(),
    // when writing failed or the file cannot take its place.
    bool Commit();

private:
    std::filesystem::path path_;
    std::unique_ptr<BesideFile> beside_;
};

}  // namespace veldra
