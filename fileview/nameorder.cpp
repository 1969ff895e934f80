#include "fileview/nameorder.h"

#include "textlib/strbasic.h"

namespace tamble {

std::string NameSortKey(const std::string& name) {
    std::string key(name);
    for (size_t i = 0; i < key.size(); ++i) {
        if (IsLeadByte(key[i])) {
            ++i; // a trail byte is never a letter
        } else {
            key[i] = static_cast<char>(CharToLower(static_cast<unsigned char>(key[i])));
        }
    }
    return key;
}

bool NameLess(const std::string& a, const std::string& b) {
    const std::string keyA = NameSortKey(a);
    const std::string keyB = NameSortKey(b);
    return keyA != keyB ? keyA < keyB : a < b;
}

} // namespace tamble
