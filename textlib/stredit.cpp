#include "textlib/stredit.h"

#include "textlib/strbasic.h"
#include "textlib/strsearch.h"

#include <cstring>

char* StrReplaceOnce(char* buffer, size_t size, const char* search, const char* replacement) {
    const int at = StrFind(buffer, search);
    if (at < 0 || size == 0) return nullptr;
    const size_t cut = static_cast<size_t>(StrLen(search));
    const size_t insert = static_cast<size_t>(StrLen(replacement));
    const size_t length = std::strlen(buffer);
    const size_t room = size - 1;
    const size_t start = static_cast<size_t>(at);

    // Move the tail first, then write the replacement; both cut at the buffer's end.
    const size_t tailFrom = start + cut;
    const size_t tailTo = start + insert;
    size_t tailLength = length - tailFrom;
    if (tailTo >= room) {
        tailLength = 0;
    } else if (tailTo + tailLength > room) {
        tailLength = room - tailTo;
    }
    if (tailLength > 0) std::memmove(buffer + tailTo, buffer + tailFrom, tailLength);
    const size_t written = insert < room - start ? insert : room - start;
    if (written > 0) std::memcpy(buffer + start, replacement, written);
    const size_t end = tailTo < room ? tailTo + tailLength : room;
    buffer[end] = '\0';
    return buffer + start + written;
}

void StrReplace(char* buffer, size_t size, const char* search, const char* replacement, int count) {
    char* from = buffer;
    while (from && *from) {
        const size_t used = static_cast<size_t>(from - buffer);
        from = StrReplaceOnce(from, size - used, search, replacement);
        if (count >= 0) break;
    }
}

static bool InSet(const char* set, char c) {
    return c != '\0' && set && std::strchr(set, c) != nullptr;
}

char* StrTrim(char* text, const char* set, int leftCount, int rightCount) {
    if (!text || !*text) return nullptr;
    int length = StrLen(text);
    if (rightCount >= 0) {
        // Walk forward so that the second byte of a double-byte character is
        // never mistaken for a trailing single-byte character.
        int keep = 0;
        int runCount = 0;
        for (int i = 0; i < length;) {
            const int width =
                (IsLeadByte(static_cast<unsigned char>(text[i])) && text[i + 1]) ? 2 : 1;
            if (width == 1 && InSet(set, text[i])) {
                ++runCount;
            } else {
                keep = i + width;
                runCount = 0;
            }
            i += width;
        }
        if (rightCount > 0 && runCount > rightCount) keep = length - rightCount;
        length = keep;
        text[length] = '\0';
    }
    if (leftCount >= 0) {
        int skip = 0;
        while (skip < length && InSet(set, text[skip]) && (leftCount == 0 || skip < leftCount))
            ++skip;
        std::memmove(text, text + skip, length - skip + 1);
    }
    return text;
}

char* StrRemoveChars(char* text, const char* set) {
    if (!text) return text;
    char* out = text;
    for (const char* p = text; *p;) {
        if (IsLeadByte(static_cast<unsigned char>(*p)) && p[1]) {
            *out++ = *p++;
            *out++ = *p++;
        } else if (InSet(set, *p)) {
            ++p;
        } else {
            *out++ = *p++;
        }
    }
    *out = '\0';
    return text;
}

// Length of the span before the closing marker that balances an opening
// marker already passed, or -1 when it is never balanced.
static int BalancedSpan(const char* text, const char* open, const char* close) {
    const int openLength = StrLen(open);
    const int closeLength = StrLen(close);
    if (closeLength == 0) return -1;
    int depth = 1;
    for (int i = 0; text[i];) {
        if (openLength > 0 && std::strncmp(text + i, open, openLength) == 0) {
            ++depth;
            i += openLength;
        } else if (std::strncmp(text + i, close, closeLength) == 0) {
            if (--depth == 0) return i;
            i += closeLength;
        } else {
            i += (IsLeadByte(static_cast<unsigned char>(text[i])) && text[i + 1]) ? 2 : 1;
        }
    }
    return -1;
}

int StrExtract(const char* text, const char* open, const char* close, char* out, size_t outSize,
               int mode) {
    if (!text || !out || outSize == 0) return 0;
    const char* from = text;
    if (StrLen(open) > 0) {
        const int at = StrFind(text, open);
        if (at < 0) return 0;
        from = text + at + StrLen(open);
    }
    int span = StrLen(from);
    if (mode < 0) {
        span = BalancedSpan(from, open, close);
        if (span < 0) return 0;
    } else if (StrLen(close) > 0) {
        span = StrFind(from, close);
        if (span < 0) return 0;
    }
    const size_t n =
        static_cast<size_t>(span) < outSize - 1 ? static_cast<size_t>(span) : outSize - 1;
    std::memcpy(out, from, n);
    out[n] = '\0';
    return 1;
}
