#include "platform/qt/replacing_file.h"

#include <QFile>
#include <system_error>

#include "platform/file_replacement.h"

namespace veldra {

ReplacingFile::ReplacingFile(const std::filesystem::path& path)
    : QSaveFile(QFile::decodeName(QByteArray::fromStdString(WriteTarget(path).string()))),
      target_(WriteTarget(path)),
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
