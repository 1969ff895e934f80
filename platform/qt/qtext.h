// The forms' edge between CP932 bytes and QString.
#pragma once

#include "codepage.h"

#include <QString>

#include <string>

namespace platform {

inline QString FromCp932(const std::string& text) {
    return QString::fromStdString(Cp932ToUtf8(text));
}

inline std::string ToCp932(const QString& text) {
    return Utf8ToCp932(text.toStdString());
}

} // namespace platform
