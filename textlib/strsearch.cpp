#include "textlib/strsearch.h"

#include "textlib/strbasic.h"

#include <cstring>

int StrFind(const char* text, const char* pattern) {
    const int n = StrLen(pattern);
    if (n == 0 || !text) return -1;
    return n == 1 ? StrFindChar(text, pattern) : StrFindBM(text, pattern);
}

int StrFindChar(const char* text, const char* pattern) {
    if (!text || !pattern) return -1;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    const unsigned char c = static_cast<unsigned char>(pattern[0]);
    for (int i = 0; p[i];) {
        if (IsLeadByte(p[i]) && p[i + 1]) {
            i += 2;
            continue;
        }
        if (p[i] == c) return i;
        ++i;
    }
    return -1;
}

int StrFindBM(const char* text, const char* pattern) {
    const int m = StrLen(pattern);
    const int n = StrLen(text);
    if (m == 0 || m > n) return -1;
    const auto* t = reinterpret_cast<const unsigned char*>(text);
    const auto* p = reinterpret_cast<const unsigned char*>(pattern);
    int shift[256];
    for (int& s : shift)
        s = m;
    for (int i = 0; i < m - 1; ++i)
        shift[p[i]] = m - 1 - i;
    for (int pos = 0; pos <= n - m; pos += shift[t[pos + m - 1]]) {
        if (t[pos + m - 1] == p[m - 1] && std::memcmp(t + pos, p, m - 1) == 0) return pos;
    }
    return -1;
}

int StrRScanAfter(const char* text, int c) {
    int after = 0;
    for (int i = 0; text && text[i]; ++i)
        if (static_cast<unsigned char>(text[i]) == static_cast<unsigned char>(c)) after = i + 1;
    return after;
}

int StrHasOther(const char* text, const char* set) {
    for (int i = 0; text && text[i]; ++i)
        if (!set || !std::strchr(set, text[i])) return 1;
    return 0;
}
