#include "textlib/strsplit.h"

#include "textlib/strbasic.h"

#include <cstring>

// Longest prefix of text that fits in limit bytes without splitting a
// double-byte character.
static size_t FittingLength(const char* text, size_t limit) {
    size_t i = 0;
    while (text[i]) {
        const size_t width = CharWidth(text + i);
        if (i + width > limit) break;
        i += width;
    }
    return i;
}

int StrSplit(const char* text, const char* separators, char* buffer, size_t size) {
    if (!buffer || size == 0) return 0;
    if (!text || !*text) {
        buffer[0] = '\0';
        return 0;
    }
    const size_t n = FittingLength(text, size - 1);
    if (buffer != text) std::memmove(buffer, text, n);
    buffer[n] = '\0';

    int parts = 1;
    for (size_t i = 0; i < n;) {
        if (CharWidth(buffer + i) == 2) {
            i += 2;
            continue;
        }
        if (separators && std::strchr(separators, buffer[i])) {
            buffer[i] = '\0';
            ++parts;
        }
        ++i;
    }
    return parts;
}

const char* StrNth(const char* buffer, int n) {
    const char* p = buffer;
    for (int i = 0; i < n; ++i)
        p += std::strlen(p) + 1;
    return p;
}
