#include "fileview/nameorder.h"

#include "textlib/strbasic.h"

namespace tamble {

void FoldForSort(char* text, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (IsLeadByte(text[i])) {
            ++i; // a trail byte is never a letter
        } else {
            text[i] = static_cast<char>(CharToLower(static_cast<unsigned char>(text[i])));
        }
    }
}

std::string NameSortKey(const std::string& name) {
    std::string key(name);
    FoldForSort(key.data(), key.size());
    return key;
}

bool NameLess(const std::string& a, const std::string& b) {
    const std::string keyA = NameSortKey(a);
    const std::string keyB = NameSortKey(b);
    return keyA != keyB ? keyA < keyB : a < b;
}

} // namespace tamble
