#include "platform/qt/replacing_file.h"

#include <QFile>
#include <system_error>
#include <utility>

#include "platform/file_replacement.h"

namespace veldra {

ReplacingFile::ReplacingFile(const std::filesystem::path& path)
    : ReplacingFile(Target{}, WriteTarget(path)) {}

// The link is followed once: what the file writes and whose permissions it keeps are the
// same file even if the link changes meanwhile.
ReplacingFile::ReplacingFile(Target, std::filesystem::path target)
    : QSaveFile(QFile::decodeName(QByteArray::fromStdString(target.string()))),
      target_(std::move(target)),
      permissions_(ReplacementPermissions(target_)) {}

bool ReplacingFile::Commit() {
    if (!commit()) {
        return false;
    }
    std::error_code ignored;
    std::filesystem::permissions(target_, permissions_, ignored);
    return true;
}

}  // namespace veldra
