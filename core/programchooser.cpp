#include "core/programchooser.h"

#include "platform/codepage.h"
#include "textlib/strbasic.h"

namespace tamble {
namespace {

// Index of the last path separator, never a trail byte of a double-byte
// character (the second byte of many kanji is 0x5C, a backslash).
size_t LastSeparator(const std::string& path) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(c) && i + 1 < path.size()) {
            ++i;
        } else if (c == '/' || c == '\\') {
            last = i;
        }
    }
    return last;
}

} // namespace

platform::FileBoxOptions ProgramFileBox(bool completeExtension, const std::string& initialFolder) {
    platform::FileBoxOptions box;
#ifndef _WIN32
    box.filters.push_back({platform::Utf8ToCp932("すべてのファイル (*)"), "*"});
    (void)completeExtension;
#else
    if (completeExtension) box.defaultExtension = "exe";
#endif
    box.filters.push_back({platform::Utf8ToCp932("実行可能なファイル (*.exe)"), "*.exe"});
    box.initialFolder = initialFolder;
    return box;
}

std::optional<std::string> ChooseProgram(platform::UserPrompts& prompts, bool completeExtension,
                                         std::string* lastFolder) {
    const std::string start = lastFolder != nullptr ? *lastFolder : std::string();
    std::optional<std::string> chosen = prompts.OpenFile(ProgramFileBox(completeExtension, start));
    if (!chosen || chosen->empty()) return std::nullopt;
    if (lastFolder != nullptr) {
        const size_t separator = LastSeparator(*chosen);
        if (separator != std::string::npos) *lastFolder = chosen->substr(0, separator);
    }
    return chosen;
}

} // namespace tamble
