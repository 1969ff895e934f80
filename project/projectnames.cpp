#include "project/projectnames.h"

#include "project/projecttree.h"
#include "textlib/strbasic.h"
#include "textlib/strcompare.h"

#include <cstring>

namespace tamble {
namespace {

// Index just after the last delimiter (0 when none), and of the last '.'
// after it (npos when none), stepping over double-byte characters whole.
struct NameParts {
    size_t nameStart = 0;
    size_t lastDot = std::string::npos;
};

NameParts SplitName(const std::string& text) {
    NameParts parts;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < text.size()) {
            ++i;
        } else if (c != '\0' && std::strchr(kNameDelimiters, c) != nullptr) {
            parts.nameStart = i + 1;
            parts.lastDot = std::string::npos;
        } else if (c == '.') {
            parts.lastDot = i;
        }
    }
    return parts;
}

} // namespace

std::string FileNameOf(const std::string& text) {
    return text.substr(SplitName(text).nameStart);
}

std::string DisplayName(const std::string& text, bool shortNames) {
    return shortNames ? FileNameOf(text) : text;
}

int CategoryOf(const std::string& path) {
    const NameParts parts = SplitName(path);
    if (parts.lastDot == std::string::npos) return kOtherFiles;
    const std::string extension = path.substr(parts.lastDot);
    if (StrCompareNoCase(extension.c_str(), ".cpp") == 0 ||
        StrCompareNoCase(extension.c_str(), ".c") == 0)
        return kSourceFiles;
    if (StrCompareNoCase(extension.c_str(), ".h") == 0) return kHeaderFiles;
    return kOtherFiles;
}

} // namespace tamble
