#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace veldra {

// The core holds single-byte text as the source files hold it; the windows show it as
// Latin-1, so that every byte survives the way there and back.
inline QString ToQString(std::string_view text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

inline std::string ToStdString(const QString& text) {
    return text.toLatin1().toStdString();
}

}  // namespace veldra
