#include "platform/qt/replacing_file.h"

#include <exception>

#include "platform/file_replacement.h"
#include "platform/load_under_way.h"

namespace veldra {

// Named as the file it replaces, for messages that name the file written.
ReplacingFile::ReplacingFile(const std::filesystem::path& path)
    : QFile(QFile::decodeName(QByteArray::fromStdString(path.string()))), path_(path) {}

ReplacingFile::~ReplacingFile() {
    close();  // before the file beside goes
}

bool ReplacingFile::open(OpenMode mode) {
    if (isOpen() || (mode & ReadOnly) != 0 || (mode & WriteOnly) == 0) {
        return false;
    }
    try {
        beside_ = std::make_unique<BesideFile>(path_);
    } catch (const std::exception& error) {
        if (EndsTheLoad(error)) {
            throw;
        }
        setErrorString(QString::fromStdString(error.what()));
        return false;
    }
    return QFile::open(beside_->Descriptor(), mode | Truncate, DontCloseHandle);
}

bool ReplacingFile::Commit() {
    if (!isOpen() || !beside_) {
        return false;
    }
    const bool written = flush() && error() == NoError;
    close();
    if (!written) {
        beside_.reset();
        return false;
    }
    try {
        beside_->Commit();
    } catch (const std::exception& error) {
        if (EndsTheLoad(error)) {
            throw;
        }
        setErrorString(QString::fromStdString(error.what()));
        beside_.reset();
        return false;
    }
    beside_.reset();
    return true;
}

}  // namespace veldra
